// The publishing and export commands of the main window: each asks for what
// its operation needs, remembers the answers as catalog properties and
// starts the operation in a modeless runner window with its own connection.
#include "shell/QtShell.h"

#include <cstdlib>

#include "catalog/CatalogData.h"
#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "publishing/ExportFileName.h"
#include "publishing/ExportFroogle.h"
#include "publishing/ExportImages.h"
#include "publishing/ExportTemplates.h"
#include "publishing/FolderCheck.h"
#include "publishing/FroogleSettings.h"
#include "publishing/FtpPublishParameters.h"
#include "publishing/PublishFtp.h"
#include "publishing/PublishLocally.h"
#include "publishing/PublishParameters.h"
#include "publishing/WorkFolder.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmFtpAuthorization.h"
#include "publishing/ui/frmFtpPublishParameters.h"
#include "publishing/ui/frmPublishParameters.h"
#include "shell/GuiControl.h"
#include "shell/HelpSystem.h"
#include "shell/MainWindow.h"
#include "shell/SelectDirectory.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/NameValueLines.h"

namespace {

constexpr int kPropertyLastPublishFolder = 710;
constexpr int kPropertyIndexFileName = 711;
constexpr int kPropertyImageExportFolder = 721;
constexpr int kPropertyTemplateExportFolder = 729;

// Makes an operation of class T that takes the parameters, the connection and the environment.
template <typename T>
TfrmDetailProcess::TPublisherFactory FactoryOf(TCommonGui& gui, TTolvex* root)
{
    return [&gui, root](std::vector<std::string>& params, TAbstractDBConnection* connection,
                        TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
        if (!connection)
            return nullptr;  // no catalog open: the window just offers Close
        return std::make_unique<T>(params, *connection,
                                   TPublisherEnvironment{gui, ::Translation, &runner, root, nullptr});
    };
}

}  // namespace

void TQtShell::SetFolderChooser(TFolderChooser chooser)
{
    folderChooser_ = std::move(chooser);
}

std::string TQtShell::ChooseFolder(const std::string& initialFolder, const std::string& helpAlias)
{
    if (folderChooser_)
        return folderChooser_(initialFolder, helpAlias);
    return SelectDirectoryDialog(
        initialFolder, helpAlias, gui_,
        [this](const std::vector<std::string>& aliases) {
            if (help_)
                help_->ShowHelpForAliases(aliases);
        },
        window_.get());
}

void TQtShell::SetPageChooser(TPageChooser chooser)
{
    pageChooser_ = std::move(chooser);
}

bool TQtShell::ChoosePage(int& pageId, std::string& pageName)
{
    if (pageChooser_)
        return pageChooser_(pageId, pageName);
    // The catalog's page picker, on the main connection.
    TCatalogData* data = OpenCatalogData();
    if (!data)
        return false;
    std::vector<std::string> params;
    if (!data->RunDialog("SelectPage", data->GetConnectionFactory().GetConnection(), params))
        return false;
    const int id = std::atoi(ValueOfName(params, "PageId").c_str());
    if (id <= 0)
        return false;
    pageId = id;
    pageName = ValueOfName(params, "PageName");
    return true;
}

bool TQtShell::Publish(const std::string& verb)
{
    if (verb == "PublishLocally")
        PublishLocally();
    else if (verb == "PublishByFtp")
        PublishByFtp();
    else if (verb == "ExportImages")
        ExportImages();
    else if (verb == "ExportTemplates")
        ExportTemplates();
    else if (verb == "ExportFroogle")
        ExportFroogle();
    else
        return false;
    return true;
}

TCatalogData* TQtShell::OpenCatalogData()
{
    TCatalogData* data = root_ ? root_->GetCatalogData() : nullptr;
    return data && root_->Catalog().IsOpen() ? data : nullptr;
}

TfrmDetailProcess* TQtShell::StartRunner(std::vector<std::string> params,
                                         const TfrmDetailProcess::TPublisherFactory& factory, bool transferPanel)
{
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), window_.get());
    if (guiControl_)
        guiControl_->LocalizeControl(window);
    window->CreatePublisher(std::move(params), factory);
    window->ShowTransferPanel(transferPanel);
    window->StartProcess();
    return window;
}

