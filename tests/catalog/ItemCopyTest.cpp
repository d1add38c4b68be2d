// Copying an item on a real catalog database: every row of the item, the
// order after its siblings, data items and placements, the new id, the
// names in each language, a missing source, and no half copy on failure.
#include "catalog/ItemCopier.h"
#include "storage/AbstractCClassDefinition.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

class ItemCopyTest : public ::testing::Test {
protected:
    ItemCopyTest()
    {
        catalog.DeclareClass(1, "CommonNames").Member(1, "ItemName", 1, mfIsMultiLang | mfUseDefLangForNull);
        catalog.AddItem(1000, 2, 1);
    }

    void Value(const std::string& table, const std::string& column, int itemId, const TVariant& value,
               int classId = 10, int memberId = 1, const std::string& lang = "XXX")
    {
        catalog.Exec("INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                     "IndexId, MemberType, " + column + ") VALUES ('shop', :ItemId, :ClassId, 1, :MemberId, :Lang, "
                     "0, 1, :Value)",
                     {{"ItemId", itemId}, {"ClassId", classId}, {"MemberId", memberId}, {"Lang", lang},
                      {"Value", value}});
    }
    void Name(int itemId, const std::string& lang, const std::string& name)
    {
        Value("CStrings", "StringValue", itemId, name, 1, 1, lang);
        if (catalog.Count("CObjectInstances", "ItemId = " + std::to_string(itemId) + " AND ClassId = 1") == 0)
            catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, InstanceId, ParentInstanceId) "
                         "VALUES ('shop', :Id, 1, 1, 0)", {{"Id", itemId}});
    }
    std::string NameOf(int itemId, const std::string& lang)
    {
        const TVariant name = catalog.Scalar("SELECT StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 1 "
                                             "AND MemberId = 1 AND LangCode = :Lang", {{"Id", itemId}, {"Lang", lang}});
        return name.IsNull() ? "(none)" : name.AsText();
    }
    std::int64_t Field(int itemId, const std::string& column)
    {
        return catalog.Scalar("SELECT " + column + " FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).AsInteger();
    }
    void Order(int itemId, int orderNum)
    {
        catalog.Exec("UPDATE Items SET OrderNum = :O WHERE ItemId = :Id", {{"O", orderNum}, {"Id", itemId}});
    }
    int Copy(int sourceId, int wantedId = 0) { return copier.CopyItem(sourceId, wantedId, catalog.Connection()); }

    TCatalogFixture catalog;  // languages EN and DE, default EN
    TItemCopier copier{catalog, catalog.Context()};
};

}  // namespace

TEST_F(ItemCopyTest, ADataItemIsCopiedWithAllItsRowsAfterItsSiblings)
{
    for (int id : {1001, 1002, 1003}) {
        catalog.AddItem(id, 100, 1000);
        Order(id, (id - 1000) * 100);
    }
    catalog.Exec("UPDATE Items SET DontDelete = 1, DontSort = 1, ExpandedImageCode = 'x', UserPriority = 4 "
                 "WHERE ItemId = 1003");
    catalog.AddItem(1010, 100, 1003);  // a child, not copied
    Name(1003, "EN", "Shoes");
    Name(1003, "DE", "Schuhe");
    Value("CText", "TextValue", 1003, "text");
    Value("CNumbers", "NumberValue", 1003, 2.5);
    Value("CDates", "DateValue", 1003, 45000.0);
    Value("CBinary", "DataMimeType", 1003, "image/png");

    const int copy = Copy(1003);

    EXPECT_GT(copy, 1000000) << "an id of the sequence";
    EXPECT_EQ(Field(copy, "ParentItemId"), 1000);
    EXPECT_EQ(Field(copy, "LinkedItemId"), copy) << "a data item of its own";
    EXPECT_EQ(Field(copy, "OrderNum"), 310) << "after the last of its siblings";
    EXPECT_EQ(Field(copy, "IsSynchronized"), 0);
    EXPECT_EQ(catalog.Count("Items", "ItemId = " + std::to_string(copy) +
                                         " AND DontDelete = 1 AND DontSort = 1 AND ExpandedImageCode = 'x' AND "
                                         "UserPriority = 4 AND ItemType = 100 AND DateModified > 0"),
              1);
    for (const char* table : {"CText", "CNumbers", "CDates", "CBinary", "CObjectInstances"})
        EXPECT_EQ(catalog.Count(table, "ItemId = " + std::to_string(copy)), 1) << table;
    EXPECT_EQ(NameOf(copy, "EN"), "Shoes (" + std::to_string(copy) + ")");
    EXPECT_EQ(NameOf(copy, "DE"), "Schuhe (" + std::to_string(copy) + ")");
    EXPECT_EQ(NameOf(1003, "EN"), "Shoes") << "the source keeps its name";
    EXPECT_EQ(catalog.Count("Items", "ParentItemId = " + std::to_string(copy)), 0) << "children are not copied";
}

