#pragma once
// TProductPropertiesModel: what the product frames that edit the code and
// the name decide, without widgets: the product's code, name, description
// and history (the "Product" object), the checks that refuse a save, and
// the tree name "name (code)".
//
// The code is kept as it will be stored: outside catalog type 12 only the
// letters, digits, "-" and "_" of what was typed, in upper case; in type 12
// as typed. It is tested for uniqueness in that form, so a code that
// differs from another product's only by characters the store drops is
// refused. Store writes only the values that changed.
#include "editors/site/SiteModelContext.h"

#include <string>

class TProductPropertiesModel {
public:
    struct TValues {
        std::string Code;
        std::string Name;
        std::string Description;
        std::string History;
        bool operator==(const TValues&) const = default;
    };
    enum TInvalid { ivNone, ivCode, ivName };

    explicit TProductPropertiesModel(const TSiteModelContext& context);

    // The code that Typed is stored as in a catalog of the type.
    static std::string StoredCode(const std::string& typed, int catalogType);
    // What the code edit shows of what was typed: upper case outside type 12.
    static std::string ShownCode(const std::string& typed, int catalogType);

    void Load();
    const TValues& Values() const { return values_; }
    void SetValues(const TValues& values) { values_ = values; }
    bool IsModified() const { return !(values_ == loaded_); }
    bool NameOrCodeChanged() const;

    // The first reason to refuse the save, translated; empty when none.
    std::string Validate(TInvalid* invalid = nullptr) const;
    // "$1 ($2)": the tree name of the product.
    std::string TreeName() const;
    // The tree name into the item's names object, when the name or the code
    // changed (the editor's caption shows it before the save).
    void ApplyTreeName();
    // Writes what changed into the objects (the code in its stored form,
    // the tree name when the name or the code changed); the values loaded
    // become the values written.
    void Store();

private:
    std::string Code() const;
    // The code the database holds for the product.
    std::string SavedCode() const;

    TSiteModelContext context_;
    TValues values_;
    TValues loaded_;
};
