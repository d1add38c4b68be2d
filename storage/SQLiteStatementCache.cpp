#include "storage/SQLiteStatementCache.h"

#include <sqlite3.h>

TSQLiteStatementCache::TSQLiteStatementCache(std::size_t capacity) : capacity_(capacity) {}

TSQLiteStatementCache::TStatements TSQLiteStatementCache::Take(sqlite3* db, const std::string& sql)
{
    auto found = index_.find(sql);
    if (found == index_.end())
        return PrepareAll(db, sql);
    TStatements statements = std::move(found->second->second);
    entries_.erase(found->second);
    index_.erase(found);
    return statements;
}

TSQLiteStatementCache::TStatements TSQLiteStatementCache::PrepareAll(sqlite3* db, const std::string& sql)
{
    TStatements statements;
    std::size_t offset = 0;
    while (offset < sql.size()) {
        TSQLiteStatement statement;
        offset = statement.Prepare(db, sql, offset);
        if (!statement.IsEmpty())
            statements.push_back(std::move(statement));
    }
    return statements;
}

void TSQLiteStatementCache::Rewind(TStatements& statements)
{
    for (TSQLiteStatement& statement : statements) {
        statement.Reset();
        sqlite3_clear_bindings(statement.Handle());
    }
}

void TSQLiteStatementCache::Give(const std::string& sql, TStatements statements, std::uint64_t generation)
{
    if (statements.empty() || generation != generation_ || capacity_ == 0 || index_.count(sql))
        return;  // finalised as they go out of scope
    Rewind(statements);
    entries_.emplace_front(sql, std::move(statements));
    index_.emplace(sql, entries_.begin());
    if (entries_.size() > capacity_) {
        index_.erase(entries_.back().first);
        entries_.pop_back();
    }
}

void TSQLiteStatementCache::Clear()
{
    index_.clear();
    entries_.clear();
    ++generation_;
}
