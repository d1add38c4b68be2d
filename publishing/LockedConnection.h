#pragma once
// A shared connection as a publishing worker uses it: every query, from
// AcquireQuery to ReleaseQuery, and every unit of work, from BeginTrans to
// its end, runs under the run's shared-services lock, so that the worker's
// statements never interleave with another thread's on the same connection.
// Made and used by one worker thread; the connection is not owned.
#include "publishing/SharedServicesLock.h"
#include "storage/AbstractDBConnection.h"

class TLockedConnection : public TAbstractDBConnection {
public:
    TLockedConnection(TAbstractDBConnection& connection, TSharedServicesLock& lock);
    ~TLockedConnection() override;
    TLockedConnection(const TLockedConnection&) = delete;
    TLockedConnection& operator=(const TLockedConnection&) = delete;

    TAbstractDBQuery& AcquireQuery() override;
    void ReleaseQuery(TAbstractDBQuery& query) override;
    void Reconnect() override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override;
    void Connect() override;
    void Disconnect() override;
    int NextSequenceId(const std::string& catalogCode, const std::string& sequenceName) override;

private:
    // Takes the lock once more; Leave gives one back.
    void Enter() const;
    void Leave() const;
    void EndUnit();

    TAbstractDBConnection& connection_;
    TSharedServicesLock& lock_;
    // How often this worker holds the lock through this connection (open
    // queries and units of work), so that it can be given back on destruction.
    mutable int held_ = 0;
    // Units of work begun through this connection and not yet ended.
    int units_ = 0;
};
