#pragma once
// A statement on one SQLite connection (see TAbstractDBQuery). The text may
// hold several statements separated by ";" for ExecSQL; Open runs exactly one.
// Named parameters are bound with sqlite3_bind, never pasted into the text;
// every parameter of the text needs a value (a missing one raises), values of
// names the text does not use are ignored. Setting or extending the text
// drops the parameter values. Prepared statements are kept while the text
// stays the same, so a pooled query that runs the same text again is cheap.
#include "storage/AbstractDBQuery.h"
#include "storage/SQLiteStatement.h"

#include <memory>
#include <string>
#include <vector>

class TSQLiteDBConnection;
class TSQLiteRecordset;

class TSQLiteDBQuery : public TAbstractDBQuery {
public:
    explicit TSQLiteDBQuery(TSQLiteDBConnection& connection);
    ~TSQLiteDBQuery() override;

    void SetSQL(const std::string& text) override;
    void AddSQL(const std::string& line) override;
    std::string GetErrorText() const override { return {}; }
    void ExecSQL() override;
    TAbstractRecordset& Open(bool readOnly) override;
    void Close() override;
    void SetParam(const std::string& name, const TVariant& value) override;
    std::string ShowSQL() const override { return sql_; }

    // Drops the prepared statements (the connection is about to close).
    void Unprepare();

private:
    std::vector<TSQLiteStatement>& Statements();
    TSQLiteStatement& SingleStatement();

    TSQLiteDBConnection& connection_;
    std::string sql_;
    TSQLiteParams params_;
    std::vector<TSQLiteStatement> prepared_;
    std::unique_ptr<TSQLiteRecordset> recordset_;
};
