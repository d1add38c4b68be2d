// The login over a real program folder: the dialog driven offscreen to
// create a catalog of type 1 and open it, to log in again with the
// remembered login, and to refuse a wrong password and a bad code; and the
// login model's decisions without a window.
#include "ShellFixture.h"

#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctions.h"
#include "common/CookieStore.h"
#include "common/IniSettings.h"
#include "shell/Login.h"
#include "shell/LoginModel.h"
#include "gui/MainWindowMessages.h"
#include "shell/frmLogin.h"
#include "shell/PublishingCommands.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"
#include "support/HostStandIn.h"
#include "storage/SQLiteFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using TAct = std::function<void(TfrmLogin&)>;

// Acts on the login dialogs the next call shows: the first action on the
// first showing, the next on the one after, and so on. Each action ends
// its showing; a showing with no action left fails the test and is
// cancelled, so that a test never waits for a dialog nobody closes.
void OnLoginShowings(std::vector<TAct> acts)
{
    // The poll holds itself only weakly: each timer it starts holds it, so
    // it is freed once it stops starting them.
    auto poll = std::make_shared<std::function<void()>>();
    const std::weak_ptr<std::function<void()>> self = poll;
    const auto again = [self] {
        if (auto next = self.lock())
            QTimer::singleShot(5, qApp, [next] { (*next)(); });
    };
    auto remaining = std::make_shared<std::vector<TAct>>(std::move(acts));
    auto dialogSeen = std::make_shared<QPointer<TfrmLogin>>();
    auto seenOnce = std::make_shared<bool>(false);
    *poll = [again, remaining, dialogSeen, seenOnce] {
        // The flow has ended once its dialog is gone.
        if (*seenOnce && dialogSeen->isNull())
            return;
        auto* dialog = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            again();
            return;
        }
        *dialogSeen = dialog;
        *seenOnce = true;
        if (remaining->empty()) {
            ADD_FAILURE() << "the login dialog was shown once more than expected";
            dialog->reject();
        } else {
            const TAct act = remaining->front();
            remaining->erase(remaining->begin());
            act(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the login dialog stayed open";
                dialog->reject();
            }
        }
        again();
    };
    QTimer::singleShot(0, qApp, [poll] { (*poll)(); });
}

void Screenshot(QWidget& window, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        window.grab().save(QString("%1/%2.png").arg(dir, name));
}

// Fills the new-catalog page: the type by its number, the code typed.
void FillNewCatalog(TfrmLogin& d, const char* type, const char* code, const char* password, const char* confirm,
                    bool save)
{
    d.cbLoginNewCatalogType->setCurrentIndex(d.cbLoginNewCatalogType->findData(type));
    d.edtLoginNewCatalogCode->clear();
    QTest::keyClicks(d.edtLoginNewCatalogCode, code);
    d.edtLoginNewPassword->setText(password);
    d.edtLoginNewConfirm->setText(confirm);
    d.cbLoginNewSavePassword->setChecked(save);
}

class Login : public ::testing::Test {
protected:
    TTolvex& Root() { return f.Root(); }
    TIniSettings& Ini() { return Root().Settings().IniSettings(); }
    std::string OpenCode()
    {
        TTolvexCatalog* open = Root().Catalog().GetOpenCatalog();
        return open ? open->GetCatalogCode() : std::string();
    }
    TShellFixture f;
};

