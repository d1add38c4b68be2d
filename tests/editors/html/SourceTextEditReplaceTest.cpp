// The shared replace dialog on the source editor's text area: Replace takes
// the selected occurrence or the next one, Replace All every occurrence as
// one undoable change, both right with text before them that is not ASCII.
#include "editors/QtTestApplication.h"
#include "editors/site/html/SourceTextEdit.h"
#include "gui/FindReplace.h"
#include "support/ScriptedGui.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class SourceTextEditReplaceTest : public ::testing::Test {
protected:
    SourceTextEditReplaceTest()
    {
        EnsureQtApplication();
        edit = std::make_unique<TSourceTextEdit>();
        edit->SetText("<p>Größe: red</p>\n<p>RED shoes, red hats</p>");
        edit->show();
        finder = std::make_unique<TFindReplace>(gui, nullptr);
    }
    TScriptedGui gui;
    std::unique_ptr<TSourceTextEdit> edit;
    std::unique_ptr<TFindReplace> finder;
};

TEST_F(SourceTextEditReplaceTest, ReplaceTakesTheSelectionOrTheNextOccurrence)
{
    ASSERT_TRUE(TFindReplace::IsSearchable(edit.get()));
    finder->ShowReplaceDialog(edit.get());
    ASSERT_NE(finder->ReplaceDialog(), nullptr);
    edit->SelectBytes(0, 0);
    // Nothing selected: the first occurrence after the caret is replaced and selected.
    finder->ReplaceOne("red", "blue", true);
    EXPECT_EQ(edit->Text(), "<p>Größe: blue</p>\n<p>RED shoes, red hats</p>");
    EXPECT_EQ(edit->selectedText(), "blue");
    // The next call goes on after the replacement, case-insensitively here.
    finder->ReplaceOne("red", "green", false);
    EXPECT_EQ(edit->Text(), "<p>Größe: blue</p>\n<p>green shoes, red hats</p>");
    edit->undo();
    EXPECT_EQ(edit->Text(), "<p>Größe: blue</p>\n<p>RED shoes, red hats</p>");
}

TEST_F(SourceTextEditReplaceTest, ReplaceAllIsOneUndoableChange)
{
    finder->ShowReplaceDialog(edit.get());
    finder->ReplaceAll("red", "grün", false);
    EXPECT_EQ(edit->Text(), "<p>Größe: grün</p>\n<p>grün shoes, grün hats</p>");
    EXPECT_TRUE(gui.Shown().empty());
    finder->ReplaceAll("purple", "x", false);
    EXPECT_FALSE(gui.Shown().empty());  // "Could not find"
    edit->undo();
    EXPECT_EQ(edit->Text(), "<p>Größe: red</p>\n<p>RED shoes, red hats</p>");
}

TEST_F(SourceTextEditReplaceTest, AReadOnlyAreaOffersNoReplace)
{
    edit->setReadOnly(true);
    finder->ShowReplaceDialog(edit.get());
    EXPECT_EQ(finder->ReplaceDialog(), nullptr);
}

}  // namespace
