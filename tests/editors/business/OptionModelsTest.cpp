// The option and price models on real catalogs: the combinations of a
// product's options and their keys, the stock codes kept per combination
// and lost only after a question, the price rows with their duplicates,
// combinations and amounts, the price dialog's answers, and the option
// library's names, deletions and order. Every change lives in the session's
// objects until the save; Cancel restores it.
#include "editors/site/SiteModelFixture.h"

#include "editors/business/options/OptionCombinations.h"
#include "editors/business/options/OptionLibraryModel.h"
#include "editors/business/options/PriceEditModel.h"
#include "editors/business/options/ProductOptionsModel.h"
#include "editors/business/options/ProductPricesModel.h"
#include "editors/framework/EditorParams.h"
#include "storage/AbstractCObject.h"

#include <gtest/gtest.h>

namespace {

constexpr int kProductsRoot = 11;
constexpr int kSchedulesRoot = 12;
constexpr int kOptionsRoot = 13;
constexpr int kOptionType = 302;

using TOption = TOptionCombinations::TOption;

TOption Option(int id, const std::string& name, std::vector<int> values, std::vector<std::string> names)
{
    return TOption{id, name, std::move(values), std::move(names)};
}

TEST(OptionCombinations, RowsEnumerateWithTheFirstOptionSlowestAndFindTheirKeys)
{
    TOptionCombinations combinations;
    combinations.Set({Option(1, "Size", {10, 11}, {"S", "M"}), Option(2, "Colour", {20, 21, 22}, {"R", "G", "B"})});
    ASSERT_EQ(combinations.Count(), 6u);
    const char* expected[][2] = {{"S", "R"}, {"S", "G"}, {"S", "B"}, {"M", "R"}, {"M", "G"}, {"M", "B"}};
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(combinations.ValueName(row, 0), expected[row][0]) << row;
        EXPECT_EQ(combinations.ValueName(row, 1), expected[row][1]) << row;
        EXPECT_EQ(combinations.RowOf(combinations.Key(row)), static_cast<long>(row));
    }
    EXPECT_EQ(combinations.Key(4), "11;21");
    // Keys name one value of every option, or no row.
    for (const char* key : {"11", "10;11", "10;20;21", "10;99", "", "x"})
        EXPECT_EQ(combinations.RowOf(key), -1) << key;

    combinations.Set({Option(1, "Size", {10, 11}, {"S", "M"}), Option(2, "Empty", {}, {})});
    EXPECT_EQ(combinations.Count(), 0u) << "an option without values gives no combination";
}

TEST(OptionCombinations, KeysSortIdsAsNumbersWhateverTheirLengths)
{
    // Text order would put "1000" before "99": a stored key and a row would stop matching.
    EXPECT_EQ(TOptionCombinations::KeyOf({1000, 99}), "99;1000");
    EXPECT_EQ(TOptionCombinations::Normalised("1000;99;99"), "99;1000");
    TOptionCombinations combinations;
    combinations.Set({Option(1, "A", {1000, 1001}, {"a1", "a2"}), Option(2, "B", {99, 98}, {"b1", "b2"})});
    EXPECT_EQ(combinations.Key(0), "99;1000");
    EXPECT_EQ(combinations.RowOf("1000;99"), 0);
    EXPECT_EQ(combinations.RowOf("98;1001"), 3);
}

// A catalog with the options Size (S, M, L) and Colour (Red, Blue), a
// product and the schedules Retail and Trade.
class TOptionSite : public TSiteModelFixture {
public:
    TOptionSite()
    {
        size = AddItem(kOptionType, kOptionsRoot, "Size");
        for (const char* name : {"S", "M", "L"})
            sizes.push_back(AddItem(kOptionType, size, name));
        colour = AddItem(kOptionType, kOptionsRoot, "Colour");
        for (const char* name : {"Red", "Blue"})
            colours.push_back(AddItem(kOptionType, colour, name));
        product = AddItem(4002, kProductsRoot, "Shirt");
        retail = AddItem(2002, kSchedulesRoot, "Retail");
        trade = AddItem(2002, kSchedulesRoot, "Trade");
    }