TEST_F(Login, CreatesACatalogOfTypeOneOpensItAndLogsInAgainWithTheRememberedLogin)
{
    // No catalog yet: the start page goes straight to the new catalog.
    OnLoginShowings({[](TfrmLogin& d) {
        EXPECT_EQ(d.Pages()->currentWidget(), d.tabLoginNew);
        EXPECT_EQ(d.windowTitle(), "Create Catalog");
        EXPECT_FALSE(d.edtLoginNewUserName->isVisible()) << "only in the advanced mode";
        Screenshot(d, "login-new-catalog-empty");
        FillNewCatalog(d, "1", "My_Shop", "secret1", "secret1", true);
        EXPECT_EQ(d.edtLoginNewCatalogCode->text(), "myshop") << "capitals lower-cased, the underscore swallowed";
        Screenshot(d, "login-new-catalog-filled");
        d.btnLoginNewContinue->click();
    }});
    // As at the first start: the start message opens the login.
    f.Window().PostMessage(WM_START_PROCESS, 0, 0);
    QCoreApplication::processEvents();
    ASSERT_TRUE(Root().Catalog().IsOpen()) << testing::PrintToString(f.Boxes().Messages("error"));
    f.Screenshot("first-run-catalog-open");
    EXPECT_EQ(OpenCode(), "myshop");
    EXPECT_EQ(Root().Catalog().GetOpenCatalog()->GetCatalogType(), 1);
    EXPECT_EQ(Ini().ReadValue("catalog-myshop", "UserName", ""), "Administrator");
    const std::string stored = Ini().ReadValue("catalog-myshop", "Password", "");
    EXPECT_NE(stored, "secret1") << "never stored plain";
    EXPECT_EQ(TCommonFunctions::UnscramblePassword(stored), "secret1");

    // Closed and logged in again: the catalog is preselected with its remembered login.
    ASSERT_TRUE(Root().CloseCatalog());
    OnLoginShowings({[](TfrmLogin& d) {
        EXPECT_EQ(d.Pages()->currentWidget(), d.tabLoginWelcome);
        EXPECT_TRUE(d.rbLoginWelcomeOpen->isChecked());
        ASSERT_EQ(d.lbLoginWelcomeDatabases->count(), 1);
        EXPECT_EQ(d.lbLoginWelcomeDatabases->currentItem()->text(), "myshop");
        Screenshot(d, "login-welcome");
        d.btnLoginWelcomeOk->click();
        EXPECT_EQ(d.Pages()->currentWidget(), d.tabLoginOpen);
        EXPECT_EQ(d.edtLoginOpenCatalogCode->text(), "myshop");
        EXPECT_EQ(d.edtLoginOpenUserName->text(), "Administrator");
        EXPECT_EQ(d.edtLoginOpenPassword->text(), "secret1");
        EXPECT_TRUE(d.cbLoginOpenSave->isChecked());
        Screenshot(d, "login-open");
        d.btnLoginOpenOk->click();
    }});
    f.Shell().LoginShowWelcome("", false);
    ASSERT_TRUE(Root().Catalog().IsOpen());
    EXPECT_EQ(Ini().ReadValue("catalog-myshop", "Password", ""), stored) << "an unchanged password is not rewritten";
    EXPECT_TRUE(f.Boxes().Messages("error").empty());
}

TEST_F(Login, AWrongPasswordIsRefusedAndTheDialogComesBackUntilCancelled)
{
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    ASSERT_TRUE(Root().CloseCatalog());
    OnLoginShowings({[](TfrmLogin& d) {
                         d.btnLoginWelcomeOk->click();
                         d.edtLoginOpenUserName->setText("admin");
                         d.edtLoginOpenPassword->setText("wrong");
                         d.btnLoginOpenOk->click();
                     },
                     [](TfrmLogin& d) {
                         EXPECT_EQ(d.Pages()->currentWidget(), d.tabLoginOpen) << "shown again on its page";
                         d.reject();
                     }});
    f.Shell().LoginShowWelcome("shop", false);
    EXPECT_FALSE(Root().Catalog().IsOpen());
    EXPECT_EQ(f.Boxes().Messages("error"),
              std::vector<std::string>{"Wrong password for user \"admin\" in catalog \"shop\""});
    // The user name is remembered, the password was not asked to be.
    EXPECT_EQ(Ini().ReadValue("catalog-shop", "UserName", ""), "admin");
    EXPECT_EQ(Ini().ReadValue("catalog-shop", "Password", ""), "");
}

TEST_F(Login, TheNewCatalogPageListsEveryBrokenRuleInOneBoxAndKeepsThePage)
{
    struct TCase {
        const char* name;
        const char* code;  // set as pasted
        const char* password;
        const char* confirm;
        std::string messages;
    };
    const TCase cases[] = {
        {"blank in the code", "my shop", "secret1", "secret1", "Catalog code contains wrong symbols\r\n"},
        {"empty code", "", "secret1", "secret1", "Catalog code must be entered\r\n"},
        {"short and differing passwords", "shop", "abcd", "abce",
         "Password must be at least 5 chars\r\nPasswords differ\r\n"},
        {"everything at once", "Sh op", "", "x",
         "Catalog code contains wrong symbols\r\nPassword must be at least 5 chars\r\nPasswords differ\r\n"},
    };
    for (const TCase& c : cases) {
        f.Boxes().Clear();
        OnLoginShowings({[&c](TfrmLogin& d) {
            d.cbLoginNewCatalogType->setCurrentIndex(d.cbLoginNewCatalogType->findData("1"));
            d.edtLoginNewCatalogCode->setText(c.code);
            d.edtLoginNewPassword->setText(c.password);
            d.edtLoginNewConfirm->setText(c.confirm);
            d.btnLoginNewContinue->click();
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(d.Pages()->currentWidget(), d.tabLoginNew) << c.name;
            d.reject();
        }});
        f.Shell().LoginNewCatalog();
        EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{c.messages}) << c.name;
        EXPECT_FALSE(Root().Catalog().IsOpen()) << c.name;
    }
    const std::string folder = Root().Settings().GetDatabasePath();
    EXPECT_TRUE(!std::filesystem::exists(folder) || std::filesystem::is_empty(folder));
}

