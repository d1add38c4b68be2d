// bench_MediaLibraryBench: "Delete All Unreferenced" on a catalog of 100,000
// items with 10,000 pictures (9,000 main pictures, 1,000 thumbnail copies
// below them) and 20,000 HTML texts of about 4 KB that name 2,000 pictures
// by alternative name or id, besides 2,000 pictures that products show and
// 1,000 marked not to delete: 5,000 pictures (4,000 main pictures with their
// 1,000 copies) are unused.
//
// Figures, each beside its reference measured in the same run (median of
// three):
//  - finding the references and the unused set (TMediaUsage::Unreferenced)
//    against the sqlite3 shell reading the same member values and page
//    texts piped through grep for the picture names; target at most 1.5x;
//  - deleting the 5,000 pictures in one unit of work as a save does
//    (TMediaUsage::DeleteIfUnusedAsRead for each, then WritePending;
//    tombstones written)
//    against one raw DELETE transaction of the same rows in the sqlite3
//    shell; target at most 3x;
//  - expanding a library folder of 5,000 pictures in the images manager's
//    tree (the library read as the frame reads it, the tree view's rows
//    made and shown, offscreen); target at most 300 ms.
#include "catalog/Catalog.h"
#include "editors/media/images/library/MediaLibraryModel.h"
#include "editors/site/SiteModelFixture.h"
#include "editors/site/lists/TreeDataModel.h"
#include "editors/site/lists/TreeDataView.h"
#include "catalog/media/MediaUsage.h"
#include "storage/UnitOfWorkScope.h"
#include "support/CatalogFixture.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kMainFirst = 300001;   // 300001..309000 main pictures
constexpr int kCopyFirst = 309001;   // 309001..310000 copies below 304001..305000

void Populate(TCatalogFixture& db)
{
    const auto exec = [&db](const std::string& sql) { db.Exec(sql); };
    const std::string numbers = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ";
    exec("BEGIN");
    db.AddItem(3, 2, 0);
    for (int folder = 0; folder < 10; ++folder)
        db.AddItem(2001 + folder, 2, 3);
    const std::string item = "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, "
                             "OrderNum, DontDelete, DontSort, IsSynchronized) ";
    // 9,000 main pictures in ten folders, 1,000 copies, 90,000 other items.
    exec(numbers + "9000) " + item + "SELECT 'shop', 300000 + i, 301, 2001 + i % 10, 300000 + i, 0, i, "
                                     "CASE WHEN i > 8000 THEN 1 ELSE 0 END, 0, 1 FROM n");
    exec(numbers + "1000) " + item + "SELECT 'shop', 309000 + i, 301, 304000 + i, 309000 + i, 0, i, 0, 0, 1 FROM n");
    exec(numbers + "90000) " + item + "SELECT 'shop', 1000000 + i, 100, 1, 1000000 + i, 0, i, 0, 0, 1 FROM n");
    const std::string strings = "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                                "IndexId, MemberType, StringValue) ";
    exec(numbers + "10000) " + strings + "SELECT 'shop', 300000 + i, 1, 1, 1, 'EN', 0, 1, 'Picture ' || i FROM n");
    exec(numbers + "10000) " + strings + "SELECT 'shop', 300000 + i, 1, 1, 2, 'XXX', 0, 1, 'pic' || (300000 + i) FROM n");
    const std::string values = "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                               "IndexId, MemberType, NumberValue) ";
    // Each copy is its main picture's thumbnail; products show 300001..302000.
    exec(numbers + "1000) " + values + "SELECT 'shop', 304000 + i, 5, 1, 3, 'XXX', 0, 106, 309000 + i FROM n");
    exec(numbers + "2000) " + values + "SELECT 'shop', 1000000 + i, 4004, 1, 40, 'XXX', 0, 106, 300000 + i FROM n");
    // 20,000 page texts of about 4 KB, in two languages, naming 302001..304000.
    exec(numbers + "20000) INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                   "MemberType, TextValue) SELECT 'shop', 1010000 + i, 4, 1, 1, CASE WHEN i % 2 = 0 THEN 'EN' ELSE "
                   "'DE' END, 0, 52, '<p>' || replace(hex(zeroblob(330)), '00', 'lorem ipsum ') || "
                   "CASE WHEN i % 2000 < 1000 THEN '<img src=\"../images/pic' || (302001 + i % 1000) || '.jpeg\">' "
                   "ELSE '<img src=\"../images/' || (303001 + i % 1000) || '.gif\">' END || "
                   "'<a href=\"../images/{Placeholder}.gif\">x</a></p>' FROM n");
    exec("COMMIT");
}

double Shell(const std::string& command)
{
    return Milliseconds([&] {
        if (std::system(command.c_str()) != 0)
            std::cerr << "failed: " << command << "\n";
    });
}

double Ratio(double ours, double reference) { return reference > 0 ? ours / reference : 0; }

}  // namespace

