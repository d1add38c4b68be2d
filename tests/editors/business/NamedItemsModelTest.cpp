// The lists of price schedules and custom field definitions without their
// frames: names unique among the items of the type in every language,
// counting names changed in the session and freed by deletions; an item in
// use (a product's price, a product's value) cannot be deleted.
#include "editors/site/SiteModelFixture.h"

#include "editors/business/ItemNames.h"
#include "editors/business/NamedItemsModel.h"
#include "storage/AbstractCObject.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSchedulesRoot = 12;
constexpr int kFieldsRoot = 18;

std::vector<std::string> Names(const TNamedItemsModel& model)
{
    std::vector<std::string> names;
    for (const TNamedItemsModel::TItem& item : model.Items())
        names.push_back(std::string(item.Depth * 2, ' ') + item.Name);
    return names;
}

TEST(NamedItems, SchedulesAreListedInTreeOrderWithTheirCalculatedChildren)
{
    TSiteModelFixture site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    site.AddItem(2002, retail, "Retail less 10%");
    site.AddItem(2002, kSchedulesRoot, "Trade");
    TNamedItemsModel model(site.Context(retail), TNamedItemsModel::Schedules());
    model.Load();
    EXPECT_EQ(Names(model), (std::vector<std::string>{"Retail", "  Retail less 10%", "Trade"}));
    EXPECT_TRUE(model.HasChildren(retail));
}

TEST(NamedItems, ANameIsTakenWhateverItsCaseAndWhereverTheSessionMovedIt)
{
    TSiteModelFixture site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    const int trade = site.AddItem(2002, kSchedulesRoot, "Trade");
    TNamedItemsModel model(site.Context(retail), TNamedItemsModel::Schedules());
    model.Load();

    EXPECT_EQ(model.Add("retail"), "Price schedule with the name already exists");
    EXPECT_EQ(model.Rename(trade, "RETAIL"), "There already is price schedule with the name");
    EXPECT_EQ(model.Rename(trade, "Trade"), "") << "an item may keep its own name";

    // Renamed in the session and not saved: the new name is taken, the old one free.
    EXPECT_EQ(model.Rename(retail, "Public"), "");
    EXPECT_EQ(TItemNames::NameOf(site.Objects(), retail, site.Data().GetDefaultLangCode()), "Public");
    EXPECT_EQ(model.Add("Public"), "Price schedule with the name already exists");
    int wholesale = 0;
    EXPECT_EQ(model.Add("  Retail "), "");
    EXPECT_EQ(model.Add("Wholesale", &wholesale), "");
    EXPECT_NE(wholesale, 0);
    EXPECT_EQ(Names(model), (std::vector<std::string>{"Public", "Trade", "Retail", "Wholesale"}));

    // A deleted item's name is free again.
    EXPECT_EQ(model.Delete(trade), "");
    EXPECT_EQ(model.Add("Trade"), "");
}

TEST(NamedItems, AnItemInUseCannotBeDeleted)
{
    TSiteModelFixture site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    const int trade = site.AddItem(2002, kSchedulesRoot, "Trade");
    const int colour = site.AddItem(306, kFieldsRoot, "Colour");
    const int product = site.AddItem(4002, 11, "Kettle");
    TAbstractCObject* row = site.Objects().GetObject(product, "Prices")->AddSubObject("Price", "Price", "XXX");
    row->SetLangNumber("PriceSchedule", "XXX", retail, 0);
    TAbstractCObject* value = site.Objects().CreateObject(product, 4008, 0);
    value->SetLangNumber("AdditionalField", "XXX", colour, 0);
    value->SetLangString("FieldData", site.Data().GetDefaultLangCode(), "Red", 0);
    site.Save();

    TNamedItemsModel schedules(site.Context(retail), TNamedItemsModel::Schedules());
    schedules.Load();
    EXPECT_EQ(schedules.Delete(retail), "Cannot delete the price schedule.");
    EXPECT_EQ(schedules.Items().size(), 2u);
    EXPECT_EQ(schedules.Delete(trade), "");
    EXPECT_EQ(schedules.CheckDeletions(), "");

    TNamedItemsModel fields(site.Context(colour), TNamedItemsModel::Fields());
    fields.Load();
    EXPECT_EQ(fields.Delete(colour), "Cannot delete the field. Some product has reference to it.");
    EXPECT_EQ(fields.Add("  "), "Empty field name");
    EXPECT_EQ(fields.Add("colour"), "Custom field name already exists");
    EXPECT_EQ(fields.Rename(colour, "Colour"), "");
}

}  // namespace
