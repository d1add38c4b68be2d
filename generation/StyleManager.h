#pragma once
// The style manager, one per process, owned by the root object. A style
// decides how a catalog's pages look: a master template with a colour
// style sheet, a font style sheet and a background picture, plus further
// templates. Styles live per catalog type in the style catalog "t#N" of that
// type's definition database: every child of item 510 that is no link copy
// is a style, whose class-510 object names its master template, its
// default sheets and background, the choices it offers, the items it
// copies into a catalog (member 1) and the templates it makes default
// (member 2).
//
// The manager lets the user choose a style for the open catalog through the
// style dialog and copies it in as one unit of work (all of it or nothing),
// finds which style a catalog uses, applies the styles of the member
// catalogs of a catalog network as a long operation, and exports and
// imports the style tables as record-set XML files in the program folder's
// "databases/stylesxml".
#include "catalog/StyleSelector.h"

#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalog;
class TCommonGui;
class TGlobalDefinition;
class TStyleManagerHost;
class TTolvexCatalog;
class TTranslation;

class TStyleManager : public TStyleSelector {
public:
    // Not owned; all must outlive the manager. Translation may be null
    // (texts stay English).
    struct TServices {
        TCatalog& Catalog;
        TGlobalDefinition& GlobalDefinition;
        TCommonGui& Gui;
        const TTranslation* Translation;
        TStyleManagerHost& Host;
        // The program folder; the style tables are exchanged below it.
        std::string ProgramFolder;
    };

    // The master template of a catalog with the schemes its class-501
    // object names (0 when it has none).
    struct TCurrentScheme {
        int MasterTemplateId = 0;
        int ColorScheme = 0;
        int FontScheme = 0;
        int BackgroundImageCode = 0;
    };

    explicit TStyleManager(const TServices& services);
    // There is nothing to prepare.
    void Initialize() {}

    // "t#" and the catalog type.
    static std::string GetStyleCatalogCode(int catalogType);

    // Shows the style dialog for the open catalog (mode 0: its first style,
    // 1: a change of style); after OK leaves the item being edited, loads
    // the chosen style and, when it loaded and PostReopen is set, asks the
    // main window to open the catalog again. True when the style was loaded;
    // false when no catalog is open, the program has no dialog or the user
    // cancelled (nothing changed then).
    bool SelectStyle(int mode, bool postReopen) override;
    // Copies the selection into the open catalog in one unit of work on a
    // connection of its own: the items (the copied master templates get the
    // chosen colour, font and background), the default templates, and the
    // versions the user need not be asked about again. A failure undoes all
    // of it and passes on. False (nothing done) when no catalog is open or
    // nothing is selected.
    bool LoadStyle();
    // Starts the long operation that applies the current style of every
    // member catalog of the open catalog network.
    void ApplyStyleToMembers();

    // The selection that LoadStyle copies, sorted and without duplicates
    // (ItemIds, DefaultTemplateIds), and the "color=", "font=",
    // "background=" lines. The dialog fills them after OK.
    void SetSelection(const std::vector<std::string>& itemIds, const std::vector<std::string>& defaultTemplateIds,
                      const std::vector<std::string>& params);
    const std::vector<std::string>& ItemIds() const { return itemIds_; }
    const std::vector<std::string>& DefaultTemplateIds() const { return defaultTemplateIds_; }
    const std::vector<std::string>& Params() const { return params_; }

    // The catalog's master template (the default template of the template
    // item that the loaded definition gives item type 501 for kind 0) and its schemes.
    TCurrentScheme ReadCurrentScheme(TTolvexCatalog& catalog, TAbstractDBConnection& connection);
    // The style of the style catalog that best matches the catalog: 500 for
    // its master template, 50 for the colour, 25 for the font, 10 for the
    // background and 5 for each of its default templates that the catalog
    // has as default; the first of the best, else the first style, else 0.
    // Params (may be null) receives "color=", "font=" and "background=" with
    // the catalog's schemes.
    int FindCurrentStyle(TTolvexCatalog& catalog, const std::string& styleCatalogCode,
                         std::vector<std::string>* params, TAbstractDBConnection& styleConnection,
                         TAbstractDBConnection& catalogConnection);
    // Records in the open catalog, on Connection, for every item whose
    // version the style catalog has newer (compared as numbers), that the
    // user need not be asked about that version again.
    void MarkNewerStyleVersions(TAbstractDBConnection& connection);

    // Writes the rows of every catalog of the open type's definition
    // database to "<code>.xml" in the folder "databases/stylesxml"
    // (replacing earlier files), each able to replace that catalog when
    // imported. A failure stops at the failing catalog.
    void ExportStylesTables();
    // Applies every "*.xml" file of that folder, in name order, to the
    // definition database, each file whole or not at all. A failure stops
    // at the failing file; the files before it stay applied.
    void ImportStylesTables();
    // The folder of the exchanged style tables.
    std::string StylesXmlFolder() const;

private:
    TAbstractDBConnection& DefinitionConnection();

    TServices services_;
    std::vector<std::string> itemIds_;
    std::vector<std::string> defaultTemplateIds_;
    std::vector<std::string> params_;
};
