// The progress window and the folder picker, offscreen.
#include "QtApplication.h"

#include "shell/ProgressDialog.h"
#include "shell/SelectDirectory.h"
#include "shell/TolvexProgress.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

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

TEST(FolderPicker, ASystemFolderIsRefusedAndNotShownAgain)
{
    TScriptedGui gui;
    TTempFolder home;
    TfrmSelectDirectory picker(home.Path(), "", gui, {});
    picker.PathEdit()->setText("/proc");
    ASSERT_TRUE(picker.OkButton()->isEnabled());
    picker.show();
    picker.OkButton()->click();
    EXPECT_TRUE(picker.isVisible());
    ASSERT_EQ(gui.Messages("error").size(), 1u);
    EXPECT_NE(gui.Messages("error").front().find("\"/proc\" is a folder of the system"), std::string::npos);
    picker.PathEdit()->setText(QString::fromStdString(home.Path()));
    picker.OkButton()->click();
    EXPECT_EQ(picker.result(), QDialog::Accepted);

    // A remembered system folder opens the picker on the home folder.
    TfrmSelectDirectory again("/proc", "", gui, {});
    EXPECT_EQ(again.CurrentFolder(), QDir::homePath().toStdString());
}

// The names of the files in Folder that were opened while Act ran and the
// events of the next second were handled.
std::set<std::string> FilesOpenedDuring(const std::string& folder, const std::function<void()>& act)
{
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(watch, 0);
    inotify_add_watch(watch, folder.c_str(), IN_OPEN | IN_ACCESS);
    act();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::set<std::string> opened;
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;)
        for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            if (const auto* event = reinterpret_cast<inotify_event*>(p); event->len > 0)
                opened.insert(event->name);
    close(watch);
    return opened;
}

// A file of a virtual file system (a kernel log, say) may block whoever
// reads it: the picker lists folders by their entries alone, never reading
// a file to find its type or icon.
TEST(FolderPicker, NeverReadsTheFilesOfTheFoldersItShows)
{
    TScriptedGui gui;
    TTempFolder home;
    std::filesystem::create_directory(home.File("site"));
    std::ofstream(home.File("kmsg")) << "<6>some kernel line\n";
    const std::set<std::string> opened = FilesOpenedDuring(home.Path(), [&] {
        TfrmSelectDirectory picker(home.Path(), "", gui, {});
        picker.show();
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        picker.PathEdit()->setText(QString::fromStdString(home.File("site")));
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    });
    EXPECT_EQ(opened.count("kmsg"), 0u);
}

}  // namespace
