#pragma once
// Publishes the site to an FTP server: local publishing into the staging
// folder ("Path"), a login through the authorization dialog, the upload of
// every file of the staging folder (folders created on the server as
// needed), and the change list "siteinfo.zip" in the folder where the upload
// starts. With "UpdateMethod" = "changed" the previous change list is read
// first and files whose CRC-32 it already holds are not sent again. Nothing
// is ever deleted on the server.
//
// Parameters besides those of local publishing: "HostName" ("name",
// "name:port" or an address "ftp://user@name:port/folder", TFtpAddress),
// "DefaultDirectory" (may be empty; the address's folder otherwise),
// "UpdateMethod" ("all" or "changed"). Catalog properties: 720 the login
// name, 719 the password in the program's scrambled form. A login name with
// a password (SetLogin, or saved) is tried before the authorization dialog
// is shown; the dialog comes when the server refuses it.
//
// The change list names only files that reached the server whole: before
// the first file is sent, the list on the server stops naming the files the
// run is about to overwrite (with "all", the list is stored empty), so that
// a run killed while it stores a file never leaves a list that vouches for
// the half of it on the server. A file the server refused before taking
// any of its bytes gets its previous entry back; one that failed on the
// way, was skipped or was cancelled has none, so the next run sends it again. The list is stored on the server every
// kChangeListEvery uploads and at the end of every run that sent a file,
// also a failed or cancelled one, so a run that stops half-way can simply be
// run again and sends only what is still missing.
#include "publishing/FtpAuthorization.h"
#include "publishing/FtpChangeList.h"
#include "publishing/PublishLocally.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class TFtpClient;
class TWorkFolder;

class TPublishFtp : public TPublishLocally {
public:
    static constexpr const char* kChangeListName = "siteinfo.zip";
    static constexpr int kChangeListEvery = 100;
    static constexpr int kPasswordProperty = 719;
    static constexpr int kLoginNameProperty = 720;

    // Authorization: the dialog asking for the login; null is a dialog that
    // is always cancelled.
    TPublishFtp(std::vector<std::string>& params, TAbstractDBConnection& connection,
                const TPublisherEnvironment& environment, TFtpAuthorizationDialog* authorization);
    ~TPublishFtp() override;

    void Execute() override;
    // The login the user gave for this run (the FTP dialog's fields); without
    // it the saved login name and password are used.
    void SetLogin(const TFtpLogin& login)
    {
        givenLogin_ = login;
        hasGivenLogin_ = true;
    }
    // Keeps the run's staging folder (its "Path") while the run lives.
    void KeepStagingFolder(std::shared_ptr<TWorkFolder> folder) { staging_ = std::move(folder); }

    // The change list as the last run left it, and the files it sent.
    const TFtpChangeList& GetSiteInfo() const { return siteInfo_; }
    int GetUploadedFiles() const { return uploadedFiles_; }

private:
    bool Login();
    // One login attempt with what the dialog gave; true when logged in.
    bool TryLogin(const TFtpLogin& login);
    void EnterDefaultDirectory();
    void ReadPreviousChangeList();
    // The CRC-32 of every file of the staging folder, and the stored list
    // no longer naming the files this run will overwrite. False when the
    // run was cancelled.
    bool PrepareChangeList();
    // RemoteFolder: the folder below the starting folder ("" for that folder).
    bool UploadFolder(const std::string& localFolder, const std::string& remoteFolder);
    bool UploadFile(const std::string& localFile, const std::string& remoteFile);
    // Stores the change list; Final: the run is ending (a cancelled run still stores it).
    bool UploadChangeList(bool final);
    // The path of a name below the starting folder, relative to the login folder.
    std::string RemotePath(const std::string& relative) const;

    std::string hostName_;
    std::string addressLoginName_;
    TFtpLogin givenLogin_;
    bool hasGivenLogin_ = false;
    std::string defaultDirectory_;
    bool updateOnlyChanged_ = false;
    TFtpAuthorizationDialog* authorization_;
    std::unique_ptr<TFtpClient> ftp_;
    std::shared_ptr<TWorkFolder> staging_;
    TFtpChangeList siteInfo_;
    // Entry name -> CRC-32 of the staging folder's files (PrepareChangeList).
    std::map<std::string, std::uint32_t> crcs_;
    // The entries the previous list had for the files this run sends.
    std::map<std::string, std::string> previousEntries_;
    // The folder where the upload starts, relative to the login folder.
    std::string startFolder_;
    int uploadedFiles_ = 0;
    // Entries recorded since the change list was last stored.
    int unsavedEntries_ = 0;
    // While set, a cancel does not abort the transfer (the final change list).
    bool finishing_ = false;
};
