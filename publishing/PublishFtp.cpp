#include "publishing/PublishFtp.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "publishing/FtpAddress.h"
#include "publishing/FtpAuthorization.h"
#include "publishing/FtpClient.h"
#include "publishing/PublisherRunner.h"
#include "publishing/SiteFolder.h"
#include "publishing/WorkFolder.h"
#include "storage/AbstractDBConnection.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The previous change list is read at most this large.
constexpr std::int64_t kMaxChangeListBytes = 64LL * 1024 * 1024;

bool IsSuccess(long code)
{
    return code >= 200 && code <= 299;
}

std::string Join(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : folder + "/" + name;
}

// The default directory as a path: slashes only, no trailing slash.
std::string FolderPath(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool HasControlCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

}  // namespace

TPublishFtp::TPublishFtp(std::vector<std::string>& params, TAbstractDBConnection& connection,
                         const TPublisherEnvironment& environment, TFtpAuthorizationDialog* authorization)
    : TPublishLocally(params, connection, environment), authorization_(authorization)
{
    publishKind_ = "ftp";
    // The host as typed: "ftp://", a port, a login name and a folder may be in it.
    const TFtpAddress address = TFtpAddress::Parse(Param("HostName"));
    hostName_ = address.Problem.empty() ? address.HostAndPort() : Param("HostName");
    addressLoginName_ = address.LoginName;
    defaultDirectory_ = FolderPath(Param("DefaultDirectory"));
    if (defaultDirectory_.empty())
        defaultDirectory_ = FolderPath(address.Folder);
    updateOnlyChanged_ = Param("UpdateMethod") == "changed";
    fileLogging_ = true;
    cancelled_ = false;
    ftp_ = std::make_unique<TFtpClient>(hostName_);
    ftp_->OnWork = [this](std::int64_t sent, std::int64_t received) {
        bytesSent_ += sent;
        bytesReceived_ += received;
        if (sent != 0 || received != 0)
            ShowTransferCounts(bytesSent_, bytesReceived_);
        // The runner's window works while a transfer runs, so that its
        // Cancel reaches the run and aborts the transfer.
        if (Runner())
            Runner()->ProcessMessages();
        return cancelled_ && !finishing_;
    };
}

TPublishFtp::~TPublishFtp() = default;

void TPublishFtp::Execute()
{
    TPublishLocally::Execute();
    if (cancelled_)
        return;
    if (!Login())
        return;
    uploadedFiles_ = 0;
    unsavedEntries_ = 0;
    success_ = PrepareChangeList() && UploadFolder(path_, "");
    // The change list is stored whenever this run recorded a file, also
    // when it failed or was cancelled: it names only what reached the server.
    if (unsavedEntries_ > 0 || (success_ && !cancelled_)) {
        if (!UploadChangeList(true))
            success_ = false;
    }
    ftp_->Disconnect();
}

// ---- login ------------------------------------------------------------------------------------

bool TPublishFtp::Login()
{
    TCatalog& catalog = Root()->Catalog();
    TFtpLogin login = givenLogin_;
    if (!hasGivenLogin_) {
        login.LoginName = TCatalog::GetCatalogProperty(kLoginNameProperty, connection_, catalogCode_);
        login.Password = TCommonFunctions::UnscramblePassword(
            TCatalog::GetCatalogProperty(kPasswordProperty, connection_, catalogCode_));
        login.SavePassword = !login.Password.empty();
        if (login.LoginName.empty())
            login.LoginName = addressLoginName_;
    }
    login.Address = "ftp://" + hostName_ + (defaultDirectory_.empty() ? "" : "/" + defaultDirectory_);
    // A login name with its password (given for this run, or saved) is
    // tried without asking; the dialog comes when it is refused.
    bool ask = login.LoginName.empty() || login.Password.empty();
    while (true) {
        if (ask && (!authorization_ || !authorization_->Execute(login))) {
            WriteLog(Tr("Authorization process was canceled by user"));
            return false;
        }
        ask = true;
        WriteLog(Format("Authorizating on $1 using login name $2", {hostName_, login.LoginName}));
        bool loggedIn = false;
        try {
            loggedIn = TryLogin(login);
        } catch (const ETolvexException& error) {
            WriteLog(error.what(), 3);
            ftp_->Disconnect();
        }
        if (!loggedIn)
            continue;
        catalog.SetCatalogProperty(kLoginNameProperty, login.LoginName, connection_, catalogCode_);
        catalog.SetCatalogProperty(kPasswordProperty,
                                   login.SavePassword ? TCommonFunctions().ScramblePassword(login.Password) : "",
                                   connection_, catalogCode_);
        // The login is kept for the next run: a runner's own connection is
        // rolled back when it is freed, so its unit is committed here.
        if (connection_.InTransaction()) {
            connection_.CommitTrans();
            connection_.BeginTrans();
        }
        return true;
    }
}