TEST_F(Login, AnUnderscoreCannotBeTypedButAPastedOneIsAccepted)
{
    OnLoginShowings({[](TfrmLogin& d) {
        FillNewCatalog(d, "1", "a_b", "secret1", "secret1", false);
        EXPECT_EQ(d.edtLoginNewCatalogCode->text(), "ab");
        d.edtLoginNewCatalogCode->setText("a_b");
        d.btnLoginNewContinue->click();
    }});
    f.Shell().LoginNewCatalog();
    EXPECT_EQ(OpenCode(), "a_b");
    EXPECT_EQ(Ini().ReadValue("catalog-a_b", "Password", ""), "") << "not asked to save it";
}

// The host holds the catalog "hosted" (made here, synchronised, then deleted here).
class LoginFromHost : public Login {
protected:
    void SetUp() override
    {
        host.PointSettingsHere(Ini());
        host.RegisterCatalog("hosted");
        ASSERT_EQ(f.CreateAndOpen("hosted", 1), "");
        f.Shell().Publishing().SetHostDialogs(
            {[this](const std::string& text, bool withAdvanced, bool&) {
                 connectTexts.push_back(text);
                 EXPECT_FALSE(withAdvanced && !text.empty());
                 return connectAnswer;
             },
             {},
             {}});
        ASSERT_NE(f.Shell().Publishing().PublishOnTolvex(), nullptr);
        ASSERT_TRUE(WaitUntil([] { return Runners() == 1 && TfrmDetailProcess::ProcessWindows().front()->IsFinished(); }));
        hostItems = host.Count("Items", "CatalogCode = 'hosted'");
        ASSERT_GT(hostItems, 10);
        FreeRunnerWindows();
        ASSERT_TRUE(Root().CloseCatalog());
        ASSERT_TRUE(Root().DeleteCatalog("hosted"));
        ASSERT_FALSE(std::filesystem::exists(File()));
        connectTexts.clear();
    }
    void TearDown() override { f.Shell().Publishing().SetHostDialogs({}); }

