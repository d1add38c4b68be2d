#include "storage/SQLiteErrors.h"

#include "common/Exceptions.h"

#include <sqlite3.h>

bool IsSQLiteBusy(int resultCode)
{
    return (resultCode & 0xFF) == SQLITE_BUSY;
}

void RaiseSQLiteBusy()
{
    throw ECriticalTolvexException(SQLiteBusyMessage);
}

void RaiseSQLiteError(sqlite3* db, int resultCode, const std::string& sql)
{
    if (IsSQLiteBusy(resultCode))
        RaiseSQLiteBusy();
    std::string message = "Database error: ";
    message += db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    if (!sql.empty())
        message += "\nStatement: " + sql;
    throw ECriticalTolvexException(message);
}

void ExecSQLiteScript(sqlite3* db, const std::string& sql)
{
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        RaiseSQLiteError(db, rc, sql);
}
