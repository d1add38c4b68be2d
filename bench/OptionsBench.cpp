// Figures of a product's options and prices in the program's main window,
// as a user meets them:
//   - the Options tab of a product with 5 options of 10 values (100,000
//     combinations) opened, its grid shown;
//   - a stock code typed into the last of those combinations, and the
//     product saved with a new one;
//   - the Prices tab of a product with 1,000 price rows opened;
//   - "Include All Options" over a product with 1,000 combinations.
// Each figure is the median of a few runs. Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_OptionsBench
#include "editors/framework/MainWindowFixture.h"

#include "editors/business/options/FrameProductOptions.h"
#include "editors/business/options/FrameProductPrices.h"
#include "editors/business/options/ProductOptionsModel.h"
#include "editors/business/options/ProductPricesModel.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include "BenchTiming.h"

#include <QTableView>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

int AddNamed(TMainWindowFixture& f, int itemType, int parent, const std::string& name)
{
    const int id = f.Root().Catalog().CreateItem(itemType, parent, 0, f.Data().GetCatalogCode(), f.Main(), 0);
    std::unique_ptr<TTolvexObject> names =
        f.Root().Catalog().GetObjectFactory().CreateObjectTyped(id, 1, 0, f.Main(), f.Data().GetCatalogCode());
    names->SetLangString("ItemName", "EN", name, 0);
    names->Save();
    return id;
}

// Options of Values values each, in the library.
std::vector<int> AddOptions(TMainWindowFixture& f, int count, int values, const std::string& prefix)
{
    std::vector<int> options;
    for (int o = 0; o < count; ++o) {
        const int option = AddNamed(f, 302, 13, prefix + " option " + std::to_string(o));
        for (int v = 0; v < values; ++v)
            AddNamed(f, 302, option, prefix + " value " + std::to_string(o) + "." + std::to_string(v));
        options.push_back(option);
    }
    return options;
}

// A product with the options, with prices per option when asked, and Rows price rows of the schedule.
int AddProduct(TMainWindowFixture& f, const std::string& name, const std::vector<int>& options, int rows,
               int schedule)
{
    const int id = AddNamed(f, 4002, 11, name);
    TObjectCollection objects(f.Root().ObjectContext());
    objects.Open(f.Data().GetCatalogCode(), f.Main());
    TAbstractCObject* productOptions = objects.GetObject(id, "ProductOptions");
    productOptions->SetLangBoolean("HasOptions", "XXX", !options.empty(), 0);
    for (int option : options)
        productOptions->SetLangNumber("Options", "XXX", option, -1);
    TAbstractCObject* prices = objects.GetObject(id, "Prices");
    prices->SetLangBoolean("HasPricesForEachOption", "XXX", !options.empty(), 0);
    for (int r = 0; r < rows; ++r) {
        TAbstractCObject* row = prices->AddSubObject("Price", "Price", "XXX");
        row->SetLangNumber("PriceSchedule", "XXX", schedule, 0);
        row->SetLangNumber("PriceValue", "XXX", 10 + r * 0.01, 0);
        row->SetLangNumber("MinimumQuantity", "XXX", r, 0);
        row->SetLangBoolean("IsMinimumQuantity", "XXX", r > 0, 0);
    }
    if (!objects.SaveAll())
        std::fprintf(stderr, "the product %s was not saved\n", name.c_str());
    return id;
}

void Open(TMainWindowFixture& f, int itemId, const std::string& tab)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId) + "&TabName=" + tab, false);
    QCoreApplication::processEvents();
}

template <class TFrame>
TFrame* FrameOf(TMainWindowFixture& f, const char* name)
{
    return f.EditorPane()->findChild<TFrame*>(name);
}

}  // namespace