    static std::size_t Runners()
    {
        QCoreApplication::processEvents();
        return TfrmDetailProcess::ProcessWindows().size();
    }
    template <typename T>
    static bool WaitUntil(T condition)
    {
        for (int i = 0; i < 3000 && !condition(); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return condition();
    }
    void FreeRunnerWindows()
    {
        f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
        WaitUntil([] { return TfrmDetailProcess::ProcessWindows().empty(); });
    }
    std::string File() { return SQLiteDatabaseFileName(Root().Settings().GetDatabasePath(), "hosted"); }
    // The login's new-catalog-from-host page, filled and confirmed.
    void AskForTheHostedCatalog()
    {
        OnLoginShowings({[](TfrmLogin& d) {
            EXPECT_EQ(d.Pages()->currentWidget(), d.tabNewCatalogFromHost);
            QTest::keyClicks(d.edtFromHostCatalogCode, "hosted");
            d.edtFromHostUserName->setText("admin");
            d.edtFromHostPassword->setText("secret");
            Screenshot(d, "login-from-host");
            d.btnFromHostOk->click();
        }});
        f.Shell().LoginNewCatalogFromHost();
    }

    THostStandIn host;
    int hostItems = 0;
    bool connectAnswer = true;
    std::vector<std::string> connectTexts;
};

TEST_F(LoginFromHost, ANewCatalogFromTheHostIsRebuiltFromTheHostsCatalog)
{
    AskForTheHostedCatalog();
    ASSERT_EQ(connectTexts.size(), 1u);
    EXPECT_NE(connectTexts.front().find("download \"hosted\" database"), std::string::npos);
    ASSERT_TRUE(WaitUntil([] { return Runners() == 1 && TfrmDetailProcess::ProcessWindows().front()->IsFinished(); }));
    TfrmDetailProcess* runner = TfrmDetailProcess::ProcessWindows().front();
    EXPECT_TRUE(runner->GetPublisher()->Succeeded()) << runner->LogView()->toPlainText().toStdString();
    FreeRunnerWindows();
    // The run asked for the catalog to be opened again: now of the host's type.
    ASSERT_TRUE(WaitUntil([this] { return Root().Catalog().IsOpen() && Root().Catalog().GetOpenCatalog()->GetCatalogType() == 1; }));
    EXPECT_EQ(OpenCode(), "hosted");
    EXPECT_EQ(f.Data().GetCatalogProperty(707, f.Main()), "yes");
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM Items WHERE CatalogCode = 'hosted' AND ItemId <> 707");
    EXPECT_EQ(query->Open(true).Field("N").AsInteger(), hostItems);
}

TEST_F(LoginFromHost, AFailedOrCancelledDownloadLeavesNoCatalogBehind)
{
    // The host refuses the catalog.
    host.Fail("checkcatalog", THostStandIn::TFailure{}, 0);
    AskForTheHostedCatalog();
    ASSERT_TRUE(WaitUntil([] { return Runners() == 1 && TfrmDetailProcess::ProcessWindows().front()->IsFinished(); }));
    FreeRunnerWindows();
    EXPECT_TRUE(WaitUntil([this] { return !std::filesystem::exists(File()); }));
    EXPECT_FALSE(Root().Catalog().IsOpen());
    host.ClearFailures();

    // "Cancel" in "Connect".
    connectAnswer = false;
    AskForTheHostedCatalog();
    EXPECT_TRUE(WaitUntil([this] { return !std::filesystem::exists(File()); }));
    EXPECT_FALSE(Root().Catalog().IsOpen());
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

TEST_F(Login, TheHostAccountIsRememberedPerCatalog)
{
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TLogin::TEnvironment environment{Root(), f.Boxes()};
    OnLoginShowings({[](TfrmLogin& d) {
        EXPECT_EQ(d.edtHostAuthUserName->text(), "Administrator");
        d.edtHostAuthUserName->setText("owner");
        d.edtHostAuthPassword->setText("pw-host");
        d.cbHostAuthSave->setChecked(true);
        d.btnHostAuthOk->click();
    }});
    std::string user;
    std::string password;
    ASSERT_TRUE(TLogin(environment).AskHostAccount(user, password));
    EXPECT_EQ(user, "owner");
    EXPECT_EQ(password, "pw-host");
    OnLoginShowings({[](TfrmLogin& d) {
        EXPECT_EQ(d.edtHostAuthUserName->text(), "owner");
        EXPECT_EQ(d.edtHostAuthPassword->text(), "pw-host");
        d.cbHostAuthSave->setChecked(false);
        d.btnHostAuthOk->click();
    }});
    ASSERT_TRUE(TLogin(environment).AskHostAccount(user, password));
    EXPECT_EQ(Ini().ReadValue("catalogauth-shop", "UserName", ""), "owner");
    EXPECT_EQ(Ini().ReadValue("catalogauth-shop", "Password", ""), "");
}

// ---- the model without a window ------------------------------------------------------------------

// A cookie store holding the cookies set for each address.
class TMapCookieStore : public TCookieStore {
public:
    bool GetCookie(const std::string& url, const std::string& name, std::string& value) override
    {
        const auto found = cookies.find(url + "|" + name);
        if (found == cookies.end())
            return false;
        value = found->second;
        return true;
    }
    bool SetCookie(const std::string& url, const std::string& name, const std::string& data) override
    {
        cookies.erase(url + "|" + name);
        setCalls.push_back(url + "|" + name + "|" + data);
        return true;
    }
    std::map<std::string, std::string> cookies;
    std::vector<std::string> setCalls;
};

class LoginModel : public Login {
protected:
    void SetUp() override { CommonProcedures->Functions().SetCookieStore(&store); }
    void TearDown() override { CommonProcedures->Functions().SetCookieStore(nullptr); }
    void Register(const std::string& registration)
    {
        Ini().SetString(siCookieHost, "http://register.test/");
        Ini().SetString(siCookieName, "REG");
        store.cookies["http://register.test/|REG"] = registration;
    }
    TMapCookieStore store;
};

TEST_F(LoginModel, ARegistrationPrefillsTheNewCatalogOnceUnlessItsCatalogExists)
{
    Register("catalogtype=1&catalogcode=acme&username=boss&companyname=Acme&email=a@acme.test&passwd=reg-pw");
    {
        TLoginModel model(Root(), f.Boxes(), nullptr);
        model.StartWelcome("", false);
        EXPECT_EQ(model.Page(), TLoginPage::NewCatalog);
        EXPECT_EQ(model.NewFields().Code, "acme");
        EXPECT_EQ(model.NewFields().UserName, "boss");
        EXPECT_FALSE(model.RegisterEnabled());
        TNewCatalogFields fields{true, "1", "acme", "boss", "other", "other", false};
        EXPECT_EQ(model.ValidateNewCatalog(fields),
                  std::vector<std::string>{"Password you have registered at server doesn't match"});
        fields.Password = fields.Confirmation = "reg-pw";
        EXPECT_TRUE(model.ValidateNewCatalog(fields).empty());
    }
    EXPECT_EQ(store.setCalls.size(), 1u) << "the cookie is expired when the dialog goes";

    ASSERT_EQ(f.CreateAndOpen("acme", 1), "");
    ASSERT_TRUE(Root().CloseCatalog());
    Register("catalogtype=1&catalogcode=acme&username=boss");
    TLoginModel model(Root(), f.Boxes(), nullptr);
    model.StartWelcome("", false);
    EXPECT_EQ(model.Page(), TLoginPage::Welcome) << "the registered catalog exists";
}

TEST_F(LoginModel, AnIncompleteRegistrationCountsForNothing)
{
    for (const std::string text : {"catalogtype=0&catalogcode=a&username=b", "catalogtype=x&catalogcode=a&username=b",
                                   "catalogtype=1&username=b", "catalogtype=1&catalogcode=a"}) {
        EXPECT_FALSE(TRegistration::Parse(text).IsComplete()) << text;
    }
    EXPECT_TRUE(TRegistration::Parse("catalogtype=7&catalogcode=a%20b&username=b").IsComplete());
    EXPECT_EQ(TRegistration::Parse("catalogcode=a%20b").CatalogCode, "a%20b") << "taken as it stands";
}

TEST_F(LoginModel, AutoOpenOfAnUnknownCatalogSaysSoAndSelectsTheFirst)
{
    ASSERT_EQ(f.CreateAndOpen("beta", 1), "");
    ASSERT_TRUE(Root().CloseCatalog());
    ASSERT_EQ(f.CreateAndOpen("alpha", 1), "");
    ASSERT_TRUE(Root().CloseCatalog());
    f.Boxes().Clear();
    TLoginModel model(Root(), f.Boxes(), nullptr);
    model.StartWelcome("Gamma", true);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Cannot open \"gamma\" catalog."});
    EXPECT_EQ(model.Page(), TLoginPage::Welcome);
    EXPECT_EQ(model.EntryCaptions(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(model.SelectedEntry(), 0);
    EXPECT_FALSE(model.AutoPressOk());

    TLoginModel known(Root(), f.Boxes(), nullptr);
    known.StartWelcome("BETA", true);
    EXPECT_EQ(known.SelectedEntry(), 1);
    EXPECT_TRUE(known.AutoPressOk());
}

TEST_F(LoginModel, RememberedPasswordsAreScrambledAndPlainOnesAreReadAsTheyStand)
{
    TLoginModel model(Root(), f.Boxes(), nullptr);
    model.WriteLogin("catalog-", "shop", "admin", "secret", true);
    EXPECT_NE(Ini().ReadValue("catalog-shop", "Password", ""), "secret");
    EXPECT_EQ(model.ReadLogin("catalog-", "shop").Password, "secret");
    Ini().WriteValue("catalog-old", "Password", "plain-pw");
    const TRememberedLogin old = model.ReadLogin("catalog-", "old");
    EXPECT_EQ(old.Password, "plain-pw");
    EXPECT_TRUE(old.PasswordSaved);
    EXPECT_FALSE(model.ReadLogin("catalog-", "none").PasswordSaved);
}

TEST_F(LoginModel, AnEmptyCatalogCodeIsRefusedBeforeAnythingHappens)
{
    TLoginModel model(Root(), f.Boxes(), nullptr);
    model.Request().Mode = TLoginMode::OpenCatalog;
    EXPECT_FALSE(model.ProcessLogin(true));
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{"Empty catalog code"});
    EXPECT_TRUE(model.ProcessLogin(false)) << "cancel ends the flow";
}

}  // namespace
