#pragma once
// Exports the catalog's products as a tab-separated product feed into the
// file "FileName": a header line, then one line per product page of the web
// tree that has a name and a price in a public US-dollar price schedule,
// with the addresses of its published page and picture on the hosting
// service's site and the path of the category pages above it. Lines end
// with CR LF; texts keep only blanks, letters, digits and * + , - . / \ _.
#include "publishing/TolvexExport.h"

#include <string>
#include <vector>

class TExportFroogle : public TTolvexExport {
public:
    using TTolvexExport::TTolvexExport;

    void Execute() override;

    // Remembers the public US-dollar price schedules; false when there is none.
    bool CollectValidSchedules();
    void ExportChildren(int parentId, std::vector<std::string>& lines, const std::string& category);
    static std::string CleanText(const std::string& text);
    // The first valid price of the item, "12.50"; empty when it has none.
    std::string GetPrice(int linkedItemId);

private:
    std::string ProductLine(int itemId, int linkedItemId, const std::string& category);
    std::string ImageUrl(int linkedItemId);

    std::vector<int> validSchedules_;
    // Items already visited: a loop in a damaged tree ends there.
    std::vector<int> seen_;
};
