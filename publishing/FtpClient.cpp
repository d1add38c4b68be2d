#include "publishing/FtpClient.h"

#include "common/Exceptions.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr long kConnectTimeoutSeconds = 30;
// A transfer that moves less than one byte a second for this long is given up.
constexpr long kStallSeconds = 60;

void InitCurlOnce()
{
    static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    if (!done)
        throw EPublisherTolvexException("The FTP client cannot be started");
}

struct TSlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

struct TFtpClient::TTransfer {
    std::string Path;  // relative to the login folder; empty for the folder itself
    bool NoBody = true;
    std::vector<std::string> Quote;
    // Upload: from a file or from memory.
    std::FILE* UploadFile = nullptr;
    const std::string* UploadBytes = nullptr;
    std::size_t UploadOffset = 0;
    std::int64_t UploadSize = 0;
    // Download into memory, bounded.
    std::string* Download = nullptr;
    std::int64_t MaxBytes = 0;
    bool TooLarge = false;
    // Progress.
    TFtpClient* Client = nullptr;
    curl_off_t Sent = 0;
    curl_off_t Received = 0;
    bool Stopped = false;
    bool Started = false;
    long Reply = 0;
    std::string ReplyText;
};

// The callbacks reach the transfer through a plain pointer; they live here so
// that they can see the private transfer type.
struct TFtpCallbacks {
    static size_t Reply(char* data, size_t size, size_t count, void* user)
    {
        auto* transfer = static_cast<TFtpClient::TTransfer*>(user);
        std::string line(data, size * count);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
            std::isdigit(static_cast<unsigned char>(line[1])) && std::isdigit(static_cast<unsigned char>(line[2])) &&
            (line.size() == 3 || line[3] == ' ')) {
            transfer->Reply = std::stol(line.substr(0, 3));
            if (transfer->Reply == 125 || transfer->Reply == 150)
                transfer->Started = true;
            transfer->ReplyText = line.size() > 4 ? line.substr(4) : std::string();
        }
        return size * count;
    }

    static size_t Download(char* data, size_t size, size_t count, void* user)
    {
        auto* transfer = static_cast<TFtpClient::TTransfer*>(user);
        const std::size_t bytes = size * count;
        if (static_cast<std::int64_t>(transfer->Download->size() + bytes) > transfer->MaxBytes) {
            transfer->TooLarge = true;
            return 0;
        }
        transfer->Download->append(data, bytes);
        return bytes;
    }

    static size_t Upload(char* buffer, size_t size, size_t count, void* user)
    {
        auto* transfer = static_cast<TFtpClient::TTransfer*>(user);
        const std::size_t room = size * count;
        if (transfer->UploadFile)
            return std::fread(buffer, 1, room, transfer->UploadFile);
        const std::string& bytes = *transfer->UploadBytes;
        const std::size_t n = std::min(room, bytes.size() - transfer->UploadOffset);
        std::memcpy(buffer, bytes.data() + transfer->UploadOffset, n);
        transfer->UploadOffset += n;
        return n;
    }

    static int Progress(void* user, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded)
    {
        auto* transfer = static_cast<TFtpClient::TTransfer*>(user);
        const curl_off_t sent = uploaded > transfer->Sent ? uploaded - transfer->Sent : 0;
        const curl_off_t received = downloaded > transfer->Received ? downloaded - transfer->Received : 0;
        transfer->Sent = std::max(transfer->Sent, uploaded);
        transfer->Received = std::max(transfer->Received, downloaded);
        if (transfer->Client->OnWork && transfer->Client->OnWork(sent, received)) {
            transfer->Stopped = true;
            return 1;
        }
        return 0;
    }
};

TFtpClient::TFtpClient(std::string host) : host_(std::move(host)) {}

TFtpClient::~TFtpClient()
{
    Disconnect();
}

void TFtpClient::SetLogin(const std::string& userName, const std::string& password)
{
    userName_ = userName;
    password_ = password;
}

bool TFtpClient::IsSafeName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\')
            return false;
    return true;
}

std::string TFtpClient::Url(const std::string& path) const
{
    std::string url = "ftp://" + host_ + "/";
    std::size_t start = 0;
    while (start <= path.size() && !path.empty()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(start, end - start);
        char* escaped = curl_easy_escape(static_cast<CURL*>(handle_), part.c_str(), static_cast<int>(part.size()));
        if (!escaped)
            throw EPublisherTolvexException("The FTP client is out of memory");
        url += escaped;
        curl_free(escaped);
        if (end == path.size())
            break;
        url += "/";
        start = end + 1;
    }
    return url;
}

