#pragma once
// The preview resolver's view of the program: the catalog object with the
// open catalog's data, and the root object for the host addresses and the
// home page. The item being edited is told by the window side, which alone
// knows the item editor (see TEditorState); without it previews read the
// catalog's main connection and no item counts as edited.
#include "generation/PreviewSource.h"

#include <functional>

class TCatalog;
class TCatalogHost;
class TCatalogData;

class TCatalogPreviewSource : public TPreviewSource {
public:
    // What the window side tells of the item editor.
    struct TEditorState {
        // The connection of the item being edited; null while none is.
        std::function<TAbstractDBConnection*()> Connection;
        std::function<std::optional<TEditedItem>()> EditedItem;
    };

    // Both must outlive this object.
    TCatalogPreviewSource(TCatalog& catalog, TCatalogHost& host);
    void SetEditorState(TEditorState state) { editor_ = std::move(state); }

    std::string GetPreviewHostAddress() override;
    std::string GetStylePreviewHostAddress() override;
    bool IsOpen() override;
    bool IsStylePreview() override;
    std::string GetCatalogCode() override;
    std::string GetStylePreviewCode() override;
    std::string GetStyleCatalogCode() override;
    TAbstractDBConnection& GetCurrentConnection() override;
    TAbstractDBConnection* GetDefinitionConnection() override;
    bool CatalogExists(const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int GetHomePageId() override;
    bool ItemExists(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int FindItemByAltFileName(const std::string& name, TAbstractDBConnection& connection,
                              const std::string& catalogCode) override;
    std::optional<TEditedItem> GetEditedItem() override;
    std::string GetTransformResult(int itemId, int pageNo, const std::string& langCode) override;

private:
    // The open catalog's data; raises EDeveloperTolvexException while none is open.
    TCatalogData& Data();

    TCatalog& catalog_;
    TCatalogHost& host_;
    TEditorState editor_;
};
