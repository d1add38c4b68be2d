#pragma once
// What the action processor acts on in the program with its main window:
// the open catalog through the root object, the main window's messages and
// catalog-action buttons through the GUI controller, the dialogs, the
// publishing commands, the tree commands and the search results: the
// shell's other parts, reached when an action runs.
#include "shell/ActionHost.h"

class TCatalogData;
struct TShellParts;

class TQtActionHost : public TActionHost {
public:
    // Parts must outlive the object; its members are used only once they all exist.
    explicit TQtActionHost(TShellParts& parts) : p_(parts) {}

    TCommonGui& Gui() override;
    std::string Translate(const std::string& text) override;
    bool IsCatalogOpen() override;
    bool CanLeave() override;
    std::string GetActionString(int actionId) override;
    std::string GetCatalogCode() override;
    std::string GetCatalogProperty(int propertyId) override;
    int GetUserRole() override;
    std::string GetUserName() override;
    std::string GetPassword() override;
    std::string GetCurrentLangCode() override;
    void SetCurrentLangCode(const std::string& langCode) override;
    void ClearTransformCache() override;
    std::string GetSetting(int settingId) override;
    void ShowSettingsDialog() override;
    void NewCatalogFromHost() override;
    bool SelectStyle(int mode, bool postReopen) override;
    void OpenUrl(const std::string& url) override;
    void PostMainWindowMessage(int message, std::int64_t wParam, std::int64_t lParam) override;
    void ResetActionButtons() override;
    void CheckActionButton(const std::string& actionString) override;
    void UncheckActionButton(const std::string& actionString) override;
    void SetTemplatesCaption(const std::string& captionFormat) override;
    void UpdateReportMenu() override;
    void NotAvailable(const std::string& what) override;
    bool PublishReport(int itemId) override;
    bool HasItemEditor() override;
    bool OpenInEditor(const TEditorOpening& opening) override;
    bool OpenInEditorWindow(const TEditorOpening& opening) override;
    bool EmptyEditorPane() override;
    void RefreshEditor() override;
    void MarkEditorModified() override;
    void ApplyStyleToMembers() override;
    bool Publish(const std::string& verb) override;
    std::unique_ptr<TTreeCommands> MakeTreeCommands() override;
    void UpdateTemplateTreeButtons() override;
    void ShowTemplatesTree() override;
    bool ShowSearchResult(const std::string& action) override;

private:
    // The data of the catalog being opened or open; null when there is none.
    TCatalogData* Data();

    TShellParts& p_;
};