    // Size and Colour given to the product, saved.
    TProductOptionsModel& WithOptions()
    {
        options = std::make_unique<TProductOptionsModel>(Context(product));
        options->Load();
        options->SetHasOptions(true);
        EXPECT_EQ(options->AddOption(size), "");
        EXPECT_EQ(options->AddOption(colour), "");
        return *options;
    }
    int CountOf(int classId)
    {
        return CountOnMain("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                           std::to_string(product) + " AND ClassId = " + std::to_string(classId));
    }
    std::vector<std::string> Params(std::initializer_list<std::pair<const char*, std::string>> values)
    {
        std::vector<std::string> params;
        for (const auto& [name, value] : values)
            editor_params::SetValue(params, name, value);
        return params;
    }
    std::string Key(int a, int b) { return TOptionCombinations::KeyOf({a, b}); }

    int size = 0, colour = 0, product = 0, retail = 0, trade = 0;
    std::vector<int> sizes, colours;
    std::unique_ptr<TProductOptionsModel> options;
};

constexpr int kProductOptionClass = 4010;
constexpr int kPriceClass = 1004;

TEST(ProductOptions, StockCodesBelongToCombinationsAndReachTheDatabaseOnlyWithTheSave)
{
    TOptionSite site;
    TProductOptionsModel& model = site.WithOptions();
    ASSERT_EQ(model.Combinations().Count(), 6u);
    EXPECT_EQ(model.Combinations().ValueName(5, 0), "L");
    EXPECT_EQ(model.Combinations().ValueName(5, 1), "Blue");
    model.SetSku(0, "SHIRT-S-RED");
    model.SetSku(5, "SHIRT-L-BLUE");
    model.SetSku(3, "   ");
    EXPECT_EQ(site.CountOf(kProductOptionClass), 0) << "nothing before the save";
    site.Save();
    EXPECT_EQ(site.CountOf(kProductOptionClass), 2) << "a blank SKU makes no object";

    TProductOptionsModel reopened(site.Context(site.product));
    reopened.Load();
    EXPECT_EQ(reopened.Sku(0), "SHIRT-S-RED");
    EXPECT_EQ(reopened.Sku(5), "SHIRT-L-BLUE");
    EXPECT_EQ(reopened.Sku(1), "");
    reopened.SetSku(0, "");
    reopened.SetSku(5, "SHIRT-L-BLUE-2");
    site.Save();
    EXPECT_EQ(site.CountOf(kProductOptionClass), 1) << "clearing an SKU deletes its object";
    reopened.Load();
    EXPECT_EQ(reopened.Sku(5), "SHIRT-L-BLUE-2");
}

TEST(ProductOptions, AStoredCombinationInAnotherOrderStillFindsItsRow)
{
    TOptionSite site;
    site.WithOptions();
    site.Save();
    // Written by an import, largest id first.
    TAbstractCObject* options = site.Objects().GetObject(site.product, "ProductOptions");
    TAbstractCObject* stored = options->AddSubObject("OptionObjects", "ProductOption", "XXX");
    stored->SetLangNumber("OptionItemId", "XXX", site.colours[1], -1);
    stored->SetLangNumber("OptionItemId", "XXX", site.sizes[2], -1);
    stored->SetLangString("SKU", "XXX", "IMPORTED", 0);
    site.Save();
    TProductOptionsModel model(site.Context(site.product));
    model.Load();
    EXPECT_EQ(model.Sku(5), "IMPORTED");
    EXPECT_EQ(model.HiddenSkus(), 0u);
}

TEST(ProductOptions, ChangingTheOptionsSaysWhatGoesAndRemovesThePricesOfRemovedValues)
{
    TOptionSite site;
    TProductOptionsModel& model = site.WithOptions();
    model.SetSku(0, "A");
    model.SetSku(1, "B");
    TProductPricesModel prices(site.Context(site.product));
    prices.Load();
    prices.SetPerOptionPrices(true);
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.retail)}, {"PriceValue", "10"}})), "");
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)},
                                        {"PriceValue", "8"},
                                        {"OptionItems", site.Key(site.sizes[2], site.colours[0])}})),
              "");
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)},
                                        {"PriceValue", "9"},
                                        {"OptionItems", site.Key(site.sizes[0], site.colours[1])}})),
              "");
    site.Save();

    const TProductOptionsModel::TLoss adding = model.LossOfAdding();
    EXPECT_EQ(adding.Skus, 2);
    EXPECT_NE(model.Question(adding).find("2 combinations"), std::string::npos) << model.Question(adding);
    const TProductOptionsModel::TLoss removing = model.LossOfRemoving(site.colour);
    EXPECT_EQ(removing.Skus, 2);
    EXPECT_EQ(removing.Prices, 2);

    model.RemoveOption(site.colour);
    EXPECT_EQ(model.Combinations().Count(), 3u);
    EXPECT_EQ(model.Sku(0), "") << "the SKUs went with the option set";
    site.Save();
    EXPECT_EQ(site.CountOf(kProductOptionClass), 0);
    EXPECT_EQ(site.CountOf(kPriceClass), 1) << "only the price for every combination is left";

    // Unchecking "has options" removes every option and every price naming a value.
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)},
                                        {"PriceValue", "7"},
                                        {"OptionItems", std::to_string(site.sizes[1])}})),
              "");
    EXPECT_EQ(model.LossOfRemoving(std::nullopt).Prices, 1);
    model.SetHasOptions(false);
    site.Save();
    EXPECT_EQ(site.CountOf(kPriceClass), 1);
    model.Load();
    EXPECT_TRUE(model.OptionIds().empty());
    EXPECT_EQ(model.AddOption(site.size), "");
    EXPECT_EQ(model.AddOption(site.size), "The option already exists for the product");
}

