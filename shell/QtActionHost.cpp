#include "shell/QtActionHost.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/StyleSelector.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "editors/framework/TolvexItemEditor.h"
#include "generation/StyleManager.h"
#include "shell/CatalogWindowUI.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowSearch.h"
#include "shell/OpenCatalog.h"
#include "shell/PublishingCommands.h"
#include "shell/ShellDialogs.h"
#include "shell/ShellParts.h"
#include "shell/TreePaneCommands.h"
#include "storage/AbstractDBConnectionFactory.h"

TCatalogData* TQtActionHost::Data()
{
    return p_.Open.Root().GetCatalogData();
}

TCommonGui& TQtActionHost::Gui()
{
    return p_.Gui;
}

std::string TQtActionHost::Translate(const std::string& text)
{
    return ::Translation ? ::Translation->Translate(text) : text;
}

bool TQtActionHost::IsCatalogOpen()
{
    return p_.Open.IsOpen();
}

bool TQtActionHost::CanLeave()
{
    return p_.Open.CanLeave();
}

std::string TQtActionHost::GetActionString(int actionId)
{
    const std::string prefix = std::to_string(actionId) + "=";
    for (const std::string& line : p_.Open.Root().Catalog().GetDefinition().GetActions())
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line.substr(prefix.size());
    return {};
}

std::string TQtActionHost::GetCatalogCode()
{
    return p_.Open.Code();
}

std::string TQtActionHost::GetCatalogProperty(int propertyId)
{
    TTolvexCatalog* open = p_.Open.Root().Catalog().GetOpenCatalog();
    if (!open || !open->HasConnectionFactory())
        return {};
    return TCatalog::GetCatalogProperty(propertyId, open->GetConnectionFactory().GetConnection(),
                                        open->GetCatalogCode());
}

int TQtActionHost::GetUserRole()
{
    TCatalogData* data = Data();
    return data ? data->GetUserRole() : 5;
}

std::string TQtActionHost::GetUserName()
{
    return p_.Open.Root().GetUserName();
}

std::string TQtActionHost::GetPassword()
{
    return p_.Open.Root().GetPassword();
}

std::string TQtActionHost::GetCurrentLangCode()
{
    TCatalogData* data = Data();
    return data ? data->GetCurrentLangCode() : std::string();
}

void TQtActionHost::SetCurrentLangCode(const std::string& langCode)
{
    // Nothing is asked and nothing saved: the editors store their controls
    // into the language being left and show the new one.
    TCatalogData* data = Data();
    if (!data || !data->SetCurrentLangCode(langCode))
        return;
    ClearTransformCache();
    p_.Control.UpdateLanguageControls();
    RefreshEditor();
}

void TQtActionHost::ClearTransformCache()
{
    if (TCatalogData* data = Data())
        data->GetTransformCache().ClearTransformCache();
}

std::string TQtActionHost::GetSetting(int settingId)
{
    return p_.Open.Root().Settings().IniSettings().GetString(settingId);
}

void TQtActionHost::ShowSettingsDialog()
{
    p_.Dialogs.ShowSettingsDialog();
}

void TQtActionHost::NewCatalogFromHost()
{
    p_.Open.Root().Catalog().NewCatalogFromHost();
}

bool TQtActionHost::SelectStyle(int mode, bool postReopen)
{
    TStyleSelector* selector = p_.Open.Root().GetStyleSelector();
    return selector && selector->SelectStyle(mode, postReopen);
}

void TQtActionHost::OpenUrl(const std::string& url)
{
    TShellDialogs::OpenUrl(url);
}

void TQtActionHost::PostMainWindowMessage(int message, std::int64_t wParam, std::int64_t lParam)
{
    p_.Window.PostMessage(message, wParam, lParam);
}

void TQtActionHost::ResetActionButtons()
{
    p_.Control.ResetActionButtons();
}

void TQtActionHost::CheckActionButton(const std::string& actionString)
{
    p_.Control.CheckActionButton(actionString);
}

void TQtActionHost::UncheckActionButton(const std::string& actionString)
{
    p_.Control.UncheckActionButton(actionString);
}

void TQtActionHost::SetTemplatesCaption(const std::string& captionFormat)
{
    p_.Control.SetTemplatesCaption(captionFormat);
}

void TQtActionHost::UpdateReportMenu()
{
    p_.Control.UpdateReportMenu();
}

void TQtActionHost::NotAvailable(const std::string& what)
{
    p_.Dialogs.NotAvailable(what);
}

bool TQtActionHost::HasItemEditor()
{
    return p_.Open.MainEditor() != nullptr;
}

bool TQtActionHost::OpenInEditor(const TEditorOpening& opening)
{
    TCatalogWindowUI* ui = p_.Open.WindowUI();
    return ui && ui->OpenInMainEditor(opening);
}

bool TQtActionHost::OpenInEditorWindow(const TEditorOpening& opening)
{
    TCatalogWindowUI* ui = p_.Open.WindowUI();
    return ui && ui->OpenInEditorWindow(opening);
}

bool TQtActionHost::EmptyEditorPane()
{
    TCatalogWindowUI* ui = p_.Open.WindowUI();
    return ui && ui->EmptyMainEditor();
}

void TQtActionHost::RefreshEditor()
{
    if (TTolvexItemEditor* editor = p_.Open.MainEditor())
        editor->RefreshEditors();
}

void TQtActionHost::MarkEditorModified()
{
    if (TTolvexItemEditor* editor = p_.Open.MainEditor())
        editor->SetModified();
}

void TQtActionHost::ApplyStyleToMembers()
{
    p_.Open.Root().StyleManager().ApplyStyleToMembers();
}

bool TQtActionHost::PublishReport(int itemId)
{
    p_.Publishing.PublishReport(itemId);
    return true;
}

bool TQtActionHost::Publish(const std::string& verb)
{
    return p_.Publishing.Publish(verb);
}

std::unique_ptr<TTreeCommands> TQtActionHost::MakeTreeCommands()
{
    return p_.Trees.MakeTreeCommands();
}

void TQtActionHost::UpdateTemplateTreeButtons()
{
    p_.Trees.UpdateTemplateTreeButtons();
}

void TQtActionHost::ShowTemplatesTree()
{
    p_.Control.SetTemplatesVisible(true);
}

bool TQtActionHost::ShowSearchResult(const std::string& action)
{
    return p_.Search.ShowSearchResult(action);
}
