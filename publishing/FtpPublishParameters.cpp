#include "publishing/FtpPublishParameters.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Translation.h"
#include "publishing/FtpAddress.h"
#include "publishing/PublishParameters.h"
#include "publishing/WorkFolder.h"

#include <filesystem>

namespace {

std::string Tr(const TTranslation* translation, const std::string& text)
{
    return translation ? translation->Translate(text) : text;
}

}  // namespace

TFtpPublishParameters TFtpPublishParameters::ForOpenCatalog(TTolvex& root, const TTranslation* translation)
{
    TFtpPublishParameters answers;
    answers.Languages = TPublishParameters::ForOpenCatalog(root, translation).Languages;
    answers.Methods = {Tr(translation, "Update all files") + "===all",
                       Tr(translation, "Update changed files") + "===changed"};
    TCatalogData& data = *root.GetCatalogData();
    TAbstractDBConnection& connection = data.GetPageGeneration().GetMainConnection();
    answers.LangCode = data.GetCatalogProperty(kLangCodeProperty, connection);
    answers.IndexFileName = data.GetCatalogProperty(kIndexFileNameProperty, connection);
    if (answers.IndexFileName.empty())
        answers.IndexFileName = "index.html";
    answers.UpdateMethod = data.GetCatalogProperty(kUpdateMethodProperty, connection);
    if (answers.UpdateMethod.empty())
        answers.UpdateMethod = "changed";
    answers.HostName = data.GetCatalogProperty(kHostNameProperty, connection);
    answers.DefaultDirectory = data.GetCatalogProperty(kDefaultDirectoryProperty, connection);
    answers.WebSiteUrl = data.GetCatalogProperty(kWebSiteUrlProperty, connection);
    answers.LoginName = data.GetCatalogProperty(kLoginNameProperty, connection);
    answers.Password = TCommonFunctions::UnscramblePassword(data.GetCatalogProperty(kPasswordProperty, connection));
    answers.SavePassword = !answers.Password.empty();
    // The host is stored with its port.
    return answers.Normalised();
}

TFtpPublishParameters TFtpPublishParameters::Normalised() const
{
    TFtpPublishParameters answers = *this;
    const TFtpAddress address = TFtpAddress::Parse(HostName);
    if (!address.Problem.empty())
        return answers;
    answers.HostName = address.Host;
    if (address.HasPort)
        answers.Port = address.Port;
    if (!address.LoginName.empty())
        answers.LoginName = address.LoginName;
    if (!address.Folder.empty() && DefaultDirectory.find_first_not_of(" /\\") == std::string::npos)
        answers.DefaultDirectory = address.Folder;
    return answers;
}

std::string TFtpPublishParameters::Problem() const
{
    if (HostName.find_first_not_of(" \t") == std::string::npos)
        return "Enter FTP host name";
    const TFtpAddress address = TFtpAddress::Parse(HostName);
    if (!address.Problem.empty())
        return address.Problem;
    if (Port < 1 || Port > 65535)
        return "The port must be a number from 1 to 65535";
    return {};
}

void TFtpPublishParameters::Remember(TCatalogData& data, TAbstractDBConnection& connection) const
{
    const TFtpPublishParameters answers = Normalised();
    data.SetCatalogProperty(kIndexFileNameProperty, TPublishParameters::IndexFileNameToSend(IndexFileName), connection);
    data.SetCatalogProperty(kLangCodeProperty, LangCode, connection);
    data.SetCatalogProperty(kUpdateMethodProperty, UpdateMethod, connection);
    data.SetCatalogProperty(kHostNameProperty, answers.HostAndPort(), connection);
    data.SetCatalogProperty(kDefaultDirectoryProperty, answers.DefaultDirectory, connection);
    data.SetCatalogProperty(kWebSiteUrlProperty, WebSiteUrl, connection);
    data.SetCatalogProperty(kLoginNameProperty, answers.LoginName, connection);
    data.SetCatalogProperty(kPasswordProperty,
                            SavePassword ? TCommonFunctions().ScramblePassword(Password) : std::string(), connection);
}

std::unique_ptr<TWorkFolder> TFtpPublishParameters::PrepareStagingFolder(const std::string& programFolder)
{
    namespace fs = std::filesystem;
    const std::string parent = programFolder + "/" + kStagingFolderName;
    fs::create_directories(parent);
    TWorkFolder::RemoveAbandoned(parent, kStagingRunPrefix);
    // Files of the staging folder of earlier versions, which staged every run in it.
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error))
        if (it->path().filename().string().rfind(kStagingRunPrefix, 0) != 0)
            fs::remove_all(it->path(), error);
    return std::make_unique<TWorkFolder>(parent, kStagingRunPrefix);
}

std::string TFtpPublishParameters::HostAndPort() const
{
    TFtpAddress address;
    address.Host = HostName;
    address.Port = Port;
    return address.HostAndPort();
}

std::vector<std::string> TFtpPublishParameters::RunParameters(const std::string& stagingFolder) const
{
    const TFtpPublishParameters answers = Normalised();
    std::vector<std::string> params{"Path=" + stagingFolder,
                                    "LangCode=" + LangCode,
                                    "UpdateMethod=" + UpdateMethod,
                                    "HostName=" + answers.HostAndPort(),
                                    "DefaultDirectory=" + answers.DefaultDirectory,
                                    "IndexFileName=" + TPublishParameters::IndexFileNameToSend(IndexFileName)};
    if (ServerSideScripts)
        params.push_back("MakeServerSideScripts=yes");
    if (PageId != 0)
        params.push_back("PublishPage=" + std::to_string(PageId));
    return params;
}
