#pragma once
// A connection to one database with its pool of queries.
#include <cstddef>
#include <string>

class TAbstractDBQuery;

class TAbstractDBConnection {
public:
    virtual ~TAbstractDBConnection() = default;

    // A query bound to this connection, taken from the pool.
    virtual TAbstractDBQuery& AcquireQuery() = 0;
    // Returns a query to the pool; a foreign query or a second release
    // raises EDeveloperTolvexException.
    virtual void ReleaseQuery(TAbstractDBQuery& query) = 0;
    virtual void Reconnect() = 0;
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual bool InTransaction() const = 0;
    virtual void Connect() = 0;
    virtual void Disconnect() = 0;
    // The next number of a catalog's named sequence, committed at once.
    virtual int NextSequenceId(const std::string& catalogCode, const std::string& sequenceName) = 0;
    // From HoldReadSnapshot to ReleaseReadSnapshot the reads of this
    // connection see one state of the database, taken by the first of them,
    // instead of each statement taking its own; the first statement that
    // writes ends the snapshot. For a burst of reads on a connection of one
    // thread (a page being generated). Connections that cannot hold one do
    // nothing.
    virtual void HoldReadSnapshot() {}
    virtual void ReleaseReadSnapshot() {}
    // The connection will read much of the database again and again (a
    // publishing worker): it may keep up to Bytes of the database in memory
    // rather than read it from the file anew. Connections that keep nothing
    // do nothing.
    virtual void SetReadCacheSize(std::size_t /*bytes*/) {}
};
