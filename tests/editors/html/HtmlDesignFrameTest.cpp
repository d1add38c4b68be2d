// The design tab of a web page in the main window's editor pane, offscreen:
// the parts show with the page's own style sheets and background, served
// through the preview scheme; "Show Borders" and "Show all possible
// attributes" are kept in the settings for the next editor.
#include "../site/EditorPaneHelpers.h"

#include "common/GlobalSettings.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/FrameHtmlEditor.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/html/frmProperties.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "support/TempFolder.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/frmFrameContainer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

constexpr int kHome = 100001;

class HtmlDesignFrameTest : public ::testing::Test {
protected:
    HtmlDesignFrameTest() : f(RegisterFrameworkClasses) { EXPECT_EQ(f.CreateAndOpen(), ""); }
    ~HtmlDesignFrameTest() override { QTest::qWait(100); }

    // Another page of the home page's type.
    int OtherPage()
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT ItemId FROM Items WHERE ItemType = (SELECT ItemType FROM Items WHERE ItemId = :Home) "
                      "AND ItemId <> :Home LIMIT 1");
        query->SetParam("Home", kHome);
        TAbstractRecordset& r = query->Open(true);
        const int id = r.Eof() ? 0 : FieldInteger(r, "ItemId");
        query->Close();
        return id;
    }

    THtmlEditorWidget* OpenDesign(int itemId = kHome)
    {
        EXPECT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(itemId, 0, "", ""));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
        for (const auto& editor : f.Editor().Container()->Editors())
            if (auto* frame = dynamic_cast<TFrameHtmlEditor*>(editor->FrameOfTab("HTMLEditor-html"))) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return frame->Editor()->IsReady(); }, 20000));
                return frame->Editor();
            }
        ADD_FAILURE() << "no design frame";
        return nullptr;
    }

    QVariant Evaluate(TDesignView* view, const QString& script)
    {
        return EvaluateInPage(*view->page(), script);
    }

    void PutCaretInParagraph(TDesignView* view)
    {
        Evaluate(view, "document.body.innerHTML = '<p align=\"left\">Some text</p>';"
                       "var r = document.createRange(); r.setStart(document.querySelector('p').firstChild, 2);"
                       "r.collapse(true); var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1");
    }

    TIniSettings& Settings() { return f.Root().Settings().IniSettings(); }

    TMainWindowFixture f;
};

TEST_F(HtmlDesignFrameTest, PartsShowWithThePagesStyleSheetsThroughThePreviewScheme)
{
    f.Window().resize(1100, 720);
    THtmlEditorWidget* editor = OpenDesign();
    ASSERT_NE(editor, nullptr);
    TDesignView* top = editor->TopView();
    const QVariantMap shown = Evaluate(top, R"(({
        url: document.URL,
        css: document.querySelector("style") ? document.querySelector("style").textContent : "",
        rules: Array.from(document.styleSheets).reduce(function (n, s) { return n + s.cssRules.length; }, 0),
        bodyClass: document.body.className
    }))").toMap();
    EXPECT_TRUE(shown["url"].toString().startsWith("tolvex://preview/EN/dhtmlTop.html?")) << shown["url"].toString().toStdString();
    EXPECT_FALSE(shown["css"].toString().isEmpty()) << "the master template's style sheets";
    EXPECT_GT(shown["rules"].toInt(), 0);
    EXPECT_TRUE(shown["bodyClass"].toString().contains("topofpage"));
    EXPECT_TRUE(Evaluate(editor->BottomView(), "document.body.className").toString().contains("bottomofpage"));
    // The style sheet's classes are offered.
    EXPECT_FALSE(editor->StyleMenu()->isEmpty());
    EXPECT_TRUE(editor->Actions().SelectCssStyle->isEnabled());
    Shoot(f, "html-design-home");
}

// Saving reads the design view and waits for its answer, while the window's
// messages are delivered: an action queued before the save that opens
// another item runs only after it, instead of freeing the editor being saved.
TEST_F(HtmlDesignFrameTest, AQueuedOpeningWaitsUntilTheSaveThatReadsTheViewIsOver)
{
    ASSERT_NE(OpenDesign(), nullptr);
    const int other = OtherPage();
    ASSERT_GT(other, 0);
    f.Shell().QueueAction("Action=MainPageEditor&ItemId=" + std::to_string(other), false);
    EXPECT_TRUE(f.Editor().Save());
    EXPECT_EQ(f.Editor().GetItemId(), kHome) << "the queued opening ran inside the save";
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Editor().GetItemId() == other; }, 5000))
        << "the queued opening was lost";
}

