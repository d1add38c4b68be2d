#include "editors/site/page/FrameItemPropertiesModel.h"

#include "catalog/Catalog.h"
#include "common/CommonFunctionsDetail.h"
#include "common/WellKnownIds.h"
#include "editors/site/page/PagePropertiesModel.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

namespace {

constexpr const char* kAllLanguages = "XXX";
constexpr int kCaptionMessage = 1;
constexpr int kHintMessage = 2;

// Whether the item has an object of the class (asking for one would create it).
bool HasObject(TAbstractObjectCollection& objects, int itemId, int classId)
{
    std::vector<std::string> instances;
    objects.GetInstanceIds(itemId, classId, instances);
    return !instances.empty();
}

}  // namespace

void TFrameItemPropertiesModel::Load()
{
    nameEdited_ = imageCodeEdited_ = modified_ = false;
    imageCode_ = context_.Catalog.GetExpandedImageCode(context_.TreeItemId, context_.CatalogCode, context_.Connection);
    name_.clear();
    altFileName_.clear();
    version_.clear();
    hasNames_ = HasObject(context_.Objects, context_.ItemId, kNamesClassId) &&
                HasObject(context_.Objects, context_.ItemId, kVersionClass);
    if (!hasNames_)
        return;
    TAbstractCObject* names = context_.Objects.GetObject(context_.ItemId, "CommonNames");
    TAbstractCObject* version = context_.Objects.GetObject(context_.ItemId, "Version");
    name_ = names->GetLangString("ItemName", context_.LangCode, 0);
    altFileName_ = names->GetLangString("AltFileName", context_.LangCode, 0);
    version_ = version->GetLangString("Version", context_.LangCode, 0);
}

TFrameItemPropertiesModel::TMemberTexts TFrameItemPropertiesModel::MemberTexts(const std::string& member) const
{
    TAbstractCObject* names = hasNames_ ? context_.Objects.GetObject(context_.ItemId, "CommonNames") : nullptr;
    TAbstractCClassDefinition* definition = names ? names->GetClassDefinition() : nullptr;
    if (!definition)
        return {};
    const int memberId = definition->GetMemberId(member);
    return {definition->GetMessage(memberId, kCaptionMessage, context_.LangCode),
            definition->GetMessage(memberId, kHintMessage, context_.LangCode)};
}

void TFrameItemPropertiesModel::SetName(const std::string& name)
{
    name_ = name;
    nameEdited_ = modified_ = true;
}

void TFrameItemPropertiesModel::SetAltFileName(const std::string& text)
{
    altFileName_ = text;
    modified_ = true;
}

void TFrameItemPropertiesModel::SetVersion(const std::string& version)
{
    version_ = version;
    modified_ = true;
}

void TFrameItemPropertiesModel::SetImageCode(const std::string& code)
{
    imageCode_ = code;
    imageCodeEdited_ = modified_ = true;
}

void TFrameItemPropertiesModel::NameChanged(int itemId, const std::string& name)
{
    if (itemId == context_.ItemId)
        name_ = name;
}

void TFrameItemPropertiesModel::Store(std::string* nameChanged)
{
    if (nameChanged)
        nameChanged->clear();
    if (!modified_)
        return;
    if (imageCodeEdited_) {
        TCatalog* catalog = &context_.Catalog;
        const std::string code = common_detail::Trim(imageCode_);
        const int treeItemId = context_.TreeItemId;
        const std::string catalogCode = context_.CatalogCode;
        writes_.Write([=](TAbstractDBConnection& connection) {
            catalog->SetExpandedImageCode(code, treeItemId, catalogCode, connection);
        });
    }
    TAbstractCObject* names = hasNames_ ? context_.Objects.GetObject(context_.ItemId, "CommonNames") : nullptr;
    TAbstractCObject* version = hasNames_ ? context_.Objects.GetObject(context_.ItemId, "Version") : nullptr;
    if (names && version) {
        if (nameEdited_) {
            names->SetLangString("ItemName", kAllLanguages, name_, 0);
            names->SetLangString("ItemName", context_.LangCode, name_, 0);
            if (nameChanged)
                *nameChanged = name_;
        }
        altFileName_ = TPagePropertiesModel::FilterFileName(altFileName_);
        names->SetLangString("AltFileName", context_.LangCode, altFileName_, 0);
        version->SetLangString("Version", context_.LangCode, version_, 0);
    }
    nameEdited_ = imageCodeEdited_ = modified_ = false;
}
