// Figures of the product editors on a catalog of many products (20,000
// unless told, in folders of 1,000 under the product list's root, each with
// its names, code, description, technical details and a retail price), in the program's main
// window as a user meets them:
//   - the product list opened from the View menu, with its tree read;
//   - a product saved after its name was changed, with its validation;
//   - the test whether a changed code is taken.
// Each figure is the median of a few runs. Run offscreen:
//   QT_QPA_PLATFORM=offscreen bench_ProductEditorBench [products]
#include "editors/framework/MainWindowFixture.h"

#include "editors/business/products/ProductPropertiesModel.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/site/SiteModelContext.h"
#include "storage/ObjectCollection.h"
#include "storage/QueryGuard.h"
#include "storage/UnitOfWorkScope.h"

#include "BenchTiming.h"

#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kFirstId = 5000000;
constexpr int kFolderSize = 1000;

void Exec(TAbstractDBConnection& connection, const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    query->ExecSQL();
}

// The products written straight into the tables, as an import leaves them:
// folders under item 11, each product with its names (class 1), its data
// (class 4004) and one price row (classes 4011 and 1004) of schedule Retail.
void AddProducts(TMainWindowFixture& f, int count, int schedule)
{
    TAbstractDBConnection& main = f.Main();
    const std::string code = f.Data().GetCatalogCode();
    TUnitOfWorkScope unit(main);
    unit.Enter("Items");
    const std::string item =
        "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
        "DontDelete, DontSort, IsSynchronized, UserPriority) VALUES (:C, :Id, :Type, :Parent, :Id, 0, :Order, 0, 0, "
        "0, 0)";
    const std::string instance =
        "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
        "VALUES (:C, :Id, :Class, :Parent, :Instance)";
    const std::string text =
        "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
        "StringValue) VALUES (:C, :Id, :Class, :Instance, :Member, :Lang, 0, 1, :Value)";
    const std::string number =
        "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
        "NumberValue) VALUES (:C, :Id, :Class, :Instance, :Member, 'XXX', 0, :Type, :Value)";
    int folder = 0;
    for (int i = 0; i < count; ++i) {
        if (i % kFolderSize == 0) {
            folder = kFirstId + i / kFolderSize;
            Exec(main, item, {{"C", code}, {"Id", folder}, {"Type", 2}, {"Parent", 11}, {"Order", folder}});
            Exec(main, instance, {{"C", code}, {"Id", folder}, {"Class", 1}, {"Parent", 0}, {"Instance", 1}});
            Exec(main, text, {{"C", code}, {"Id", folder}, {"Class", 1}, {"Instance", 1}, {"Member", 1},
                              {"Lang", std::string("XXX")}, {"Value", "Line " + std::to_string(i / kFolderSize)}});
        }
        const int id = kFirstId + 1000 + i;
        const std::string productCode = "P" + std::to_string(100000 + i);
        const std::string name = "Product " + std::to_string(i);
        Exec(main, item, {{"C", code}, {"Id", id}, {"Type", 4002}, {"Parent", folder}, {"Order", i}});
        for (const auto& [cls, inst, parent] : {std::tuple{1, 1, 0}, std::tuple{4004, 2, 0}, std::tuple{4011, 3, 0},
                                                std::tuple{1004, 4, 3}})
            Exec(main, instance, {{"C", code}, {"Id", id}, {"Class", cls}, {"Parent", parent}, {"Instance", inst}});
        Exec(main, text, {{"C", code}, {"Id", id}, {"Class", 1}, {"Instance", 1}, {"Member", 1},
                          {"Lang", std::string("XXX")}, {"Value", name + " (" + productCode + ")"}});
        Exec(main, text, {{"C", code}, {"Id", id}, {"Class", 4004}, {"Instance", 2}, {"Member", 1},
                          {"Lang", std::string("XXX")}, {"Value", productCode}});
        Exec(main, text, {{"C", code}, {"Id", id}, {"Class", 4004}, {"Instance", 2}, {"Member", 2},
                          {"Lang", std::string("EN")}, {"Value", name}});
        Exec(main, text, {{"C", code}, {"Id", id}, {"Class", 4004}, {"Instance", 2}, {"Member", 3},
                          {"Lang", std::string("EN")}, {"Value", "A fine product, number " + std::to_string(i)}});
        // Technical details, as a product filled in has them.
        Exec(main, instance, {{"C", code}, {"Id", id}, {"Class", 4005}, {"Parent", 0}, {"Instance", 5}});
        int member = 0;
        for (const std::string& detail : {std::string("30"), std::string("20"), std::string("15"), std::string("cm"),
                                        std::string("Steel and glass"), std::string("kitchen, coffee, steel")})
            Exec(main, text, {{"C", code}, {"Id", id}, {"Class", 4005}, {"Instance", 5}, {"Member", ++member},
                              {"Lang", std::string("XXX")}, {"Value", detail}});
        Exec(main, number, {{"C", code}, {"Id", id}, {"Class", 4011}, {"Instance", 3}, {"Member", 2}, {"Type", 105},
                            {"Value", 4.0}});
        Exec(main, number, {{"C", code}, {"Id", id}, {"Class", 1004}, {"Instance", 4}, {"Member", 1}, {"Type", 153},
                            {"Value", 10.0 + i * 0.01}});
        Exec(main, number, {{"C", code}, {"Id", id}, {"Class", 1004}, {"Instance", 4}, {"Member", 2}, {"Type", 102},
                            {"Value", static_cast<double>(schedule)}});
    }
    unit.Commit();
}

