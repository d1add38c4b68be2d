// The landed windows wired into the main window, with a catalog opened
// through the root object: both trees show the catalog's top items and
// selecting one shows it in the editor pane; the preview scheme serves the
// open catalog's pages to a real browser page; publishing to a folder
// writes the site; style operations and their runner windows.
#include "ShellFixture.h"

#include "catalog/CatalogData.h"
#include "catalog/TransformCache.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"
#include "publishing/AbstractPublisher.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmPublishParameters.h"
#include "shell/CatalogWindowUI.h"
#include "gui/MainWindowMessages.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"

#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QTreeWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "shell/HelpSystem.h"
#include "shell/HelpWindow.h"
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {


TCatalogTreeView* WebView(TShellFixture& f)
{
    return f.Window().findChild<TCatalogTreeView*>("tvMainWebTreeView");
}

TCatalogTreeView* TemplatesView(TShellFixture& f)
{
    return f.Window().findChild<TCatalogTreeView*>("tvMainTemplatesView");
}

// Processes events until the condition holds or about ten seconds passed.
template <typename TCondition>
bool WaitFor(TCondition condition)
{
    for (int i = 0; i < 1000 && !condition(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

}  // namespace

TEST(CatalogWiring, OpeningShowsBothTreesWithTheirTopItemsAndClosingRemovesThem)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TCatalogTreeView* web = WebView(f);
    TCatalogTreeView* templates = TemplatesView(f);
    ASSERT_NE(web, nullptr);
    ASSERT_NE(templates, nullptr);
    EXPECT_GT(web->model()->rowCount(), 0);
    EXPECT_GT(templates->model()->rowCount(), 0);
    EXPECT_EQ(web->Manager().GetRootItemId(), TCatalogWindowUI::kWebTreeRoot);
    EXPECT_EQ(templates->Manager().GetRootItemId(), TCatalogWindowUI::kTemplatesTreeRoot);
    EXPECT_EQ(web->Manager().GetOptions(), 0x0128);
    EXPECT_EQ(templates->Manager().GetOptions(), 0x1962);
    EXPECT_TRUE(web->isVisibleTo(&f.Window()));
    EXPECT_FALSE(f.Window().findChild<QTreeWidget*>("tvMainWebTree")->isVisibleTo(&f.Window()));
    f.Screenshot("catalog-trees");

    // Selecting the first top item shows it in the editor pane.
    web->setCurrentIndex(web->model()->index(0, 0));
    QCoreApplication::processEvents();
    const int itemId = web->Manager().GetCurrentItemId();
    EXPECT_GT(itemId, 0);
    EXPECT_TRUE(f.Window().findChild<QLabel*>("lblMainEditorEmpty")->text().contains(QString("(%1)").arg(itemId)))
        << f.Window().findChild<QLabel*>("lblMainEditorEmpty")->text().toStdString();
    f.Screenshot("catalog-tree-selected");

    // Collapsing the templates pane hides the templates tree view.
    f.Gui().CollapseTemplates(false);
    EXPECT_FALSE(templates->isHidden());
    f.Gui().CollapseTemplates(true);
    EXPECT_TRUE(templates->isHidden());

    ASSERT_TRUE(f.Root().CloseCatalog());
    QCoreApplication::processEvents();
    EXPECT_EQ(WebView(f), nullptr);
    EXPECT_EQ(TemplatesView(f), nullptr);
    EXPECT_FALSE(f.Window().findChild<QTreeWidget*>("tvMainWebTree")->isHidden());
    auto* placeholder = f.Window().findChild<QTreeWidget*>("tvMainTemplates");
    EXPECT_GE(f.Window().findChild<QWidget*>("pnlMainLeftTemplates")->layout()->indexOf(placeholder), 0);
    EXPECT_TRUE(placeholder->isHidden());  // still collapsed

    // A second catalog opens with fresh trees.
    ASSERT_EQ(f.CreateAndOpen("second", 1), "");
    ASSERT_NE(WebView(f), nullptr);
    EXPECT_GT(WebView(f)->model()->rowCount(), 0);
}

TEST(CatalogWiring, ACaptionTypedInTheWebTreeNamesTheEditedItem)
{
    TShellFixture f(false, RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TCatalogTreeView* web = WebView(f);
    constexpr int kAboutUs = 100003;
    f.Shell().CatalogUI()->SelectWebTreeItem(kAboutUs);
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Editor().GetTreeItemId(), kAboutUs);
    const QModelIndex node = web->currentIndex();
    ASSERT_EQ(node.data().toString(), "About Us");

    // The caption left as it was tells the editor nothing.
    web->model()->setData(node, "About Us", Qt::EditRole);
    EXPECT_FALSE(f.Editor().Context()->IsModified());

    web->model()->setData(node, "Who We Are", Qt::EditRole);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_TRUE(f.SaveButton()->isEnabled());
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified()) << testing::PrintToString(f.Boxes().Messages("error"));
    EXPECT_EQ(f.Data().GetItemName(kAboutUs, f.Main(), f.Data().GetCurrentLangCode()), "Who We Are");
}

TEST(CatalogWiring, WebTreeOfCatalogType4ShowsGlobalIdNames)
{
    EXPECT_EQ(TCatalogWindowUI::WebTreeOptions(4), 0x4128);
    EXPECT_EQ(TCatalogWindowUI::WebTreeOptions(1), 0x0128);
}

TEST(CatalogWiring, PreviewSchemeServesAPageOfTheOpenCatalog)
{
    TShellFixture f;
    ASSERT_NE(f.Shell().PreviewHandler(), nullptr);
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TCatalogData* data = f.Root().GetCatalogData();
    ASSERT_NE(data, nullptr);
    ASSERT_NE(WebView(f), nullptr);
    const int itemId = WebView(f)->Manager().Root().FirstChild()->ItemId();
    ASSERT_GT(itemId, 0);
    const std::string lang = data->GetCurrentLangCode();
    data->GetTransformCache().PutTransformResult(
        itemId, 1, "<html><head><title>Wired preview</title></head><body>Hello</body></html>", lang);

    QWebEnginePage page(QWebEngineProfile::defaultProfile());
    QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl(QString("tolvex://preview/%1/%2.html").arg(QString::fromStdString(lang)).arg(itemId)));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.takeFirst().at(0).toBool());
    EXPECT_EQ(page.title(), "Wired preview");
}

