#pragma once
// TProductPricesModel: a product's price rows and the grid that shows them,
// without widgets.
//
// A row belongs to one price schedule, may ask a minimum quantity, records
// the stock, may stand for "request for quote", and, while the product has
// prices per option, may name one combination of option values. Rows are
// written into the session's objects at once (new, edited, deleted) and
// reach the database with the item's save; Cancel restores them.
//
// Two rows of one schedule and one minimum quantity may not name the same
// combination, nor both name none. A row for one combination and a row for
// every combination may stand side by side: the combination's own row wins
// for that combination (PriceFor), the other prices the rest. So
// "Include All Options" adds a row for each combination that has none of
// that schedule and minimum yet and keeps the others.
//
// Amounts keep their cents: the dialog's "PriceValue" and the grid's price
// cell are read and written as TAmount texts, never "%g".
#include "editors/site/SiteModelContext.h"
#include "editors/business/options/OptionCombinations.h"

#include <map>
#include <string>
#include <vector>

class TAbstractCObject;

struct TPriceObject {
    int PriceInstanceId = 0;
    int MinimumQuantity = 0;
    int PriceSchedule = 0;
    int QuantityAtStock = 0;
    // The row's combination key (empty: every combination).
    std::string OptionItems;
    double PriceValue = 0;
    bool IsRequestForQuote = false;
};

class TProductPricesModel {
public:
    // More rows than this from one "Include All Options" are asked for first.
    static constexpr std::size_t kAskAbove = 1000;

    explicit TProductPricesModel(const TSiteModelContext& context);

    // From the objects: schedules with their currencies, the options, the rows.
    void Load();

    bool ProductHasOptions() const { return hasOptions_; }
    bool PerOptionPrices() const { return perOption_; }
    // "Has different prices for different options": stored at once; the option columns show or hide.
    void SetPerOptionPrices(bool on);
    const TOptionCombinations& Combinations() const { return combinations_; }

    const std::vector<TPriceObject>& Rows() const { return rows_; }
    int RowOfInstance(int instanceId) const;

    // The grid: the schedule, an option column per option (with per-option prices), stock, minimum, price.
    int ColumnCount() const { return OptionColumns() + 4; }
    int OptionColumns() const { return perOption_ ? static_cast<int>(combinations_.Options().size()) : 0; }
    int StockColumn() const { return OptionColumns() + 1; }
    int MinimumColumn() const { return OptionColumns() + 2; }
    int PriceColumn() const { return OptionColumns() + 3; }
    bool IsEditable(int column) const { return column >= StockColumn(); }
    std::string Header(int column) const;
    std::string Cell(int row, int column) const;
    // What an in-place editor starts with: the bare number.
    std::string EditText(int row, int column) const;
    // Stores a typed stock, minimum or price; the error to show (the row keeps its values) or empty.
    std::string SetCell(int row, int column, const std::string& text);

    // The price dialog's parameters for a new row (Row -1) or an existing one.
    std::vector<std::string> DialogParams(int row) const;
    // How many rows the dialog's answer would create (include-all: the combinations without a row).
    std::size_t RowsToCreate(const std::vector<std::string>& params) const;
    // Writes the dialog's answer; the error to show or empty. SelectRow receives the row written last.
    std::string Apply(const std::vector<std::string>& params, int* selectRow = nullptr);
    void Delete(int row);

    // The row that prices a combination (key) at a quantity in a schedule:
    // the highest minimum quantity reached, the combination's own row before
    // the row for every combination; null when none.
    const TPriceObject* PriceFor(int scheduleId, const std::string& key, int quantity) const;

    std::string ScheduleName(int scheduleId) const;
    std::string CurrencyOf(int scheduleId) const;
    // The schedules under the schedules root, as "caption===id" with the caption indented by depth.
    std::vector<std::string> ScheduleList() const;
    // The option values' names of a key, joined by Separator.
    std::string NamesOf(const std::string& key, const std::string& separator) const;

private:
    TAbstractCObject* Prices() const;
    TAbstractCObject* RowObject(int row) const;
    bool IsDuplicate(int scheduleId, int minimum, const std::string& key, int exceptRow) const;
    TPriceObject Read(int instanceId, TAbstractCObject& object) const;
    void Write(TAbstractCObject& object, const TPriceObject& record) const;

    TSiteModelContext context_;
    bool hasOptions_ = false;
    bool perOption_ = false;
    TOptionCombinations combinations_;
    std::vector<TPriceObject> rows_;
    std::map<int, std::string> currencies_;
    mutable std::map<int, std::string> names_;
};