long TFtpClient::Perform(TTransfer& transfer)
{
    transferStarted_ = false;
    InitCurlOnce();
    if (!handle_) {
        handle_ = curl_easy_init();
        if (!handle_)
            throw EPublisherTolvexException("The FTP client cannot be started");
    }
    CURL* handle = static_cast<CURL*>(handle_);
    // Reset keeps the open connection; every option is set again below.
    curl_easy_reset(handle);
    transfer.Client = this;
    char error[CURL_ERROR_SIZE] = {};
    const std::string url = Url(transfer.Path);
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(handle, CURLOPT_USERNAME, userName_.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, password_.c_str());
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStallSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    // Passive mode, binary transfers, whole paths on each command.
    curl_easy_setopt(handle, CURLOPT_FTPPORT, nullptr);
    curl_easy_setopt(handle, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(handle, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(handle, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &TFtpCallbacks::Reply);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &TFtpCallbacks::Progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    std::unique_ptr<curl_slist, TSlistDeleter> quote;
    for (const std::string& command : transfer.Quote) {
        curl_slist* grown = curl_slist_append(quote.get(), command.c_str());
        if (!grown)
            throw EPublisherTolvexException("The FTP client is out of memory");
        quote.release();
        quote.reset(grown);
    }
    if (quote)
        curl_easy_setopt(handle, CURLOPT_QUOTE, quote.get());
    if (transfer.UploadFile || transfer.UploadBytes) {
        curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(handle, CURLOPT_READFUNCTION, &TFtpCallbacks::Upload);
        curl_easy_setopt(handle, CURLOPT_READDATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(transfer.UploadSize));
    } else if (transfer.Download) {
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &TFtpCallbacks::Download);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.MaxBytes));
    } else {
        curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    }

    const CURLcode result = curl_easy_perform(handle);
    transferStarted_ = transfer.Started;
    long code = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &code);
    replyCode_ = code != 0 ? code : transfer.Reply;
    replyText_ = transfer.ReplyText;
    if (result == CURLE_OK) {
        char* entry = nullptr;
        if (entryPath_.empty() && curl_easy_getinfo(handle, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry)
            entryPath_ = entry;
        return replyCode_;
    }
    if (transfer.Stopped || result == CURLE_ABORTED_BY_CALLBACK)
        throw EPublisherTolvexException("The transfer was stopped");
    if (transfer.TooLarge || result == CURLE_FILESIZE_EXCEEDED)
        throw EPublisherTolvexException("The file is larger than " + std::to_string(transfer.MaxBytes) + " bytes");
    // A failure the server answered with an error reply is that reply; any
    // other failure (no connection, time-out, broken transfer) is raised.
    if (replyCode_ >= 400)
        return replyCode_;
    const std::string reason = error[0] ? std::string(error) : std::string(curl_easy_strerror(result));
    replyCode_ = 0;
    replyText_ = reason;
    throw EPublisherTolvexException(reason);
}

bool TFtpClient::Connect()
{
    Disconnect();
    entryPath_.clear();
    TTransfer transfer;
    try {
        Perform(transfer);
    } catch (const EPublisherTolvexException&) {
        // No connection: reply 0 with the reason as its text.
        return false;
    }
    connected_ = replyCode_ / 100 == 2;
    return connected_;
}

void TFtpClient::Disconnect()
{
    if (handle_)
        curl_easy_cleanup(static_cast<CURL*>(handle_));
    handle_ = nullptr;
    connected_ = false;
}

long TFtpClient::ChangeDir(const std::string& path)
{
    // Enter the folder, then return to the login folder: every later command
    // names its path from there.
    TTransfer transfer;
    transfer.Quote = {"CWD " + path, "CWD " + (entryPath_.empty() ? std::string("/") : entryPath_)};
    // A refused first CWD ends the list with its reply; otherwise the reply
    // of the return counts.
    return Perform(transfer);
}

long TFtpClient::MakeDir(const std::string& path)
{
    TTransfer transfer;
    transfer.Quote = {"MKD " + path};
    return Perform(transfer);
}

long TFtpClient::Store(const std::string& path, const std::string& localFile)
{
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(localFile.c_str(), "rb"));
    if (!file)
        throw EPublisherTolvexException("Cannot open file \"" + localFile + "\"");
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    TTransfer transfer;
    transfer.Path = path;
    transfer.UploadFile = file.get();
    transfer.UploadSize = size < 0 ? 0 : size;
    return Perform(transfer);
}

long TFtpClient::StoreBytes(const std::string& path, const std::string& bytes)
{
    TTransfer transfer;
    transfer.Path = path;
    transfer.UploadBytes = &bytes;
    transfer.UploadSize = static_cast<std::int64_t>(bytes.size());
    return Perform(transfer);
}

long TFtpClient::Retrieve(const std::string& path, std::string& bytes, std::int64_t maxBytes)
{
    TTransfer transfer;
    transfer.Path = path;
    transfer.Download = &bytes;
    transfer.MaxBytes = maxBytes;
    return Perform(transfer);
}