TEST(CatalogWiring, PreviewHandlerIsUninstalledWhenTheWindowCloses)
{
    TShellFixture f;
    ASSERT_NE(f.Shell().PreviewHandler(), nullptr);
    f.Window().close();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Shell().PreviewHandler(), nullptr);
    EXPECT_EQ(QWebEngineProfile::defaultProfile()->urlSchemeHandler("tolvex"), nullptr);
}

TEST(CatalogWiring, PublishLocallyWritesTheSiteIntoTheChosenFolder)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    TTempFolder site;
    std::string askedInitial;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string& initial, const std::string& help) {
        askedInitial = initial;
        EXPECT_EQ(help, "PublishLocally");
        return site.Path();
    });
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TfrmPublishParameters*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->IndexEdit()->setText("start.html");
        dialog->StartButton()->click();
    });
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    QCoreApplication::processEvents();
    std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    ASSERT_EQ(windows.size(), 1u);
    TfrmDetailProcess* runner = windows.front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_TRUE(runner->GetPublisher() && runner->GetPublisher()->Succeeded())
        << runner->LogView()->toPlainText().toStdString();
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        runner->grab().save(QString("%1/publish-runner.png").arg(dir));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(site.Path()) / "start.html"));
    bool anyPage = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(site.Path()))
        anyPage = anyPage || (entry.path().extension() == ".html" && entry.path().filename() != "start.html");
    EXPECT_TRUE(anyPage);

    // The folder and the index name are remembered for the next run.
    TAbstractDBConnection& connection = f.Root().GetCatalogData()->GetConnectionFactory().GetConnection();
    EXPECT_EQ(f.Root().GetCatalogData()->GetCatalogProperty(710, connection), site.Path());
    EXPECT_EQ(f.Root().GetCatalogData()->GetCatalogProperty(711, connection), "start.html");
    f.Shell().Dialogs().SetFolderChooser([&](const std::string& initial, const std::string&) {
        askedInitial = initial;
        return std::string();
    });
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    EXPECT_EQ(askedInitial, site.Path());

    // The free-runner-windows notice frees the finished window.
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    ASSERT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}

