#include "storage/SQLiteDBQuery.h"

#include "common/Exceptions.h"
#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteRecordset.h"

TSQLiteDBQuery::TSQLiteDBQuery(TSQLiteDBConnection& connection) : connection_(connection) {}

TSQLiteDBQuery::~TSQLiteDBQuery() = default;

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
    prepared_.clear();
}

std::vector<TSQLiteStatement>& TSQLiteDBQuery::Statements()
{
    if (!prepared_.empty())
        return prepared_;
    std::size_t offset = 0;
    while (offset < sql_.size()) {
        TSQLiteStatement statement;
        offset = statement.Prepare(connection_.Handle(), sql_, offset);
        if (!statement.IsEmpty())
            prepared_.push_back(std::move(statement));
    }
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
    }
}

TAbstractRecordset& TSQLiteDBQuery::Open(bool readOnly)
{
    Close();
    TSQLiteStatement& cached = SingleStatement();
    TSQLiteUpdateTarget target;
    TSQLiteStatement withRowid;
    if (!readOnly) {
        target = TSQLiteRecordset::FindUpdateTarget(connection_, cached);
        if (target.hiddenRowid)
            withRowid.Prepare(connection_.Handle(), TSQLiteRecordset::WithHiddenRowid(cached.Sql()));
    }
    TSQLiteStatement& statement = withRowid.IsEmpty() ? cached : withRowid;
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
