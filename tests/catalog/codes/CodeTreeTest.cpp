// The code systems' trees over their reference tables: levels read lazily
// in tree order, which codes may be chosen, locating a code, keyword search
// (every word, wildcards taken literally, hits in tree order, the next hit
// after any node), and the upkeep of the partner category table.
#include "catalog/codes/CodeTree.h"

#include "storage/ShippedData.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// A database with the shipped code table of Name (data/codes/<name>.sql).
class TCodeTables {
public:
    explicit TCodeTables(const std::string& name)
    {
        std::ifstream in(TShippedData::BuildTreeDataDir() + "/codes/" + name + ".sql");
        std::string statement;
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("--"))
                continue;
            statement += line + "\n";
            if (line.ends_with(";")) {
                db.Exec(statement);
                statement.clear();
            }
        }
    }
    TCatalogFixture db{"codes"};
};

std::vector<std::string> Codes(const std::vector<std::unique_ptr<TCodeNode>>& nodes)
{
    std::vector<std::string> codes;
    for (const auto& node : nodes)
        codes.push_back(node->Row.Code);
    return codes;
}

std::vector<std::string> Names(const std::vector<TCodeRow>& rows)
{
    std::vector<std::string> names;
    for (const TCodeRow& row : rows)
        names.push_back(row.Name);
    return names;
}

TEST(CodeTree, UnspscLevelsAreReadOnExpansionAndOnlyCommoditiesAreChosen)
{
    TCodeTables tables("unspsc");
    TCodeDatabase database(TCodeSystem::Unspsc, tables.db.Connection());
    TCodeTree tree(database);
    ASSERT_GT(tree.Root().Children.size(), 40u) << "every segment on the first level";
    for (const auto& segment : tree.Root().Children) {
        EXPECT_FALSE(segment->Loaded);
        EXPECT_EQ(segment->Row.Code.substr(2), "000000");
    }

    TCodeNode* segment = tree.Locate("14000000");
    ASSERT_NE(segment, nullptr);
    EXPECT_FALSE(segment->Loaded) << "locating a node reads nothing below it";
    tree.Expand(*segment);
    EXPECT_EQ(Codes(segment->Children), (std::vector<std::string>{"14120000", "14100000", "14110000"}))
        << "Industrial use papers, Paper materials, Paper products: by name";

    TCodeNode* commodity = tree.Locate("14111507");
    ASSERT_NE(commodity, nullptr);
    EXPECT_EQ(commodity->Level, 3);
    EXPECT_EQ(commodity->Row.Name, "Printer or copier paper");
    EXPECT_TRUE(commodity->Row.IsTolvexCode);
    EXPECT_TRUE(tree.IsChoosable(*commodity));
    EXPECT_FALSE(tree.IsChoosable(*commodity->Parent)) << "a class (ending in 00) cannot be chosen";
    EXPECT_FALSE(tree.IsChoosable(*segment));
    EXPECT_EQ(tree.Locate("14111599"), nullptr) << "not in the table";
    EXPECT_EQ(tree.Locate("1411150"), nullptr) << "not a code";
    EXPECT_EQ(tree.Locate("14001507"), nullptr) << "a part set below one left unset is no code";
    EXPECT_FALSE(tree.Database().Find("14001507"));
}

TEST(CodeTree, FindTellsAKnownCodeFromOneTheTableLacks)
{
    struct TCase {
        TCodeSystem system;
        const char* table;
        std::string code;
        std::string name;  // empty: not found
    };
    const TCase cases[] = {
        {TCodeSystem::Unspsc, "unspsc", "14111507", "Printer or copier paper"},
        {TCodeSystem::Unspsc, "unspsc", "14111500", "Printing and writing paper"},  // a class row
        {TCodeSystem::Unspsc, "unspsc", "99999999", ""},                         // well formed, not shipped
        {TCodeSystem::Unspsc, "unspsc", "1411150", ""},                          // seven characters
        {TCodeSystem::Unspsc, "unspsc", "", ""},
        {TCodeSystem::EBay, "ebay", "177", "PC Laptops & Netbooks"},
        {TCodeSystem::EBay, "ebay", "4711", ""},
        {TCodeSystem::EBay, "ebay", "0", ""},
        {TCodeSystem::EBay, "ebay", "x", ""},
    };
    for (const TCase& c : cases) {
        TCodeTables tables(c.table);
        TCodeDatabase database(c.system, tables.db.Connection());
        const std::optional<TCodeRow> row = database.Find(c.code);
        EXPECT_EQ(row ? row->Name : std::string(), c.name) << c.code;
    }
}