int AddSchedule(TMainWindowFixture& f)
{
    const int id = f.Root().Catalog().CreateItem(2002, 12, 0, f.Data().GetCatalogCode(), f.Main(), 0);
    Exec(f.Main(),
         "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
         "StringValue) VALUES (:C, :Id, 1, 1, 1, 'XXX', 0, 1, 'Retail')",
         {{"C", f.Data().GetCatalogCode()}, {"Id", id}});
    return id;
}

}  // namespace

int main(int argc, char** argv)
{
    const int products = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 20000;
    TMainWindowFixture f(RegisterFrameworkClasses);
    if (const std::string error = f.CreateAndOpen(); !error.empty()) {
        std::fprintf(stderr, "cannot make the catalog: %s\n", error.c_str());
        return 1;
    }
    const double built = Milliseconds([&] { AddProducts(f, products, AddSchedule(f)); });
    std::printf("catalog of %d products written in %.0f ms\n", products, built);

    // The product list, opened from the View menu (another list in between).
    std::vector<double> list;
    for (int run = 0; run < 3; ++run) {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=12", false);
        QCoreApplication::processEvents();
        list.push_back(Milliseconds([&] {
            f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=11", false);
            QCoreApplication::processEvents();
        }));
    }
    std::printf("%-56s %8.1f ms (limit 1000)\n", "product list opened, tree read", Median(list));

    // A product saved after its name changed, validation included.
    const int product = kFirstId + 1000 + products / 2;
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(product) +
                                "&TabName=ProductBasicEditor-basic",
                            false);
    QCoreApplication::processEvents();
    auto* name = f.EditorPane()->findChild<QLineEdit*>("edtName");
    if (!name) {
        std::fprintf(stderr, "the product's tab did not open\n");
        return 1;
    }
    std::vector<double> save;
    for (int run = 0; run < 5; ++run) {
        name->selectAll();
        QTest::keyClicks(name, QString("Renamed %1").arg(run));
        save.push_back(Milliseconds([&] { f.Editor().Save(); }));
        if (f.Editor().Context()->IsModified()) {
            std::fprintf(stderr, "the save was refused\n");
            return 1;
        }
    }
    std::printf("%-56s %8.1f ms (limit 150)\n", "product saved with its validation", Median(save));

    // Whether a changed code is taken: the test the save makes.
    TTolvexControlClass& context = *f.Editor().Context();
    TSiteModelContext model{f.Root().Catalog(),   f.Data(), context.GetConnection(), context.GetObjectCollection(),
                            f.Data().GetCatalogCode(), "EN"};
    model.ItemId = product;
    TProductPropertiesModel properties(model);
    properties.Load();
    std::vector<double> unique;
    for (int run = 0; run < 21; ++run) {
        TProductPropertiesModel::TValues values = properties.Values();
        values.Code = run % 2 ? "p" + std::to_string(100000 + run) : "new code " + std::to_string(run);
        properties.SetValues(values);
        std::string error;
        unique.push_back(Milliseconds([&] { error = properties.Validate(); }));
        if (error.empty() == (run % 2 == 1)) {
            std::fprintf(stderr, "the code test answered wrongly: \"%s\"\n", error.c_str());
            return 1;
        }
    }
    std::printf("%-56s %8.2f ms (limit 50)\n", "code tested for uniqueness", Median(unique));
    return 0;
}
