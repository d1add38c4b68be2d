// The run of the synchronisation: options, registration, lock, global ids,
// the host's item list, the host commit, page generation and unlock. The
// exchange of items is in PublishOnTolvexExchange.cpp.
#include "publishing/PublishOnTolvex.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/ItemRenumbering.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "common/WellKnownIds.h"
#include "publishing/HttpClient.h"
#include "publishing/PublisherRunner.h"
#include "storage/GlobalDefinition.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/XmlToRecordset.h"

#include <charconv>
#include <ctime>
#include <limits>
#include <optional>
#include <sstream>

using catalog_sql::IntOf;
using catalog_sql::TextOf;
using std::to_string;

namespace {

// Global ids lie this far above the start id the host hands out.
constexpr std::int64_t kGlobalIdOffset = 100000000;
// The in-house word of setting 83 ([Key] Name).
const char* const kInHouseWord = "zoziva";
// The company's name: string member 1 of class 3 on the company item.
constexpr int kCompanyClassId = 3;

// The tables the synchronisation keeps besides the item tables.
const char* const kBookkeepingTables[] = {"SyncItems", "HostDeletedItems", "ItemSizes", "DeletedItems"};

std::optional<std::int64_t> ParseInteger(const std::string& text)
{
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end || text.empty())
        return std::nullopt;
    return value;
}

const char* const kPublishTexts[] = {
    "",
    "Do you want to cancel publish process?",
    "Start publishing",
    "Succesfully Transfered. Website will be viewable online in a few minutes.",
    "",
    "Published and $1 error(s) occur",
    "",
    "Errors occurred during the publish operation",
};
const char* const kRecoverTexts[] = {
    "",
    "Do you want to cancel recover process?",
    "Start recovering",
    "Successfully recovered.",
    "",
    "Recovered and $1 error(s) occur",
    "",
    "Errors occurred during the recover operation",
};

}  // namespace

// Unlocks the host catalog when the run leaves after locking it, whichever way.
class TPublishOnTolvex::TUnlockOnExit {
public:
    explicit TUnlockOnExit(TPublishOnTolvex& operation) : operation_(&operation) {}
    ~TUnlockOnExit()
    {
        if (!operation_)
            return;
        try {
            operation_->UnlockHostCatalog();
        } catch (...) {
            // The run is already leaving with its own failure; a lock left
            // behind ages out after half an hour.
        }
    }
    TUnlockOnExit(const TUnlockOnExit&) = delete;
    TUnlockOnExit& operator=(const TUnlockOnExit&) = delete;
    // Unlocks now.
    void Unlock()
    {
        TPublishOnTolvex* operation = std::exchange(operation_, nullptr);
        if (operation)
            operation->UnlockHostCatalog();
    }

private:
    TPublishOnTolvex* operation_;
};

const std::vector<std::string>& TPublishOnTolvex::ItemTables()
{
    static const std::vector<std::string> tables{"CStrings", "CText",        "CNumbers", "CDates",
                                                 "CBinary",  "CObjectInstances", "Items"};
    return tables;
}

TPublishOnTolvex::TPublishOnTolvex(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                   const TPublisherEnvironment& environment)
    : TTolvexPublisher(params, connection, environment),
      sessionId_(TCommonFunctions::GetTickCountString()),
      request_(THostRequest::MakeBoundary(sessionId_))
{
    CreateHttpClient();
    if (const TIniSettings* settings = Settings()) {
        serverUrl_ = settings->GetString(siPublishOnTolvexHost) + settings->GetString(siPublishOnTolvexProcessScript);
        computerId_ = settings->GetString(siComputerId);
    }
    // The final unlock is sent after a cancel too: only then may it not be aborted.
    httpClient_->KeepAlive = [this] {
        if (Runner())
            Runner()->ProcessMessages();
        return cancelled_ && !finalRequest_;
    };
    httpClient_->SetLimits(THttpClient::kDefaultMaxBytes, requestTimeout_);
    if (TCatalogData* open = OpenCatalog())
        catalogCode_ = open->GetCatalogCode();
    sendAsCatalogCode_ = catalogCode_;
    if (Root()) {
        userName_ = Root()->GetUserName();
        password_ = Root()->GetPassword();
    }
    OpenUrl = [](const std::string& url) { TCommonFunctions::ShellOpen(url); };
}

