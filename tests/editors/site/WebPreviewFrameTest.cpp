// The "Preview" tab of an item in the main window's editor pane: what is
// typed into the page's source shows in the previewed page before Save and
// is gone after Cancel, the catalog stays writable for everybody else while
// the preview is made, and the tab follows the user's preview preferences,
// the opening action's query and the editing language.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "common/IniSettings.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/preview/FrameWebPreview.h"
#include "editors/site/preview/WebPreviewWidget.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

constexpr int kHtmlPageType = 401;
constexpr const char* kPreviewTab = "WebPreviewViewer-preview";

class WebPreviewFrameTest : public ::testing::Test {
protected:
    WebPreviewFrameTest() : f(RegisterFrameworkClasses)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
        page = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, f.Data().GetCatalogCode(), f.Main(), 0);
        EXPECT_GT(page, 0);
    }
    ~WebPreviewFrameTest() override { QTest::qWait(100); }

    TIniSettings& Settings() { return f.Root().Settings().IniSettings(); }

    void Open(const std::string& extra = "")
    {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(page) +
                                    "&ItemType=" + std::to_string(kHtmlPageType) + extra,
                                false);
        QCoreApplication::processEvents();
    }

    // Shows the preview tab and waits until its page has loaded.
    TWebPreviewWidget* ShowPreview()
    {
        if (!f.Editor().Container()->ActivateTabByName(kPreviewTab))
            return nullptr;
        auto* frame = FrameOfTab<TFrameWebPreview>(f, kPreviewTab);
        if (!frame || !frame->Preview())
            return nullptr;
        TWebPreviewWidget* preview = frame->Preview();
        WaitLoaded(preview);
        return preview;
    }

    void WaitLoaded(TWebPreviewWidget* preview)
    {
        QWebEngineView* view = preview->View();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return view->url().scheme() == "tolvex" && !view->page()->isLoading(); }, 20000));
        QTest::qWait(200);
    }

    QString Evaluate(TWebPreviewWidget* preview, const QString& script)
    {
        return RunScript(*preview->View()->page(), script);
    }

    // Everything stored for the page, read through the main connection.
    std::string Stored()
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT StringValue AS V FROM CStrings WHERE ItemId = :ItemId "
                      "UNION ALL SELECT TextValue AS V FROM CText WHERE ItemId = :ItemId");
        query->SetParam("ItemId", page);
        std::string all;
        for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
            all += FieldText(r, "V") + "\n";
        return all;
    }

    void Screenshot(const char* name) { Shoot(f, name); }

    TMainWindowFixture f;
    int page = 0;
};

TEST_F(WebPreviewFrameTest, ShowsTheUnsavedEditAndCancelLeavesTheCatalogAsItWas)
{
    Open();
    const std::string before = Stored();
    ASSERT_TRUE(TypeIntoPageSource(f, "<html><body><p id=\"typed\">Autumn offers</p></body></html>"));
    ASSERT_TRUE(f.Editor().Context()->IsModified());

    TWebPreviewWidget* preview = ShowPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(Evaluate(preview, "var p = document.getElementById('typed'); p ? p.textContent : ''"), "Autumn offers");
    EXPECT_TRUE(preview->View()->url().toString().startsWith("tolvex://preview/EN/")) << preview->View()->url().toString().toStdString();
    EXPECT_FALSE(f.SaveButton()->isVisible()) << "the preview tab has no Save bar";
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(Stored(), before) << "the preview wrote nothing that stays";
    // The preview gave the write lock up: another connection writes at once.
    {
        TQueryGuard write(f.Main());
        write->SetSQL("UPDATE Items SET OrderNum = OrderNum WHERE ItemId = :ItemId");
        write->SetParam("ItemId", page);
        write->ExecSQL();
    }
    Screenshot("web-preview-tab");

    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"));
    EXPECT_TRUE(f.CancelButton()->isVisible());
    QTest::mouseClick(f.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_EQ(Stored(), before);
    ASSERT_NE(ShowPreview(), nullptr);
    EXPECT_EQ(Evaluate(preview, "document.getElementById('typed') ? 'shown' : 'gone'"), "gone");
}

TEST_F(WebPreviewFrameTest, FollowsThePreviewPreferences)
{
    // Off: the caption shows and nothing is generated; the role choice is
    // the in-house mode's alone.
    Settings().SetBool(siPreviewPreview, false);
    Settings().SetString(siPreviewForUser, "wholesale");
    Open();
    TWebPreviewWidget* preview = nullptr;
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(kPreviewTab));
    preview = FrameOfTab<TFrameWebPreview>(f, kPreviewTab)->Preview();
    QTest::qWait(300);
    EXPECT_FALSE(preview->View()->isVisible());
    EXPECT_FALSE(preview->Action(TPreviewAction::PrintPage)->isEnabled());
    EXPECT_TRUE(preview->View()->url().isEmpty() || preview->View()->url().toString() == "about:blank");
    EXPECT_FALSE(preview->RoleBox()->isVisible());
    Screenshot("web-preview-off");

    // On again through the button: generated at once, and remembered.
    preview->Action(TPreviewAction::Preview)->trigger();
    WaitLoaded(preview);
    EXPECT_TRUE(preview->View()->isVisible());
    EXPECT_TRUE(preview->View()->url().toString().startsWith("tolvex://preview/"));
    EXPECT_TRUE(Settings().GetBool(siPreviewPreview, false));
}

