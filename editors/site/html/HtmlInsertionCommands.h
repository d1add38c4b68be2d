#pragma once
// The insertion commands of the visual HTML editor without widgets: which
// named dialog each opens with which pairs, and the markup it makes of the
// answers (THtmlInsertions). The editor runs the dialogs through Run and
// puts the markup at the selection; an empty result inserts nothing.
#include "editors/site/html/dialogs/DialogParams.h"
#include "editors/site/html/HtmlInsertions.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class TAbstractCObject;
class TCommonGui;

class THtmlInsertionCommands {
public:
    struct TServices {
        // Opens the named dialog with the pairs; true on OK, the answers in the pairs.
        std::function<bool(const std::string& name, TDialogParams& pairs)> RunDialog;
        // A catalog option's value (702 main, 703 large picture size).
        std::function<std::string(int option)> CatalogOption;
        // The page file name of an item (page 0, the home page named "index").
        std::function<std::string(int itemId, int itemType)> PageFileName;
        TCommonGui* Gui = nullptr;
        const TTranslation* Translation = nullptr;
    };

    // What is selected in the editor when a link is made.
    struct TSelection {
        // A control (a picture, a table) rather than text.
        bool Control = false;
        std::string Text;
        // The address and title of a link that encloses the selection.
        std::string Address;
        std::string Title;
    };

    explicit THtmlInsertionCommands(TServices services) : services_(std::move(services)) {}

    std::string InsertPicture();
    // The address of the picture a pop-up link opens; empty when none was chosen.
    std::string PopupImageAddress(std::string& caption);
    std::string InsertObject();
    std::string InsertTable();
    // "Insert Hyperlink" (kind 1), "Insert Anchor" (kind 2), "Insert Link to
    // Page" (kind 0) for the selection. For a control selection Address
    // gets the link's address and the result is empty: the editor puts the
    // link on the control itself.
    std::string InsertLink(int kind, const TSelection& selection, std::string& address);

    // "Open HTML File" and "Import HTML From Web": the imported page's body,
    // which replaces the part; empty when nothing was imported.
    std::string ImportHtml(bool fromWeb);

    // "Edit Html Source Code": the HTML of each language by its code in the
    // source dialog; afterwards the map holds only the languages whose HTML
    // the dialog changed, with their new HTML. False when it was cancelled.
    bool EditHtmlSource(std::map<std::string, std::string>& htmlByLanguage);
    // The same for Member of Object in each of the catalog's Languages: only
    // the values the dialog changed are written back, so a language without
    // a value of its own keeps falling back to the default language. True
    // when a value was written.
    bool EditHtmlSource(TAbstractCObject& object, const std::string& member, const std::vector<std::string>& languages);

private:
    TServices services_;
};