TPublishOnTolvex::~TPublishOnTolvex() = default;

void TPublishOnTolvex::SetRequestTimeout(long seconds)
{
    requestTimeout_ = seconds;
    httpClient_->SetLimits(THttpClient::kDefaultMaxBytes, requestTimeout_);
}

std::string TPublishOnTolvex::GetText(int kind) const
{
    if (kind == 4 || kind == 6)
        return TTolvexPublisher::GetText(kind);
    if (kind < 1 || kind > 7)
        return {};
    return IsHostToLocal() ? kRecoverTexts[kind] : kPublishTexts[kind];
}

void TPublishOnTolvex::Cancel()
{
    // The client sees the flag in its next progress call and aborts the request.
    TTolvexPublisher::Cancel();
}

// ---- options ----------------------------------------------------------------------------------

void TPublishOnTolvex::ReadOptions()
{
    const std::int64_t kilobytes = ParseInteger(Param("SendPacketSize")).value_or(0);
    packetSize_ = kilobytes * 1024;
    bulkSend_ = kilobytes > 0;
    options_ = 0;
    const std::string direction = Param("Synchronization");
    if (direction == "Merge")
        options_ |= soMerge;
    else if (direction == "LocalToHost")
        options_ |= soLocalToHost;
    else if (direction == "HostToLocal")
        options_ |= soHostToLocal;
    const std::string erase = Param("Delete");
    if (erase == "Local")
        options_ |= soDeleteLocal;
    else if (erase == "Host")
        options_ |= soDeleteHost;
    if (Param("ChangesHost") == "Immediately")
        options_ |= soChangesHostImmediately;
    if (Param("ChangesLocal") == "Immediately")
        options_ |= soChangesLocalImmediately;
    if (Param("DontGeneratePages") == "yes")
        options_ |= soDontGeneratePages;
    if (Param("ForceRegeneratePages") == "yes")
        options_ |= soForceRegeneratePages;
}

// ---- the run ---------------------------------------------------------------------------------

void TPublishOnTolvex::Execute()
{
    success_ = false;
    ReadOptions();
    if (!OpenCatalog()) {
        WriteLog(Tr("No catalog is open"), 3);
        return;
    }
    EnsureSyncTables();
    RunSteps();
}

void TPublishOnTolvex::RunSteps()
{
    if (!CheckRegistration() || cancelled_)
        return;
    if (!CheckLock() || cancelled_)
        return;
    std::optional<TUnlockOnExit> unlock;
    if (LocksHostCatalog()) {
        LockHostCatalog();
        unlock.emplace(*this);
    }
    if (cancelled_ || !RequestGlobalIds() || cancelled_)
        return;
    if (!RefreshSyncTables())
        return;
    CommitLocalIfImmediate();
    if (cancelled_)
        return;

    if (HasOption(soLocalToHost)) {
        if (HasOption(soDeleteHost))
            ClearHostCatalog();
        UploadChanges();
    } else if (HasOption(soHostToLocal)) {
        if (HasOption(soDeleteLocal)) {
            ClearLocalCatalog();
            CommitLocalIfImmediate();
        }
        DownloadChanges();
    } else {
        MergeChanges();
    }
    if (cancelled_)
        return;

    const bool committed = HasOption(soChangesHostImmediately) || CommitHostChanges();
    if (committed)
        ForgetSentDeletions();
    else
        ++errorCount_;
    StartPageGeneration();
    if (unlock)
        unlock->Unlock();
    MarkSynchronized();
    CommitLocal();
    success_ = !cancelled_;
}

void TPublishOnTolvex::EnsureSyncTables()
{
    TGlobalDefinition& definition = Root()->GlobalDefinition();
    for (const char* table : kBookkeepingTables) {
        try {
            TQueryGuard query(connection_);
            query->SetSQL(std::string("SELECT COUNT(*) AS N FROM ") + table + " WHERE 1 = 0");
            query->Open(true);
        } catch (const ETolvexException&) {
            // A catalog made before the table existed.
            TQueryGuard query(connection_);
            definition.CreateTables(*query, table);
        }
    }
}