TEST_F(ItemCopyTest, APlacementIsCopiedAsAnotherPlacementOfTheSameDataItem)
{
    catalog.AddItem(1001, 100, 1000);
    catalog.AddItem(1002, 100, 7, 1001);  // a placement of 1001
    Name(1001, "EN", "Shoes");

    const int copy = Copy(1002);
    EXPECT_EQ(Field(copy, "LinkedItemId"), 1001);
    EXPECT_EQ(Field(copy, "ParentItemId"), 7);
    EXPECT_EQ(Field(copy, "OrderNum"), 0) << "siblings all numbered 0";
    EXPECT_EQ(NameOf(1001, "EN"), "Shoes") << "the data item's name is not changed";
    EXPECT_EQ(catalog.Count("CStrings", "ItemId = " + std::to_string(copy)), 0);
}

TEST_F(ItemCopyTest, TheWantedIdIsTakenWhenItIsFree)
{
    catalog.AddItem(1001, 100, 1000);
    catalog.Exec("INSERT INTO DeletedItems (CatalogCode, ItemId) VALUES ('shop', 777)");

    struct TCase {
        int wanted;
        bool taken;
        const char* why;
    } cases[] = {
        {777, true, "a free id, deleted before"},
        {1001, false, "an id in use"},
        {5, false, "a tree root"},
        {-2, false, "no id"},
        {0, false, "none wanted"},
    };
    for (const TCase& c : cases) {
        const int copy = Copy(1001, c.wanted);
        EXPECT_EQ(copy == c.wanted, c.taken) << c.why;
        EXPECT_EQ(catalog.Count("Items", "ItemId = " + std::to_string(copy)), 1) << c.why;
    }
    EXPECT_EQ(catalog.Count("DeletedItems"), 0) << "the copy is no longer a deleted item";
}

TEST_F(ItemCopyTest, NamesAreRenamedFromTheirOwnLanguage)
{
    catalog.AddItem(1001, 100, 1000);
    Name(1001, "EN", "Boots");  // no name of its own in DE
    catalog.AddItem(1002, 100, 1000);
    Name(1002, "XXX", "Logo");  // a name for every language
    catalog.AddItem(1003, 100, 1000);  // no name at all

    const int boots = Copy(1001);
    const std::string id = std::to_string(boots);
    EXPECT_EQ(NameOf(boots, "EN"), "Boots (" + id + ")");
    EXPECT_EQ(NameOf(boots, "DE"), "(none)") << "DE still shows the default language's name, renamed once";

    const int logo = Copy(1002);
    EXPECT_EQ(NameOf(logo, "XXX"), "Logo (" + std::to_string(logo) + ")");
    EXPECT_EQ(NameOf(logo, "EN"), "Logo (" + std::to_string(logo) + ")");

    const int unnamed = Copy(1003);
    EXPECT_EQ(NameOf(unnamed, "EN"), " (" + std::to_string(unnamed) + ")");
}

TEST_F(ItemCopyTest, AMissingSourceCopiesNothingAndUsesUpNoId)
{
    EXPECT_EQ(Copy(999), 0);
    EXPECT_EQ(Copy(999, 5000), 0);
    EXPECT_EQ(catalog.Count("Items"), 1);
    EXPECT_EQ(catalog.Count("LocalSequences"), 0) << "no sequence number drawn";
}

TEST_F(ItemCopyTest, AFailedCopyLeavesNoHalfCopy)
{
    catalog.AddItem(1001, 100, 1000);
    Value("CStrings", "StringValue", 1001, "code");
    Value("CStrings", "StringValue", 5000, "left over");  // a stray row of the wanted id

    EXPECT_ANY_THROW(Copy(1001, 5000));
    EXPECT_EQ(catalog.Count("Items", "ItemId = 5000"), 0);
    EXPECT_EQ(catalog.Count("CStrings", "ItemId = 5000"), 1);
}
