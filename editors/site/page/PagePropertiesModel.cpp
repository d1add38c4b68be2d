#include "editors/site/page/PagePropertiesModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

namespace {

constexpr const char* kFileNameChars = "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";

const TTranslation& Texts() { return TTranslation::OrEnglish(Translation); }

}  // namespace

std::string TPagePropertiesModel::FilterFileName(const std::string& text)
{
    return TCommonFunctions::FilterChars(text, kFileNameChars);
}

bool TPagePropertiesModel::ShowsVisibleBox() const
{
    return !RootObject || context_.TreeItemId != RootObject->GetHomePageId();
}

TAbstractCObject* TPagePropertiesModel::Object(const char* classTag) const
{
    return context_.Objects.GetObject(context_.ItemId, classTag);
}

bool TPagePropertiesModel::HasObjects() const { return Object("CommonWebPage") && Object("CommonNames"); }

void TPagePropertiesModel::InitNewItem(const std::string& newItemCaption)
{
    if (TAbstractCObject* names = Object("CommonNames"))
        names->SetLangString("ItemName", context_.Data.GetDefaultLangCode(), newItemCaption, 0);
}

void TPagePropertiesModel::Load()
{
    nameEdited_ = altFileNameEdited_ = visibilityChanged_ = modified_ = false;
    name_.clear();
    altFileName_.clear();
    pageUrl_.clear();
    visible_ = context_.Data.GetBookkeeping().IsItemVisible(context_.TreeItemId, context_.Connection);
    if (!HasObjects())
        return;
    TAbstractCObject& names = *Object("CommonNames");
    name_ = names.GetLangString("ItemName", context_.LangCode, 0);
    altFileName_ = names.GetLangString("AltFileName", context_.LangCode, 0);
    RebuildPageUrl(std::string());
    LoadObjects();
}

void TPagePropertiesModel::KeepPendingVisibility(const TPagePropertiesModel& earlier)
{
    if (!earlier.visibilityChanged_)
        return;
    visible_ = earlier.visible_;
    visibilityChanged_ = true;
}

void TPagePropertiesModel::RebuildPageUrl(const std::string& altName)
{
    if (RootObject)
        pageUrl_ = RootObject->GetHostedPageUrl(context_.TreeItemId, context_.ItemType, 0, context_.LangCode,
                                                &context_.Connection, altName);
}

void TPagePropertiesModel::SetName(const std::string& name)
{
    name_ = name;
    nameEdited_ = true;
    modified_ = true;
}

void TPagePropertiesModel::SetAltFileName(const std::string& text)
{
    altFileName_ = text;
    altFileNameEdited_ = true;
    modified_ = true;
}

void TPagePropertiesModel::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    visibilityChanged_ = true;
    modified_ = true;
}

std::string TPagePropertiesModel::PageUrlError() const
{
    return pageUrl_.find('/') == std::string::npos ? Texts().Translate("Not published page.") : std::string();
}

void TPagePropertiesModel::ApplyNameToObjects()
{
    if (nameEdited_ && HasObjects() && !context_.LangCode.empty())
        Object("CommonNames")->SetLangString("ItemName", context_.LangCode, name_, 0);
}

void TPagePropertiesModel::NameChanged(int itemId, const std::string& name)
{
    if (itemId == context_.ItemId)
        SetName(name);
}

std::string TPagePropertiesModel::Validate(TInvalid* invalid) const
{
    if (invalid)
        *invalid = ivNone;
    if (altFileNameEdited_ && !altFileName_.empty() &&
        context_.Catalog.AltFileNameExists(altFileName_, context_.ItemId, context_.Connection, context_.CatalogCode)) {
        if (invalid)
            *invalid = ivAltFileName;
        return Texts().Format("Alternative page file name \"$1\" already exists. Change it.", {altFileName_});
    }
    if (name_.find_first_not_of(" \t\r\n") == std::string::npos) {
        if (invalid)
            *invalid = ivName;
        return Texts().Translate("Enter page name");
    }
    return std::string();
}

void TPagePropertiesModel::Store(std::string* nameChanged)
{
    if (nameChanged)
        nameChanged->clear();
    if (visibilityChanged_) {
        // Not on the editing connection at once: a preview's rollback or a
        // refused save would take it away again. The flag stays until Saved.
        TCatalogData* data = &context_.Data;
        const int itemId = context_.ItemId;
        const bool visible = visible_;
        writes_.Write("Visible:" + std::to_string(itemId), [data, itemId, visible](TAbstractDBConnection& connection) {
            data->GetBookkeeping().SetItemVisible(itemId, visible, connection);
        });
    }
    if (!modified_ || !HasObjects() || context_.LangCode.empty())
        return;
    TAbstractCObject& names = *Object("CommonNames");
    if (nameEdited_) {
        names.SetLangString("ItemName", context_.LangCode, name_, 0);
        if (nameChanged)
            *nameChanged = name_;
        nameEdited_ = false;
    }
    names.SetLangString("AltFileName", context_.LangCode, altFileName_, 0);
    RebuildPageUrl(altFileName_);
    StoreObjects();
    modified_ = false;
}
