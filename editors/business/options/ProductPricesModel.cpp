#include "editors/business/options/ProductPricesModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/Amount.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/options/SubObjectList.h"
#include "editors/framework/EditorParams.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <algorithm>
#include <optional>
#include <cstdlib>

namespace {

constexpr int kScheduleClass = 6;
constexpr int kCurrencyMember = 1;

std::string Text(const std::string& text, std::initializer_list<TFormatArg> args = {})
{
    return TTranslation::OrEnglish(Translation).Format(text, args);
}


// A whole number of at least 0 as typed; nothing for any other text. Empty reads as 0.
std::optional<int> Quantity(const std::string& typed)
{
    const std::string text = common_detail::Trim(typed);
    if (text.empty())
        return 0;
    if (text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

std::string Yes(bool value)
{
    return value ? "yes" : "no";
}

}  // namespace

TProductPricesModel::TProductPricesModel(const TSiteModelContext& context) : context_(context) {}

TAbstractCObject* TProductPricesModel::Prices() const
{
    return context_.Objects.GetObject(context_.ItemId, "Prices");
}

void TProductPricesModel::Load()
{
    currencies_.clear();
    names_.clear();
    {
        TQueryGuard query(context_.Connection);
        query->SetSQL("SELECT ItemId, StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                      std::to_string(kScheduleClass) + " AND MemberId = " + std::to_string(kCurrencyMember));
        query->SetParam("CatalogCode", context_.CatalogCode);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            currencies_.emplace(FieldInteger(rows, "ItemId"), FieldText(rows, "StringValue"));
    }

    hasOptions_ = false;
    std::vector<int> optionIds;
    if (TAbstractCObject* options = context_.Objects.GetObject(context_.ItemId, "ProductOptions")) {
        std::vector<std::string> ids;
        options->GetLangValues("Options", context_.LangCode, nullptr, ids);
        for (const std::string& id : ids)
            optionIds.push_back(std::atoi(id.c_str()));
        hasOptions_ = options->GetLangBoolean("HasOptions", context_.LangCode, 0) && !optionIds.empty();
    }
    TAbstractCObject* prices = Prices();
    perOption_ = hasOptions_ && prices && prices->GetLangBoolean("HasPricesForEachOption", context_.LangCode, 0);
    combinations_.Set(perOption_ ? TOptionCombinations::Read(context_, optionIds)
                                 : std::vector<TOptionCombinations::TOption>{});

    rows_.clear();
    TSubObjectList list(context_.Objects, context_.ItemId, prices, "Price", context_.LangCode);
    for (int instance : list.Ids())
        if (TAbstractCObject* object = list.Object(instance))
            rows_.push_back(Read(instance, *object));
}

TPriceObject TProductPricesModel::Read(int instanceId, TAbstractCObject& object) const
{
    const std::string& lang = context_.LangCode;
    TPriceObject record;
    record.PriceInstanceId = instanceId;
    record.PriceSchedule = object.GetLangInteger("PriceSchedule", lang, 0);
    record.PriceValue = object.GetLangNumber("PriceValue", lang, 0);
    record.QuantityAtStock = object.GetLangInteger("QuantityAtStock", lang, 0);
    record.MinimumQuantity = object.GetLangInteger("MinimumQuantity", lang, 0);
    if (!object.GetLangBoolean("IsMinimumQuantity", lang, 0))
        record.MinimumQuantity = 0;
    record.IsRequestForQuote = object.GetLangBoolean("IsRequestForQuote", lang, 0);
    std::vector<std::string> values;
    object.GetLangValues("OptionItemId", lang, nullptr, values);
    std::vector<int> ids;
    for (const std::string& value : values)
        ids.push_back(std::atoi(value.c_str()));
    record.OptionItems = TOptionCombinations::KeyOf(ids);
    return record;
}

void TProductPricesModel::Write(TAbstractCObject& object, const TPriceObject& record) const
{
    const std::string& lang = context_.LangCode;
    object.SetLangNumber("PriceSchedule", lang, record.PriceSchedule, 0);
    object.SetLangNumber("PriceValue", lang, record.IsRequestForQuote ? 0 : record.PriceValue, 0);
    object.SetLangNumber("QuantityAtStock", lang, record.QuantityAtStock, 0);
    object.SetLangNumber("MinimumQuantity", lang, record.MinimumQuantity, 0);
    object.SetLangBoolean("IsMinimumQuantity", lang, record.MinimumQuantity > 0, 0);
    object.SetLangBoolean("IsRequestForQuote", lang, record.IsRequestForQuote, 0);
}

void TProductPricesModel::SetPerOptionPrices(bool on)
{
    TAbstractCObject* prices = Prices();
    if (!prices || (on && !hasOptions_))
        return;
    prices->SetLangBoolean("HasPricesForEachOption", context_.LangCode, on, 0);
    Load();
}

int TProductPricesModel::RowOfInstance(int instanceId) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].PriceInstanceId == instanceId)
            return static_cast<int>(i);
    return -1;
}

