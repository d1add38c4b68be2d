#include "editors/business/products/ProductShippingModel.h"

#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

TProductShippingModel::TProductShippingModel(const TSiteModelContext& context) : context_(context) {}

const std::vector<std::string>& TProductShippingModel::TextMembers()
{
    static const std::vector<std::string> members = {"MonthlyCapacity", "PreparationTimeToShip", "StorageLocation",
                                                     "TaxClass"};
    return members;
}

void TProductShippingModel::Load()
{
    values_.clear();
    date_ = 0;
    dateSet_ = false;
    if (TAbstractCObject* shipping = context_.Objects.GetObject(context_.ItemId, "ProductShipping")) {
        for (const std::string& member : TextMembers())
            values_[member] = shipping->GetLangString(member, context_.LangCode, 0);
        date_ = shipping->GetLangNumber("DateIntroduced", context_.LangCode, 0);
    }
}

std::string TProductShippingModel::Value(const std::string& member) const
{
    const auto found = values_.find(member);
    return found == values_.end() ? std::string() : found->second;
}

void TProductShippingModel::SetValue(const std::string& member, const std::string& value)
{
    values_[member] = value;
}

void TProductShippingModel::SetDateIntroduced(double days)
{
    date_ = days;
    dateSet_ = days != 0;
}

void TProductShippingModel::Store()
{
    TAbstractCObject* shipping = context_.Objects.GetObject(context_.ItemId, "ProductShipping");
    if (!shipping)
        return;
    for (const std::string& member : TextMembers())
        if (shipping->GetLangString(member, context_.LangCode, 0) != Value(member))
            shipping->SetLangString(member, context_.LangCode, Value(member), 0);
    if (dateSet_)
        shipping->SetLangNumber("DateIntroduced", context_.LangCode, date_, 0);
}
