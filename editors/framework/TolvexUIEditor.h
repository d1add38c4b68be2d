#pragma once
// A UI editor contributes one or more tabs to the editor of an opened item.
// The item type's editor list names it; the container creates it by name
// through the plug-in registry with the definition's parameter string, then
// calls SetContext, GetPreferredSize and CreatePages, and from then on
// forwards every step of the editing protocol to it, which it forwards to
// its frames. A tab's frame is created only when the tab is first shown
// (at once when the editor shows a single frame without tabs).
//
// A UI editor adds its tabs in CreatePages:
//
//   void TMyEditor::CreatePages() {
//       AddTab("Properties", "MyEditor-properties", &kPropertiesFrameClass);
//       if (GetContext()->GetUserRole() == 0)
//           AddTab("Advanced", "MyEditor-advanced", &kAdvancedFrameClass);
//   }
//
// Editors whose tabs are alternative views of one value set ActiveTabOnly
// in their constructor: only the current tab's frame is saved, reloaded
// and told of language changes, and leaving a tab stores it.
#include "catalog/AbstractUIEditor.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TAbstractFrameClass;
class TFrameSite;
class TItemEditorContainer;
class TTolvexControlClass;
class TTolvexFrameEditor;

class TTolvexUIEditor : public TAbstractUIEditor {
public:
    TTolvexUIEditor(std::string name, std::string params);
    ~TTolvexUIEditor() override;

    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

    void SetContext(TTolvexControlClass& context, TItemEditorContainer& container);
    virtual void CreatePages() = 0;
    // The active page changed; reacts only to its own pages.
    virtual void TabActivated();
    virtual bool CanLeaveTab();
    virtual bool SelectTab(const std::string& tabName);
    virtual bool IsSingleFrame() const { return false; }
    // Whether this editor only stands for one the program does not have yet.
    virtual bool IsPlaceholder() const { return false; }
    virtual bool Save();
    virtual void Cancel();
    // The roles that may save through this editor: {0, 1, 3, 4}.
    virtual std::set<int> GetSaveRoles() const { return {0, 1, 3, 4}; }
    virtual void GetPreferredSize(int& width, int& height) const { width = height = 0; }
    virtual void LanguageChanged();
    virtual bool NameChanged(int itemId, const std::string& newName);
    void GoToPreviousTab();
    virtual std::string GetActiveTabName();
    std::string GetStartTabName() const;
    virtual void SendCommand(const std::string& command);
    virtual std::string GetHelpKeyword(int level);
    virtual void Reload();
    virtual void StoreControls();
    virtual void NotifyDataChanged(int id, int kind);
    virtual void AfterSave();
    // A frame reports the control that refused its value (opaque handle).
    void SetInvalidControl(void* control);

    // Every frame of the tab of that name stores when modified.
    void StoreTab(const std::string& tabName);

    TTolvexControlClass* GetContext() const { return context_; }
    TItemEditorContainer* GetContainer() const { return container_; }
    const std::string& CurrentTabName() const { return currentTabName_; }
    // The created frame of a tab, null when it was never shown.
    TTolvexFrameEditor* FrameOfTab(const std::string& tabName) const;
    std::size_t TabCount() const { return tabs_.size(); }

protected:
    void AddTab(const std::string& caption, const std::string& tabName, const TAbstractFrameClass* frameClass);
    bool ActiveTabOnly = false;

private:
    struct TTab {
        int page = -1;  // none in single-frame mode
        std::string name;
        std::unique_ptr<TTolvexFrameEditor> frame;
        const TAbstractFrameClass* frameClass = nullptr;
    };
    TTolvexFrameEditor* CreateFrame(TTab& tab, TFrameSite& site);
    // The frames that take part in a broadcast: every created one, or in
    // ActiveTabOnly mode the current tab's.
    std::vector<TTolvexFrameEditor*> BroadcastFrames() const;
    std::vector<TTolvexFrameEditor*> CreatedFrames() const;
    std::string ReportedName(const TTab& tab) const;

    std::string name_;
    std::string params_;
    TTolvexControlClass* context_ = nullptr;
    TItemEditorContainer* container_ = nullptr;
    std::string currentTabName_;
    std::vector<TTab> tabs_;
};
