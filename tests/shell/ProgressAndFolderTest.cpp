// The progress window and the folder picker, offscreen.
#include "QtApplication.h"

#include "shell/ProgressDialog.h"
#include "shell/SelectDirectory.h"
#include "shell/TolvexProgress.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Counts to Steps; cancels itself at CancelAt (through the window's button).
class TCountingJob : public TTolvexProgress {
public:
    TCountingJob(int steps, int cancelAt, bool answer) : steps_(steps), cancelAt_(cancelAt), answer_(answer) {}
    bool Run() override
    {
        progressBar_->setRange(0, steps_);
        for (int i = 1; i <= steps_; ++i) {
            stepLabel_->setText("Checking Image:");
            itemLabel_->setText(QString("image %1").arg(i));
            progressBar_->setValue(i);
            if (i == cancelAt_)
                cancelButton->click();
            QCoreApplication::processEvents();
            if (IsCancelled())
                return false;
            done = i;
        }
        return answer_;
    }
    void GetCaption(std::string& caption) override { caption = "Deleting unused images"; }
    QPushButton* cancelButton = nullptr;
    int done = 0;

private:
    int steps_;
    int cancelAt_;
    bool answer_;
};

struct TJobCase {
    const char* name;
    int cancelAt;
    bool answer;
    int result;
    int done;
};

TEST(ProgressWindow, ClosesWithTheJobsOutcome)
{
    const TJobCase cases[] = {
        {"Succeeds", 0, true, QDialog::Accepted, 5},
        {"Cancelled", 3, true, QDialog::Rejected, 2},
        {"FailsWithoutCancel", 0, false, QDialog::Rejected, 5},
    };
    for (const TJobCase& c : cases) {
        TCountingJob job(5, c.cancelAt, c.answer);
        TfrmProgress window;
        job.cancelButton = window.CancelButton();
        window.SetJob(&job, "shop", nullptr);
        EXPECT_EQ(window.windowTitle(), "Deleting unused images");
        EXPECT_EQ(window.exec(), c.result) << c.name;
        EXPECT_EQ(job.done, c.done) << c.name;
        EXPECT_TRUE(job.IsCancelled() == (c.cancelAt != 0)) << c.name;
    }
}

TEST(ProgressWindow, WithoutAJobItClosesWithCancel)
{
    TfrmProgress window;
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    TTolvexProgress base;
    EXPECT_FALSE(base.Run());
    std::string caption = "x";
    base.GetCaption(caption);
    EXPECT_EQ(caption, "");
}

TEST(FolderPicker, StartsOnAnExistingFolderAndCreatesATypedOne)
{
    TScriptedGui gui;
    TTempFolder home;
    TfrmSelectDirectory picker(home.Path(), "", gui, {});
    EXPECT_EQ(picker.CurrentFolder(), home.Path());
    EXPECT_EQ(picker.PathEdit()->text().toStdString(), home.Path());
    EXPECT_TRUE(picker.OkButton()->isEnabled());
    EXPECT_FALSE(picker.CreateButton()->isEnabled());
    EXPECT_EQ(picker.HelpButton(), nullptr);

    const std::string target = home.File("a/b/c");
    picker.PathEdit()->setText(QString::fromStdString(target));
    EXPECT_FALSE(picker.OkButton()->isEnabled());
    EXPECT_TRUE(picker.CreateButton()->isEnabled());
    picker.CreateFolder();
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(picker.OkButton()->isEnabled());
    EXPECT_EQ(picker.CurrentFolder(), target);
}

TEST(FolderPicker, MissingStartFolderAndFailedCreation)
{
    TScriptedGui gui;
    TTempFolder home;
    TRecordingHelp help;
    TfrmSelectDirectory picker(home.File("missing"), "SettingsDatabasePath", gui, &help);
    EXPECT_NE(picker.CurrentFolder(), home.File("missing"));  // the default folder
    ASSERT_NE(picker.HelpButton(), nullptr);
    picker.HelpButton()->click();
    EXPECT_EQ(help.Last(), (std::vector<std::string>{"SettingsDatabasePath"}));

    std::ofstream(home.File("file")) << "x";
    picker.PathEdit()->setText(QString::fromStdString(home.File("file/sub")));
    picker.CreateFolder();
    EXPECT_EQ(gui.Messages("error"),
              (std::vector<std::string>{"Cannot create directory \"" + home.File("file/sub") + "\""}));
}

TEST(FolderPicker, DialogAnswersTheFolderOnOkAndNothingOnCancel)
{
    TScriptedGui gui;
    TTempFolder home;
    OnNextModal([](QWidget* w) { static_cast<TfrmSelectDirectory*>(w)->OkButton()->click(); });
    EXPECT_EQ(SelectDirectoryDialog(home.Path(), "", gui), home.Path());
    OnNextModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(SelectDirectoryDialog(home.Path(), "", gui), "");
}

}  // namespace