TEST(ProductOptions, CancelRestoresOptionsStockCodesAndPrices)
{
    TOptionSite site;
    TProductOptionsModel& model = site.WithOptions();
    model.SetSku(2, "KEEP");
    TProductPricesModel prices(site.Context(site.product));
    prices.Load();
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.retail)}, {"PriceValue", "5"}})), "");
    site.Save();

    model.RemoveOption(site.colour);
    model.SetSku(0, "NEW");
    prices.Load();
    prices.Delete(0);
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)}, {"PriceValue", "4"}})), "");
    site.Cancel();

    TProductOptionsModel reopened(site.Context(site.product));
    reopened.Load();
    EXPECT_EQ(reopened.OptionIds(), (std::vector<int>{site.size, site.colour}));
    EXPECT_EQ(reopened.Sku(2), "KEEP");
    TProductPricesModel reread(site.Context(site.product));
    reread.Load();
    ASSERT_EQ(reread.Rows().size(), 1u);
    EXPECT_EQ(reread.Rows()[0].PriceSchedule, site.retail);
    EXPECT_EQ(site.CountOf(kPriceClass), 1);
}

TEST(ProductPrices, DuplicatesAreOneScheduleMinimumAndCombinationAndTheCombinationsOwnRowWins)
{
    TOptionSite site;
    site.WithOptions();
    TProductPricesModel prices(site.Context(site.product));
    prices.Load();
    prices.SetPerOptionPrices(true);
    const std::string retail = std::to_string(site.retail);
    const std::string lRed = site.Key(site.sizes[2], site.colours[0]);
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", retail}, {"PriceValue", "20"}, {"OptionItems", lRed}})), "");

    // Include-all adds the five combinations without a Retail row and keeps L/Red's own.
    const auto all = site.Params({{"PriceSchedule", retail}, {"PriceValue", "25"}, {"IncludeAllOptions", "yes"}});
    EXPECT_EQ(prices.RowsToCreate(all), 5u);
    ASSERT_EQ(prices.Apply(all), "");
    EXPECT_EQ(prices.Rows().size(), 6u);
    EXPECT_EQ(prices.Apply(all), "The price for \"Retail\" price schedule already exists");

    // One row for every combination beside a combination's own: the own one wins for it.
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", retail}, {"PriceValue", "30"}})), "");
    EXPECT_EQ(prices.Apply(site.Params({{"PriceSchedule", retail}, {"PriceValue", "31"}})),
              "The price for \"Retail\" price schedule already exists");
    ASSERT_NE(prices.PriceFor(site.retail, lRed, 1), nullptr);
    EXPECT_EQ(prices.PriceFor(site.retail, lRed, 1)->PriceValue, 20);
    EXPECT_EQ(prices.PriceFor(site.retail, "", 1)->PriceValue, 30);

    // Minimums 0 and 10 stand side by side; a second 10 is refused.
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", retail},
                                        {"PriceValue", "18"},
                                        {"OptionItems", lRed},
                                        {"IsMinimumQuantity", "yes"},
                                        {"MinimumQuantity", "10"}})),
              "");
    EXPECT_EQ(prices.PriceFor(site.retail, lRed, 12)->PriceValue, 18);
    const int row = prices.RowOfInstance(prices.PriceFor(site.retail, lRed, 1)->PriceInstanceId);
    EXPECT_EQ(prices.SetCell(row, prices.MinimumColumn(), "10"),
              "The price for \"Retail\" price schedule and minimum quantity \"10\" already exists");
    // The test reads what the grid shows: a minimum moved away frees its old value at once.
    const int ten = prices.RowOfInstance(prices.PriceFor(site.retail, lRed, 12)->PriceInstanceId);
    EXPECT_EQ(prices.SetCell(ten, prices.MinimumColumn(), "20"), "");
    EXPECT_EQ(prices.SetCell(row, prices.MinimumColumn(), "10"), "");
}

