#pragma once
// The editing context of one opened item: the one object that the UI
// editors, frames and item managers of that item talk to. It knows which
// item is edited, owns the object collection through which frames read and
// write the item's objects and the connection through which they are
// stored, and stands between the editors and what hosts them (the main
// window's editor pane, or an editor window of its own in dialog mode).
//
// How edits reach the database. A connection that has written holds the
// database's one write lock until it commits or rolls back, so the context
// never leaves writes in its unit of work while the user works:
//  - unsaved values live in the frames and in the objects of the collection;
//  - Save writes them, the deferred writes (DeferUntilSave) and the item's
//    validation flags in one unit and commits it at once: a save is whole
//    or absent;
//  - a preview (WithUnsavedValues) writes them inside a savepoint, runs the
//    page generation through the same connection (so the page shows them)
//    and rolls the savepoint back right after; the objects keep their
//    changes for the real save, and the lock is given up again;
//  - a write that must be visible before Save (a new item's rows, which the
//    trees show) is committed at once with an undo action (CommitNow,
//    AddUndoAction) that Cancel applies;
//  - a context on a borrowed connection (a dialog, a nested editor) hands
//    its committed writes and their undo actions to the context that owns
//    the connection, whose Save keeps them and whose Cancel undoes them
//    (editors/framework/DialogWriteChannel.h).
// A failed save is rolled back whole; the objects keep the user's edits.
//
// A nested context (an item editor inside a frame of another item) shares
// its parent's connection, objects, language and modified state.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/framework/EditingServices.h"

class TAbstractDBConnection;
class TAbstractDBConnectionFactory;
class TCatalogData;
class TEditorHost;
class TEditorPanel;
class TEditorWindow;
class TItemEditorContainer;
class TObjectCollection;
class TTolvexItemEditor;
class TTolvexObjectFactory;
class TReferences;

class TTolvexControlClass {
public:
    using TWrite = std::function<void(TAbstractDBConnection&)>;

    explicit TTolvexControlClass(const TEditingServices& services);
    virtual ~TTolvexControlClass();
    TTolvexControlClass(const TTolvexControlClass&) = delete;
    TTolvexControlClass& operator=(const TTolvexControlClass&) = delete;

    // Uses Connection (not owned), or opens a second connection of the open
    // catalog with its unit of work begun (owned); opens the collection on it.
    void Initialize(TAbstractDBConnection* connection);
    // Dialog mode, once: creates the own editor window; its panel.
    TEditorPanel& CreateContainerForm();
    // Every container refreshes its editors; the own window's language panel repaints.
    void NotifyLanguageChanged();

    // ---- host ----------------------------------------------------------------------------
    virtual void SetCaption(const std::string& text);
    virtual void SetModified(bool modified);
    virtual bool IsModified() const;
    virtual void SetCancelVisible(bool visible);
    virtual void SetOkCaption(const std::string& text);
    // 1 at once without an owned window; else the window's modal result,
    // after which the context has saved (1) or cancelled (any other).
    virtual int ShowModal();
    virtual void SetStatusText(int panel, const std::string& text);
    virtual void ShowSavePanel(bool visible);
    virtual TEditorWindow* GetContainerForm() const { return window_; }
    // Uses Window (not owned); false for none.
    virtual bool SetContainerForm(TEditorWindow* window);
    virtual bool OwnsContainerForm() const { return ownsWindow_; }
    virtual void PressOk();
    virtual void PressCancel();
    // The own window, else the main window's editor pane; null when neither exists.
    TEditorHost* Host() const;

    // ---- catalog ---------------------------------------------------------------------------
    TAbstractDBConnectionFactory& GetConnectionFactory();
    TAbstractDBConnectionFactory* GetDefinitionFactory();
    TReferences& GetReferences();
    TAbstractDBConnection& GetConnection();
    std::string GetCatalogCode() const;
    std::string GetTempDir() const;
    std::string GetAppDir() const;
    TTolvexObjectFactory& GetObjectFactory();
    int GetUserRole() const;
    // A catalog property: the value set through this context since the last
    // save, else the stored one. A value set is written with the next save.
    std::string GetCatalogOption(int optionId);
    void SetCatalogOption(int optionId, const std::string& value);
    int FindFirstItemOfType(int itemType);
    // A named dialog of the catalog on this context's connection; true on Ok.
    bool RunDialog(const std::string& dialogName, std::vector<std::string>& params);
    TObjectCollection& GetObjectCollection();
    const TEditingServices& Services() const { return services_; }
    TCatalogData* Data() const;

