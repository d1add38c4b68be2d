#pragma once
// The UI editors of one opened item, shown as the tabs of one page control
// on the host panel (the main window's editor pane or an editor window),
// or, when there is a single editor that shows its frame directly, without
// tabs. It decides which UI editors the item gets (the item type's editor
// list, filtered by each editor's condition), checks that the user's role
// may save through every editor, runs the item manager's hooks around the
// editors' save, shows the first field reported invalid, picks the tab to
// open first and passes every protocol event on to its UI editors.
//
// Editor conditions (the value of an editor-list line, case counts):
// empty: always; "IsLinked": the opened place is a link; "HasLinked": other
// places link to the item; "Advanced" / "Simplified": the user's advanced
// mode is on / off; "CatalogCode=" and a code: the open catalog has exactly
// that code (always while none is open); anything else: always.
#include "editors/framework/EditorPages.h"

#include <memory>
#include <string>
#include <vector>

class TEditorPanel;
class TTolvexControlClass;
class TTolvexItemEditor;
class TTolvexItemManager;
class TTolvexUIEditor;

class TItemEditorContainer : public TEditorPagesListener {
public:
    TItemEditorContainer();
    ~TItemEditorContainer() override;
    TItemEditorContainer(const TItemEditorContainer&) = delete;
    TItemEditorContainer& operator=(const TItemEditorContainer&) = delete;

    // Raises EDeveloperTolvexException "Already Inited" the second time.
    void Initialize(int itemId, int treeItemId, const std::string& startTabName, TTolvexItemEditor* itemEditor,
                    TTolvexControlClass& context, TEditorPanel& hostPanel, int editorKind, int parentItemId,
                    int linkedItemId, int itemType);
    // An editor name, "=" and a condition: the only editor to show; Params
    // its parameter string when the definition gives it none.
    void SetSingleEditor(const std::string& editorAndCondition, std::string params = {})
    {
        singleEditor_ = editorAndCondition;
        singleEditorParams_ = std::move(params);
    }
    // Builds the editors; false (nothing left behind) when an editor could
    // not be created. Raises "Already Showed" the second time.
    bool Show(bool isNewItem);

    bool IsSinglePage() const { return singlePage_; }
    TEditorPanel& GetHostPanel() { return *hostPanel_; }
    TEditorPages* GetPageControl() { return pages_; }
    void RefreshEditors();
    bool Save();
    void Cancel();
    void GetPreferredSize(int& width, int& height) const;
    void SetActiveTabName(const std::string& name);
    std::string GetActiveTabName();
    const std::string& GetStartTabName() const { return startTabName_; }
    // Renames the item: a frame that shows the name takes it, else the
    // item's names object gets it; either way the item counts as modified.
    void NameChanged(int itemId, const std::string& newName);
    void ClearEditors();
    void GoToPreviousTab();
    std::string GetHelpKeyword(int level);
    void ShowHelp();
    void FlushOwnerEditor();
    void ReloadEditors();
    void StoreControls();
    void NotifyDataChanged(int id, int kind);
    void AfterSave();
    void ActivateCurrentTab();
    void FocusEditor();
    void SetInvalidControl(void* control);

    bool CheckEditorCondition(const std::string& condition);
    bool ActivateTabByName(const std::string& names);
    void UpdateCaption(TTolvexItemManager* itemManager);
    // The caption again from the item's present name (after a rename not yet saved).
    void RefreshCaption();
    const std::vector<std::unique_ptr<TTolvexUIEditor>>& Editors() const { return editors_; }

    // ---- TEditorPagesListener --------------------------------------------------
    bool PageChanging() override;
    void PageChanged() override;

private:
    void LoadLinkInfo();
    // A new page takes the name its tree node shows, in the default language.
    void NameNewPage(TTolvexItemManager& manager);
    bool MaySaveThrough(const TTolvexUIEditor& editor) const;
    std::unique_ptr<TTolvexUIEditor> CreateEditor(const std::string& name);
    std::vector<std::string> EditorList() const;

    bool initialized_ = false;
    bool shown_ = false;
    int itemId_ = 0;
    int treeItemId_ = 0;
    int linkedItemId_ = 0;
    int parentItemId_ = 0;
    int itemType_ = 0;
    int editorKind_ = 0;
    bool linkInfoLoaded_ = false;
    bool hasLinked_ = false;
    std::string startTabName_;
    std::string singleEditor_;
    std::string singleEditorParams_;
    bool singlePage_ = true;
    TEditorPanel* hostPanel_ = nullptr;
    TTolvexControlClass* context_ = nullptr;
    TTolvexItemEditor* itemEditor_ = nullptr;
    std::vector<std::unique_ptr<TTolvexUIEditor>> editors_;
    TEditorPages* pages_ = nullptr;
    int previousPage_ = -1;
    int currentPage_ = -1;
    void* invalidControl_ = nullptr;
};
