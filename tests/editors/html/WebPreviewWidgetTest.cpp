// The in-editor preview on a real catalog: the edited page is generated and
// shown from the preview host, a link to another item asks for that item
// instead of leaving the page, another page number of the item regenerates
// in place and joins the history, a link off the preview host is refused,
// turning the preview off shows the caption, and a failed generation shows
// its text as the page.
#include "../PageScript.h"
#include "editors/QtTestApplication.h"
#include "generation/StyleFixture.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogQueries.h"
#include "catalog/PreviewHistory.h"
#include "catalog/Tolvex.h"
#include "catalog/TransformCache.h"
#include "editors/site/preview/WebPreviewWidget.h"
#include "generation/CatalogPreviewSource.h"
#include "generation/PreviewResolver.h"
#include "generation/Transformer.h"
#include "generation/ui/PreviewSchemeHandler.h"
#include "storage/ObjectCollection.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

// Makes the application before the members of the fixture.
struct TWithApplication {
    TWithApplication() { EnsureQtApplication(); }
};

class WebPreviewWidgetTest : public ::testing::Test, private TWithApplication {
protected:
    WebPreviewWidgetTest()
    {
        home = program.Root().GetHomePageId();
        lang = program.Data().GetDefaultLangCode();
        const std::string code = program.Data().GetCatalogCode();
        homeType = program.Data().GetQueries().GetItemType(home, code, program.Connection());
        handler.Install(profile);

        TWebPreviewModel::TServices services;
        services.Gui = &gui;
        services.History = &program.Data().GetPreviewHistory();
        services.PreviewHost = TTolvex::kPreviewHost;
        services.TreeItemId = home;
        services.ItemId = home;
        services.Generate = [this, code](const std::string& language, int pageNo, const std::string& query,
                                         const std::string& role, std::string& text) {
            generated.push_back(pageNo);
            if (fail) {
                text = "The template <b>Home</b> has an error";
                return false;
            }
            TObjectCollection collection(program.Root().ObjectContext());
            collection.Open(code, program.Connection());
            TTransformer transformer(program.Data().GetPageGeneration(), code, nullptr);
            transformer.SetReplaceParams();
            transformer.SetPageNumber(pageNo);
            transformer.SetSubmittedQuery(query);
            const bool ok = transformer.GeneratePage(home, home, homeType, language, collection, program.Connection(), role);
            text = ok ? transformer.GetResultHtml() : transformer.GetErrorText();
            return ok;
        };
        services.PutPage = [this](int id, int pageNo, const std::string& html, const std::string& language) {
            program.Data().GetTransformCache().PutTransformResult(id, pageNo, html, language);
        };
        // "index" names only the home page's first page: the preview host
        // reads no page number after it.
        services.PageFileName = [this](int pageNo) {
            return program.Root().GetPageFileName(home, homeType, pageNo, pageNo <= 1, &program.Connection(), "");
        };
        services.ItemTitle = [] { return std::string("Home page"); };
        services.CurrentLang = [this] { return lang; };
        services.HomePageId = [this] { return home; };
        services.ItemExists = [this, code](int id) {
            return program.Root().Catalog().ItemExists(id, code, program.Connection());
        };
        services.FindItemByAltFileName = [this, code](const std::string& name) {
            return program.Root().Catalog().FindItemByAltFileName(name, program.Connection(), code, 0);
        };
        services.QueueAction = [this](const std::string& action, bool) { actions.push_back(action); };
        model = std::make_unique<TWebPreviewModel>(services);
        widget = std::make_unique<TWebPreviewWidget>(*model, &profile);
        widget->resize(900, 620);
        widget->show();
    }
    ~WebPreviewWidgetTest() override
    {
        widget.reset();
        QTest::qWait(100);
        handler.Uninstall(profile);
    }
    QVariant Evaluate(const QString& script)
    {
        return EvaluateInPage(*widget->View()->page(), script);
    }
    // Follows a link of the page as a click would.
    void Follow(const QString& href)
    {
        Evaluate(QStringLiteral("var a = document.createElement('a'); a.href = '%1'; document.body.appendChild(a);"
                                "a.click(); 1")
                     .arg(href));
        QTest::qWait(300);
    }
    // Waits for the next page that loads; a link of the page is refused
    // before the model is asked, and that load's end is passed over.
    bool WaitLoaded(QSignalSpy& finished)
    {
        for (;;) {
            if (finished.isEmpty() && !finished.wait(20000))
                return false;
            if (finished.takeFirst().at(0).toBool())
                return true;
        }
    }
    QString Url() { return widget->View()->url().toString(); }

