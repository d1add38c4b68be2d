#pragma once
// A statement on one SQLite connection (see TAbstractDBQuery). The text may
// hold several statements separated by ";" for ExecSQL; Open runs exactly one.
// Named parameters are bound with sqlite3_bind, never pasted into the text;
// every parameter of the text needs a value (a missing one raises), values of
// names the text does not use are ignored. Setting or extending the text
// drops the parameter values. Prepared statements come from the connection's
// statement cache and are kept while the text stays the same; they go back to
// the cache when the text changes, so a text run again by any query of the
// connection is not prepared anew.
#include "storage/AbstractDBQuery.h"
#include "storage/SQLiteRecordset.h"
#include "storage/SQLiteStatement.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSQLiteDBConnection;

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

    // Gives the prepared statements back to the connection's cache.
    void Unprepare();

private:
    std::vector<TSQLiteStatement>& Statements();
    TSQLiteStatement& SingleStatement();
    TAbstractRecordset& ReadRecordset(TSQLiteStatement& statement, bool readOnly, TSQLiteUpdateTarget target);

    TSQLiteDBConnection& connection_;
    std::string sql_;
    TSQLiteParams params_;
    std::vector<TSQLiteStatement> prepared_;
    std::uint64_t preparedGeneration_ = 0;  // of the cache when prepared_ was taken
    std::unique_ptr<TSQLiteRecordset> recordset_;
};