TAbstractCObject* TProductPricesModel::RowObject(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return nullptr;
    return context_.Objects.GetObjectByInstance(context_.ItemId, rows_[row].PriceInstanceId);
}

std::string TProductPricesModel::ScheduleName(int scheduleId) const
{
    auto found = names_.find(scheduleId);
    if (found == names_.end())
        found = names_.emplace(scheduleId, context_.Data.GetItemName(scheduleId, context_.Connection, context_.LangCode))
                    .first;
    return found->second;
}

std::string TProductPricesModel::CurrencyOf(int scheduleId) const
{
    const auto found = currencies_.find(scheduleId);
    return found == currencies_.end() ? std::string() : found->second;
}

std::vector<std::string> TProductPricesModel::ScheduleList() const
{
    std::vector<std::string> list;
    context_.Data.GetQueries().ListSubtree(business_ids::kSchedulesRoot, list, 0, context_.Connection);
    return list;
}

std::string TProductPricesModel::NamesOf(const std::string& key, const std::string& separator) const
{
    std::string names;
    for (int id : TOptionCombinations::IdsOf(key)) {
        std::string name = combinations_.ValueNameOf(id);
        if (name.empty())
            name = context_.Data.GetItemName(id, context_.Connection, context_.LangCode);
        if (!names.empty())
            names += separator;
        names += name;
    }
    return names;
}

std::string TProductPricesModel::Header(int column) const
{
    if (column == 0)
        return Text("Price Schedule");
    if (column <= OptionColumns())
        return combinations_.Options()[static_cast<std::size_t>(column - 1)].Name;
    if (column == StockColumn())
        return Text("Qty in Stock");
    if (column == MinimumColumn())
        return Text("Minimum order");
    if (column == PriceColumn())
        return Text("Price");
    return {};
}

std::string TProductPricesModel::Cell(int row, int column) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return {};
    const TPriceObject& record = rows_[static_cast<std::size_t>(row)];
    if (column == 0)
        return ScheduleName(record.PriceSchedule);
    if (column <= OptionColumns()) {
        // A row for every combination names no value at all.
        if (record.OptionItems.empty())
            return Text("(any)");
        for (int id : TOptionCombinations::IdsOf(record.OptionItems))
            if (combinations_.OptionOfValue(id) == column - 1)
                return combinations_.ValueNameOf(id);
        return Text("n/a");
    }
    if (column == StockColumn())
        return record.QuantityAtStock < 1 ? std::string() : std::to_string(record.QuantityAtStock);
    if (column == MinimumColumn())
        return record.MinimumQuantity > 0 ? std::to_string(record.MinimumQuantity) : Text("(no minimum)");
    if (column == PriceColumn()) {
        if (record.IsRequestForQuote)
            return Text("Request For Quote");
        const std::string currency = CurrencyOf(record.PriceSchedule);
        return TAmount::ToDisplayText(record.PriceValue) + (currency.empty() ? "" : " " + currency);
    }
    return {};
}

std::string TProductPricesModel::EditText(int row, int column) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return {};
    const TPriceObject& record = rows_[static_cast<std::size_t>(row)];
    if (column == StockColumn())
        return std::to_string(record.QuantityAtStock);
    if (column == MinimumColumn())
        return std::to_string(record.MinimumQuantity);
    if (column == PriceColumn())
        return TAmount::ToText(record.IsRequestForQuote ? 0 : record.PriceValue);
    return Cell(row, column);
}

