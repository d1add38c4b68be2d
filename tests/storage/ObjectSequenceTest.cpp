// Instance ids of objects drawn from the sequences of the catalog the object
// belongs to, also while another catalog is open.
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

TEST(ObjectSequences, AnObjectOfAnotherCatalogDrawsFromItsOwnDatabase)
{
    TCatalogFixture open("shop");     // the catalog open in the object model
    TCatalogFixture other("newshop"); // e.g. a catalog being created
    open.DeclareClass(30, "Note").Member(1, "Text", 1);
    other.AddItem(1005, 100);

    TTolvexObjectFactory factory(open.Context());
    auto note = factory.GetObjectTyped(1005, 30, other.Connection(), "newshop");
    ASSERT_TRUE(note);
    note->SetString("Text", "hello", 0);
    ASSERT_TRUE(note->Save());

    EXPECT_EQ(open.Scalar("SELECT COUNT(*) FROM LocalSequences"), TVariant(std::int64_t{0}))
        << "no sequence row of another catalog lands in the open catalog's file";
    EXPECT_EQ(other.Scalar("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = 'newshop' AND ItemId = 1005"),
              TVariant(std::int64_t{1}));
}
