#pragma once
// A stand-in for the hosting service on 127.0.0.1, for tests and benchmarks:
// a cpp-httplib server over an SQLite store of its own, speaking the
// synchronisation protocol (the multipart POST to the synchronisation path
// with its verbs, the table-data GET and the catalog-network GET). It can
// be told to fail per verb, and records every request.
//
// Where the protocol leaves the host's behaviour open, the stand-in fixes it
// as follows (this is the one place that says so):
//  - Accounts: a catalog with an account (SetAccount) refuses requests whose
//    "username"/"passwd" differ with "Error: Wrong user name or password";
//    without one any account is taken.
//  - Registration: a catalog is registered by RegisterCatalog or by the verb
//    "registercatalog"; "checkcatalog" answers Registered=yes|no and the
//    catalog's unique id. Other verbs work on unregistered catalogs too.
//  - Lock: "lockcatalog" takes the lock (now, the request's session and
//    computer) whoever holds it and "unlockcatalog" frees it whoever holds
//    it: the client decides with "checkcataloglock", which answers
//    LockDate=0 for a free catalog.
//  - Global ids: each catalog counts from 1; a request gets the next
//    "number" ids, starting above "maxclientitemid" when that is higher.
//  - Item list: "getprimarykeyanddatemodified" always answers a record set,
//    an empty one for a catalog without items, so that an empty answer is
//    never a list.
//  - Item sizes: BinarySize is the bytes of the item's CBinary rows,
//    TextCount the number of its CText rows.
//  - Packets: with "postponded" "no" a packet is applied at once, otherwise
//    kept for the session and applied, in order, at its "commitchanges";
//    a session that never commits leaves nothing. Packets that ask for data
//    are answered at once from what is committed. Catalog tables are
//    applied under the request's catalog code; any other table is a global
//    table, made on first upload with the columns the packet names, as text.
//  - Deletions: an item that a packet removes without inserting it again
//    gets a HostDeletedItems row dated now (unless the packet gives one);
//    an item inserted again loses its HostDeletedItems row.
//  - Replies without data are "OK"; "startpublish" is only recorded.
//  - Table data: the rows of the item's objects of that class in the value
//    tables and CObjectInstances, each table's rows of the item deleted first.
//  - Catalog network: the request is recorded and answered "OK".
#include "common/Variant.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnectionFactory;
class TIniSettings;

class THostStandIn {
public:
    static constexpr const char* kProcessScript = "/tolvex3/sync.jsp";
    static constexpr const char* kGetXmlDataScript = "/tolvex3/getXml.jsp";
    static constexpr const char* kCoCManagementScript = "/tolvex3/cocmgnt.jsp";

    // A way to fail a verb.
    struct TFailure {
        enum TKind {
            HttpStatus,   // the HTTP status Status, body "failed"
            ErrorReply,   // "Error: " + Text
            ShortBody,    // a body of 10 bytes or less
            DamagedZlib,  // a body that is no zlib stream
            Stall,        // no answer for StallMs (bounded), then the normal one
            Drop,         // the connection is closed in the middle of the answer
            Reply,        // the body Text instead of the normal answer
        };
        TKind Kind = ErrorReply;
        int Status = 500;
        std::string Text = "The request failed";
        int StallMs = 3000;
    };

    // A recorded request.
    struct TRequest {
        std::string Method;  // "POST" or "GET"
        std::string Path;
        std::string Action;  // the "action" field or parameter
        std::vector<std::pair<std::string, std::string>> Fields;  // form fields or query parameters
        std::string Packet;  // the "xmldata" part, decompressed
        std::size_t PacketBytes = 0;  // its size as sent
        std::string Field(const std::string& name) const;
    };

    struct TLock {
        std::int64_t Date = 0;
        std::string Session;
        std::string Computer;
    };

    THostStandIn();
    ~THostStandIn();
    THostStandIn(const THostStandIn&) = delete;
    THostStandIn& operator=(const THostStandIn&) = delete;

    // "http://127.0.0.1:<port>".
    std::string BaseUrl() const;
    // Points the program's setting 71 (and the paths 72, 73, 81) at the stand-in.
    void PointSettingsHere(TIniSettings& settings) const;

    // ---- catalogs ---------------------------------------------------------------------------
    void RegisterCatalog(const std::string& code, const std::string& uniqueId = "");
    void SetAccount(const std::string& code, const std::string& user, const std::string& password);
    void SetLock(const std::string& code, const TLock& lock);
    TLock Lock(const std::string& code);
    // The catalog's next global id.
    void SetNextGlobalId(const std::string& code, std::int64_t next);

    // ---- failures ---------------------------------------------------------------------------
    // The next Times requests of the verb ("tabledata" and "cocmanagement"
    // for the GETs) fail so; 0: every one until cleared.
    void Fail(const std::string& action, const TFailure& failure, int times = 1);
    void ClearFailures();

    // ---- what was asked ---------------------------------------------------------------------
    std::vector<TRequest> Requests();
    std::vector<std::string> Actions();
    void ClearRequests();
    // Called for every request before it is answered (on the server's thread).
    std::function<void(const TRequest&)> OnRequest;

    // ---- the store --------------------------------------------------------------------------
    int Count(const std::string& table, const std::string& condition = "");
    TVariant Scalar(const std::string& sql);
    void Exec(const std::string& sql);
    // Row values of a query as "a|b|c" lines, for comparing stores.
    std::vector<std::string> Rows(const std::string& sql);

private:
    struct TState;
    class TServer;
    struct TPacketAction;

    std::string Handle(const TRequest& request, int& status, bool& drop);
    std::string Answer(const TRequest& request);
    std::string AnswerRequests(const std::string& code, const std::vector<TPacketAction>& actions);
    void ApplyPacket(const std::string& code, const std::string& xml);
    bool HasTable(const std::string& table);
    static std::vector<TPacketAction> ReadActions(const std::string& xml);

    TTempFolder folder_;
    std::unique_ptr<TState> state_;
    std::unique_ptr<TServer> server_;
    std::mutex mutex_;
};

// Makes a record set document with zlib (the bytes a host sends).
std::string CompressedRecordset(const std::string& xml);
