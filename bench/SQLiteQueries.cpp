// Figures of the SQLite module: inserts inside one unit of work, point
// lookups through a pooled query, and statements that commit by themselves.
#include "storage/QueryGuard.h"
#include "support/TempFolder.h"
#include "storage/SQLiteConnectionFactory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

template <typename F>
void Measure(const char* what, int count, F&& run)
{
    auto start = std::chrono::steady_clock::now();
    run();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-44s %7d  %9.1f ms  %8.2f us each\n", what, count, ms, ms * 1000.0 / count);
}

void Exec(TAbstractDBConnection& connection, const std::string& sql, int id)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam("Id", id);
    query->ExecSQL();
}

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
        Exec(main, "CREATE TABLE Items (ItemId INTEGER PRIMARY KEY, Name TEXT(100))", 0);

        const int units = 10000;
        auto runner = factory.OpenSecondConnection();
        Measure("insert in one unit of work + commit", units, [&] {
            for (int i = 1; i <= units; ++i)
                Exec(*runner, "INSERT INTO Items (ItemId, Name) VALUES (:Id, 'item')", i);
            runner->CommitTrans();
            runner->BeginTrans();
        });
        Measure("point SELECT through a pooled query", units, [&] {
            for (int i = 1; i <= units; ++i) {
                TQueryGuard query(main);
                query->SetSQL("SELECT ItemId, Name FROM Items WHERE ItemId = :Id");
                query->SetParam("Id", i);
                query->Open(true);
            }
        });
        const int single = 300;
        Measure("UPDATE committing by itself (main)", single, [&] {
            for (int i = 1; i <= single; ++i)
                Exec(main, "UPDATE Items SET Name = 'changed' WHERE ItemId = :Id", i);
        });
        Measure("NextSequenceId", single, [&] {
            Exec(main, "CREATE TABLE IF NOT EXISTS LocalSequences (CatalogCode TEXT(50), SequenceName TEXT(50), LastId LONG)", 0);
            for (int i = 1; i <= single; ++i)
                factory.NextSequenceId("bench", "Items");
        });
    }
    return 0;
}
