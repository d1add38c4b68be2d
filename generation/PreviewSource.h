#pragma once
// What the preview resolver (TPreviewResolver) reads of the open catalog:
// whether one is open, the catalogs and connections a preview address is
// served from, the item lookups that turn a page name into an item, the
// item being edited and the generated-page cache. The program answers it
// from the catalog object and the open catalog's data
// (TCatalogPreviewSource); tests answer it over a catalog of their own.
#include <optional>
#include <string>

class TAbstractDBConnection;

class TPreviewSource {
public:
    virtual ~TPreviewSource() = default;

    // Scheme and host name of the preview host and of the style-preview host
    // ("tolvex://preview", "tolvex://stylepreview").
    virtual std::string GetPreviewHostAddress() = 0;
    virtual std::string GetStylePreviewHostAddress() = 0;

    // ---- the open catalog ------------------------------------------------------
    virtual bool IsOpen() = 0;
    // Set while the style dialog previews styles of the definition database.
    virtual bool IsStylePreview() = 0;
    virtual std::string GetCatalogCode() = 0;
    // "p#" and the catalog type: the style-preview catalog of the definition database.
    virtual std::string GetStylePreviewCode() = 0;
    // "t#" and the catalog type: the style catalog of the definition database.
    virtual std::string GetStyleCatalogCode() = 0;
    // The connection of the item being edited (so previews show unsaved
    // changes), else the catalog's main connection.
    virtual TAbstractDBConnection& GetCurrentConnection() = 0;
    // The open catalog type's definition database; null when it cannot be had.
    virtual TAbstractDBConnection* GetDefinitionConnection() = 0;
    // Whether CatalogCode names a catalog of that database (it has its
    // catalog information).
    virtual bool CatalogExists(const std::string& catalogCode, TAbstractDBConnection& connection) = 0;

    // ---- items -------------------------------------------------------------------
    virtual int GetHomePageId() = 0;
    virtual bool ItemExists(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) = 0;
    // The item whose alternative file name is Name (any item type); 0 when none.
    virtual int FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                                      const std::string& catalogCode) = 0;

    // The item being edited: the data item it shows and its own tree item.
    struct TEditedItem {
        int LinkedItemId = 0;
        int TreeItemId = 0;
    };
    // Nothing while no item editor is open.
    virtual std::optional<TEditedItem> GetEditedItem() = 0;

    // ---- generated pages -------------------------------------------------------------
    // The cached page; empty when it is not cached.
    virtual std::string GetTransformResult(int itemId, int pageNo, const std::string& langCode) = 0;
};
