// The import commands of the main window and the new catalog that starts
// from a web site, each run with real parts: a story and a template from
// files the file dialog gives, the template picker answered as a user would,
// web sites served on 127.0.0.1, the runner windows run to their end.
#include "DialogWaits.h"
#include "ShellFixture.h"

#include "catalog/CatalogQueries.h"
#include "gui/MainWindowMessages.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmImportWebSite.h"
#include "shell/frmLogin.h"
#include "storage/QueryGuard.h"
#include "support/LocalWebServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

// Waits for the one runner window to finish and frees it.
void FinishRunner(TShellFixture& f)
{
    ASSERT_TRUE(WaitFor([] {
        const auto windows = TfrmDetailProcess::ProcessWindows();
        return windows.size() == 1 && windows.front()->IsFinished();
    }));
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); });
}

int CountOfType(TShellFixture& f, int itemType)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM Items WHERE ItemType = " + std::to_string(itemType));
    return query->Open(true).Field("N").AsInteger();
}

const char* const kSite = "<html><head><title>Pier</title><link rel=\"stylesheet\" href=\"s.css\"></head>"
                          "<body><h1>Pier</h1><a href=\"b.html\">b</a></body></html>";

TEST(ImportEntryPoints, TheStoryActionImportsTheChosenFile)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder disk;
    const int before = CountOfType(f, 3002);
    f.Boxes().QueueInput(disk.Write("news.html", "<html><body><p>Spring news</p></body></html>"));
    f.Shell().ExecuteAction("Action=Import&Type=Story&Check=yes", false);
    FinishRunner(f);
    EXPECT_EQ(CountOfType(f, 3002), before + 1);
    for (const std::string& message : f.Boxes().Messages("information"))
        EXPECT_EQ(message.find("story import"), std::string::npos) << message;
}

TEST(ImportEntryPoints, TemplateFromHtmlAsksForAMasterOrBodyTemplate)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder disk;
    const int masters = CountOfType(f, 501);
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT MIN(ItemId) AS F, (SELECT MIN(ItemId) FROM Items WHERE ItemType = 501) AS M FROM Items "
                  "WHERE ItemType = 2 AND ParentItemId = 5");
    TAbstractRecordset& row = query->Open(true);
    const int folder = static_cast<int>(row.Field("F").AsInteger());
    const int master = static_cast<int>(row.Field("M").AsInteger());
    query.Release();
    f.AnswerPagesInTurn({folder, master});
    f.Boxes().QueueInput(disk.Write("page.html", kSite));
    f.Window().Actions().ImportTemplateFromHtml->trigger();
    FinishRunner(f);
    EXPECT_EQ(f.Boxes().Messages("error").front(), "Please select master or body template.") << "a folder first";
    EXPECT_EQ(CountOfType(f, 501), masters + 1);
}

TEST(ImportEntryPoints, FileImportWebSiteAsksForTheSiteAndImportsIt)
{
    TLocalWebServer web;
    web.Serve("/a.html", kSite);
    web.Serve("/b.html", "<html><head><title>B</title></head><body>b</body></html>");
    web.Serve("/s.css", "h1 { color: teal }", "text/css");
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const int pages = CountOfType(f, 401);
    WhenShown<TfrmImportWebSite>([&web](TfrmImportWebSite& dialog) {
        dialog.AddressEdit()->setText("ftp://nowhere");
        dialog.ImportButton()->click();
        EXPECT_TRUE(dialog.isVisible()) << "an address that is no web address keeps the dialog";
        EXPECT_FALSE(dialog.ProblemLabel()->text().isEmpty());
        dialog.AddressEdit()->setText(QString::fromStdString(web.Url("/a.html")));
        dialog.DepthBox()->setValue(2);
        dialog.UnderlyingBox()->setChecked(false);
        Screenshot(dialog, "import-web-site");
        dialog.ImportButton()->click();
    });
    f.Window().Actions().ImportWebSite->trigger();
    ASSERT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().size() == 1; }));
    TfrmDetailProcess* runner = TfrmDetailProcess::ProcessWindows().front();
    ASSERT_TRUE(WaitFor([runner] { return runner->IsFinished(); }));
    Screenshot(*runner, "import-web-site-runner");
    FinishRunner(f);
    EXPECT_EQ(CountOfType(f, 401), pages + 2);
    EXPECT_EQ(web.RequestsFor("/b.html"), 1);
}

TEST(ImportEntryPoints, ANewCatalogStartsFromTheWebSiteChosenOnTheLoginsNewCatalogPage)
{
    TLocalWebServer web;
    web.Serve("/a.html", kSite);
    web.Serve("/b.html", "<html><head><title>B</title></head><body>b</body></html>");
    web.Serve("/s.css", "h1 { color: teal }", "text/css");
    TShellFixture f;
    bool acted = false;
    QTimer::singleShot(0, [&] {
        TfrmLogin* login = nullptr;
        WaitFor([&login] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<TfrmLogin*>(widget); dialog && dialog->isVisible())
                    login = dialog;
            return login != nullptr;
        });
        ASSERT_NE(login, nullptr);
        acted = true;
        login->cbLoginNewCatalogType->setCurrentIndex(login->cbLoginNewCatalogType->findData("1"));
        login->edtLoginNewCatalogCode->setText("pier");
        login->edtLoginNewPassword->setText("secret1");
        login->edtLoginNewConfirm->setText("secret1");
        WhenShown<TfrmImportWebSite>([&web](TfrmImportWebSite& dialog) {
            dialog.AddressEdit()->setText(QString::fromStdString(web.Url("/a.html")));
            dialog.UnderlyingBox()->setChecked(false);
            dialog.ImportButton()->click();
        });
        login->btnLoginNewWebSite->click();
        EXPECT_TRUE(login->lblLoginNewWebSite->text().contains("/a.html"));
        Screenshot(*login, "login-new-catalog-web-site");
        login->btnLoginNewContinue->click();
    });
    // The import's runner window is closed once its run has ended.
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, &f.Window(), [] {
        for (TfrmDetailProcess* runner : TfrmDetailProcess::ProcessWindows())
            if (runner->isVisible() && runner->IsFinished())
                runner->CancelButton()->click();
    });
    closer.start();
    f.Shell().LoginNewCatalog();
    ASSERT_TRUE(acted);
    ASSERT_TRUE(f.Root().Catalog().IsOpen()) << testing::PrintToString(f.Boxes().Messages("error"));
    EXPECT_EQ(CountOfType(f, 401), 2);
    EXPECT_EQ(f.Data().GetQueries().GetItemType(100001, "pier", f.Main()), 401) << "the site's start page is the home page";
    EXPECT_TRUE(f.Root().Catalog().GetDefinition().GetWebSiteImport().Url.empty()) << "imported once";
}

}  // namespace
