#include "publishing/TolvexPublisher.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"
#include "publishing/HttpClient.h"
#include "publishing/PublisherRunner.h"
#include "storage/NameValueLines.h"
#include "storage/GlobalDefinition.h"
#include "storage/ObjectCollection.h"
#include "storage/RecordsetXmlContext.h"

#include "common/CommonFunctionsDetail.h"

#include <charconv>

namespace {

const char* const kStandardTexts[] = {
    "",
    "Do you want to cancel publish process?",
    "Start publishing",
    "Successfully published.",
    "Operation was canceled by user.",
    "Published and $1 error(s) occur",
    "Process cancelled by user",
    "Errors occurred during the publish operation",
};

constexpr const char* kErrorBoxText = "Errors occurred during the publish operation. Please check the log";

}  // namespace

int ProxyPortOf(const std::string& text)
{
    int port = 0;
    const char* end = text.data() + text.size();
    auto [rest, error] = std::from_chars(text.data(), end, port);
    if (error != std::errc() || rest != end)
        return 0;
    return port;
}

TTolvexPublisher::TTolvexPublisher(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                   const TPublisherEnvironment& environment)
    : params_(params), connection_(connection), environment_(environment)
{
    if (TCatalogData* open = OpenCatalog()) {
        collection_ = std::make_unique<TObjectCollection>(environment_.Root->ObjectContext());
        collection_->Open(open->GetCatalogCode(), connection_);
    }
    if (environment_.Runner) {
        logSink_ = std::shared_ptr<TLogSink>(environment_.Runner, [](TLogSink*) {});
    }
}

TTolvexPublisher::~TTolvexPublisher()
{
    if (reopenCatalog_ && OpenCatalog())
        environment_.Root->PostReopenCatalog();
}

TCatalogData* TTolvexPublisher::OpenCatalog()
{
    return environment_.Root ? environment_.Root->GetCatalogData() : nullptr;
}

const TIniSettings* TTolvexPublisher::Settings() const
{
    if (environment_.Settings)
        return environment_.Settings;
    return environment_.Root ? &environment_.Root->Settings().IniSettings() : nullptr;
}

std::string TTolvexPublisher::Tr(const std::string& text) const
{
    return environment_.Translation ? environment_.Translation->Translate(text) : text;
}

std::string TTolvexPublisher::Format(const std::string& text, const std::vector<std::string>& args) const
{
    std::vector<TFormatArg> formatArgs(args.begin(), args.end());
    if (environment_.Translation)
        return environment_.Translation->FormatMessage(text, formatArgs, true);
    return TTranslation().FormatMessage(text, formatArgs, false);
}

std::string TTolvexPublisher::Param(const std::string& name) const
{
    return ValueOfName(params_, name);
}

void TTolvexPublisher::SetParam(const std::string& name, const std::string& value)
{
    for (std::string& line : params_) {
        const std::size_t equals = line.find('=');
        if (equals == name.size() && common_detail::SameText(line.substr(0, equals), name)) {
            line = name + "=" + value;
            return;
        }
    }
    params_.push_back(name + "=" + value);
}

// ---- the run -----------------------------------------------------------------------------

std::string TTolvexPublisher::GetText(int kind) const
{
    if (kind < 1 || kind > 7)
        return {};
    return kStandardTexts[kind];
}

void TTolvexPublisher::Run()
{
    if (logSink_)
        log_.SetOutput(logSink_);
    WriteLog(Tr(GetText(2)));
    try {
        Execute();
    } catch (const std::exception& error) {
        // What ends the run is in its log too, not only in the message the
        // runner shows (unless the operation's last line already said it).
        if (lastLogLine_.find(error.what()) == std::string::npos)
            WriteLog(error.what(), 3);
        throw;
    }
    WriteEndLine();
    if ((changedKind_ != 0 || changedItemId_ != 0) &&
        (!notifyOnlyOnSuccess_ || (errorCount_ == 0 && success_)) && environment_.Runner)
        environment_.Runner->PostDataChanged(changedItemId_, changedKind_);
}

void TTolvexPublisher::WriteEndLine()
{
    if (cancelled_) {
        WriteLog(Tr(GetText(4)));
    } else if (errorCount_ != 0 || !success_) {
        environment_.Gui.ShowError(kErrorBoxText, true);
        if (errorCount_ < 1)
            WriteLog(Tr(GetText(7)));
        else
            WriteLog(Format(GetText(5), {std::to_string(errorCount_)}));
    } else if (logSuccessText_) {
        WriteLog(Tr(GetText(3)));
    }
}

void TTolvexPublisher::Cancel()
{
    cancelled_ = true;
    log_.SetCancelled(true);
    WriteLog(Tr(GetText(6)));
}

// ---- log -------------------------------------------------------------------------------------

void TTolvexPublisher::WriteLog(const std::string& text, int level)
{
    lastLogLine_ = text;
    if (!environment_.Runner)
        return;
    environment_.Runner->AppendLogLine(text, level);
    environment_.Runner->ProcessMessages();
}

void TTolvexPublisher::AddLogFileLine(const std::string& text)
{
    if (fileLogging_)
        logFileLines_.push_back(text);
}

