// Another page chosen while the item's editor waits for one of its design
// views (a preview being made reads the design first): the page opens once
// the wait is over, and the editor that waited is not torn down under it.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "editors/framework/Registration.h"
#include "editors/site/preview/FrameWebPreview.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/preview/WebPreviewWidget.h"
#include "shell/CatalogWindowUI.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kHtmlPageType = 401;
constexpr const char* kPreviewTab = "WebPreviewViewer-preview";

class EditorSwitchTest : public ::testing::Test {
public:
    EditorSwitchTest() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }
    ~EditorSwitchTest() override { QTest::qWait(100); }

    TCatalogTreeView& WebTree() { return *f.Shell().CatalogUI()->WebTreeView(); }

    // Clicks the node of the item in the web tree, as a user does.
    bool ClickNode(int itemId)
    {
        TCatalogTreeView& view = WebTree();
        for (TTreeNode* node : view.Manager().AllNodes())
            if (node->IsItem() && node->ItemId() == itemId) {
                const QModelIndex index = view.Model().IndexOf(node);
                view.scrollTo(index);
                QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
                return true;
            }
        return false;
    }

    // The preview of the item in the editor, once its page has loaded.
    TWebPreviewWidget* LoadedPreview()
    {
        auto* frame = FrameOfTab<TFrameWebPreview>(f, kPreviewTab);
        if (!frame || !frame->Preview())
            return nullptr;
        QWebEngineView* view = frame->Preview()->View();
        if (!QTest::qWaitFor([&] { return view->url().scheme() == "tolvex" && !view->page()->isLoading(); }, 20000))
            return nullptr;
        return frame->Preview();
    }

    TMainWindowFixture f;
};

// What reaches the main window while the editor waits: the user's click on
// a tree node, or the action a link of the preview queues. A timer stands
// for either, since it fires inside the wait as they would.
struct TInterruption {
    const char* name;
    std::function<void(EditorSwitchTest&, int page)> open;
};

TEST_F(EditorSwitchTest, APageChosenWhileThePreviewReadsTheDesignOpensAfterwards)
{
    const std::vector<TInterruption> interruptions = {
        {"a click on the page's node", [](EditorSwitchTest& t, int page) { t.ClickNode(page); }},
        {"an action queued for the page",
         [](EditorSwitchTest& t, int page) {
             t.f.Shell().QueueAction("Action=MainPageEditor&ItemId=" + std::to_string(page), true);
         }},
    };
    const int home = f.Root().GetHomePageId();
    std::vector<int> children;
    for (std::size_t i = 0; i < interruptions.size(); ++i)
        children.push_back(
            f.Root().Catalog().CreateItem(kHtmlPageType, home, 0, f.Data().GetCatalogCode(), f.Main(), 0));
    WebTree().Manager().Reload(&f.Main());
    for (TTreeNode* node : WebTree().Manager().AllNodes())
        WebTree().Manager().Expand(node);
    QCoreApplication::processEvents();

    for (std::size_t i = 0; i < interruptions.size(); ++i) {
        SCOPED_TRACE(interruptions[i].name);
        // The home page with its design parts loaded, then its preview.
        ASSERT_TRUE(ClickNode(home));
        ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
        auto* design = f.EditorPane()->findChild<THtmlEditorWidget*>();
        ASSERT_NE(design, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return design->IsReady(); }, 20000));
        ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(kPreviewTab));
        TWebPreviewWidget* preview = LoadedPreview();
        ASSERT_NE(preview, nullptr);

        // The preview is made again (switched off and on): it reads the
        // design first, and the page is chosen while it waits for that.
        preview->Action(TPreviewAction::Preview)->trigger();
        const int child = children[i];
        QTimer::singleShot(0, &WebTree(), [this, &interruptions, i, child] { interruptions[i].open(*this, child); });
        preview->Action(TPreviewAction::Preview)->trigger();
        EXPECT_EQ(f.Editor().Context()->GetTreeItemId(), home) << "the home page stays while its preview is made";

        ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->GetTreeItemId() == child; }, 10000));
        EXPECT_NE(LoadedPreview(), nullptr) << "the chosen page shows its own preview";
    }
}

// A link of the preview to another page of the item makes that page while
// the view's engine asks whether it may go there; the design read first
// must not wait for the engine that is waiting for the answer.
TEST_F(EditorSwitchTest, ALinkToAnotherPageOfTheItemReadsTheOpenDesignWithoutWaitingForItsEnd)
{
    const int home = f.Root().GetHomePageId();
    ASSERT_TRUE(ClickNode(home));
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
    auto* design = f.EditorPane()->findChild<THtmlEditorWidget*>();
    ASSERT_NE(design, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return design->IsReady(); }, 20000));
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(kPreviewTab));
    TWebPreviewWidget* preview = LoadedPreview();
    ASSERT_NE(preview, nullptr);

    const QString second = QString::number(home) + "-2.html";
    // Clicked as the user would: no script of the program waits for an answer meanwhile.
    preview->View()->page()->runJavaScript("var a = document.createElement('a'); a.href = '" + second +
                                               "'; document.body.appendChild(a); a.click();",
                                           QWebEngineScript::ApplicationWorld);
    // The read waits for the design view at most 20 seconds: well before
    // that, the second page shows.
    EXPECT_TRUE(QTest::qWaitFor([&] { return preview->View()->url().toString().endsWith(second); }, 8000))
        << preview->View()->url().toString().toStdString();
    EXPECT_TRUE(f.Boxes().Shown().empty());
}

}  // namespace
