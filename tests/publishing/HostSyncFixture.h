#pragma once
// A program with a catalog of the shipped type 1 ("shop", administrator
// admin/secret) whose hosting-service settings point at a stand-in host, and
// the synchronisation run over it with a scripted runner. The catalog file
// can be copied to another folder and either copy opened, so that two
// catalog files of one code synchronise through the same host.
//
//   THostStandIn host;
//   THostSyncSite site(host);
//   int page = site.AddPage("Alpha");
//   EXPECT_TRUE(site.Sync(THostSyncSite::MergeParams()));
#include "catalog/CatalogDataFixture.h"
#include "ScriptedRunner.h"

#include "publishing/PublishOnTolvex.h"
#include "support/HostStandIn.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class THostSyncSite {
public:
    static constexpr const char* kCode = "shop";
    static constexpr int kPageType = 3001;  // an information page

    // Registers the catalog with the host. ComputerId: setting 0 of this program.
    explicit THostSyncSite(THostStandIn& host, const std::string& computerId = "computer-a");

    TRootFixture& Program() { return root_; }
    TScriptedRunner& Runner() { return runner_; }
    TCatalogData& Data() { return *root_.Data(); }
    // The open catalog's main connection.
    TAbstractDBConnection& Connection();

    // ---- the catalog file ------------------------------------------------------------------
    // Opens the catalog file of Dir (empty: the program's database folder).
    void Open(const std::string& dir = "");
    void Close();
    // Closes the catalog and copies its file into Dir; the path of the copy.
    std::string CopyTo(const std::string& dir);

    // ---- the synchronisation ------------------------------------------------------------------
    // Merge both ways, packets of 100 KB, both sides applying at once.
    static std::vector<std::string> MergeParams();
    // The operation on a second connection of the open catalog (Connection
    // receives it; the run's transaction is discarded with it).
    std::unique_ptr<TPublishOnTolvex> Make(std::vector<std::string>& params,
                                           std::unique_ptr<TAbstractDBConnection>& connection);
    // Runs one synchronisation; whether it succeeded. Prepare sees the operation before the run.
    bool Sync(std::vector<std::string> params, const std::function<void(TPublishOnTolvex&)>& prepare = {});

    // ---- the catalog's items ---------------------------------------------------------------------
    // A new page under the home page, with its English name.
    int AddPage(const std::string& name);
    void SetName(int itemId, const std::string& name);
    std::string Name(int itemId);
    // Moves the item's DateModified this many seconds away from now.
    void SetDate(int itemId, double secondsFromNow);
    bool Exists(int itemId);
    // Deletes as the user does (tombstones written), the tombstone dated
    // this many seconds away from now.
    void Delete(int itemId, double secondsFromNow = 0);
    // A picture of Bytes bytes on the item (class 5, member 6).
    void AddPicture(int itemId, std::size_t bytes);
    int Count(const std::string& table, const std::string& condition = "");
    // Every row of the item tables of the catalog, as sorted text lines (without IsSynchronized; dates
    // stand as "<date>": they cross the host in whole seconds).
    std::vector<std::string> ItemRows();

private:
    THostStandIn& host_;
    TRootFixture root_;
    TScriptedRunner runner_;
    std::string dir_;
};
