#include "editors/site/page/FrameSimplePageMetaTagsModel.h"

#include "editors/site/page/FramePageMetaTagsModel.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

namespace {

constexpr const char* kOwnValues = "NotUseParentProperties";

}  // namespace

bool TFrameSimplePageMetaTagsModel::ShowsParentBox() const
{
    return TFramePageMetaTagsModel::ParentRuleApplies(context_.ParentItemId);
}

bool TFrameSimplePageMetaTagsModel::Objects(TAbstractCObject*& webPage, TAbstractCObject*& keywords,
                                            TAbstractCObject*& other) const
{
    webPage = context_.Objects.GetObject(context_.ItemId, "CommonWebPage");
    keywords = context_.Objects.GetObject(context_.ItemId, "CommonKeywords");
    other = context_.Objects.GetObject(context_.ItemId, "WebDocumentOther");
    return webPage && keywords && other;
}

void TFrameSimplePageMetaTagsModel::Load()
{
    values_ = TValues();
    useParent_ = false;
    modified_ = false;
    TAbstractCObject *webPage, *keywords, *other;
    if (!Objects(webPage, keywords, other))
        return;
    const std::string& lang = context_.LangCode;
    values_.MetaDescription = webPage->GetValueText("MetaDescription", lang, 0, false);
    values_.MetaKeywords = keywords->GetValueText("MetaKeywords", lang, 0, false);
    values_.UseParentKeywords = keywords->GetValueText("UseParentKeywords", lang, 0, false);
    values_.Refresh = other->GetValueText("Refresh", lang, 0, false);
    values_.RefreshURL = other->GetValueText("RefreshURL", lang, 0, false);
    useParent_ = ShowsParentBox() && !webPage->GetBoolean(kOwnValues, 0);
}

void TFrameSimplePageMetaTagsModel::SetUseParent(bool useParent)
{
    if (!ShowsParentBox() || useParent_ == useParent)
        return;
    useParent_ = useParent;
    modified_ = true;
}

void TFrameSimplePageMetaTagsModel::SetValues(const TValues& values)
{
    values_ = values;
    modified_ = true;
}

void TFrameSimplePageMetaTagsModel::Store()
{
    TAbstractCObject *webPage, *keywords, *other;
    const std::string& lang = context_.LangCode;
    if (!modified_ || lang.empty() || !Objects(webPage, keywords, other))
        return;
    modified_ = false;
    if (useParent_) {
        TFramePageMetaTagsModel::ClearObject(*other);
        TFramePageMetaTagsModel::ClearBasic(*webPage, *keywords);
        return;
    }
    keywords->SetValueText("MetaKeywords", lang, values_.MetaKeywords, 0);
    keywords->SetValueText("UseParentKeywords", lang, values_.UseParentKeywords, 0);
    webPage->SetValueText("MetaDescription", lang, values_.MetaDescription, 0);
    for (TAbstractCObject* object : {webPage, keywords, other})
        object->SetBoolean(kOwnValues, true, 0);
    other->SetValueText("Refresh", lang, values_.Refresh, 0);
    other->SetValueText("RefreshURL", lang, values_.RefreshURL, 0);
}
