#pragma once
// Opens items. Given an item (or an item type, or a request to create a new
// item) it builds a fresh editing context and a tabbed container on its host
// panel, or in an editor window of its own when it has none (dialog mode),
// keeps the catalog trees in step (new item nodes, names and refreshes after
// a save, the item's node when it was opened from elsewhere) and answers
// whether the current item may be left (save, discard or stay).
//
// The main editor fills the main window's editor pane while a catalog is
// open; temporary editors serve one modal opening (editor windows, dialogs,
// wizards); nested editors live inside a frame and share its context.
//
// A new item (item id -2) is created at once with its rows committed, so
// that the trees can show it; Cancel deletes it again (an undo action of
// the context) and returns to the item open before.
#include "editors/framework/EditingServices.h"

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TEditorPanel;
class TItemEditorContainer;
class TTolvexControlClass;
class TTreeManager;

class TTolvexItemEditor {
public:
    // HostPanel null: dialog mode (an editor window per opening).
    TTolvexItemEditor(const TEditingServices& services, TEditorPanel* hostPanel);
    ~TTolvexItemEditor();
    TTolvexItemEditor(const TTolvexItemEditor&) = delete;
    TTolvexItemEditor& operator=(const TTolvexItemEditor&) = delete;

    // 1: may be left (nothing changed, saved, or discarded); 0: stay.
    int CloseQuery(bool navigate);
    bool Save();
    void Cancel(bool cancelEditors);
    // Leaves the item without asking (callers ask CloseQuery first): its
    // editors and its editing context go, and nothing is open any more.
    void Close();
    void RefreshEditors();
    int GetItemId() const { return currentItemId_; }
    int GetItemType() const { return currentItemType_; }
    int GetTreeItemId() const { return treeItemId_; }
    int GetLinkedItemId() const { return linkedItemId_; }
    // Params: the parameter list for the editors (may be null; not owned).
    bool OpenItem(int itemId, int treeItemId, int itemType, std::vector<std::string>* params, int editorKind);
    // EditorParams: the editor's parameter string when the definition gives it none.
    bool OpenItemWithEditor(int itemId, int treeItemId, int itemType, const std::string& editorType,
                            const std::string& editorCondition, std::vector<std::string>* params,
                            const std::string& editorParams = {});
    void SetParentContext(TTolvexControlClass* context) { parentContext_ = context; }
    void SetConnection(TAbstractDBConnection* connection) { connection_ = connection; }
    void SetTabName(const std::string& name) { tabName_ = name; }
    std::string GetTabName();
    void AddTreeManager(TTreeManager* tree) { trees_.push_back(tree); }
    void PrepareOpen(int parentItemId, int linkedItemId, const std::string& actionString,
                     const std::string& tabName);
    void NameChanged(int itemId, const std::string& newName);
    void ClearEditors();
    TAbstractDBConnection* GetConnection();
    std::string GetHelpKeyword(int level);
    // Controls into the objects; at top level also the editors' save into
    // the objects without writing them (a preview writes them itself,
    // through the context's WithUnsavedValues).
    void FlushChanges();
    void ReloadEditors();
    void NotifyDataChanged(int id, int kind);
    void SetModified();
    void ActivateCurrentTab();
    void FocusEditor();
    void SetWizardMode(bool wizard) { wizard_ = wizard; }
    bool IsWizardMode() const { return wizard_; }
    // The catalog's main editor (the editor pane's).
    void SetMainEditor(bool main) { main_ = main; }

    // The flags of the item type's item manager (and, for the home page, of
    // type 2004's); Messages receives their texts.
    int ValidateItem(int itemType, std::string& messages);

    TTolvexControlClass* Context() const { return context_.get(); }
    TItemEditorContainer* Container() const { return container_.get(); }
    std::vector<std::string>& OwnParams() { return ownParams_; }

private:
    bool CreateNewItem(int itemType, int& itemId);
    bool OnlyPlaceholders() const;
    void ReplaceNewTreeNode(int newItemId, int itemType, int orderNum, int linkedItemId);
    void DeselectOtherNodes(int itemId);
    void LocateInTree(int treeItemId);
    void RefreshTreeNodes();
    void RenameTreeNodes(int itemId, const std::string& name);
    void FreeOpening();

    TEditingServices services_;
    TEditorPanel* hostPanel_;
    TTolvexControlClass* parentContext_ = nullptr;
    TAbstractDBConnection* connection_ = nullptr;
    std::unique_ptr<TTolvexControlClass> context_;
    std::unique_ptr<TItemEditorContainer> container_;
    int currentItemId_ = 0;
    int currentItemType_ = 0;
    int treeItemId_ = 0;
    int linkedItemId_ = 0;
    int parentItemId_ = 0;
    int previousItemId_ = 0;
    int previousItemType_ = 0;
    bool newItemCreated_ = false;
    std::string actionString_;
    std::string tabName_;
    bool tabNameSet_ = false;
    std::string editorSpec_;
    std::string editorParams_;
    bool wizard_ = false;
    bool main_ = false;
    std::vector<std::string> ownParams_;
    std::vector<TTreeManager*> trees_;
};
