#include "storage/SQLiteRecordset.h"

#include "storage/SqlIdentifier.h"

#include "common/Exceptions.h"
#include "storage/SQLiteCachedStatement.h"
#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteFieldTypes.h"
#include "storage/SQLiteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace {

const char* const HiddenRowidColumn = "tolvex_rowid_";

std::string Quoted(const std::string& identifier) { return QuoteSqlIdentifier(identifier); }

std::string Text(const char* text)
{
    return text ? text : "";
}

// The offset just after a leading "SELECT" keyword; npos when the text does
// not start with one.
std::size_t AfterSelectKeyword(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    const std::size_t length = 6;
    if (text.size() < start + length + 1 || strncasecmp(text.c_str() + start, "SELECT", length) != 0)
        return std::string::npos;
    if (!std::isspace(static_cast<unsigned char>(text[start + length])))
        return std::string::npos;
    return start + length;
}

bool StartsWithWord(const std::string& text, std::size_t offset, const char* word)
{
    while (offset < text.size() && std::isspace(static_cast<unsigned char>(text[offset])))
        ++offset;
    std::size_t length = std::char_traits<char>::length(word);
    return strncasecmp(text.c_str() + offset, word, length) == 0;
}

bool HasRowid(sqlite3* db, const std::string& table)
{
    return sqlite3_table_column_metadata(db, "main", table.c_str(), "rowid", nullptr, nullptr, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

std::vector<std::string> PrimaryKeyColumns(sqlite3* db, const std::string& table)
{
    TSQLiteStatement info(db, "SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk");
    info.Bind(1, table);
    std::vector<std::string> key;
    while (info.Step())
        key.push_back(Text(reinterpret_cast<const char*>(sqlite3_column_text(info.Handle(), 0))));
    return key;
}

}  // namespace

TSQLiteUpdateTarget TSQLiteRecordset::FindUpdateTarget(TSQLiteDBConnection& connection,
                                                       const TSQLiteStatement& statement)
{
    TSQLiteUpdateTarget target;
    sqlite3_stmt* stmt = statement.Handle();
    std::string table;
    std::vector<std::string> origins;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        std::string columnTable = Text(sqlite3_column_table_name(stmt, i));
        if (columnTable.empty())
            continue;  // an expression: readable, not writable
        if (Text(sqlite3_column_database_name(stmt, i)) != "main" ||
            (!table.empty() && strcasecmp(table.c_str(), columnTable.c_str()) != 0)) {
            target.reason = "it does not read one table of the database";
            return target;
        }
        table = columnTable;
        origins.push_back(Text(sqlite3_column_origin_name(stmt, i)));
    }
    if (table.empty()) {
        target.reason = "it reads no table column";
        return target;
    }
    std::size_t afterSelect = AfterSelectKeyword(statement.Sql());
    if (afterSelect == std::string::npos || StartsWithWord(statement.Sql(), afterSelect, "DISTINCT")) {
        target.reason = "it is not a plain SELECT";
        return target;
    }
    if (HasRowid(connection.Handle(), table)) {
        target.table = table;
        target.hiddenRowid = true;
        return target;
    }
    target.key = PrimaryKeyColumns(connection.Handle(), table);
    for (const auto& keyColumn : target.key) {
        bool selected = false;
        for (const auto& origin : origins)
            selected = selected || strcasecmp(origin.c_str(), keyColumn.c_str()) == 0;
        if (!selected) {
            target.reason = "its primary key column " + keyColumn + " is not selected";
            target.key.clear();
            return target;
        }
    }
    target.table = table;
    return target;
}

std::string TSQLiteRecordset::WithHiddenRowid(const std::string& selectText)
{
    std::size_t afterSelect = AfterSelectKeyword(selectText);
    return selectText.substr(0, afterSelect) + " rowid AS " + HiddenRowidColumn + "," +
           selectText.substr(afterSelect);
}

TSQLiteRecordset::TSQLiteRecordset(TSQLiteDBConnection& connection, TSQLiteStatement& statement,
                                   bool readOnly, TSQLiteUpdateTarget target)
    : connection_(connection), readOnly_(readOnly), target_(std::move(target))
{
    ReadRows(statement);
}

