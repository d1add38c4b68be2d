// The Qt message boxes and dialogs, driven offscreen.
#include "QtApplication.h"

#include "shell/ChangePassword.h"
#include "shell/QtCommonGui.h"
#include "support/RecordingHelp.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct TSeen {
    QString caption;
    QStringList buttons;
    QString defaultButton;
};

struct TBoxCase {
    const char* name;
    std::function<int(TQtCommonGui&)> call;
    int click;  // -1: the window's close control
    int answer;
    QStringList buttons;
    QString caption;
    QString defaultButton;
};

std::ostream& operator<<(std::ostream& out, const TBoxCase& c) { return out << c.name; }

class MessageBoxKinds : public ::testing::TestWithParam<TBoxCase> {};

TEST_P(MessageBoxKinds, GiveTheirFixedAnswers)
{
    const TBoxCase& c = GetParam();
    TQtCommonGui gui;
    auto seen = std::make_shared<TSeen>();
    OnNextModal([seen, &c](QWidget* w) {
        auto* box = qobject_cast<TfrmMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen->caption = box->windowTitle();
        for (QPushButton* b : box->AnswerButtons()) {
            seen->buttons << b->text();
            if (b->isDefault())
                seen->defaultButton = b->text();
        }
        if (c.click < 0)
            box->close();
        else
            box->AnswerButtons()[c.click]->click();
    });
    EXPECT_EQ(c.call(gui), c.answer);
    EXPECT_EQ(seen->buttons, c.buttons);
    EXPECT_EQ(seen->caption, c.caption);
    EXPECT_EQ(seen->defaultButton, c.defaultButton);
}

const QStringList kYesNoCancel{"Yes", "No", "Cancel"};
const QStringList kYesNo{"Yes", "No"};

const TBoxCase kBoxCases[] = {
    {"YesNoCancelClosed", [](TQtCommonGui& g) { return g.AskYesNoCancel("Save?", "", true, ""); }, -1, mrCancel,
     kYesNoCancel, "Question", "Yes"},
    {"YesNoClosed", [](TQtCommonGui& g) { return g.AskQuestion("Go?", "", true, "", 0); }, -1, mrNo, kYesNo,
     "Question", "Yes"},
    {"YesNoSecondDefault", [](TQtCommonGui& g) { return g.AskQuestion("Go?", "Title", true, "", 0x100); }, 0, mrYes,
     kYesNo, "Title", "No"},
    {"QuestionFlags3", [](TQtCommonGui& g) { return g.AskQuestion("Go?", "", true, "", 3); }, 1, mrNo, kYesNoCancel,
     "Question", "Yes"},
    {"QuestionThirdDefault", [](TQtCommonGui& g) { return g.AskQuestion("Go?", "", true, "", 0x203); }, 2, mrCancel,
     kYesNoCancel, "Question", "Cancel"},
    {"ErrorClosed", [](TQtCommonGui& g) { g.ShowError("Bad", true, ""); return 0; }, -1, 0, {"Ok"}, "Error", "Ok"},
    {"WarningSaysError", [](TQtCommonGui& g) { g.ShowWarning("Careful", true, ""); return 0; }, 0, 0, {"Ok"},
     "Error", "Ok"},
    {"Information", [](TQtCommonGui& g) { g.ShowInformation("Done", true, ""); return 0; }, 0, 0, {"Ok"},
     "Information", "Ok"},
    {"InputOkCancelClosed",
     [](TQtCommonGui& g) {
         std::string v = "x";
         return g.InputValue("Item Id", "Enter new item id", v, true, "") ? 1 : 0;
     },
     -1, 0, {"Ok", "Cancel"}, "Item Id", "Ok"},
};

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxKinds, ::testing::ValuesIn(kBoxCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtCommonGui, InputBoxShowsAnEmptyFieldAndReturnsTheTypedValue)
{
    TQtCommonGui gui;
    bool fieldShown = false;
    OnNextModal([&](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>("edtMessageBoxValue");
        fieldShown = edit && edit->isVisible() && edit->text().isEmpty() && w->focusWidget() == edit;
        QTest::keyClicks(edit, "42");
        static_cast<TfrmMessageBox*>(w)->AnswerButtons()[0]->click();
    });
    std::string value;
    EXPECT_TRUE(gui.InputValue("Item Id", "Enter new item id", value, true, ""));
    EXPECT_TRUE(fieldShown);
    EXPECT_EQ(value, "42");
}

TEST(QtCommonGui, CheckBoxStateComesBack)
{
    TQtCommonGui gui;
    OnNextModal([](QWidget* w) {
        w->findChild<QCheckBox*>("cbMessageBox")->setChecked(true);
        static_cast<TfrmMessageBox*>(w)->AnswerButtons()[0]->click();
    });
    bool checked = false;
    EXPECT_EQ(gui.AskQuestionWithCheckBox("Again?", "Don't ask", checked, "", true, ""), mrYes);
    EXPECT_TRUE(checked);
}

TEST(QtCommonGui, HelpButtonShowsHelpAndKeepsTheBoxOpen)
{
    TQtCommonGui gui;
    TRecordingHelp help;
    gui.SetHelp(&help);
    bool stillOpen = false;
    OnNextModal([&](QWidget* w) {
        auto* box = static_cast<TfrmMessageBox*>(w);
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
            box->grab().save(QString("%1/message-box.png").arg(dir));
        ASSERT_NE(box->HelpButton(), nullptr);
        box->HelpButton()->click();
        stillOpen = box->isVisible();
        box->close();
    });
    gui.ShowError("The catalog \"shop\" could not be opened: the database file is locked by another program.",
                  true, "frmLogin.Welcome");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(help.Last(), (std::vector<std::string>{"frmLogin.Welcome"}));
}

