// The publishing, export and update commands of the main window, each run
// with real parts: the dialogs are answered as a user would, the operations
// run in their runner windows against a folder, an FTP server or an update
// server on 127.0.0.1, and what they remember and write is checked.
#include "DialogWaits.h"
#include "ShellFixture.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CRC32.h"
#include "common/IniSettings.h"
#include "publishing/FroogleSettings.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmFtpAuthorization.h"
#include "publishing/ui/frmFtpPublishParameters.h"
#include "publishing/ui/frmPublishParameters.h"
#include "publishing/ui/frmPublishTolvex.h"
#include "publishing/ui/frmPublishTolvexAdvanced.h"
#include "editors/framework/Registration.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "editors/media/templates/reports/FrameReportCustomization.h"
#include "publishing/FopRunner.h"
#include "publishing/ImportedItems.h"
#include "publishing/PublishReport.h"
#include "shell/MainWindow.h"
#include "shell/PublishingCommands.h"
#include "support/HostStandIn.h"
#include "gui/MainWindowMessages.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"
#include "support/FtpTestServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWebEngineView>
#include <QWebEnginePage>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QRadioButton>
#include <QTextEdit>

#include <gtest/gtest.h>
#include <httplib.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace {

TfrmDetailProcess* OnlyRunner()
{
    QCoreApplication::processEvents();
    const std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    return windows.size() == 1 ? windows.front() : nullptr;
}

std::string Property(TShellFixture& f, int id)
{
    TCatalogData* data = f.Root().GetCatalogData();
    return data->GetCatalogProperty(id, data->GetConnectionFactory().GetConnection());
}

void FreeRunners(TShellFixture& f)
{
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); });
}

// How a test leaves a report form: OK, Cancel, or the form's own sending (Enter).
enum class TFormAnswer { Ok, Cancel, SendTheForm };

// Answers the next report form window other than Previous once its page is
// there: Check looks at the form, Fields (element id, value) are typed into
// it, then the form is left as Ok says.
void WhenReportFormShown(std::vector<std::pair<QString, QString>> fields, TFormAnswer ok, const char* screenshot = nullptr,
                         QPointer<QWidget> previous = {},
                         std::function<void(TFrameReportCustomization&)> check = {})
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget());
        auto* frame = window && window->isVisible() && window != previous
                          ? dynamic_cast<TFrameReportCustomization*>(
                                window->findChild<QWidget*>("TFrameReportCustomization"))
                          : nullptr;
        if (!frame || !frame->IsLoaded()) {
            QTimer::singleShot(10, *poll);
            return;
        }
        if (check)
            check(*frame);
        for (const auto& [id, value] : fields) {
            bool done = false;
            frame->View()->page()->runJavaScript(
                QString("document.getElementById('%1').value = '%2'; true").arg(id, value),
                [&](const QVariant&) { done = true; });
            WaitFor([&] { return done; });
        }
        if (screenshot) {
            // The engine paints a moment after it answered.
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
            WaitFor([&] { return std::chrono::steady_clock::now() > until; });
            Screenshot(*window, screenshot);
        }
        if (ok == TFormAnswer::SendTheForm)
            frame->View()->page()->runJavaScript("document.forms[0].requestSubmit()");
        else
            (ok == TFormAnswer::Ok ? window->btnContainerOk : window->btnContainerCancel)->click();
        *poll = nullptr;  // breaks the cycle
    };
    QTimer::singleShot(0, *poll);
}

// The value of a field of the form page.
std::string FieldValue(TFrameReportCustomization& frame, const QString& id)
{
    std::string value;
    bool done = false;
    frame.View()->page()->runJavaScript(QString("document.getElementById('%1').value").arg(id),
                                        [&](const QVariant& v) {
                                            value = v.toString().toStdString();
                                            done = true;
                                        });
    WaitFor([&] { return done; });
    return value;
}

}  // namespace

