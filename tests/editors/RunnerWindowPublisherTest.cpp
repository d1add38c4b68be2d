// The runner window with a real long operation (a TTolvexPublisher): its
// standard lines reach the log, a failing step asks the continue dialog
// over the window, and Cancel stops the run at its next check.
#include "QtTestApplication.h"

#include "publishing/TolvexPublisher.h"
#include "publishing/ui/frmContinueProcess.h"
#include "publishing/ui/frmDetailProcess.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TStepsOperation : public TTolvexPublisher {
public:
    TStepsOperation(std::vector<std::string>& params, TAbstractDBConnection& connection,
                    const TPublisherEnvironment& environment, std::function<void(TStepsOperation&)> steps)
        : TTolvexPublisher(params, connection, environment), steps_(std::move(steps))
    {
    }
    void Execute() override
    {
        steps_(*this);
        success_ = !IsCancelled();
    }

private:
    std::function<void(TStepsOperation&)> steps_;
};

class RunnerWindowPublisherTest : public ::testing::Test {
protected:
    RunnerWindowPublisherTest() { EnsureQtApplication(); }

    QPointer<TfrmDetailProcess> Start(std::function<void(TStepsOperation&)> steps)
    {
        TfrmDetailProcess::TEnvironment environment;
        environment.Gui = &gui;
        auto* window = new TfrmDetailProcess(environment);
        window->CreatePublisher(
            {}, [&](std::vector<std::string>& params, TAbstractDBConnection*, TPublisherRunner& runner) {
                return std::make_unique<TStepsOperation>(params, db.Connection(),
                                                         TPublisherEnvironment{gui, nullptr, &runner}, steps);
            });
        window->StartProcess();
        return window;
    }

    static void WaitUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 500 && !done(); ++i)
            QTest::qWait(10);
    }

    TCatalogFixture db;
    TScriptedGui gui;
};

TEST_F(RunnerWindowPublisherTest, AFailingStepIsRetriedThroughTheContinueDialog)
{
    int attempts = 0;
    QPointer<TfrmDetailProcess> window = Start([&](TStepsOperation& op) {
        // The user presses Retry in the dialog that opens over the window.
        QTimer::singleShot(50, [] {
            if (auto* dialog = qobject_cast<TfrmContinueProcess*>(QApplication::activeModalWidget()))
                dialog->RetryButton()->click();
        });
        EXPECT_TRUE(op.RunRetryableStep([&] { return ++attempts == 2; }, "Cannot upload file \"a.html\""));
        op.WriteLog("Uploaded a.html");
    });
    WaitUntil([&] { return window->IsFinished(); });
    ASSERT_TRUE(window->IsFinished());
    EXPECT_EQ(attempts, 2);
    const QString log = window->LogView()->toPlainText();
    EXPECT_TRUE(log.startsWith("Start publishing")) << log.toStdString();
    EXPECT_TRUE(log.contains("Uploaded a.html")) << log.toStdString();
    EXPECT_TRUE(log.endsWith("Successfully published.")) << log.toStdString();
    delete window.data();
}

TEST_F(RunnerWindowPublisherTest, CancelStopsTheRunAtItsNextCheck)
{
    gui.QueueAnswer(mrYes);
    int lines = 0;
    QPointer<TfrmDetailProcess> window = Start([&](TStepsOperation& op) {
        QTimer::singleShot(100, [&] { window->CancelButton()->click(); });
        // Bounded: a run that never sees the cancel ends after a few seconds.
        for (; lines < 2000 && !op.IsCancelled(); ++lines) {
            op.WriteLog("page " + std::to_string(lines));
            QTest::qSleep(2);
        }
    });
    WaitUntil([&] { return window->IsFinished(); });
    ASSERT_TRUE(window->IsFinished());
    EXPECT_LT(lines, 2000);
    const QString log = window->LogView()->toPlainText();
    EXPECT_TRUE(log.contains("Process cancelled by user")) << log.toStdString();
    EXPECT_TRUE(log.endsWith("Operation was canceled by user.")) << log.toStdString();
    EXPECT_TRUE(gui.Messages("error").empty());
    delete window.data();
}

}  // namespace
