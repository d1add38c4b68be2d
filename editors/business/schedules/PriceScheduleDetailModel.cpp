#include "editors/business/schedules/PriceScheduleDetailModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/Amount.h"
#include "common/Translation.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/ItemNames.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

TPriceScheduleDetailModel::TPriceScheduleDetailModel(const TSiteModelContext& context) : context_(context) {}

void TPriceScheduleDetailModel::Load()
{
    values_ = {};
    values_.Name = TItemNames::NameOf(context_.Objects, context_.ItemId, context_.LangCode);
    if (TAbstractCObject* schedule = context_.Objects.GetObject(context_.ItemId, "CommonPriceSchedule")) {
        values_.CurrencyCode = schedule->GetLangString("CurrencyCode", context_.LangCode, 0);
        const int visibility = schedule->GetLangInteger("PriceVisibility", context_.LangCode, 0);
        values_.Visibility = visibility >= pvApprovedBuyers && visibility <= pvHidden
                                 ? static_cast<TVisibility>(visibility)
                                 : pvPublic;
        values_.Calculated = schedule->GetLangBoolean("Calculated", context_.LangCode, 0);
        if (values_.Calculated) {
            values_.CalculatedType = schedule->GetLangInteger("CalculatedType", context_.LangCode, 0);
            values_.CalculatedValue = TAmount::ToText(schedule->GetLangNumber("CalculatedValue", context_.LangCode, 0));
        }
    }
    if (values_.CurrencyCode.empty())
        values_.CurrencyCode = context_.Data.GetCatalogProperty(business_ids::kDefaultCurrency, context_.Connection);
    loaded_ = values_;
}

std::string TPriceScheduleDetailModel::Validate() const
{
    // Only a name other than the saved one is tested (the list's New tested
    // the name a new schedule came with). The saved name is read from the
    // database: a preview stores the typed one into the objects before.
    const std::string saved = context_.Data.GetItemName(context_.ItemId, context_.Connection, context_.LangCode);
    if (values_.Name != saved &&
        TItemNames::IsTaken(context_, business_ids::kScheduleType, values_.Name, context_.ItemId))
        return TTranslation::OrEnglish(Translation).Format("There already is price schedule with the name", {});
    return {};
}

void TPriceScheduleDetailModel::Store()
{
    TAbstractCObject* schedule = context_.Objects.GetObject(context_.ItemId, "CommonPriceSchedule");
    if (!schedule)
        return;
    if (NameChanged())
        TItemNames::SetName(context_.Objects, context_.ItemId, context_.LangCode, values_.Name);
    schedule->SetLangString("CurrencyCode", context_.LangCode, values_.CurrencyCode, 0);
    schedule->SetLangNumber("PriceVisibility", context_.LangCode, values_.Visibility, 0);
    if (values_.Calculated) {
        schedule->SetLangNumber("CalculatedValue", context_.LangCode, TAmount::ReadOrZero(values_.CalculatedValue), 0);
        schedule->SetLangNumber("CalculatedType", context_.LangCode, values_.CalculatedType, 0);
    }
    loaded_ = values_;
}
