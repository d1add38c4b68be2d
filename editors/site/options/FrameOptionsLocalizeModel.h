#pragma once
// TFrameOptionsLocalizeModel: the "Locale" tab of the catalog options
// without widgets: the catalog's data languages with the default one, the
// default currency and the default weight and dimension units. The list
// always keeps exactly one default language that is in the list.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TFrameOptionsLocalizeModel {
public:
    struct TLanguageRow {
        std::string Code;
        std::string Caption;  // the language's name
        std::string NativeName;
        bool IsDefault = false;
    };

    explicit TFrameOptionsLocalizeModel(const TSiteModelContext& context)
        : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
    {
    }
    // Where the properties are read and written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    void Load();
    // Sorted by caption.
    const std::vector<TLanguageRow>& Languages() const { return rows_; }
    // Add is enabled for a real language (not "XXX"); the error to show, empty when added.
    static bool CanAdd(const std::string& code);
    std::string Add(const std::string& code);
    bool CanRemove(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()) && rows_.size() > 1; }
    void Remove(int row);
    bool CanSetDefault(int row) const;
    void SetDefault(int row);
    std::string DefaultLanguage() const;

    // Codes of property 706, 724 and 725.
    const std::string& Currency() const { return currency_; }
    const std::string& WeightUnit() const { return weightUnit_; }
    const std::string& DimensionUnit() const { return dimensionUnit_; }
    void SetCurrency(const std::string& code);
    void SetWeightUnit(const std::string& id);
    void SetDimensionUnit(const std::string& id);

    bool IsModified() const { return modified_; }
    // Writes the languages and properties; true when the catalog must read its
    // languages again after the save (the context's refresh flag bit 0).
    bool Store();

private:
    void SortRows();

    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::vector<TLanguageRow> rows_;
    std::string currency_, weightUnit_, dimensionUnit_;
    bool modified_ = false;
};