    TStyleProgram program{1};
    int home = 0;
    int homeType = 0;
    std::string lang;
    TCatalogPreviewSource source{program.Root().Catalog(), program.Root()};
    TPreviewResolver resolver{source};
    TPreviewSchemeHandler handler{resolver};
    QWebEngineProfile profile;
    TScriptedGui gui;
    std::vector<int> generated;
    std::vector<std::string> actions;
    bool fail = false;
    std::unique_ptr<TWebPreviewModel> model;
    std::unique_ptr<TWebPreviewWidget> widget;
};

TEST_F(WebPreviewWidgetTest, ShowsTheEditedPageAndFollowsItsLinks)
{
    QSignalSpy finished(widget->View(), &QWebEngineView::loadFinished);
    widget->ShowPreview(lang);
    ASSERT_TRUE(WaitLoaded(finished));
    const QString first = Url();
    EXPECT_TRUE(first.startsWith(QStringLiteral("tolvex://preview/%1/").arg(QString::fromStdString(lang)))) << first.toStdString();
    EXPECT_FALSE(widget->View()->title().isEmpty());
    EXPECT_FALSE(widget->Action(TPreviewAction::Back)->isEnabled());
    EXPECT_GT(Evaluate(QStringLiteral("document.body.innerText.length")).toInt(), 0);
    QTest::qWait(500);
    SaveWidgetPicture(*widget, QStringLiteral("web-preview"));

    // The home page's second page: generated in place, and Back returns.
    Follow(QStringLiteral("%1-2.html").arg(home));
    ASSERT_TRUE(WaitLoaded(finished));
    EXPECT_TRUE(Url().endsWith(QStringLiteral("%1-2.html").arg(home))) << Url().toStdString();
    EXPECT_EQ(generated.back(), 2);
    EXPECT_TRUE(widget->Action(TPreviewAction::Back)->isEnabled());
    widget->findChild<QToolButton*>(QStringLiteral("Back"))->click();
    ASSERT_TRUE(WaitLoaded(finished));
    EXPECT_EQ(Url(), first);
    EXPECT_EQ(generated.back(), 0) << "the first page is generated again";
    // Forward's menu lists the second page; choosing it goes there.
    emit widget->ForwardMenu()->aboutToShow();
    ASSERT_EQ(widget->ForwardMenu()->actions().size(), 1);
    EXPECT_EQ(widget->ForwardMenu()->actions().front()->text(), QStringLiteral("Home page"));
    widget->ForwardMenu()->actions().front()->trigger();
    ASSERT_TRUE(WaitLoaded(finished));

    EXPECT_TRUE(Url().endsWith(QStringLiteral("%1-2.html").arg(home))) << Url().toStdString();
    widget->findChild<QToolButton*>(QStringLiteral("Back"))->click();
    ASSERT_TRUE(WaitLoaded(finished));
    EXPECT_EQ(Url(), first);

    // A menu link of the page to another item asks for that item, and the page stays.
    const QString link = Evaluate(QStringLiteral(
        "var a = Array.from(document.links).find(a => /^\\d+\\.html$/.test(a.getAttribute('href')));"
        "a.setAttribute('href', a.getAttribute('href') + '?colour=red'); a.click(); a.getAttribute('href')")).toString();
    ASSERT_FALSE(link.isEmpty());
    QTest::qWait(300);
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back(), "Action=MainPageEditor&ItemId=" + link.section('.', 0, 0).toStdString() +
                                  "&PageNum=0&QueryStr=colour%3dred&Check=yes");
    EXPECT_EQ(Url(), first);
    EXPECT_TRUE(gui.Shown().empty());

    // Off the preview host: refused.
    Follow(QStringLiteral("http://example.com/"));
    ASSERT_FALSE(gui.Shown().empty());
    EXPECT_EQ(gui.Shown().back().message, "Cannot follow the link in preview mode");
    EXPECT_EQ(Url(), first);

    // A form the page posts to itself: the page is made again for its fields.
    const std::size_t made = generated.size();
    finished.clear();  // the refused links' loads
    Evaluate(QStringLiteral("var f = document.createElement('form'); f.method = 'post'; f.action = '%1';"
                            "f.innerHTML = '<input name=\"colour\" value=\"dark blue\">'; document.body.appendChild(f);"
                            "f.requestSubmit(); 1")
                 .arg(first));
    ASSERT_TRUE(WaitLoaded(finished));
    EXPECT_EQ(Url(), first + QStringLiteral("?colour=dark+blue"));
    EXPECT_EQ(generated.size(), made + 1);
    EXPECT_EQ(model->Query(), "colour=dark+blue");
}

