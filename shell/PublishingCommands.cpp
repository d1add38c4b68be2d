#include "shell/PublishingCommands.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "gui/MainWindowMessages.h"
#include "publishing/ExportFileName.h"
#include "publishing/ExportFroogle.h"
#include "publishing/ExportImages.h"
#include "publishing/ExportTemplates.h"
#include "publishing/FroogleSettings.h"
#include "publishing/FtpPublishParameters.h"
#include "publishing/ImportStory.h"
#include "publishing/ImportTemplateFromHtml.h"
#include "publishing/ImportWebSite.h"
#include "publishing/PublishFtp.h"
#include "publishing/PublishLocally.h"
#include "publishing/PublishParameters.h"
#include "publishing/SoftwareUpdate.h"
#include "publishing/ui/frmFtpAuthorization.h"
#include "publishing/ui/frmFtpPublishParameters.h"
#include "publishing/ui/frmImportWebSite.h"
#include "publishing/ui/frmPublishParameters.h"
#include "shell/ActionProcessor.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "shell/OpenCatalog.h"
#include "shell/ShellDialogs.h"
#include "shell/StyleOperationPublisher.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/IdRanges.h"
#include "storage/References.h"

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

TPublishingCommands::TPublishingCommands(TOpenCatalog& open, TCommonGui& gui, TfrmMain& window, TGUIControl& control,
                                         TShellDialogs& dialogs, TActionProcessor& processor)
    : open_(open), gui_(gui), window_(window), control_(control), dialogs_(dialogs), processor_(processor)
{
}

bool TPublishingCommands::Publish(const std::string& verb)
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
    else if (verb == "ImportStory")
        ImportStory();
    else
        return false;
    return true;
}

TfrmDetailProcess::TEnvironment TPublishingCommands::RunnerEnvironment()
{
    TfrmDetailProcess::TEnvironment environment;
    environment.Gui = &gui_;
    environment.Translation = ::Translation;
    TTolvex& root = open_.Root();
    environment.OpenSecondConnection = [&root]() -> std::unique_ptr<TAbstractDBConnection> {
        TTolvexCatalog* open = root.Catalog().IsOpen() ? root.Catalog().GetOpenCatalog() : nullptr;
        if (!open || !open->HasConnectionFactory())
            return nullptr;
        return open->GetConnectionFactory().OpenSecondConnection();
    };
    TfrmMain* window = &window_;
    environment.DataChanged = [window](int itemId, int kind) { window->PostMessage(WM_OBJECT_CHANGED, itemId, kind); };
    environment.ReopenCatalog = [window] { window->PostMessage(WM_REOPEN_CATALOG, 0, 0); };
    return environment;
}

TfrmDetailProcess* TPublishingCommands::StartRunner(std::vector<std::string> params,
                                                    const TfrmDetailProcess::TPublisherFactory& factory,
                                                    bool transferPanel)
{
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), &window_);
    control_.LocalizeControl(window);
    window->CreatePublisher(std::move(params), factory);
    window->ShowTransferPanel(transferPanel);
    window->StartProcess();
    return window;
}

std::string TPublishingCommands::AskFolder(int property, const std::string& helpAlias)
{
    TCatalogData* data = open_.Data();
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder = dialogs_.ChooseFolder(data->GetCatalogProperty(property, connection), helpAlias);
    if (!folder.empty())
        data->SetCatalogProperty(property, folder, connection);
    return folder;
}

TfrmDetailProcess* TPublishingCommands::PublishLocally()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    const std::string folder = AskFolder(kPropertyLastPublishFolder, "PublishLocally");
    if (folder.empty())
        return nullptr;
    TfrmPublishParameters dialog(TPublishParameters::ForOpenCatalog(open_.Root(), ::Translation),
                                 [this](int& id, std::string& name) { return dialogs_.ChoosePage(id, name); },
                                 ::Translation, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const std::string indexFileName = TPublishParameters::IndexFileNameToSend(dialog.IndexFileName());
    data->SetCatalogProperty(kPropertyIndexFileName, indexFileName, data->GetConnectionFactory().GetConnection());

    return StartRunner(TPublishParameters::RunParameters(folder, dialog.LangCode(), indexFileName,
                                                         dialog.ServerSideScripts(), dialog.PageId()),
                       FactoryOf<TPublishLocally>(gui_, &open_.Root()), false);
}

