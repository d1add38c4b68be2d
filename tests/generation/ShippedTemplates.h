#pragma once
// The template items and styles that data/ ships, as the lists
// data/templates/items.tsv and data/styles/styles.tsv describe them, for the
// tests of the templates and of the XSL-to-HTML converter.
#include <string>
#include <vector>

struct TShippedItem {
    std::string File;  // below data/
    int ItemType = 0;
    std::string CatalogTypes;
    std::string Folder;
    std::string Name;
    std::string PageTypes;
};

struct TShippedStyle {
    std::string Name;
    std::string Master;
    std::string Colours;
    std::string Fonts;
    std::string Backgrounds;
    std::string Description;
};

// Path of a file below data/.
std::string DataPath(const std::string& relative);
// Text of a file below data/; empty when it does not exist.
std::string ReadDataFile(const std::string& relative);
// Path of a file below tests/generation/fixtures/.
std::string FixturePath(const std::string& relative);

std::vector<TShippedItem> ReadShippedItems();
std::vector<TShippedStyle> ReadShippedStyles();
// The shipped items of one item type.
std::vector<TShippedItem> ShippedItemsOfType(int itemType);
// Lower-case folder names of the shipped styles ("harbor", ...).
std::vector<std::string> ShippedStyleFolders();
