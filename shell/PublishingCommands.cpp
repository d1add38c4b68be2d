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
#include "publishing/CacheDataFromHost.h"
#include "publishing/ExportTemplates.h"
#include "publishing/CatalogNetwork.h"
#include "publishing/PublishCoCManagement.h"

#include "publishing/ExportTemplateToStyles.h"
#include "publishing/ExportXhtmlTemplates.h"
#include "publishing/FolderCheck.h"
#include "publishing/FroogleSettings.h"
#include "publishing/FtpPublishParameters.h"
#include "publishing/ImportStory.h"
#include "publishing/ImportTemplateFromHtml.h"
#include "publishing/ImportTemplateFromXhtml.h"
#include "publishing/ImportMedia.h"
#include "publishing/ImportWebSite.h"
#include "publishing/PublishFtp.h"
#include "publishing/PublishLocally.h"
#include "publishing/PublishOnTolvex.h"
#include "publishing/PublishTables.h"
#include "publishing/PublishParameters.h"
#include "publishing/PublishReport.h"
#include "publishing/ImportedItems.h"
#include "publishing/SoftwareUpdate.h"
#include "publishing/WorkFolder.h"
#include "publishing/ui/frmFtpAuthorization.h"
#include "publishing/ui/frmFtpPublishParameters.h"
#include "publishing/ui/frmImportWebSite.h"
#include "publishing/ui/frmPublishParameters.h"
#include "publishing/ui/frmPublishTolvex.h"
#include "publishing/ui/frmPublishTolvexAdvanced.h"
#include "shell/ActionProcessor.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "gui/UiText.h"
#include "shell/OpenCatalog.h"
#include "shell/ShellDialogs.h"
#include "shell/StyleOperationPublisher.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/IdRanges.h"
#include "storage/References.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/media/templates/reports/ReportFormEditors.h"
#include "shell/CatalogWindowUI.h"
#include "editors/framework/ui/EditorWait.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogQueries.h"
#include "common/IniSettings.h"
#include "storage/NameValueLines.h"

#include <QFileDialog>
#include <QEventLoop>

#include <cstdlib>

#include "common/CommonFunctions.h"
#include "catalog/CatalogPageGeneration.h"

#include <filesystem>

