// Table transfers and the host data cache against the stand-in host: the
// reference tables up and back again, the rows a download may reach, and
// cached rows of another catalog stored under that catalog's code alone.
#include "HostSyncFixture.h"

#include "publishing/CacheDataFromHost.h"
#include "publishing/PublishTables.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/QueryGuard.h"
#include "storage/References.h"

#include <gtest/gtest.h>

namespace {

using TFailure = THostStandIn::TFailure;

const std::vector<std::string> kReferenceTables{"AllReferences", "Countries",  "CountryCurrency", "Currencies",
                                                "Languages",     "RegionCountry", "Regions",        "Units"};

std::vector<std::string> TableParams(const std::string& direction, const std::string& connection,
                                     const std::vector<std::string>& tables)
{
    std::vector<std::string> params{"Connection=" + connection};
    for (const std::string& table : tables)
        params.push_back("Table=" + table);
    params.insert(params.end(), {"SendPacketSize=100", "Synchronization=" + direction,
                                 direction == "LocalToHost" ? "Delete=Host" : "Delete=Local", "DontGeneratePages=yes",
                                 "UserName=admin", "Password=secret"});
    return params;
}

// Runs a table transfer; whether it succeeded.
bool Transfer(THostSyncSite& site, std::vector<std::string> params)
{
    std::unique_ptr<TAbstractDBConnection> connection = site.Data().GetConnectionFactory().OpenSecondConnection();
    TPublishTables transfer(params, *connection,
                            TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                  &site.Program().Root(), nullptr});
    transfer.SetRequestTimeout(10);
    transfer.Run();
    return transfer.Succeeded() && transfer.GetErrorCount() == 0;
}

// Every row of the tables, as text lines in a stable order.
std::vector<std::string> TableRows(TAbstractDBConnection& connection, const std::vector<std::string>& tables)
{
    std::vector<std::string> rows;
    for (const std::string& table : tables) {
        TQueryGuard query(connection);
        query->SetSQL("SELECT * FROM " + table + " ORDER BY 1, 2");
        for (TAbstractRecordset& found = query->Open(true); !found.Eof(); found.Next()) {
            std::string line = table;
            for (int i = 0; i < found.FieldCount(); ++i)
                line += "|" + (found.Field(i).IsNull() ? std::string("<null>")
                                                       : TCommonFunctions::VariantToString(found.Field(i)));
            rows.push_back(line);
        }
    }
    return rows;
}

TEST(HostTables, TheReferenceTablesGoUpInOnePacketAndComeBackIdentically)
{
    THostStandIn host;
    THostSyncSite site(host);
    TAbstractDBConnection& references = site.Program().Root().References().GetReferencesDatabase().GetConnection();
    const std::vector<std::string> before = TableRows(references, kReferenceTables);
    ASSERT_GT(before.size(), 100u);

    ASSERT_TRUE(Transfer(site, TableParams("LocalToHost", "tolvex", kReferenceTables))) << site.Runner().Last();
    EXPECT_EQ(host.Actions(), std::vector<std::string>{"xmldata"}) << "no lock, no ids, no page generation";
    const THostStandIn::TRequest upload = host.Requests().front();
    EXPECT_EQ(upload.Field("postponded"), "no");
    // For each table in order: a delete of every row, then its rows.
    std::size_t at = 0;
    for (const std::string& table : kReferenceTables) {
        const std::size_t erase = upload.Packet.find("Table=\"" + table + "\" Method=\"delete\"", at);
        ASSERT_NE(erase, std::string::npos) << table;
        at = upload.Packet.find("Table=\"" + table + "\" Method=\"insert\"", erase);
        ASSERT_NE(at, std::string::npos) << table;
    }
    EXPECT_TRUE(site.Runner().Has("Succesfully uploaded."));
    EXPECT_EQ(host.Count("Countries"), static_cast<int>(TableRows(references, {"Countries"}).size()));

    // Damage the local tables, then take them back.
    for (const char* sql : {"DELETE FROM Countries", "DELETE FROM Units WHERE rowid IN (SELECT rowid FROM Units LIMIT 3)"}) {
        TQueryGuard query(references);
        query->SetSQL(sql);
        query->ExecSQL();
    }
    ASSERT_NE(TableRows(references, kReferenceTables), before);
    host.ClearRequests();
    ASSERT_TRUE(Transfer(site, TableParams("HostToLocal", "tolvex", kReferenceTables))) << site.Runner().Last();
    EXPECT_EQ(TableRows(references, kReferenceTables), before);
    EXPECT_TRUE(site.Runner().Has("Successfully downloaded."));
}

