// Figures of the object model on a synthetic catalog of 10,000 items, each
// with one object of six members (texts in two languages, a long text, an
// integer, a number and a date): saving them all through an object
// collection in one unit of work, then loading them through a fresh
// collection (item value caches) and through the object factory.
#include "BenchCatalog.h"
#include "support/TempFolder.h"
#include "storage/AbstractCatalog.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteModule.h"
#include "storage/TolvexObjectContext.h"
#include "support/FixtureClass.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The number of items; the first argument may ask for another.
int kItems = 10000;
constexpr int kFirstItemId = 100001;
constexpr int kProductClass = 10;

struct TBenchMember {
    int id;
    const char* tag;
    int type;
    std::uint8_t flags;
};

const TBenchMember kMembers[] = {
    {1, "Name", 1, mfIsMultiLang | mfUseDefLangForNull},
    {2, "Code", 1, 0},
    {50, "Description", 52, mfIsMultiLang},
    {101, "Stock", 101, 0},
    {152, "Price", 153, 0},
    {201, "Available", 201, 0},
};

// The product class of the synthetic catalog.
TFixtureClass ProductClass()
{
    TFixtureClass product(kProductClass, "Product");
    for (const TBenchMember& member : kMembers)
        product.Member(member.id, member.tag, member.type, member.flags);
    return product;
}

template <typename F>
void Measure(const char* what, F&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-52s %6d items  %8.1f ms  %9.0f items/s\n", what, kItems, seconds * 1000.0, kItems / seconds);
}

void InsertItems(TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
                  "DontDelete, DontSort, IsSynchronized) VALUES ('bench', :ItemId, 100, 1, :ItemId, 0, 0, 0, 0, 1)");
    for (int i = 0; i < kItems; ++i) {
        query->SetParam("ItemId", kFirstItemId + i);
        query->ExecSQL();
    }
}

void FillProduct(TAbstractCObject& product, int i)
{
    product.SetLangString("Name", "EN", "Product " + std::to_string(i), 0);
    product.SetLangString("Name", "DE", "Produkt " + std::to_string(i), 0);
    product.SetLangString("Code", "XXX", "P-" + std::to_string(i), 0);
    product.SetLangString("Description", "EN", std::string(200, 'x'), 0);
    product.SetLangNumber("Stock", "XXX", i % 50 + 1, 0);
    product.SetLangNumber("Price", "XXX", 9.95 + i, 0);
    product.SetLangNumber("Available", "XXX", 38000 + i % 365, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        kItems = std::max(1, std::atoi(argv[1]));
    const TTempFolder folder;
    const std::string dir = folder.Path();
    {
        auto factory = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
        if (!factory->CreateDatabase(dir, "", "bench", "", "", 0) || !factory->OpenDatabase(dir, "bench", "", ""))
            return 1;
        CreateCatalogTables(factory->GetConnection());
        TFixtureClass productClass = ProductClass();
        TBenchCatalog catalog(*factory, {"EN", "DE"});
        TTolvexObjectContext context(
            [&](int classId) -> TAbstractCClassDefinition* { return classId == kProductClass ? &productClass : nullptr; },
            [](const std::string& tag) { return tag == "Product" ? kProductClass : 0; });
        context.SetOpenCatalog(&catalog);
        {
            auto setup = factory->OpenSecondConnection();
            InsertItems(*setup);
            setup->CommitTrans();
        }

        auto editing = factory->OpenSecondConnection();
        Measure("save: new objects via a collection, one unit of work", [&] {
            TObjectCollection collection(context);
            collection.Open("bench", *editing);
            for (int i = 0; i < kItems; ++i)
                FillProduct(*collection.GetObject(kFirstItemId + i, "Product"), i);
            if (!collection.SaveAll())
                std::abort();
            editing->CommitTrans();
            editing->BeginTrans();
        });
        Measure("save: changed objects via a collection", [&] {
            TObjectCollection collection(context);
            collection.Open("bench", *editing);
            for (int i = 0; i < kItems; ++i)
                collection.GetObject(kFirstItemId + i, "Product")->SetLangNumber("Stock", "XXX", 99, 0);
            if (!collection.SaveAll())
                std::abort();
            editing->CommitTrans();
            editing->BeginTrans();
        });

        double checksum = 0;
        Measure("load: every value via a collection (value caches)", [&] {
            TObjectCollection collection(context);
            collection.Open("bench", factory->GetConnection());
            for (int i = 0; i < kItems; ++i)
                checksum += collection.GetObject(kFirstItemId + i, "Product")->GetLangNumber("Price", "XXX", 0);
        });
        Measure("load: every value via the object factory", [&] {
            TTolvexObjectFactory objects(context);
            for (int i = 0; i < kItems; ++i) {
                auto product = objects.GetObject(kFirstItemId + i, kProductClass, factory->GetConnection(), "");
                checksum += product->GetLangNumber("Price", "XXX", 0);
            }
        });
        std::printf("(checksum %.2f)\n", checksum);
    }
    return 0;
}