TEST_F(WebPreviewFrameTest, InHouseModeOffersTheRoleKeptInTheSettings)
{
    Settings().WriteValue("Key", "Name", "zoziva");
    Settings().SetString(siPreviewForUser, "wholesale");
    // Wide enough for the whole toolbar.
    f.Window().resize(1100, 720);
    Open();
    TWebPreviewWidget* preview = ShowPreview();
    ASSERT_NE(preview, nullptr);
    Screenshot("web-preview-roles");
    ASSERT_TRUE(preview->Action(TPreviewAction::Role)->isVisible());
    EXPECT_TRUE(preview->RoleBox()->isVisible());
    EXPECT_EQ(preview->RoleBox()->currentData().toString(), "wholesale");
    const int owner = preview->RoleBox()->findData("hotelowner");
    ASSERT_GE(owner, 0);
    preview->RoleBox()->setCurrentIndex(owner);
    emit preview->RoleBox()->activated(owner);
    EXPECT_EQ(Settings().GetString(siPreviewForUser), "hotelowner");
}

TEST_F(WebPreviewFrameTest, PreviewsTheOpeningQueryAndFollowsTheLanguage)
{
    AddDataLanguage(f, "DE");
    Open("&QueryStr=colour%3Dred+and+blue");
    TWebPreviewWidget* preview = ShowPreview();
    ASSERT_NE(preview, nullptr);
    const QString url = preview->View()->url().toString();
    EXPECT_TRUE(url.startsWith("tolvex://preview/EN/")) << url.toStdString();
    EXPECT_TRUE(url.endsWith("?colour=red and blue") || url.endsWith("?colour=red%20and%20blue")) << url.toStdString();

    // Another editing language while the preview shows: made again in it.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    // The expectation below names the address shown when the wait runs out.
    (void)QTest::qWaitFor([&] { return preview->View()->url().toString().startsWith("tolvex://preview/DE/"); },
                          20000);
    EXPECT_TRUE(preview->View()->url().toString().startsWith("tolvex://preview/DE/"))
        << preview->View()->url().toString().toStdString();
}

TEST_F(WebPreviewFrameTest, AMenuLinkOfThePreviewOpensThatPageInTheEditor)
{
    const int home = f.Root().GetHomePageId();
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(home), false);
    QCoreApplication::processEvents();
    TWebPreviewWidget* preview = ShowPreview();
    ASSERT_NE(preview, nullptr);
    Screenshot("web-preview-home");
    // A menu link to another page of the site; the click is not waited
    // for, since the page it was made in goes with the item it shows.
    const QString pick = "Array.from(document.links).find(a => /^\\d+\\.html$/.test(a.getAttribute('href')) && "
                         "a.getAttribute('href') !== '" + QString::number(home) + ".html')";
    const QString target = Evaluate(preview, "var a = " + pick + "; a ? a.getAttribute('href') : ''");
    ASSERT_FALSE(target.isEmpty());
    const std::size_t boxes = f.Boxes().Shown().size();
    preview->View()->page()->runJavaScript(pick + ".click()", QWebEngineScript::ApplicationWorld);
    const int opened = target.section('.', 0, 0).toInt();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->GetItemId() == opened; }, 10000))
        << "still on " << f.Editor().Context()->GetItemId() << ", link " << target.toStdString();
    EXPECT_EQ(f.Boxes().Shown().size(), boxes) << "no question, no refusal";
}

TEST_F(WebPreviewFrameTest, AMalformedOpeningQueryIsReportedAndThePageStillShows)
{
    ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, kHtmlPageType, "",
                                                        "Action=MainPageEditor&QueryStr=colour%zzred"));
    TWebPreviewWidget* preview = ShowPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->View()->url().toString().contains("?")) << preview->View()->url().toString().toStdString();
    ASSERT_FALSE(f.Boxes().Shown().empty());
    EXPECT_EQ(f.Boxes().Shown().back().kind, "error");
    EXPECT_NE(f.Boxes().Shown().back().message.find("URL"), std::string::npos) << f.Boxes().Shown().back().message;
}

}  // namespace
