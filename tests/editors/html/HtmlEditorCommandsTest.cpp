// The visual HTML editor's table and element commands as a user meets them:
// the context menu on a cell offers the table commands and runs them, the
// properties dialog writes a changed attribute of the enclosing cell, "Show
// Borders" outlines tables without touching the stored HTML, and "Save
// Photo" offers a catalog picture's file name.
#include "../PageScript.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/html/frmProperties.h"
#include "gui/FindReplace.h"
#include "support/ScriptedGui.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

class HtmlEditorCommandsTest : public ::testing::Test {
protected:
    HtmlEditorCommandsTest()
    {
        EnsureQtApplication();
        editor = std::make_unique<THtmlEditorWidget>(gui, nullptr);
        editor->resize(760, 460);
        editor->show();
        QSignalSpy ready(editor.get(), &THtmlEditorWidget::Ready);
        editor->LoadParts("<p id=\"intro\">Our prices</p><table border=\"0\" width=\"80%\"><tr><td id=\"a1\">Rooms</td>"
                          "<td id=\"a2\">Price</td></tr><tr><td id=\"b1\">Single</td><td id=\"b2\">45 EUR</td></tr>"
                          "</table><p><img id=\"pic\" src=\"../images/my+hotel%20front.jpg?v=3\" width=\"40\" height=\"30\">"
                          "<img id=\"web\" src=\"http://example.com/x.jpg\" width=\"40\" height=\"30\"></p>",
                          "<p>Opening hours</p>", "body { font-family: sans-serif; }", "", "EN");
        EXPECT_TRUE(editor->IsReady() || ready.wait(20000));
        QTest::qWait(100);
    }
    ~HtmlEditorCommandsTest() override
    {
        editor.reset();
        QTest::qWait(100);
    }
    QVariant Evaluate(const QString& script)
    {
        return EvaluateInPage(*editor->TopView()->page(), script);
    }
    void CaretIn(const char* id)
    {
        Evaluate(QStringLiteral("var r = document.createRange(); r.setStart(document.getElementById('%1').firstChild, 1);"
                                "r.collapse(true); var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1")
                     .arg(QString::fromUtf8(id)));
    }
    void SelectElement(const char* id)
    {
        Evaluate(QStringLiteral("var r = document.createRange(); r.selectNode(document.getElementById('%1'));"
                                "var s = window.getSelection(); s.removeAllRanges(); s.addRange(r); 1")
                     .arg(QString::fromUtf8(id)));
    }
    std::string Top()
    {
        std::string top;
        bool done = false;
        editor->ReadParts([&](const std::string& t, const std::string&) {
            top = t;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return top;
    }
    void UpdateMenu()
    {
        bool shown = false;
        editor->ShowContextMenu(QPoint(), [&] { shown = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown; }, 5000));
    }
    using TEntry = QAction* THtmlEditorWidget::TMenuActions::*;
    bool Enabled(TEntry entry) { return (editor->MenuActions().*entry)->isEnabled(); }
    bool Visible(TEntry entry) { return (editor->MenuActions().*entry)->isVisible(); }

    TScriptedGui gui;
    std::unique_ptr<THtmlEditorWidget> editor;
};

TEST_F(HtmlEditorCommandsTest, TheContextMenuOnACellRunsTheTableCommands)
{
    QStringList captions;
    for (QAction* action : editor->ContextMenu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Undo", "Cut", "Copy", "Paste", "Select All", "-", "Search", "-", "Table", "-",
                                     "Remove Hyperlink", "Insert Pop-Up Image", "Save Photo", "-", "Properties",
                                     "Edit Html Source Code"}));

    CaretIn("intro");
    UpdateMenu();
    EXPECT_FALSE(Enabled(&THtmlEditorWidget::TMenuActions::InsertRow));
    EXPECT_FALSE(Enabled(&THtmlEditorWidget::TMenuActions::CellProperties));
    EXPECT_FALSE(Visible(&THtmlEditorWidget::TMenuActions::SavePhoto));

    CaretIn("b2");
    UpdateMenu();
    using M = THtmlEditorWidget::TMenuActions;
    for (TEntry entry : {&M::SplitCell, &M::InsertRow, &M::InsertColumn, &M::DeleteRow, &M::DeleteColumn,
                         &M::CellProperties, &M::RowProperties})
        EXPECT_TRUE(Enabled(entry)) << (editor->MenuActions().*entry)->text().toStdString();
    EXPECT_FALSE(Enabled(&THtmlEditorWidget::TMenuActions::MergeCells)) << "one cell only";
    editor->MenuActions().InsertColumn->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Top().find("<td>&nbsp;</td><td id=\"b2\">") != std::string::npos; }, 5000))
        << Top();

    editor->Actions().ShowBorders->setChecked(true);
    QTest::qWait(100);
    SaveWidgetPicture(*editor, "html-editor-table");
    editor->ContextMenu()->popup(editor->mapToGlobal(QPoint(200, 120)));
    QMenu* table = editor->MenuActions().Table->menu();
    table->popup(editor->mapToGlobal(QPoint(360, 120)));
    QTest::qWait(50);
    SaveWidgetPicture(*editor->ContextMenu(), "html-editor-context-menu");
    SaveWidgetPicture(*table, "html-editor-table-menu");
    table->hide();
    editor->ContextMenu()->hide();
}

