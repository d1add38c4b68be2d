// The product frames' models on real catalogs: the code kept and tested for
// uniqueness as it will be stored, the tree name, and the one retail price
// of the simple frames, which keeps its cents, is written only when edited,
// never without a schedule, and into the row that applies to every option
// and quantity.
#include "editors/site/SiteModelFixture.h"

#include "editors/business/products/MultiColorModel.h"
#include "editors/business/products/ProductPropertiesModel.h"
#include "editors/business/products/RetailPriceModel.h"
#include "storage/AbstractCObject.h"

#include <gtest/gtest.h>

namespace {

constexpr int kProductsRoot = 11;
constexpr int kSchedulesRoot = 12;

class TProductSite : public TSiteModelFixture {
public:
    using TSiteModelFixture::TSiteModelFixture;

    // A product with its code and name, committed.
    int AddProduct(const std::string& code, const std::string& name)
    {
        const int id = AddItem(4002, kProductsRoot, name + " (" + code + ")");
        TAbstractCObject* product = Objects().GetObject(id, "Product");
        product->SetLangString("Code", "XXX", code, 0);
        product->SetLangString("Name", Data().GetDefaultLangCode(), name, 0);
        Save();
        return id;
    }
    // A price row of the product, committed: schedule, price, minimum quantity, an option value.
    int AddPrice(int product, int schedule, double price, int minimum = 0, int optionValue = 0)
    {
        TAbstractCObject* row = Objects().GetObject(product, "Prices")->AddSubObject("Price", "Price", "XXX");
        row->SetLangNumber("PriceSchedule", "XXX", schedule, 0);
        row->SetLangNumber("PriceValue", "XXX", price, 0);
        row->SetLangNumber("MinimumQuantity", "XXX", minimum, 0);
        row->SetLangBoolean("IsMinimumQuantity", "XXX", minimum > 0, 0);
        if (optionValue)
            row->SetLangNumber("OptionItemId", "XXX", optionValue, -1);
        const int instance = row->GetInstanceId();
        Save();
        return instance;
    }
    // A committed number of a price row.
    double PriceMember(int product, int instance, int memberId)
    {
        TQueryGuard query(MainConnection());
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = :Item AND "
                      "InstanceId = :Instance AND MemberId = :Member");
        query->SetParam("CatalogCode", std::string(kCode));
        query->SetParam("Item", product);
        query->SetParam("Instance", instance);
        query->SetParam("Member", memberId);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? -1 : VariantToNumber(rows.Field(0));
    }
    int CountPriceRows(int product)
    {
        return CountOnMain("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                           std::to_string(product) + " AND ClassId = 1004");
    }
};

TProductPropertiesModel::TValues Typed(const std::string& code, const std::string& name)
{
    TProductPropertiesModel::TValues values;
    values.Code = code;
    values.Name = name;
    return values;
}

TEST(ProductProperties, TheCodeIsStoredFilteredAndUpperCaseOutsideTheSupplierCatalog)
{
    struct Case { const char* typed; int catalogType; const char* stored; const char* why; };
    const Case cases[] = {
        {"ab-12", 1, "AB-12", "letters upper case"},
        {"ab 12", 1, "AB12", "a blank is dropped"},
        {"x_1.2/3", 1, "X_123", "only letters, digits, - and _ stay"},
        {"\xC3\xA9t\xC3\xA9", 1, "T", "letters beyond ASCII are dropped"},
        {"ab 12.x", 12, "ab 12.x", "the supplier catalog keeps the code as typed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TProductPropertiesModel::StoredCode(c.typed, c.catalogType), c.stored) << c.why;
}

TEST(ProductProperties, ACodeIsTestedForUniquenessAsItWillBeStored)
{
    TProductSite site;
    site.AddProduct("AB12", "First");
    const int second = site.AddProduct("CD34", "Second");
    TProductPropertiesModel model(site.Context(second));
    model.Load();

    struct Case { const char* code; const char* name; TProductPropertiesModel::TInvalid invalid; const char* error; };
    const Case cases[] = {
        {"ab 12", "Second", TProductPropertiesModel::ivCode,
         "Product with code \"AB12\" already exists in the catalog"},
        {"A-B12", "Second", TProductPropertiesModel::ivNone, ""},
        {" *", "Second", TProductPropertiesModel::ivCode, "Enter product code"},
        {"CD34", "  ", TProductPropertiesModel::ivName, "Enter product name"},
        {"cd34", "Second", TProductPropertiesModel::ivNone, ""},
    };
    for (const Case& c : cases) {
        model.SetValues(Typed(c.code, c.name));
        TProductPropertiesModel::TInvalid invalid = TProductPropertiesModel::ivNone;
        EXPECT_EQ(model.Validate(&invalid), c.error) << c.code;
        EXPECT_EQ(invalid, c.invalid) << c.code;
    }

    // Stored into the objects by a preview, the taken code is still refused at the save.
    model.SetValues(Typed("ab12", "Second"));
    model.Store();
    EXPECT_EQ(model.Validate(), "Product with code \"AB12\" already exists in the catalog");
}

TEST(ProductProperties, AProductWhoseCodeCameInTwiceCanStillBeSaved)
{
    TProductSite site;
    site.AddProduct("DUP", "One");
    const int twin = site.AddProduct("DUP", "Two");
    TProductPropertiesModel model(site.Context(twin));
    model.Load();
    TProductPropertiesModel::TValues values = model.Values();
    values.Description = "changed";
    model.SetValues(values);
    EXPECT_EQ(model.Validate(), "");
}

TEST(ProductProperties, StoreWritesWhatChangedAndTheTreeName)
{
    TProductSite site;
    const int id = site.AddProduct("AB12", "Kettle");
    TProductPropertiesModel model(site.Context(id));
    model.Load();
    EXPECT_FALSE(model.IsModified());
    TProductPropertiesModel::TValues values = model.Values();
    values.Code = "ab 13";
    model.SetValues(values);
    ASSERT_TRUE(model.NameOrCodeChanged());
    EXPECT_EQ(model.TreeName(), "Kettle (AB13)");
    model.Store();
    EXPECT_EQ(model.Values().Code, "AB13") << "the edit shows the code as stored";
    site.Save();
    EXPECT_EQ(site.Committed(id, 4004)->GetLangString("Code", "XXX", 0), "AB13");
    EXPECT_EQ(site.Data().GetItemName(id, site.MainConnection(), site.Data().GetDefaultLangCode()), "Kettle (AB13)");
}

TEST(RetailPrice, WithoutSchedulesNothingIsWritten)
{
    TProductSite site;
    const int id = site.AddProduct("AB12", "Kettle");
    TRetailPriceModel model(site.Context(id));
    model.Load();
    EXPECT_FALSE(model.HasSchedule());
    model.SetPriceText("10");
    model.Store();
    site.Save();
    EXPECT_EQ(site.CountPriceRows(id), 0) << "no price row with schedule 0";
}

TEST(RetailPrice, KeepsTheCentsOfWhatWasTyped)
{
    struct Case { const char* typed; double stored; const char* shown; };
    const Case cases[] = {
        {"12499.99", 12499.99, "12499.99"},
        {"12.499,99", 12499.99, "12499.99"},
        {"1000000", 1000000.0, "1000000"},
        {"0,5", 0.5, "0.5"},
    };
    for (const Case& c : cases) {
        TProductSite site;
        const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
        const int id = site.AddProduct("AB12", "Kettle");
        TRetailPriceModel model(site.Context(id));
        model.Load();
        ASSERT_EQ(model.ScheduleId(), retail);
        EXPECT_EQ(model.ScheduleName(), "Retail");
        model.SetPriceText(c.typed);
        model.SetStockText("5");
        EXPECT_EQ(model.Validate(), "");
        model.Store();
        site.Save();
        TRetailPriceModel again(site.Context(id));
        again.Load();
        EXPECT_EQ(again.PriceText(), c.shown) << c.typed;
        EXPECT_EQ(again.StockText(), "5");
    }
}

TEST(RetailPrice, APriceThatIsNoAmountIsRefusedAndNeverStoredAsZero)
{
    TProductSite site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    const int id = site.AddProduct("AB12", "Kettle");
    const int row = site.AddPrice(id, retail, 20);
    TRetailPriceModel model(site.Context(id));
    model.Load();
    model.SetPriceText("1,2,3.4.5");
    EXPECT_EQ(model.Validate(), "Enter correct price value");
    model.Store();
    site.Save();
    EXPECT_EQ(site.PriceMember(id, row, 1), 20);
    EXPECT_EQ(model.PriceText(), "1,2,3.4.5") << "what was typed stays";
}

TEST(RetailPrice, UpdatesTheRowForAnyQuantityAndEveryOptionOfTheFirstSchedule)
{
    TProductSite site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    const int trade = site.AddItem(2002, kSchedulesRoot, "Trade");
    const int id = site.AddProduct("AB12", "Kettle");
    const int plain = site.AddPrice(id, retail, 10);
    const int tradeRow = site.AddPrice(id, trade, 8);
    const int minimum = site.AddPrice(id, retail, 9, 10);
    const int option = site.AddPrice(id, retail, 11, 0, 130001);

    TRetailPriceModel model(site.Context(id));
    model.Load();
    EXPECT_EQ(model.PriceText(), "10") << "not the last row of the schedule";
    model.SetPriceText("12");
    model.Store();
    site.Save();
    EXPECT_EQ(site.PriceMember(id, plain, 1), 12);
    EXPECT_EQ(site.PriceMember(id, minimum, 1), 9);
    EXPECT_EQ(site.PriceMember(id, option, 1), 11);
    EXPECT_EQ(site.PriceMember(id, tradeRow, 1), 8);
    EXPECT_EQ(site.CountPriceRows(id), 4);
}

TEST(RetailPrice, AProductWithoutTheRowGetsOneOnlyWhenThePriceIsEdited)
{
    TProductSite site;
    const int retail = site.AddItem(2002, kSchedulesRoot, "Retail");
    const int id = site.AddProduct("AB12", "Kettle");
    site.AddPrice(id, retail, 9, 10);

    TRetailPriceModel untouched(site.Context(id));
    untouched.Load();
    EXPECT_EQ(untouched.PriceText(), "");
    untouched.Store();
    site.Save();
    EXPECT_EQ(site.CountPriceRows(id), 1);

    TRetailPriceModel model(site.Context(id));
    model.Load();
    model.SetPriceText("15");
    model.Store();
    site.Save();
    EXPECT_EQ(site.CountPriceRows(id), 2);
    TRetailPriceModel again(site.Context(id));
    again.Load();
    EXPECT_EQ(again.PriceText(), "15");
}

}  // namespace

namespace {

TEST(MultiColor, AChangedColourKeepsItsPlaceAndOnlyTheRemovedRowGoes)
{
    TProductSite site;
    const int id = site.AddProduct("AB12", "Kettle");
    {
        TMultiColorModel model(site.Context(id));
        model.Load();
        for (const char* color : {"FF0000", "00FF00", "FF0000", "0000FF"})
            model.Add(color);
        model.Store();
        site.Save();
    }
    TMultiColorModel model(site.Context(id));
    model.Load();
    ASSERT_EQ(model.Colors(), (std::vector<std::string>{"FF0000", "00FF00", "FF0000", "0000FF"}));
    EXPECT_FALSE(model.IsModified());
    model.Change(1, "FFFF00");
    model.Remove(2);
    model.Store();
    site.Save();
    TMultiColorModel again(site.Context(id));
    again.Load();
    EXPECT_EQ(again.Colors(), (std::vector<std::string>{"FF0000", "FFFF00", "0000FF"}))
        << "the second colour stays second; the other red stays";
}

}  // namespace