TfrmDetailProcess* TQtShell::PublishLocally()
{
    TCatalogData* data = OpenCatalogData();
    if (!data)
        return nullptr;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder =
        ChooseFolder(data->GetCatalogProperty(kPropertyLastPublishFolder, connection), "PublishLocally");
    if (folder.empty() || !CanWriteInto(folder))
        return nullptr;

    TfrmPublishParameters dialog(TPublishParameters::ForOpenCatalog(*root_, ::Translation),
                                 [this](int& id, std::string& name) { return ChoosePage(id, name); }, ::Translation,
                                 window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const std::string indexFileName = TPublishParameters::IndexFileNameToSend(dialog.IndexFileName());
    data->SetCatalogProperty(kPropertyIndexFileName, indexFileName, connection);

    // The folder is remembered once a site was published into it: a folder
    // that failed is not offered again.
    const std::string catalogCode = data->GetCatalogCode();
    auto remember = [this, folder, catalogCode] {
        TCatalogData* open = OpenCatalogData();
        if (open && open->GetCatalogCode() == catalogCode)
            open->SetCatalogProperty(kPropertyLastPublishFolder, folder,
                                     open->GetConnectionFactory().GetConnection());
    };
    return StartRunner(TPublishParameters::RunParameters(folder, dialog.LangCode(), indexFileName,
                                                         dialog.ServerSideScripts(), dialog.PageId()),
                       [this, remember](std::vector<std::string>& params, TAbstractDBConnection* runConnection,
                                        TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
                           auto publish = FactoryOf<TPublishLocally>(gui_, root_)(params, runConnection, runner);
                           if (auto* local = dynamic_cast<TPublishLocally*>(publish.get()))
                               local->SetOnPublished(remember);
                           return publish;
                       },
                       false);
}

bool TQtShell::CanWriteInto(const std::string& folder)
{
    const std::string problem = TFolderCheck::Problem(folder, ::Translation);
    if (problem.empty())
        return true;
    gui_.ShowError(problem, false, "");
    return false;
}

TfrmDetailProcess* TQtShell::PublishByFtp()
{
    TCatalogData* data = OpenCatalogData();
    if (!data)
        return nullptr;
    TfrmFtpPublishParameters dialog(TFtpPublishParameters::ForOpenCatalog(*root_, ::Translation),
                                    [this](int& id, std::string& name) { return ChoosePage(id, name); }, gui_,
                                    ::Translation, window_.get());
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const TFtpPublishParameters answers = dialog.Answers().Normalised();
    answers.Remember(*data, data->GetConnectionFactory().GetConnection());
    // Each run stages its site in a folder of its own, which goes with the run.
    std::shared_ptr<TWorkFolder> staging;
    try {
        staging = TFtpPublishParameters::PrepareStagingFolder(root_->Settings().AppDir());
    } catch (const std::exception& error) {
        gui_.ShowError(error.what(), false, "");
        return nullptr;
    }

    return StartRunner(
        answers.RunParameters(staging->Path()),
        [this, staging, login = answers.Login()](std::vector<std::string>& params, TAbstractDBConnection* connection,
                                                 TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!connection)
                return nullptr;
            // The login question opens over the runner window, which owns it.
            auto* authorization = new TQtFtpAuthorization(::Translation, dynamic_cast<TfrmDetailProcess*>(&runner));
            auto publish = std::make_unique<TPublishFtp>(
                params, *connection, TPublisherEnvironment{gui_, ::Translation, &runner, root_, nullptr}, authorization);
            publish->SetLogin(login);
            publish->KeepStagingFolder(staging);
            return publish;
        },
        true);
}

TfrmDetailProcess* TQtShell::ExportImages()
{
    TCatalogData* data = OpenCatalogData();
    if (!data || !CanLeave())
        return nullptr;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder =
        ChooseFolder(data->GetCatalogProperty(kPropertyImageExportFolder, connection), "ExportImages");
    if (folder.empty() || !CanWriteInto(folder))
        return nullptr;
    data->SetCatalogProperty(kPropertyImageExportFolder, folder, connection);
    return StartRunner({"DirName=" + folder}, FactoryOf<TExportImages>(gui_, root_), false);
}

TfrmDetailProcess* TQtShell::ExportTemplates()
{
    TCatalogData* data = OpenCatalogData();
    if (!data || !CanLeave())
        return nullptr;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder =
        ChooseFolder(data->GetCatalogProperty(kPropertyTemplateExportFolder, connection), "ExportTemplates");
    if (folder.empty() || !CanWriteInto(folder))
        return nullptr;
    data->SetCatalogProperty(kPropertyTemplateExportFolder, folder, connection);
    return StartRunner({"DirName=" + folder}, FactoryOf<TExportTemplates>(gui_, root_), false);
}

TfrmDetailProcess* TQtShell::ExportFroogle()
{
    TCatalogData* data = OpenCatalogData();
    if (!data)
        return nullptr;
    const TFroogleSettings settings =
        TFroogleSettings::Load(*root_, data->GetConnectionFactory().GetConnection(), data->GetCurrentLangCode());
    if (settings.UserName.empty()) {
        gui_.ShowError("To export a Froogle data feed, you must first specify your Froogle user name");
        processor_.QueueAction("Action=MainPageEditor&ItemType=1001&TabName=FroogleOptions-basic", false);
        return nullptr;
    }
    std::string fileName;
    if (!gui_.SelectSaveFile("Save froogle data feed as", "", settings.UserName + ".txt", "Text file (*.txt)|*.txt",
                             fileName) ||
        fileName.empty())
        return nullptr;
    return StartRunner({"FileName=" + ExportFileName(fileName, ".txt")}, FactoryOf<TExportFroogle>(gui_, root_),
                       false);
}
