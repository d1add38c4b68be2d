#pragma once
// One statement borrowed from a connection's statement cache for the length
// of a scope, and given back (reset, bindings cleared) on every way out.
#include "storage/SQLiteStatement.h"

#include <cstdint>
#include <string>
#include <vector>

class TSQLiteDBConnection;

class TSQLiteCachedStatement {
public:
    // Sql must hold exactly one statement.
    TSQLiteCachedStatement(TSQLiteDBConnection& connection, const std::string& sql);
    ~TSQLiteCachedStatement();
    TSQLiteCachedStatement(const TSQLiteCachedStatement&) = delete;
    TSQLiteCachedStatement& operator=(const TSQLiteCachedStatement&) = delete;

    TSQLiteStatement& operator*() { return statements_.front(); }
    TSQLiteStatement* operator->() { return &statements_.front(); }

private:
    TSQLiteDBConnection& connection_;
    std::string sql_;
    std::uint64_t generation_;
    std::vector<TSQLiteStatement> statements_;
};
