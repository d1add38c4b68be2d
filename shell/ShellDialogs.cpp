#include "shell/ShellDialogs.h"

#include "gui/HelpRequests.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/Deployment.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "generation/ui/frmSelectStyle.h"
#include "gui/UiText.h"
#include "shell/Login.h"
#include "shell/SelectDirectory.h"
#include "shell/SettingsModel.h"
#include "shell/frmAbout.h"
#include "shell/frmChangeCatalogCode.h"
#include "shell/frmSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/NameValueLines.h"
#include "storage/References.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include <cstdlib>

using UiText::Q;
using UiText::S;

TShellDialogs::TShellDialogs(TTolvex& root, TCommonGui& gui, THelpRequests& help, QWidget& parent,
                             const TEnvironmentCheck* environmentCheck)
    : root_(root), gui_(gui), help_(help), parent_(parent), environmentCheck_(environmentCheck)
{
}

// ---- the login flows ---------------------------------------------------------------------------

TLogin TShellDialogs::Login()
{
    TLoginModel::THostDownload download;
    if (hostDownload_)
        download = [this](const TLoginRequest&) { return hostDownload_(); };
    return TLogin({root_, gui_, ::Translation, &parent_, &help_, &TShellDialogs::OpenUrl, download});
}

bool TShellDialogs::AskHostAccount(std::string& userName, std::string& password)
{
    return Login().AskHostAccount(userName, password);
}

void TShellDialogs::LoginShowWelcome(const std::string& catalogName, bool autoOpen)
{
    Login().ShowWelcome(catalogName, autoOpen);
}

void TShellDialogs::LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName,
                                     const std::string& dbType)
{
    Login().OpenCatalog(dbDir, catalogName, dbType);
}

void TShellDialogs::LoginNewCatalog()
{
    Login().NewCatalog();
}

void TShellDialogs::LoginNewCatalogFromHost()
{
    Login().NewCatalogFromHost();
}

// ---- dialogs ---------------------------------------------------------------------------------------

bool TShellDialogs::AskNewCatalogCode(const std::string& oldCode, std::string& newCode)
{
    TfrmChangeCatalogCode dialog(oldCode, gui_, &help_, &parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    newCode = dialog.NewCode();
    return true;
}

void TShellDialogs::ShowSettingsDialog()
{
    TSettingsModel model(root_.Settings().IniSettings(), root_.Settings().AppDir(),
                         [this](const std::string& code) { return root_.References().GetLanguageName(code); });
    TfrmSettings dialog(
        model, gui_, &help_,
        [this](const std::string& folder, const std::string& alias) { return ChooseFolder(folder, alias); }, {},
        &parent_);
    dialog.exec();
}

void TShellDialogs::ShowAboutBox()
{
    TfrmAbout::TContent content;
    content.Version = S(QApplication::applicationVersion());
    content.HomePage = Deployment::kMakerSite;
    content.SupportAddress = Deployment::kSupportAddress;
    content.Folders = AboutText();
    content.Environment = environmentCheck_;
    content.Help = &help_;
    content.OpenUrl = &TShellDialogs::OpenUrl;
    TfrmAbout about(std::move(content), &parent_);
    about.exec();
}

std::string TShellDialogs::AboutText() const
{
    TGlobalSettings& settings = root_.Settings();
    std::string text = "Tolvex " + S(QApplication::applicationVersion());
    text += "\n\nProgram folder: " + settings.AppDir();
    text += "\nSettings file: " + settings.IniSettings().FileName();
    text += "\nDatabases folder: " + DatabasesFolder(settings.AppDir());
    text += "\nCatalog databases: " + settings.GetDatabasePath();
    return text;
}

std::unique_ptr<TStyleDialog> TShellDialogs::CreateStyleDialog()
{
    auto dialog = std::make_unique<TfrmSelectStyle>(root_, gui_, ::Translation, &parent_);
    THelpRequests* help = &help_;
    dialog->SetHelpHandler([help](const std::string& alias) { help->ShowHelpForAliases({alias}); });
    return dialog;
}

// ---- pickers ---------------------------------------------------------------------------------------

std::string TShellDialogs::ChooseFolder(const std::string& initialFolder, const std::string& helpAlias)
{
    if (folderChooser_)
        return folderChooser_(initialFolder, helpAlias);
    return SelectDirectoryDialog(initialFolder, helpAlias, gui_, &help_, &parent_);
}

bool TShellDialogs::ChoosePage(int& pageId, std::string& pageName, std::vector<std::string> params)
{
    if (pageChooser_)
        return pageChooser_(pageId, pageName);
    // The catalog's page picker, on the main connection.
    TCatalogData* data = root_.Catalog().IsOpen() ? root_.GetCatalogData() : nullptr;
    if (!data)
        return false;
    if (!data->RunDialog("SelectPage", data->GetConnectionFactory().GetConnection(), params))
        return false;
    const int id = std::atoi(ValueOfName(params, "PageId").c_str());
    if (id <= 0)
        return false;
    pageId = id;
    pageName = ValueOfName(params, "PageName");
    return true;
}

// ---- messages and the browser ------------------------------------------------------------------------

void TShellDialogs::OpenUrl(const std::string& url)
{
    // A local path (the locally published site) opens as the file it names,
    // spaces and all.
    const QString address = Q(url);
    QDesktopServices::openUrl(address.startsWith('/') ? QUrl::fromLocalFile(address) : QUrl(address));
}

void TShellDialogs::NotAvailable(const std::string& what)
{
    const std::string message = ::Translation ? ::Translation->Format("$1 is not available yet.", {what})
                                              : what + " is not available yet.";
    gui_.ShowInformation(message, false, "");
}
