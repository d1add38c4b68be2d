// Which pictures and binary objects are in use, and deleting those that are
// not, on a real catalog database: member values, page texts in any
// language (by id or alternative name), a style's lists, copies below a main
// picture, items marked not to delete, a stopped run, and a delete inside
// the caller's transaction that its rollback undoes.
#include "catalog/Catalog.h"
#include "catalog/media/MediaUsage.h"
#include "storage/AbstractDBConnection.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class MediaUsageTest : public ::testing::Test {
protected:
    void Image(int itemId, int parentItemId = 3, const std::string& altName = "")
    {
        env.Db().AddItem(itemId, 301, parentItemId);
        if (!altName.empty())
            String(itemId, 1, 2, "EN", altName);
    }
    void String(int itemId, int classId, int memberId, const std::string& lang, const std::string& value,
                int index = 0)
    {
        env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, StringValue) VALUES ('shop', :I, :C, 1, :M, :L, :X, 1, :V)",
                      {{"I", itemId}, {"C", classId}, {"M", memberId}, {"L", lang}, {"X", index}, {"V", value}});
    }
    // A member of type 106 (an image item's id) of Holder that refers to Image.
    void Refers(int holder, int image, int memberId = 3)
    {
        env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, NumberValue) VALUES ('shop', :I, 5, 1, :M, 'XXX', 0, 106, :V)",
                      {{"I", holder}, {"M", memberId}, {"V", image}});
    }
    void PageText(int itemId, const std::string& lang, const std::string& html)
    {
        env.Db().Exec("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, TextValue) VALUES ('shop', :I, 4, 1, 1, :L, 0, 52, :H)",
                      {{"I", itemId}, {"L", lang}, {"H", html}});
    }
    std::set<int> Left(int itemType = 301)
    {
        std::set<int> ids;
        for (int id : {3001, 3002, 3010, 3020, 3030, 3040, 3050, 3051, 3060, 3070, 4001, 4002})
            if (env.Db().Count("Items", "ItemId = " + std::to_string(id) + " AND ItemType = " +
                                            std::to_string(itemType)))
                ids.insert(id);
        return ids;
    }
    TMediaUsage Usage(TMediaKind kind = TMediaKind::Images)
    {
        return TMediaUsage(env.Catalog(), env.Connection(), "shop", kind);
    }

    // The library: a main picture with its thumbnail copy, and one of each way to be in use.
    void FillLibrary()
    {
        env.Db().AddItem(3, 2, 0);
        env.Db().AddItem(500, 200, 1);  // a product
        env.Db().AddItem(501, 200, 1);
        env.Db().AddItem(600, 100, 1);  // a page
        Image(3001);
        Image(3002, 3001);
        Refers(3001, 3002);  // its thumbnail: the main picture's own member
        Image(3010);
        Refers(500, 3010);
        Image(3020, 3, "Boat");
        PageText(600, "DE", "<p><img src=\"../images/boat.jpg\"></p>");
        Image(3030);
        PageText(600, "EN", "<img src='../images/3030.gif'> and ../images/{placeholder}.gif");
        Image(3040);
        env.Db().Exec("UPDATE Items SET DontDelete = 1 WHERE ItemId = 3040");
        Image(3050);
        Image(3051, 3050);
        Refers(3050, 3051);
        Refers(501, 3051);  // a product shows the copy
        Image(3060);
        String(700, 510, 1, "XXX", "3060");  // a predefined style loads it
        Image(3070);
    }

    TCatalogEnvironment env;
};

TEST_F(MediaUsageTest, DeleteAllUnreferencedRemovesExactlyTheUnusedSubtrees)
{
    FillLibrary();
    std::vector<std::string> told;
    const TMediaUsage::TResult result = Usage().DeleteUnreferenced([&](int, int count, const std::string&) {
        told.push_back(std::to_string(count));
        return true;
    });
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.Candidates, 10);
    EXPECT_EQ(told.size(), 10u);
    // The unused main picture goes with its copy; the plain unused one goes.
    EXPECT_EQ(result.Deleted, 3);
    EXPECT_EQ(Left(), (std::set<int>{3010, 3020, 3030, 3040, 3050, 3051, 3060}));
    EXPECT_EQ(env.Db().Count("CNumbers", "ItemId = 3001"), 0);

    // A second run finds nothing and counts nothing.
    EXPECT_EQ(Usage().DeleteUnreferenced({}).Deleted, 0);
}

TEST_F(MediaUsageTest, OneItemIsRefusedWhileAnythingOutsideItsSubtreeUsesIt)
{
    FillLibrary();
    struct TCase {
        int ItemId;
        bool InUse;
        int Deleted;
    };
    for (const TCase& c : {TCase{3010, true, 0}, TCase{3020, true, 0}, TCase{3030, true, 0}, TCase{3060, true, 0},
                           TCase{3050, true, 0}, TCase{3051, true, 0}, TCase{3002, true, 0}, TCase{3040, false, 0},
                           TCase{3001, false, 2}, TCase{3070, false, 1}}) {
        EXPECT_EQ(Usage().IsInUse(c.ItemId), c.InUse) << c.ItemId;
        EXPECT_EQ(Usage().DeleteIfUnused(c.ItemId), c.Deleted) << c.ItemId;
    }
    EXPECT_EQ(Left(), (std::set<int>{3010, 3020, 3030, 3040, 3050, 3051, 3060}));
}

TEST_F(MediaUsageTest, AStoppedRunKeepsWhatItDeletedAndTheCallersRollbackBringsItBack)
{
    FillLibrary();
    env.Connection().BeginTrans();
    int asked = 0;
    const TMediaUsage::TResult result =
        Usage().DeleteUnreferenced([&](int, int, const std::string&) { return ++asked <= 2; });
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.Deleted, 2);  // 3001 with its copy, then the stop
    EXPECT_EQ(Left().count(3001), 0u);
    env.Connection().RollbackTrans();
    EXPECT_EQ(Left().count(3001), 1u);
    EXPECT_EQ(Left().count(3002), 1u);
}

TEST_F(MediaUsageTest, BinaryObjectsAreInUseWhenAPageLinksThemByIdOrName)
{
    env.Db().AddItem(4, 2, 0);
    env.Db().AddItem(600, 100, 1);
    env.Db().AddItem(4001, 304, 4);
    String(4001, 1, 2, "DE", "manual");
    env.Db().AddItem(4002, 304, 4);
    env.Db().AddItem(4003, 304, 4);
    PageText(600, "DE", "<a href=\"../bin/Manual.pdf\">PDF</a> <embed src=\"../bin/4003.swf\">");
    const TMediaUsage::TResult result = Usage(TMediaKind::BinaryObjects).DeleteUnreferenced({});
    EXPECT_EQ(result.Deleted, 1);
    EXPECT_EQ(Left(304), (std::set<int>{4001}));
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 4003"), 1);
}

TEST_F(MediaUsageTest, ACatalogWithoutPicturesEndsWithNothingToDo)
{
    const TMediaUsage::TResult result = Usage().DeleteUnreferenced({});
    EXPECT_EQ(result.Candidates, 0);
    EXPECT_EQ(result.Deleted, 0);
    EXPECT_FALSE(result.Cancelled);
}

}  // namespace
