// The item cache: items with their objects and value caches, the item and
// data factories, and the numbering of new objects, which must never give
// one item's id twice, whichever route (object factory or item cache)
// numbers the object.
#include "common/Exceptions.h"
#include "storage/DataFactory.h"
#include "storage/ItemFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexItem.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr int kRoom = 50;
constexpr int kPhoto = 52;

class ItemCacheTest : public ::testing::Test {
protected:
    ItemCacheTest()
    {
        catalog.DeclareClass(kRoom, "Room").Member(1, "Name", 1, mfIsMultiLang).Member(101, "Beds", 101);
        catalog.DeclareClass(kPhoto, "Photo")
            .Member(51, "Caption", 51)
            .Member(201, "Taken", 201)
            .Member(251, "Data", 251);
        catalog.AddItem(1001);
    }

    void AddInstance(int itemId, int classId, int instanceId)
    {
        catalog.Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                     "VALUES ('shop', :ItemId, :ClassId, 0, :InstanceId)",
                     {{"ItemId", itemId}, {"ClassId", classId}, {"InstanceId", instanceId}});
    }

    TCatalogFixture catalog;
    TTolvexItemFactory items{catalog.Context(), "shop", catalog.Connection()};
    TTolvexObjectFactory factory{catalog.Context()};
};

TEST_F(ItemCacheTest, AnItemIsMadeOnceWithOneReference)
{
    TTolvexItem* item = items.GetItem(1001);
    EXPECT_EQ(items.GetItem(1001), item);
    EXPECT_FALSE(item->IsUnreferenced());
    item->Release();
    item->Release();  // never below 0
    EXPECT_TRUE(item->IsUnreferenced());
    item->AddRef();
    EXPECT_FALSE(item->IsUnreferenced());
    EXPECT_EQ(items.GetItem(0), nullptr);
}

TEST_F(ItemCacheTest, TheRowIsReadOnFirstUse)
{
    catalog.AddItem(1005, 120, 7, 1001, true);
    TTolvexItem* link = items.GetItem(1005);
    EXPECT_FALSE(link->Save()) << "the row was never read";
    EXPECT_EQ(link->GetItemType(), 120);
    EXPECT_EQ(link->GetParentItemId(), 7);
    EXPECT_TRUE(link->IsLink());
    EXPECT_FALSE(link->IsVisible());
    EXPECT_TRUE(link->CanDelete());
    EXPECT_TRUE(link->IsSynchronized());
    EXPECT_GT(link->GetLoadTime(), 40000);
    EXPECT_TRUE(link->Save()) << "nothing to save once the row is known";
}

TEST_F(ItemCacheTest, NewObjectsAreNumberedAboveTheHighestInstance)
{
    AddInstance(1001, kRoom, 1);
    AddInstance(1001, kRoom, 4);
    TTolvexItem* item = items.GetItem(1001);
    EXPECT_EQ(item->CreateObject(kRoom, 0)->GetInstanceId(), 5);
    EXPECT_EQ(item->CreateObject(kPhoto, 0)->GetInstanceId(), 6);
    EXPECT_EQ(item->CreateObject(0, 0), nullptr);
    EXPECT_EQ(item->MaxInstanceId(), 6);
}

TEST_F(ItemCacheTest, SavingAfterADeletionRemovesTheInstanceFromEveryTableOnce)
{
    auto photo = factory.CreateObject(1001, kPhoto, 0, catalog.Connection(), "");
    photo->SetStringById(51, "XXX", "Sunset", 0);
    photo->SetNumberById(201, "XXX", 38000, 0);
    photo->Save();
    std::istringstream bytes("jpeg");
    photo->SetBinaryDataById(251, "XXX", "image/jpeg", bytes, 0, nullptr);
    auto room = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    room->SetNumberById(101, "XXX", 2, 0);
    room->Save();
    catalog.Exec("UPDATE Items SET IsSynchronized = 1");

    TTolvexItem* item = items.GetItem(1001);
    item->DeleteObject(photo->GetInstanceId());
    EXPECT_TRUE(item->HasChanges());
    EXPECT_TRUE(item->Save());
    const std::string photoRows = "InstanceId = " + std::to_string(photo->GetInstanceId());
    for (const char* table : {"CText", "CDates", "CBinary", "CObjectInstances"})
        EXPECT_EQ(catalog.Count(table, photoRows), 0) << table;
    EXPECT_EQ(catalog.Count("CNumbers"), 1) << "the room keeps its value";
    EXPECT_EQ(catalog.Count("Items", "IsSynchronized = 0"), 1);

    catalog.Exec("UPDATE Items SET IsSynchronized = 1");
    EXPECT_FALSE(item->HasChanges());
    EXPECT_TRUE(item->Save());
    EXPECT_EQ(catalog.Count("Items", "IsSynchronized = 0"), 0) << "a second save changes nothing";
}