    // ---- item ------------------------------------------------------------------------------
    int GetItemId() const { return itemId_; }
    void SetItemId(int id) { itemId_ = id; }
    int GetTreeItemId() const { return treeItemId_; }
    void SetTreeItemId(int id) { treeItemId_ = id; }
    int GetItemType() const { return itemType_; }
    void SetItemType(int type) { itemType_ = type; }
    int GetParentItemId() const { return parentItemId_; }
    void SetParentItemId(int id) { parentItemId_ = id; }
    int GetUserPriority() const;
    void SetUserPriority(int flags);
    void MarkNewItem();
    bool IsNewItem() const;
    void SetActionString(const std::string& text) { actionString_ = text; }
    const std::string& GetActionString() const { return actionString_; }
    void SetParams(std::vector<std::string>* params) { params_ = params; }
    std::vector<std::string>* GetParams() const { return params_; }
    void SetItemEditor(TTolvexItemEditor* editor) { itemEditor_ = editor; }
    TTolvexItemEditor* GetItemEditor() const { return itemEditor_; }
    void SetParentContext(TTolvexControlClass* parent) { parent_ = parent; }
    bool HasParentContext() const { return parent_ != nullptr; }
    TTolvexControlClass* GetParentContext() const { return parent_; }

    // ---- saving ----------------------------------------------------------------------------
    virtual bool SaveChanges();
    virtual bool SaveEditorsAndObjects();
    virtual bool SaveObjects();
    virtual void CancelChanges();
    // 1: the item may be left (saved, or discarded); 0: stay.
    virtual int QuerySaveChanges();
    void AddRefreshFlag(int bit) { refreshFlags_ |= bit; }
    int GetRefreshFlags() const { return refreshFlags_; }
    // Every registered container's AfterSave.
    void NotifySaved();

    // Runs Generate with the unsaved values written into this context's
    // connection (controls stored into the objects first), then undoes those
    // writes; the objects keep their changes. False when the values could
    // not be written (Generate then does not run).
    bool WithUnsavedValues(const TWrite& generate);
    // Runs Write on the connection and commits it at once: on a borrowed
    // connection through the context that owns it; on a connection no
    // context owns (the main connection) the write stands by itself.
    void CommitNow(const TWrite& write);
    // An action that undoes a committed write; Cancel applies them, last
    // first. On a borrowed connection the owner's Cancel applies it.
    void AddUndoAction(TWrite undo);
    // A write applied by the next save, inside its unit; Cancel drops it. A
    // failed save keeps it for the next one.
    void DeferUntilSave(TWrite write);
    // The same, in place of the write deferred before under Key: a value a
    // frame stores again and again (each preview and language switch stores
    // the controls) is written once, as it was stored last.
    void DeferUntilSave(const std::string& key, TWrite write);

    // ---- language, text and help ------------------------------------------------------------------------
    std::string GetCurrentLangCode() const;
    // The editing language of the own window alone; every container refreshes.
    void SetCurrentLangCode(const std::string& langCode);
    std::string Translate(const std::string& text) const;
    std::string TranslateFmt(const std::string& text, const std::vector<std::string>& args) const;
    // Text of the current language; receives the dialog's new text on Ok.
    bool EditValueInAllLanguages(int itemId, const std::string& classXmlTag, std::string& text,
                                 const std::string& memberXmlTag);
    void ShowHelp();

    // ---- the program --------------------------------------------------------------------------------------
    void ExecuteAction(const std::string& action, bool check);
    void QueueAction(const std::string& action, bool check);
    // Posts the data-changed notice (main-window message +17).
    void PostReloadNotice(int id, int kind);

    // ---- containers and sizes --------------------------------------------------------------------------------
    void AddEditorContainer(TItemEditorContainer* container) { containers_.push_back(container); }
    const std::vector<TItemEditorContainer*>& Containers() const { return containers_; }
    void UpdateMaxSize(int width, int height);
    int PreferredWidth() const { return preferredWidth_; }
    int PreferredHeight() const { return preferredHeight_; }

private:
    bool IsForwarded() const { return parent_ && !window_; }
    // The context that commits this one's writes: the parent, or the owner
    // of the borrowed connection; null when this context commits them.
    TTolvexControlClass* WriteOwner() const;
    bool WriteObjects();
    void UndoWrites();
    void ShowValidation(int flags, const std::string& messages);

    TEditingServices services_;
    int itemId_ = 0;
    int treeItemId_ = 0;
    int itemType_ = 0;
    int parentItemId_ = 0;
    int userPriority_ = 0;
    TTolvexControlClass* parent_ = nullptr;
    std::string actionString_;
    std::string langOverride_;
    bool modified_ = false;
    bool newItem_ = false;
    int refreshFlags_ = 0;
    std::unique_ptr<TAbstractDBConnection> ownConnection_;
    TAbstractDBConnection* connection_ = nullptr;
    std::unique_ptr<TObjectCollection> collection_;
    std::vector<TItemEditorContainer*> containers_;
    std::vector<std::string>* params_ = nullptr;
    int preferredWidth_ = 0;
    int preferredHeight_ = 0;
    TTolvexItemEditor* itemEditor_ = nullptr;
    TEditorWindow* window_ = nullptr;
    std::unique_ptr<TEditorWindow> ownWindow_;
    bool ownsWindow_ = false;
    std::vector<TWrite> undoActions_;
    // In the order they are applied; the key is empty for a write without one.
    std::vector<std::pair<std::string, TWrite>> deferredWrites_;
    std::map<int, std::string> pendingOptions_;
};