TEST(QtCommonGui, LongMessageWrapsWithinTwoThirdsOfTheScreen)
{
    TQtCommonGui gui;
    int width = 0, height = 0, screenWidth = 0, screenHeight = 0;
    OnNextModal([&](QWidget* w) {
        const QSize area = QApplication::primaryScreen()->availableSize();
        screenWidth = area.width();
        screenHeight = area.height();
        width = w->width();
        height = w->height();
        w->close();
    });
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "word ";
    gui.ShowInformation(text, false, "");
    EXPECT_LT(width, screenWidth * 2 / 3 + 100);
    EXPECT_LT(height, screenHeight * 2 / 3 + 150);
}

TEST(QtCommonGui, ChoiceAnswers)
{
    TQtCommonGui gui;
    OnNextModal([](QWidget* w) {
        w->findChildren<QRadioButton*>()[1]->setChecked(true);
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(gui.AskChoice("First", "Second", "Pick"), mrSecondChoice);
    OnNextModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(gui.AskChoice("First", "Second", "Pick"), mrCancel);
}

TEST(QtCommonGui, PasswordMustMatchAndDiffer)
{
    TQtCommonGui gui;
    // Mismatch: the error box shows and the dialog stays; then the user cancels.
    bool errorShown = false;
    OnNextModal([&](QWidget* w) {
        auto* dialog = static_cast<TfrmChangePassword*>(w);
        dialog->PasswordEdit()->setText("new");
        dialog->RetypeEdit()->setText("New");
        OnNextModal([&, dialog](QWidget* box) {
            errorShown = qobject_cast<TfrmMessageBox*>(box) != nullptr;
            box->close();
            QTimer::singleShot(0, dialog, [dialog] {
                EXPECT_TRUE(dialog->isVisible());
                dialog->reject();
            });
        });
        dialog->accept();
    });
    std::string password = "old";
    EXPECT_FALSE(gui.ChangePassword(password));
    EXPECT_TRUE(errorShown);
    EXPECT_EQ(password, "old");

    OnNextModal([](QWidget* w) {
        auto* dialog = static_cast<TfrmChangePassword*>(w);
        dialog->PasswordEdit()->setText("new");
        dialog->RetypeEdit()->setText("new");
        dialog->accept();
    });
    EXPECT_TRUE(gui.ChangePassword(password));
    EXPECT_EQ(password, "new");

    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });  // unchanged
    EXPECT_FALSE(gui.ChangePassword(password));
}

TEST(QtCommonGui, SelectItemTypeReturnsTypeAndIds)
{
    TQtCommonGui gui;
    OnNextModal([](QWidget* w) {
        auto* list = w->findChild<QListWidget*>();
        EXPECT_EQ(list->currentItem()->text(), "Product");
        list->setCurrentRow(0);
        auto radios = w->findChildren<QRadioButton*>();
        radios[1]->setChecked(true);
        auto edits = w->findChildren<QLineEdit*>();
        EXPECT_FALSE(edits[0]->isEnabled());
        edits[1]->setText("100");
        edits[2]->setText("x");
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    std::string type = "7";
    int first = -1, last = -1;
    EXPECT_TRUE(gui.SelectItemType({"Folder=2", "Product=7"}, type, first, last, true, true));
    EXPECT_EQ(type, "2");
    EXPECT_EQ(first, 100);
    EXPECT_EQ(last, 0);
}

TEST(QtCommonGui, FileFiltersInQtForm)
{
    EXPECT_EQ(TQtCommonGui::QtFilter("XML files (*.xml)|*.xml|All|*.*"), "XML files (*.xml);;All (*.*)");
    EXPECT_EQ(TQtCommonGui::QtFilter("Images|*.jpg;*.gif"), "Images (*.jpg *.gif)");
}

TEST(QtCommonGui, BusyCursorNestsAndUnwinds)
{
    {
        TQtCommonGui gui;
        TWaitCursor outer(gui);
        TWaitCursor inner(gui);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A catalog conversion runs on a thread of its own and copies definition
// items under a busy cursor: the cursor belongs to the window thread, so a
// wait begun elsewhere leaves it alone.
TEST(QtCommonGui, BusyCursorOfAnotherThreadLeavesTheWindowsAlone)
{
    TQtCommonGui gui;
    const QCursor* seen = reinterpret_cast<const QCursor*>(1);
    std::thread worker([&] {
        TWaitCursor wait(gui);
        seen = QApplication::overrideCursor();
    });
    worker.join();
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace

namespace {

TEST(QtCommonGui, ProgressStepsAnswerFalseOnceCancelled)
{
    TQtCommonGui gui;
    gui.ProgressStart("Copying", 10);
    EXPECT_TRUE(gui.ProgressStep(1, "one"));
    QProgressDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w))
            dialog = p;
    ASSERT_NE(dialog, nullptr);
    dialog->cancel();
    EXPECT_FALSE(gui.ProgressStep(2, "two"));
    gui.ProgressEnd();
    EXPECT_TRUE(gui.ProgressStep(3, ""));  // no progress running: nothing to stop
}

}  // namespace
