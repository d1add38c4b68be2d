// Figures of the tree manager on a catalog of 100,000 items: opening the
// web tree (only the top level is read), expanding one level, locating an
// item deep down, and a name search through levels never expanded.
#include "catalog/TreeManager.h"
#include "catalog/TreeManagerHost.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
    std::vector<int> GetParentChain(int itemId, TAbstractDBConnection&) override
    {
        // Item 1000000 + f * 1000 + p lies below folder 100000 + f.
        return {100000 + (itemId - 1000000) / 1000};
    }
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
};

}  // namespace

int main()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvex-bench-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        return 1;
    const std::string dir = buffer.data();
    {
        TSQLiteConnectionFactory factory("SQLite", "", {});
        factory.CreateDatabase(dir, "", "bench", "", "", 0);
        factory.OpenDatabase(dir, "bench", "", "");
        TAbstractDBConnection& main = factory.GetConnection();
        for (const std::string& statement : TCatalogTables::CreateStatements())
            Exec(main, statement);

        // 100 folders under the web root, 1000 pages in each: 100,100 items.
        const int folders = 100;
        const int pages = 1000;
        Measure("filling 100,100 items with names", [&] {
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
            for (int f = 0; f < folders; ++f) {
                item(100000 + f, 2, 1);
                for (int p = 0; p < pages; ++p)
                    item(1000000 + f * 1000 + p, 100, 100000 + f);
            }
            writer->CommitTrans();
        });

        TBenchTreeHost host;
        TTreeManager tree(host);
        tree.Attach(main, "", "bench");
        Measure("opening the web tree (top level only)", [&] { tree.Setup(1, 0x0128, 0, nullptr); });
        std::printf("  %zu nodes loaded\n", tree.AllNodes().size());
        Measure("expanding a folder of 1000 pages", [&] { tree.Expand(tree.Root().Children[50].get()); });
        Measure("locating an item in a folder never expanded", [&] { tree.LocateItem(1000000 + 77 * 1000 + 500, nullptr); });
        Measure("searching a name 20 folders on", [&] { tree.FindNext("item 1070999"); });
        std::printf("  %zu nodes loaded\n", tree.AllNodes().size());
    }
    std::filesystem::remove_all(dir);
    return 0;
}
