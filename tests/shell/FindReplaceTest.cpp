// Find and replace: the text rules headless, the dialogs on real edits.
#include "QtApplication.h"

#include "gui/FindReplace.h"
#include "gui/TextSearch.h"
#include "shell/TolvexEditUndo.h"
#include "support/ScriptedGui.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(TextSearch, FindsDownFromAPositionAndUpBeforeIt)
{
    const QString text = "One two one TWO";
    struct Case {
        const char* find;
        qsizetype from;
        bool down;
        bool matchCase;
        qsizetype at;
    };
    const Case cases[] = {
        {"one", 0, true, false, 0},
        {"one", 1, true, false, 8},
        {"one", 1, true, true, 8},
        {"One", 1, true, true, -1},
        {"two", 8, true, false, 12},
        {"two", 8, true, true, -1},
        {"one", 15, false, false, 8},
        {"one", 10, false, false, 0},   // the occurrence must end before From
        {"one", 2, false, false, -1},
        {"", 0, true, false, -1},
        {"one", 99, true, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextSearch::Find(text, c.find, c.from, c.down, c.matchCase), c.at)
            << c.find << " from " << c.from << (c.down ? " down" : " up");
    EXPECT_EQ(TextSearch::LastPos("o", "foo"), 3);
    EXPECT_EQ(TextSearch::LastPos("x", "foo"), 0);
}

TEST(TextSearch, ReplaceAllReplacesEveryOccurrenceOnce)
{
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        bool matchCase;
        const char* result;
        int count;
    };
    const Case cases[] = {
        {"a b a", "a", "aa", true, "aa b aa", 2},        // replacement contains the searched text
        {"aaa", "a", "ba", true, "bababa", 3},
        {"Cat cat CAT", "cat", "dog", false, "dog dog dog", 3},
        {"Cat cat CAT", "cat", "dog", true, "Cat dog CAT", 1},
        {"abc", "x", "y", false, "abc", 0},
        {"abab", "ab", "", true, "", 2},
        {"xx", "", "y", true, "xx", 0},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(TextSearch::ReplaceAll(text, c.find, c.replacement, c.matchCase), c.count) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
}

TEST(FindReplace, FindsInTheFocusedEditAndWarnsWhenNothingIsLeft)
{
    TScriptedGui gui;
    QPlainTextEdit edit;
    edit.setPlainText("red green red blue");
    TFindReplace find(gui, nullptr);
    find.ShowFindDialog(&edit);
    ASSERT_NE(find.FindDialog(), nullptr);
    EXPECT_TRUE(find.FindDialog()->MatchCase()->isVisible());
    find.Find("red", true, false);
    EXPECT_EQ(edit.textCursor().selectionStart(), 0);
    find.FindNext();
    EXPECT_EQ(edit.textCursor().selectionStart(), 10);
    EXPECT_TRUE(find.HasFindText());
    find.FindNext();
    EXPECT_EQ(gui.Messages("warning"), (std::vector<std::string>{"Could not find \"red\""}));
    find.Find("red", false, false);  // up from the last match
    EXPECT_EQ(edit.textCursor().selectionStart(), 0);
}

TEST(FindReplace, ReplaceOneStepsPastItsReplacementAndReplaceAllDoesEverything)
{
    TScriptedGui gui;
    QLineEdit edit("a-a-a");
    edit.setCursorPosition(0);
    TFindReplace find(gui, nullptr);
    find.ShowReplaceDialog(&edit);
    ASSERT_NE(find.ReplaceDialog(), nullptr);
    find.ReplaceOne("a", "aa", true);
    EXPECT_EQ(edit.text(), "aa-a-a");
    find.ReplaceOne("a", "aa", true);
    EXPECT_EQ(edit.text(), "aa-aa-a");
    find.ReplaceAll("a", "aa", true);
    EXPECT_EQ(edit.text(), "aaaa-aaaa-aa");
    edit.undo();
    EXPECT_EQ(edit.text(), "aa-aa-a");  // one undoable change
    find.ReplaceAll("zzz", "y", true);
    EXPECT_EQ(gui.Messages("warning"), (std::vector<std::string>{"Could not find \"zzz\""}));
}

TEST(FindReplace, TreesGetADialogWithoutOptionsForTheRun)
{
    TScriptedGui gui;
    QTreeWidget tree;
    QLineEdit edit;
    TFindReplace find(gui, nullptr);
    find.ShowReplaceDialog(&tree);  // trees cannot replace
    EXPECT_EQ(find.ReplaceDialog(), nullptr);
    find.ShowFindDialog(&tree);
    ASSERT_NE(find.FindDialog(), nullptr);
    EXPECT_FALSE(find.FindDialog()->MatchCase()->isVisible());
    find.ShowFindDialog(&edit);
    EXPECT_FALSE(find.FindDialog()->MatchCase()->isVisible());
    EXPECT_FALSE(find.FindDialog()->isHidden());
}

// A control that searches itself while the focus sits on an inner child, as a
// web view's focus proxy does.
class TSearchingPanel : public QWidget, public TFindTarget {
public:
    std::vector<QString> searched;
    bool FindText(const QString& text, bool, bool) override
    {
        searched.push_back(text);
        return true;
    }
};

TEST(FindReplace, AnInnerChildWithTheFocusSearchesThroughItsControl)
{
    TScriptedGui gui;
    TSearchingPanel panel;
    auto* proxy = new QWidget(&panel);
    TFindReplace find(gui, nullptr);
    EXPECT_EQ(TFindReplace::SearchableFor(proxy), &panel);
    find.ShowFindDialog(proxy);
    ASSERT_NE(find.FindDialog(), nullptr);
    find.Find("needle", true, false);
    EXPECT_EQ(panel.searched, (std::vector<QString>{"needle"}));

    QWidget plain;  // nothing searchable up the chain: no dialog
    TFindReplace none(gui, nullptr);
    none.ShowFindDialog(new QWidget(&plain));
    EXPECT_EQ(none.FindDialog(), nullptr);
}

TEST(FindReplace, FindNextDoesNothingBeforeAnyDialog)
{
    TScriptedGui gui;
    TFindReplace find(gui, nullptr);
    find.FindNext();
    EXPECT_TRUE(gui.Shown().empty());
    EXPECT_FALSE(find.HasFindText());
}

TEST(EditUndo, UndoesTheFocusedEditAndIsOffForTrees)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* tree = new QTreeWidget(&window);
    TTolvexEditUndo undo(&window);
    window.show();
    EXPECT_TRUE(TTolvexEditUndo::HandlesTarget(edit));
    EXPECT_FALSE(TTolvexEditUndo::HandlesTarget(tree));
    QTest::keyClicks(edit, "abc");
    undo.UpdateTarget(edit);
    EXPECT_TRUE(undo.isEnabled());
    undo.ExecuteTarget(edit);
    EXPECT_EQ(edit->text(), "");
    undo.UpdateTarget(tree);
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_EQ(undo.shortcut(), QKeySequence(QKeySequence::Undo));
}

}  // namespace

// Controls whose text is typed into a line edit of their own (an editable
// combo box, a date or number box) are undone through it as well.
TEST(EditUndo, ReachesTheLineEditOfAComboAndASpinBox)
{
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    auto* spin = new QSpinBox(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(combo);
    layout->addWidget(spin);
    TTolvexEditUndo undo(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::pair<QWidget*, QString> cases[] = {{combo, ""}, {spin, "0"}};
    for (const auto& [control, before] : cases) {
        SCOPED_TRACE(control->metaObject()->className());
        control->setFocus();
        QCoreApplication::processEvents();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_TRUE(TTolvexEditUndo::HandlesTarget(QApplication::focusWidget()));
        EXPECT_FALSE(undo.isEnabled());
        QTest::keyClicks(QApplication::focusWidget(), "42");
        EXPECT_TRUE(undo.isEnabled());
        undo.trigger();
        EXPECT_EQ(control->findChild<QLineEdit*>()->text(), before);
        EXPECT_FALSE(undo.isEnabled());
    }
}
