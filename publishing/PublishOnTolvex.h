#pragma once
// The synchronisation of the open catalog with the hosting service, as one
// long operation: check that the catalog is registered and not locked by
// another session, lock it, replace the ids of items made locally by global
// ids from the host, refresh the local copy of the host's item list, then
// copy local changes to the host, host changes to the local catalog, or
// merge both ways; commit on the host, ask it to generate the pages, unlock
// and commit locally.
//
// Every request is a multipart POST (THostRequest) to setting 71 + setting
// 72 with the common fields first; replies are read by THostReply. Items
// travel whole, all their rows of the seven item tables, in record-set
// packets compressed with zlib; which items differ is decided by their
// DateModified against the host's (the local table SyncItems) with a
// tolerance of 5 seconds.
//
// Beyond the bare protocol the run keeps these promises, each because the
// plain protocol would lose data or report a failure as success:
//  - once the host catalog is locked, every way out of the run unlocks it;
//  - a range of global ids that is too short, or that would land on ids the
//    catalog already has, is refused: nothing is renumbered and the run fails;
//  - a lock dated more than 30 minutes in the future is stale, not fresh;
//  - the host's item list must have been applied in this run before anything
//    is deleted or compared: a refused, ignored or empty answer fails the run;
//  - the local deletions are forgotten only after the host committed them;
//  - an item the host deleted but the user changed afterwards is kept and logged;
//  - items are marked synchronised only once their packet was accepted;
//  - an upload packet the host refuses counts as an error of the run.
//
//   TPublishOnTolvex sync(params, connection, {gui, translation, &runner, root});
//   sync.Run();
#include "publishing/HostReply.h"
#include "publishing/HostRequest.h"
#include "publishing/TolvexPublisher.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TRecordsetToXml;
struct TRecordsetXmlContext;

class TPublishOnTolvex : public TTolvexPublisher {
public:
    // The synchronisation options (parameters -> bits).
    enum TOption : unsigned {
        soMerge = 0x001,
        soLocalToHost = 0x002,
        soHostToLocal = 0x004,
        soDeleteHost = 0x008,
        soDeleteLocal = 0x010,
        soChangesHostImmediately = 0x020,
        soChangesLocalImmediately = 0x040,
        soDontGeneratePages = 0x080,
        soForceRegeneratePages = 0x100,
    };
    // A lock younger than this (in either direction) belongs to a run that may still be going on.
    static constexpr std::int64_t kFreshLockSeconds = 30 * 60;
    // Dates closer than this are the same date.
    static constexpr double kToleranceSeconds = 5;
    // A merge download packet holds this many items.
    static constexpr int kMergeDownloadItems = 5;
    // Estimated bytes of an item beyond its size on the host.
    static constexpr std::int64_t kItemOverhead = 200;
    // The item tables, in the order an item travels.
    static const std::vector<std::string>& ItemTables();

    TPublishOnTolvex(std::vector<std::string>& params, TAbstractDBConnection& connection,
                     const TPublisherEnvironment& environment);
    ~TPublishOnTolvex() override;

    void Execute() override;
    // Aborts the request in progress and stops the run at its next check.
    void Cancel() override;
    std::string GetText(int kind) const override;

    // ---- what tests read --------------------------------------------------------------
    unsigned GetOptions() const { return options_; }
    std::int64_t GetPacketSize() const { return packetSize_; }
    bool IsBulkSend() const { return bulkSend_; }
    bool IsDataSent() const { return dataSent_; }
    const std::string& GetBoundary() const { return request_.Boundary(); }
    const std::string& GetSessionId() const { return sessionId_; }
    // The time limit of one request in seconds (120 unless changed).
    void SetRequestTimeout(long seconds);
    // The hosting-service account to send instead of the open catalog's login.
    void SetAccount(const std::string& userName, const std::string& password)
    {
        userName_ = userName;
        password_ = password;
    }
    // Opens the registration page (the web browser unless replaced).
    std::function<void(const std::string& url)> OpenUrl;

protected:
    // ---- the steps of the run (table transfers replace some) ---------------------------
    virtual void ReadOptions();
    virtual bool CheckRegistration();
    virtual bool CheckLock();
    virtual void LockHostCatalog();
    virtual void UnlockHostCatalog();
    virtual void StartPageGeneration();
    // False when the run must stop: the host's range of ids was refused.
    virtual bool RequestGlobalIds();
    virtual void MarkSynchronized();
    virtual void UploadChanges();
    virtual void DownloadChanges();
    virtual void MergeChanges();
    // False when the run must stop: the host's item list was not applied.
    virtual bool RefreshSyncTables();
    virtual void ClearHostCatalog();
    virtual void ClearLocalCatalog();
    // True when the host confirmed the commit.
    virtual bool CommitHostChanges();
    // Whether the run takes the host's lock (table transfers do not).
    virtual bool LocksHostCatalog() const { return true; }