TEST_F(HtmlEditorCommandsTest, CellPropertiesWriteTheChangedAttributes)
{
    CaretIn("a2");
    UpdateMenu();
    bool asked = false;
    editor->Dialogs().Properties = [&](TfrmProperties& dialog) {
        asked = true;
        dialog.resize(380, 360);
        dialog.show();
        EXPECT_EQ(dialog.findChild<QLineEdit*>()->text(), "TD");
        QTreeWidget* list = dialog.List();
        EXPECT_EQ(list->topLevelItemCount(), 1) << "only the specified attribute";
        dialog.ShowAllBox()->setChecked(true);
        QTreeWidgetItem* width = list->findItems(QStringLiteral("width"), Qt::MatchExactly).value(0);
        EXPECT_NE(width, nullptr);
        if (!width)
            return false;
        list->setCurrentItem(width);
        QTest::keyClicks(dialog.ValueEdit(), "120");
        EXPECT_EQ(width->text(1), "120");
        SaveWidgetPicture(dialog, "html-editor-properties");
        return true;
    };
    QSignalSpy showAll(editor.get(), &THtmlEditorWidget::ShowAllAttributesChanged);
    QSignalSpy modified(editor.get(), &THtmlEditorWidget::Modified);
    editor->MenuActions().CellProperties->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Top().find("<td id=\"a2\" width=\"120\">Price</td>") != std::string::npos; },
                                5000))
        << Top();
    EXPECT_TRUE(asked);
    EXPECT_EQ(showAll.count(), 1);
    EXPECT_GE(modified.count(), 1);

    // Outside a cell: the error names the tag, no dialog.
    asked = false;
    CaretIn("intro");
    editor->ShowElementProperties("TD");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !gui.Shown().empty(); }, 5000));
    EXPECT_EQ(gui.Shown().back().message, "Cannot show properties for \"TD\" html element");
    EXPECT_FALSE(asked);
}

TEST_F(HtmlEditorCommandsTest, SearchFindsTextInThePart)
{
    // "Search" opens the main window's find dialog on the part.
    QWidget mainWindow;
    TFindReplace finder(gui, &mainWindow);
    editor->TopView()->setFocus();
    editor->MenuActions().Search->trigger();
    ASSERT_NE(finder.FindDialog(), nullptr);
    EXPECT_TRUE(finder.FindDialog()->isVisible());
    finder.Find(QStringLiteral("45 eur"), true, false);
    EXPECT_TRUE(gui.Shown().empty());
    finder.Find(QStringLiteral("45 eur"), true, true);
    ASSERT_FALSE(gui.Shown().empty()) << "match case";
    EXPECT_EQ(gui.Shown().back().message, "Could not find \"45 eur\"");
}

TEST_F(HtmlEditorCommandsTest, ShowBordersBelongsToTheViewOnly)
{
    const std::string before = Top();
    QSignalSpy changed(editor.get(), &THtmlEditorWidget::ShowBordersChanged);
    editor->Actions().ShowBorders->trigger();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(changed.at(0).at(0).toBool());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Evaluate("!!document.getElementById('tolvex-borders')").toBool(); }, 5000));
    EXPECT_EQ(Top(), before);
    // Set from the stored choice: no signal, the check mark follows.
    editor->SetShowBorders(false);
    EXPECT_FALSE(editor->Actions().ShowBorders->isChecked());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Evaluate("!!document.getElementById('tolvex-borders')").toBool(); }, 5000));
}

TEST_F(HtmlEditorCommandsTest, SavePhotoOffersTheCatalogPicturesName)
{
    QString offered, filter;
    std::string saved, target;
    editor->Dialogs().SavePath = [&](const QString& name, const QString& f) {
        offered = name;
        filter = f;
        return QStringLiteral("/tmp/chosen.jpg");
    };
    editor->SetPhotoSaver([&](const std::string& name, const std::string& to) {
        saved = name;
        target = to;
        return true;
    });
    SelectElement("pic");
    UpdateMenu();
    EXPECT_TRUE(Visible(&THtmlEditorWidget::TMenuActions::SavePhoto));
    EXPECT_FALSE(Enabled(&THtmlEditorWidget::TMenuActions::InsertRow));
    editor->MenuActions().SavePhoto->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !saved.empty(); }, 5000));
    EXPECT_EQ(offered, "my hotel front.jpg");
    EXPECT_EQ(filter, "jpg files (*.jpg)");
    EXPECT_EQ(target, "/tmp/chosen.jpg");

    SelectElement("web");
    editor->SavePhoto();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !gui.Shown().empty(); }, 5000));
    EXPECT_EQ(gui.Shown().back().message, "Cannot save the image");

    // "Shadow" on the selected picture, and only on a picture.
    editor->Actions().Shadow->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Top().find("style=\"box-shadow") != std::string::npos; }, 5000)) << Top();
    CaretIn("intro");
    editor->Actions().Shadow->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gui.Shown().back().message == "Select an image."; }, 5000));
}

}  // namespace
