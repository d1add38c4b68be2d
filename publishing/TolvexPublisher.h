#pragma once
// The base of every long operation (publishing, imports, exports, reports,
// conversions): the parameter list, the log with its optional log file, the
// cancel flag, the error count and success flag, the standard texts of the
// run, progress, an HTTP client with request and response bodies, and the
// retry protocol through the runner's continue dialog.
//
// An operation is made with its parameter list (owned by the runner), the
// connection it works through (not owned) and its environment, is run once
// with Run, and reports through the runner window (TPublisherRunner).
//
//   TPublishLocally publish(params, connection, {gui, translation, &runner, RootObject});
//   publish.Run();
#include "publishing/AbstractPublisher.h"
#include "common/Log.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogData;
class TCommonGui;
class THttpClient;
class TIniSettings;
class TObjectCollection;
class TPublisherRunner;
class TTolvex;
class TTranslation;
struct TRecordsetXmlContext;

// What an operation works with besides its parameters and connection. Not owned.
struct TPublisherEnvironment {
    TCommonGui& Gui;
    // Null: texts stay English.
    const TTranslation* Translation = nullptr;
    // Null: no runner window (lines, progress and questions go nowhere; a
    // failing step is cancelled).
    TPublisherRunner* Runner = nullptr;
    // The program; null or without an open catalog: no catalog work.
    TTolvex* Root = nullptr;
    // Null: the program's settings (none without a program).
    const TIniSettings* Settings = nullptr;
};

class TTolvexPublisher : public TAbstractPublisher {
public:
    // Unattended automatic retries of one step (the continue dialog pressed
    // Retry by itself) that are made before the step counts as cancelled.
    static constexpr int kMaxAutomaticRetries = 5;

    TTolvexPublisher(std::vector<std::string>& params, TAbstractDBConnection& connection,
                     const TPublisherEnvironment& environment);
    ~TTolvexPublisher() override;
    TTolvexPublisher(const TTolvexPublisher&) = delete;
    TTolvexPublisher& operator=(const TTolvexPublisher&) = delete;

    // ---- TAbstractPublisher ----------------------------------------------------
    void Run() override;
    void Cancel() override;
    int Preview() override { return 0; }
    bool HasPreview() const override { return false; }
    bool ShowProgressBar() const override { return false; }
    bool Succeeded() const override { return success_; }
    std::string GetText(int kind) const override;
    std::vector<std::string>& GetParams() override { return params_; }
    bool AutoClose() const override { return false; }
    std::istream* GetResponseStream() override;
    std::istream* GetRequestStream() override;

    // ---- state the runner and tests read ---------------------------------------------
    bool IsCancelled() const { return cancelled_; }
    int GetErrorCount() const { return errorCount_; }
    int GetLastAnswer() const { return lastAnswer_; }
    const std::vector<std::string>& GetLanguages() const { return languages_; }
    TLog& GetLog() { return log_; }
    std::int64_t GetBytesSent() const { return bytesSent_; }
    std::int64_t GetBytesReceived() const { return bytesReceived_; }
    const std::string& GetServerUrl() const { return serverUrl_; }
    THttpClient* GetHttpClient() { return httpClient_.get(); }

    // ---- log ----------------------------------------------------------------------------
    // One line in the runner's log (level 1 ordinary, 3 error); the runner
    // then processes its pending events, which may cancel the run.
    void WriteLog(const std::string& text, int level = 1);
    void AddLogFileLine(const std::string& text);
    // Writes the collected lines to LogFileName when file logging is on.
    void SaveLogFile();

    // ---- retry protocol ---------------------------------------------------------------------
    // Asks the runner whether to retry, skip or cancel after a failed step.
    // Nothing happens once cancelled. Skip is set by Ignore; Cancel cancels the run.
    void AskContinueOnError(const std::string& message, bool& skip);
    // Runs a step until it succeeds, is skipped or the run is cancelled: a
    // step answers true when it succeeded; false or a program exception is a
    // failure that goes to the continue dialog. True when the step succeeded
    // or was skipped (Ignore), false when the run was cancelled. Automatic
    // retries are bounded by kMaxAutomaticRetries.
    bool RunRetryableStep(const std::function<bool()>& step, const std::string& failureText);

protected:
    // ---- for the operations --------------------------------------------------------------
    // Fills Languages with the code alone, or with every language of the open catalog.
    void SelectLanguages(const std::string& langCode);
    void SetProgressMax(int count);
    void StepProgress();
    void ShowTransferCounts(std::int64_t sent, std::int64_t received);
    // The address of the hosting service and an HTTP client through the proxy of the settings.
    void CreateHttpClient();
    void HttpDataSent(std::int64_t count);
    void HttpDataReceived(std::int64_t count);
    // What the record-set writer and reader need for the open catalog's
    // database: its code, the program's conversions and keys, and no debug
    // copies (the data and the account travel in them).
    TRecordsetXmlContext RecordsetContext();
    // The whole response body; the stream stays at its start.
    std::string GetResponseText();
    void LogServerMessage() { LogServerText(8); }
    void LogServerWarning() { LogServerText(8); }
    void LogServerError() { LogServerText(6); }

    // A parameter's value (name compared ignoring case); empty when absent.
    std::string Param(const std::string& name) const;
    // Sets a parameter (replacing its first line, else appending one).
    void SetParam(const std::string& name, const std::string& value);
    // A text through the translation service, and a message with $1.. arguments.
    std::string Tr(const std::string& text) const;
    std::string Format(const std::string& text, const std::vector<std::string>& args) const;

    TCommonGui& Gui() { return environment_.Gui; }
    TPublisherRunner* Runner() { return environment_.Runner; }
    TTolvex* Root() { return environment_.Root; }
    // The open catalog's data; null when no catalog is open.
    TCatalogData* OpenCatalog();
    const TIniSettings* Settings() const;

    // ---- fields of the run --------------------------------------------------------------------
    int changedKind_ = 0;
    int changedItemId_ = 0;
    bool notifyOnlyOnSuccess_ = true;
    bool reopenCatalog_ = false;
    bool fileLogging_ = false;
    std::string logFileName_;
    std::vector<std::string> logFileLines_;
    bool cancelled_ = false;
    // Open on the open catalog's code and the connection; null without an open catalog.
    std::unique_ptr<TObjectCollection> collection_;
    std::vector<std::string> languages_;
    std::vector<std::string>& params_;
    int errorCount_ = 0;
    TAbstractDBConnection& connection_;
    int lastAnswer_ = 0;
    bool lastAnswerAutomatic_ = false;
    bool success_ = false;
    bool logSuccessText_ = true;
    std::int64_t bytesSent_ = 0;
    std::int64_t bytesReceived_ = 0;
    std::unique_ptr<THttpClient> httpClient_;
    std::unique_ptr<std::stringstream> responseStream_;
    std::unique_ptr<std::stringstream> requestStream_;
    std::string serverUrl_;

private:
    void WriteEndLine();
    void LogServerText(std::size_t prefixLength);

    TPublisherEnvironment environment_;
    // The last line written into the log.
    std::string lastLogLine_;
    TLog log_;
    // Keeps the runner bound to the log without owning it.
    std::shared_ptr<TLogSink> logSink_;
};

// The proxy port setting read as a number: 0 when empty or not a number.
int ProxyPortOf(const std::string& text);