TfrmDetailProcess* TPublishingCommands::PublishByFtp()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    TTolvex& root = open_.Root();
    TfrmFtpPublishParameters dialog(TFtpPublishParameters::ForOpenCatalog(root, ::Translation),
                                    [this](int& id, std::string& name) { return dialogs_.ChoosePage(id, name); },
                                    gui_, ::Translation, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const TFtpPublishParameters answers = dialog.Answers();
    answers.Remember(*data, data->GetConnectionFactory().GetConnection());
    const std::string staging = TFtpPublishParameters::PrepareStagingFolder(root.Settings().AppDir());

    return StartRunner(
        answers.RunParameters(staging),
        [this, &root](std::vector<std::string>& params, TAbstractDBConnection* connection,
                      TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!connection)
                return nullptr;
            // The login question opens over the runner window, which owns it.
            auto* authorization = new TQtFtpAuthorization(::Translation, dynamic_cast<TfrmDetailProcess*>(&runner));
            return std::make_unique<TPublishFtp>(params, *connection,
                                                 TPublisherEnvironment{gui_, ::Translation, &runner, &root, nullptr},
                                                 authorization);
        },
        true);
}

TfrmDetailProcess* TPublishingCommands::ExportImages()
{
    if (!open_.Data() || !open_.CanLeave())
        return nullptr;
    const std::string folder = AskFolder(kPropertyImageExportFolder, "ExportImages");
    if (folder.empty())
        return nullptr;
    return StartRunner({"DirName=" + folder}, FactoryOf<TExportImages>(gui_, &open_.Root()), false);
}

TfrmDetailProcess* TPublishingCommands::ExportTemplates()
{
    if (!open_.Data() || !open_.CanLeave())
        return nullptr;
    const std::string folder = AskFolder(kPropertyTemplateExportFolder, "ExportTemplates");
    if (folder.empty())
        return nullptr;
    return StartRunner({"DirName=" + folder}, FactoryOf<TExportTemplates>(gui_, &open_.Root()), false);
}

TfrmDetailProcess* TPublishingCommands::ExportFroogle()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    const TFroogleSettings settings = TFroogleSettings::Load(open_.Root(), data->GetConnectionFactory().GetConnection(),
                                                             data->GetCurrentLangCode());
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
    return StartRunner({"FileName=" + ExportFileName(fileName, ".txt")},
                       FactoryOf<TExportFroogle>(gui_, &open_.Root()), false);
}

// ---- imports -------------------------------------------------------------------------------------

TfrmDetailProcess* TPublishingCommands::ImportStory()
{
    if (!open_.Data())
        return nullptr;
    std::string fileName;
    if (!gui_.SelectOpenFile("Import Story", "", "HTML files (*.html)|*.html;*.htm", fileName) || fileName.empty())
        return nullptr;
    return StartRunner({"FileName=" + fileName}, FactoryOf<TImportStory>(gui_, &open_.Root()), false);
}

TfrmDetailProcess* TPublishingCommands::ImportTemplateFromHtml()
{
    TCatalogData* data = open_.Data();
    if (!data || !open_.CanLeave())
        return nullptr;
    std::string fileName;
    if (!gui_.SelectOpenFile("Import Template From HTML", "", "HTML files (*.html)|*.html;*.htm", fileName) ||
        fileName.empty())
        return nullptr;
    const std::string treeCaption = ::Translation ? ::Translation->Translate("Select Master or Body Template")
                                                  : "Select Master or Body Template";
    const std::vector<std::string> picker{"RootItemId=5",   "AllowItemType=2",   "AllowItemType=501",
                                          "AllowItemType=502", "ExpandFirstLevel=yes", "TreeCaption=" + treeCaption,
                                          "Caption=Import Template From HTML", "Help=ImportTemplateFromHtml"};
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    while (true) {
        int templateId = 0;
        std::string name;
        if (!dialogs_.ChoosePage(templateId, name, picker))
            return nullptr;
        const int itemType = data->GetQueries().GetItemType(templateId, data->GetCatalogCode(), connection);
        if (itemType == 501 || itemType == 502)
            return StartRunner({"filename=" + fileName, "original=" + std::to_string(templateId),
                                "originaltype=" + std::to_string(itemType)},
                               FactoryOf<TImportTemplateFromHtml>(gui_, &open_.Root()), false);
        gui_.ShowError("Please select master or body template.");
    }
}

