#pragma once
// What the action processor acts on: the open catalog and its editor, the
// main window (its deferred messages, its catalog-action buttons), the
// settings, the style manager and the browser. The shell implements it over
// the root object; tests use a recording stand-in. No widgets here.
#include "shell/EditorOpening.h"
#include "shell/TreeCommands.h"

#include <cstdint>
#include <memory>
#include <string>

class TCommonGui;

class TActionHost {
public:
    virtual ~TActionHost() = default;

    virtual TCommonGui& Gui() = 0;
    // The translation of a text (the text itself without a dictionary).
    virtual std::string Translate(const std::string& text) = 0;

    // ---- the open catalog ----------------------------------------------------------
    virtual bool IsCatalogOpen() = 0;
    // Whether the item being edited may be left (the user may be asked to
    // save); true while there is nothing being edited.
    virtual bool CanLeave() = 0;
    // The loaded definition's action string of an action id; empty when unknown.
    virtual std::string GetActionString(int actionId) = 0;
    virtual std::string GetCatalogCode() = 0;
    // A catalog property of the open catalog; empty when missing.
    virtual std::string GetCatalogProperty(int propertyId) = 0;
    // The role of the logged-in user: 0 administrator ... 4 clerk.
    virtual int GetUserRole() = 0;
    virtual std::string GetUserName() = 0;
    virtual std::string GetPassword() = 0;
    virtual std::string GetCurrentLangCode() = 0;
    virtual void SetCurrentLangCode(const std::string& langCode) = 0;
    // Empties the cache of transformed pages.
    virtual void ClearTransformCache() = 0;

    // ---- program-wide -------------------------------------------------------------------
    // A numbered program setting.
    virtual std::string GetSetting(int settingId) = 0;
    virtual void ShowSettingsDialog() = 0;
    virtual void NewCatalogFromHost() = 0;
    // The style dialog (mode 1: an optional change); true when a style was loaded.
    virtual bool SelectStyle(int mode, bool postReopen) = 0;
    // Opens a web address in the user's browser.
    virtual void OpenUrl(const std::string& url) = 0;

    // ---- the main window ----------------------------------------------------------------
    virtual void PostMainWindowMessage(int message, std::int64_t wParam, std::int64_t lParam) = 0;
    virtual void ResetActionButtons() = 0;
    virtual void CheckActionButton(const std::string& actionString) = 0;
    virtual void UncheckActionButton(const std::string& actionString) = 0;
    virtual void SetTemplatesCaption(const std::string& captionFormat) = 0;
    virtual void UpdateReportMenu() = 0;

    // A command whose target the program does not have yet (item editors,
    // trees, publishing windows): tells the user so. What names the target.
    virtual void NotAvailable(const std::string& what) = 0;
    // ---- the item editors ----------------------------------------------------------------
    // Whether the open catalog has an item editor in the editor pane.
    virtual bool HasItemEditor() { return false; }
    // Opens what the opening asks for in the editor pane; false when the
    // item being edited may not be left or the opening failed.
    virtual bool OpenInEditor(const TEditorOpening& /*opening*/) { return false; }
    // The same in a modal editor window of its own (a wizard when asked).
    virtual bool OpenInEditorWindow(const TEditorOpening& /*opening*/) { return false; }
    // Leaves the item being edited (the user may be asked to save) and
    // empties the editor pane; false when the item may not be left.
    virtual bool EmptyEditorPane() { return false; }
    // The editors of the editor pane show the catalog's data afresh.
    virtual void RefreshEditor() {}
    // The item being edited counts as changed (its Save is offered).
    virtual void MarkEditorModified() {}
    // Starts the long operation that applies the current style of every
    // member catalog of the open catalog network.
    virtual void ApplyStyleToMembers() {}

    // Runs the publishing command of the verb ("PublishLocally", ...); false
    // when the program has no such command yet.
    virtual bool Publish(const std::string& /*verb*/) { return false; }
    // Makes the report of a report item or report template; false when there is no report command.
    virtual bool PublishReport(int /*itemId*/) { return false; }

    // ---- the open catalog's trees and search results ---------------------------------------
    // The commands on the open catalog's trees; null while it has none.
    virtual std::unique_ptr<TTreeCommands> MakeTreeCommands() { return nullptr; }
    // The templates tree's buttons follow its selected node again.
    virtual void UpdateTemplateTreeButtons() {}
    // Shows the templates tree when the user has it hidden or collapsed.
    virtual void ShowTemplatesTree() {}
    // Shows the search results an action string asks for in the editor
    // pane; false when the program cannot show them.
    virtual bool ShowSearchResult(const std::string& /*action*/) { return false; }
};
