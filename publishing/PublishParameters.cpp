#include "publishing/PublishParameters.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "storage/References.h"

namespace {

constexpr int kIndexFileNameProperty = 711;

}  // namespace

TPublishParameters TPublishParameters::ForOpenCatalog(TTolvex& root, const TTranslation* translation)
{
    TCatalogData* data = root.GetCatalogData();
    if (!data)
        throw EPublisherTolvexException("No catalog is open");
    TPublishParameters choices;
    const std::string all = "[All possible]";
    choices.Languages.push_back((translation ? translation->Translate(all) : all) + "===");
    for (const std::string& code : data->GetLanguages())
        choices.Languages.push_back(root.References().GetLanguageName(code) + "===" + code);
    choices.IndexFileName =
        data->GetCatalogProperty(kIndexFileNameProperty, data->GetPageGeneration().GetMainConnection());
    if (choices.IndexFileName.empty())
        choices.IndexFileName = "index.html";
    return choices;
}

std::string TPublishParameters::IndexFileNameToSend(const std::string& typed)
{
    return common_detail::Trim(typed).empty() ? "index.html" : typed;
}

std::vector<std::string> TPublishParameters::RunParameters(const std::string& path, const std::string& langCode,
                                                           const std::string& indexFileName, bool serverSideScripts,
                                                           int pageId)
{
    std::vector<std::string> params{"Path=" + path, "LangCode=" + langCode, "IndexFileName=" + indexFileName};
    if (serverSideScripts)
        params.push_back("MakeServerSideScripts=yes");
    if (pageId != 0)
        params.push_back("PublishPage=" + std::to_string(pageId));
    return params;
}
