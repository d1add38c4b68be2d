// The runner window with a fake operation: the log and its colours, the
// counters and the progress bar, Cancel with its question during a run,
// the finished state, closing by itself, freeing only ended runs, the
// completion handlers and the continue dialog with its countdown.
#include "QtTestApplication.h"

#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmContinueProcess.h"
#include "publishing/ui/frmDetailProcess.h"
#include "storage/AbstractDBConnection.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"

#include <QApplication>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

// An operation whose run is a script over its runner.
class TFakeOperation : public TAbstractPublisher {
public:
    TFakeOperation(std::vector<std::string>& params, TAbstractDBConnection* connection, TPublisherRunner& runner)
        : params_(params), connection_(connection), runner_(runner)
    {
    }

    std::function<void(TFakeOperation&)> script;
    bool succeed = true;
    bool autoClose = false;
    bool hasPreview = false;
    bool showProgressBar = false;
    int previewAnswer = 0;
    bool cancelled = false;
    int previews = 0;

    TPublisherRunner& Runner() { return runner_; }
    TAbstractDBConnection* Connection() const { return connection_; }
    // Logs a line every few milliseconds until cancelled, at most Count lines.
    void LogUntilCancelled(int count)
    {
        for (int i = 0; i < count && !cancelled; ++i) {
            runner_.AppendLogLine("working " + std::to_string(i), 1);
            runner_.ProcessMessages();
            QTest::qSleep(5);
        }
    }

    void Execute() override {}
    void Run() override
    {
        runner_.AppendLogLine("Start publishing", 1);
        if (script)
            script(*this);
        success_ = succeed && !cancelled;
    }
    void Cancel() override
    {
        cancelled = true;
        runner_.AppendLogLine("Process cancelled by user", 1);
    }
    int Preview() override
    {
        ++previews;
        return previewAnswer;
    }
    bool HasPreview() const override { return hasPreview; }
    bool ShowProgressBar() const override { return showProgressBar; }
    bool Succeeded() const override { return success_; }
    std::string GetText(int kind) const override { return kind == 1 ? "Do you want to cancel publish process?" : ""; }
    std::vector<std::string>& GetParams() override { return params_; }
    bool AutoClose() const override { return autoClose; }
    std::istream* GetResponseStream() override { return nullptr; }
    std::istream* GetRequestStream() override { return nullptr; }

private:
    std::vector<std::string>& params_;
    TAbstractDBConnection* connection_;
    TPublisherRunner& runner_;
    bool success_ = false;
};

class RunnerWindowTest : public ::testing::Test {
protected:
    RunnerWindowTest() { EnsureQtApplication(); }

    // A window with a fake operation set up by Setup; the window frees itself (modeless).
    TfrmDetailProcess* MakeWindow(const std::function<void(TFakeOperation&)>& setup,
                                  TAbstractDBConnection* connection = nullptr)
    {
        TfrmDetailProcess::TEnvironment environment;
        environment.Gui = &gui;
        environment.OpenSecondConnection = opener;
        auto* window = new TfrmDetailProcess(environment);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->CreatePublisher(
            {"Path=/tmp/site"},
            [&](std::vector<std::string>& params, TAbstractDBConnection* c, TPublisherRunner& runner) {
                auto op = std::make_unique<TFakeOperation>(params, c, runner);
                setup(*op);
                operation = op.get();
                return op;
            },
            connection);
        return window;
    }

    static void WaitUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 400 && !done(); ++i)
            QTest::qWait(10);
    }

    static std::vector<std::pair<QString, bool>> LogLines(TfrmDetailProcess& window)
    {
        std::vector<std::pair<QString, bool>> lines;
        for (QTextBlock block = window.LogView()->document()->begin(); block.isValid(); block = block.next()) {
            const QColor colour = block.begin().fragment().charFormat().foreground().color();
            lines.emplace_back(block.text(), colour == QColor(Qt::red));
        }
        return lines;
    }

    TScriptedGui gui;
    std::function<std::unique_ptr<TAbstractDBConnection>()> opener;
    TFakeOperation* operation = nullptr;
};