TEST(CodeTree, CategoriesNestAsDeepAsTheDataAndATopCategoryCountsOnlyOtherChildren)
{
    TCodeTables tables("ebay");
    TCodeDatabase database(TCodeSystem::EBay, tables.db.Connection());
    TCodeTree tree(database);
    const auto top = [&](const std::string& code) -> const TCodeNode* {
        for (const auto& node : tree.Root().Children)
            if (node->Row.Code == code)
                return node.get();
        return nullptr;
    };
    ASSERT_NE(top("99"), nullptr);
    EXPECT_FALSE(top("99")->Row.HasChildren) << "Everything Else is only its own parent";
    EXPECT_TRUE(tree.IsChoosable(*top("99")));
    EXPECT_TRUE(top("1")->Row.HasChildren);
    EXPECT_FALSE(tree.IsChoosable(*top("58058")));

    TCodeNode* laptops = tree.Locate("177");
    ASSERT_NE(laptops, nullptr);
    EXPECT_EQ(laptops->Level, 2);
    EXPECT_EQ(laptops->Parent->Row.Code, "175672");
    EXPECT_EQ(laptops->Parent->Parent->Row.Code, "58058");
    EXPECT_TRUE(tree.IsChoosable(*laptops));
}

// A small tree whose order by name differs from the order by code.
class SearchTree : public ::testing::Test {
protected:
    SearchTree()
    {
        db.Exec("CREATE TABLE unspsc (Segment TEXT, Family TEXT, Class TEXT, Commodity TEXT, DataValue TEXT "
                "COLLATE NOCASE, IsTolvexCode INTEGER)");
        for (const auto& [code, name] : std::vector<std::pair<std::string, std::string>>{
                 {"10000000", "zeta supplies"},
                 {"10100000", "white goods"},
                 {"10101500", "White paper stock"},
                 {"10101501", "white paper"},
                 {"20000000", "Alpha supplies"},
                 {"20100000", "Paper goods"},
                 {"20101500", "Paper, white and coloured"},
                 {"20101502", "paper white matt"},
                 {"20101501", "Paper white gloss"},
                 {"20101503", "Blue paper"},
                 {"20101504", "100% cotton paper"},
                 {"20101505", "1000 sheets paper"},
                 {"20101506", "A_B label"},
                 {"20101507", "AxB label"},
             })
            db.Exec("INSERT INTO unspsc VALUES (:S, :F, :C, :M, :Name, 0)",
                    {{"S", code.substr(0, 2)}, {"F", code.substr(2, 2)}, {"C", code.substr(4, 2)},
                     {"M", code.substr(6, 2)}, {"Name", name}});
        tree = std::make_unique<TCodeTree>(database);
    }
    TCatalogFixture db{"codes"};
    TCodeDatabase database{TCodeSystem::Unspsc, db.Connection()};
    std::unique_ptr<TCodeTree> tree;
};

TEST_F(SearchTree, EveryWordMustOccurAndHitsComeInTreeOrder)
{
    EXPECT_EQ(TCodeDatabase::Words("  paper  white;;gloss "), (std::vector<std::string>{"paper", "white", "gloss"}));
    ASSERT_EQ(tree->Search("paper  white"), 5u);
    // Alpha (20) comes before zeta (10); inside, by name regardless of case.
    EXPECT_EQ(tree->Hits(), (std::vector<std::string>{"20101500", "20101501", "20101502", "10101500", "10101501"}));
    EXPECT_TRUE(tree->IsHit("20101502"));
    EXPECT_FALSE(tree->IsHit("20101503"));
    EXPECT_EQ(tree->Search(" ; "), 0u);
    EXPECT_TRUE(tree->Hits().empty());
}

