// The long-operation base: end lines by outcome, the error box, the
// data-changed notice, cancelling, the retry protocol with its bounded
// automatic retries, the family wordings, the log file and the HTTP client's
// settings.
#include "PublishSiteFixture.h"
#include "ScriptedRunner.h"

#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "publishing/ContinueCountdown.h"
#include "publishing/HttpClient.h"
#include "publishing/TolvexConvert.h"
#include "publishing/TolvexExport.h"
#include "publishing/TolvexImport.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// An operation whose Execute is given by the test.
template <class TBase = TTolvexPublisher>
class TTestOperation : public TBase {
public:
    using TBase::TBase;
    std::function<void(TTestOperation&)> body;
    void Execute() override
    {
        if (body)
            body(*this);
    }
    // The protected state, for the bodies.
    void SetSuccess(bool value) { this->success_ = value; }
    void AddErrors(int count) { this->errorCount_ += count; }
    void SetChanged(int kind, int itemId, bool onlyOnSuccess)
    {
        this->changedKind_ = kind;
        this->changedItemId_ = itemId;
        this->notifyOnlyOnSuccess_ = onlyOnSuccess;
    }
    void SetLogSuccessText(bool value) { this->logSuccessText_ = value; }
    void LogToFile(const std::string& fileName)
    {
        this->fileLogging_ = true;
        this->logFileName_ = fileName;
    }
    void MakeHttpClient() { this->CreateHttpClient(); }
    void AskReopen() { this->reopenCatalog_ = true; }
    void Select(const std::string& lang) { this->SelectLanguages(lang); }
    void Respond(const std::string& body) { *this->responseStream_ << body; }
    void LogServer(int kind)
    {
        if (kind == 0)
            this->LogServerMessage();
        else if (kind == 1)
            this->LogServerWarning();
        else
            this->LogServerError();
    }
};

class TolvexPublisherTest : public testing::Test {
protected:
    TCatalogFixture db;
    TScriptedGui gui;
    TScriptedRunner runner;
    std::vector<std::string> params;

    TPublisherEnvironment Environment() { return {gui, nullptr, &runner, nullptr, nullptr}; }
    template <class TBase = TTolvexPublisher>
    TTestOperation<TBase> Make()
    {
        return TTestOperation<TBase>(params, db.Connection(), Environment());
    }
};

struct TEndCase {
    const char* name;
    bool success;
    int errors;
    bool cancel;
    bool logSuccessText;
    const char* lastLine;  // nullptr: no end line after the start line
    bool errorBox;
};

class PublisherEndLine : public TolvexPublisherTest, public testing::WithParamInterface<TEndCase> {};