bool TPublishFtp::TryLogin(const TFtpLogin& login)
{
    if (hostName_.empty() || HasControlCharacter(hostName_) || hostName_.find('/') != std::string::npos)
        throw EPublisherTolvexException(Format("Invalid host name \"$1\"", {hostName_}));
    ftp_->SetLogin(login.LoginName, login.Password);
    if (!ftp_->Connect()) {
        WriteLog(Format("Cannot connect: $1", {ftp_->LastReplyText()}), 3);
        ftp_->Disconnect();
        return false;
    }
    EnterDefaultDirectory();
    ReadPreviousChangeList();
    return true;
}

void TPublishFtp::EnterDefaultDirectory()
{
    startFolder_.clear();
    if (defaultDirectory_.empty())
        return;
    // The folder goes into FTP commands as it is: a line break would start
    // a command of its own.
    if (HasControlCharacter(defaultDirectory_))
        throw EPublisherTolvexException(Format("Invalid directory \"$1\"", {defaultDirectory_}));
    long code = 0;
    try {
        code = ftp_->ChangeDir(defaultDirectory_);
    } catch (const EPublisherTolvexException&) {
        code = ftp_->LastReplyCode();
    }
    if (code == 200 || code == 250) {
        startFolder_ = defaultDirectory_;
        return;
    }
    WriteLog(Format("Cannot change to directory: $1 ($2)", {defaultDirectory_, ftp_->LastReplyText()}), 3);
    if (Gui().AskQuestion(Tr("Create directory?"), "", false) != mrYes)
        return;  // the site goes into the login folder
    // Every missing level of the path, one MKD each.
    for (std::size_t slash = defaultDirectory_.find('/', 1); ; slash = defaultDirectory_.find('/', slash + 1)) {
        const std::string level = defaultDirectory_.substr(0, slash);
        if (!IsSuccess(ftp_->ChangeDir(level)))
            ftp_->MakeDir(level);
        if (slash == std::string::npos)
            break;
    }
    const long entered = ftp_->ChangeDir(defaultDirectory_);
    if (!IsSuccess(entered))
        throw EPublisherTolvexException(Format("Cannot create directory \"$1\". Exit with message \"$2\"",
                                               {defaultDirectory_, ftp_->LastReplyText()}));
    startFolder_ = defaultDirectory_;
}

void TPublishFtp::ReadPreviousChangeList()
{
    siteInfo_ = TFtpChangeList();
    if (updateOnlyChanged_) {
        // A list that is missing or cannot be read counts as empty.
        std::string bytes;
        try {
            if (IsSuccess(ftp_->Retrieve(RemotePath(kChangeListName), bytes, kMaxChangeListBytes)))
                siteInfo_.Load(bytes);
        } catch (const EPublisherTolvexException&) {
        }
    }
    siteInfo_.EnsureRoot(catalogCode_);
}

// ---- upload -----------------------------------------------------------------------------------

bool TPublishFtp::PrepareChangeList()
{
    crcs_.clear();
    previousEntries_.clear();
    std::error_code error;
    for (fs::recursive_directory_iterator it(path_, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error) && !TSiteFolder::IsTemporaryName(it->path().filename().string()))
            crcs_[TFtpChangeList::EntryName(path_, it->path().string())] =
                TCommonFunctions::GetFileCRC32(it->path().string());
    if (error)
        throw EPublisherTolvexException(Format("Cannot read folder \"$1\": $2", {path_, error.message()}));
    // With "all" the previous list was not read: the one stored is empty
    // until files have arrived.
    if (!updateOnlyChanged_)
        return UploadChangeList(false);
    std::set<std::string> overwritten;
    for (const auto& [name, crc] : crcs_)
        if (siteInfo_.IsChanged(name, crc))
            overwritten.insert(name);
    previousEntries_ = siteInfo_.Forget(overwritten);
    return previousEntries_.empty() || UploadChangeList(false);
}

std::string TPublishFtp::RemotePath(const std::string& relative) const
{
    return Join(startFolder_, relative);
}