TEST_F(SearchTree, WildcardsInKeywordsMatchOnlyThemselves)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"0%", {"100% cotton paper"}},
        {"a_b", {"A_B label"}},
        {"%", {"100% cotton paper"}},
        {"\\", {}},
        {"'", {}},
    };
    for (const auto& [keywords, names] : cases)
        EXPECT_EQ(Names(database.Search(keywords)), names) << keywords;
}

TEST_F(SearchTree, NextFindsTheHitAfterAnyNodeAndLoadsOnlyItsBranch)
{
    tree->Search("paper white");
    EXPECT_EQ(tree->NextHit(nullptr), "20101500");
    TCodeNode* first = tree->Locate(tree->NextHit(nullptr));
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(tree->Locate("10000000")->Loaded) << "the other hits' branches are not read";
    EXPECT_EQ(tree->NextHit(first), "20101501");
    EXPECT_EQ(tree->NextHit(tree->Locate("20101503")), "20101501") << "after a node that is no hit";
    EXPECT_EQ(tree->NextHit(tree->Locate("20101502")), "10101500") << "into the next branch";
    EXPECT_EQ(tree->NextHit(tree->Locate("10101501")), "") << "none after the last";
}

TEST(CodeTree, PartnerCategoryUpkeepKeepsTheTableSound)
{
    TCodeTables tables("zarivuro");
    TCodeDatabase database(TCodeSystem::Zarivuro, tables.db.Connection());
    const std::optional<TPartnerCategory> machines = database.ReadCategory(100);
    ASSERT_TRUE(machines);
    ASSERT_GT(database.CountChildren(100), 0);

    TPartnerCategory added{9001, "Test pumps", 100, 3, true, "shop"};
    EXPECT_EQ(database.AddCategory(added), TCategoryUpkeep::Done);
    EXPECT_EQ(database.AddCategory({9001, "Twice", 100, 3, true, "shop"}), TCategoryUpkeep::IdTaken);
    EXPECT_EQ(database.ReadCategory(9001)->Name, "Test pumps");

    // Edit finds the row by the id it was read with, also when the id changes.
    TPartnerCategory renamed = added;
    renamed.Id = 9002;
    renamed.Name = "Test valves";
    EXPECT_EQ(database.UpdateCategory(9001, renamed, 0), TCategoryUpkeep::Done);
    EXPECT_FALSE(database.ReadCategory(9001));
    EXPECT_EQ(database.ReadCategory(9002)->Name, "Test valves");
    renamed.Id = 100;
    EXPECT_EQ(database.UpdateCategory(9002, renamed, 0), TCategoryUpkeep::IdTaken);
    EXPECT_EQ(database.ReadCategory(100)->Name, machines->Name) << "another category is never overwritten";
    TPartnerCategory moved = *machines;
    moved.Id = 9100;
    EXPECT_EQ(database.UpdateCategory(100, moved, 0), TCategoryUpkeep::HasChildren);
    renamed.Id = 9003;
    EXPECT_EQ(database.UpdateCategory(9002, renamed, 1), TCategoryUpkeep::InUse);
    EXPECT_EQ(database.UpdateCategory(4711, renamed, 0), TCategoryUpkeep::NotFound);

    EXPECT_EQ(database.DeleteCategory(100, 0), TCategoryUpkeep::HasChildren);
    EXPECT_EQ(database.DeleteCategory(9002, 2), TCategoryUpkeep::InUse);
    EXPECT_EQ(database.DeleteCategory(9002, 0), TCategoryUpkeep::Done);
    EXPECT_FALSE(database.ReadCategory(9002));
    EXPECT_TRUE(database.ReadCategory(100));
}

}  // namespace