TEST(PublishEntryPoints, PublishLocallyTakesLanguageAndIndexNameFromTheParametersDialog)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder site;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string&, const std::string&) { return site.Path(); });
    const std::string language = f.Root().GetCatalogData()->GetLanguages().front();
    WhenShown<TfrmPublishParameters>([&](TfrmPublishParameters& dialog) {
        Screenshot(dialog, "publish-parameters");
        EXPECT_EQ(dialog.IndexEdit()->text(), "index.html");
        EXPECT_EQ(dialog.LanguageBox()->currentIndex(), 0);  // "[All possible]"
        EXPECT_EQ(dialog.PageField()->NameField()->text(), "(All Pages)");
        dialog.LanguageBox()->setCurrentIndex(1);
        dialog.IndexEdit()->setText("   ");
        dialog.StartButton()->click();
    });
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    TfrmDetailProcess* runner = OnlyRunner();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    // Blanks only: the default name; the one chosen language only.
    EXPECT_EQ(runner->GetParams()[1], "LangCode=" + language);
    EXPECT_EQ(Property(f, 711), "index.html");
    EXPECT_TRUE(fs::exists(fs::path(site.Path()) / "index.html"));
    EXPECT_TRUE(fs::is_directory(fs::path(site.Path()) / language));
    FreeRunners(f);

    // Cancel in the dialog starts nothing.
    WhenShown<TfrmPublishParameters>([](TfrmPublishParameters& dialog) { dialog.reject(); });
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

// A folder is remembered only once a site was published into it: a system
// folder is refused before anything is stored, and a run that failed leaves
// the last good folder as the one offered next.
TEST(PublishEntryPoints, TheSiteFolderIsRememberedOnlyAfterAPublishIntoItSucceeded)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder site;
    std::string chosen;
    std::vector<std::string> offered;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string& initial, const std::string&) {
        offered.push_back(initial);
        return chosen;
    });
    auto publish = [&](const std::string& folder, const QString& indexName) {
        chosen = folder;
        WhenShown<TfrmPublishParameters>([indexName](TfrmPublishParameters& dialog) {
            dialog.IndexEdit()->setText(indexName);
            dialog.StartButton()->click();
        });
        f.Shell().ExecuteAction("Action=PublishLocally", false);
        if (TfrmDetailProcess* runner = OnlyRunner())
            WaitFor([&] { return runner->IsFinished(); });
        FreeRunners(f);
    };

    chosen = "/proc";
    // Should the parameters dialog open for it after all, it is cancelled.
    bool refused = false;
    WhenShown<TfrmPublishParameters>([&refused](TfrmPublishParameters& dialog) {
        if (!refused)
            dialog.reject();
    });
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    refused = true;
    ASSERT_FALSE(f.Boxes().Messages("error").empty());
    EXPECT_NE(f.Boxes().Messages("error").back().find("\"/proc\" is a folder of the system"), std::string::npos);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
    EXPECT_EQ(Property(f, 710), "");

    publish(site.Path(), "..");  // the run fails: no such index file name
    EXPECT_EQ(Property(f, 710), "");
    publish(site.Path(), "index.html");
    EXPECT_TRUE(fs::exists(fs::path(site.Path()) / "index.html"));
    EXPECT_EQ(Property(f, 710), site.Path());
    TTempFolder other;
    publish(other.Path(), "..");
    EXPECT_EQ(Property(f, 710), site.Path());
    EXPECT_EQ(offered, (std::vector<std::string>{"", "", "", site.Path()}));
}