bool TPublishFtp::UploadFolder(const std::string& localFolder, const std::string& remoteFolder)
{
    if (cancelled_)
        return false;
    // The folder as it is on the server, not the staging folder's inner path.
    WriteLog(Format("Process directory $1", {"/" + (remoteFolder.empty() ? startFolder_ : RemotePath(remoteFolder))}));
    bool success = true;
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(localFolder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    if (error)
        throw EPublisherTolvexException(Format("Cannot read folder \"$1\": $2", {localFolder, error.message()}));
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        const bool isFolder = entry.is_directory(error) && !entry.is_symlink(error);
        if (TSiteFolder::IsTemporaryName(name))
            continue;  // a file that was never finished is not the site's
        if (!TFtpClient::IsSafeName(name)) {
            // Such a name could leave the site's folder on the server.
            WriteLog(Format("Invalid file name \"$1\"", {name}), 3);
            ++errorCount_;
            continue;
        }
        const std::string remote = Join(remoteFolder, name);
        if (isFolder) {
            bool created = true;
            const bool done = RunRetryableStep(
                [&] {
                    long code = 0;
                    try {
                        code = ftp_->ChangeDir(RemotePath(remote));
                    } catch (const EPublisherTolvexException&) {
                        code = ftp_->LastReplyCode();
                    }
                    if (IsSuccess(code))
                        return true;
                    if (!IsSuccess(ftp_->MakeDir(RemotePath(remote)))) {
                        WriteLog(Format("Cannot create directory \"$1\". Exit with message \"$2\"",
                                        {name, ftp_->LastReplyText()}),
                                 3);
                        ++errorCount_;
                        created = false;
                    }
                    return true;
                },
                Format("Cannot create directory \"$1\"", {name}));
            if (!done)
                return false;
            if (!created)
                return success;  // the rest of this folder is left out
            if (success)
                success = UploadFolder(entry.path().string(), remote);
        } else if (entry.is_regular_file(error)) {
            if (success)
                success = UploadFile(entry.path().string(), remote);
        }
    }
    return success;
}

bool TPublishFtp::UploadFile(const std::string& localFile, const std::string& remoteFile)
{
    if (cancelled_)
        return false;
    const std::string entryName = TFtpChangeList::EntryName(path_, localFile);
    const auto known = crcs_.find(entryName);
    const std::uint32_t crc = known != crcs_.end() ? known->second : TCommonFunctions::GetFileCRC32(localFile);
    if (updateOnlyChanged_ && !siteInfo_.IsChanged(entryName, crc))
        return true;
    const std::string name = fs::path(localFile).filename().string();
    WriteLog(Format("Upload file $1", {name}));
    bool stored = false;
    // Whether any attempt reached the file on the server.
    bool touched = false;
    const bool done = RunRetryableStep(
        [&] {
            long code = 0;
            try {
                code = ftp_->Store(RemotePath(remoteFile), localFile);
            } catch (...) {
                touched = touched || ftp_->LastTransferStarted();
                throw;
            }
            touched = touched || ftp_->LastTransferStarted();
            if (!IsSuccess(code))
                throw EPublisherTolvexException(Format("Cannot upload file \"$1\", exit with message \"$2\"",
                                                       {name, ftp_->LastReplyText()}));
            stored = true;
            return true;
        },
        Format("Cannot upload file \"$1\"", {name}));
    if (stored) {
        siteInfo_.Record(entryName, crc);
        ++uploadedFiles_;
        if (++unsavedEntries_ >= kChangeListEvery && !UploadChangeList(false))
            return false;
    } else if (const auto previous = previousEntries_.find(entryName);
               previous != previousEntries_.end() && !touched) {
        // Refused before any byte was taken: the server still has what the previous list said.
        siteInfo_.Restore(entryName, previous->second);
        ++unsavedEntries_;
    }
    return done;
}

bool TPublishFtp::UploadChangeList(bool final)
{
    const std::string bytes = siteInfo_.Compressed();
    const std::string remote = RemotePath(kChangeListName);
    const auto store = [&] {
        if (!IsSuccess(ftp_->StoreBytes(remote, bytes)))
            throw EPublisherTolvexException(Format("Cannot upload file \"$1\", exit with message \"$2\"",
                                                   {kChangeListName, ftp_->LastReplyText()}));
        unsavedEntries_ = 0;
        return true;
    };
    if (!cancelled_)
        return RunRetryableStep(store, Format("Cannot upload file \"$1\"", {kChangeListName}));
    if (!final)
        return false;
    // A cancelled run still records what it sent: one attempt, which the
    // cancel does not abort.
    finishing_ = true;
    try {
        store();
    } catch (const ETolvexException& error) {
        WriteLog(error.what(), 3);
    }
    finishing_ = false;
    return false;
}