void TPublishOnTolvex::CommitLocal()
{
    connection_.CommitTrans();
    connection_.BeginTrans();
}

void TPublishOnTolvex::CommitLocalIfImmediate()
{
    if (HasOption(soChangesLocalImmediately))
        CommitLocal();
}

// ---- requests ----------------------------------------------------------------------------------

void TPublishOnTolvex::BeginRequest()
{
    request_.Clear();
    AddField("catalogcode", sendAsCatalogCode_);
    AddField("username", userName_);
    AddField("passwd", password_);
    AddField("sessionid", sessionId_);
    AddField("computerid", computerId_);
    if (HasOption(soChangesHostImmediately))
        AddField("postponded", "no");
    AddField("zipped", "yes");
}

void TPublishOnTolvex::AddField(const std::string& name, const std::string& value)
{
    request_.AddField(name, value);
}

void TPublishOnTolvex::WriteDataPart(const std::string& name, std::string bytes)
{
    request_.SetDataPart(name, std::move(bytes));
}

bool TPublishOnTolvex::Send()
{
    TWaitCursor wait(Gui());
    responseStream_->str(std::string());
    responseStream_->clear();
    lastAnswer_ = 0;
    THttpResponse response;
    try {
        response = httpClient_->Post(serverUrl_, request_.ContentType(), request_.Body(), *responseStream_);
    } catch (const ETolvexException& error) {
        if (!cancelled_)
            WriteLog(Format("Error: $1", {error.what()}), 3);
        throw;
    }
    reply_ = THostReply(responseStream_->str());
    responseStream_->clear();
    responseStream_->seekg(0);
    if (response.StatusCode < 200 || response.StatusCode > 299)
        return false;
    switch (reply_.Kind()) {
    case THostReply::TKind::Warning:
    case THostReply::TKind::Message:
        WriteLog(reply_.Text());
        return true;
    case THostReply::TKind::Error:
        WriteLog(reply_.Text(), 3);
        return false;
    case THostReply::TKind::Plain:
        break;
    }
    return true;
}

TPublishOnTolvex::TStepEnd TPublishOnTolvex::RunStep(const std::function<bool()>& step, const std::string& failureText)
{
    lastAnswer_ = 0;
    const bool done = RunRetryableStep(step, failureText);
    if (!done || cancelled_)
        return TStepEnd::Stopped;
    return lastAnswer_ == caIgnore ? TStepEnd::Ignored : TStepEnd::Done;
}

bool TPublishOnTolvex::SendAction(const std::string& action, bool& accepted,
                                  const std::vector<std::pair<std::string, std::string>>& fields, bool readFields)
{
    accepted = false;
    const TStepEnd end = RunStep(
        [&] {
            BeginRequest();
            AddField("action", action);
            for (const auto& [name, value] : fields)
                AddField(name, value);
            accepted = Send();
            if (accepted && readFields && !reply_.ReadFields()) {
                accepted = false;
                return false;
            }
            return true;
        },
        Tr("The host's answer could not be read"));
    return end == TStepEnd::Done;
}

// ---- packets -----------------------------------------------------------------------------------

std::unique_ptr<TRecordsetToXml> TPublishOnTolvex::NewPacket(TAbstractDBConnection& connection)
{
    return std::make_unique<TRecordsetToXml>(connection, RecordsetContext());
}

bool TPublishOnTolvex::ApplyReply(TAbstractDBConnection& connection, std::uint8_t mode,
                                  const std::vector<std::string>& tables)
{
    if (!reply_.CarriesData())
        return false;
    std::istringstream stream(reply_.Body());
    TXmlToRecordset reader(connection, RecordsetContext());
    reader.SetAllowedTables(tables);
    reader.ApplyStream(stream, true, mode);
    return true;
}

// ---- registration -------------------------------------------------------------------------------

bool TPublishOnTolvex::IsInHouse() const
{
    const TIniSettings* settings = Settings();
    return settings && settings->ReadValue("Key", "Name", "") == kInHouseWord;
}