    // ---- requests ---------------------------------------------------------------------
    // Empties the request and adds the common fields.
    void BeginRequest();
    void AddField(const std::string& name, const std::string& value);
    void WriteDataPart(const std::string& name, std::string bytes);
    // Sends the request; true when the host accepted it (status 200..299 and
    // no "Error:"). A failed exchange is logged as "Error: $1" (unless
    // cancelled) and raised again for the caller's retry loop.
    bool Send();
    // The last reply.
    const THostReply& Reply() const { return reply_; }
    // How a retryable step ended.
    enum class TStepEnd { Done, Ignored, Stopped };
    TStepEnd RunStep(const std::function<bool()>& step, const std::string& failureText);
    // Sends a request made of the common fields, "action" and Fields in a
    // retryable step; Accepted tells whether the host accepted it (and, with
    // ReadFields, whether its fields could be read: a reply that cannot be
    // read is a failed step). False when the run was cancelled or the step
    // ignored.
    bool SendAction(const std::string& action, bool& accepted,
                    const std::vector<std::pair<std::string, std::string>>& fields = {}, bool readFields = false);

    // ---- packets ----------------------------------------------------------------------
    // A record-set writer on Connection (the program's conversions, no debug copies).
    std::unique_ptr<TRecordsetToXml> NewPacket(TAbstractDBConnection& connection);
    // Sends the packet once as "xmldata"; true when the host accepted it.
    bool SendPacketOnce(TRecordsetToXml& packet);
    // Sends a packet that asks for data and applies the host's record set to
    // Connection in the mode given, allowed to reach only Tables (none: the
    // item tables). A refused or empty answer counts as an error of the run.
    TStepEnd SendDownloadPacket(TRecordsetToXml& packet, TAbstractDBConnection& connection, std::uint8_t mode,
                            const std::vector<std::string>& tables = {});
    // Applies the last reply's record set; false when it carries none.
    bool ApplyReply(TAbstractDBConnection& connection, std::uint8_t mode, const std::vector<std::string>& tables);
    void CommitLocalIfImmediate();
    void CommitLocal();

    bool HasOption(unsigned option) const { return (options_ & option) != 0; }
    bool IsHostToLocal() const { return HasOption(soHostToLocal) && !HasOption(soLocalToHost); }
    const std::string& CatalogCode() const { return catalogCode_; }

    unsigned options_ = 0;
    std::int64_t packetSize_ = 0;
    bool bulkSend_ = false;
    bool dataSent_ = false;
    std::string catalogCode_;
    std::string sendAsCatalogCode_;
    std::string userName_;
    std::string password_;

private:
    struct TPacket;
    class TUnlockOnExit;

    // ---- the run ---------------------------------------------------------------------------
    void RunSteps();
    void EnsureSyncTables();
    bool IsInHouse() const;
    std::string SiteName() const;
    int ReadRegistration();
    bool RefuseRegistration();
    void OpenRegistrationPage();
    bool LockIsFresh(const std::string& lockDate) const;
    std::string ItemName(int itemId);
    std::string ItemTypeDescription(int itemType);

    // ---- the exchange (PublishOnTolvexExchange.cpp) ----------------------------------------
    void AddItemRecords(int itemId, int itemType, TPacket& packet);
    void AddDeleteItem(int itemId, TRecordsetToXml& packet);
    void RequestItem(int itemId, TPacket& packet);
    bool SendUploadPacket(TPacket& packet);
    void SendDeletions();
    bool GetTable(const std::string& table);
    void UploadItems(bool everyItem, bool mergeRule);
    void DeleteLocalItem(int itemId);
    void DeleteItemsTheHostDeleted();
    void ForgetSentDeletions();
    void DeleteHostItemsWithoutLocalItem();
    // Sends the last download packet; an ignored one counts as an error.
    void SendLastDownloadPacket(TPacket& packet);
    std::vector<int> ItemsToFetch(bool everyItem, bool mergeRule);

    std::string sessionId_;
    std::string computerId_;
    THostRequest request_;
    THostReply reply_;
    std::map<int, std::int64_t> itemSizes_;
    // The host's item list was applied in this run.
    bool syncListApplied_ = false;
    // Local deletions the host accepted, forgotten once it committed them.
    std::vector<int> sentDeletions_;
    // An item whose packet did not reach the host: not every item is synchronised.
    bool itemsLeftUnsent_ = false;
    // The final unlock runs even after a cancel: no abort while it is sent.
    bool finalRequest_ = false;
    long requestTimeout_ = 120;
};
