// A publishing worker resolves the symbolic ids of generation rules itself,
// asking the open catalog only for its names: every answer is the one the
// catalog gives, for the current item, the page's own templates and the
// names alike.
#include "PublishSiteFixture.h"

#include "catalog/CatalogData.h"
#include "publishing/WorkerPageGeneration.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkerNameLookup, TheWorkerResolvesIdsAndTypesAsTheCatalogDoes)
{
    TPublishSite site;
    TSharedServicesLock lock;
    TTempFolder work;
    const auto made = site.MakeWorker(lock, work.Path());
    TWorkerPageGeneration& worker = *made;
    worker.SetCurrentTemplateIds(41, 42);
    const int home = site.HomePageId();
    ASSERT_NE(home, 0);
    // Twice: the second time from what the worker kept.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "asked" : "kept");
        for (const char* text : {"", "123", "current", "process", "currenttree", "Home", "WebTreeRoot", "NoSuchName"})
            EXPECT_EQ(worker.ResolveItemId(text, 7, 8), site.Data().ResolveItemId(text, 7, 8)) << text;
        EXPECT_EQ(worker.ResolveItemId("Home", 0, 0), home);
        EXPECT_NE(worker.ResolveItemId("WebTreeRoot", 0, 0), 0);
        EXPECT_EQ(worker.ResolveItemType("InfoPage", 5), 3001);
        EXPECT_EQ(worker.ResolveItemId("mastertemplate", 7, 8), 41);
        EXPECT_EQ(worker.ResolveItemId("bodytemplate", 7, 8), 42);
        for (const char* text : {"", "3001", "current", "InfoPage", "NoSuchType"})
            EXPECT_EQ(worker.ResolveItemType(text, 5), site.Data().ResolveItemType(text, 5)) << text;
    }
    // A new page's templates.
    worker.SetCurrentTemplateIds(51, 52);
    EXPECT_EQ(worker.ResolveItemId("mastertemplate", 7, 8), 51);
}

}  // namespace
