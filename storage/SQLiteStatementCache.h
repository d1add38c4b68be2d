#pragma once
// The prepared statements of one SQLite connection, kept for re-use by their
// exact text. Preparing is a good part of the cost of a short statement, and
// the program runs the same texts over and over.
//
// A query takes the statements of its text out of the cache (they are
// prepared when the cache has none) and gives them back when it is done with
// them, so that one statement is never used by two queries at once. Given
// back, a statement is reset and its bindings cleared: no statement in the
// cache has an open cursor or carries the values of an earlier run. The
// cache holds at most Capacity texts and drops the least recently used one
// beyond that. Clear finalises every statement; statements taken before a
// Clear are finalised when they come back rather than kept (the connection
// clears the cache when it closes and when it changes the schema).
#include "storage/SQLiteStatement.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;

class TSQLiteStatementCache {
public:
    using TStatements = std::vector<TSQLiteStatement>;
    static constexpr std::size_t DefaultCapacity = 64;

    explicit TSQLiteStatementCache(std::size_t capacity = DefaultCapacity);
    TSQLiteStatementCache(const TSQLiteStatementCache&) = delete;
    TSQLiteStatementCache& operator=(const TSQLiteStatementCache&) = delete;

    // The statements of Sql, in order, taken out of the cache or prepared on
    // Db; a text of blanks and comments only gives none.
    TStatements Take(sqlite3* db, const std::string& sql);
    // Gives back the statements of Sql taken at Generation.
    void Give(const std::string& sql, TStatements statements, std::uint64_t generation);
    // Finalises every cached statement and invalidates those taken out.
    void Clear();

    // Changes with every Clear; statements taken under an older one are stale.
    std::uint64_t Generation() const { return generation_; }
    std::size_t Size() const { return entries_.size(); }
    bool Contains(const std::string& sql) const { return index_.count(sql) != 0; }

private:
    using TEntry = std::pair<std::string, TStatements>;

    static TStatements PrepareAll(sqlite3* db, const std::string& sql);
    static void Rewind(TStatements& statements);

    std::size_t capacity_;
    std::uint64_t generation_ = 0;
    std::list<TEntry> entries_;  // most recently used first
    std::unordered_map<std::string, std::list<TEntry>::iterator> index_;
};
