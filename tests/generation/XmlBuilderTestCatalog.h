#pragma once
// The open catalog as the page XML builder sees it, for the builder's tests:
// the catalog's Items reads as plain statements on the test catalog's real
// SQLite database, symbolic ids and item types from small tables the test
// fills, and the trade-portal categories in a table of the same database.
#include "catalog/CatalogDefinitionLookup.h"
#include "generation/GenerationCatalog.h"

#include <map>
#include <string>

class TCatalogFixture;

class TXmlBuilderTestCatalog : public TGenerationCatalog, public TCatalogDefinitionLookup {
public:
    explicit TXmlBuilderTestCatalog(TCatalogFixture& catalog) : catalog_(catalog) {}

    // Symbolic names: an item id (or type) by XML tag, the home page, the templates.
    std::map<std::string, int> ItemIds;
    std::map<std::string, int> ItemTypes;
    int HomePageId = 0;
    int MasterTemplateId = 0;
    int BodyTemplateId = 0;

    // Creates the category table in the catalog's database; from then on
    // GetCategoryConnection answers the catalog's connection.
    void CreateCategories();
    void AddCategory(int id, const std::string& name, int level, int parentId, bool leaf);

    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override;
    int ResolveItemType(const std::string& text, int currentType) override;
    // The lookup behind the symbolic names: the maps and HomePageId above.
    int GetItemIdByName(const std::string& name) override;
    int GetItemTypeByName(const std::string& name) override;
    int GetHomePageId() override { return HomePageId; }
    int GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    TItemDescription GetItemDescription(int itemId, const std::string& catalogCode,
                                        TAbstractDBConnection& connection) override;
    int GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                         bool sameTypeOnly) override;
    int GetPreviousSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                             bool sameTypeOnly) override;
    std::vector<int> GetItemPath(int itemId, const std::vector<int>& itemTypes, const std::string& catalogCode,
                                 TAbstractDBConnection& connection) override;
    int CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                         TAbstractDBConnection& connection) override;
    TAbstractDBConnection* GetCategoryConnection() override;

private:
    int SiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection, bool sameTypeOnly,
                  int step);

    TCatalogFixture& catalog_;
    bool hasCategories_ = false;
};