namespace {

constexpr int kPropertyLastPublishFolder = 710;
constexpr int kPropertyIndexFileName = 711;
constexpr int kPropertyImageExportFolder = 721;
constexpr int kPropertyTemplateExportFolder = 729;
constexpr int kPropertyDownloadedFromHost = 707;
// The catalog of the catalog type definitions (a style catalog opened for editing).
constexpr int kStyleCatalogType = 4;

// Makes an operation of class T that takes the parameters, the connection
// and the environment; SetUp, when given, prepares it before it runs.
template <typename T>
TfrmDetailProcess::TPublisherFactory FactoryOf(TCommonGui& gui, TTolvex* root, std::function<void(T&)> setUp = {})
{
    return [&gui, root, setUp = std::move(setUp)](std::vector<std::string>& params, TAbstractDBConnection* connection,
                                                  TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
        if (!connection)
            return nullptr;  // no catalog open: the window just offers Close
        auto operation =
            std::make_unique<T>(params, *connection, TPublisherEnvironment{gui, ::Translation, &runner, root, nullptr});
        if (setUp)
            setUp(*operation);
        return operation;
    };
}

// The parameter lines of a fetch of an object of a catalog that lives on the host.
std::vector<std::string> HostObjectParams(const std::string& catalogCode, int itemId, int classId,
                                          const std::vector<std::string>& extraLines)
{
    std::vector<std::string> params{"catalogcode=" + catalogCode, "itemid=" + std::to_string(itemId),
                                    "classid=" + std::to_string(classId)};
    params.insert(params.end(), extraLines.begin(), extraLines.end());
    return params;
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
    else if (verb == "ExportXHTMLTemplates")
        ExportXhtmlTemplates();
    else if (verb == "ExportFroogle")
        ExportFroogle();
    else if (verb == "PublishOnTolvex")
        PublishOnTolvex();
    else if (verb == "UploadStyle")
        UploadStyle();
    else if (verb == "DownloadStyle")
        DownloadStyle();
    else if (verb == "CoCManagement")
        CoCManagement();
    else if (!host_publish::TransferTableParams(verb, "", "", "").empty())
        TransferTables(verb);
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

void TPublishingCommands::PrepareRunner(TfrmDetailProcess& window, std::vector<std::string> params,
                                        const TfrmDetailProcess::TPublisherFactory& factory, bool transferPanel,
                                        TAbstractDBConnection* connection)
{
    control_.LocalizeControl(&window);
    window.CreatePublisher(std::move(params), factory, connection);
    window.ShowTransferPanel(transferPanel);
}

TfrmDetailProcess* TPublishingCommands::NewRunner(std::vector<std::string> params,
                                                  const TfrmDetailProcess::TPublisherFactory& factory,
                                                  bool transferPanel, TAbstractDBConnection* connection)
{
    auto* window = new TfrmDetailProcess(RunnerEnvironment(), &window_);
    PrepareRunner(*window, std::move(params), factory, transferPanel, connection);
    return window;
}

TfrmDetailProcess* TPublishingCommands::StartRunner(std::vector<std::string> params,
                                                    const TfrmDetailProcess::TPublisherFactory& factory,
                                                    bool transferPanel)
{
    TfrmDetailProcess* window = NewRunner(std::move(params), factory, transferPanel);
    window->StartProcess();
    return window;
}

std::string TPublishingCommands::AskFolder(int property, const std::string& helpAlias, bool remember)
{
    TCatalogData* data = open_.Data();
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string folder = dialogs_.ChooseFolder(data->GetCatalogProperty(property, connection), helpAlias);
    if (folder.empty() || !CanWriteInto(folder))
        return "";
    if (remember)
        data->SetCatalogProperty(property, folder, connection);
    return folder;
}

bool TPublishingCommands::CanWriteInto(const std::string& folder)
{
    const std::string problem = TFolderCheck::Problem(folder, ::Translation);
    if (problem.empty())
        return true;
    gui_.ShowError(problem, false, "");
    return false;
}

TfrmDetailProcess* TPublishingCommands::PublishLocally()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    // The site folder is remembered only once a site was published into it:
    // a folder that failed is not offered again.
    const std::string folder = AskFolder(kPropertyLastPublishFolder, "PublishLocally", false);
    if (folder.empty())
        return nullptr;
    TfrmPublishParameters dialog(TPublishParameters::ForOpenCatalog(open_.Root(), ::Translation),
                                 [this](int& id, std::string& name) { return dialogs_.ChoosePage(id, name); },
                                 ::Translation, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const std::string indexFileName = TPublishParameters::IndexFileNameToSend(dialog.IndexFileName());
    data->SetCatalogProperty(kPropertyIndexFileName, indexFileName, data->GetConnectionFactory().GetConnection());

    const std::string catalogCode = data->GetCatalogCode();
    auto remember = [this, folder, catalogCode] {
        TCatalogData* open = open_.Data();
        if (open && open->GetCatalogCode() == catalogCode)
            open->SetCatalogProperty(kPropertyLastPublishFolder, folder, open->GetConnectionFactory().GetConnection());
    };
    const auto onPublished = [remember](TPublishLocally& publish) { publish.SetOnPublished(remember); };
    return StartRunner(TPublishParameters::RunParameters(folder, dialog.LangCode(), indexFileName,
                                                         dialog.ServerSideScripts(), dialog.PageId()),
                       FactoryOf<TPublishLocally>(gui_, &open_.Root(), onPublished), false);
}

TfrmDetailProcess* TPublishingCommands::PublishReport(int itemId)
{
    TCatalogData* data = open_.Data();
    if (!data || itemId == 0)
        return nullptr;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string code = data->GetCatalogCode();
    int itemType = data->GetQueries().GetItemType(itemId, code, connection);
    if (itemType == TPublishReport::kReportTemplateType) {
        // A new report of a template that writes HTML is an HTML report.
        TImportedItems items(open_.Root(), connection, code, gui_);
        if (!TPublishReport::IsFoTemplate(items.GetText(itemId, "XmlData", "XXX")))
            itemType = TPublishReport::kHtmlReportType;
    }
    const bool html = itemType == TPublishReport::kHtmlReportType;
    const std::string extension = html ? ".html" : ".pdf";
    std::string name = data->GetItemName(itemId, connection, data->GetCurrentLangCode());
    name = TCommonFunctions::SanitizeFileName(name.empty() ? "report" : name);
    const std::string folder = data->GetPageGeneration().GetReportDir();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string fileName;
    if (reportFileDialog_)
        fileName = reportFileDialog_(name + extension);
    else if (!gui_.SelectSaveFile(html ? "Save HTML report to ..." : "Save PDF report to ...", folder,
                                  name + extension, html ? "HTML files (*.html)|*.html" : "PDF files (*.pdf)|*.pdf",
                                  fileName))
        return nullptr;
    if (fileName.empty())
        return nullptr;
    std::vector<std::string> params{"LangCode=" + data->GetCurrentLangCode(), "ItemId=" + std::to_string(itemId),
                                    "ItemType=" + std::to_string(itemType),
                                    "ReportFileName=" + ExportFileName(fileName, extension)};
    if (!reportForms_)
        reportForms_ = std::make_unique<TReportFormEditors>([root = &open_.Root()]() -> std::optional<TEditingServices> {
            TCatalogWindowUI* ui = TCatalogWindowUI::Of(*root);
            return ui ? std::optional<TEditingServices>(ui->Services()) : std::nullopt;
        });
    TReportForms* forms = reportForms_.get();
    const auto setForms = [forms](TPublishReport& report) { report.SetForms(forms); };
    TfrmDetailProcess* window =
        NewRunner(std::move(params), FactoryOf<TPublishReport>(gui_, &open_.Root(), setForms), false);
    // A new report joins the Report menu, whatever became of the run.
    TActionProcessor* processor = &processor_;
    const auto rebuildMenu = [processor](std::vector<std::string>&) {
        processor->QueueAction("Action=UpdateReportMenu", true);
    };
    window->SetOnSuccess(rebuildMenu);
    window->SetOnFailure(rebuildMenu);
    window->PostStart();
    return window;
}

TfrmDetailProcess* TPublishingCommands::ExchangeTemplateWithStyles(int templateId, bool import)
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    if (templateId == 0) {
        // The template is picked from the templates tree; a folder is no template.
        const std::string treeCaption = TTranslation::OrEnglish(::Translation).Translate("Select Template");
        const std::vector<std::string> picker{"RootItemId=5", "ExpandFirstLevel=yes", "TreeCaption=" + treeCaption,
                                              "ShowAllItems=yes", "Help=ExportTemplatesToStyles"};
        TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
        while (templateId == 0) {
            int chosen = 0;
            std::string name;
            if (!dialogs_.ChoosePage(chosen, name, picker) || chosen == 0)
                return nullptr;
            if (data->GetQueries().GetItemType(chosen, data->GetCatalogCode(), connection) != 2)
                templateId = chosen;
            else
                gui_.ShowError("Please select template.");
        }
    }
    std::vector<std::string> params{"ItemId=" + std::to_string(templateId)};
    if (import)
        params.push_back("Import=yes");
    return StartRunner(std::move(params), FactoryOf<TExportTemplateToStyles>(gui_, &open_.Root()), false);
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
    const TFtpPublishParameters answers = dialog.Answers().Normalised();
    answers.Remember(*data, data->GetConnectionFactory().GetConnection());
    // Each run stages its site in a folder of its own, which goes with the run.
    std::shared_ptr<TWorkFolder> staging;
    try {
        staging = TFtpPublishParameters::PrepareStagingFolder(root.Settings().AppDir());
    } catch (const std::exception& error) {
        gui_.ShowError(error.what(), false, "");
        return nullptr;
    }

    return StartRunner(
        answers.RunParameters(staging->Path()),
        [this, &root, staging, login = answers.Login()](std::vector<std::string>& params,
                                                         TAbstractDBConnection* connection,
                                                         TPublisherRunner& runner) -> std::unique_ptr<TAbstractPublisher> {
            if (!connection)
                return nullptr;
            // The login question opens over the runner window, which owns it.
            auto* authorization = new TQtFtpAuthorization(::Translation, dynamic_cast<TfrmDetailProcess*>(&runner));
            auto publish = std::make_unique<TPublishFtp>(
                params, *connection, TPublisherEnvironment{gui_, ::Translation, &runner, &root, nullptr}, authorization);
            publish->SetLogin(login);
            publish->KeepStagingFolder(staging);
            return publish;
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

TfrmDetailProcess* TPublishingCommands::ExportXhtmlTemplates()
{
    if (!open_.Data() || !open_.CanLeave())
        return nullptr;
    const std::string folder = AskFolder(kPropertyTemplateExportFolder, "ExportXHTMLTemplates");
    if (folder.empty())
        return nullptr;
    return StartRunner({"DirName=" + folder}, FactoryOf<TExportXhtmlTemplates>(gui_, &open_.Root()), false);
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
    return ImportTemplate(false);
}

TfrmDetailProcess* TPublishingCommands::ImportTemplateFromXhtml()
{
    return ImportTemplate(true);
}

TfrmDetailProcess* TPublishingCommands::ImportTemplate(bool xhtml)
{
    TCatalogData* data = open_.Data();
    if (!data || !open_.CanLeave())
        return nullptr;
    const std::string caption = xhtml ? "Import Template From XHTML" : "Import Template From HTML";
    std::string fileName;
    if (!gui_.SelectOpenFile(caption, "", xhtml ? "XHTML files (*.xhtml)|*.xhtml" : "HTML files (*.html)|*.html;*.htm",
                             fileName) ||
        fileName.empty())
        return nullptr;
    const std::string treeCaption = ::Translation ? ::Translation->Translate("Select Master or Body Template")
                                                  : "Select Master or Body Template";
    const std::vector<std::string> picker{"RootItemId=5",   "AllowItemType=2",   "AllowItemType=501",
                                          "AllowItemType=502", "ExpandFirstLevel=yes", "TreeCaption=" + treeCaption,
                                          "Caption=" + caption,
                                          xhtml ? "Help=ImportTemplateFromXHTML" : "Help=ImportTemplateFromHtml"};
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
                               xhtml ? FactoryOf<TImportTemplateFromXhtml>(gui_, &open_.Root())
                                     : FactoryOf<TImportTemplateFromHtml>(gui_, &open_.Root()),
                               false);
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

bool TPublishingCommands::ImportImages(const std::vector<std::string>* files)
{
    TCatalogData* data = open_.Data();
    if (!data)
        return false;
    std::vector<std::string> chosen;
    if (files) {
        chosen = *files;
    } else {
        for (const QString& file : QFileDialog::getOpenFileNames(
                 &window_, UiText::Tr("Import Images"), QString(),
                 UiText::Tr("Pictures") + " (*.jpg *.jpeg *.png *.gif *.bmp);;" + UiText::Tr("All files") + " (*)"))
            chosen.push_back(UiText::S(file));
    }
    if (chosen.empty())
        return false;
    TAbstractDBConnection& connection = data->GetConnectionFactory().GetConnection();
    const std::string code = data->GetCatalogCode();
    TImportMedia::TServices services{
        [data, &connection](const std::string& name, std::vector<std::string>& params) {
            return data->RunDialog(name, connection, params);
        },
        gui_, [](const std::string& line) { qInfo("%s", line.c_str()); }};
    TImportMedia::TResult result;
    if (data->GetCatalogType() == kStyleCatalogType) {
        // A style catalog's pictures are named by their files and written without a dialog.
        TImportedItems items(open_.Root(), connection, code, gui_);
        result = TImportMedia::ImportStyleImages(services, items, chosen, "");
    } else {
        result = TImportMedia::ImportImages(services, chosen, "", TCatalog::GetCatalogProperty(705, connection, code),
                                            TCatalog::GetCatalogProperty(703, connection, code));
    }
    if (!result.Skipped.empty()) {
        std::string list;
        for (const std::string& file : result.Skipped)
            list += "\n" + file;
        gui_.ShowWarning(
            TTranslation::OrEnglish(::Translation).Translate("These files are no pictures the program can read:") +
                list,
            false);
    }
    if (result.Imported > 0)
        window_.PostMessage(WM_OBJECT_CHANGED, 0, 3);  // images changed
    return result.Imported > 0;
}

bool TPublishingCommands::RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection)
{
    TfrmDetailProcess window(RunnerEnvironment(), &window_);
    PrepareRunner(window, params, FactoryOf<TImportWebSite>(gui_, &open_.Root()), true, &connection);
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
    const auto factory = FactoryOf<TSoftwareUpdate>(gui_, &root, [&root, mainWindow](TSoftwareUpdate& update) {
        update.SetProgramFolder(root.Settings().AppDir());
        update.OnRestartForUpdate = [mainWindow] {
            mainWindow->PostMessage(WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE, WM_RESTART_FOR_UPDATE);
        };
    });

    if (modal) {
        TfrmDetailProcess window(RunnerEnvironment(), &window_);
        PrepareRunner(window, params, factory, true, &connection);
        return window.ExecuteModal();
    }
    TfrmDetailProcess* window = NewRunner(params, factory, true, &connection);
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

// ---- the hosting service ----------------------------------------------------------------------------

bool TPublishingCommands::LeaveItemEditor()
{
    // The item being edited is left first: its unsaved changes are asked
    // about rather than dropped.
    if (!open_.CanLeave())
        return false;
    if (TTolvexItemEditor* editor = open_.MainEditor())
        editor->ClearEditors();
    return true;
}

bool TPublishingCommands::AskConnect(const std::string& text, bool withAdvanced, bool& advanced)
{
    advanced = false;
    if (hostDialogs_.Connect)
        return hostDialogs_.Connect(text, withAdvanced, advanced);
    TfrmPublishTolvex dialog(::Translation, &dialogs_.Help(), &window_);
    control_.LocalizeControl(&dialog);
    if (!text.empty())
        dialog.SetText(text);
    if (!withAdvanced)
        dialog.HideAdvancedOptions();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    advanced = dialog.AdvancedRequested();
    return accepted;
}

bool TPublishingCommands::AskAdvanced(THostSyncChoices& choices)
{
    if (hostDialogs_.Advanced)
        return hostDialogs_.Advanced(choices);
    TfrmPublishTolvexAdvanced dialog(choices, ::Translation, &dialogs_.Help(), &window_);
    control_.LocalizeControl(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choices = dialog.Choices();
    return true;
}

TfrmDetailProcess* TPublishingCommands::StartSync(std::vector<std::string> params, bool withAccount)
{
    if (!withAccount)
        return StartRunner(std::move(params), FactoryOf<TPublishOnTolvex>(gui_, &open_.Root()), true);
    return StartRunner(std::move(params),
                       FactoryOf<TPublishOnTolvex>(gui_, &open_.Root(),
                                                   [user = hostUserName_, password = hostPassword_](
                                                       TPublishOnTolvex& sync) { sync.SetAccount(user, password); }),
                       true);
}

TfrmDetailProcess* TPublishingCommands::PublishOnTolvex()
{
    TCatalogData* data = open_.Data();
    if (!data || !LeaveItemEditor())
        return nullptr;
    bool advanced = false;
    if (!AskConnect("", true, advanced))
        return nullptr;
    TIniSettings& settings = open_.Root().Settings().IniSettings();
    unsigned bits = host_publish::kDefaultBits;
    int packetSize = host_publish::kDefaultPacketSizeKb;
    if (advanced) {
        THostSyncChoices choices = THostSyncChoices::FromSettings(settings);
        if (!AskAdvanced(choices))
            return nullptr;
        choices.Save(settings);
        bits = choices.Bits();
        packetSize = THostSyncChoices::PacketSizeToSend(settings);
    }
    TAbstractDBConnection& main = data->GetConnectionFactory().GetConnection();
    data->UpdateCategoryPages(data->GetCatalogCode(), main);
    // The run works on its own connection; the main one lets go of anything it holds.
    main.Reconnect();
    return StartSync(host_publish::SyncParams(bits, packetSize));
}

bool TPublishingCommands::DownloadDatabaseFromHost()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return false;
    const std::string code = data->GetCatalogCode();
    const std::string text =
        ::Translation ? ::Translation->Format("You are about to contact your Tolvex server to download \"$1\" database "
                                              "from server. Please connect to the internet and click \"Continue\"",
                                              {code})
                      : "You are about to contact your Tolvex server to download \"" + code +
                            "\" database from server. Please connect to the internet and click \"Continue\"";
    bool advanced = false;
    TfrmMain* window = &window_;
    const auto downloadFailed = [window](std::vector<std::string>&) {
        // Closes and deletes the catalog that was made for the download.
        window->PostMessage(WM_DELETE_CATALOG, WM_DELETE_CATALOG, WM_DELETE_CATALOG);
    };
    if (!AskConnect(text, false, advanced)) {
        std::vector<std::string> none;
        downloadFailed(none);
        return false;
    }
    TfrmDetailProcess* runner =
        NewRunner(host_publish::DownloadDatabaseParams(code), FactoryOf<TPublishOnTolvex>(gui_, &open_.Root()), true);
    runner->SetOnFailure(downloadFailed);
    data->SetCatalogProperty(kPropertyDownloadedFromHost, "yes", data->GetConnectionFactory().GetConnection());
    // The download replaces every row of the catalog, this property's too: it is set again afterwards.
    runner->SetOnSuccess([this](std::vector<std::string>&) {
        if (TCatalogData* downloaded = open_.Data())
            downloaded->SetCatalogProperty(kPropertyDownloadedFromHost, "yes",
                                           downloaded->GetConnectionFactory().GetConnection());
    });
    runner->StartProcess();
    return true;
}

bool TPublishingCommands::LoginToHost()
{
    std::string userName;
    std::string password;
    const bool accepted = hostDialogs_.Account ? hostDialogs_.Account(userName, password)
                                               : dialogs_.AskHostAccount(userName, password);
    if (accepted) {
        hostUserName_ = userName;
        hostPassword_ = password;
    }
    return accepted;
}

TfrmDetailProcess* TPublishingCommands::UploadStyle()
{
    if (!open_.Data() || !LoginToHost() || !LeaveItemEditor())
        return nullptr;
    THostSyncChoices choices = THostSyncChoices::FromParams(host_publish::UploadStyleStartParams());
    if (!AskAdvanced(choices))
        return nullptr;
    choices.Save(open_.Root().Settings().IniSettings());
    return StartSync(host_publish::UploadStyleParams(choices), true);
}

TfrmDetailProcess* TPublishingCommands::DownloadStyle()
{
    if (!open_.Data() || !LoginToHost() || !LeaveItemEditor())
        return nullptr;
    return StartSync(host_publish::DownloadStyleParams(), true);
}

TfrmDetailProcess* TPublishingCommands::TransferTables(const std::string& verb)
{
    TCatalogData* data = open_.Data();
    if (!data || !LoginToHost() || !LeaveItemEditor())
        return nullptr;
    TTolvex& root = open_.Root();
    std::vector<std::string> params =
        host_publish::TransferTableParams(verb, data->GetCatalogCode(), hostUserName_, hostPassword_);
    return StartRunner(std::move(params), FactoryOf<TPublishTables>(gui_, &root), true);
}

TfrmDetailProcess* TPublishingCommands::CacheDataFromHost(const std::string& catalogCode, int itemId, int classId,
                                                          const std::vector<std::string>& extraLines,
                                                          TAbstractDBConnection& connection)
{
    TfrmDetailProcess* window = NewRunner(HostObjectParams(catalogCode, itemId, classId, extraLines),
                                          FactoryOf<TCacheDataFromHost>(gui_, &open_.Root()), true, &connection);
    window->StartProcess();
    return window;
}

bool TPublishingCommands::FetchFromHostAndWait(const std::string& catalogCode, int itemId, int classId,
                                              const std::vector<std::string>& extraLines)
{
    if (!open_.Data())
        return false;
    // No connection given: the window opens one of its own, and the fetched rows are committed on it.
    const auto commitWhenStored = [](TCacheDataFromHost& cache) { cache.CommitWhenStored = true; };
    TfrmDetailProcess* window = NewRunner(HostObjectParams(catalogCode, itemId, classId, extraLines),
                                          FactoryOf<TCacheDataFromHost>(gui_, &open_.Root(), commitWhenStored), true);
    auto stored = std::make_shared<bool>(false);
    window->SetOnSuccess([stored](std::vector<std::string>&) { *stored = true; });
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    QPointer<TfrmDetailProcess> running(window);
    window->StartProcess();
    const TEditorWait wait;
    if (running)
        loop.exec();
    return *stored;
}

TfrmDetailProcess* TPublishingCommands::CoCManagement()
{
    TCatalogData* data = open_.Data();
    if (!data)
        return nullptr;
    TAbstractDBConnection& main = data->GetConnectionFactory().GetConnection();
    std::vector<std::string> choice;
    const bool accepted = managementDialog_
                              ? managementDialog_(choice)
                              : data->GetUI() && data->GetUI()->RunEditorDialog(catalog_network::kManagementDialogType,
                                                                               choice, main);
    if (!accepted)
        return nullptr;
    std::string memberId = ValueOfName(choice, "memberid");
    if (memberId.empty())
        memberId = "0";
    const std::string memberCode =
        memberId == "0" ? std::string()
                        : data->GetQueries().ReadStringMember(std::atoi(memberId.c_str()), catalog_network::kMemberClassId,
                                                             1, "XXX", main);
    return StartRunner(catalog_network::ManagementParams(memberId, memberCode),
                       FactoryOf<TPublishCoCManagement>(gui_, &open_.Root()), true);
}