// The images manager's tree over a catalog whose one library folder holds
// 5,000 pictures: the median time from reading the library to the
// expanded folder's rows painted.
double ExpandFolder()
{
    TSiteModelFixture site(1);
    TAbstractDBConnection& main = site.MainConnection();
    const int folder = site.AddItem(2, 3, "Photos");
    const auto exec = [&](const std::string& sql) {
        TQueryGuard query(main);
        query->SetSQL(sql);
        query->SetParam("Code", std::string(TSiteModelFixture::kCode));
        query->SetParam("Folder", folder);
        query->ExecSQL();
    };
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) INSERT INTO Items "
         "(CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, DontDelete, DontSort, "
         "IsSynchronized) SELECT :Code, 700000 + i, 301, :Folder, 700000 + i, 0, i, 0, 0, 1 FROM n");
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) INSERT INTO CStrings "
         "(CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, StringValue) "
         "SELECT :Code, 700000 + i, 1, 1, 1, 'EN', 0, 1, 'Photo ' || i FROM n");
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        TTreeDataView view;
        view.resize(400, 700);
        view.show();
        TTreeDataModel rows(QIcon(), QIcon(), &view);
        view.setModel(&rows);
        std::unique_ptr<TMediaLibraryModel> library;
        times.push_back(Milliseconds([&] {
            library = std::make_unique<TMediaLibraryModel>(site.Context(3), TMediaKind::Images);
            rows.SetTree(library.get());
            library->Load();
            view.expand(rows.IndexOf(folder));
            view.repaint();
            QCoreApplication::processEvents();
        }));
        if (rows.rowCount(rows.IndexOf(folder)) != 5000)
            std::cerr << "the folder shows " << rows.rowCount(rows.IndexOf(folder)) << " rows\n";
        rows.SetTree(nullptr);
    }
    return Median(times);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const double expand = ExpandFolder();

    TCatalogEnvironment env;
    TCatalogFixture& db = env.Db();
    Populate(db);
    const std::string file = db.DatabaseFile();
    db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    std::cout << "catalog: " << db.Count("Items") << " items, " << db.Count("Items", "ItemType = 301")
              << " pictures, " << db.Count("CText") << " page texts, "
              << std::filesystem::file_size(file) / (1024 * 1024) << " MB\n";

    // ---- finding the references ----------------------------------------------------------
    std::vector<double> ours, shell;
    int unusedItems = 0;
    std::vector<int> tops;
    for (int run = 0; run < 3; ++run) {
        ours.push_back(Milliseconds([&] {
            TMediaUsage usage(env.Catalog(), env.Connection(), "shop", TMediaKind::Images);
            tops = usage.Unreferenced(&unusedItems);
        }));
        shell.push_back(Shell("sqlite3 '" + file +
                              "' \"SELECT NumberValue FROM CNumbers WHERE CatalogCode = 'shop' AND MemberType = 106; "
                              "SELECT TextValue FROM CText WHERE CatalogCode = 'shop' AND MemberType IN (52, 53) AND "
                              "TextValue LIKE '%../images/%';\" | grep -oE '^[0-9]+$|\\.\\./images/[^.\"<{[]+' "
                              "> /dev/null"));
    }
    const double find = Median(ours), findReference = Median(shell);
    std::cout << "unused: " << unusedItems << " pictures (" << tops.size() << " subtrees)\n";
    std::printf("find references: %.1f ms   sqlite3 | grep: %.1f ms   ratio %.2f (target <= 1.5)\n", find,
                findReference, Ratio(find, findReference));

    // ---- deleting the unused pictures -------------------------------------------------------
    const std::string rows = "(SELECT ItemId FROM Items WHERE ItemType = 301 AND (ItemId BETWEEN 304001 AND 308000 "
                             "OR ItemId > 309000))";
    std::string raw = "BEGIN;";
    for (const char* table : {"CDates", "CNumbers", "CStrings", "CText", "CBinary", "CObjectInstances", "Items"})
        raw += std::string(" DELETE FROM ") + table + " WHERE CatalogCode = 'shop' AND ItemId IN " + rows + ";";
    raw += " COMMIT;";
    std::vector<double> deletes, rawDeletes;
    for (int run = 0; run < 3; ++run) {
        const std::string copy = file + ".copy" + std::to_string(run);
        std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
        rawDeletes.push_back(Shell("sqlite3 '" + copy + "' \"" + raw + "\""));
        std::filesystem::remove(copy);
    }
    // Ours once on the catalog itself (it deletes them), as the save writes them.
    int deleted = 0;
    {
        TMediaUsage usage(env.Catalog(), env.Connection(), "shop", TMediaKind::Images);
        TUnitOfWorkScope unit(env.Connection());
        unit.Enter("Items");
        usage.ReadReferences();
        deletes.push_back(Milliseconds([&] {
            for (const int id : tops)
                deleted += usage.DeleteIfUnusedAsRead(id);
            usage.WritePending();
            unit.Commit();
        }));
    }
    const double del = Median(deletes), delReference = Median(rawDeletes);
    std::printf("delete %d pictures: %.1f ms   sqlite3 DELETE transaction: %.1f ms   ratio %.2f (target <= 3)\n",
                deleted, del, delReference, Ratio(del, delReference));
    std::cout << "left: " << db.Count("Items", "ItemType = 301") << " pictures\n";
    std::printf("expand a library folder of 5000 pictures: %.1f ms (target <= 300 ms)\n", expand);
    return 0;
}
