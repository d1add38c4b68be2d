#pragma once
// What the FTP publishing dialog "Create/Update Catalog for" offers and what
// it hands on: the answers of the last run (catalog properties 712-718),
// the check before a run may start, remembering the answers, the staging
// folder emptied for the run and the parameter list of TPublishFtp. The
// dialog itself only shows these.
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogData;
class TTolvex;
class TTranslation;

struct TFtpPublishParameters {
    static constexpr int kLangCodeProperty = 712;
    static constexpr int kUpdateMethodProperty = 713;
    static constexpr int kHostNameProperty = 714;
    static constexpr int kDefaultDirectoryProperty = 715;
    static constexpr int kIndexFileNameProperty = 716;
    static constexpr int kWebSiteUrlProperty = 718;
    static constexpr const char* kStagingFolderName = "FtpPublish";

    // Caption===value lines: "[All possible]" (empty value), then each catalog language.
    std::vector<std::string> Languages;
    // Caption===value lines of the update methods ("all", "changed").
    std::vector<std::string> Methods;

    // The answers (filled from the last run, read back from the dialog).
    std::string LangCode;
    std::string IndexFileName;
    std::string UpdateMethod;
    std::string HostName;
    std::string DefaultDirectory;
    std::string WebSiteUrl;
    bool ServerSideScripts = false;
    int PageId = 0;

    // The choices and last answers of the open catalog of the program.
    static TFtpPublishParameters ForOpenCatalog(TTolvex& root, const TTranslation* translation);

    // Empty when a run may start with these answers; otherwise the error to show.
    std::string Problem() const;
    // Stores the answers as catalog properties, the index file name as it is sent.
    void Remember(TCatalogData& data, TAbstractDBConnection& connection) const;
    // The staging folder below the program folder, emptied (or created) for a run.
    static std::string PrepareStagingFolder(const std::string& programFolder);
    // The parameters of the run into the staging folder.
    std::vector<std::string> RunParameters(const std::string& stagingFolder) const;
};
