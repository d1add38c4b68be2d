#include "editors/media/templates/settings/TemplateSettingsModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "catalog/TransformCache.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "generation/Transformer.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"

#include <map>

namespace {

constexpr int kSettingsNameMemberId = 1;

std::string Decoded(const std::string& text)
{
    try {
        return TParamList::UrlDecode(text);
    } catch (const ECriticalTolvexException&) {
        return text;  // a stray "%" is taken as it stands
    }
}

std::string PageUrl(const std::string& lang, int itemId)
{
    return std::string(TTolvex::kPreviewHost) + "/" + lang + "/" + std::to_string(itemId) + ".html";
}

}  // namespace

TTemplateSettingsModel::TTemplateSettingsModel(const TSiteModelContext& context) : context_(context)
{
    std::vector<std::string> children;
    context_.Data.GetQueries().GetChildIdsOfType(context_.TreeItemId, kSettingsPageType, context_.Connection,
                                                 children);
    if (!children.empty())
        settingsItemId_ = std::atoi(children.front().c_str());
}

TTemplateSettingsModel::TFormPage TTemplateSettingsModel::Generate()
{
    pageUrl_.clear();
    if (settingsItemId_ == 0)
        return {};
    // The settings page is a template drawn by itself; its rules reach the
    // template it configures as its parent.
    TTransformer transformer(context_.Data.GetPageGeneration(), context_.CatalogCode, nullptr);
    transformer.SetTemplates(settingsItemId_, 0, 0, 0, 0);
    const bool generated = transformer.GeneratePage(settingsItemId_, settingsItemId_, kSettingsPageType,
                                                    context_.LangCode, context_.Objects, context_.Connection, "") &&
                           !transformer.TransformFailed();
    TTransformCache& cache = context_.Data.GetTransformCache();
    if (generated) {
        cache.PutTransformResult(settingsItemId_, 0, transformer.GetResultHtml(), context_.LangCode);
        pageUrl_ = PageUrl(context_.LangCode, settingsItemId_);
    } else {
        std::string error = transformer.GetResultHtml();
        if (error.empty())
            error = TCommonFunctions::PlainTextPage(transformer.GetErrorText());
        cache.PutTransformResult(kErrorPageId, 0, error, context_.LangCode);
        pageUrl_ = PageUrl(context_.LangCode, kErrorPageId);
    }
    return {generated, pageUrl_};
}

bool TTemplateSettingsModel::IsAllowedNavigation(const std::string& url) const
{
    return url == "about:blank" || (!pageUrl_.empty() && url == pageUrl_);
}

void TTemplateSettingsModel::ApplySubmittedData(const std::string& formData)
{
    // Settings made by an earlier field of the same form, not yet in the database.
    std::map<std::string, TAbstractCObject*> made;
    for (const std::string& field : TParamList::SplitFields(formData, '&', false)) {
        const std::string name = Decoded(TParamList::NameOf(field));
        const std::string value = Decoded(TParamList::ValueOf(field));
        if (name.empty())
            continue;
        TAbstractCObject* setting = made.count(name) ? made[name] : nullptr;
        if (!setting) {
            const int instance = context_.Data.GetQueries().FindInstanceByValue(
                context_.ItemId, kSettingsClassId, kSettingsNameMemberId, context_.Connection, kNoLanguageCode, name);
            if (instance != 0)
                setting = context_.Objects.GetObjectByInstance(context_.ItemId, instance);
        }
        if (!setting) {
            if (name == "submit")
                continue;
            setting = context_.Objects.CreateObject(context_.ItemId, kSettingsClassId, 0);
            if (!setting)
                continue;
            setting->SetLangString("SettingsName", kNoLanguageCode, name, 0);
            made[name] = setting;
        }
        setting->SetLangString("SettingsValue", kNoLanguageCode, value, 0);
    }
}