std::string TPublishOnTolvex::SiteName() const
{
    const TIniSettings* settings = Settings();
    std::string host = settings ? settings->GetString(siPublishOnTolvexHost) : std::string();
    const std::size_t scheme = host.find("://");
    if (scheme != std::string::npos)
        host = host.substr(scheme + 3);
    const std::size_t path = host.find('/');
    return path == std::string::npos ? host : host.substr(0, path);
}

int TPublishOnTolvex::ReadRegistration()
{
    bool accepted = false;
    if (!SendAction("checkcatalog", accepted, {}, true) || !accepted)
        return 0;
    if (reply_.Field("Tolvex2") == "yes")
        return IsHostToLocal() ? 6 : 1;
    if (reply_.Field("Registered") != "yes")
        return 0;
    const std::string hostId = reply_.Field("CatalogUniqId");
    const std::string ownId =
        OpenCatalog()->GetQueries().ReadStringMember(kCatalogInfoItemId, kCatalogInfoClassId, 2, "XXX", connection_);
    if (!hostId.empty() && !ownId.empty() && hostId != ownId)
        return 2;
    if (reply_.Field("NotAppored") == "yes" || reply_.Field("NotApproved") == "yes")
        return 3;
    return 1;
}

void TPublishOnTolvex::OpenRegistrationPage()
{
    const TIniSettings* settings = Settings();
    if (!settings)
        return;
    const std::string vendor =
        OpenCatalog()->GetQueries().ReadStringMember(kCompanyItemId, kCompanyClassId, 1, "XXX", connection_);
    OpenUrl(settings->GetString(siURLRegistration) + "?inputCatalogCode=" + TParamList::UrlEncode(catalogCode_, true) +
            "&inputVendorName=" + TParamList::UrlEncode(vendor, true) +
            "&lstCatalogType=" + to_string(OpenCatalog()->GetCatalogType()));
}

bool TPublishOnTolvex::RefuseRegistration()
{
    WriteLog(Format("Catalog \"$1\" doesn`t exist on $2.", {catalogCode_, SiteName()}), 3);
    const bool sends = HasOption(soMerge) || HasOption(soLocalToHost) ||
                       !(options_ & (soMerge | soLocalToHost | soHostToLocal));
    if (IsInHouse() && sends) {
        if (Gui().AskQuestion(Format("Catalog \"$1\" doesn`t exist on $2. Do you want to register it?",
                                     {catalogCode_, SiteName()}),
                              "", false) == mrYes) {
            BeginRequest();
            AddField("action", "registercatalog");
            if (Send() && reply_.ReadFields() && reply_.Field("Registered") == "yes") {
                WriteLog(Tr("Catalog registered"));
                return true;
            }
        }
        WriteLog(Tr("Catalog doesn`t registered"), 3);
        return false;
    }
    if (sends && Gui().AskQuestion(Tr("All catalogs must be registered online before publishing, would you like to "
                                      "register now?"),
                                   "", false) == mrYes) {
        OpenRegistrationPage();
        WriteLog(Tr("Please register your catalog on ") + SiteName() +
                 Tr(" and then try again to publish your catalog."));
        success_ = true;
        logSuccessText_ = false;
    }
    return false;
}

bool TPublishOnTolvex::CheckRegistration()
{
    const int result = ReadRegistration();
    switch (result) {
    case 0:
        if (cancelled_)
            return true;
        return RefuseRegistration();
    case 2:
        if (Param("DatabaseFromHost") == "yes")
            return true;
        WriteLog(Format("Catalog \"$1\" already exists, but registered to another owner", {catalogCode_}), 3);
        return false;
    case 3:
        if (IsInHouse())
            return true;
        WriteLog(Format("Catalog \"$1\" was not approved for publishing. Please modify catalog settings from web "
                        "services vendor control panel and then try again.",
                        {catalogCode_}),
                 3);
        return false;
    case 6:
        for (const char* line :
             {"You are attempting to download a Tolvex 2.5 catalog from the host using the Tolvex 3.0 software.",
              "This is not a supported function. Instead, you must open your Tolvex 2.5 catalog from the Tolvex 3.0 "
              "software.",
              "If you don't have available a copy of your Tolvex 2.5 catalog already on your computer,",
              "you MUST first download it from the Tolvex 2.5 software.  To do this, run Tolvex 2.5 and follow",
              "the instructions in the Help file"})
            WriteLog(Tr(line), 3);
        return false;
    default:
        return true;
    }
}