TEST(PublishEntryPoints, PublishByFtpUploadsTheStagedSiteAfterTheLogin)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder serverRoot;
    TFtpTestServer server(serverRoot.Path(), "webmaster", "s3cret");
    // A file an earlier run left in the staging folder is not sent.
    const fs::path staging = fs::path(f.Root().Settings().AppDir()) / "FtpPublish";
    fs::create_directories(staging);
    std::ofstream(staging / "stale.html") << "old";

    WhenShown<TfrmFtpPublishParameters>([&](TfrmFtpPublishParameters& dialog) {
        EXPECT_EQ(dialog.IndexEdit()->text(), "index.html");
        EXPECT_EQ(dialog.MethodBox()->currentText(), "Update changed files");
        // Without a host name Start refuses and the dialog stays.
        dialog.StartButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        // The server typed as an address, its port in it.
        dialog.HostEdit()->setText(QString::fromStdString("ftp://" + server.HostName()));
        Screenshot(dialog, "ftp-parameters-address");
        emit dialog.HostEdit()->editingFinished();
        EXPECT_EQ(dialog.HostEdit()->text(), "127.0.0.1");
        EXPECT_EQ(dialog.PortBox()->value(), server.Port());
        dialog.DirectoryEdit()->setText("shop");
        dialog.UrlEdit()->setText("http://shop.example.com");
        dialog.MethodBox()->setCurrentIndex(0);
        Screenshot(dialog, "ftp-parameters");
        dialog.StartButton()->click();
    });
    // The login: first a wrong password, then the right one.
    int logins = 0;
    std::function<void(TfrmFtpAuthorization&)> login = [&](TfrmFtpAuthorization& dialog) {
        ++logins;
        EXPECT_EQ(dialog.AddressLabel()->text().toStdString(), "ftp://" + server.HostName() + "/shop");
        if (TfrmDetailProcess* runner = OnlyRunner())
            Screenshot(*runner, "ftp-runner");
        dialog.LoginEdit()->setText("webmaster");
        dialog.PasswordEdit()->setText(logins == 1 ? "wrong" : "s3cret");
        dialog.SavePasswordBox()->setChecked(true);
        Screenshot(dialog, "ftp-login");
        if (logins == 1)
            WhenShown<TfrmFtpAuthorization>(login);
        dialog.OkButton()->click();
    };
    WhenShown<TfrmFtpAuthorization>(login);
    f.Boxes().QueueAnswer(mrYes);  // "Create directory?"

    f.Shell().ExecuteAction("Action=PublishByFtp", false);
    TfrmDetailProcess* runner = OnlyRunner();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    Screenshot(*runner, "ftp-runner-finished");
    const std::string log = runner->LogView()->toPlainText().toStdString();
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << log;
    EXPECT_EQ(logins, 2);
    EXPECT_FALSE(runner->TransferPanel()->isHidden());

    const std::vector<std::string> stored = server.PathsOf("STOR");
    auto sent = [&](const std::string& path) { return std::find(stored.begin(), stored.end(), path) != stored.end(); };
    EXPECT_TRUE(sent("shop/index.html")) << log;
    EXPECT_TRUE(sent("shop/siteinfo.zip")) << log;
    EXPECT_FALSE(sent("shop/stale.html"));
    EXPECT_FALSE(fs::exists(staging / "stale.html"));
    // The run staged the site in a folder of its own, which goes with the run.
    const std::string path = runner->GetParams().front().substr(5);
    EXPECT_EQ(fs::path(path).parent_path(), staging);
    EXPECT_TRUE(fs::exists(fs::path(path) / "index.html"));

    // The answers are remembered for the next run.
    EXPECT_EQ(Property(f, 714), server.HostName());
    EXPECT_EQ(Property(f, 715), "shop");
    EXPECT_EQ(Property(f, 713), "all");
    EXPECT_EQ(Property(f, 716), "index.html");
    EXPECT_EQ(Property(f, 718), "http://shop.example.com");
    FreeRunners(f);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(Property(f, 720), "webmaster");
    EXPECT_FALSE(Property(f, 719).empty());

    // The next run: host and port apart, the saved login filled in and used
    // without the login dialog.
    WhenShown<TfrmFtpPublishParameters>([&](TfrmFtpPublishParameters& dialog) {
        EXPECT_EQ(dialog.HostEdit()->text().toStdString(), "127.0.0.1");
        EXPECT_EQ(dialog.PortBox()->value(), server.Port());
        EXPECT_EQ(dialog.LoginEdit()->text(), "webmaster");
        EXPECT_EQ(dialog.PasswordEdit()->text(), "s3cret");
        EXPECT_TRUE(dialog.SavePasswordBox()->isChecked());
        EXPECT_EQ(dialog.MethodBox()->currentText(), "Update all files");
        Screenshot(dialog, "ftp-parameters-saved");
        dialog.StartButton()->click();
    });
    logins = 0;
    WhenShown<TfrmFtpAuthorization>(login);
    f.Shell().ExecuteAction("Action=PublishByFtp", false);
    TfrmDetailProcess* second = OnlyRunner();
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(WaitFor([&] { return second->IsFinished(); }));
    EXPECT_TRUE(second->GetPublisher()->Succeeded()) << second->LogView()->toPlainText().toStdString();
    EXPECT_EQ(logins, 0);
    FreeRunners(f);

    WhenShown<TfrmFtpPublishParameters>([](TfrmFtpPublishParameters& dialog) { dialog.reject(); });
    f.Shell().ExecuteAction("Action=PublishByFtp", false);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