TEST_F(HtmlDesignFrameTest, BorderAndAttributeChoicesAreKeptForTheNextEditor)
{
    ASSERT_TRUE(Settings().GetBool(siHtmlEditorShowBorders, true));
    THtmlEditorWidget* editor = OpenDesign();
    ASSERT_NE(editor, nullptr);
    QAction* borders = editor->Actions().ShowBorders;
    EXPECT_TRUE(borders->isChecked()) << "borders show by default";
    EXPECT_TRUE(editor->TopView()->ShowBorders());
    borders->trigger();
    EXPECT_FALSE(Settings().GetBool(siHtmlEditorShowBorders, true)) << "written at once";

    // "Show all possible attributes" changed in the properties dialog.
    // The editor opens with the caret in the top part, which the commands act on.
    EXPECT_TRUE(editor->TopView()->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(editor->ActiveView(), editor->TopView());
    PutCaretInParagraph(editor->TopView());
    bool asked = false;
    editor->Dialogs().Properties = [&](TfrmProperties& dialog) {
        asked = true;
        EXPECT_FALSE(dialog.ShowAll());
        dialog.ShowAllBox()->click();
        return false;
    };
    editor->ShowElementProperties("P");
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked; }, 5000))
        << (f.Boxes().Shown().empty() ? std::string("no box") : f.Boxes().Shown().back().message)
        << Evaluate(editor->TopView(), "document.body.innerHTML").toString().toStdString();
    EXPECT_TRUE(Settings().GetBool(siHtmlEditorShowAllAttributes, false));

    // The next editor starts with both choices.
    const int other = OtherPage();
    ASSERT_GT(other, 0);
    THtmlEditorWidget* next = OpenDesign(other);
    ASSERT_NE(next, nullptr);
    EXPECT_FALSE(next->Actions().ShowBorders->isChecked());
    EXPECT_FALSE(next->TopView()->ShowBorders());
    bool askedAgain = false;
    next->Dialogs().Properties = [&](TfrmProperties& dialog) {
        askedAgain = true;
        EXPECT_TRUE(dialog.ShowAll());
        return false;
    };
    PutCaretInParagraph(next->TopView());
    next->ShowElementProperties("P");
    EXPECT_TRUE(QTest::qWaitFor([&] { return askedAgain; }, 5000));
}

TEST_F(HtmlDesignFrameTest, AnOpenedHtmlFileReplacesThePartAndIsStored)
{
    THtmlEditorWidget* editor = OpenDesign();
    ASSERT_NE(editor, nullptr);
    TTempFolder disk;
    const std::string file = disk.Write(
        "offer.html", "<html><head><title>Offer</title></head><body><h2>Autumn offer</h2><p>Pears</p></body></html>");
    f.Boxes().QueueInput(file);
    editor->Actions().OpenHtmlFile->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return editor->IsReady() && Evaluate(editor->TopView(), "document.body.innerHTML").toString().contains("Autumn offer");
    }, 10000));
    EXPECT_FALSE(Evaluate(editor->TopView(), "document.body.innerHTML").toString().contains("<title>"));
    EXPECT_TRUE(Evaluate(editor->TopView(), "document.body.className").toString().contains("topofpage"))
        << "shown in the part's own document";
    ASSERT_TRUE(f.Editor().Context()->IsModified());
    QTest::mouseClick(f.SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(f.Editor().Context()->IsModified());
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT StringValue AS V FROM CStrings WHERE ItemId = :Id AND LangCode = 'EN' "
                  "UNION ALL SELECT TextValue AS V FROM CText WHERE ItemId = :Id AND LangCode = 'EN'");
    query->SetParam("Id", kHome);
    std::string stored;
    for (TAbstractRecordset& r = query->Open(true); !r.Eof(); r.Next())
        stored += FieldText(r, "V") + "\n";
    query->Close();
    EXPECT_NE(stored.find("<h2>Autumn offer</h2>"), std::string::npos) << stored;
    EXPECT_EQ(stored.find("Welcome to our web site"), std::string::npos) << "the part was replaced: " << stored;
}

}  // namespace
