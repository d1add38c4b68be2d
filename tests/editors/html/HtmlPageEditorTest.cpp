// The page-source editor of an HTML page item in the main window's editor
// pane, offscreen: text typed into the design view and into the source
// view reaches "SourceCode" of the item's "HtmlData" after Save, each in
// its own language, also when Save follows the typing at once; switching
// between the views without edits changes nothing; a preview generated
// before Save shows the unsaved edit.
#include "../site/EditorPaneHelpers.h"

#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/FrameHtmlDataEditor.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "catalog/TreeManager.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "editors/site/html/dialogs/FrameSiteDialog.h"
#include "editors/site/html/dialogs/HyperlinkFrame.h"
#include "editors/site/html/dialogs/InsertTableFrame.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

constexpr int kHtmlPageType = 401;
constexpr int kHome = 100001;

// Selects an item in the page picker of a dialog window.
void PickPage(TfrmFrameContainer& window, int itemId)
{
    auto* picker = window.findChild<TSelectPageFrame*>();
    ASSERT_NE(picker, nullptr);
    for (TTreeNode* node : picker->Manager().AllNodes())
        if (node->ItemId() == itemId)
            picker->Tree()->setCurrentIndex(picker->Tree()->Model().IndexOf(node));
}

class HtmlPageEditorTest : public ::testing::Test {
protected:
    HtmlPageEditorTest() : f(RegisterFrameworkClasses)
    {
        EXPECT_EQ(f.CreateAndOpen(), "");
        AddDataLanguage(f, "DE");
        page = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, f.Data().GetCatalogCode(), f.Main(), 0);
        EXPECT_GT(page, 0);
    }
    ~HtmlPageEditorTest() override { QTest::qWait(100); }

    void Open()
    {
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, kHtmlPageType, "", ""));
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
    }

    // The stored source of the page in a language, read through the main connection.
    std::string StoredSource(const std::string& langCode)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT s.StringValue FROM CStrings s WHERE s.ItemId = :ItemId AND s.LangCode = :Lang "
                      "UNION ALL SELECT t.TextValue FROM CText t WHERE t.ItemId = :ItemId AND t.LangCode = :Lang");
        query->SetParam("ItemId", page);
        query->SetParam("Lang", langCode);
        std::string all;
        for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
            all += FieldText(r, "StringValue") + "\n";
        query->Close();
        return all;
    }

    QString Evaluate(TDesignView* view, const QString& script)
    {
        return EvaluateInPage(*view->page(), script).toString();
    }

    // Types at the end of the design view's body.
    void TypeIntoDesign(const QString& text)
    {
        auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
        ASSERT_NE(frame, nullptr);
        THtmlEditorWidget* editor = frame->Editor();
        ASSERT_TRUE(QTest::qWaitFor([&] { return editor->IsReady(); }, 20000));
        TDesignView* view = editor->TopView();
        Evaluate(view, "var range = document.createRange(); range.selectNodeContents(document.body);"
                       "range.collapse(false); var s = window.getSelection(); s.removeAllRanges(); s.addRange(range); 1");
        view->setFocus();
        QWidget* target = view->focusProxy() ? view->focusProxy() : view;
        QTest::keyClicks(target, text);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Evaluate(view, "document.body.innerHTML").contains(text); }, 5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
    }

    TMainWindowFixture f;
    int page = 0;
};

TEST_F(HtmlPageEditorTest, TypedDesignAndSourceTextIsStoredInItsOwnLanguage)
{
    Open();
    f.Window().resize(1100, 720);
    TypeIntoDesign("Spring sale");
    Shoot(f, "html-page-design");

    // The other language, in the source view: the English edit is stored
    // into the language being left; the German source, without a value of
    // its own, shows the default language's until it is replaced.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    ASSERT_TRUE(TypeIntoPageSource(f, "<p>Fruehlingsangebot</p>"));
    Shoot(f, "html-page-source");

    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    const std::string english = StoredSource("EN");
    const std::string german = StoredSource("DE");
    EXPECT_NE(english.find("Spring sale"), std::string::npos) << english;
    EXPECT_NE(english.find("<head>"), std::string::npos) << "the whole document is stored: " << english;
    EXPECT_EQ(english.find("Fruehlingsangebot"), std::string::npos) << english;
    EXPECT_NE(german.find("<p>Fruehlingsangebot</p>"), std::string::npos) << german;
    EXPECT_EQ(german.find("Spring sale"), std::string::npos) << german;
}

TEST_F(HtmlPageEditorTest, ALanguageShownButNotEditedGetsNoCopyOfAnothersText)
{
    Open();
    TypeIntoDesign("Spring sale");
    // German shows the English text as its fallback; nothing is typed there.
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"));
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredSource("EN").find("Spring sale"), std::string::npos);
    EXPECT_EQ(StoredSource("DE").find("Spring sale"), std::string::npos) << StoredSource("DE");
}

TEST_F(HtmlPageEditorTest, SwitchingViewsWithoutEditsChangesNothing)
{
    Open();
    const std::string before = StoredSource("EN");
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"));
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"));
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_EQ(StoredSource("EN"), before);
}