TEST(PublishEntryPoints, ExportsRunFromTheFileMenuIntoTheChosenFolder)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    struct TCase {
        QAction* TMainWindowActions::*command;
        const char* help;
        int property;
    };
    for (const TCase& c : {TCase{&TMainWindowActions::ExportImages, "ExportImages", 721},
                           TCase{&TMainWindowActions::ExportTemplates, "ExportTemplates", 729}}) {
        SCOPED_TRACE(c.help);
        TTempFolder folder;
        f.Shell().Dialogs().SetFolderChooser([&](const std::string&, const std::string& help) {
            EXPECT_EQ(help, c.help);
            return folder.Path();
        });
        (f.Window().Actions().*c.command)->trigger();
        TfrmDetailProcess* runner = OnlyRunner();
        ASSERT_NE(runner, nullptr);
        ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
        EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
        EXPECT_EQ(Property(f, c.property), folder.Path());
        FreeRunners(f);
    }
    // The template export writes the catalog's templates.
    TTempFolder templates;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string&, const std::string&) { return templates.Path(); });
    f.Window().Actions().ExportTemplates->trigger();
    ASSERT_TRUE(WaitFor([] { return OnlyRunner() && OnlyRunner()->IsFinished(); }));
    EXPECT_FALSE(fs::is_empty(templates.Path()));
    FreeRunners(f);
}

TEST(PublishEntryPoints, ProductFeedExportAsksForTheUserNameFirst)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    f.Shell().ExecuteAction("Action=Export&Type=Froogle", false);
    ASSERT_FALSE(f.Boxes().Messages("error").empty());
    EXPECT_NE(f.Boxes().Messages("error").back().find("Froogle user name"), std::string::npos);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());

    // With a user name the feed goes into the chosen file, ".txt" added.
    TCatalogData* data = f.Root().GetCatalogData();
    TFroogleSettings settings;
    settings.UserName = "acme";
    settings.Store(f.Root(), data->GetConnectionFactory().GetConnection(), data->GetCurrentLangCode());
    TTempFolder folder;
    f.Boxes().QueueInput(folder.Path() + "/feed");
    f.Shell().ExecuteAction("Action=Export&Type=Froogle", false);
    TfrmDetailProcess* runner = OnlyRunner();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_EQ(runner->GetParams().front(), "FileName=" + folder.Path() + "/feed.txt");
    FreeRunners(f);
}

// ---- the hosting service ----------------------------------------------------------------------

// A catalog "shop" of type 1, open, registered with a stand-in host that the settings point at.
struct THostedShop {
    TShellFixture f;
    THostStandIn host;
    THostedShop()
    {
        EXPECT_EQ(f.CreateAndOpen("shop", 1), "");
        host.PointSettingsHere(f.Root().Settings().IniSettings());
        host.RegisterCatalog("shop");
    }
    TfrmDetailProcess* RunAction(const char* action)
    {
        f.Shell().ExecuteAction(action, false);
        TfrmDetailProcess* runner = OnlyRunner();
        if (runner) {
            EXPECT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
        }
        return runner;
    }
};