void TSQLiteRecordset::ReadColumns(TSQLiteStatement& statement)
{
    const std::vector<TColumn>& all = statement.Columns();
    columns_.assign(all.begin() + std::min<std::size_t>(FirstColumn(), all.size()), all.end());
}

void TSQLiteRecordset::ReadRows(TSQLiteStatement& statement)
{
    // The first step comes before the columns are read: it prepares anew a
    // statement whose tables changed since it was prepared.
    bool hasRow = statement.Step();
    ReadColumns(statement);
    sqlite3_stmt* stmt = statement.Handle();
    const int first = FirstColumn();
    for (; hasRow; hasRow = statement.Step()) {
        TRow row;
        row.values.reserve(columns_.size());
        if (target_.hiddenRowid)
            row.rowid = std::int64_t{sqlite3_column_int64(stmt, 0)};
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            int index = first + static_cast<int>(i);
            if (columns_[i].type == TFieldType::Unknown)
                columns_[i].type = FieldTypeOfStorageClass(sqlite3_column_type(stmt, index));
            row.values.push_back(ReadSQLiteColumn(stmt, index, columns_[i].type));
        }
        rows_.push_back(std::move(row));
    }
    statement.Reset();
    eof_ = rows_.empty();
}

bool TSQLiteRecordset::Eof() const
{
    return eof_;
}

void TSQLiteRecordset::Next()
{
    if (state_ != TState::Browse)
        Post();
    if (current_ + 1 < rows_.size())
        ++current_;
    else
        eof_ = true;
}

int TSQLiteRecordset::FieldCount() const
{
    return static_cast<int>(columns_.size());
}

std::string TSQLiteRecordset::FieldName(int index) const
{
    return columns_.at(static_cast<std::size_t>(index)).name;
}

TFieldType TSQLiteRecordset::FieldType(int index) const
{
    return columns_.at(static_cast<std::size_t>(index)).type;
}

