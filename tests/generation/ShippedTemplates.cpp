#include "ShippedTemplates.h"
#include "support/TestPaths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t')
        fields.emplace_back();
    return fields;
}

// The lines of a tab-separated list below data/ that are no comments.
std::vector<std::vector<std::string>> ReadList(const std::string& relative, std::size_t columns)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(ReadDataFile(relative));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = SplitTabs(line);
        EXPECT_EQ(fields.size(), columns) << relative << ": " << line;
        fields.resize(columns);
        rows.push_back(fields);
    }
    return rows;
}

}  // namespace

std::string DataPath(const std::string& relative)
{
    return ShippedDataSourceDir() + "/" + relative;
}

std::string ReadDataFile(const std::string& relative)
{
    return TTempFolder::Read(DataPath(relative));
}

std::string FixturePath(const std::string& relative)
{
    return TestSourceDir() + "/generation/fixtures/" + relative;
}

std::vector<TShippedItem> ReadShippedItems()
{
    std::vector<TShippedItem> items;
    for (const auto& f : ReadList("templates/items.tsv", 6))
        items.push_back({f[0], std::stoi(f[1]), f[2], f[3], f[4], f[5]});
    return items;
}

std::vector<TShippedStyle> ReadShippedStyles()
{
    std::vector<TShippedStyle> styles;
    for (const auto& f : ReadList("styles/styles.tsv", 6))
        styles.push_back({f[0], f[1], f[2], f[3], f[4], f[5]});
    return styles;
}

std::vector<TShippedItem> ShippedItemsOfType(int itemType)
{
    std::vector<TShippedItem> items;
    for (const TShippedItem& item : ReadShippedItems())
        if (item.ItemType == itemType)
            items.push_back(item);
    return items;
}

std::vector<std::string> ShippedStyleFolders()
{
    std::vector<std::string> folders;
    for (const TShippedStyle& style : ReadShippedStyles()) {
        // "styles/<folder>/master.xsl"
        const std::string& master = style.Master;
        const std::size_t start = master.find('/') + 1;
        folders.push_back(master.substr(start, master.find('/', start) - start));
    }
    return folders;
}
