#include "storage/UnitOfWorkScope.h"

#include "storage/AbstractDBConnection.h"
#include "storage/QueryGuard.h"
#include "storage/SqlIdentifier.h"

namespace {

const char* const kSavepoint = "tolvex_unit_scope";

void Exec(TAbstractDBConnection& connection, const std::string& sql)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->ExecSQL();
}

}  // namespace

TUnitOfWorkScope::~TUnitOfWorkScope()
{
    Undo();
}

void TUnitOfWorkScope::Enter(const std::string& table)
{
    if (state_ != TState::Outside)
        return;
    if (!connection_.InTransaction()) {
        connection_.BeginTrans();
        state_ = TState::OwnUnit;
        return;
    }
    Exec(connection_, "DELETE FROM " + QuoteSqlIdentifier(table) + " WHERE 0");
    Exec(connection_, std::string("SAVEPOINT ") + kSavepoint);
    state_ = TState::Savepoint;
}

void TUnitOfWorkScope::Commit()
{
    if (state_ == TState::OwnUnit)
        connection_.CommitTrans();
    else if (state_ == TState::Savepoint)
        Exec(connection_, std::string("RELEASE ") + kSavepoint);
    state_ = TState::Outside;
}

void TUnitOfWorkScope::Undo() noexcept
{
    try {
        if (state_ == TState::OwnUnit) {
            connection_.RollbackTrans();
        } else if (state_ == TState::Savepoint) {
            Exec(connection_, std::string("ROLLBACK TO ") + kSavepoint);
            Exec(connection_, std::string("RELEASE ") + kSavepoint);
        }
    } catch (...) {
        // The error that left the scope is already on its way; when the
        // database cancelled the whole transaction, the connection reports
        // that to its owner on its next statement.
    }
    state_ = TState::Outside;
}
