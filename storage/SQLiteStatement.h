#pragma once
// One prepared SQLite statement, finalised with the object. Parameters are
// bound by name (":Name", "@Name" or "$Name" in the text, looked up without
// regard to case, as the named parameters of the program's statements are)
// or by position; errors become the program's exceptions (SQLiteErrors.h).
#include "common/Variant.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Orders names without regard to ASCII case.
struct TCaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

// Named parameter values, keyed by the name without its ":" prefix.
using TSQLiteParams = std::map<std::string, TVariant, TCaseInsensitiveLess>;

class TSQLiteStatement {
public:
    TSQLiteStatement() = default;
    // Prepares the first statement of Sql (see Prepare).
    TSQLiteStatement(sqlite3* db, const std::string& sql);
    ~TSQLiteStatement();
    TSQLiteStatement(TSQLiteStatement&& other) noexcept;
    TSQLiteStatement& operator=(TSQLiteStatement&& other) noexcept;
    TSQLiteStatement(const TSQLiteStatement&) = delete;
    TSQLiteStatement& operator=(const TSQLiteStatement&) = delete;

    // Prepares the statement that starts at Offset of Sql and returns the
    // offset of the text after it. A text of blanks and comments only leaves
    // the statement empty.
    std::size_t Prepare(sqlite3* db, const std::string& sql, std::size_t offset = 0);
    void Finalize();

    bool IsEmpty() const { return stmt_ == nullptr; }
    sqlite3_stmt* Handle() const { return stmt_; }
    // True when the statement does not write to the database.
    bool IsReadOnly() const;
    const std::string& Sql() const { return sql_; }
    // True for CREATE, DROP and ALTER statements.
    bool ChangesSchema() const;

    // Binds every parameter of the statement from Params; a parameter
    // without a value raises ECriticalTolvexException.
    void BindAll(const TSQLiteParams& params);
    void Bind(int index, const TVariant& value);
    void Bind(const std::string& name, const TVariant& value);

    // Runs one step: true when a row is ready, false when done.
    bool Step();
    // Makes the statement ready to run again (bindings stay).
    void Reset();

    // A column of the statement's result as the schema declares it.
    struct TColumn {
        std::string name;
        TFieldType type = TFieldType::Unknown;  // AutoInc for an auto-increment key
        std::string originTable;
        std::string originColumn;  // empty for an expression
    };
    // Every column of the result, the first one included. Read from the
    // schema once (a statement run again and again, as the program's cached
    // statements are, asked it on every run) and again when SQLite has
    // prepared the statement anew since; ask after the first Step, which is
    // when SQLite does that.
    const std::vector<TColumn>& Columns();

private:
    void Check(int resultCode);
    int Reprepared() const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
    std::vector<TColumn> columns_;
    // How often SQLite had prepared the statement anew when columns_ was read; -1: not read.
    int columnsRead_ = -1;
};