bool TProductPricesModel::IsDuplicate(int scheduleId, int minimum, const std::string& key, int exceptRow) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (static_cast<int>(i) == exceptRow)
            continue;
        const TPriceObject& record = rows_[i];
        if (record.PriceSchedule == scheduleId && record.MinimumQuantity == minimum && record.OptionItems == key)
            return true;
    }
    return false;
}

std::string TProductPricesModel::SetCell(int row, int column, const std::string& text)
{
    TAbstractCObject* object = RowObject(row);
    if (!object || !IsEditable(column))
        return {};
    TPriceObject record = rows_[static_cast<std::size_t>(row)];
    if (column == PriceColumn()) {
        const std::optional<double> price = TAmount::Read(text);
        // "0" leaves a request for quote as it is; anywhere else a price must be above 0.
        if (record.IsRequestForQuote && price && *price == 0)
            return {};
        if (!price || *price <= 0)
            return Text("Enter correct price value");
        record.PriceValue = *price;
        record.IsRequestForQuote = false;
    } else {
        const std::optional<int> quantity = Quantity(text);
        if (!quantity)
            return Text("Enter correct quantity value");
        if (column == StockColumn()) {
            record.QuantityAtStock = *quantity;
        } else {
            if (IsDuplicate(record.PriceSchedule, *quantity, record.OptionItems, row))
                return Text("The price for \"$1\" price schedule and minimum quantity \"$2\" already exists",
                            {ScheduleName(record.PriceSchedule), std::to_string(*quantity)});
            record.MinimumQuantity = *quantity;
        }
    }
    Write(*object, record);
    rows_[static_cast<std::size_t>(row)] = record;
    return {};
}

std::vector<std::string> TProductPricesModel::DialogParams(int row) const
{
    using editor_params::SetValue;
    std::vector<std::string> params;
    SetValue(params, "ProductItemId", std::to_string(context_.ItemId));
    if (perOption_)
        SetValue(params, "HasDifferentPrices", "yes");
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return params;
    const TPriceObject& record = rows_[static_cast<std::size_t>(row)];
    SetValue(params, "PriceInstanceId", std::to_string(record.PriceInstanceId));
    SetValue(params, "PriceSchedule", std::to_string(record.PriceSchedule));
    SetValue(params, "PriceValue", TAmount::ToText(record.PriceValue));
    SetValue(params, "QuantityInStock", std::to_string(record.QuantityAtStock));
    SetValue(params, "OptionItems", record.OptionItems);
    SetValue(params, "IsRequestForQuote", Yes(record.IsRequestForQuote));
    if (record.MinimumQuantity > 0) {
        SetValue(params, "IsMinimumQuantity", "yes");
        SetValue(params, "MinimumQuantity", std::to_string(record.MinimumQuantity));
    }
    return params;
}

namespace {

struct TAnswer {
    TPriceObject Record;
    bool IncludeAll = false;
};

TAnswer ReadAnswer(const std::vector<std::string>& params, bool perOption)
{
    TAnswer answer;
    TPriceObject& record = answer.Record;
    answer.IncludeAll = perOption && ValueOfName(params, "IncludeAllOptions") == "yes";
    record.PriceInstanceId = std::atoi(ValueOfName(params, "PriceInstanceId").c_str());
    record.PriceSchedule = std::atoi(ValueOfName(params, "PriceSchedule").c_str());
    record.PriceValue = TAmount::ReadOrZero(ValueOfName(params, "PriceValue"));
    record.QuantityAtStock = Quantity(ValueOfName(params, "QuantityInStock")).value_or(0);
    record.MinimumQuantity = ValueOfName(params, "IsMinimumQuantity") == "yes"
                                 ? Quantity(ValueOfName(params, "MinimumQuantity")).value_or(0)
                                 : 0;
    record.IsRequestForQuote = ValueOfName(params, "IsRequestForQuote") == "yes";
    if (record.IsRequestForQuote)
        record.PriceValue = 0;
    record.OptionItems = perOption ? TOptionCombinations::Normalised(ValueOfName(params, "OptionItems")) : "";
    return answer;
}

}  // namespace

