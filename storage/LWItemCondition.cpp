#include "storage/LWItemCondition.h"

#include "common/Exceptions.h"
#include "storage/AbstractDBQuery.h"

namespace {

std::string ParamName(std::size_t index)
{
    return "Cond" + std::to_string(index);
}

}  // namespace

TLWItemCondition TLWItemCondition::Where(TColumn column, std::vector<int> values)
{
    TLWItemCondition condition;
    condition.Or(column, std::move(values));
    return condition;
}

TLWItemCondition& TLWItemCondition::Or(TColumn column, std::vector<int> values)
{
    // An empty list would either match nothing or, written carelessly,
    // everything: neither is what a caller means.
    if (values.empty())
        throw EDeveloperTolvexException("An item condition needs at least one value");
    terms_.push_back({column, std::move(values)});
    return *this;
}

std::string TLWItemCondition::ColumnName(TColumn column)
{
    switch (column) {
    case TColumn::ItemId: return "ItemId";
    case TColumn::ItemType: return "ItemType";
    case TColumn::ParentItemId: return "ParentItemId";
    case TColumn::LinkedItemId: return "LinkedItemId";
    }
    throw EDeveloperTolvexException("Unknown item condition column");
}

std::string TLWItemCondition::ValueList(std::size_t termIndex) const
{
    std::size_t first = 0;
    for (std::size_t i = 0; i < termIndex; ++i)
        first += terms_[i].Values.size();
    std::string list = "(";
    for (std::size_t i = 0; i < terms_[termIndex].Values.size(); ++i)
        list += (i ? ",:" : ":") + ParamName(first + i);
    return list + ")";
}

std::string TLWItemCondition::ItemsSql() const
{
    std::string sql = "(";
    for (std::size_t i = 0; i < terms_.size(); ++i)
        sql += (i ? " OR " : "") + ColumnName(terms_[i].Column) + " IN " + ValueList(i);
    return sql + ")";
}

std::string TLWItemCondition::ItemDataSql() const
{
    std::string sql = "(";
    for (std::size_t i = 0; i < terms_.size(); ++i) {
        sql += i ? " OR " : "";
        if (terms_[i].Column == TColumn::ItemId)
            sql += "ItemId IN " + ValueList(i);
        else
            sql += "ItemId IN (SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND " +
                   ColumnName(terms_[i].Column) + " IN " + ValueList(i) + ")";
    }
    return sql + ")";
}

void TLWItemCondition::Bind(TAbstractDBQuery& query) const
{
    std::size_t index = 0;
    for (const TTerm& term : terms_)
        for (int value : term.Values)
            query.SetParam(ParamName(index++), value);
}
