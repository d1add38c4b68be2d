// The object factory (free-standing objects from the database) and the
// object collection (the cache an editing context reads and writes through).
#include "storage/AbstractDBConnection.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexItem.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRoom = 50;
constexpr int kRate = 51;

class ObjectFactoryTest : public ::testing::Test {
protected:
    ObjectFactoryTest()
    {
        catalog.DeclareClass(kRoom, "Room").Member(1, "Name", 1, mfIsMultiLang, "Room").Member(101, "Beds", 101, 0, "2");
        catalog.DeclareClass(kRate, "Rate").Member(152, "Amount", 152);
        catalog.AddItem(1001);
        catalog.AddItem(1002);
    }

    TObjectCollection& Collection()
    {
        if (!collection) {
            collection = std::make_unique<TObjectCollection>(catalog.Context());
            collection->Open("shop", catalog.Connection());
        }
        return *collection;
    }

    TCatalogFixture catalog;
    TTolvexObjectFactory factory{catalog.Context()};
    std::unique_ptr<TObjectCollection> collection;
};

TEST_F(ObjectFactoryTest, AnItemWithoutAnObjectOfTheClassGivesAnEmptyObjectWithItsInitValues)
{
    auto room = factory.GetObject(1001, kRoom, catalog.Connection(), "");
    ASSERT_TRUE(room);
    EXPECT_EQ(room->GetInstanceId(), 0);
    EXPECT_EQ(room->GetLangString("Name", "EN", 0), "Room");
    EXPECT_EQ(room->GetInteger("Beds", 0), 2);
    EXPECT_TRUE(room->CanBeFreed());
    EXPECT_EQ(factory.GetObject(1001, 0, catalog.Connection(), ""), nullptr);
}

TEST_F(ObjectFactoryTest, CreatedObjectsAreNumberedPerItemWhileACatalogIsOpen)
{
    auto first = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "");
    auto second = factory.CreateObject(1001, kRate, first->GetInstanceId(), catalog.Connection(), "");
    EXPECT_EQ(first->GetInstanceId(), 1);
    EXPECT_EQ(second->GetInstanceId(), 2);
    EXPECT_TRUE(first->IsLoaded());
    EXPECT_EQ(catalog.Count("CObjectInstances", "ItemId = 1001 AND InstanceId = 2 AND ParentInstanceId = 1"), 1);
    EXPECT_EQ(factory.CreateObject(1002, kRoom, 0, catalog.Connection(), "")->GetInstanceId(), 1);

    catalog.Close();
    auto fromSequence = factory.CreateObject(1001, kRoom, 0, catalog.Connection(), "shop");
    EXPECT_EQ(fromSequence->GetInstanceId(), 1000001) << "without a catalog: sequence \"Instance\" + 1000000";
}

TEST_F(ObjectFactoryTest, ObjectsAreFoundByInstanceWithinAnItemOrAnywhere)
{
    auto created = factory.CreateObject(1002, kRate, 0, catalog.Connection(), "");
    auto inItem = factory.GetObjectByInstance(1002, created->GetInstanceId(), catalog.Connection(), "");
    ASSERT_TRUE(inItem);
    EXPECT_EQ(inItem->GetClassId(), kRate);
    EXPECT_FALSE(inItem->IsLoaded());
    auto anywhere = factory.GetObjectByInstance(0, created->GetInstanceId(), catalog.Connection(), "");
    ASSERT_TRUE(anywhere);
    EXPECT_EQ(anywhere->GetItemId(), 1002);
    EXPECT_EQ(factory.GetObjectByInstance(1001, created->GetInstanceId(), catalog.Connection(), ""), nullptr);
}

TEST_F(ObjectFactoryTest, TheCollectionHandsOutOneObjectPerItemAndClass)
{
    TTolvexObject* room = Collection().GetObject(1001, "room");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(Collection().GetObject(1001, "Room"), room);
    EXPECT_FALSE(room->CanBeFreed());
    EXPECT_EQ(Collection().GetObject(1001, "Nothing"), nullptr);
    EXPECT_EQ(Collection().GetObject(0, "Room"), nullptr);
    EXPECT_EQ(Collection().GetObjectByInstance(1001, room->GetInstanceId()), room);
    TTolvexObject* rate = Collection().CreateObject(1001, kRate, room->GetInstanceId());
    std::vector<std::string> ids;
    Collection().GetInstanceIds(1001, 0, ids);
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "2"}));
    Collection().GetInstanceIds(1001, kRate, ids);
    EXPECT_EQ(ids, (std::vector<std::string>{std::to_string(rate->GetInstanceId())}));
}

TEST_F(ObjectFactoryTest, SaveAllWritesTheChangedObjectsWithTheirInstanceRows)
{
    TTolvexObject* room = Collection().GetObject(1001, "Room");
    room->SetLangString("Name", "EN", "Garden room", 0);
    Collection().GetObject(1002, "Room");  // untouched: nothing written
    EXPECT_TRUE(Collection().SaveAll());
    EXPECT_EQ(catalog.Count("CObjectInstances"), 1);
    EXPECT_EQ(catalog.Count("Items", "IsSynchronized = 0"), 1);
    EXPECT_EQ(factory.GetObject(1001, kRoom, catalog.Connection(), "")->GetLangString("Name", "EN", 0), "Garden room");
}

TEST_F(ObjectFactoryTest, DiscardingDropsUnsavedChangesSoThatStoredValuesAreReadAgain)
{
    TTolvexObject* room = Collection().GetObject(1001, "Room");
    room->SetLangString("Name", "EN", "Stored", 0);
    Collection().SaveAll();
    Collection().DiscardChanges();
    TTolvexObject* unchanged = Collection().GetObject(1002, "Room");

    room = Collection().GetObject(1001, "Room");
    room->SetLangString("Name", "EN", "Not saved", 0);
    Collection().DiscardChanges();
    EXPECT_EQ(Collection().GetObject(1001, "Room")->GetLangString("Name", "EN", 0), "Stored");
    EXPECT_EQ(Collection().GetObject(1002, "Room"), unchanged) << "an item without changes stays cached";
}

TEST_F(ObjectFactoryTest, ADeletedObjectLosesItsRowsAtTheNextSave)
{
    TTolvexObject* room = Collection().GetObject(1001, "Room");
    room->SetLangString("Name", "EN", "Old", 0);
    Collection().SaveAll();
    const int instanceId = room->GetInstanceId();
    Collection().DeleteObject(1001, instanceId);
    EXPECT_EQ(Collection().GetObjectByInstance(1001, instanceId), nullptr);
    EXPECT_EQ(catalog.Count("CStrings"), 1) << "not before the save";
    EXPECT_TRUE(Collection().SaveAll());
    EXPECT_EQ(catalog.Count("CStrings"), 0);
    EXPECT_EQ(catalog.Count("CObjectInstances"), 0);
}

TEST_F(ObjectFactoryTest, CollectionsOnOtherConnectionsDoNotSeeUnsavedObjects)
{
    auto editing = catalog.OpenSecondConnection();
    TObjectCollection editor(catalog.Context());
    editor.Open("shop", *editing);
    editor.GetObject(1001, "Room")->SetLangString("Name", "EN", "Draft", 0);
    EXPECT_TRUE(editor.SaveAll());  // written inside the editing unit of work
    EXPECT_EQ(Collection().GetObject(1001, "Room")->GetLangString("Name", "EN", 0), "Room");
    editing->CommitTrans();
    Collection().Clear();
    EXPECT_EQ(Collection().GetObject(1001, "Room")->GetLangString("Name", "EN", 0), "Draft");
}

}  // namespace