// ---- the lock -----------------------------------------------------------------------------------

bool TPublishOnTolvex::LockIsFresh(const std::string& lockDate) const
{
    const std::optional<std::int64_t> seconds = ParseInteger(lockDate);
    if (!seconds || *seconds == 0)
        return false;
    // A lock dated in the future (a host clock ahead of ours) is fresh for
    // the same half hour, not for ever.
    const std::int64_t age = static_cast<std::int64_t>(std::time(nullptr)) - *seconds;
    return age < kFreshLockSeconds && age > -kFreshLockSeconds;
}

bool TPublishOnTolvex::CheckLock()
{
    if (cancelled_)
        return true;
    bool accepted = false;
    if (!SendAction("checkcataloglock", accepted, {}, true))
        return false;
    if (!accepted)
        return false;
    if (!LockIsFresh(reply_.Field("LockDate")) || reply_.Field("SessionId") == sessionId_)
        return true;
    if (reply_.Field("ComputerId") != computerId_) {
        Gui().ShowError(Tr("Cannot publish the catalog to host. Host database locked. Try again later."), false);
        return false;
    }
    return Gui().AskQuestion(Tr("This catalog is currently locked by another user. Do you want to override the lock "
                                "and continue working?"),
                             "", false) == mrYes;
}

void TPublishOnTolvex::LockHostCatalog()
{
    if (cancelled_)
        return;
    WriteLog(Tr("Lock host catalog"));
    bool accepted = false;
    SendAction("lockcatalog", accepted);
}

void TPublishOnTolvex::UnlockHostCatalog()
{
    // Sent once, also after a cancel or a failure: a lock left behind would
    // refuse the next run on another computer for half an hour.
    WriteLog(Tr("Unlock host catalog"));
    finalRequest_ = true;
    try {
        BeginRequest();
        AddField("action", "unlockcatalog");
        Send();
    } catch (const ETolvexException&) {
        // Logged by Send.
    }
    finalRequest_ = false;
}

// ---- global ids ----------------------------------------------------------------------------------

bool TPublishOnTolvex::RequestGlobalIds()
{
    reopenCatalog_ = true;
    if (cancelled_)
        return true;
    const std::string localRange = " AND ItemId > " + to_string(kLocalIdOffset) + " AND ItemId < " +
                                   to_string(kLocalItemIdLimit);
    const int count = IntOf(catalog_sql::FirstField(
        connection_, "SELECT COUNT(*) AS N FROM Items WHERE CatalogCode = :CatalogCode" + localRange, catalogCode_,
        "N"));
    if (count == 0)
        return true;
    const std::int64_t highest = IntOf(catalog_sql::FirstField(
        connection_, "SELECT MAX(ItemId) AS M FROM Items WHERE CatalogCode = :CatalogCode", catalogCode_, "M"));
    const std::int64_t maxClientId = highest > kGlobalIdOffset ? highest - kGlobalIdOffset : 0;

    bool accepted = false;
    if (!SendAction("requestglobalids", accepted,
                    {{"number", to_string(count)}, {"maxclientitemid", to_string(maxClientId)}}, true) ||
        !accepted) {
        if (cancelled_)
            return false;
        // Items with local ids must not reach the host: they would clash
        // with the local ids of other computers.
        WriteLog(Tr("The host gave no global ids for the new items"), 3);
        ++errorCount_;
        return false;
    }
    const std::int64_t start = ParseInteger(reply_.Field("StartId")).value_or(0);
    const std::int64_t end = ParseInteger(reply_.Field("EndId")).value_or(0);
    if (start == 0 && end == 0)
        return true;
    const std::int64_t first = start + kGlobalIdOffset;
    const std::int64_t last = first + count - 1;
    const bool tooShort = start <= 0 || end < start || end - start + 1 < count;
    const bool tooLarge = last > std::numeric_limits<int>::max();
    const bool overlaps =
        !tooShort && !tooLarge &&
        catalog_sql::HasRow(connection_,
                            "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId >= " +
                                to_string(first) + " AND ItemId <= " + to_string(last),
                            catalogCode_);
    if (tooShort || tooLarge || overlaps) {
        WriteLog(Format("The host's global ids $1 to $2 cannot number $3 new items", {to_string(start), to_string(end),
                                                                                      to_string(count)}),
                 3);
        ++errorCount_;
        return false;
    }
    TItemRenumbering renumbering(*OpenCatalog());
    renumbering.RenumberNewItems(
        static_cast<int>(start), connection_,
        [this](int itemId, int kind) {
            if (kind == TItemRenumbering::pkTextRewritten)
                WriteLog(Format("Update text data of item $1", {to_string(itemId)}));
            else
                WriteLog(Format("Changing local UID $1 to global", {to_string(itemId)}));
        },
        cancelled_);
    CommitLocal();
    return true;
}