int main(int argc, char** argv)
{
    TMainWindowFixture f(RegisterFrameworkClasses, true);
    if (const std::string error = f.CreateAndOpen(); !error.empty()) {
        std::fprintf(stderr, "cannot make the catalog: %s\n", error.c_str());
        return 1;
    }
    const int schedule = AddNamed(f, 2002, 12, "Retail");
    const int wide = AddProduct(f, "Wide", AddOptions(f, 5, 10, "W"), 0, schedule);
    const int priced = AddProduct(f, "Priced", {}, 1000, schedule);
    const int thousand = AddProduct(f, "Thousand", AddOptions(f, 3, 10, "T"), 0, schedule);

    // The Options tab of a product with 100,000 combinations (the schedules in between).
    std::vector<double> open;
    for (int run = 0; run < 3; ++run) {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=12", false);
        QCoreApplication::processEvents();
        open.push_back(Milliseconds([&] {
            Open(f, wide, "ProductBasicEditor-options");
            if (auto* frame = FrameOf<TFrameProductOptions>(f, "TFrameProductOptions"))
                frame->Grid()->repaint();
        }));
    }
    auto* options = FrameOf<TFrameProductOptions>(f, "TFrameProductOptions");
    if (!options || options->Grid()->model()->rowCount() != 100000) {
        std::fprintf(stderr, "the grid does not show 100,000 combinations\n");
        return 1;
    }
    std::printf("%-60s %8.1f ms (limit 1000)\n", "options tab, 100,000 combinations shown", Median(open));

    // A stock code typed into a combination's cell.
    std::vector<double> sku;
    QAbstractItemModel* grid = options->Grid()->model();
    for (int run = 0; run < 11; ++run) {
        const QModelIndex cell = grid->index(99999 - run, grid->columnCount() - 1);
        sku.push_back(Milliseconds([&] { grid->setData(cell, QString("SKU-%1").arg(run)); }));
    }
    if (options->Model().Sku(99999) != "SKU-0") {
        std::fprintf(stderr, "the stock code was not stored\n");
        return 1;
    }
    std::printf("%-60s %8.2f ms (limit 50)\n", "stock code stored among 100,000 combinations", Median(sku));
    std::vector<double> saved;
    for (int run = 0; run < 5; ++run) {
        grid->setData(grid->index(run, grid->columnCount() - 1), QString("SAVED-%1").arg(run));
        saved.push_back(Milliseconds([&] { f.Editor().Save(); }));
        if (f.Editor().Context()->IsModified()) {
            std::fprintf(stderr, "the save was refused\n");
            return 1;
        }
    }
    std::printf("%-60s %8.1f ms\n", "product saved with a new stock code", Median(saved));

    // The Prices tab of a product with 1,000 price rows.
    std::vector<double> prices;
    for (int run = 0; run < 3; ++run) {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=12", false);
        QCoreApplication::processEvents();
        prices.push_back(Milliseconds([&] {
            Open(f, priced, "ProductBasicEditor-prices");
            if (auto* frame = FrameOf<TFrameProductPrices>(f, "TFrameProductPrices"))
                frame->Grid()->repaint();
        }));
    }
    auto* priceFrame = FrameOf<TFrameProductPrices>(f, "TFrameProductPrices");
    if (!priceFrame || priceFrame->Grid()->model()->rowCount() != 1000) {
        std::fprintf(stderr, "the grid does not show 1,000 prices\n");
        return 1;
    }
    std::printf("%-60s %8.1f ms (limit 300)\n", "prices tab, 1,000 price rows shown", Median(prices));

    // "Include All Options" over 1,000 combinations, each run in a fresh session.
    std::vector<double> all;
    for (int run = 0; run < 3; ++run) {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=12", false);
        QCoreApplication::processEvents();
        Open(f, thousand, "ProductBasicEditor-prices");
        auto* frame = FrameOf<TFrameProductPrices>(f, "TFrameProductPrices");
        if (!frame) {
            std::fprintf(stderr, "the prices tab did not open\n");
            return 1;
        }
        const std::vector<std::string> params = {"PriceSchedule=" + std::to_string(schedule), "PriceValue=19.99",
                                                 "IncludeAllOptions=yes"};
        std::string error;
        all.push_back(Milliseconds([&] {
            error = frame->Model().Apply(params);
            frame->LoadFromObjects(false);
            frame->Grid()->repaint();
        }));
        if (!error.empty() || frame->Model().Rows().size() != 1000) {
            std::fprintf(stderr, "include-all made %zu rows: %s\n", frame->Model().Rows().size(), error.c_str());
            return 1;
        }
        f.Editor().Cancel(false);
    }
    std::printf("%-60s %8.1f ms (limit 2000)\n", "include all options, 1,000 prices made", Median(all));
    (void)argc;
    (void)argv;
    return 0;
}
