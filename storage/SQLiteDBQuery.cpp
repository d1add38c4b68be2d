#include "storage/SQLiteDBQuery.h"

#include "common/Exceptions.h"
#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteRecordset.h"
#include "storage/SQLiteCachedStatement.h"
#include "storage/SQLiteStatementCache.h"

TSQLiteDBQuery::TSQLiteDBQuery(TSQLiteDBConnection& connection) : connection_(connection) {}

TSQLiteDBQuery::~TSQLiteDBQuery()
{
    Unprepare();
}

void TSQLiteDBQuery::SetSQL(const std::string& text)
{
    if (text != sql_) {
        Unprepare();
        sql_ = text;
    }
    params_.clear();
}

void TSQLiteDBQuery::AddSQL(const std::string& line)
{
    Unprepare();
    if (!sql_.empty())
        sql_ += "\n";
    sql_ += line;
    params_.clear();
}

void TSQLiteDBQuery::SetParam(const std::string& name, const TVariant& value)
{
    std::string key = name;
    if (!key.empty() && (key[0] == ':' || key[0] == '@' || key[0] == '$'))
        key.erase(0, 1);
    params_[key] = value;
}

void TSQLiteDBQuery::Unprepare()
{
    if (!prepared_.empty())
        connection_.StatementCache().Give(sql_, std::move(prepared_), preparedGeneration_);
    prepared_.clear();
}

std::vector<TSQLiteStatement>& TSQLiteDBQuery::Statements()
{
    TSQLiteStatementCache& cache = connection_.StatementCache();
    if (!prepared_.empty() && preparedGeneration_ == cache.Generation())
        return prepared_;
    Unprepare();  // statements of an older schema are finalised, not kept
    sqlite3* db = connection_.Handle();
    preparedGeneration_ = cache.Generation();
    prepared_ = cache.Take(db, sql_);
    if (prepared_.empty())
        throw EDeveloperTolvexException("The query has no statement to run");
    return prepared_;
}

TSQLiteStatement& TSQLiteDBQuery::SingleStatement()
{
    auto& statements = Statements();
    if (statements.size() != 1)
        throw EDeveloperTolvexException("Open runs exactly one statement");
    return statements.front();
}

void TSQLiteDBQuery::ExecSQL()
{
    Close();
    for (auto& statement : Statements()) {
        statement.Reset();
        statement.BindAll(params_);
        connection_.BeforeStatement(statement);
        while (statement.Step()) {
        }
        if (statement.ChangesSchema())
            connection_.SchemaChanged();
    }
}

TAbstractRecordset& TSQLiteDBQuery::Open(bool readOnly)
{
    Close();
    TSQLiteStatement& statement = SingleStatement();
    TSQLiteUpdateTarget target;
    if (!readOnly)
        target = TSQLiteRecordset::FindUpdateTarget(connection_, statement);
    if (!target.hiddenRowid)
        return ReadRecordset(statement, readOnly, std::move(target));
    // The rowid is read as a hidden first column, by a statement of its own.
    TSQLiteCachedStatement withRowid(connection_, TSQLiteRecordset::WithHiddenRowid(statement.Sql()));
    return ReadRecordset(*withRowid, readOnly, std::move(target));
}

TAbstractRecordset& TSQLiteDBQuery::ReadRecordset(TSQLiteStatement& statement, bool readOnly,
                                                  TSQLiteUpdateTarget target)
{
    statement.Reset();
    statement.BindAll(params_);
    connection_.BeforeStatement(statement);
    recordset_ = std::make_unique<TSQLiteRecordset>(connection_, statement, readOnly, std::move(target));
    return *recordset_;
}

void TSQLiteDBQuery::Close()
{
    recordset_.reset();
}
