#include "editors/site/company/CompanyInfoModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CaptionValue.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/References.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>

namespace {

constexpr const char* kCompanyClass = "CommonCompanyInfo";
constexpr int kMemberCatalogItemType = 5002;
constexpr const char* kReadOnlyEditor = "VendorInfo";
constexpr const char* kHotelClass = "HotelInfo";
constexpr const char* kCity = "CompanyAddressCity";
constexpr int kHotelCatalogType = 5;
constexpr int kStateCatalogType = 8;
constexpr int kCityList = 13;
constexpr int kStateList = 14;

std::vector<TCompanyInfoModel::TChoice> ReferenceChoices(int refType)
{
    std::vector<std::string> lines;
    RootObject->References().FillReferenceList(refType, lines, true, "");
    std::vector<TCompanyInfoModel::TChoice> choices;
    for (const std::string& line : lines)
        if (CaptionValue::HasValue(line))
            choices.push_back({CaptionValue::CaptionOf(line), CaptionValue::ValueOf(line)});
    return choices;
}

}  // namespace

TCompanyInfoModel::TCompanyInfoModel(const TSiteModelContext& context, std::vector<std::string> members,
                                     int frameItemId, const std::string& editorName)
    : context_(context),
      members_(std::move(members)),
      frameItemId_(context.ItemType == kMemberCatalogItemType ? kCompanyItemId : frameItemId),
      readOnly_(editorName == kReadOnlyEditor),
      memberCatalog_(context.ItemType == kMemberCatalogItemType)
{
}

TCompanyInfoModel::~TCompanyInfoModel() = default;

std::vector<TCompanyInfoModel::TChoice> TCompanyInfoModel::Countries()
{
    return CodeNameChoices(RootObject->References().GetCountries());
}

std::vector<TCompanyInfoModel::TChoice> TCompanyInfoModel::CodeNameChoices(const std::vector<std::string>& lines)
{
    std::vector<TChoice> choices;
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            choices.push_back({line.substr(equals + 1), line.substr(0, equals)});
    }
    return choices;
}

bool TCompanyInfoModel::UsesCityList() const
{
    return context_.Data.GetCatalogType() == kHotelCatalogType &&
           std::find(members_.begin(), members_.end(), kCity) != members_.end();
}

bool TCompanyInfoModel::UsesStateList() const { return context_.Data.GetCatalogType() == kStateCatalogType; }

std::vector<TCompanyInfoModel::TChoice> TCompanyInfoModel::CityChoices() { return ReferenceChoices(kCityList); }

std::vector<TCompanyInfoModel::TChoice> TCompanyInfoModel::StateChoices() { return ReferenceChoices(kStateList); }

void TCompanyInfoModel::SetCityCode(const std::string& code)
{
    for (const TChoice& city : CityChoices())
        if (city.Code == code) {
            cityCode_ = code;
            SetValue(kCity, city.Caption);
            modified_ = true;
        }
}

TAbstractCObject* TCompanyInfoModel::AcquireObject()
{
    if (!memberCatalog_)
        return context_.Objects.GetObject(frameItemId_, kCompanyClass);
    const int classId = RootObject->ObjectContext().GetClassId(kCompanyClass);
    standAlone_ = context_.Catalog.GetObjectFactory().GetObject(kCompanyItemId, classId, context_.Connection,
                                                                recordCode_);
    return standAlone_.get();
}

void TCompanyInfoModel::ReleaseObject() { standAlone_.reset(); }

void TCompanyInfoModel::Load()
{
    values_.clear();
    modified_ = false;
    if (memberCatalog_) {
        // The member's code, from the member item's own object.
        TAbstractCObject* member = context_.Objects.GetObject(context_.ItemId, "CoCMember");
        recordCode_ = "c#" + (member ? member->GetLangString("CatalogCode", context_.LangCode, 0) : std::string());
    }
    WithObject([this](TAbstractCObject* object) {
        hasObject_ = object != nullptr;
        if (!object)
            return;
        for (const std::string& member : members_)
            values_[member] = object->GetValueText(member, context_.LangCode, 0, false);
    });
    cityCode_.clear();
    if (UsesCityList())
        if (TAbstractCObject* hotel = context_.Objects.GetObject(kCompanyItemId, kHotelClass))
            cityCode_ = hotel->GetString("HotelCityCode", 0);
}

std::string TCompanyInfoModel::Value(const std::string& member) const
{
    const auto found = values_.find(member);
    return found == values_.end() ? std::string() : found->second;
}

void TCompanyInfoModel::SetValue(const std::string& member, const std::string& text)
{
    if (Value(member) == text)
        return;
    values_[member] = text;
    modified_ = true;
}

void TCompanyInfoModel::Store()
{
    if (!modified_ || memberCatalog_ || context_.LangCode.empty())
        return;
    TAbstractCObject* object = context_.Objects.GetObject(frameItemId_, kCompanyClass);
    if (!object)
        return;
    for (const std::string& member : members_)
        object->SetValueText(member, context_.LangCode, Value(member), 0);
    if (UsesCityList())
        if (TAbstractCObject* hotel = context_.Objects.GetObject(kCompanyItemId, kHotelClass))
            hotel->SetString("HotelCityCode", cityCode_, 0);
    modified_ = false;
}
