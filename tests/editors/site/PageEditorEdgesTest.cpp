// Edges of the page editors in the main window's editor pane, offscreen:
// text typed into the design view and saved at once is stored even before
// the view's change notice arrived; a page just added shows its new name
// in its properties tab and in the editor's caption, refuses to be saved
// without a name, and the caption follows a rename.
#include "EditorPaneHelpers.h"

#include "catalog/CatalogData.h"
#include "editors/framework/Registration.h"
#include "editors/site/DesignView.h"
#include "editors/site/FrameHtmlDataEditor.h"
#include "editors/site/HtmlEditorWidget.h"
#include "shell/CatalogWindowUI.h"
#include "shell/MainWindow.h"
#include "storage/RecordValues.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

constexpr int kHtmlPageType = 401;
constexpr int kHome = 100001;
// What Catalog / New / Page adds.
constexpr int kInformationPageType = 3001;

// Everything stored for the item in a language, through the main connection.
std::string StoredStrings(TMainWindowFixture& f, int itemId, const std::string& langCode)
{
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT s.StringValue FROM CStrings s WHERE s.ItemId = :ItemId AND s.LangCode = :Lang "
                  "UNION ALL SELECT t.TextValue FROM CText t WHERE t.ItemId = :ItemId AND t.LangCode = :Lang");
    query->SetParam("ItemId", itemId);
    query->SetParam("Lang", langCode);
    std::string all;
    for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
        all += FieldText(r, "StringValue") + "\n";
    query->Close();
    return all;
}

QString Caption(TMainWindowFixture& f) { return f.Window().pnlMainClientCaption->text(); }

TEST(PageEditorEdges, TextTypedIntoTheDesignViewAndSavedAtOnceIsStored)
{
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    const int page = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, f.Data().GetCatalogCode(), f.Main(), 0);
    ASSERT_GT(page, 0);
    ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, kHtmlPageType, "", ""));
    QCoreApplication::processEvents();
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
    auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
    ASSERT_NE(frame, nullptr);
    TDesignView* view = frame->Editor()->TopView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->Editor()->IsReady(); }, 20000));
    RunScript(*view->page(), "var range = document.createRange(); range.selectNodeContents(document.body);"
                             "range.collapse(false); var s = window.getSelection(); s.removeAllRanges();"
                             "s.addRange(range); 1");
    view->setFocus();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;

    // Typed and saved with no wait between: neither for the page's change
    // notice nor for the engine to show the text. First with the button,
    // then with the keyboard shortcut.
    QTest::keyClicks(target, "Quick words");
    QTest::mouseClick(f.Window().btnMainEditorSave, Qt::LeftButton);
    EXPECT_NE(StoredStrings(f, page, "EN").find("Quick words"), std::string::npos) << StoredStrings(f, page, "EN");
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    // The outlines the view draws around tables are the view's own.
    EXPECT_EQ(StoredStrings(f, page, "EN").find("tolvex-borders"), std::string::npos) << StoredStrings(f, page, "EN");

    QTest::keyClicks(target, " and more");
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.Editor().Context()->IsModified()) << "Ctrl+S saved nothing";
    EXPECT_NE(StoredStrings(f, page, "EN").find("Quick words and more"), std::string::npos)
        << StoredStrings(f, page, "EN");
    QTest::qWait(100);
}

class NewPageTest : public ::testing::Test {
protected:
    NewPageTest() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }

    // A new page under the home page, as Catalog / New / Page adds it.
    void AddPage()
    {
        f.Shell().CatalogUI()->SelectWebTreeItem(kHome);
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(-2, kInformationPageType, "", "ParentItemId=100001"));
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Editor().Context() && f.Editor().Context()->IsNewItem());
        page = f.Editor().Context()->GetItemId();
    }
    QLineEdit* PropertiesName()
    {
        if (!f.Editor().Container()->ActivateTabByName("PagePropertiesEditor-properties"))
            return nullptr;
        return Find<QLineEdit>(f, "edtName");
    }

    TMainWindowFixture f;
    int page = 0;
};

TEST_F(NewPageTest, ShowsItsNewNameInThePropertiesAndTheCaption)
{
    AddPage();
    EXPECT_TRUE(Caption(f).contains("New Page")) << Caption(f).toStdString();
    QLineEdit* name = PropertiesName();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "New Page");
    Shoot(f, "new-page-properties");

    // The caption follows the name typed, before any save.
    TypeOver(name, "Our Kites");
    EXPECT_TRUE(Caption(f).contains("Our Kites")) << Caption(f).toStdString();

    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredStrings(f, page, "EN").find("Our Kites"), std::string::npos) << StoredStrings(f, page, "EN");
    EXPECT_TRUE(Caption(f).contains("Our Kites")) << Caption(f).toStdString();
}

TEST_F(NewPageTest, SavedWithoutTouchingItsTabsKeepsTheNewName)
{
    AddPage();
    PressSave(f);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    EXPECT_NE(StoredStrings(f, page, "EN").find("New Page"), std::string::npos) << StoredStrings(f, page, "EN");
}

TEST_F(NewPageTest, AnEmptyNameIsRefused)
{
    AddPage();
    QLineEdit* name = PropertiesName();
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    PressSave(f);
    EXPECT_FALSE(f.Boxes().Messages("error").empty()) << "no \"Enter page name\"";
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(StoredStrings(f, page, "EN").find("New Page"), std::string::npos);
}

TEST_F(NewPageTest, TheCaptionFollowsARenameInTheTree)
{
    AddPage();
    ASSERT_NE(PropertiesName(), nullptr);
    f.Editor().NameChanged(page, "Wind Chimes");
    EXPECT_TRUE(Caption(f).contains("Wind Chimes")) << Caption(f).toStdString();
    EXPECT_EQ(PropertiesName()->text(), "Wind Chimes");
}

}  // namespace
