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
#include "editors/site/html/SourceTextEdit.h"
#include "editors/site/html/SourcesEditorWidget.h"

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

TEST_F(HtmlPageEditorTest, TheSourceDialogWritesOnlyTheCatalogsLanguagesItChanged)
{
    Open();
    TypeIntoDesign("Spring sale");
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    ASSERT_FALSE(f.Editor().Context()->IsModified());
    auto storedLanguages = [this] {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT COUNT(DISTINCT LangCode) FROM (SELECT LangCode FROM CStrings WHERE ItemId = :ItemId "
                      "UNION ALL SELECT LangCode FROM CText WHERE ItemId = :ItemId)");
        query->SetParam("ItemId", page);
        const int count = VariantToInteger(query->Open(true).Field(0));
        query->Close();
        return count;
    };
    const int before = storedLanguages();

    // The dialog shows the source of the content language; German is not touched.
    WhenShown([](TfrmFrameContainer& window) {
        auto* source = window.findChild<TSourcesEditorWidget*>();
        ASSERT_NE(source, nullptr);
        EXPECT_NE(source->TopEditor()->text().indexOf("Spring sale"), -1);
        source->TopEditor()->setFocus();
        source->TopEditor()->selectAll();
        QTest::keyClicks(source->TopEditor(), "<p>Summer sale</p>");
        window.btnContainerOk->click();
    });
    auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
    ASSERT_NE(frame, nullptr);
    frame->Editor()->Actions().EditSource->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return frame->Editor()->IsReady() &&
               Evaluate(frame->Editor()->TopView(), "document.body.innerHTML").contains("Summer sale");
    }, 10000));
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredSource("EN").find("Summer sale"), std::string::npos) << StoredSource("EN");
    EXPECT_EQ(StoredSource("DE"), "") << "German keeps falling back to the default language";
    EXPECT_EQ(storedLanguages(), before) << "no language outside the catalog gets a copy";
}

TEST_F(HtmlPageEditorTest, AViewThatDoesNotAnswerFailsTheSaveAndKeepsTheEdit)
{
    Open();
    TypeIntoDesign("Busy text");
    auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
    ASSERT_NE(frame, nullptr);
    const std::string before = StoredSource("EN");
    // The view's page is busy for a while: it answers no read until then.
    frame->SetReadTimeout(300);
    frame->Editor()->TopView()->page()->runJavaScript(
        "var until = Date.now() + 3000; while (Date.now() < until) {} 1", QWebEngineScript::ApplicationWorld);
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    ASSERT_EQ(f.Boxes().Messages("error").size(), 1u);
    EXPECT_NE(f.Boxes().Messages("error")[0].find("did not answer"), std::string::npos);
    EXPECT_TRUE(f.Editor().Context()->IsModified()) << "the editor stays modified";
    EXPECT_EQ(f.Editor().Container()->GetActiveTabName(), "HTMLEditor-html");
    EXPECT_EQ(StoredSource("EN"), before) << "nothing saved without the view's text";

    // Once the view answers again, the save stores the text.
    frame->SetReadTimeout(20000);
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredSource("EN").find("Busy text"), std::string::npos) << StoredSource("EN");
}

// A server-side page's source is edited as text only: a design view would
// write the document back as the browser understands it and break the
// server's code.
TEST_F(HtmlPageEditorTest, ServerSidePagesAreEditedAsSourceOnlyAndKeepTheirCode)
{
    const std::vector<std::pair<int, std::string>> pages = {
        {402, "<html><body><% Response.Write(\"Hi\") %><p>ASP</p></body></html>"},
        {403, "<%@ page contentType=\"text/html\" %><html><body><% out.println(\"Hi\"); %></body></html>"},
        {404, "<html><body><?php if ($a < 3) { echo \"<b>Hi</b>\"; } ?><p>PHP</p></body></html>"},
        {405, "<html><body><!--#include virtual=\"/footer.html\" --><p>SHTML</p></body></html>"},
    };
    for (const auto& [type, source] : pages) {
        SCOPED_TRACE(type);
        page = f.Root().Catalog().CreateItem(type, 1, 0, f.Data().GetCatalogCode(), f.Main(), 0);
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, type, "", ""));
        QCoreApplication::processEvents();
        EXPECT_FALSE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html")) << "no design view";
        EXPECT_EQ(FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html"), nullptr);
        ASSERT_TRUE(TypeIntoPageSource(f, QString::fromStdString(source)));
        QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
        EXPECT_FALSE(f.Editor().Context()->IsModified());
        EXPECT_EQ(StoredSource("EN"), source + "\n");
        // Opened again, the source shows as it was stored.
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kHome, 0, "", ""));
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, type, "", ""));
        QCoreApplication::processEvents();
        auto* frame = FrameOfTab<TFrameSourcesPageEditor>(f, "SourcesEditor-basic");
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->Editor()->TopText(), source);
        if (type == 402)
            Shoot(f, "server-side-page");
    }
}

// Edit / Undo and Redo of the main window, with the focus in the design view
// and then in the source view: each undoes and redoes in its own history,
// and each is greyed while there is nothing to undo or redo.
TEST_F(HtmlPageEditorTest, EditUndoAndRedoReachTheDesignAndTheSourceView)
{
    Open();
    auto* undo = f.Window().findChild<QAction*>("actMainEditUndo");
    auto* redo = f.Window().findChild<QAction*>("actMainEditRedo");
    ASSERT_TRUE(undo && redo);
    TypeIntoDesign("Spring sale");
    TDesignView* view = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html")->Editor()->TopView();
    const auto body = [&] { return Evaluate(view, "document.body.innerHTML"); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->isEnabled(); }, 5000)) << "the typing can be undone";
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !body().contains("Spring sale"); }, 5000)) << body().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return redo->isEnabled() && !undo->isEnabled(); }, 5000));
    // The context menu's Undo follows the same answer.
    THtmlEditorWidget* editor = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html")->Editor();
    bool shown = false;
    editor->ShowContextMenu(QPoint(), [&] { shown = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown; }, 5000));
    EXPECT_FALSE(editor->MenuActions().Undo->isEnabled()) << "nothing left to undo";
    redo->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return body().contains("Spring sale"); }, 5000)) << body().toStdString();

    // The source view starts with nothing to undo: the loaded text stays.
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("SourcesEditor-basic"));
    TSourceTextEdit* edit = FrameOfTab<TFrameSourcesPageEditor>(f, "SourcesEditor-basic")->Editor()->TopEditor();
    edit->setFocus();
    QCoreApplication::processEvents();
    const QString loaded = edit->text();
    ASSERT_TRUE(loaded.contains("Spring sale"));
    EXPECT_FALSE(undo->isEnabled());
    edit->setCursorPosition(0, 0);
    QTest::keyClicks(edit, "<!-- spring -->");
    EXPECT_TRUE(undo->isEnabled());
    // The shortcut first, then the menu's action, until nothing is left to undo.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    for (int steps = 0; undo->isEnabled() && steps < 20; ++steps)
        undo->trigger();
    EXPECT_EQ(edit->text(), loaded);
    ASSERT_TRUE(redo->isEnabled());
    while (redo->isEnabled())
        redo->trigger();
    EXPECT_TRUE(edit->text().startsWith("<!-- spring -->")) << edit->text().left(40).toStdString();
    EXPECT_TRUE(f.Editor().Context()->IsModified());
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
