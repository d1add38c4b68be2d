#include "storage/SQLiteStatement.h"

#include "common/Exceptions.h"
#include "storage/SQLiteErrors.h"
#include "storage/SQLiteFieldTypes.h"

#include <sqlite3.h>

#include <cctype>
#include <string>
#include <strings.h>
#include <utility>

bool TCaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

TSQLiteStatement::TSQLiteStatement(sqlite3* db, const std::string& sql)
{
    Prepare(db, sql);
}

TSQLiteStatement::~TSQLiteStatement()
{
    Finalize();
}

TSQLiteStatement::TSQLiteStatement(TSQLiteStatement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)), sql_(std::move(other.sql_)),
      columns_(std::move(other.columns_)), columnsRead_(std::exchange(other.columnsRead_, -1))
{
}

TSQLiteStatement& TSQLiteStatement::operator=(TSQLiteStatement&& other) noexcept
{
    if (this != &other) {
        Finalize();
        db_ = other.db_;
        stmt_ = std::exchange(other.stmt_, nullptr);
        sql_ = std::move(other.sql_);
        columns_ = std::move(other.columns_);
        columnsRead_ = std::exchange(other.columnsRead_, -1);
    }
    return *this;
}

std::size_t TSQLiteStatement::Prepare(sqlite3* db, const std::string& sql, std::size_t offset)
{
    Finalize();
    db_ = db;
    const char* start = sql.c_str() + offset;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, start, static_cast<int>(sql.size() - offset), &stmt_, &tail);
    std::size_t next = tail ? static_cast<std::size_t>(tail - sql.c_str()) : sql.size();
    sql_ = sql.substr(offset, next - offset);
    if (rc != SQLITE_OK) {
        Finalize();
        RaiseSQLiteError(db, rc, sql_);
    }
    return next;
}

void TSQLiteStatement::Finalize()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    columns_.clear();
    columnsRead_ = -1;
}

int TSQLiteStatement::Reprepared() const
{
    return sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_REPREPARE, 0);
}

const std::vector<TSQLiteStatement::TColumn>& TSQLiteStatement::Columns()
{
    if (!stmt_ || columnsRead_ == Reprepared())
        return columns_;
    const auto text = [](const char* value) { return std::string(value ? value : ""); };
    columns_.clear();
    for (int i = 0; i < sqlite3_column_count(stmt_); ++i) {
        TColumn column;
        column.name = text(sqlite3_column_name(stmt_, i));
        column.type = FieldTypeOfDeclaredType(text(sqlite3_column_decltype(stmt_, i)));
        column.originTable = text(sqlite3_column_table_name(stmt_, i));
        column.originColumn = text(sqlite3_column_origin_name(stmt_, i));
        int autoIncrement = 0;
        if (!column.originColumn.empty() &&
            sqlite3_table_column_metadata(db_, "main", column.originTable.c_str(), column.originColumn.c_str(),
                                          nullptr, nullptr, nullptr, nullptr, &autoIncrement) == SQLITE_OK &&
            autoIncrement)
            column.type = TFieldType::AutoInc;
        columns_.push_back(std::move(column));
    }
    columnsRead_ = Reprepared();
    return columns_;
}

bool TSQLiteStatement::IsReadOnly() const
{
    return !stmt_ || sqlite3_stmt_readonly(stmt_) != 0;
}

namespace {

// The offset of the first word of Sql, after blanks and comments.
std::size_t FirstWordOffset(const std::string& sql)
{
    std::size_t at = 0;
    while (at < sql.size()) {
        if (std::isspace(static_cast<unsigned char>(sql[at]))) {
            ++at;
        } else if (sql.compare(at, 2, "--") == 0) {
            at = sql.find('\n', at);
        } else if (sql.compare(at, 2, "/*") == 0) {
            at = sql.find("*/", at + 2);
            at = at == std::string::npos ? at : at + 2;
        } else {
            return at;
        }
    }
    return sql.size();
}

}  // namespace

bool TSQLiteStatement::ChangesSchema() const
{
    const std::size_t at = FirstWordOffset(sql_);
    for (const char* word : {"CREATE", "DROP", "ALTER"}) {
        const std::size_t length = std::char_traits<char>::length(word);
        if (strncasecmp(sql_.c_str() + at, word, length) == 0 &&
            !std::isalnum(static_cast<unsigned char>(sql_.c_str()[at + length])))
            return true;
    }
    return false;
}

void TSQLiteStatement::Check(int resultCode)
{
    if (resultCode != SQLITE_OK)
        RaiseSQLiteError(db_, resultCode, sql_);
}

void TSQLiteStatement::BindAll(const TSQLiteParams& params)
{
    int count = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(stmt_, i);
        if (!name)
            throw ECriticalTolvexException("Database error: a statement parameter has no name\nStatement: " + sql_);
        auto it = params.find(name + 1);  // without the ":" prefix
        if (it == params.end())
            throw ECriticalTolvexException(std::string("Database error: no value for parameter ") + name +
                                           "\nStatement: " + sql_);
        Check(BindSQLiteValue(stmt_, i, it->second));
    }
}

void TSQLiteStatement::Bind(int index, const TVariant& value)
{
    Check(BindSQLiteValue(stmt_, index, value));
}

void TSQLiteStatement::Bind(const std::string& name, const TVariant& value)
{
    int index = sqlite3_bind_parameter_index(stmt_, (":" + name).c_str());
    if (index == 0)
        throw EDeveloperTolvexException("Unknown statement parameter " + name);
    Bind(index, value);
}

bool TSQLiteStatement::Step()
{
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    RaiseSQLiteError(db_, rc, sql_);
}

void TSQLiteStatement::Reset()
{
    if (stmt_)
        sqlite3_reset(stmt_);
}