TfrmDetailProcess* TPublishingCommands::ImportWebSite()
{
    TCatalogData* data = open_.Data();
    if (!data || !open_.CanLeave())
        return nullptr;
    TfrmImportWebSite dialog(lastWebSite_, ::Translation, &window_);
    control_.LocalizeControl(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    lastWebSite_ = dialog.Request();
    // The site's start page goes under the web tree's root, with a new id.
    return StartRunner(lastWebSite_.Params(data->GetCatalogCode(), 0, kWebTreeRootId),
                       FactoryOf<TImportWebSite>(gui_, &open_.Root()), true);
}

bool TPublishingCommands::RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection)
{
    TfrmDetailProcess window(RunnerEnvironment(), &window_);
    control_.LocalizeControl(&window);
    window.CreatePublisher(params, FactoryOf<TImportWebSite>(gui_, &open_.Root()), &connection);
    window.ShowTransferPanel();
    const bool ok = window.ExecuteModal();
    params = window.GetParams();
    return ok;
}

// ---- the software update ---------------------------------------------------------------------------

bool TPublishingCommands::RunSoftwareUpdate(const std::vector<std::string>& params, bool modal)
{
    TTolvex& root = open_.Root();
    // The update works on no catalog; the operation base wants a connection,
    // and the references database is always open.
    TAbstractDBConnection& connection = root.References().GetReferencesDatabase().GetConnection();
    TfrmMain* mainWindow = &window_;
    auto factory = [this, &root, mainWindow](std::vector<std::string>& runParams, TAbstractDBConnection* runConnection,
                                             TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
        auto update = std::make_unique<TSoftwareUpdate>(
            runParams, *runConnection, TPublisherEnvironment{gui_, ::Translation, &runner, &root, nullptr});
        update->SetProgramFolder(root.Settings().AppDir());
        update->OnRestartForUpdate = [mainWindow] {
            mainWindow->PostMessage(WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE);
        };
        return update;
    };

    if (modal) {
        TfrmDetailProcess window(RunnerEnvironment(), &window_);
        control_.LocalizeControl(&window);
        window.CreatePublisher(params, factory, &connection);
        window.ShowTransferPanel();
        return window.ExecuteModal();
    }
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), &window_);
    control_.LocalizeControl(window);
    window->CreatePublisher(params, factory, &connection);
    window->ShowTransferPanel();
    window->StartProcess();
    updateWindow_ = window;
    return true;
}

// ---- the operations of the styles -------------------------------------------------------------------

void TPublishingCommands::StartStyleOperation(std::unique_ptr<TStyleOperation> operation)
{
    if (!operation)
        return;
    if (!open_.IsOpen()) {
        // The operation works on the open catalog's second connection.
        gui_.ShowError("No catalog is open", true, "");
        return;
    }
    TTolvex& root = open_.Root();
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), &window_);
    window->CreatePublisher(
        {},
        [this, &root, &operation](std::vector<std::string>& params, TAbstractDBConnection* connection,
                                  TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!connection)
                return nullptr;  // no catalog open: the window just offers Close
            return std::make_unique<TStyleOperationPublisher>(
                std::move(operation), params, *connection,
                TPublisherEnvironment{gui_, ::Translation, &runner, &root, nullptr});
        });
    window->StartProcess();
}
