#include "publishing/LockedConnection.h"

#include "storage/AbstractDBQuery.h"

TLockedConnection::TLockedConnection(TAbstractDBConnection& connection, TSharedServicesLock& lock)
    : connection_(connection), lock_(lock)
{
}

TLockedConnection::~TLockedConnection()
{
    while (held_ > 0)
        Leave();
}

void TLockedConnection::Enter() const
{
    lock_.lock();
    ++held_;
}

void TLockedConnection::Leave() const
{
    --held_;
    lock_.unlock();
}

TAbstractDBQuery& TLockedConnection::AcquireQuery()
{
    Enter();
    try {
        return connection_.AcquireQuery();
    } catch (...) {
        Leave();
        throw;
    }
}

void TLockedConnection::ReleaseQuery(TAbstractDBQuery& query)
{
    try {
        connection_.ReleaseQuery(query);
    } catch (...) {
        Leave();
        throw;
    }
    Leave();
}

void TLockedConnection::BeginTrans()
{
    Enter();
    try {
        connection_.BeginTrans();
    } catch (...) {
        Leave();
        throw;
    }
    ++units_;
}

// The unit has ended: the hold taken by BeginTrans is given back.
void TLockedConnection::EndUnit()
{
    if (units_ > 0) {
        --units_;
        Leave();
    }
}

void TLockedConnection::CommitTrans()
{
    TSharedServicesGuard guard(lock_);
    connection_.CommitTrans();
    EndUnit();
}

void TLockedConnection::RollbackTrans()
{
    TSharedServicesGuard guard(lock_);
    connection_.RollbackTrans();
    EndUnit();
}

bool TLockedConnection::InTransaction() const
{
    TSharedServicesGuard guard(lock_);
    return connection_.InTransaction();
}

void TLockedConnection::Reconnect()
{
    TSharedServicesGuard guard(lock_);
    connection_.Reconnect();
}

void TLockedConnection::Connect()
{
    TSharedServicesGuard guard(lock_);
    connection_.Connect();
}

void TLockedConnection::Disconnect()
{
    TSharedServicesGuard guard(lock_);
    connection_.Disconnect();
}

int TLockedConnection::NextSequenceId(const std::string& catalogCode, const std::string& sequenceName)
{
    TSharedServicesGuard guard(lock_);
    return connection_.NextSequenceId(catalogCode, sequenceName);
}
