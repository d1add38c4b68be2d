#pragma once
// What page generation (the templates service and the transformer) needs of
// the open catalog and of the program around it: the catalog's code,
// connection, objects and templates, the item questions of the catalog
// object, the catalog definition's template folders and symbolic ids, the
// style catalog, reference data, image file names, the page XML builder,
// the folders, the translation service, the user interface and the look of
// the desktop. The open catalog data implements it; tests use stand-ins.
#include <cstdint>
#include <memory>
#include <string>

class TAbstractDBConnection;
class TAbstractObjectFactory;
class TCommonGui;
class TLog;
class TPageXmlSource;
class TTemplates;
class TTranslation;
typedef struct _xmlDoc xmlDoc;

// The user's interface font (settings 56 and 57) and desktop colours, as
// 0xRRGGBB, given to templates that are shown by themselves.
struct TDesktopLook {
    std::string FontName = "DejaVu Sans";
    int FontSize = 9;
    std::uint32_t WindowColor = 0xffffff;    // window background
    std::uint32_t TextColor = 0x000000;      // window text
    std::uint32_t DkShadow3D = 0x696969;     // dark shadow of 3D elements
    std::uint32_t Face3D = 0xf0f0f0;         // face of buttons
    std::uint32_t Light3D = 0xe3e3e3;        // light edge of 3D elements
    std::uint32_t Highlight = 0x3399ff;      // selection background
    std::uint32_t HighlightText = 0xffffff;  // selection text
};

class TTransformerCatalog {
public:
    virtual ~TTransformerCatalog() = default;

    // ---- the open catalog ------------------------------------------------------
    // The catalog code (lower case) and the default data language.
    virtual std::string GetCatalogCode() const = 0;
    virtual std::string GetDefaultLangCode() const = 0;
    // The catalog's main connection (no unit of work).
    virtual TAbstractDBConnection& GetMainConnection() = 0;
    // The catalog's object factory.
    virtual TAbstractObjectFactory& GetObjectFactory() = 0;
    // The catalog's templates service.
    virtual TTemplates& GetTemplates() = 0;

    // ---- folders, texts and the user ------------------------------------------------
    // The preview folder (work files of every transformation) and the report folder.
    virtual std::string GetPreviewDir() const = 0;
    virtual std::string GetReportDir() const = 0;
    virtual const TTranslation& GetTranslation() const = 0;
    virtual TCommonGui& GetGui() = 0;
    virtual TDesktopLook GetDesktopLook() const = 0;

    // ---- items ---------------------------------------------------------------------
    // LinkedItemId of the item's row in CatalogCode (empty: the open
    // catalog); 0 when there is no row.
    virtual int GetLinkedItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) = 0;
    // The alternative file name of the item or of the item it shows; empty when none.
    virtual std::string GetAltFileName(int itemId, TAbstractDBConnection& connection,
                                       const std::string& catalogCode) = 0;
    // ItemType of the item's row; 0 when there is none.
    virtual int GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) = 0;

    // ---- catalog definition ----------------------------------------------------------
    // The template folder of that kind (0 master, 1 body) of the item type; 0 when none.
    virtual int GetItemTypeTemplateId(int itemType, int kind) = 0;
    // The ids that "mastertemplate" and "bodytemplate" stand for in rules.
    virtual void SetCurrentTemplateIds(int masterTemplateId, int bodyTemplateId) = 0;
    // An item named in a rule or a token ("current", "currenttree", "Home", a number, an item tag ...).
    virtual int ResolveItemId(const std::string& text, int currentId, int currentTreeId) = 0;
    // The default body template of the open catalog's type.
    virtual std::string GetCatalogTypeBodyTemplate() = 0;

    // ---- style catalog ---------------------------------------------------------------
    // The code of the style catalog of the open catalog's type ("t#" and the type).
    virtual std::string GetStyleCatalogCode() = 0;
    // The main connection of that type's definition database; null when none is open.
    virtual TAbstractDBConnection* GetStyleConnection() = 0;
    // Copies one item with its rows from the style catalog into the open
    // catalog, replacing the catalog's copy.
    virtual void ImportStyleItem(int itemId, const std::string& sourceCatalogCode,
                                 TAbstractDBConnection& sourceConnection, TAbstractDBConnection& connection) = 0;

    // ---- reference data and images -------------------------------------------------------
    // The web character set of a language ("iso-8859-1" when it names none).
    virtual std::string GetWebCharset(const std::string& langCode) = 0;
    // The file name of an image item ("id.subtype"); empty when it has no image data.
    virtual std::string GetImageFileName(int imageItemId, TAbstractDBConnection& connection,
                                         const std::string& catalogCode) = 0;

    // ---- page XML builder ------------------------------------------------------------------
    // A builder that appends to Document, writing progress into Log (may be null).
    virtual std::unique_ptr<TPageXmlSource> CreatePageXmlSource(xmlDoc* document, TLog* log) = 0;
};
