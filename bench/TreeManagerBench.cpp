// Figures of the tree manager on a catalog of 100,000 items: opening the
// web tree (only the levels shown are read), expanding levels, locating an
// item deep down, and a name search through levels never expanded.
#include "catalog/TreeManager.h"
#include "support/TempFolder.h"
#include "catalog/TreeManagerHost.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

template <typename F>
void Measure(const char* what, F&& run)
{
    auto start = std::chrono::steady_clock::now();
    run();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-52s %9.1f ms\n", what, ms);
}

void Exec(TAbstractDBConnection& connection, const std::string& sql)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->ExecSQL();
}

// Names and item types only; nothing is created, copied or asked.
class TBenchTreeHost : public TTreeManagerHost {
public:
    std::string GetCurrentLangCode() override { return "EN"; }
    std::string GetDefaultLangCode() override { return "EN"; }
    std::string GetItemName(int, TAbstractDBConnection&, const std::string&) override { return {}; }
    std::string ReadOwnName(int, TAbstractDBConnection&, const std::string&) override { return {}; }
    std::string GetItemIdName(int) override { return {}; }
    explicit TBenchTreeHost(std::function<std::vector<int>(int)> parents) : parents_(std::move(parents)) {}
    std::vector<int> GetParentChain(int itemId, TAbstractDBConnection&) override { return parents_(itemId); }
    int GetDefaultTemplateId(int, TAbstractDBConnection&) override { return 0; }
    std::vector<int> GetPageItemTypes() override { return {100}; }
    std::string GetItemTypeImageName(int) override { return "Page"; }
    bool CanContainItemType(int, int) override { return true; }
    int GetItemTypeParentId(int) override { return 0; }
    bool HasCachedImage(const std::string&) override { return true; }
    int CreateItem(int, int, int, const std::string&, TAbstractDBConnection&, int) override { return 0; }
    int CreateItemInRange(int, int, int, int, int, const std::string&, TAbstractDBConnection&) override { return 0; }
    int CopyItem(int, int, TAbstractDBConnection&) override { return 0; }
    void MarkUnsynchronized(int, int, TAbstractDBConnection&, bool) override {}
    std::string Translate(const std::string& text) override { return text; }
    int AskYesNoCancel(const std::string&) override { return 2; }
    void BeginWait() override {}
    void EndWait() override {}

private:
    std::function<std::vector<int>(int)> parents_;
};

}  // namespace

int main()
{
    const TTempFolder folder;
    const std::string dir = folder.Path();
    {
        TSQLiteConnectionFactory factory("SQLite", "", {});
        factory.CreateDatabase(dir, "", "bench", "", "", 0);
        factory.OpenDatabase(dir, "bench", "", "");
        TAbstractDBConnection& main = factory.GetConnection();
        for (const std::string& statement : TCatalogTables::CreateStatements())
            Exec(main, statement);

        // 10 sections under the web root, 100 categories in each, 100
        // products in each category: 101,010 items.
        const int sections = 10;
        const int categories = 100;
        const int products = 100;
        auto sectionId = [](int s) { return 100000 + s; };
        auto categoryId = [](int s, int c) { return 200000 + s * 1000 + c; };
        auto productId = [](int s, int c, int p) { return 1000000 + (s * 1000 + c) * 1000 + p; };
        Measure("filling 101,010 items with names", [&] {
            auto writer = factory.OpenSecondConnection();
            auto item = [&](int id, int type, int parent) {
                Exec(*writer, "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, "
                              "NotVisible, OrderNum, DontDelete, DontSort, IsSynchronized) VALUES ('bench', " +
                                  std::to_string(id) + ", " + std::to_string(type) + ", " + std::to_string(parent) +
                                  ", " + std::to_string(id) + ", 0, 0, 0, 1, 1)");
                Exec(*writer, "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                              "IndexId, MemberType, StringValue) VALUES ('bench', " + std::to_string(id) +
                                  ", 1, 1, 1, 'XXX', 0, 1, 'Item " + std::to_string(id) + "')");
            };
            for (int s = 0; s < sections; ++s) {
                item(sectionId(s), 2, 1);
                for (int c = 0; c < categories; ++c) {
                    item(categoryId(s, c), 2, sectionId(s));
                    for (int p = 0; p < products; ++p)
                        item(productId(s, c, p), 100, categoryId(s, c));
                }
            }
            writer->CommitTrans();
        });

        TBenchTreeHost host(
            [&](int itemId) { return std::vector<int>{200000 + (itemId - 1000000) / 1000, 100000 + (itemId - 1000000) / 1000000}; });
        TTreeManager tree(host);
        tree.Attach(main, "", "bench");
        Measure("opening the web tree (0x0128: sections expanded)", [&] { tree.Setup(1, 0x0128, 0, nullptr); });
        std::printf("  %zu nodes loaded\n", tree.AllNodes().size());
        Measure("expanding a category of 100 products", [&] { tree.Expand(tree.Root().Children[5]->Children[50].get()); });
        Measure("expanding the 100 categories of a section",
                [&] { for (auto& category : tree.Root().Children[7]->Children) tree.Expand(category.get()); });
        Measure("locating a product in a category never expanded",
                [&] { tree.LocateItem(productId(3, 77, 42), nullptr); });
        Measure("searching a name 5 categories on",
                [&] { tree.FindNext("item " + std::to_string(productId(3, 82, 99))); });
        std::printf("  %zu nodes loaded\n", tree.AllNodes().size());
    }
    return 0;
}
