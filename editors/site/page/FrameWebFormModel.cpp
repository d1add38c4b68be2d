#include "editors/site/page/FrameWebFormModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "generation/Transformer.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <cstdlib>

namespace {

constexpr int kErrorPageId = 13;

std::string Decoded(const std::string& text)
{
    try {
        return TParamList::UrlDecode(text);
    } catch (const ECriticalTolvexException&) {
        return text;  // a stray "%" is taken as it stands
    }
}

}  // namespace

TFrameWebFormModel::TFrameWebFormModel(const TSiteModelContext& context, const std::string& editorName)
    : context_(context), editorName_(editorName)
{
}

std::string TFrameWebFormModel::Setting(const char* key) const
{
    return context_.Catalog.GetDefinition().GetFilterValue(editorName_, key);
}

std::string TFrameWebFormModel::TabCaption() const
{
    return TabCaption(context_.Catalog.GetDefinition(), editorName_);
}

std::string TFrameWebFormModel::TabCaption(const TCatalogDefinition& definition, const std::string& editorName)
{
    const std::string caption = definition.GetFilterValue(editorName, "TabCaption");
    return caption.empty() ? TTranslation::OrEnglish(Translation).Translate("Edit") : caption;
}

int TFrameWebFormModel::FormTemplateId() const
{
    const std::string classTag = Setting("TemplateClassXmlTag");
    const std::string memberTag = Setting("TemplateMemberXmlTag");
    if (Setting("TemplateType") != "ByChild" || classTag.empty() || memberTag.empty())
        return 0;
    TAbstractCObject* object = context_.Objects.GetObject(context_.ItemId, classTag);
    const int templateItem = object ? object->GetInteger(memberTag, 0) : 0;
    if (templateItem == 0)
        return 0;
    return context_.Data.GetQueries().FindChildOfType(templateItem, std::atoi(Setting("MasterTemplateType").c_str()),
                                                      context_.Connection, context_.CatalogCode);
}

std::string TFrameWebFormModel::StoredData() const
{
    const std::string classTag = Setting("ParamClassXmlTag");
    const std::string memberTag = Setting("ParamMemberXmlTag");
    if (classTag.empty() || memberTag.empty())
        return std::string();
    TAbstractCObject* object = context_.Objects.GetObject(context_.ItemId, classTag);
    return object ? object->GetLangString(memberTag, context_.LangCode, 0) : std::string();
}

std::string TFrameWebFormModel::PageUrl(int itemId) const
{
    return std::string(TTolvex::kPreviewHost) + "/" + context_.LangCode + "/" + std::to_string(itemId) + ".html";
}

TFrameWebFormModel::TFormPage TFrameWebFormModel::Generate()
{
    formUrl_.clear();
    const int form = FormTemplateId();
    if (form == 0)
        return {};
    TTransformer transformer(context_.Data.GetPageGeneration(), context_.CatalogCode, nullptr);
    const std::string paramName = Setting("ParamName");
    if (!paramName.empty() && !Setting("ParamClassXmlTag").empty() && !Setting("ParamMemberXmlTag").empty())
        transformer.SetParameter(paramName, StoredData());
    const int formType = context_.Data.GetQueries().GetItemType(form, context_.CatalogCode, context_.Connection);
    const bool generated = transformer.GeneratePage(form, form, formType, context_.LangCode, context_.Objects,
                                                    context_.Connection, "") &&
                           !transformer.TransformFailed();
    TTransformCache& cache = context_.Data.GetTransformCache();
    if (generated) {
        cache.PutTransformResult(context_.TreeItemId, 0, transformer.GetResultHtml(), context_.LangCode);
        formUrl_ = PageUrl(context_.TreeItemId);
    } else {
        // The browser shows page 13 as HTML: the transformer's own error
        // page when it made one (its text escaped), else the error text
        // escaped into a page of its own.
        std::string error = transformer.GetResultHtml();
        if (error.empty()) {
            std::string text = transformer.GetErrorText();
            if (text.empty())
                text = TTranslation::OrEnglish(Translation).Translate("The page could not be generated.");
            error = TCommonFunctions::PlainTextPage(text);
        }
        cache.PutTransformResult(kErrorPageId, 0, error, context_.LangCode);
        formUrl_ = PageUrl(kErrorPageId);
    }
    return {generated, formUrl_};
}

bool TFrameWebFormModel::IsAllowedNavigation(const std::string& url) const
{
    return url == "about:blank" || (!formUrl_.empty() && url == formUrl_);
}

void TFrameWebFormModel::ApplySubmittedData(const std::string& postedData, const std::string& url,
                                            std::string* nameChanged)
{
    if (nameChanged)
        nameChanged->clear();
    std::string data = postedData;
    const std::size_t question = url.find('?');
    if (data.empty() && question != std::string::npos)
        data = url.substr(question + 1);
    for (const std::string& field : TParamList::SplitFields(data, '&', false)) {
        if (TParamList::NameOf(field) != "ItemName")
            continue;
        TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames");
        const std::string name = Decoded(TParamList::ValueOf(field));
        if (names && names->GetLangString("ItemName", context_.LangCode, 0) != name) {
            names->SetLangString("ItemName", context_.LangCode, name, 0);
            if (nameChanged)
                *nameChanged = name;
        }
    }
    const std::string classTag = Setting("ParamClassXmlTag");
    const std::string memberTag = Setting("ParamMemberXmlTag");
    if (changed_ && !classTag.empty() && !memberTag.empty())
        if (TAbstractCObject* object = context_.Objects.GetObject(context_.ItemId, classTag))
            object->SetLangString(memberTag, context_.LangCode, data, 0);
    changed_ = false;
}
