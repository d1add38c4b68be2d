// Renumbering local items to global ids on a real catalog database: every
// table and reference, ids inside unpublished texts, the "Items" sequence,
// cancelling, and all or nothing when a statement fails.
#include "catalog/ItemRenumbering.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int kStart = 5000;
constexpr int kFirstGlobal = kStart + 100000000;

class RenumberingTest : public ::testing::Test {
protected:
    RenumberingTest()
    {
        catalog.Exec("INSERT INTO LocalSequences (CatalogCode, SequenceName, LastId) VALUES ('shop', 'Items', 7)");
    }

    void Row(const std::string& table, const std::string& column, int itemId, const TVariant& value,
             int memberType = 1, int memberId = 1)
    {
        catalog.Exec("INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                     "IndexId, MemberType, " + column + ") VALUES ('shop', :ItemId, 10, 1, :MemberId, 'XXX', 0, "
                     ":MemberType, :Value)",
                     {{"ItemId", itemId}, {"MemberId", memberId}, {"MemberType", memberType}, {"Value", value}});
    }
    void Text(int itemId, const std::string& text, int memberId = 1) { Row("CText", "TextValue", itemId, text, 52, memberId); }
    std::string TextOf(int itemId, int memberId = 1)
    {
        return catalog.Scalar("SELECT TextValue FROM CText WHERE ItemId = :Id AND MemberId = :M",
                              {{"Id", itemId}, {"M", memberId}}).AsText();
    }
    std::int64_t ItemsSequence()
    {
        return catalog.Scalar("SELECT LastId FROM LocalSequences WHERE SequenceName = 'Items'").AsInteger();
    }
    void Renumber(int start = kStart)
    {
        renumbering.RenumberNewItems(start, catalog.Connection(), [&](int id, int kind) {
            reports.push_back({id, kind});
            if (kind == TItemRenumbering::pkItemRenumbered && ++renumbered == cancelAfter)
                cancel = true;
        }, cancel);
    }

    TCatalogFixture catalog;
    TItemRenumbering renumbering{catalog};
    std::vector<std::pair<int, int>> reports;
    int renumbered = 0;
    int cancelAfter = 0;
    bool cancel = false;
};

}  // namespace

TEST_F(RenumberingTest, StandAloneIdsInTextsAreRewritten)
{
    const TItemRenumbering::TMapping mapping{{1000001, 101000000}, {1000002, 101000001}};
    struct TCase {
        std::string text;
        std::string expected;
        const char* why;
    } cases[] = {
        {"a 1000001 b", "a 101000000 b", "between blanks"},
        {"a 1000001 b 10000012 c", "a 101000000 b 10000012 c", "not the first digits of a longer number"},
        {"1000001 b", "1000001 b", "not at the very start"},
        {"a 1000001", "a 1000001", "not at the very end"},
        {"x1000001;", "x101000000;", "one non-digit character on each side"},
        {"\"1000001 1000001 x", "\"101000000 101000000 x", "two in a row"},
        {"1000001 1000001 x", "1000001 101000000 x", "one left alone does not hide the next"},
        {"?id=1000002&p=1000001#", "?id=101000001&p=101000000#", "several ids"},
    };
    for (const TCase& c : cases) {
        bool changed = false;
        EXPECT_EQ(TItemRenumbering::RewriteIds(c.text, mapping, changed), c.expected) << c.why;
        EXPECT_EQ(changed, c.text != c.expected) << c.why;
    }
}

TEST_F(RenumberingTest, LocalItemsGetGlobalIdsInEveryTableAndReference)
{
    for (int id : {1000000, 1000001, 1000002, 49999999, 50000000})
        catalog.AddItem(id, 100, 1);
    catalog.AddItem(1000003, 100, 1000001, 1000002);  // below 1000001, a placement of 1000002
    catalog.AddItem(300, 100, 1000002);
    Row("CStrings", "StringValue", 1000001, "name");
    Text(1000001, "text");
    Row("CBinary", "DataMimeType", 1000001, "image/png", 252);
    Row("CNumbers", "NumberValue", 1000001, 3.5, 101);
    Row("CDates", "DateValue", 1000001, 45000.0, 201);
    catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, InstanceId) VALUES ('shop', 1000001, 10, 1)");
    Row("CNumbers", "NumberValue", 300, 1000002.0, 102, 2);   // an item reference
    Row("CNumbers", "NumberValue", 300, 1000002.0, 101, 3);   // a plain number

    Renumber();

    // The new ids follow the order in which the items were found.
    std::map<int, int> newIds;
    int expected = kFirstGlobal;
    for (const auto& [id, kind] : reports)
        if (kind == TItemRenumbering::pkItemRenumbered)
            newIds[id] = expected++;
    ASSERT_EQ(newIds.size(), 4u) << "1000001, 1000002, 1000003 and 49999999";
    EXPECT_FALSE(newIds.count(1000000));
    EXPECT_FALSE(newIds.count(50000000));
    EXPECT_EQ(catalog.Count("Items", "ItemId > 1000000 AND ItemId < 50000000"), 0);

    const std::string a = std::to_string(newIds[1000001]);
    const std::string b = std::to_string(newIds[1000002]);
    const std::string c = std::to_string(newIds[1000003]);
    for (const char* table : {"CStrings", "CText", "CBinary", "CNumbers", "CDates", "CObjectInstances"})
        EXPECT_EQ(catalog.Count(table, "ItemId = " + a), 1) << table;
    EXPECT_EQ(catalog.Count("Items", "ItemId = " + c + " AND ParentItemId = " + a + " AND LinkedItemId = " + b), 1);
    EXPECT_EQ(catalog.Count("Items", "ItemId = 300 AND ParentItemId = " + b), 1);
    EXPECT_EQ(catalog.Count("Items", "ItemId = " + b + " AND LinkedItemId = " + b), 1);
    EXPECT_EQ(catalog.Count("CNumbers", "MemberId = 2 AND NumberValue = " + b), 1) << "the reference follows";
    EXPECT_EQ(catalog.Count("CNumbers", "MemberId = 3 AND NumberValue = 1000002"), 1) << "a plain number stays";
    EXPECT_EQ(ItemsSequence(), 0) << "new local items start again at 1000001";
}