TEST(PublishEntryPoints, PublishingOnTheHostWithoutAdvancedOptionsMergesBothSidesAtOnce)
{
    THostedShop s;
    WhenShown<TfrmPublishTolvex>([](TfrmPublishTolvex& d) {
        EXPECT_TRUE(d.AdvancedButton()->isVisible());
        Screenshot(d, "host-connect");
        d.ContinueButton()->click();
    });
    TfrmDetailProcess* runner = s.RunAction("Action=PublishOnTolvex");
    ASSERT_NE(runner, nullptr);
    EXPECT_EQ(runner->GetParams(), (std::vector<std::string>{"SendPacketSize=100", "Synchronization=Merge",
                                                             "ChangesHost=Immediately", "ChangesLocal=Immediately"}));
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    EXPECT_TRUE(runner->TransferPanel()->isVisible());
    EXPECT_GT(s.host.Count("Items", "CatalogCode = 'shop'"), 10);
    FreeRunners(s.f);

    // Cancel in "Connect" starts nothing.
    WhenShown<TfrmPublishTolvex>([](TfrmPublishTolvex& d) { d.reject(); });
    s.f.Shell().ExecuteAction("Action=PublishOnTolvex", false);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

TEST(PublishEntryPoints, TheAdvancedOptionsKeepTheDeleteBoxesToTheirDirection)
{
    THostedShop s;
    // The run itself stops at the registration check: the parameters are what counts here.
    s.host.Fail("checkcatalog", THostStandIn::TFailure{}, 0);
    WhenShown<TfrmPublishTolvex>([](TfrmPublishTolvex& d) {
        d.AdvancedButton()->click();
        WhenShown<TfrmPublishTolvexAdvanced>([](TfrmPublishTolvexAdvanced& a) {
            EXPECT_TRUE(a.MergeRadio()->isChecked());
            EXPECT_FALSE(a.DeleteHostBox()->isEnabled());
            a.LocalToHostRadio()->setChecked(true);
            EXPECT_TRUE(a.DeleteHostBox()->isEnabled());
            a.DeleteHostBox()->setChecked(true);
            a.HostToLocalRadio()->setChecked(true);
            EXPECT_FALSE(a.DeleteHostBox()->isChecked()) << "cleared with its direction";
            EXPECT_FALSE(a.DeleteHostBox()->isEnabled());
            a.DeleteLocalBox()->setChecked(true);
            a.SendInPacketsBox()->setChecked(false);
            EXPECT_FALSE(a.PacketSizeEdit()->isEnabled());
            Screenshot(a, "host-advanced-options");
            a.findChild<QPushButton*>("btnContinue")->click();
        });
    });
    TfrmDetailProcess* runner = s.RunAction("Action=PublishOnTolvex");
    ASSERT_NE(runner, nullptr);
    EXPECT_EQ(runner->GetParams(),
              (std::vector<std::string>{"Synchronization=HostToLocal", "Delete=Local", "ChangesHost=Immediately",
                                        "ChangesLocal=Immediately"}))
        << "no packets: no packet size";
    EXPECT_FALSE(s.f.Root().Settings().IniSettings().GetBool(siPublishOnTolvexBulkSend, true));
    EXPECT_FALSE(runner->GetPublisher()->Succeeded());
    FreeRunners(s.f);
}

TEST(PublishEntryPoints, StylesAndTablesGoThroughTheHostAccount)
{
    THostedShop s;
    s.host.Fail("xmldata", THostStandIn::TFailure{}, 0);  // nothing needs to arrive
    TPublishingCommands& commands = s.f.Shell().Publishing();
    int accountQuestions = 0;
    commands.SetHostDialogs({{},
                             [](THostSyncChoices& choices) {
                                 // Prefilled from the style upload's list.
                                 EXPECT_TRUE(choices.FromList);
                                 EXPECT_FALSE(choices.StartPageGenerationEnabled);
                                 EXPECT_FALSE(choices.ApplyHostImmediately);
                                 return true;
                             },
                             [&](std::string& user, std::string& password) {
                                 ++accountQuestions;
                                 user = "owner";
                                 password = "pw";
                                 return true;
                             }});
    TfrmDetailProcess* upload = s.RunAction("Action=UploadStyle");
    ASSERT_NE(upload, nullptr);
    EXPECT_EQ(upload->GetParams(),
              (std::vector<std::string>{"SendPacketSize=100", "Synchronization=Merge", "Delete=Host",
                                        "DisableGeneratePages=yes", "DontGeneratePages=yes", "ChangesHost=Posponded",
                                        "ChangesLocal=Posponded"}));
    EXPECT_EQ(s.host.Requests().front().Field("username"), "owner");
    FreeRunners(s.f);

    // The catalog's own login stays: the catalog reopens after the upload.
    EXPECT_EQ(s.f.Root().GetUserName(), "admin");
    QCoreApplication::processEvents();
    ASSERT_TRUE(s.f.Root().Catalog().IsOpen());
    TfrmDetailProcess* tables = s.RunAction("Action=DownloadZarivuro");
    ASSERT_NE(tables, nullptr);
    const std::vector<std::string>& params = tables->GetParams();
    EXPECT_NE(std::find(params.begin(), params.end(), "requestfieldvalue=shop"), params.end());
    EXPECT_NE(std::find(params.begin(), params.end(), "UserName=owner"), params.end());
    EXPECT_EQ(accountQuestions, 2);
    FreeRunners(s.f);

    // A refused account starts nothing.
    commands.SetHostDialogs({{}, {}, [](std::string&, std::string&) { return false; }});
    s.f.Shell().ExecuteAction("Action=DownloadStyle", false);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
    commands.SetHostDialogs({});
}

TEST(PublishEntryPoints, TheReportMenuOfANewCatalogMakesReportsAndListsThem)
{
    TShellFixture f(true, RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    QMenu* menu = f.Window().Menu(TMainMenu::Report);
    ASSERT_TRUE(menu->menuAction()->isVisible());
    QAction* htmlType = nullptr;
    for (QAction* entry : menu->actions())
        if (entry->text() == "Product list (HTML)")
            htmlType = entry;
    ASSERT_NE(htmlType, nullptr);
    ASSERT_TRUE(htmlType->menu());
    ASSERT_EQ(htmlType->menu()->actions().size(), 1);  // "New Report" alone
    QAction* newReport = htmlType->menu()->actions().front();
    EXPECT_EQ(newReport->text(), "New Report");

    TTempFolder out;
    std::string proposed;
    f.Shell().Publishing().SetReportFileDialog([&](const std::string& name) {
        proposed = name;
        return out.Path() + "/stock";  // no extension: ".html" is added
    });
    // The creation form proposes the file's name; the name typed there names the report.
    std::string proposedName;
    WhenReportFormShown({{"ItemName", "Stock list"}}, TFormAnswer::Ok, "report-creation-form", {},
                        [&](TFrameReportCustomization& frame) { proposedName = FieldValue(frame, "ItemName"); });
    newReport->trigger();
    EXPECT_EQ(proposed, "Product list (HTML).html");
    TfrmDetailProcess* runner = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (runner = OnlyRunner()) != nullptr && runner->IsFinished(); }));
    EXPECT_EQ(proposedName, "stock");
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    EXPECT_TRUE(runner->isVisible()) << "shown once the forms were passed";
    EXPECT_NE(TTempFolder::Read(out.Path() + "/stock.html").find("<h1>Stock list</h1>"), std::string::npos);
    FreeRunners(f);
    // The new report is listed under its type, with a Delete entry.
    ASSERT_TRUE(WaitFor([&] {
        for (QAction* entry : menu->actions())
            if (entry->text() == "Product list (HTML)" && entry->menu() && entry->menu()->actions().size() == 4)
                return entry->menu()->actions().front()->text() == "Stock list";
        return false;
    }));

    // Cancel on the creation form makes no report (the menu was built anew).
    newReport = nullptr;
    for (QAction* entry : menu->actions())
        if (entry->text() == "Product list (HTML)" && entry->menu())
            for (QAction* command : entry->menu()->actions())
                if (command->text() == "New Report")
                    newReport = command;
    ASSERT_NE(newReport, nullptr);
    WhenReportFormShown({}, TFormAnswer::Cancel);
    newReport->trigger();
    ASSERT_TRUE(WaitFor([&] { return (runner = OnlyRunner()) != nullptr && runner->IsFinished(); }));
    EXPECT_FALSE(runner->GetPublisher()->Succeeded());
    FreeRunners(f);
    f.Shell().Publishing().SetReportFileDialog({});
}