std::size_t TProductPricesModel::RowsToCreate(const std::vector<std::string>& params) const
{
    const TAnswer answer = ReadAnswer(params, perOption_);
    if (!answer.IncludeAll || answer.Record.PriceInstanceId != 0)
        return answer.Record.PriceInstanceId != 0 ? 0 : 1;
    std::size_t count = 0;
    for (std::size_t row = 0; row < combinations_.Count(); ++row)
        if (!IsDuplicate(answer.Record.PriceSchedule, answer.Record.MinimumQuantity, combinations_.Key(row), -1))
            ++count;
    return count;
}

std::string TProductPricesModel::Apply(const std::vector<std::string>& params, int* selectRow)
{
    TAnswer answer = ReadAnswer(params, perOption_);
    TPriceObject& record = answer.Record;
    if (!record.IsRequestForQuote && record.PriceValue <= 0)
        return Text("Enter correct price value");
    const int editedRow = record.PriceInstanceId ? RowOfInstance(record.PriceInstanceId) : -1;
    std::vector<std::string> keys;
    if (answer.IncludeAll && editedRow < 0) {
        for (std::size_t row = 0; row < combinations_.Count(); ++row) {
            std::string key = combinations_.Key(row);
            if (!IsDuplicate(record.PriceSchedule, record.MinimumQuantity, key, -1))
                keys.push_back(std::move(key));
        }
    } else if (!IsDuplicate(record.PriceSchedule, record.MinimumQuantity, record.OptionItems, editedRow)) {
        keys.push_back(record.OptionItems);
    }
    if (keys.empty())
        return Text("The price for \"$1\" price schedule already exists", {ScheduleName(record.PriceSchedule)});

    if (editedRow >= 0) {
        TAbstractCObject* object = RowObject(editedRow);
        if (!object)
            return {};
        Write(*object, record);
        if (perOption_) {
            object->ClearMember("OptionItemId", std::string());
            for (int id : TOptionCombinations::IdsOf(record.OptionItems))
                object->SetLangNumber("OptionItemId", context_.LangCode, id, -1);
        } else {
            // Without per-option prices the row keeps the combination it names.
            record.OptionItems = rows_[static_cast<std::size_t>(editedRow)].OptionItems;
        }
        rows_[static_cast<std::size_t>(editedRow)] = record;
        if (selectRow)
            *selectRow = editedRow;
        return {};
    }
    TSubObjectList list(context_.Objects, context_.ItemId, Prices(), "Price", context_.LangCode);
    for (const std::string& key : keys) {
        TAbstractCObject* object = list.Add("Price");
        if (!object)
            break;
        TPriceObject added = record;
        added.PriceInstanceId = object->GetInstanceId();
        added.OptionItems = key;
        Write(*object, added);
        for (int id : TOptionCombinations::IdsOf(key))
            object->SetLangNumber("OptionItemId", context_.LangCode, id, -1);
        rows_.push_back(added);
    }
    if (selectRow)
        *selectRow = static_cast<int>(rows_.size()) - 1;
    return {};
}

void TProductPricesModel::Delete(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    TSubObjectList(context_.Objects, context_.ItemId, Prices(), "Price", context_.LangCode)
        .Remove({rows_[static_cast<std::size_t>(row)].PriceInstanceId});
    rows_.erase(rows_.begin() + row);
}

const TPriceObject* TProductPricesModel::PriceFor(int scheduleId, const std::string& key, int quantity) const
{
    const std::string wanted = TOptionCombinations::Normalised(key);
    const TPriceObject* best = nullptr;
    for (const TPriceObject& record : rows_) {
        if (record.PriceSchedule != scheduleId || record.MinimumQuantity > quantity)
            continue;
        const bool own = !record.OptionItems.empty() && record.OptionItems == wanted;
        if (!own && !record.OptionItems.empty())
            continue;
        if (!best || record.MinimumQuantity > best->MinimumQuantity ||
            (record.MinimumQuantity == best->MinimumQuantity && own))
            best = &record;
    }
    return best;
}