// ---- the host's lists ----------------------------------------------------------------------------

bool TPublishOnTolvex::RefreshSyncTables()
{
    syncListApplied_ = false;
    for (const std::string& line : Root()->GlobalDefinition().GetTables()) {
        const std::string table = TParamList::NameOf(line);
        if (table.rfind("sync", 0) != 0)
            continue;
        catalog_sql::Exec(connection_, "DELETE FROM " + table + " WHERE CatalogCode = :CatalogCode", catalogCode_);
        if (cancelled_)
            return false;
        bool applied = false;
        const TStepEnd end = RunStep(
            [&] {
                BeginRequest();
                AddField("action", "getprimarykeyanddatemodified");
                AddField("table", table.substr(4));
                applied = Send() && ApplyReply(connection_, kRecordsetReadCatalog, {table});
                return true;
            },
            Tr("The host's list of items could not be read"));
        if (end == TStepEnd::Stopped)
            return false;
        if (table == "syncitems")
            syncListApplied_ = end == TStepEnd::Done && applied;
    }
    if (!syncListApplied_) {
        // Without the host's list every local item would look deleted on
        // the host, or every host item new: nothing is compared.
        WriteLog(Tr("The host's list of items was not received: nothing was exchanged"), 3);
        ++errorCount_;
        return false;
    }

    if (bulkSend_ && !HasOption(soLocalToHost)) {
        itemSizes_.clear();
        catalog_sql::Exec(connection_, "DELETE FROM ItemSizes WHERE CatalogCode = :CatalogCode", catalogCode_);
        const TStepEnd end = RunStep(
            [&] {
                BeginRequest();
                AddField("action", "getitemsizes");
                if (Send() && ApplyReply(connection_, kRecordsetReadCatalog, {"ItemSizes"}))
                    CommitLocalIfImmediate();
                return true;
            },
            Tr("The host's item sizes could not be read"));
        if (end != TStepEnd::Stopped) {
            TQueryGuard query(connection_);
            query->SetSQL("SELECT * FROM ItemSizes WHERE CatalogCode = :CatalogCode AND (BinarySize > 0 OR "
                          "TextCount > 0)");
            query->SetParam("CatalogCode", catalogCode_);
            for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
                itemSizes_[IntOf(rows.Field("ItemId"))] =
                    IntOf(rows.Field("BinarySize")) + std::int64_t{500} * IntOf(rows.Field("TextCount"));
        }
    }
    return !cancelled_;
}

// ---- the end of the run --------------------------------------------------------------------------

bool TPublishOnTolvex::CommitHostChanges()
{
    WriteLog(Tr("Commiting changes to host database ..."));
    BeginRequest();
    AddField("action", "commitchanges");
    if (!Send()) {
        WriteLog(Tr("The host did not commit the changes"), 3);
        return false;
    }
    WriteLog(Tr("Changes commited"));
    return true;
}

void TPublishOnTolvex::StartPageGeneration()
{
    if ((!dataSent_ || HasOption(soDontGeneratePages)) && !HasOption(soForceRegeneratePages))
        return;
    WriteLog(Tr("Start page generation process"));
    BeginRequest();
    AddField("action", "startpublish");
    Send();
}

void TPublishOnTolvex::MarkSynchronized()
{
    // Items whose packet did not reach the host keep their mark.
    if (itemsLeftUnsent_)
        return;
    catalog_sql::Exec(connection_, "UPDATE Items SET IsSynchronized = 1 WHERE CatalogCode = :CatalogCode",
                      catalogCode_);
}
