#include "storage/SQLiteCachedStatement.h"

#include "common/Exceptions.h"
#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteStatementCache.h"

#include <utility>

TSQLiteCachedStatement::TSQLiteCachedStatement(TSQLiteDBConnection& connection, const std::string& sql)
    : connection_(connection), sql_(sql), generation_(connection.StatementCache().Generation())
{
    statements_ = connection.StatementCache().Take(connection.Handle(), sql_);
    if (statements_.size() != 1)
        throw EDeveloperTolvexException("Exactly one statement was expected\nStatement: " + sql_);
}

TSQLiteCachedStatement::~TSQLiteCachedStatement()
{
    connection_.StatementCache().Give(sql_, std::move(statements_), generation_);
}