TEST_P(PublisherEndLine, EndsWithTheLineOfItsOutcome)
{
    const TEndCase& c = GetParam();
    TTestOperation<> operation(params, db.Connection(), Environment());
    operation.body = [&](TTestOperation<>& op) {
        op.SetSuccess(c.success);
        op.AddErrors(c.errors);
        op.SetLogSuccessText(c.logSuccessText);
        if (c.cancel)
            op.Cancel();
    };
    operation.Run();
    ASSERT_FALSE(runner.lines.empty());
    EXPECT_EQ(runner.lines.front().Text, "Start publishing");
    if (c.lastLine) {
        EXPECT_EQ(runner.Last(), c.lastLine);
    } else {
        EXPECT_EQ(runner.lines.size(), 1u) << runner.Last();
    }
    EXPECT_EQ(gui.Messages("error").size(), c.errorBox ? 1u : 0u);
    if (c.errorBox) {
        EXPECT_EQ(gui.Messages("error").front(), "Errors occurred during the publish operation. Please check the log");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PublisherEndLine,
    testing::Values(TEndCase{"Clean", true, 0, false, true, "Successfully published.", false},
                    TEndCase{"CleanWithoutSuccessText", true, 0, false, false, nullptr, false},
                    TEndCase{"NoSuccessNoErrors", false, 0, false, true, "Errors occurred during the publish operation", true},
                    TEndCase{"ThreeErrors", true, 3, false, true, "Published and 3 error(s) occur", true},
                    TEndCase{"CancelledWithErrors", false, 2, true, true, "Operation was canceled by user.", false}),
    [](const testing::TestParamInfo<TEndCase>& info) { return std::string(info.param.name); });

TEST_F(TolvexPublisherTest, CancelWritesItsLineAndSetsTheLogsFlag)
{
    auto operation = Make();
    operation.Cancel();
    EXPECT_TRUE(operation.IsCancelled());
    EXPECT_TRUE(operation.GetLog().IsCancelled());
    EXPECT_EQ(runner.Last(), "Process cancelled by user");
}

TEST_F(TolvexPublisherTest, AnExceptionOfExecuteLeavesRunWithoutEndLineOrNotice)
{
    auto operation = Make();
    operation.body = [](auto& op) {
        op.SetChanged(3, 7, false);
        throw ECriticalTolvexException("disk full");
    };
    EXPECT_THROW(operation.Run(), ECriticalTolvexException);
    // The failure is the log's last line, in red.
    EXPECT_EQ(runner.Texts(), (std::vector<std::string>{"Start publishing", "disk full"}));
    EXPECT_EQ(runner.lines.back().Level, 3);
    EXPECT_TRUE(runner.dataChanged.empty());
}

TEST_F(TolvexPublisherTest, DataChangedNoticeFollowsNotifyOnlyOnSuccess)
{
    struct TCase { bool success; bool onlyOnSuccess; bool posted; };
    for (const TCase c : {TCase{false, false, true}, TCase{false, true, false}, TCase{true, true, true}}) {
        TScriptedRunner localRunner;
        TTestOperation<> operation(params, db.Connection(), {gui, nullptr, &localRunner, nullptr, nullptr});
        operation.body = [&](auto& op) {
            op.SetChanged(3, 42, c.onlyOnSuccess);
            op.SetSuccess(c.success);
        };
        operation.Run();
        EXPECT_EQ(localRunner.dataChanged.size(), c.posted ? 1u : 0u)
            << "success " << c.success << ", only on success " << c.onlyOnSuccess;
        if (c.posted) {
            EXPECT_EQ(localRunner.dataChanged.front(), std::make_pair(42, 3));
        }
    }
}

TEST_F(TolvexPublisherTest, FamiliesWordTheirTexts)
{
    auto import = Make<TTolvexImport>();
    auto exporter = Make<TTolvexExport>();
    auto convert = Make<TTolvexConvert>();
    auto publish = Make<>();
    EXPECT_EQ(publish.GetText(1), "Do you want to cancel publish process?");
    EXPECT_EQ(import.GetText(1), "Do you want to cancel import process?");
    EXPECT_EQ(import.GetText(3), "Successfully imported.");
    EXPECT_EQ(exporter.GetText(2), "Start export");
    EXPECT_EQ(exporter.GetText(5), "Exported and $1 error(s) occur");
    EXPECT_EQ(convert.GetText(7), "Errors occurred during the convertation operation");
    EXPECT_EQ(convert.GetText(2), "Start convertation");
    // Kinds 4 and 6 are the base's for every family; unknown kinds are empty.
    EXPECT_EQ(import.GetText(4), "Operation was canceled by user.");
    EXPECT_EQ(exporter.GetText(6), "Process cancelled by user");
    EXPECT_EQ(convert.GetText(8), "");
    EXPECT_EQ(publish.GetText(0), "");
}

TEST_F(TolvexPublisherTest, ExportFailureEndsWithTheExportWording)
{
    auto operation = Make<TTolvexExport>();
    operation.body = [](auto& op) { op.AddErrors(2); };
    operation.Run();
    EXPECT_EQ(runner.lines.front().Text, "Start export");
    EXPECT_EQ(runner.Last(), "Exported and 2 error(s) occur");
}

// ---- retry protocol ---------------------------------------------------------------------------

TEST_F(TolvexPublisherTest, RetryRepeatsIgnoreSkipsCancelStops)
{
    struct TCase { std::vector<int> answers; int attempts; bool result; bool cancelled; };
    const TCase cases[] = {
        {{caRetry, caRetry}, 3, true, false},  // fails twice, retried, third attempt succeeds
        {{caIgnore}, 1, true, false},           // skipped: goes on as if it had succeeded
        {{caCancel}, 1, false, true},
    };
    for (const TCase& c : cases) {
        TScriptedRunner localRunner;
        localRunner.answers.assign(c.answers.begin(), c.answers.end());
        TTestOperation<> operation(params, db.Connection(), {gui, nullptr, &localRunner, nullptr, nullptr});
        int attempts = 0;
        const bool result = operation.RunRetryableStep(
            [&] {
                ++attempts;
                if (attempts <= static_cast<int>(c.answers.size()))
                    throw EPublisherTolvexException("upload failed");
                return true;
            },
            "failed");
        EXPECT_EQ(attempts, c.attempts);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(operation.IsCancelled(), c.cancelled);
        EXPECT_EQ(localRunner.questions.front(), "upload failed");
        EXPECT_EQ(operation.GetLastAnswer(), c.answers.back());
    }
}

TEST_F(TolvexPublisherTest, AStepThatAnswersFalseAsksWithItsFailureText)
{
    runner.answers = {caIgnore};
    auto operation = Make();
    EXPECT_TRUE(operation.RunRetryableStep([] { return false; }, "The file was not sent"));
    EXPECT_EQ(runner.questions, std::vector<std::string>{"The file was not sent"});
}

TEST_F(TolvexPublisherTest, UnansweredRetriesAreBoundedAndStopTheRun)
{
    // Nobody answers: every dialog presses Retry by itself.
    auto operation = Make();
    int attempts = 0;
    const bool result = operation.RunRetryableStep(
        [&] {
            ++attempts;
            return false;
        },
        "no connection");
    EXPECT_FALSE(result);
    EXPECT_TRUE(operation.IsCancelled());
    EXPECT_EQ(attempts, TTolvexPublisher::kMaxAutomaticRetries + 1);
    EXPECT_EQ(runner.lines.back().Level, 3);
    EXPECT_NE(runner.Last().find("no connection"), std::string::npos);
}

TEST_F(TolvexPublisherTest, AfterACancelAnswerNoFurtherDialogIsShown)
{
    runner.answers = {caCancel};
    auto operation = Make();
    EXPECT_FALSE(operation.RunRetryableStep([] { return false; }, "first"));
    EXPECT_FALSE(operation.RunRetryableStep([] { return false; }, "second"));
    bool skip = false;
    operation.AskContinueOnError("third", skip);
    EXPECT_EQ(runner.questions, std::vector<std::string>{"first"});
    EXPECT_FALSE(skip);
}

TEST_F(TolvexPublisherTest, WithoutARunnerAFailedStepIsCancelled)
{
    TTestOperation<> operation(params, db.Connection(), {gui, nullptr, nullptr, nullptr, nullptr});
    EXPECT_FALSE(operation.RunRetryableStep([] { return false; }, "failed"));
    EXPECT_TRUE(operation.IsCancelled());
}

TEST(ContinueCountdown, ReadsTenAtFirstAndPressesRetryAfterTenSteps)
{
    TContinueCountdown countdown;
    EXPECT_EQ(countdown.SecondsLeft(), 10);
    EXPECT_FALSE(countdown.CanClose());
    int steps = 0;
    bool pressed = false;
    while (!pressed && steps < 20) {
        pressed = countdown.Step();
        ++steps;
    }
    EXPECT_TRUE(pressed);
    EXPECT_EQ(steps, 10);
    EXPECT_FALSE(countdown.Running());
    EXPECT_FALSE(countdown.Step()) << "the timer stopped";
    countdown.Answer();
    EXPECT_TRUE(countdown.CanClose());
}

// ---- log file, parameters, HTTP settings ------------------------------------------------------------

TEST_F(TolvexPublisherTest, LogFileHoldsTheCollectedLinesOnlyWithFileLogging)
{
    TTempFolder folder;
    auto operation = Make();
    operation.AddLogFileLine("not collected");
    operation.SaveLogFile();
    operation.LogToFile(folder.File("publish.info"));
    operation.AddLogFileLine("/site/bin/7.pdf");
    operation.AddLogFileLine("/site/bin/8.zip");
    operation.SaveLogFile();
    EXPECT_EQ(TTempFolder::Read(folder.File("publish.info")), "/site/bin/7.pdf\r\n/site/bin/8.zip\r\n");
}

TEST_F(TolvexPublisherTest, HttpClientTakesProxyAndAddressFromTheSettings)
{
    TTempFolder folder;
    TIniSettings settings(folder.File("tolvex.ini"));
    settings.SetString(siProxyName, "proxy.local");
    settings.SetString(siProxyPort, "abc");
    settings.SetString(siPublishOnTolvexHost, "http://host.test");
    settings.SetString(siPublishOnTolvexGetXmlDataScript, "/getxml.php");
    TTestOperation<> operation(params, db.Connection(), {gui, nullptr, &runner, nullptr, &settings});
    EXPECT_EQ(operation.GetResponseStream(), nullptr);
    operation.MakeHttpClient();
    ASSERT_NE(operation.GetHttpClient(), nullptr);
    EXPECT_EQ(operation.GetHttpClient()->ProxyHost(), "proxy.local");
    EXPECT_EQ(operation.GetHttpClient()->ProxyPort(), 0);
    EXPECT_EQ(operation.GetServerUrl(), "http://host.test/getxml.php");
    EXPECT_NE(operation.GetResponseStream(), nullptr);
    EXPECT_EQ(ProxyPortOf("8080"), 8080);
    EXPECT_EQ(ProxyPortOf(""), 0);
    EXPECT_EQ(ProxyPortOf("80x"), 0);
}

TEST_F(TolvexPublisherTest, ServerAnswersAreLoggedWithoutTheirPrefix)
{
    auto operation = Make();
    operation.MakeHttpClient();
    operation.Respond("Message:saved");
    operation.LogServer(0);
    EXPECT_EQ(runner.Last(), "saved");
    operation.LogServer(2);
    EXPECT_EQ(runner.Last(), "e:saved") << "an error answer loses only its first 6 characters (\"Error:\")";
    EXPECT_EQ(operation.GetResponseStream()->tellg(), 0) << "the body stays rewound";
}

TEST(TolvexPublisherCatalog, LanguagesAndReopenFollowTheOpenCatalog)
{
    TPublishSite site;
    std::vector<std::string> params;
    {
        TTestOperation<> operation(params, site.Connection(),
                                   {site.Program().Gui(), nullptr, &site.Runner(), &site.Program().Root(), nullptr});
        operation.Select("");
        EXPECT_EQ(operation.GetLanguages(), (std::vector<std::string>{"EN", "DE"}));
        operation.Select("DE");
        EXPECT_EQ(operation.GetLanguages(), std::vector<std::string>{"DE"});
        operation.AskReopen();
        EXPECT_FALSE(site.Program().Log().Has("PostReopenCatalog"));
    }
    EXPECT_TRUE(site.Program().Log().Has("PostReopenCatalog")) << "asked when the operation is freed";
}

}  // namespace
