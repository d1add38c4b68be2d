#pragma once
// The open catalog in the main window: the web tree (items from the root,
// item 1) and the templates tree (item 5), each a tree manager over the
// catalog's main connection with a view in its pane of the main window.
// Selecting a node shows the item in the editor pane. Views are destroyed
// before their managers, and the panes get their placeholder trees back.
#include "catalog/CatalogDataUI.h"

#include <cstdint>
#include <memory>

class QWidget;
class TCatalogData;
class TCatalogTreeHost;
class TCatalogTreeView;
class TCommonGui;
class TGUIControl;
class TTolvex;
class TTreeManager;
class TfrmMain;

class TCatalogWindowUI : public TCatalogDataUI {
public:
    // All must outlive the object. GuiControl may be null (no cached icons).
    TCatalogWindowUI(TTolvex& root, TCatalogData& data, TCommonGui& gui, TfrmMain& window,
                     TGUIControl* guiControl);
    ~TCatalogWindowUI() override;

    void Build() override;
    void SelectWebTreeItem(int itemId) override;
    bool CanLeave(bool navigating) override;
    void Clear() override;

    TTreeManager* WebTree() { return webTree_.get(); }
    TTreeManager* TemplatesTree() { return templatesTree_.get(); }
    TCatalogTreeView* WebTreeView() { return webView_; }
    TCatalogTreeView* TemplatesTreeView() { return templatesView_; }

    // The root item of the web tree and the template tree and their options.
    static constexpr int kWebTreeRoot = 1;
    static constexpr int kTemplatesTreeRoot = 5;
    static std::uint16_t WebTreeOptions(int catalogType);
    static constexpr std::uint16_t kTemplatesTreeOptions = 0x1962;

private:
    TCatalogTreeView* MakeView(TTreeManager& manager, QWidget* placeholder);
    void ShowSelected(TTreeManager& manager);

    TTolvex& root_;
    TCatalogData& data_;
    TCommonGui& gui_;
    TfrmMain& window_;
    TGUIControl* guiControl_;
    std::unique_ptr<TCatalogTreeHost> host_;
    std::unique_ptr<TTreeManager> webTree_;
    std::unique_ptr<TTreeManager> templatesTree_;
    TCatalogTreeView* webView_ = nullptr;
    TCatalogTreeView* templatesView_ = nullptr;
};