TEST_F(RenumberingTest, TextsOfUnpublishedItemsAreRewritten)
{
    catalog.AddItem(1000001, 100, 1);
    catalog.AddItem(200, 100, 1);
    catalog.AddItem(201, 100, 1);
    catalog.Exec("UPDATE Items SET IsSynchronized = 0 WHERE ItemId = 200");  // unpublished
    Text(200, "<a href=\"1000001.html\">");
    Text(200, "no ids here", 2);
    Text(201, "<a href=\"1000001.html\">");  // published

    Renumber();

    EXPECT_EQ(TextOf(200), "<a href=\"" + std::to_string(kFirstGlobal) + ".html\">");
    EXPECT_EQ(TextOf(200, 2), "no ids here");
    EXPECT_EQ(TextOf(201), "<a href=\"1000001.html\">") << "a published item's text stays";
    const std::vector<std::pair<int, int>> expected{{1000001, TItemRenumbering::pkItemRenumbered},
                                                    {200, TItemRenumbering::pkTextRewritten}};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(catalog.Count("Items", "ItemId = 200 AND IsSynchronized = 0 AND DateModified > 0"), 1);
}

TEST_F(RenumberingTest, ACancelledRunKeepsWhatItDidAndTheSequence)
{
    for (int id : {1000001, 1000002, 1000003})
        catalog.AddItem(id, 100, 1);
    catalog.AddItem(200, 100, 1);
    catalog.Exec("UPDATE Items SET IsSynchronized = 0 WHERE ItemId = 200");
    Text(200, " 1000001 1000002 1000003 ");
    cancelAfter = 1;

    Renumber();

    ASSERT_EQ(reports.front().second, TItemRenumbering::pkItemRenumbered);
    const int first = reports.front().first;
    EXPECT_EQ(catalog.Count("Items", "ItemId > 1000000 AND ItemId < 50000000"), 2) << "two items keep their ids";
    EXPECT_EQ(catalog.Count("Items", "ItemId = " + std::to_string(kFirstGlobal)), 1);
    EXPECT_EQ(ItemsSequence(), 7) << "the items left must not get their ids handed out again";
    const std::string text = TextOf(200);
    EXPECT_EQ(text.find(std::to_string(first) + " "), std::string::npos) << text;
    EXPECT_NE(text.find(std::to_string(kFirstGlobal)), std::string::npos) << text;
}

TEST_F(RenumberingTest, AFailureLeavesTheCatalogAsItWas)
{
    catalog.AddItem(1000001, 100, 1);
    catalog.AddItem(1000002, 100, 1000001);
    catalog.AddItem(kFirstGlobal + 1, 100, 1);  // the second new id is taken
    Row("CStrings", "StringValue", 1000001, "one");
    Row("CStrings", "StringValue", 1000002, "two");

    EXPECT_ANY_THROW(Renumber());
    EXPECT_EQ(catalog.Count("Items", "ItemId IN (1000001, 1000002)"), 2);
    EXPECT_EQ(catalog.Count("CStrings", "ItemId IN (1000001, 1000002)"), 2);
    EXPECT_EQ(catalog.Count("Items", "ItemId = " + std::to_string(kFirstGlobal)), 0);
    EXPECT_EQ(ItemsSequence(), 7);
}

TEST_F(RenumberingTest, StartIdsThatGiveNoValidIdsAreRefused)
{
    catalog.AddItem(1000001, 100, 1);
    catalog.AddItem(1000002, 100, 1);
    EXPECT_THROW(Renumber(2147483647 - 100000000), ECriticalTolvexException) << "the second id would overflow";
    EXPECT_THROW(Renumber(-1), ECriticalTolvexException);
    EXPECT_EQ(catalog.Count("Items", "ItemId IN (1000001, 1000002)"), 2);
}

TEST_F(RenumberingTest, RunsInsideTheCallersUnitOfWork)
{
    catalog.AddItem(1000001, 100, 1);
    {
        auto connection = catalog.OpenSecondConnection();
        renumbering.RenumberNewItems(kStart, *connection, {}, cancel);
        connection->RollbackTrans();
    }
    EXPECT_EQ(catalog.Count("Items", "ItemId = 1000001"), 1) << "nothing is committed for the caller";
    EXPECT_EQ(ItemsSequence(), 7);
}

TEST_F(RenumberingTest, ARenumberedHomePageStaysTheHomePage)
{
    catalog.AddItem(1000001, 100, 1);
    catalog.AddItem(708, 603, 8);
    catalog.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES ('shop', 708, 603, 1, 1, 'XXX', 0, 1, '1000001')");

    Renumber();

    EXPECT_EQ(catalog.Scalar("SELECT StringValue FROM CStrings WHERE ItemId = 708 AND ClassId = 603").AsText(),
              std::to_string(kFirstGlobal));
}