TEST_F(RunnerWindowTest, ShowsTheRunAndEndsWithClose)
{
    QPointer<TfrmDetailProcess> window = MakeWindow([](TFakeOperation& op) {
        op.showProgressBar = true;
        op.hasPreview = true;
        op.script = [](TFakeOperation& o) {
            o.Runner().SetProgressMax(4);
            o.Runner().StepProgress();
            o.Runner().StepProgress();
            o.Runner().ShowTransferCounts(1234, 98765);
            o.Runner().AppendLogLine("Cannot upload file", 3);
            o.Runner().AppendLogLine("No update address", 4);
            o.Runner().AppendLogLine("Done", 2);
        };
    });
    window->ShowTransferPanel();
    window->StartProcess();
    EXPECT_EQ(window->CancelButton()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(window->ElapsedText(), QStringLiteral("00:00:00"));
    WaitUntil([&] { return window->IsFinished(); });
    ASSERT_TRUE(window->IsFinished());
    SaveWidgetPicture(*window, QStringLiteral("runner-finished"));

    const std::vector<std::pair<QString, bool>> expected = {
        {"Start publishing", false}, {"Cannot upload file", true}, {"No update address", true}, {"Done", false}};
    EXPECT_EQ(LogLines(*window), expected);
    EXPECT_TRUE(window->ProgressPanel()->isVisible());
    EXPECT_EQ(window->ProgressBar()->maximum(), 4);
    EXPECT_EQ(window->ProgressBar()->value(), 2);
    EXPECT_EQ(window->SentText(), QStringLiteral("1234"));
    EXPECT_EQ(window->ReceivedText(), QStringLiteral("98765"));
    EXPECT_EQ(window->CancelButton()->text(), QStringLiteral("Close"));
    EXPECT_TRUE(window->PreviewPanel()->isVisible());
    EXPECT_TRUE(gui.Shown().empty());

    // Close frees the finished window.
    window->CancelButton()->click();
    WaitUntil([&] { return window.isNull(); });
    EXPECT_TRUE(window.isNull());
}

TEST_F(RunnerWindowTest, CancelAsksAndOnlyYesCancels)
{
    struct TCase {
        int answer;
        bool cancels;
    };
    for (const TCase c : {TCase{mrNo, false}, TCase{mrCancel, false}, TCase{mrYes, true}}) {
        SCOPED_TRACE(c.answer);
        gui.Clear();
        gui.QueueAnswer(c.answer);
        QString captionDuringRun;
        QPointer<TfrmDetailProcess> window = MakeWindow([&](TFakeOperation& op) {
            op.script = [&](TFakeOperation& o) {
                o.LogUntilCancelled(40);
                captionDuringRun = window->CancelButton()->text();
                o.LogUntilCancelled(c.cancels ? 400 : 0);
            };
        });
        window->StartProcess();
        QTimer::singleShot(50, window, [&] { window->CancelButton()->click(); });
        WaitUntil([&] { return window->IsFinished(); });
        ASSERT_TRUE(window->IsFinished());
        EXPECT_EQ(gui.Messages("question"), std::vector<std::string>{"Do you want to cancel publish process?"});
        EXPECT_EQ(operation->cancelled, c.cancels);
        EXPECT_EQ(captionDuringRun, c.cancels ? QStringLiteral("Close") : QStringLiteral("Cancel"));
        delete window.data();
    }
}

TEST_F(RunnerWindowTest, AutoCloseClosesOnlyASuccessfulRun)
{
    // Modeless: freed by itself after success; left open with Close after a failure.
    QPointer<TfrmDetailProcess> succeeded = MakeWindow([](TFakeOperation& op) { op.autoClose = true; });
    succeeded->StartProcess();
    WaitUntil([&] { return succeeded.isNull(); });
    EXPECT_TRUE(succeeded.isNull());

    QPointer<TfrmDetailProcess> failed = MakeWindow([](TFakeOperation& op) {
        op.autoClose = true;
        op.succeed = false;
    });
    failed->StartProcess();
    WaitUntil([&] { return failed->IsFinished(); });
    QTest::qWait(50);
    ASSERT_FALSE(failed.isNull());
    EXPECT_TRUE(failed->isVisible());
    EXPECT_EQ(failed->CancelButton()->text(), QStringLiteral("Close"));
    delete failed.data();

    // Modal: the caller gets OK.
    std::unique_ptr<TfrmDetailProcess> modal(MakeWindow([](TFakeOperation& op) { op.autoClose = true; }));
    EXPECT_TRUE(modal->ExecuteModal());
    // Without AutoClose, closing the finished window by the title bar gives OK too.
    std::unique_ptr<TfrmDetailProcess> closed(MakeWindow([](TFakeOperation&) {}));
    QTimer::singleShot(0, closed.get(), [&] {
        WaitUntil([&] { return closed->IsFinished(); });
        closed->close();
    });
    EXPECT_TRUE(closed->ExecuteModal());
}

TEST_F(RunnerWindowTest, AModalRunThatFailsReturnsCancelWhenClosed)
{
    std::unique_ptr<TfrmDetailProcess> modal(MakeWindow([](TFakeOperation& op) { op.succeed = false; }));
    QTimer::singleShot(0, modal.get(), [&] {
        WaitUntil([&] { return modal->IsFinished(); });
        modal->CancelButton()->click();
    });
    EXPECT_FALSE(modal->ExecuteModal());
}

TEST_F(RunnerWindowTest, AHiddenRunFreesItselfWhateverTheOutcome)
{
    for (const bool succeed : {true, false}) {
        QPointer<TfrmDetailProcess> window = MakeWindow([&](TFakeOperation& op) { op.succeed = succeed; });
        window->PostStart();
        WaitUntil([&] { return window.isNull(); });
        EXPECT_TRUE(window.isNull()) << succeed;
    }
}

TEST_F(RunnerWindowTest, ARunningWindowIsNotFreed)
{
    bool stillThere = false;
    QPointer<TfrmDetailProcess> idle = MakeWindow([](TFakeOperation&) {});
    QPointer<TfrmDetailProcess> window = MakeWindow([&](TFakeOperation& op) {
        op.script = [&](TFakeOperation& o) {
            TfrmDetailProcess::FreeProcessWindows();
            o.LogUntilCancelled(5);
            stillThere = !window.isNull();
        };
    });
    window->StartProcess();
    WaitUntil([&] { return window->IsFinished(); });
    EXPECT_TRUE(stillThere);
    // A window whose run has not started is kept too.
    EXPECT_FALSE(idle.isNull());
    delete idle.data();
    delete window.data();
}

TEST_F(RunnerWindowTest, ClosingDuringTheRunAsksAndHidesTheWindow)
{
    gui.QueueAnswer(mrNo);
    gui.QueueAnswer(mrYes);
    QPointer<TfrmDetailProcess> window = MakeWindow([&](TFakeOperation& op) {
        op.script = [&](TFakeOperation& o) {
            o.LogUntilCancelled(20);
            EXPECT_FALSE(window->close());  // No: stays open
            EXPECT_TRUE(window->isVisible());
            EXPECT_TRUE(window->close());  // Yes: cancelled and hidden
            o.LogUntilCancelled(400);
        };
    });
    window->StartProcess();
    // The run ends invisible, so the window frees itself.
    WaitUntil([&] { return window.isNull(); });
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(gui.Messages("question").size(), 2u);
}

TEST_F(RunnerWindowTest, ARaisingRunEndsFinishedAndShowsTheError)
{
    QPointer<TfrmDetailProcess> window = MakeWindow([](TFakeOperation& op) {
        op.hasPreview = true;
        op.script = [](TFakeOperation&) { throw std::runtime_error("Disk full"); };
    });
    window->StartProcess();
    WaitUntil([&] { return window->IsFinished(); });
    QTest::qWait(20);
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->CancelButton()->text(), QStringLiteral("Close"));
    EXPECT_FALSE(window->PreviewPanel()->isVisible());
    EXPECT_EQ(gui.Messages("error"), std::vector<std::string>{"Disk full"});
    delete window.data();
}

