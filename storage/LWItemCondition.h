#pragma once
// Which items of a catalog a clean-up removes: the items whose column holds
// one of the listed numbers, for any of the condition's terms. The values are
// bound as statement parameters; the condition always stays inside the
// catalog that is being written.
#include <string>
#include <vector>

class TAbstractDBQuery;

class TLWItemCondition {
public:
    enum class TColumn { ItemId, ItemType, ParentItemId, LinkedItemId };

    struct TTerm {
        TColumn Column;
        std::vector<int> Values;
    };

    // The items whose Column holds one of Values (at least one value).
    static TLWItemCondition Where(TColumn column, std::vector<int> values);
    // Adds the items whose Column holds one of Values.
    TLWItemCondition& Or(TColumn column, std::vector<int> values);

    const std::vector<TTerm>& Terms() const { return terms_; }

    // The condition on the rows of the Items table, for example
    // "(ItemType IN (:Cond0,:Cond1) OR ParentItemId IN (:Cond2))".
    std::string ItemsSql() const;
    // The condition on the rows of a table that holds item data (values,
    // object instances): terms on ItemId apply to its ItemId; the others
    // select through the Items rows of the catalog (":CatalogCode").
    std::string ItemDataSql() const;
    // Binds the values named by the two texts above.
    void Bind(TAbstractDBQuery& query) const;

private:
    TLWItemCondition() = default;

    static std::string ColumnName(TColumn column);
    std::string ValueList(std::size_t termIndex) const;

    std::vector<TTerm> terms_;
};
