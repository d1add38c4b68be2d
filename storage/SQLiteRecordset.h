#pragma once
// The rows of an opened SQLite query, read completely when the query opens,
// so that no statement stays active (and no read snapshot stays open) while
// the caller walks the rows or waits for the user.
//
// An updatable record set (opened with ReadOnly false) offers an editable
// cursor over single-table SELECTs: Edit or Append, SetField, Post become an
// UPDATE of the row by its key, or an INSERT. The key
// is the row's rowid, which the query selects as a hidden first column, or,
// for a table without rowid, its primary key columns (all of which must be
// selected). After a Post the row is read back, so that default values and
// automatic numbers are visible. Scrolling with Next posts pending changes.
#include "storage/AbstractDBQuery.h"
#include "storage/SQLiteStatement.h"

#include <string>
#include <vector>

class TSQLiteDBConnection;

// Where the rows of an updatable record set are written back.
struct TSQLiteUpdateTarget {
    std::string table;             // empty: the record set cannot be updated
    std::string reason;            // why not, for the error message
    bool hiddenRowid = false;      // the statement's first column is the rowid
    std::vector<std::string> key;  // primary key columns when there is no rowid
};

class TSQLiteRecordset : public TAbstractRecordset {
public:
    // Reads every row of the prepared and bound Statement.
    TSQLiteRecordset(TSQLiteDBConnection& connection, TSQLiteStatement& statement, bool readOnly,
                     TSQLiteUpdateTarget target);

    // How a statement's rows can be written back (inspects its columns).
    static TSQLiteUpdateTarget FindUpdateTarget(TSQLiteDBConnection& connection,
                                                const TSQLiteStatement& statement);
    // The SELECT text with the rowid added as its first column.
    static std::string WithHiddenRowid(const std::string& selectText);

    bool Eof() const override;
    void Next() override;
    int FieldCount() const override;
    std::string FieldName(int index) const override;
    TFieldType FieldType(int index) const override;
    TVariant Field(const std::string& name) const override;
    TVariant Field(int index) const override;
    bool HasField(const std::string& name) const override;

    void Edit() override;
    void Append() override;
    void SetField(const std::string& name, const TVariant& value) override;
    void Post() override;
    void Cancel() override;

private:
    enum class TState { Browse, Edit, Insert };
    using TColumn = TSQLiteStatement::TColumn;
    struct TRow {
        std::vector<TVariant> values;
        TVariant rowid;
    };

    void ReadColumns(TSQLiteStatement& statement);
    void ReadRows(TSQLiteStatement& statement);
    int IndexOf(const std::string& name) const;  // -1 when unknown
    int FirstColumn() const { return target_.hiddenRowid ? 1 : 0; }
    void RequireUpdatable() const;
    const std::vector<TVariant>& CurrentValues() const;
    void PostUpdate();
    void PostInsert();
    // Runs an UPDATE or INSERT ... RETURNING and stores the written row in Row.
    void ReadBack(TRow& row, const std::string& sql, const std::vector<TVariant>& values);
    std::string KeyCondition(std::vector<TVariant>& keyValues, const TRow& row) const;

    TSQLiteDBConnection& connection_;
    bool readOnly_;
    TSQLiteUpdateTarget target_;
    std::vector<TColumn> columns_;
    std::vector<TRow> rows_;
    std::size_t current_ = 0;
    bool eof_ = true;
    TState state_ = TState::Browse;
    TRow buffer_;
    std::vector<bool> changed_;
};