TEST(PublishEntryPoints, APdfReportShowsItsFormsAndTakesWhatWasSubmitted)
{
    TShellFixture f(true, RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder out;
    f.Shell().Publishing().SetReportFileDialog([&](const std::string&) { return out.Path() + "/stock.pdf"; });
    // The creation form, then the customization form: a title typed there
    // and sent with the form's own Enter reaches the PDF.
    QPointer<QWidget> creation;
    WhenReportFormShown({}, TFormAnswer::Ok, nullptr, {}, [&](TFrameReportCustomization& frame) {
        creation = frame.window();
        WhenReportFormShown({{"Title", "Spring stock"}}, TFormAnswer::SendTheForm, "report-customization-form",
                            creation);
    });
    f.Shell().ExecuteAction("Action=PublishReport&ItemId=600402", false);
    ASSERT_TRUE(WaitFor([] { return !TfrmDetailProcess::ProcessWindows().empty(); }));
    TfrmDetailProcess* runner = TfrmDetailProcess::ProcessWindows().front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    auto* report = dynamic_cast<TPublishReport*>(runner->GetPublisher());
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->Submitted(), "Title=Spring+stock&Customized=yes");
    EXPECT_TRUE(IsPdfFile(out.Path() + "/stock.pdf"));
    const int reportId = report->ReportItemId();
    FreeRunners(f);

    // Cancel on the customization form ends the run without a report.
    WhenReportFormShown({}, TFormAnswer::Cancel);
    fs::remove(out.Path() + "/stock.pdf");
    f.Shell().ExecuteAction("Action=PublishReport&ItemId=" + std::to_string(reportId), false);
    ASSERT_TRUE(WaitFor([] { return !TfrmDetailProcess::ProcessWindows().empty(); }));
    runner = TfrmDetailProcess::ProcessWindows().front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_FALSE(runner->GetPublisher()->Succeeded());
    EXPECT_FALSE(fs::exists(out.Path() + "/stock.pdf"));
    FreeRunners(f);

    // A form that does not generate shows why, and its OK submits nothing: no report.
    TCatalogData* data = f.Root().GetCatalogData();
    TImportedItems(f.Root(), data->GetConnectionFactory().GetConnection(), data->GetCatalogCode(), f.Boxes())
        .SetText(600404, "XmlData", "XXX", "<xsl:stylesheet version=\"1.0\" "
                                           "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"><xsl:template>");
    std::string page;
    WhenReportFormShown({}, TFormAnswer::Ok, "report-form-error", {}, [&](TFrameReportCustomization& frame) {
        bool done = false;
        frame.View()->page()->toPlainText([&](const QString& text) {
            page = text.toStdString();
            done = true;
        });
        WaitFor([&] { return done; });
    });
    f.Shell().ExecuteAction("Action=PublishReport&ItemId=" + std::to_string(reportId), false);
    ASSERT_TRUE(WaitFor([] { return !TfrmDetailProcess::ProcessWindows().empty(); }));
    runner = TfrmDetailProcess::ProcessWindows().front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_FALSE(runner->GetPublisher()->Succeeded());
    EXPECT_FALSE(fs::exists(out.Path() + "/stock.pdf"));
    EXPECT_FALSE(page.empty()) << "the error is shown";
    FreeRunners(f);
    f.Shell().Publishing().SetReportFileDialog({});
}

TEST(PublishEntryPoints, ExportCatalogTemplateToStylesAsksForATemplateNotAFolder)
{
    TShellFixture f(true, RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT MIN(ItemId) AS F, (SELECT MIN(ItemId) FROM Items WHERE ItemType = 501) AS M FROM Items "
                  "WHERE ItemType = 2 AND ParentItemId = 5");
    TAbstractRecordset& row = query->Open(true);
    const int master = static_cast<int>(row.Field("M").AsInteger());
    const int folder = static_cast<int>(row.Field("F").AsInteger());
    query.Release();
    f.AnswerPagesInTurn({folder, master});
    f.Window().Actions().ExportCatalogTemplateToStyles->trigger();
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Please select template."}) << "a folder first";
    TfrmDetailProcess* runner = OnlyRunner();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    const std::vector<std::string>& params = runner->GetPublisher()->GetParams();
    EXPECT_NE(std::find(params.begin(), params.end(), "ItemId=" + std::to_string(master)), params.end());
    EXPECT_EQ(std::find(params.begin(), params.end(), "Import=yes"), params.end()) << "the export direction";
    FreeRunners(f);

    // A cancelled picker starts nothing.
    f.Window().Actions().ExportCatalogTemplateToStyles->trigger();
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());

    // The program's own picker, closed with Cancel.
    f.Shell().Dialogs().SetPageChooser({});
    bool shown = false;
    WhenShown<TfrmFrameContainer>([&](TfrmFrameContainer& picker) {
        shown = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        WaitFor([&] { return std::chrono::steady_clock::now() > until; });
        Screenshot(picker, "select-template");
        picker.btnContainerCancel->click();
    });
    f.Window().Actions().ExportCatalogTemplateToStyles->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

TEST(PublishEntryPoints, OperationsThatAreNotBuiltSaySo)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    for (const char* action : {"Action=CoCManagement"}) {
        SCOPED_TRACE(action);
        const std::size_t before = f.Boxes().Messages("information").size();
        f.Shell().ExecuteAction(action, false);
        ASSERT_EQ(f.Boxes().Messages("information").size(), before + 1);
        EXPECT_NE(f.Boxes().Messages("information").back().find("is not available yet"), std::string::npos);
    }
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

namespace {

// An update server on 127.0.0.1 with one list and the archives it names.
class TUpdateServer {
public:
    TUpdateServer()
    {
        server_.Get(R"(/(.*))", [this](const httplib::Request& request, httplib::Response& response) {
            const auto found = files_.find(request.path);
            if (found == files_.end())
                response.status = 404;
            else
                response.set_content(found->second, "application/octet-stream");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
    }
    ~TUpdateServer()
    {
        server_.stop();
        if (thread_.joinable())
            thread_.join();
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    // Serves a list with one required file of that name and content, then starts.
    void Start(const std::string& name, const std::string& content)
    {
        uLongf size = compressBound(static_cast<uLong>(content.size()));
        std::string packed(size, '\0');
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(content.data()),
                  static_cast<uLong>(content.size()), 9);
        packed.resize(size);
        auto crc = [](const std::string& bytes) {
            return std::to_string(static_cast<std::int32_t>(TCRC32::CalcStringCRC(bytes)));
        };
        files_["/files/" + name + ".z"] = packed;
        files_["/list.xml"] = "<?xml version=\"1.0\"?><client><latest><download-url>" + Url("/files") +
                              "</download-url><file><name>" + name + "</name><archive>" + name +
                              ".z</archive><archivesize>" + std::to_string(packed.size()) +
                              "</archivesize><archivecrc32>" + crc(packed) + "</archivecrc32><path></path><size>" +
                              std::to_string(content.size()) + "</size><crc32>" + crc(content) +
                              "</crc32><version>2.0</version><required>yes</required></file></latest></client>";
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }

private:
    httplib::Server server_;
    std::map<std::string, std::string> files_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace

TEST(PublishEntryPoints, SoftwareUpdateFromTheHelpMenuDownloadsAndAsksToRestart)
{
    TShellFixture f;
    TUpdateServer server;
    server.Start("notes.txt", "the new notes");
    f.Root().Settings().IniSettings().SetString(siSoftwareUpdateURL, server.Url("/list.xml"));
    f.Boxes().QueueAnswer(mrYes);  // "Need to download 1 file(s) ..."
    f.Boxes().QueueAnswer(mrYes);  // restart to register the update

    f.Window().Actions().SoftwareUpdate->trigger();
    TfrmDetailProcess* runner = f.Shell().Publishing().UpdateWindow();
    ASSERT_NE(runner, nullptr);
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    Screenshot(*runner, "software-update");
    const std::string log = runner->LogView()->toPlainText().toStdString();
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << log;
    EXPECT_FALSE(runner->TransferPanel()->isHidden());
    EXPECT_NE(runner->ReceivedText(), "0");
    const fs::path update = fs::path(f.Root().Settings().AppDir()) / "update";
    EXPECT_TRUE(fs::exists(update / "doupdate")) << log;

    // Agreeing to restart closes the program with the updater's arguments.
    EXPECT_TRUE(WaitFor([] { return UpdateArguments == "restart 1000"; }));
    UpdateArguments.clear();
    UpdateOnExit = false;
}

TEST(PublishEntryPoints, SoftwareUpdateOfGivenFilesRunsModallyAndAppliesAtOnce)
{
    TShellFixture f;
    TUpdateServer server;
    server.Start("notes.txt", "the new notes");
    f.Root().Settings().IniSettings().SetString(siSoftwareUpdateURL, server.Url("/list.xml"));
    f.Boxes().QueueAnswer(mrYes);  // "Need to download 1 file(s) ..."
    // The user closes the finished window.
    WhenShown<TfrmDetailProcess>([](TfrmDetailProcess& window) {
        WaitFor([&] { return window.IsFinished(); });
        window.CancelButton()->click();
    });
    const std::vector<std::string> files{"notes.txt"};
    EXPECT_TRUE(f.Root().RunSoftwareUpdate(&files, true));
    const fs::path placed = fs::path(f.Root().Settings().AppDir()) / "notes.txt";
    std::ifstream in(placed);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the new notes");
    EXPECT_FALSE(fs::exists(fs::path(f.Root().Settings().AppDir()) / "update" / "doupdate"));
    EXPECT_TRUE(UpdateArguments.empty());
    UpdateOnExit = false;
}