TEST_F(ItemCacheTest, AnItemSaveThatFailsKeepsTheStoredValuesOfEveryObject)
{
    auto room = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    room->SetStringById(1, "EN", "Blue", 0);
    room->Save();
    auto photo = factory.CreateObject(1001, kPhoto, 0, catalog.Connection(), "");
    photo->SetStringById(51, "XXX", "Sunset", 0);
    photo->Save();
    catalog.Exec("UPDATE Items SET IsSynchronized = 1");
    catalog.Exec("CREATE TRIGGER RefuseCaption BEFORE INSERT ON CText WHEN NEW.TextValue = 'refused' "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");

    TTolvexItem* item = items.GetItem(1001);
    item->FindObject(kRoom)->SetStringById(1, "EN", "Green", 0);
    item->FindObject(kPhoto)->SetStringById(51, "XXX", "refused", 0);
    EXPECT_THROW(item->Save(), ETolvexException);

    EXPECT_EQ(factory.GetObjectTyped(1001, kRoom, catalog.Connection(), "")->GetStringById(1, "EN", 0), "Blue");
    EXPECT_EQ(factory.GetObjectTyped(1001, kPhoto, catalog.Connection(), "")->GetStringById(51, "XXX", 0), "Sunset");
    EXPECT_EQ(catalog.Count("Items", "IsSynchronized = 0"), 0);
}

TEST_F(ItemCacheTest, SavingAnItemWithoutChangesInsideAUnitTakesNoWriteLock)
{
    auto room = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    room->SetNumberById(101, "XXX", 2, 0);
    room->Save();
    std::unique_ptr<TAbstractDBConnection> unit = catalog.OpenSecondConnection();
    TTolvexItemFactory unitItems{catalog.Context(), "shop", *unit};
    TTolvexItem* item = unitItems.GetItem(1001);
    ASSERT_NE(item->FindObject(kRoom), nullptr);
    EXPECT_TRUE(item->Save());
    EXPECT_NO_THROW(catalog.Exec("UPDATE Items SET IsSynchronized = 1")) << "other connections may still write";
    unit->RollbackTrans();
}

TEST_F(ItemCacheTest, DiscardingKeepsItemsWithoutChanges)
{
    catalog.AddItem(1002);
    TTolvexItem* kept = items.GetItem(1001);
    kept->FindObject(kRoom);
    items.GetItem(1002)->CreateObject(kRoom, 0)->SetNumberById(101, "XXX", 3, 0);
    items.DiscardChanges();
    EXPECT_EQ(items.Count(), 1u);
    EXPECT_EQ(items.GetItem(1001), kept);
}

TEST_F(ItemCacheTest, TrimmingDropsOnlyUnreferencedItems)
{
    catalog.AddItem(1002);
    items.GetItem(1001)->Release();
    TTolvexItem* held = items.GetItem(1002);
    items.Trim();
    EXPECT_EQ(items.Count(), 1u);
    EXPECT_EQ(items.GetItem(1002), held);
}

TEST_F(ItemCacheTest, ObjectsLoadFromTheValueCachesWhichEverySaveDrops)
{
    auto room = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    room->SetStringById(1, "EN", "Blue", 0);
    room->SetStringById(1, "DE", "Blau", 0);
    room->SetNumberById(101, "XXX", 2, 0);
    room->Save();
    catalog.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                 "MemberType, StringValue) VALUES ('shop', 1001, 50, 1, 1, 'FR', 0, 1, 'Bleu')");

    TTolvexItem* item = items.GetItem(1001);
    TTolvexObject* cached = item->FindObject(kRoom);
    EXPECT_EQ(cached->GetStringById(1, "DE", 0), "Blau");
    EXPECT_TRUE(item->HasValueCache());
    EXPECT_EQ(item->GetStringCache().size(), 3u) << "every row of the item";
    EXPECT_FALSE(cached->HasValueById(1, "FR")) << "a language the catalog lacks is skipped";

    cached->SetNumberById(101, "XXX", 4, 0);
    EXPECT_TRUE(item->Save());
    catalog.Exec("UPDATE CNumbers SET NumberValue = 5");
    cached->Load();
    EXPECT_EQ(cached->GetIntegerById(101, "XXX", 0), 5) << "the caches were read afresh";
}

