#include "editors/media/templates/reports/ReportCustomizationModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "editors/framework/EditorParams.h"
#include "generation/Transformer.h"

TReportCustomizationModel::TReportCustomizationModel(const TSiteModelContext& context, std::vector<std::string>* params)
    : context_(context), params_(params)
{
}

std::string TReportCustomizationModel::PageUrl(int itemId) const
{
    return std::string(TTolvex::kPreviewHost) + "/" + context_.LangCode + "/" + std::to_string(itemId) + ".html";
}

std::string TReportCustomizationModel::Generate()
{
    TTransformer transformer(context_.Data.GetPageGeneration(), context_.CatalogCode, nullptr);
    if (params_) {
        const std::string created = ValueOfName(*params_, "created");
        const std::string customized = ValueOfName(*params_, "customized");
        if (!created.empty())
            transformer.SetParameter("Created", created);
        if (!customized.empty())
            transformer.SetParameter("Customized", customized);
    }
    std::string error;
    generated_ = false;
    try {
        generated_ = transformer.GeneratePage(context_.TreeItemId, context_.TreeItemId, context_.ItemType,
                                              context_.LangCode, context_.Objects, context_.Connection, "") &&
                     !transformer.TransformFailed();
        error = transformer.GetErrorText();
    } catch (const ETolvexException& e) {
        error = e.what();
    }
    TTransformCache& cache = context_.Data.GetTransformCache();
    if (generated_) {
        cache.PutTransformResult(context_.TreeItemId, 0, transformer.GetResultHtml(), context_.LangCode);
        formUrl_ = PageUrl(context_.TreeItemId);
        return formUrl_;
    }
    if (error.empty())
        error = TTranslation::OrEnglish(Translation).Translate("The page could not be generated.");
    cache.PutTransformResult(kErrorPageId, 0, TCommonFunctions::PlainTextPage(error), context_.LangCode);
    formUrl_ = PageUrl(kErrorPageId);
    return formUrl_;
}

bool TReportCustomizationModel::IsAllowedNavigation(const std::string& url) const
{
    return url == "about:blank" || (!formUrl_.empty() && url == formUrl_);
}

bool TReportCustomizationModel::Submit(const std::string& postedData, const std::string& url)
{
    std::string data = postedData;
    const std::size_t question = url.find('?');
    if (data.empty() && question != std::string::npos)
        data = url.substr(question + 1);
    // The error page has no form of the report: nothing it holds is submitted.
    if (data.empty() || !generated_ || !params_)
        return false;
    editor_params::SetValue(*params_, "submitted", data);
    submitted_ = true;
    return true;
}
