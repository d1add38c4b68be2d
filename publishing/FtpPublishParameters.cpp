#include "publishing/FtpPublishParameters.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Translation.h"
#include "publishing/PublishParameters.h"

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
    return answers;
}

std::string TFtpPublishParameters::Problem() const
{
    return HostName.empty() ? "Enter FTP host name" : std::string();
}

void TFtpPublishParameters::Remember(TCatalogData& data, TAbstractDBConnection& connection) const
{
    data.SetCatalogProperty(kIndexFileNameProperty, TPublishParameters::IndexFileNameToSend(IndexFileName), connection);
    data.SetCatalogProperty(kLangCodeProperty, LangCode, connection);
    data.SetCatalogProperty(kUpdateMethodProperty, UpdateMethod, connection);
    data.SetCatalogProperty(kHostNameProperty, HostName, connection);
    data.SetCatalogProperty(kDefaultDirectoryProperty, DefaultDirectory, connection);
    data.SetCatalogProperty(kWebSiteUrlProperty, WebSiteUrl, connection);
}

std::string TFtpPublishParameters::PrepareStagingFolder(const std::string& programFolder)
{
    const std::string folder = programFolder + "/" + kStagingFolderName;
    if (std::filesystem::is_directory(folder))
        TCommonFunctions::ClearDirectory(folder);
    else
        std::filesystem::create_directories(folder);
    return folder;
}

std::vector<std::string> TFtpPublishParameters::RunParameters(const std::string& stagingFolder) const
{
    std::vector<std::string> params{"Path=" + stagingFolder,
                                    "LangCode=" + LangCode,
                                    "UpdateMethod=" + UpdateMethod,
                                    "HostName=" + HostName,
                                    "DefaultDirectory=" + DefaultDirectory,
                                    "IndexFileName=" + TPublishParameters::IndexFileNameToSend(IndexFileName)};
    if (ServerSideScripts)
        params.push_back("MakeServerSideScripts=yes");
    if (PageId != 0)
        params.push_back("PublishPage=" + std::to_string(PageId));
    return params;
}