TEST_F(WebPreviewWidgetTest, SavesAndPrintsThePageShown)
{
    QSignalSpy finished(widget->View(), &QWebEngineView::loadFinished);
    widget->ShowPreview(lang);
    ASSERT_TRUE(WaitLoaded(finished));
    TTempFolder folder;
    const QString page = QString::fromStdString(folder.Path()) + QStringLiteral("/page.html");
    const QString pdf = QString::fromStdString(folder.Path()) + QStringLiteral("/page.pdf");
    QString target;
    widget->AskFileName = [&](const QString&, const QString&) { return target; };
    target = pdf;
    QSignalSpy printed(widget->View()->page(), &QWebEnginePage::pdfPrintingFinished);
    widget->Action(TPreviewAction::PrintPage)->trigger();
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_TRUE(printed.takeFirst().at(1).toBool());
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    target = page;
    widget->Action(TPreviewAction::SavePage)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(page).size() > 0; }, 20000));
}

TEST_F(WebPreviewWidgetTest, OffShowsTheCaptionAndAFailureShowsItsText)
{
    QSignalSpy changed(widget.get(), &TWebPreviewWidget::PreviewOnChanged);
    widget->Action(TPreviewAction::Preview)->trigger();
    EXPECT_EQ(changed.count(), 1);
    auto* stack = widget->findChild<QStackedWidget*>();
    EXPECT_NE(stack->currentWidget(), widget->View());
    EXPECT_FALSE(widget->Action(TPreviewAction::SavePage)->isEnabled());
    EXPECT_FALSE(widget->Action(TPreviewAction::Back)->isEnabled());
    EXPECT_FALSE(widget->Action(TPreviewAction::Role)->isVisible()) << "the role shows only in the in-house mode";
    SaveWidgetPicture(*widget, QStringLiteral("web-preview-off"));

    fail = true;
    QSignalSpy finished(widget->View(), &QWebEngineView::loadFinished);
    widget->Action(TPreviewAction::Preview)->trigger();
    EXPECT_EQ(stack->currentWidget(), widget->View());
    ASSERT_TRUE(WaitLoaded(finished));
    EXPECT_TRUE(widget->IsShowingError());
    EXPECT_EQ(Evaluate(QStringLiteral("document.body.innerText")).toString(),
              QStringLiteral("The template <b>Home</b> has an error"));
    EXPECT_TRUE(gui.Shown().empty());

    widget->SetInHouse(true, "wholesale");
    EXPECT_TRUE(widget->Action(TPreviewAction::Role)->isVisible());
    EXPECT_EQ(widget->RoleBox()->currentText(), QStringLiteral("Wholesale Buyer"));
}

}  // namespace
