#pragma once
// TAdditionalFieldsEditModel: a product's values of the catalog's custom
// fields, without the grid: one row per field definition (the children of
// item 18, in tree order) with the product's value, kept in an object of
// class 4008 of the product (one per field that has a value).
//
// Store writes the rows whose value changed into the product's objects: a
// new value makes the field's object, a changed one is written into it, a
// value cleared in the default language deletes it (in another language the
// default language's value shows through again); all of it is saved with the product.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TAdditionalFieldsEditModel {
public:
    struct TRow {
        int FieldId = 0;
        std::string Caption;
        int InstanceId = 0;  // 0 while the field has no object
        std::string Value;
    };

    explicit TAdditionalFieldsEditModel(const TSiteModelContext& context);

    void Load();
    bool HasDefinitions() const { return !rows_.empty(); }
    const std::vector<TRow>& Rows() const { return rows_; }
    void SetValue(int row, const std::string& value);
    bool IsModified() const;
    void Store();

private:
    TSiteModelContext context_;
    std::vector<TRow> rows_;
    std::vector<std::string> loaded_;
};
