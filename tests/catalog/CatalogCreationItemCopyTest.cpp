// Copying items with their objects and values from a definition catalog
// into a catalog, and deleting items the definition dropped.
#include "catalog/Catalog.h"
#include "catalog/CatalogDefinitionItems.h"
#include "common/Exceptions.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A date long before the tests run: the source's modification date.
constexpr double kOldDate = 36000.25;

class CatalogItemCopy : public ::testing::Test {
protected:
    CatalogItemCopy()
    {
        env.Db().DeclareClass(501, "MasterTemplate")
            .Member(1, "ColorScheme", 101)
            .Member(2, "FontScheme", 101)
            .Member(3, "BackgroundImageCode", 106);
        AddSourceItem(600101, 501);  // a master template with a value in every table
        Value(source, "CObjectInstances", 600101, 1, 1, "", 0, 0, "");
        Value(source, "CObjectInstances", 600101, 501, 2, "", 0, 0, "");
        Value(source, "CObjectInstances", 600101, 5, 3, "", 0, 0, "");
        Value(source, "CStrings", 600101, 1, 1, "EN", 1, 1, std::string("Harbor\x01Master\tone"));
        Value(source, "CText", 600101, 501, 2, "XXX", 10, 53, std::string("body {}\x02"));
        Value(source, "CNumbers", 600101, 501, 2, "XXX", 1, 101, 7);
        Value(source, "CBinary", 600101, 5, 3, "XXX", 6, 252, TBytes{std::string("BM\0\1", 4)});
        Value(source, "CDates", 600101, 501, 2, "XXX", 20, 203, TDateTime{kOldDate});
        AddSourceItem(600102, 502);  // a body template
        Value(source, "CObjectInstances", 600102, 1, 1, "", 0, 0, "");
        Value(source, "CStrings", 600102, 1, 1, "EN", 1, 1, "Pages");
    }

    void AddSourceItem(int itemId, int itemType)
    {
        source.AddItem(itemId, itemType, 600001);
        source.Exec("UPDATE Items SET DateModified = :Date WHERE ItemId = :ItemId",
                    {{"Date", TDateTime{kOldDate}}, {"ItemId", itemId}});
    }
    // A row of a value table (or of CObjectInstances, without member and value).
    static void Value(TCatalogFixture& catalog, const std::string& table, int itemId, int classId, int instanceId,
                      const std::string& lang, int memberId, int memberType, const TVariant& value)
    {
        if (table == "CObjectInstances") {
            catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, InstanceId, ParentInstanceId) "
                         "VALUES (:Code, :ItemId, :ClassId, :InstanceId, 0)",
                         {{"Code", catalog.GetCatalogCode()}, {"ItemId", itemId}, {"ClassId", classId},
                          {"InstanceId", instanceId}});
            return;
        }
        const std::string column = table == "CStrings" ? "StringValue"
                                   : table == "CText"  ? "TextValue"
                                   : table == "CNumbers" ? "NumberValue"
                                   : table == "CDates"   ? "DateValue"
                                                         : "DataBlob";
        catalog.Exec("INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                     "MemberType, " + column + ") VALUES (:Code, :ItemId, :ClassId, :InstanceId, :MemberId, :Lang, 0, "
                     ":Type, :Value)",
                     {{"Code", catalog.GetCatalogCode()}, {"ItemId", itemId}, {"ClassId", classId},
                      {"InstanceId", instanceId}, {"MemberId", memberId}, {"Lang", lang}, {"Type", memberType},
                      {"Value", value}});
    }

    void Copy(const std::vector<std::string>& ids, const std::string& params, bool addOnly, bool stampNow)
    {
        TCatalogDefinitionItems(env.Catalog(), "shop", "t#7")
            .CopyItems(ids, env.Connection(), source.Connection(), params, addOnly, stampNow);
    }
    // A target item of another type with a string and a date of its own.
    void AddOwnItem(int itemId)
    {
        env.Db().AddItem(itemId, 2, 600001);
        Value(env.Db(), "CStrings", itemId, 1, 1, "EN", 1, 1, "mine");
        Value(env.Db(), "CDates", itemId, 1, 1, "XXX", 5, 203, TDateTime{kOldDate});
    }
    TVariant TargetField(const std::string& sql) { return env.Db().Scalar(sql); }
    int Count(const std::string& table, const std::string& condition) { return env.Db().Count(table, condition); }

    TCatalogEnvironment env;
    TCatalogFixture source{"t#7"};
};