TEST(ProductPrices, GridCellsShowAndTakeAmountsAndRefuseWhatIsNoPrice)
{
    TOptionSite site;
    site.WithOptions();
    TProductPricesModel prices(site.Context(site.product));
    prices.Load();
    prices.SetPerOptionPrices(true);
    ASSERT_EQ(prices.ColumnCount(), 6);
    EXPECT_EQ(prices.Header(1), "Size");
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.retail)},
                                        {"PriceValue", "12499.99"},
                                        {"QuantityInStock", "0"},
                                        {"OptionItems", std::to_string(site.sizes[1])}})),
              "");
    ASSERT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)},
                                        {"PriceValue", "0"},
                                        {"IsRequestForQuote", "yes"}})),
              "");
    EXPECT_EQ(prices.Apply(site.Params({{"PriceSchedule", std::to_string(site.trade)}, {"PriceValue", "0"}})),
              "Enter correct price value");

    EXPECT_EQ(prices.Cell(0, 1), "M");
    EXPECT_EQ(prices.Cell(0, 2), "n/a") << "the row names no colour";
    EXPECT_EQ(prices.Cell(0, prices.StockColumn()), "");
    EXPECT_EQ(prices.Cell(0, prices.MinimumColumn()), "(no minimum)");
    EXPECT_EQ(prices.Cell(0, prices.PriceColumn()).rfind("12,499.99", 0), 0u) << prices.Cell(0, prices.PriceColumn());
    EXPECT_EQ(prices.EditText(0, prices.PriceColumn()), "12499.99");
    EXPECT_EQ(prices.Cell(1, prices.PriceColumn()), "Request For Quote");
    EXPECT_EQ(prices.EditText(1, prices.PriceColumn()), "0");
    EXPECT_EQ(prices.DialogParams(0).size(), 8u);
    EXPECT_EQ(ValueOfName(prices.DialogParams(0), "PriceValue"), "12499.99");

    struct Case { const char* typed; const char* error; double stored; };
    const Case cases[] = {
        {"0", "Enter correct price value", 12499.99},
        {"abc", "Enter correct price value", 12499.99},
        {"-5", "Enter correct price value", 12499.99},
        {"12 499,50", "", 12499.5},
        {"12499.99", "", 12499.99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prices.SetCell(0, prices.PriceColumn(), c.typed), c.error) << c.typed;
        EXPECT_EQ(prices.Rows()[0].PriceValue, c.stored) << c.typed;
    }
    EXPECT_EQ(prices.SetCell(0, prices.StockColumn(), "x"), "Enter correct quantity value");
    EXPECT_EQ(prices.SetCell(0, prices.StockColumn(), "7"), "");
    site.Save();

    // Turning per-option prices off hides the columns and keeps what the rows name.
    prices.SetPerOptionPrices(false);
    EXPECT_EQ(prices.ColumnCount(), 4);
    EXPECT_EQ(prices.Rows()[0].OptionItems, std::to_string(site.sizes[1]));
    site.Save();
    TProductPricesModel reread(site.Context(site.product));
    reread.Load();
    EXPECT_EQ(reread.Rows()[0].PriceValue, 12499.99);
    EXPECT_EQ(reread.Rows()[0].QuantityAtStock, 7);
    EXPECT_EQ(reread.Rows()[1].IsRequestForQuote, true);
    EXPECT_FALSE(reread.PerOptionPrices());
}