TEST(CatalogWiring, OtherPublishingCommandsStillSayTheyAreNotAvailable)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    const std::size_t before = f.Boxes().Messages("information").size();
    f.Shell().ExecuteAction("Action=CoCManagement", false);
    ASSERT_EQ(f.Boxes().Messages("information").size(), before + 1);
    EXPECT_NE(f.Boxes().Messages("information").back().find("not available"), std::string::npos);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
}

namespace {

class TRecordingOperation : public TStyleOperation {
public:
    explicit TRecordingOperation(bool& ran) : ran_(ran) {}
    bool Execute(TRun& run) override
    {
        run.Log("loading the style");
        ran_ = true;
        return &run.Connection() != nullptr;
    }
    std::string GetText(int kind) const override { return kind == 3 ? "Style loaded" : kind == 2 ? "Start" : ""; }

private:
    bool& ran_;
};

}  // namespace

TEST(CatalogWiring, StyleOperationRunsInARunnerWindow)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("shop", 1), "");
    bool ran = false;
    f.Root().StartStyleOperation(std::make_unique<TRecordingOperation>(ran));
    std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    ASSERT_EQ(windows.size(), 1u);
    TfrmDetailProcess* runner = windows.front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    EXPECT_TRUE(ran);
    const std::string log = runner->LogView()->toPlainText().toStdString();
    EXPECT_NE(log.find("loading the style"), std::string::npos) << log;
    EXPECT_NE(log.find("Style loaded"), std::string::npos) << log;
    EXPECT_EQ(runner->CancelButton()->text(), "Close");
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    EXPECT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}

TEST(CatalogWiring, StyleOperationWithoutAnOpenCatalogIsRefused)
{
    TShellFixture f;
    bool ran = false;
    f.Root().StartStyleOperation(std::make_unique<TRecordingOperation>(ran));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(TfrmDetailProcess::ProcessWindows().empty());
    EXPECT_EQ(f.Boxes().Messages("error"), (std::vector<std::string>{"No catalog is open"}));
}

TEST(CatalogWiring, StyleDialogIsTheStyleWindow)
{
    TShellFixture f;
    std::unique_ptr<TStyleDialog> dialog = f.Shell().CreateStyleDialog();
    ASSERT_NE(dialog, nullptr);
    auto* window = dynamic_cast<QWidget*>(dialog.get());
    ASSERT_NE(window, nullptr);

    // Its Help shows the dialog's topic in the help window.
    QPushButton* help = nullptr;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == "Help")
            help = button;
    ASSERT_NE(help, nullptr);
    help->click();
    ASSERT_NE(f.Shell().Help()->Window(), nullptr);
    EXPECT_TRUE(f.Shell().Help()->Window()->Browser()->source().toLocalFile().endsWith("styles.html"));
}

TEST(CatalogWiring, ApplyingTheStyleToTheMembersRunsInARunnerWindow)
{
    TShellFixture f;
    ASSERT_EQ(f.CreateAndOpen("net", 2), "");
    f.Boxes().Clear();
    f.Boxes().QueueAnswer(mrYes);
    f.Shell().ExecuteAction("Action=ApplyNewStyleForChildren", false);
    EXPECT_EQ(f.Boxes().Messages("question"),
              std::vector<std::string>{"Do you really want to apply new style for all members?"});
    EXPECT_TRUE(f.Boxes().Messages("information").empty());  // no "not available yet"
    std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    ASSERT_EQ(windows.size(), 1u);
    TfrmDetailProcess* runner = windows.front();
    ASSERT_TRUE(WaitFor([&] { return runner->IsFinished(); }));
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    EXPECT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}