TEST_F(ItemCacheTest, TheDataFactoryKeepsOneItemCachePerCatalogAndSavesThemAll)
{
    TTolvexDataFactory data(catalog.Context(), catalog.Connection());
    TTolvexItemFactory& shop = data.GetItemFactory("shop");
    EXPECT_EQ(&data.GetItemFactory("shop"), &shop);
    EXPECT_NE(&data.GetItemFactory("SHOP"), &shop) << "letter case counts";
    shop.GetItem(1001)->CreateObject(kRoom, 0)->SetNumberById(101, "XXX", 3, 0);
    EXPECT_TRUE(data.SaveAll(""));
    EXPECT_EQ(catalog.Count("CNumbers"), 1);
    data.DiscardChanges("shop");
    EXPECT_EQ(shop.Count(), 0u);
    data.Clear();
}

// ---- one item, two ways of numbering its objects ----------------------------------

TEST_F(ItemCacheTest, TheFactoryNeverTakesAnIdThatACacheHoldsForAnUnsavedObject)
{
    AddInstance(1001, kRoom, 1);
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    TTolvexObject* cached = collection.CreateObject(1001, kPhoto, 0);
    EXPECT_EQ(cached->GetInstanceId(), 2);
    cached->SetStringById(51, "XXX", "cached", 0);

    auto direct = factory.CreateObject(1001, kPhoto, 0, catalog.Connection(), "");
    EXPECT_EQ(direct->GetInstanceId(), 3);
    EXPECT_NO_THROW(EXPECT_TRUE(collection.SaveAll()));
    EXPECT_EQ(catalog.Count("CObjectInstances", "ItemId = 1001"), 3);
}

TEST_F(ItemCacheTest, ACacheNeverTakesAnIdTheFactoryStoredAfterTheItemWasLoaded)
{
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    collection.GetObject(1001, "Room")->SetNumberById(101, "XXX", 1, 0);  // id 1, pending
    auto direct = factory.CreateObject(1001, kPhoto, 0, catalog.Connection(), "");
    EXPECT_EQ(direct->GetInstanceId(), 2);
    TTolvexObject* cached = collection.CreateObject(1001, kPhoto, 0);
    EXPECT_EQ(cached->GetInstanceId(), 3);
    cached->SetStringById(51, "XXX", "cached", 0);
    EXPECT_NO_THROW(EXPECT_TRUE(collection.SaveAll()));
    EXPECT_EQ(catalog.Count("CObjectInstances", "ItemId = 1001"), 3);
}

TEST_F(ItemCacheTest, TheIdOfADeletedObjectIsNotGivenAwayBeforeItsRowsAreDeleted)
{
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());
    TTolvexObject* dropped = collection.GetObject(1001, "Room");  // id 1, never saved
    dropped->SetNumberById(101, "XXX", 1, 0);
    collection.DeleteObject(1001, dropped->GetInstanceId());  // its rows go at the next save

    auto direct = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    EXPECT_EQ(direct->GetInstanceId(), 2);
    direct->SetNumberById(101, "XXX", 7, 0);
    direct->Save();
    EXPECT_TRUE(collection.SaveAll());
    EXPECT_EQ(factory.GetObjectByInstance(1001, 2, catalog.Connection(), "")->GetIntegerById(101, "XXX", 0), 7)
        << "the factory's object keeps its rows";
}

TEST_F(ItemCacheTest, AnIdFromTheInstanceSequenceSkipsIdsTheItemAlreadyHas)
{
    AddInstance(1001, kPhoto, 1000001);  // numbered as "highest plus 1" long ago
    auto room = factory.GetObject(1001, kRoom, catalog.Connection(), "");
    room->SetNumberById(101, "XXX", 3, 0);
    EXPECT_NO_THROW(room->Save());
    EXPECT_EQ(room->GetInstanceId(), 1000002);
}

}  // namespace