int TSQLiteRecordset::IndexOf(const std::string& name) const
{
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (strcasecmp(columns_[i].name.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

bool TSQLiteRecordset::HasField(const std::string& name) const
{
    return IndexOf(name) >= 0;
}

const std::vector<TVariant>& TSQLiteRecordset::CurrentValues() const
{
    return state_ == TState::Browse ? rows_[current_].values : buffer_.values;
}

TVariant TSQLiteRecordset::Field(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EDeveloperTolvexException("Field index out of range");
    if (state_ == TState::Browse && rows_.empty())
        return {};
    return CurrentValues()[static_cast<std::size_t>(index)];
}

TVariant TSQLiteRecordset::Field(const std::string& name) const
{
    int index = IndexOf(name);
    if (index < 0)
        throw EDeveloperTolvexException("Field \"" + name + "\" not found");
    return Field(index);
}

void TSQLiteRecordset::RequireUpdatable() const
{
    if (readOnly_)
        throw EDeveloperTolvexException("The record set is read-only");
    if (target_.table.empty())
        throw EDeveloperTolvexException("The record set cannot be updated: " + target_.reason);
}

void TSQLiteRecordset::Edit()
{
    RequireUpdatable();
    if (state_ != TState::Browse)
        Post();
    if (rows_.empty())
        throw EDeveloperTolvexException("The record set has no current record to edit");
    buffer_ = rows_[current_];
    changed_.assign(columns_.size(), false);
    state_ = TState::Edit;
}

void TSQLiteRecordset::Append()
{
    RequireUpdatable();
    if (state_ != TState::Browse)
        Post();
    buffer_ = TRow{std::vector<TVariant>(columns_.size()), {}};
    changed_.assign(columns_.size(), false);
    state_ = TState::Insert;
}

void TSQLiteRecordset::SetField(const std::string& name, const TVariant& value)
{
    if (state_ == TState::Browse)
        throw EDeveloperTolvexException("The record set is not in edit or insert mode");
    int index = IndexOf(name);
    if (index < 0)
        throw EDeveloperTolvexException("Field \"" + name + "\" not found");
    if (columns_[static_cast<std::size_t>(index)].originColumn.empty())
        throw EDeveloperTolvexException("Field \"" + name + "\" cannot be updated");
    buffer_.values[static_cast<std::size_t>(index)] = value;
    changed_[static_cast<std::size_t>(index)] = true;
}

void TSQLiteRecordset::Post()
{
    if (state_ == TState::Edit)
        PostUpdate();
    else if (state_ == TState::Insert)
        PostInsert();
    state_ = TState::Browse;
}

void TSQLiteRecordset::Cancel()
{
    state_ = TState::Browse;
}

std::string TSQLiteRecordset::KeyCondition(std::vector<TVariant>& keyValues, const TRow& row) const
{
    if (target_.hiddenRowid) {
        keyValues.push_back(row.rowid);
        return "rowid = ?";
    }
    std::string condition;
    for (const auto& keyColumn : target_.key) {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (strcasecmp(columns_[i].originColumn.c_str(), keyColumn.c_str()) != 0)
                continue;
            condition += (condition.empty() ? "" : " AND ") + Quoted(keyColumn) + " = ?";
            keyValues.push_back(row.values[i]);
            break;
        }
    }
    return condition;
}

namespace {

// "RETURNING" list that reads the written row back.
std::string ReturningList(bool withRowid, const std::vector<std::string>& originColumns)
{
    std::string list = withRowid ? "rowid" : "";
    for (const auto& column : originColumns)
        if (!column.empty())
            list += (list.empty() ? "" : ", ") + Quoted(column);
    return " RETURNING " + list;
}

}  // namespace

void TSQLiteRecordset::ReadBack(TRow& row, const std::string& sql, const std::vector<TVariant>& values)
{
    TSQLiteCachedStatement cached(connection_, sql);
    TSQLiteStatement& statement = *cached;
    for (std::size_t i = 0; i < values.size(); ++i)
        statement.Bind(static_cast<int>(i) + 1, values[i]);
    connection_.BeforeStatement(statement);
    if (!statement.Step())
        throw ECriticalTolvexException("The record to update no longer exists in table " + target_.table);
    sqlite3_stmt* stmt = statement.Handle();
    int index = 0;
    if (target_.hiddenRowid)
        row.rowid = std::int64_t{sqlite3_column_int64(stmt, index++)};
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (!columns_[i].originColumn.empty())
            row.values[i] = ReadSQLiteColumn(stmt, index++, columns_[i].type);
    while (statement.Step()) {
    }
}

void TSQLiteRecordset::PostUpdate()
{
    std::string assignments;
    std::vector<TVariant> values;
    std::vector<std::string> origins;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        origins.push_back(columns_[i].originColumn);
        if (!changed_[i])
            continue;
        assignments += (assignments.empty() ? "" : ", ") + Quoted(columns_[i].originColumn) + " = ?";
        values.push_back(buffer_.values[i]);
    }
    if (assignments.empty())
        return;
    std::string where = KeyCondition(values, rows_[current_]);
    std::string sql = "UPDATE " + Quoted(target_.table) + " SET " + assignments + " WHERE " + where +
                      ReturningList(target_.hiddenRowid, origins);
    ReadBack(buffer_, sql, values);
    rows_[current_] = buffer_;
}

void TSQLiteRecordset::PostInsert()
{
    std::string names;
    std::string marks;
    std::vector<TVariant> values;
    std::vector<std::string> origins;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        origins.push_back(columns_[i].originColumn);
        if (!changed_[i])
            continue;
        names += (names.empty() ? "" : ", ") + Quoted(columns_[i].originColumn);
        marks += marks.empty() ? "?" : ", ?";
        values.push_back(buffer_.values[i]);
    }
    std::string sql = "INSERT INTO " + Quoted(target_.table) +
                      (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")") +
                      ReturningList(target_.hiddenRowid, origins);
    ReadBack(buffer_, sql, values);
    rows_.push_back(buffer_);
    current_ = rows_.size() - 1;
    eof_ = false;
}
