#include "storage/SQLiteLibrary.h"

#include <mutex>
#include <sqlite3.h>

void ConfigureSQLiteLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Fails harmlessly (SQLITE_MISUSE) when the library was already in
        // use, e.g. opened directly by a test before any connection of ours.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        sqlite3_initialize();
    });
}
