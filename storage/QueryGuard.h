#pragma once
// Borrows a query from a connection's pool and gives it back when the guard
// goes out of scope, also when an exception passes.
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"

#include <utility>

class TQueryGuard {
public:
    explicit TQueryGuard(TAbstractDBConnection& connection)
        : connection_(connection), query_(&connection.AcquireQuery())
    {
    }
    ~TQueryGuard()
    {
        try {
            Release();
        } catch (...) {
            // Giving back a query that was borrowed here cannot fail; a
            // destructor must not throw in any case.
        }
    }
    TQueryGuard(const TQueryGuard&) = delete;
    TQueryGuard& operator=(const TQueryGuard&) = delete;

    TAbstractDBQuery& operator*() const { return *query_; }
    TAbstractDBQuery* operator->() const { return query_; }

    // Gives the query back now.
    void Release()
    {
        if (query_)
            connection_.ReleaseQuery(*std::exchange(query_, nullptr));
    }

private:
    TAbstractDBConnection& connection_;
    TAbstractDBQuery* query_;
};
