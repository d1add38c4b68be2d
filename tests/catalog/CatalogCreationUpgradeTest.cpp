// Bringing a catalog up to a newer version of its type's definition when it
// is opened, and what the upgrades answer about previous-generation catalogs.
#include "CatalogCreationFixture.h"

#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"

#include <gtest/gtest.h>

namespace {

// Version 2 of catalog type 77: the update list brings 600101 and 600102,
// the delete list drops 600103.
const char* const kDefinition = R"(
  <Item id="1" type="2" parent="0"/>
  <Item id="5" type="2" parent="0"/>
  <Item id="6" type="2" parent="0"/>
  <Item id="7" type="2" parent="0"/>
  <Item id="8" type="2" parent="0"/>
  <Item id="9" type="2" parent="0"/>
  <Item id="806" type="806" parent="8"><Object class="806" instance="1">
    <Number member="1">50</Number><String member="2">Upgrade test</String><String member="8">2</String>
    <Number member="9">77</Number>
  </Object></Item>
  <Item id="521" type="820" parent="8"><Object class="521" instance="1">
    <String member="1">1</String><String member="1" index="1">5</String><String member="1" index="2">6</String>
    <String member="1" index="3">7</String><String member="1" index="4">8</String><String member="1" index="5">9</String>
    <String member="1" index="6">601</String><String member="1" index="7">602</String>
    <String member="1" index="8">604</String><String member="1" index="9">613</String>
    <String member="1" index="10">2001</String><String member="1" index="11">600001</String>
    <String member="1" index="12">600101</String>
    <String member="2">100001</String>
    <String member="3">600101</String><String member="3" index="1">600102</String>
    <String member="4">600103</String>
  </Object></Item>
  <Item id="601" type="601" parent="6"><Object class="601" instance="1">
    <String member="1">EN</String><String member="2">EN</String>
  </Object></Item>
  <Item id="602" type="602" parent="7"><Object class="602" instance="1"/></Item>
  <Item id="604" type="604" parent="9"><Object class="604" instance="1"/></Item>
  <Item id="613" type="2" parent="9"><Object class="613" instance="1"/></Item>
  <Item id="2001" type="2001" parent="9"><Object class="3" instance="1"/></Item>
  <Item id="600001" type="2" parent="5"/>
  <Item id="600101" type="501" parent="600001"><Object class="1" instance="1"><String member="1">Master</String></Object></Item>
  <Item id="600102" type="502" parent="600001"><Object class="1" instance="1"><String member="1">Body</String></Object></Item>
  <Item id="100001" type="4001" parent="1"><Object class="1" instance="1"><String member="1">Home</String></Object></Item>
)";

class CatalogUpgrade : public ::testing::Test {
protected:
    // A catalog made with version 1 of the definition: the user renamed the
    // master template; 600102 did not exist yet; 600103 (with an item below
    // it) was still part of the definition.
    CatalogUpgrade()
    {
        env.BuildDefinition(77, kDefinition);
        if (!env.Definition().CreateCatalog(env.Request("shop", 77)))
            throw std::runtime_error("the catalog was not created");
        env.Exec("shop", "UPDATE CStrings SET StringValue = '1' WHERE ItemId = 733");
        env.Exec("shop", "UPDATE CStrings SET StringValue = 'My master' WHERE ItemId = 600101");
        for (const char* table : {"Items", "CObjectInstances", "CStrings"})
            env.Exec("shop", std::string("DELETE FROM ") + table + " WHERE ItemId = 600102");
        env.Exec("shop", "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId) VALUES "
                         "('shop', 600103, 502, 600001, 600103), ('shop', 600104, 502, 600103, 600104)");
    }

    std::string Name(int itemId)
    {
        return env.Value("shop", "SELECT StringValue FROM CStrings WHERE ClassId = 1 AND ItemId = " +
                                     std::to_string(itemId));
    }
    std::string Items(const std::string& ids)
    {
        return env.Value("shop", "SELECT GROUP_CONCAT(ItemId) FROM (SELECT ItemId FROM Items WHERE ItemId IN " + ids +
                                     " ORDER BY ItemId)");
    }

    TCreationEnvironment env;
};

TEST_F(CatalogUpgrade, OpeningAnOlderCatalogAddsWhatItLacksAndDropsWhatTheDefinitionDropped)
{
    ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(Items("(600101, 600102, 600103, 600104)"), "600101,600102");
    EXPECT_EQ(Name(600101), "My master") << "an item the catalog has is left as it is";
    EXPECT_EQ(Name(600102), "Body");
    EXPECT_EQ(env.Value("shop", "SELECT GROUP_CONCAT(ItemId) FROM DeletedItems"), "600103,600104");
    EXPECT_EQ(env.Value("shop", "SELECT StringValue FROM CStrings WHERE ItemId = 733"), "2");

    // Up to date now: opening again changes nothing.
    env.Catalog().Close();
    env.Exec("shop", "DELETE FROM Items WHERE ItemId = 600102");
    ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(Items("(600102)"), "");
}

TEST_F(CatalogUpgrade, TheDeleteListNeverTakesARootOrAWellKnownItem)
{
    // A definition whose delete list also names the web tree's root, the
    // company item and the home page: each would go with everything below it.
    const std::string insert = "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                               "IndexId, MemberType, StringValue) VALUES ";
    ExecOnFile(env.DefinitionFile(77), insert + "('t#77', 521, 521, 1, 4, 'XXX', 1, 1, '1'), "
                                                    "('t#77', 521, 521, 1, 4, 'XXX', 2, 1, '2001'), "
                                                    "('t#77', 521, 521, 1, 4, 'XXX', 3, 1, '100001')");
    ASSERT_EQ(env.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(Items("(1, 2001, 100001, 600103)"), "1,2001,100001");
    EXPECT_EQ(env.Value("shop", "SELECT GROUP_CONCAT(ItemId) FROM DeletedItems"), "600103,600104");
}

TEST_F(CatalogUpgrade, AFailedUpgradeChangesNothing)
{
    env.Exec("shop", "DROP TABLE DeletedItems");
    std::unique_ptr<TAbstractDBConnectionFactory> factory = DBManager->CreateDatabasePlugin(SQLiteModuleName, "");
    ASSERT_TRUE(factory->OpenDatabase(env.DatabaseFolder(), "shop", "", ""));
    EXPECT_THROW(env.Definition().UpgradeDefinition("shop", 77, 1, factory->GetConnection()),
                 ECriticalTolvexException);
    EXPECT_EQ(Items("(600101, 600102, 600103, 600104)"), "600101,600103,600104");
}

TEST(CatalogUpgrader, ACatalogOfThisGenerationIsNoOldCatalog)
{
    TCreationEnvironment env;
    ASSERT_TRUE(env.Definition().CreateCatalog(env.Request("shop", 1)));
    EXPECT_FALSE(env.Upgrader().IsConvertibleOldCatalog("", "shop", "secret"));
    EXPECT_FALSE(env.Upgrader().IsConvertibleOldCatalog("", "missing", "secret"));
    EXPECT_TRUE(env.Gui().Shown().empty());
}

}  // namespace
