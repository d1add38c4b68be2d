#include "editors/business/products/ProductSpecsModel.h"

#include "catalog/CatalogData.h"
#include "editors/business/BusinessIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <algorithm>

TProductSpecsModel::TProductSpecsModel(const TSiteModelContext& context) : context_(context) {}

const std::vector<std::string>& TProductSpecsModel::StoredMembers()
{
    static const std::vector<std::string> members = {"Width",    "Length",         "Height",        "Diameter",
                                                     "DimensionsUnit", "Weight",   "WeightUnit",    "Material",
                                                     "PackingDetails", "DominantColor", "Keywords", "Comments"};
    return members;
}

bool TProductSpecsModel::IsMeasure(const std::string& member)
{
    static const std::vector<std::string> measures = {"Width", "Length", "Height", "Diameter", "Weight"};
    return std::find(measures.begin(), measures.end(), member) != measures.end();
}

void TProductSpecsModel::Load()
{
    values_.clear();
    dominantRGB_.clear();
    if (TAbstractCObject* specs = context_.Objects.GetObject(context_.ItemId, "ProductSpecs")) {
        for (const std::string& member : StoredMembers())
            values_[member] = specs->GetLangString(member, context_.LangCode, 0);
        dominantRGB_ = specs->GetLangString("DominantRGB", context_.LangCode, 0);
    }
    const std::pair<const char*, int> units[] = {{"DimensionsUnit", business_ids::kDefaultDimensionsUnit},
                                                 {"WeightUnit", business_ids::kDefaultWeightUnit}};
    for (const auto& [member, property] : units)
        if (values_[member].empty())
            values_[member] = context_.Data.GetCatalogProperty(property, context_.Connection);
}

std::string TProductSpecsModel::Value(const std::string& member) const
{
    const auto found = values_.find(member);
    return found == values_.end() ? std::string() : found->second;
}

void TProductSpecsModel::SetValue(const std::string& member, const std::string& value)
{
    values_[member] = value;
}

void TProductSpecsModel::Store()
{
    TAbstractCObject* specs = context_.Objects.GetObject(context_.ItemId, "ProductSpecs");
    if (!specs)
        return;
    for (const std::string& member : StoredMembers())
        if (specs->GetLangString(member, context_.LangCode, 0) != Value(member))
            specs->SetLangString(member, context_.LangCode, Value(member), 0);
    if (specs->GetLangString("DominantRGB", context_.LangCode, 0) != dominantRGB_)
        specs->SetLangString("DominantRGB", context_.LangCode, dominantRGB_, 0);
}
