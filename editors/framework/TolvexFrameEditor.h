#pragma once
// The base of every page of an item's tabbed editor: a frame that reads the
// item's objects into its controls and writes them back, driven by its UI
// editor through the editing protocol (bind, save, store, cancel, language
// change, reload, data-changed notices, name changes, nested editors).
//
// A frame fills in InitControls (once, before the first load),
// LoadFromObjects and StoreToObjects, and, where it validates, Save:
//
//   bool TMyFrame::Save() {
//       if (edtName->text().isEmpty()) {
//           ShowError(...);
//           GetUIEditor()->SetInvalidControl(edtName);   // an opaque control handle
//           return false;
//       }
//       return TTolvexFrameEditor::Save();
//   }
//
// Its controls' change events call SetModified; LoadFromObjects sets
// TrackChanges to false while it fills them, so that filling never marks
// the item modified. The Qt side derives from QWidget as well and finds its
// parent widget through the frame site (editors/framework/QtFrameSite.h).
// Frames without a load/store pair of their own derive from
// TTolvexFrameViewer.
#include <memory>
#include <string>
#include <vector>

class TAbstractCObject;
class TEditorPanel;
class TTolvexControlClass;
class TTolvexItemEditor;
class TTolvexUIEditor;

class TTolvexFrameEditor {
public:
    TTolvexFrameEditor();
    virtual ~TTolvexFrameEditor();
    TTolvexFrameEditor(const TTolvexFrameEditor&) = delete;
    TTolvexFrameEditor& operator=(const TTolvexFrameEditor&) = delete;

    // ---- the protocol, as the UI editor drives it ------------------------------------------
    // Connects the frame: parameters, its own item id, charset, InitControls,
    // the content language, LoadFromObjects.
    void Bind(const std::string& tabName, TTolvexControlClass& context, TTolvexUIEditor& uiEditor);
    // Flushes and saves the nested editors, then StoreToObjects; posts the
    // armed save notice. False when a nested save failed.
    virtual bool Save();
    // Nested editors flushed, then StoreToObjects(false); no validation.
    virtual void StoreControls();
    // Nested editors cancelled; reloads unless already reverted.
    virtual void Cancel();
    // Stores into the language being left, reloads in the new one.
    virtual void LanguageChanged();
    virtual void InitControls() {}
    virtual void ReleaseControls() {}
    virtual void TabShown();
    virtual bool CanLeaveTab() { return true; }
    virtual bool NameChanged(int itemId, const std::string& newName);
    virtual void ExecuteCommand(const std::string& /*command*/) {}
    virtual void StoreIfModified();
    virtual void Reload();
    virtual std::string GetHelpKeyword(int level);
    void WatchChangeKind(int kind);
    void WatchChangeId(int id);
    virtual void NotifyDataChanged(int id, int kind);
    void ClearModified() { modified_ = false; }
    // Called after the whole item was saved and committed.
    virtual void AfterSave() {}
    std::string GetNestedTabName();
    virtual void StoreToObjects(bool languageSwitch) = 0;
    virtual void LoadFromObjects(bool languageSwitch) = 0;
    // From the controls' change events.
    void SetModified();
    bool IsModified() const { return modified_; }
    bool IsReverted() const { return reverted_; }
    // Post the data-changed notice (SaveNoticeId, SaveNoticeKind) after each save until Cancel.
    void RequestSaveNotice() { saveNoticeArmed_ = true; }

    // ---- objects ---------------------------------------------------------------------------------
    // The context item's object of the class, from the context's collection.
    TAbstractCObject* GetObject(const std::string& classXmlTag);
    TAbstractCObject* GetObjectByInstance(int instanceId);
    TAbstractCObject* CreateObject(int classId, int parentInstanceId);

    // A nested item editor on Panel, prepared to open an item under this
    // frame's context (the caller opens it); owned by the frame.
    TTolvexItemEditor& CreateNestedEditor(TEditorPanel& panel);

    const std::string& GetTabName() const { return tabName_; }
    TTolvexControlClass* GetContext() const { return context_; }
    TTolvexUIEditor* GetUIEditor() const { return uiEditor_; }
    const std::vector<std::string>& FrameParams() const { return frameParams_; }
    int FrameItemId() const { return frameItemId_; }
    const std::string& ContentLangCode() const { return contentLangCode_; }

protected:
    bool TrackChanges = true;
    int SaveNoticeKind = 0;
    int SaveNoticeId = 0;
    // The control that shows the item's name (opaque handle), when the frame has one.
    void* NameEdit = nullptr;
    // Called by NameChanged with the new name for NameEdit.
    virtual void SetNameEditText(const std::string& /*name*/) {}

private:
    std::string tabName_;
    std::vector<std::string> frameParams_;
    int frameItemId_ = 0;
    TTolvexControlClass* context_ = nullptr;
    TTolvexUIEditor* uiEditor_ = nullptr;
    std::string contentLangCode_;
    bool modified_ = false;
    bool reverted_ = false;
    bool firstShowPending_ = true;
    bool saveNoticeArmed_ = false;
    std::vector<std::string> watchedKinds_;
    std::vector<std::string> watchedIds_;
    std::vector<std::unique_ptr<TTolvexItemEditor>> nestedEditors_;
};