TEST_F(CatalogItemCopy, ReplacingCopyTakesEveryTableButDatesAndStampsNow)
{
    AddOwnItem(600101);
    Copy({"600101"}, "", false, true);

    EXPECT_EQ(TargetField("SELECT ItemType FROM Items WHERE ItemId = 600101"), TVariant(501));
    EXPECT_EQ(TargetField("SELECT IsSynchronized FROM Items WHERE ItemId = 600101"), TVariant(0));
    EXPECT_TRUE(TargetField("SELECT UserPriority FROM Items WHERE ItemId = 600101").IsNull());
    EXPECT_GT(TargetField("SELECT DateModified FROM Items WHERE ItemId = 600101").AsDateTime().days, kOldDate + 1000);
    EXPECT_EQ(Count("CObjectInstances", "ItemId = 600101"), 3);
    EXPECT_EQ(TargetField("SELECT StringValue FROM CStrings WHERE ItemId = 600101"), TVariant("Harbor Master\tone"));
    EXPECT_EQ(TargetField("SELECT TextValue FROM CText WHERE ItemId = 600101"), TVariant("body {} "));
    EXPECT_EQ(TargetField("SELECT NumberValue FROM CNumbers WHERE ItemId = 600101"), TVariant(7.0));
    EXPECT_EQ(TargetField("SELECT DataBlob FROM CBinary WHERE ItemId = 600101"),
              TVariant(TBytes{std::string("BM\0\1", 4)}));
    EXPECT_EQ(Count("CDates", ""), 0) << "the source's date and the replaced item's are both gone";
    EXPECT_EQ(Count("Items", ""), 1) << "only the listed item";
}

TEST_F(CatalogItemCopy, AddOnlyLeavesTheTargetsItemsWholeAndKeepsTheSourcesDates)
{
    AddOwnItem(600101);
    Copy({"600101", "600102"}, "", true, false);

    EXPECT_EQ(TargetField("SELECT ItemType FROM Items WHERE ItemId = 600101"), TVariant(2));
    EXPECT_EQ(Count("CStrings", "ItemId = 600101"), 1);
    EXPECT_EQ(TargetField("SELECT StringValue FROM CStrings WHERE ItemId = 600101"), TVariant("mine"));
    EXPECT_EQ(Count("CText", "") + Count("CNumbers", "") + Count("CBinary", ""), 0);
    EXPECT_EQ(Count("CDates", "ItemId = 600101"), 1);
    EXPECT_EQ(TargetField("SELECT DateModified FROM Items WHERE ItemId = 600102"), TVariant(TDateTime{kOldDate}));
    EXPECT_EQ(TargetField("SELECT StringValue FROM CStrings WHERE ItemId = 600102"), TVariant("Pages"));
}

TEST_F(CatalogItemCopy, OnlyListedIdsAsDecimalTextsCount)
{
    const struct {
        std::vector<std::string> ids;
        int copied;  // items in the target afterwards
        const char* why;
    } cases[] = {
        {{}, 0, "nothing listed"},
        {{"0"}, 0, "item 0 is never copied"},
        {{"600102"}, 1, "a single id"},
        {{"600101", "600199"}, 1, "an id the source lacks"},
        {{"0600101"}, 0, "the row's id as decimal text is not listed"},
        {{"600101", "600102"}, 2, "several ids"},
    };
    for (const auto& c : cases) {
        env.Db().Exec("DELETE FROM Items");
        Copy(c.ids, "", false, true);
        EXPECT_EQ(Count("Items", ""), c.copied) << c.why;
    }
}

TEST_F(CatalogItemCopy, StyleParamsSetTheSchemesOfTheMasterTemplates)
{
    Copy({"600101", "600102"}, "color=3&font=2&background=0", false, true);
    const std::string member = "SELECT NumberValue FROM CNumbers WHERE ItemId = 600101 AND ClassId = 501 AND MemberId = ";
    EXPECT_EQ(TargetField(member + "1"), TVariant(3.0));
    EXPECT_EQ(TargetField(member + "2"), TVariant(2.0));
    EXPECT_TRUE(TargetField(member + "3").IsNull()) << "background 0 is stored as no value";
    EXPECT_EQ(Count("CNumbers", "ItemId = 600102"), 0) << "a body template gets no schemes";
}

TEST_F(CatalogItemCopy, AFailedCopyLeavesTheTargetAsItWas)
{
    AddOwnItem(600101);
    env.Db().Exec("DROP TABLE CBinary");
    EXPECT_THROW(Copy({"600101", "600102"}, "", false, true), ECriticalTolvexException);
    EXPECT_EQ(TargetField("SELECT ItemType FROM Items WHERE ItemId = 600101"), TVariant(2));
    EXPECT_EQ(TargetField("SELECT StringValue FROM CStrings WHERE ItemId = 600101"), TVariant("mine"));
    EXPECT_EQ(Count("Items", ""), 1);
    EXPECT_EQ(Count("CText", ""), 0);
}

TEST_F(CatalogItemCopy, DeletingTakesSubtreesAndLinkCopiesAndWritesTombstones)
{
    env.Db().AddItem(600101, 2, 600001);
    env.Db().AddItem(600150, 502, 600101);           // below it
    env.Db().AddItem(600160, 502, 600002, 600101);   // a link copy
    env.Db().AddItem(600170, 502, 600002);           // unrelated
    TCatalogDefinitionItems(env.Catalog(), "shop", "t#7").DeleteItems({"600101", "600999", "none"}, env.Connection());
    EXPECT_EQ(Count("Items", ""), 1);
    EXPECT_EQ(Count("Items", "ItemId = 600170"), 1);
    EXPECT_EQ(Count("DeletedItems", "ItemId IN (600101, 600150, 600160)"), 3);
}

}  // namespace
