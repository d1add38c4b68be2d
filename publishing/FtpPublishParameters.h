#pragma once
// What the FTP publishing dialog "Create/Update Catalog for" offers and what
// it hands on: the answers of the last run (catalog properties 712-720),
// the check before a run may start, remembering the answers, the run's own
// staging folder and the parameter list of TPublishFtp. The dialog itself
// only shows these.
//
// The host may be typed as an address ("ftp://user@host:2121/www"): the
// answers are normalised so that the host field holds the host, and the
// port, login name and folder go into their own fields (Normalised).
#include "catalog/Catalog.h"
#include "publishing/FtpAuthorization.h"

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogData;
class TTolvex;
class TTranslation;
class TWorkFolder;

struct TFtpPublishParameters {
    static constexpr int kLangCodeProperty = 712;
    static constexpr int kUpdateMethodProperty = 713;
    static constexpr int kHostNameProperty = 714;
    static constexpr int kDefaultDirectoryProperty = 715;
    static constexpr int kIndexFileNameProperty = 716;
    static constexpr int kWebSiteUrlProperty = kPropertyWebSiteUrl;
    static constexpr int kPasswordProperty = 719;
    static constexpr int kLoginNameProperty = 720;
    static constexpr const char* kStagingFolderName = "FtpPublish";
    static constexpr const char* kStagingRunPrefix = "run-";

    // Caption===value lines: "[All possible]" (empty value), then each catalog language.
    std::vector<std::string> Languages;
    // Caption===value lines of the update methods ("all", "changed").
    std::vector<std::string> Methods;

    // The answers (filled from the last run, read back from the dialog).
    std::string LangCode;
    std::string IndexFileName;
    std::string UpdateMethod;
    std::string HostName;
    int Port = 21;
    std::string DefaultDirectory;
    std::string LoginName;
    std::string Password;
    bool SavePassword = false;
    std::string WebSiteUrl;
    bool ServerSideScripts = false;
    int PageId = 0;

    // The choices and last answers of the open catalog of the program.
    static TFtpPublishParameters ForOpenCatalog(TTolvex& root, const TTranslation* translation);

    // The answers with an address typed as the host split into host, port,
    // login name and (when no folder is given) default directory.
    TFtpPublishParameters Normalised() const;
    // Empty when a run may start with these answers; otherwise the error to show.
    std::string Problem() const;
    // Stores the answers as catalog properties: the index file name as it
    // is sent, the host with its port, the login name, and the password
    // (scrambled) only when it is to be saved.
    void Remember(TCatalogData& data, TAbstractDBConnection& connection) const;
    // A new empty staging folder of its own for a run, below the folder
    // "FtpPublish" of the program folder, removed when the object dies;
    // what killed runs left there is removed first.
    static std::unique_ptr<TWorkFolder> PrepareStagingFolder(const std::string& programFolder);
    // The parameters of the run into the staging folder.
    std::vector<std::string> RunParameters(const std::string& stagingFolder) const;
    // The host with the port when it is not 21 ("host:2121").
    std::string HostAndPort() const;
    // The login the run starts with.
    TFtpLogin Login() const { return TFtpLogin{"", LoginName, Password, SavePassword}; }
};
