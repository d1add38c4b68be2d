#pragma once
// Whole reference tables copied to and from the hosting service with the
// synchronisation protocol: the run of TPublishOnTolvex with the lock, the
// global ids, the host's lists, the page generation and the synchronised
// marks switched off. An upload sends one packet that, for each table in
// order, deletes every row on the host and inserts every local row; a
// download asks for each table's rows (all, or those whose key field holds
// the value given) and applies the answer to the database, which may reach
// only the tables asked for.
//
// Parameters: "Connection" ("global", "zarivuro", "unspsc", "harmonized",
// "ebay", "tolvex"; anything else the open catalog's database), one "Table"
// line per table, "Synchronization" ("LocalToHost" or "HostToLocal"),
// "UserName" and "Password", and optionally "SendAsCatalogCode",
// "requestfieldname" and "requestfieldvalue".
#include "publishing/PublishOnTolvex.h"

class TPublishTables : public TPublishOnTolvex {
public:
    using TPublishOnTolvex::TPublishOnTolvex;

    std::string GetText(int kind) const override;

protected:
    void ReadOptions() override;
    bool CheckRegistration() override { return true; }
    bool CheckLock() override { return true; }
    bool LocksHostCatalog() const override { return false; }
    void LockHostCatalog() override {}
    void UnlockHostCatalog() override {}
    void StartPageGeneration() override {}
    bool RequestGlobalIds() override { return true; }
    void MarkSynchronized() override {}
    bool RefreshSyncTables() override { return true; }
    void ClearHostCatalog() override {}
    void ClearLocalCatalog() override {}
    bool CommitHostChanges() override { return true; }
    void UploadChanges() override;
    void DownloadChanges() override;
    // Raises EDeveloperTolvexException: a table transfer has a direction.
    void MergeChanges() override;

private:
    // The database of "Connection", with a transaction begun.
    std::unique_ptr<TAbstractDBConnection> OpenDatabase();
    std::vector<std::string> Tables() const;
};
