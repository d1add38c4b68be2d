#pragma once
// Holds a connection's read snapshot for the length of a scope (see
// TAbstractDBConnection::HoldReadSnapshot).
#include "storage/AbstractDBConnection.h"

class TReadSnapshotScope {
public:
    explicit TReadSnapshotScope(TAbstractDBConnection& connection) : connection_(connection)
    {
        connection_.HoldReadSnapshot();
    }
    ~TReadSnapshotScope() { connection_.ReleaseReadSnapshot(); }
    TReadSnapshotScope(const TReadSnapshotScope&) = delete;
    TReadSnapshotScope& operator=(const TReadSnapshotScope&) = delete;

private:
    TAbstractDBConnection& connection_;
};