TEST_F(RunnerWindowTest, PreviewThatAnswersOneClosesTheWindow)
{
    QPointer<TfrmDetailProcess> window = MakeWindow([](TFakeOperation& op) {
        op.hasPreview = true;
        op.previewAnswer = 1;
    });
    window->StartProcess();
    WaitUntil([&] { return window->IsFinished(); });
    window->PreviewButton()->click();
    EXPECT_EQ(operation->previews, 1);
    WaitUntil([&] { return window.isNull(); });
    EXPECT_TRUE(window.isNull());
}

TEST_F(RunnerWindowTest, OwnsAConnectionAndReportsTheEndWhenFreed)
{
    TCatalogFixture db;
    std::vector<std::string> order;
    opener = [&] { return db.OpenSecondConnection(); };
    for (const bool succeed : {true, false}) {
        order.clear();
        TfrmDetailProcess* window = MakeWindow([&](TFakeOperation& op) { op.succeed = succeed; });
        EXPECT_NE(operation->Connection(), nullptr);
        window->SetOnSuccess([&](std::vector<std::string>& params) {
            order.push_back("success " + params.at(0));
        });
        window->SetOnFailure([&](std::vector<std::string>& params) { order.push_back("failure " + params.at(0)); });
        window->StartProcess();
        WaitUntil([&] { return window->IsFinished(); });
        delete window;
        EXPECT_EQ(order, std::vector<std::string>{(succeed ? "success " : "failure ") + std::string("Path=/tmp/site")});
    }
}

