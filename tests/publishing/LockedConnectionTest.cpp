// A publishing worker's view of the catalog's shared connections: each of
// its queries and units of work on them holds the run's shared-services
// lock, so that no other thread's statements run on the same connection
// meanwhile. Checked from a second thread with try_lock (never by timing).
#include "PublishSiteFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "publishing/LockedConnection.h"
#include "publishing/WorkerPageGeneration.h"
#include "storage/AbstractDBQuery.h"
#include "storage/QueryGuard.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Whether another thread could take the lock now.
bool FreeForOthers(TSharedServicesLock& lock)
{
    bool free = false;
    std::thread([&] {
        free = lock.try_lock();
        if (free)
            lock.unlock();
    }).join();
    return free;
}

TEST(LockedConnection, HoldsTheLockForEachQueryAndEachUnitOfWork)
{
    TPublishSite site;
    TSharedServicesLock lock;
    TLockedConnection connection(site.Connection(), lock);
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT COUNT(*) AS N FROM Items");
        query->Open(true);
        EXPECT_FALSE(FreeForOthers(lock)) << "while a query is open";
        // The worker itself may meet another shared service meanwhile.
        TSharedServicesGuard again(lock);
    }
    EXPECT_TRUE(FreeForOthers(lock));

    connection.BeginTrans();
    {
        TQueryGuard query(connection);
        query->SetSQL("UPDATE Items SET OrderNum = OrderNum WHERE ItemId = 0");
        query->ExecSQL();
    }
    EXPECT_FALSE(FreeForOthers(lock)) << "between the statements of a unit of work";
    connection.CommitTrans();
    EXPECT_TRUE(FreeForOthers(lock));

    connection.BeginTrans();
    connection.RollbackTrans();
    EXPECT_TRUE(FreeForOthers(lock));
    EXPECT_FALSE(site.Connection().InTransaction());
}

// The worker's main and category connections are the shared ones behind the
// lock, and the objects it makes belong to its own object context.
TEST(LockedConnection, AWorkerReachesTheSharedConnectionsOnlyUnderTheLock)
{
    TPublishSite site;
    TSharedServicesLock lock;
    TTempFolder work;
    const auto made = site.MakeWorker(lock, work.Path());
    TWorkerPageGeneration& worker = *made;
    TAbstractDBConnection* shared[] = {&site.Connection(), site.Data().GetCategoryConnection()};
    TAbstractDBConnection* seen[] = {&worker.GetMainConnection(), worker.GetCategoryConnection()};
    for (int i = 0; i < 2; ++i) {
        if (!shared[i]) {
            EXPECT_EQ(seen[i], nullptr);
            continue;
        }
        ASSERT_NE(seen[i], nullptr);
        EXPECT_NE(seen[i], shared[i]);
        TQueryGuard query(*seen[i]);
        EXPECT_FALSE(FreeForOthers(lock)) << i;
    }
    EXPECT_TRUE(FreeForOthers(lock));
    EXPECT_NE(&worker.GetObjectFactory(), &site.Data().GetPageGeneration().GetObjectFactory());
}

}  // namespace
