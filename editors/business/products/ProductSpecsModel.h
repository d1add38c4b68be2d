#pragma once
// TProductSpecsModel: a product's technical details ("ProductSpecs") without
// widgets: the dimensions and weight with their units, material, packing,
// colour, keywords and notes, and the dominant colour as a value.
//
// An empty unit shows the catalog's default unit (the dimensions unit,
// property 725, and the weight unit, property 724), which the first store
// of a modified frame writes. Store writes the members in the order the
// frame shows them; a value that did not change writes nothing.
#include "editors/site/SiteModelContext.h"

#include <map>
#include <string>
#include <vector>

class TProductSpecsModel {
public:
    explicit TProductSpecsModel(const TSiteModelContext& context);

    // The members Store writes, in order.
    static const std::vector<std::string>& StoredMembers();
    // The members that hold a number (numeric entry in catalog type 12).
    static bool IsMeasure(const std::string& member);

    void Load();
    std::string Value(const std::string& member) const;
    void SetValue(const std::string& member, const std::string& value);

    // The dominant colour: six hexadecimal digits, blue first; empty for none.
    const std::string& DominantRGB() const { return dominantRGB_; }
    void SetDominantRGB(const std::string& hex) { dominantRGB_ = hex; }

    void Store();

private:
    TSiteModelContext context_;
    std::map<std::string, std::string> values_;
    std::string dominantRGB_;
};