TEST(PriceDialog, TheAnswerKeepsTheCentsAndRefusesAPriceThatIsNone)
{
    const std::vector<std::string> schedules = {"    Retail===12001", "       Cost===12005", "    Trade===12002"};
    TPriceEditModel model;
    model.Init({"PriceSchedule=12002", "PriceValue=12499.99", "IsMinimumQuantity=yes", "MinimumQuantity=5",
                "HasDifferentPrices=yes", "PriceInstanceId=7", "OptionItems=3;4"},
               schedules);
    EXPECT_EQ(model.ScheduleId(), 12002);
    EXPECT_FALSE(model.AnyQuantity);
    EXPECT_FALSE(model.IncludeAllEnabled()) << "an existing row names its own combination";
    EXPECT_TRUE(model.OptionPanelVisible());

    struct Case { const char* typed; bool rfq; const char* error; const char* stored; };
    const Case cases[] = {
        {"12499.99", false, "", "12499.99"},
        {"12 499,99", false, "", "12499.99"},
        {"0", false, "Enter correct price value", "0"},
        {"abc", false, "Enter correct price value", "0"},
        {"", true, "", "0"},
    };
    for (const Case& c : cases) {
        model.PriceText = c.typed;
        model.RequestForQuote = c.rfq;
        std::vector<std::string> params;
        EXPECT_EQ(model.Save(params), c.error) << c.typed;
        EXPECT_EQ(ValueOfName(params, "PriceValue"), c.stored) << c.typed;
        EXPECT_EQ(ValueOfName(params, "reedit"), *c.error ? "yes" : "") << c.typed;
        EXPECT_EQ(ValueOfName(params, "OptionItems"), "3;4");
        EXPECT_EQ(ValueOfName(params, "IsMinimumQuantity"), c.rfq ? "no" : "yes");
    }
    EXPECT_EQ(TPriceEditModel::PriceLabel(""), "Price (currency unknown)");
}

TEST(OptionLibrary, NamesAreUniqueAsTheLibraryNeedsThemInPlaceAndThroughEdit)
{
    TOptionSite site;
    TOptionLibraryModel library(site.Context(kOptionsRoot));
    library.Load();
    ASSERT_EQ(library.Options().size(), 2u);
    EXPECT_EQ(library.Options()[0].Values.size(), 3u);

    int material = 0;
    EXPECT_EQ(library.AddOption("Red"), "Option with the name already exists") << "a value's name counts";
    EXPECT_EQ(library.AddOption(" Material ", &material), "");
    EXPECT_EQ(library.AddValue(material, "Red"), "") << "two options may each have a Red";
    EXPECT_EQ(library.AddValue(material, "red"), "Option value with the name already exists");
    EXPECT_EQ(library.Rename(site.sizes[0], "M"), "There already is option value with the name");
    EXPECT_EQ(library.Rename(material, "Colour"), "There already is option with the name");
    EXPECT_EQ(library.Rename(site.sizes[0], "XS"), "");
    site.Save();
    EXPECT_EQ(site.Data().GetItemName(site.sizes[0], site.MainConnection(), ""), "XS");

    // Deleting: not an option with values, not a value a product uses, else at the save.
    EXPECT_FALSE(library.CanDelete(site.size));
    site.WithOptions().SetSku(0, "X");
    site.Save();
    EXPECT_EQ(library.Delete(site.sizes[0]), "Cannot delete the option because some product use it");
    const int red = library.FindOption(material)->Values[0].ItemId;
    EXPECT_EQ(library.Delete(red), "");
    EXPECT_EQ(library.FindOption(material)->Values.size(), 0u);
    site.Save();
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(red)),
              0);
}

TEST(OptionLibrary, CancelUndoesAddedItemsAndValuesMoveWithTheSave)
{
    TOptionSite site;
    TOptionLibraryModel library(site.Context(kOptionsRoot));
    library.Load();
    int material = 0;
    ASSERT_EQ(library.AddOption("Material", &material), "");
    site.Cancel();
    library.Forget();
    library.Load();
    EXPECT_EQ(library.FindOption(material), nullptr);

    EXPECT_FALSE(library.CanMove(site.sizes[0], -1));
    EXPECT_FALSE(library.CanMove(site.size, 1)) << "options keep their places";
    ASSERT_TRUE(library.Move(site.sizes[2], -1));
    site.Save();
    library.Forget();
    library.Load();
    const auto& values = library.FindOption(site.size)->Values;
    EXPECT_EQ(values[1].Name, "L");
    EXPECT_EQ(values[2].Name, "M");
}

}  // namespace