TEST(HostTables, ADownloadReachesOnlyTheRowsAndTablesAskedFor)
{
    THostStandIn host;
    THostSyncSite site(host);
    TAbstractDBConnection& references = site.Program().Root().References().GetReferencesDatabase().GetConnection();
    ASSERT_TRUE(Transfer(site, TableParams("LocalToHost", "tolvex", {"Units", "Countries"})));
    const std::vector<std::string> before = TableRows(references, kReferenceTables);

    // A reply that also empties a table that was not asked for changes nothing.
    TFailure reply;
    reply.Kind = TFailure::Reply;
    reply.Text = CompressedRecordset("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><StoredRecordset>"
                                     "<Action Table=\"Units\" Method=\"delete\"/>"
                                     "<Action Table=\"Countries\" Method=\"delete\"/></StoredRecordset>");
    host.Fail("xmldata", reply);
    site.Runner().answers = {caIgnore};
    EXPECT_FALSE(Transfer(site, TableParams("HostToLocal", "tolvex", {"Units"})));
    EXPECT_EQ(TableRows(references, kReferenceTables), before);
    EXPECT_EQ(site.Runner().questions.size(), 1u);

    // Partner categories: only the rows of the open catalog's code.
    host.Exec("CREATE TABLE ZUDICategories (CatalogCode, CategoryId, Name)");
    host.Exec("INSERT INTO ZUDICategories VALUES ('shop', 1, 'Ours'), ('other', 2, 'Theirs')");
    host.ClearRequests();
    std::vector<std::string> params = TableParams("HostToLocal", "zarivuro", {"ZUDICategories"});
    params.insert(params.end(), {"requestfieldname=CatalogCode", "requestfieldvalue=shop"});
    Transfer(site, params);
    const std::string packet = host.Requests().front().Packet;
    EXPECT_NE(packet.find("Method=\"requestdelete\"><CatalogCode>shop</CatalogCode>"), std::string::npos) << packet;
    EXPECT_NE(packet.find("Method=\"requestinsert\"><CatalogCode>shop</CatalogCode>"), std::string::npos);
}

TEST(HostTables, AMergeOfTablesIsNotAnOperation)
{
    THostStandIn host;
    THostSyncSite site(host);
    std::vector<std::string> params{"Connection=tolvex", "Table=Units", "UserName=a", "Password=b"};
    EXPECT_THROW(Transfer(site, params), EDeveloperTolvexException);
}

// ---- the host data cache ----------------------------------------------------------------------

struct TCacheRun {
    bool succeeded = false;
    std::vector<std::string> queued;
};

TCacheRun Cache(THostSyncSite& site, std::vector<std::string> params)
{
    TCacheRun run;
    TAbstractDBConnection& connection = site.Connection();
    TCacheDataFromHost cache(params, connection,
                             TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                   &site.Program().Root(), nullptr});
    cache.SetRequestTimeout(10);
    cache.QueueAction = [&run](const std::string& action) { run.queued.push_back(action); };
    cache.Run();
    EXPECT_TRUE(cache.AutoClose());
    run.succeeded = cache.Succeeded();
    return run;
}

TEST(HostCache, RowsOfTheRemoteCatalogAreStoredUnderItsOwnCode)
{
    THostStandIn host;
    THostSyncSite site(host);
    host.Exec("INSERT INTO CStrings VALUES ('remote', 2001, 3, 1, 1, 'XXX', 0, 1, 'Remote Ltd')");
    host.Exec("INSERT INTO CObjectInstances VALUES ('remote', 2001, 3, 0, 1)");
    const std::string ownName = site.Data().GetQueries().ReadStringMember(2001, 3, 1, "XXX", site.Connection());

    const TCacheRun run = Cache(site, {"catalogcode=remote", "itemid=2001", "classid=3"});
    EXPECT_TRUE(run.succeeded) << site.Runner().Last();
    EXPECT_EQ(run.queued, std::vector<std::string>{"Action=RefreshMainPageEditor&Modified=yes"});
    EXPECT_EQ(site.Data().GetQueries().ReadStringMemberOfCatalog(2001, 3, 1, "XXX", site.Connection(), "c#remote"),
              "Remote Ltd");
    EXPECT_EQ(site.Data().GetQueries().ReadStringMember(2001, 3, 1, "XXX", site.Connection()), ownName);
    const THostStandIn::TRequest request = host.Requests().back();
    EXPECT_EQ(request.Method, "GET");
    EXPECT_EQ(request.Field("zipped"), "yes");
}

TEST(HostCache, RowsOfAnyOtherCodeAndEmptyAnswersStoreNothing)
{
    THostStandIn host;
    THostSyncSite site(host);
    const int rows = site.Count("CStrings");
    // The host answers rows of this catalog's own code.
    TFailure foreign;
    foreign.Kind = TFailure::Reply;
    foreign.Text = CompressedRecordset("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><StoredRecordset>"
                                       "<Action Table=\"CStrings\" Method=\"delete\"><CatalogCode>shop</CatalogCode>"
                                       "<ItemId>2001</ItemId></Action></StoredRecordset>");
    host.Fail("tabledata", foreign);
    site.Runner().answers = {caIgnore};
    EXPECT_FALSE(Cache(site, {"catalogcode=remote", "itemid=2001", "classid=3"}).succeeded);
    EXPECT_EQ(site.Count("CStrings"), rows);

    TFailure empty;
    empty.Kind = TFailure::ShortBody;
    host.Fail("tabledata", empty);
    const TCacheRun emptyRun = Cache(site, {"catalogcode=remote", "itemid=2001", "classid=3"});
    EXPECT_FALSE(emptyRun.succeeded);
    EXPECT_TRUE(emptyRun.queued.empty());

    host.ClearRequests();
    EXPECT_FALSE(Cache(site, {"catalogcode=", "itemid=2001", "classid=3"}).succeeded);
    EXPECT_FALSE(Cache(site, {"catalogcode=shop", "itemid=2001", "classid=3"}).succeeded) << "not our own code";
    EXPECT_TRUE(host.Requests().empty());
    EXPECT_EQ(site.Count("CStrings"), rows);
}

}  // namespace
