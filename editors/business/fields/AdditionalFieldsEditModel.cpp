#include "editors/business/fields/AdditionalFieldsEditModel.h"

#include "catalog/CatalogData.h"
#include "editors/business/BusinessIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <cstdlib>
#include <map>
#include <utility>

TAdditionalFieldsEditModel::TAdditionalFieldsEditModel(const TSiteModelContext& context) : context_(context) {}

void TAdditionalFieldsEditModel::Load()
{
    rows_.clear();
    std::vector<std::string> definitions;
    context_.Data.GetQueries().ListChildren(business_ids::kFieldsRoot, definitions, business_ids::kFieldType,
                                            context_.Connection, context_.LangCode, context_.CatalogCode);
    // The product's values by field, from its objects (unsaved ones included).
    std::map<int, std::pair<int, std::string>> values;
    std::vector<std::string> instances;
    context_.Objects.GetInstanceIds(context_.ItemId, business_ids::kFieldValueClass, instances);
    for (const std::string& text : instances) {
        const int instanceId = std::atoi(text.c_str());
        TAbstractCObject* object = context_.Objects.GetObjectByInstance(context_.ItemId, instanceId);
        if (!object)
            continue;
        const int fieldId = object->GetLangInteger("AdditionalField", context_.LangCode, 0);
        if (fieldId != 0 && !values.count(fieldId))
            values[fieldId] = {instanceId, object->GetLangString("FieldData", context_.LangCode, 0)};
    }
    for (const std::string& line : definitions) {
        const std::size_t equals = line.find('=');
        TRow row;
        row.FieldId = std::atoi(line.substr(0, equals).c_str());
        row.Caption = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        if (const auto found = values.find(row.FieldId); found != values.end()) {
            row.InstanceId = found->second.first;
            row.Value = found->second.second;
        }
        rows_.push_back(row);
    }
    loaded_.clear();
    for (const TRow& row : rows_)
        loaded_.push_back(row.Value);
}

void TAdditionalFieldsEditModel::SetValue(int row, const std::string& value)
{
    if (row >= 0 && row < static_cast<int>(rows_.size()))
        rows_[static_cast<std::size_t>(row)].Value = value;
}

bool TAdditionalFieldsEditModel::IsModified() const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Value != loaded_[i])
            return true;
    return false;
}

void TAdditionalFieldsEditModel::Store()
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        TRow& row = rows_[i];
        if (row.Value == loaded_[i])
            continue;
        TAbstractCObject* object =
            row.InstanceId ? context_.Objects.GetObjectByInstance(context_.ItemId, row.InstanceId) : nullptr;
        const bool defaultLanguage = context_.LangCode == context_.Data.GetDefaultLangCode();
        if (row.Value.empty() && defaultLanguage) {
            if (object)
                context_.Objects.DeleteObject(context_.ItemId, row.InstanceId);
            row.InstanceId = 0;
        } else if (row.Value.empty()) {
            // Cleared in another language: the default language's value shows again there.
            if (object)
                object->SetLangString("FieldData", context_.LangCode, std::string(), 0);
        } else {
            if (!object) {
                object = context_.Objects.CreateObject(context_.ItemId, business_ids::kFieldValueClass, 0);
                if (!object)
                    continue;
                row.InstanceId = object->GetInstanceId();
                object->SetLangNumber("AdditionalField", context_.LangCode, row.FieldId, 0);
            }
            object->SetLangString("FieldData", context_.LangCode, row.Value, 0);
        }
        loaded_[i] = row.Value;
    }
}