TEST_F(HtmlPageEditorTest, TextTypedAndSavedAtOnceIsStoredWithoutTheViewsOutlines)
{
    Open();
    auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
    ASSERT_NE(frame, nullptr);
    TDesignView* view = frame->Editor()->TopView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->Editor()->IsReady(); }, 20000));
    Evaluate(view, "var range = document.createRange(); range.selectNodeContents(document.body);"
                   "range.collapse(false); var s = window.getSelection(); s.removeAllRanges(); s.addRange(range); 1");
    view->setFocus();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;

    // Typed and saved with no wait between: neither for the page's change
    // notice nor for the engine to show the text. First with the button,
    // then with the keyboard shortcut.
    QTest::keyClicks(target, "Quick words");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_NE(StoredSource("EN").find("Quick words"), std::string::npos) << StoredSource("EN");
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    // The outlines the view draws around tables are the view's own.
    EXPECT_EQ(StoredSource("EN").find("tolvex-borders"), std::string::npos) << StoredSource("EN");

    QTest::keyClicks(target, " and more");
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.Editor().Context()->IsModified()) << "Ctrl+S saved nothing";
    EXPECT_NE(StoredSource("EN").find("Quick words and more"), std::string::npos) << StoredSource("EN");
}

// Each insertion of the toolbar, through the catalog's named dialogs in
// editor windows, puts its markup into the design view.
struct TInsertionCase {
    const char* name;
    QAction* THtmlEditorWidget::TToolbarActions::*action;
    std::function<void(TfrmFrameContainer&)> answer;  // empty: no dialog
    std::vector<std::string> expected;
};

TEST_F(HtmlPageEditorTest, EachInsertionPutsItsMarkupIntoTheDesignView)
{
    Open();
    auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
    ASSERT_NE(frame, nullptr);
    THtmlEditorWidget* editor = frame->Editor();
    TypeIntoDesign("Offers");
    // While a dialog opened from the design view is up, the pages keep
    // running: the view still answers a script.
    const auto viewAnswers = [this, editor] {
        EXPECT_EQ(Evaluate(editor->TopView(), "'alive'"), "alive") << "the page froze while the dialog was open";
    };
    const std::vector<TInsertionCase> cases = {
        {"table", &THtmlEditorWidget::TToolbarActions::InsertTable,
         [viewAnswers](TfrmFrameContainer& window) {
             auto* table = window.findChild<TInsertTableFrame*>();
             ASSERT_NE(table, nullptr);
             viewAnswers();
             table->RowsEdit()->setText("2");
             table->ColumnsEdit()->setText("3");
             table->CaptionEdit()->setText("Prices");
             window.btnContainerOk->click();
         },
         {"<table", "Prices", "<td"}},
        {"hyperlink", &THtmlEditorWidget::TToolbarActions::InsertHyperlink,
         [viewAnswers](TfrmFrameContainer& window) {
             auto* link = window.findChild<THyperlinkFrame*>();
             ASSERT_NE(link, nullptr);
             viewAnswers();
             link->AddressEdit()->setText("example.com/shop");
             link->CaptionEdit()->setText("Our shop");
             window.btnContainerOk->click();
         },
         {"example.com/shop", "Our shop</a>"}},
        {"page link", &THtmlEditorWidget::TToolbarActions::InsertLinkToPage,
         [viewAnswers](TfrmFrameContainer& window) {
             viewAnswers();
             PickPage(window, kHome);
             window.btnContainerOk->click();
         },
         {"href=\"index.html\""}},
        {"line", &THtmlEditorWidget::TToolbarActions::HorizontalLine, {}, {"<hr>"}},
        {"line break", &THtmlEditorWidget::TToolbarActions::InsertLineBreak, {}, {"<br>"}},
    };
    for (const TInsertionCase& insertion : cases) {
        SCOPED_TRACE(insertion.name);
        if (insertion.answer)
            WhenShown(insertion.answer);
        QAction* action = editor->Actions().*insertion.action;
        ASSERT_NE(action, nullptr);
        action->trigger();
        for (const std::string& markup : insertion.expected)
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return Evaluate(editor->TopView(), "document.body.innerHTML").contains(QString::fromStdString(markup));
            }, 5000)) << markup << " in " << Evaluate(editor->TopView(), "document.body.innerHTML").toStdString();
    }
}

// The publishing dialogs' page picker runs the catalog's "SelectPage" dialog.
TEST_F(HtmlPageEditorTest, PublishingPagePickerAnswersWithTheChosenPage)
{
    WhenShown([](TfrmFrameContainer& window) {
        PickPage(window, kHome);
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
            window.grab().save(QString("%1/select-page-dialog.png").arg(dir));
        window.btnContainerOk->click();
    });
    int pageId = 0;
    std::string pageName;
    ASSERT_TRUE(f.Shell().Dialogs().ChoosePage(pageId, pageName));
    EXPECT_EQ(pageId, kHome);
    EXPECT_EQ(pageName, "Home");

    WhenShown([](TfrmFrameContainer& window) { window.btnContainerCancel->click(); });
    pageId = 0;
    EXPECT_FALSE(f.Shell().Dialogs().ChoosePage(pageId, pageName));
    EXPECT_EQ(pageId, 0);
}

}  // namespace
