#pragma once
// TMultiColorModel: the colours a product comes in ("ProductSpecs.RGB",
// six hexadecimal digits each, red first), as the list the frame shows.
// Adding, changing and removing a colour changes the list; Store writes the
// member as the list shows it, in its order, and only when it changed.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TMultiColorModel {
public:
    explicit TMultiColorModel(const TSiteModelContext& context);

    void Load();
    const std::vector<std::string>& Colors() const { return colors_; }
    // The row of the new colour.
    int Add(const std::string& hex);
    // A colour changed in its place.
    void Change(int row, const std::string& hex);
    void Remove(int row);
    bool IsModified() const { return colors_ != loaded_; }
    void Store();

private:
    TSiteModelContext context_;
    std::vector<std::string> colors_;
    std::vector<std::string> loaded_;
};
