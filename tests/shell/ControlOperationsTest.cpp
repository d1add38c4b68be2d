// Shared control operations: caption-and-value combos, key filters, Enter
// handling, fitting pictures.
#include "QtApplication.h"

#include "gui/ControlOperations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ControlOperations;

namespace {

TEST(ControlOperations, ComboEntriesShowTheCaptionAndAnswerTheValue)
{
    QComboBox combo;
    AddComboBoxItem(&combo, "English", "EN");
    AddComboBoxItem(&combo, "Long", QString(40, 'x'));
    combo.addItem("Plain");
    EXPECT_EQ(combo.itemText(0), "English");
    EXPECT_TRUE(SelectComboBoxValue(&combo, "EN", -1));
    EXPECT_EQ(GetComboBoxValue(&combo), "EN");
    EXPECT_EQ(GetComboBoxCaption(&combo), "English");
    EXPECT_TRUE(SelectComboBoxValue(&combo, "Plain", -1));
    EXPECT_EQ(GetComboBoxValue(&combo), "Plain");
    // Only 32 characters of a value are compared: a longer value never matches.
    EXPECT_FALSE(SelectComboBoxValue(&combo, QString(40, 'x'), 0));
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_TRUE(SelectComboBoxValue(&combo, QString(32, 'x'), 0));
    EXPECT_FALSE(SelectComboBoxValue(&combo, "en", 9));  // case-sensitive; default beyond: nothing
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(GetComboBoxValue(&combo), "");
}

TEST(ControlOperations, SelectionByProgramReportsAChangeOnlyWithTheTag)
{
    QComboBox combo;
    AddComboBoxItem(&combo, "A", "a");
    AddComboBoxItem(&combo, "B", "b");
    combo.setCurrentIndex(0);
    QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
    SelectComboBoxValue(&combo, "b", -1);
    EXPECT_EQ(changes.count(), 0);
    combo.setProperty("tolvexTag", kTagComboChangeByProgram);
    SelectComboBoxValue(&combo, "a", -1);
    EXPECT_EQ(changes.count(), 1);
    SelectComboBoxValue(&combo, "a", -1);  // already selected: no change
    EXPECT_EQ(changes.count(), 1);
}

TEST(ControlOperations, CaptionValueLists)
{
    std::vector<std::string> list{"old"};
    FillCaptionValueList(list, {"Folder=2", "Page=3"}, false, true);
    EXPECT_EQ(list, (std::vector<std::string>{"Folder===2", "Page===3"}));
    FillCaptionValueList(list, {"Folder=2"}, true, false);
    EXPECT_EQ(list.back(), "2===Folder");
}

TEST(ControlOperations, CodeKeys)
{
    struct Case {
        char16_t in;
        char16_t out;
    };
    const Case cases[] = {{'a', 'a'}, {'Z', 'z'}, {'7', '7'}, {'-', '-'}, {8, 8}, {'_', 0}, {' ', 0}, {u'é', 0}};
    for (const Case& c : cases) {
        QChar key(c.in);
        FilterCodeKey(key);
        EXPECT_EQ(key.unicode(), c.out) << int(c.in);
    }
    QChar key('q');
    UpperCaseKey(key);
    EXPECT_EQ(key, QChar('Q'));
}

TEST(ControlOperations, EnterMovesOnFromEditsButNotFromMemos)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* memo = new QPlainTextEdit(&window);
    auto* check = new QCheckBox("x", &window);
    layout->addWidget(edit);
    layout->addWidget(memo);
    layout->addWidget(check);
    window.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");

    edit->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(HandleFormKeyPress(&window, &enter, {}));
    EXPECT_EQ(window.focusWidget(), memo);

    EXPECT_FALSE(HandleFormKeyPress(&window, &enter, {}));  // a memo keeps its Enter
    memo->setProperty("tolvexTag", kTagEnterMovesFocus);
    EXPECT_TRUE(HandleFormKeyPress(&window, &enter, {}));
    EXPECT_EQ(window.focusWidget(), check);

    edit->setProperty("tolvexTag", kTagEnterNotIntercepted);
    edit->setFocus();
    EXPECT_FALSE(HandleFormKeyPress(&window, &enter, {}));

    int finds = 0;
    QKeyEvent ctrlF(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(HandleFormKeyPress(&window, &ctrlF, [&] { ++finds; }));
    EXPECT_EQ(finds, 1);
}

TEST(ControlOperations, FitImage)
{
    struct Case {
        int boxW, boxH;
        QSize picture;
        bool centre;
        QRect result;
    };
    const Case cases[] = {
        {108, 108, {50, 50}, false, {4, 4, 50, 50}},
        {108, 108, {50, 50}, true, {29, 29, 50, 50}},
        {108, 58, {200, 100}, false, {4, 4, 100, 50}},
        {58, 108, {100, 200}, true, {4, 4, 50, 100}},
        {8, 100, {20, 20}, false, {4, 4, 0, 0}},
        {100, 5, {20, 20}, false, {4, 4, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitImage(0, 0, c.boxW, c.boxH, c.picture, c.centre), c.result)
            << c.boxW << "x" << c.boxH << " " << c.picture.width() << "x" << c.picture.height();
}

TEST(ControlOperations, ShowingAndFocus)
{
    QWidget window;
    auto* inner = new QWidget(&window);
    auto* edit = new QLineEdit(inner);
    EXPECT_FALSE(IsShowing(edit));
    window.show();
    EXPECT_TRUE(IsShowing(edit));
    inner->hide();
    EXPECT_FALSE(IsShowing(edit));
    EXPECT_FALSE(TryFocusControl(edit));
    inner->show();
    EXPECT_TRUE(TryFocusControl(edit));
    EXPECT_FALSE(IsShowing(nullptr));
}

}  // namespace