void TTolvexPublisher::SaveLogFile()
{
    if (!fileLogging_ || logFileName_.empty())
        return;
    std::string text;
    for (const std::string& line : logFileLines_)
        text += line + "\n";
    TCommonFunctions::SaveStringToFile(text, logFileName_);
}

void TTolvexPublisher::SelectLanguages(const std::string& langCode)
{
    TCatalogData* open = OpenCatalog();
    if (!open)
        return;
    languages_.clear();
    if (!langCode.empty())
        languages_.push_back(langCode);
    else
        languages_ = open->GetLanguages();
}

// ---- retry protocol ------------------------------------------------------------------------------

void TTolvexPublisher::AskContinueOnError(const std::string& message, bool& skip)
{
    if (cancelled_)
        return;
    TContinueResult result;
    result.Answer = caCancel;  // without a runner nobody can answer: stop
    if (environment_.Runner)
        result = environment_.Runner->AskContinue(message);
    lastAnswer_ = result.Answer;
    lastAnswerAutomatic_ = result.Automatic;
    cancelled_ = result.Answer == caCancel;
    if (cancelled_)
        log_.SetCancelled(true);
    skip = result.Answer == caIgnore;
}

bool TTolvexPublisher::RunRetryableStep(const std::function<bool()>& step, const std::string& failureText)
{
    int automaticRetries = 0;
    bool done = false;
    std::string logged;
    while (!done && !cancelled_) {
        std::string failure = failureText;
        try {
            done = step();
        } catch (const ETolvexException& error) {
            failure = error.what();
        }
        if (done)
            break;
        // Each failure goes into the log once, whatever the answer to it.
        if (failure != logged)
            WriteLog(failure, 3);
        logged = failure;
        AskContinueOnError(failure, done);
        if (lastAnswer_ != caRetry || cancelled_)
            continue;
        automaticRetries = lastAnswerAutomatic_ ? automaticRetries + 1 : 0;
        if (automaticRetries > kMaxAutomaticRetries) {
            // Nobody is answering: a step that keeps failing stops the run
            // instead of being tried for ever.
            WriteLog(Format("Stopped after $1 automatic retries: $2", {std::to_string(kMaxAutomaticRetries), failure}),
                     3);
            lastAnswer_ = caCancel;
            cancelled_ = true;
            log_.SetCancelled(true);
        }
    }
    return done && !cancelled_;
}

// ---- progress and HTTP ----------------------------------------------------------------------------

void TTolvexPublisher::SetProgressMax(int count)
{
    if (environment_.Runner)
        environment_.Runner->SetProgressMax(count);
}

void TTolvexPublisher::StepProgress()
{
    if (environment_.Runner)
        environment_.Runner->StepProgress();
}

void TTolvexPublisher::ShowTransferCounts(std::int64_t sent, std::int64_t received)
{
    if (environment_.Runner)
        environment_.Runner->ShowTransferCounts(sent, received);
}

void TTolvexPublisher::CreateHttpClient()
{
    const TIniSettings* settings = Settings();
    std::string proxyHost;
    int proxyPort = 0;
    if (settings) {
        serverUrl_ = settings->GetString(siPublishOnTolvexHost) + settings->GetString(siPublishOnTolvexGetXmlDataScript);
        proxyHost = settings->GetString(siProxyName);
        proxyPort = ProxyPortOf(settings->GetString(siProxyPort));
    }
    httpClient_ = std::make_unique<THttpClient>(proxyHost, proxyPort);
    httpClient_->OnDataSent = [this](std::int64_t count) { HttpDataSent(count); };
    httpClient_->OnDataReceived = [this](std::int64_t count) { HttpDataReceived(count); };
    httpClient_->KeepAlive = [this] {
        if (environment_.Runner)
            environment_.Runner->ProcessMessages();
        return cancelled_;
    };
    responseStream_ = std::make_unique<std::stringstream>();
    requestStream_ = std::make_unique<std::stringstream>();
}

void TTolvexPublisher::HttpDataSent(std::int64_t count)
{
    bytesSent_ += count;
    ShowTransferCounts(bytesSent_, bytesReceived_);
}

void TTolvexPublisher::HttpDataReceived(std::int64_t count)
{
    bytesReceived_ += count;
    ShowTransferCounts(bytesSent_, bytesReceived_);
}

std::istream* TTolvexPublisher::GetResponseStream()
{
    if (!responseStream_)
        return nullptr;
    responseStream_->clear();
    responseStream_->seekg(0);
    return responseStream_.get();
}

std::istream* TTolvexPublisher::GetRequestStream()
{
    if (!requestStream_)
        return nullptr;
    requestStream_->clear();
    requestStream_->seekg(0);
    return requestStream_.get();
}

TRecordsetXmlContext TTolvexPublisher::RecordsetContext()
{
    TRecordsetXmlContext context = environment_.Root->GlobalDefinition().RecordsetContext();
    if (TCatalogData* open = OpenCatalog())
        context.catalogCode = open->GetCatalogCode();
    context.debugFolder.clear();
    return context;
}

std::string TTolvexPublisher::GetResponseText()
{
    if (!responseStream_)
        return {};
    std::string text = responseStream_->str();
    GetResponseStream();
    return text;
}

void TTolvexPublisher::LogServerText(std::size_t prefixLength)
{
    const std::string text = GetResponseText();
    WriteLog(text.size() > prefixLength ? text.substr(prefixLength) : std::string());
}