TEST_F(RunnerWindowTest, ContinueDialogCountsDownAndRetriesByItself)
{
    {
        TfrmContinueProcess dialog("Cannot upload file \"a.html\"", nullptr, nullptr, 20);
        EXPECT_EQ(dialog.CountdownText(), QStringLiteral("Operation will continue in 10 seconds"));
        SaveWidgetPicture(dialog, QStringLiteral("continue-dialog"));
        // The window manager's close request is refused until a button is pressed.
        QTimer::singleShot(0, &dialog, [&] { EXPECT_FALSE(dialog.close()); });
        const TContinueResult result = dialog.Ask();
        EXPECT_EQ(result.Answer, caRetry);
        EXPECT_TRUE(result.Automatic);
    }
    for (const int answer : {caRetry, caIgnore, caCancel}) {
        TfrmContinueProcess dialog("error", nullptr);
        QTimer::singleShot(0, &dialog, [&] {
            QPushButton* button = answer == caRetry    ? dialog.RetryButton()
                                  : answer == caIgnore ? dialog.IgnoreButton()
                                                       : dialog.CancelButton();
            button->click();
        });
        const TContinueResult result = dialog.Ask();
        EXPECT_EQ(result.Answer, answer);
        EXPECT_FALSE(result.Automatic);
    }
}

TEST_F(RunnerWindowTest, TheOperationAsksTheContinueDialogOverTheWindow)
{
    TContinueResult result;
    QPointer<TfrmDetailProcess> window = MakeWindow([&](TFakeOperation& op) {
        op.script = [&](TFakeOperation& o) {
            QTimer::singleShot(0, [] {
                auto* dialog = qobject_cast<TfrmContinueProcess*>(QApplication::activeModalWidget());
                if (dialog)
                    dialog->IgnoreButton()->click();
            });
            result = o.Runner().AskContinue("Cannot connect");
        };
    });
    window->StartProcess();
    WaitUntil([&] { return window->IsFinished(); });
    EXPECT_EQ(result.Answer, caIgnore);
    delete window.data();
}

}  // namespace
