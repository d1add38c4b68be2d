#include "support/HostStandIn.h"

#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/RecordsetXmlDocument.h"
#include "storage/RecordsetXmlInput.h"
#include "storage/RecordsetXmlOutput.h"
#include "storage/SQLiteModule.h"
#include "storage/SqlIdentifier.h"
#include "storage/XmlToRecordset.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <set>
#include <sstream>
#include <thread>

using common_detail::LowerCase;
using common_detail::SameText;

namespace {

const char* const kHostSchema[] = {
    "CREATE TABLE HostCatalogs (CatalogCode TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, Registered INTEGER, "
    "UniqId TEXT, UserName TEXT, Password TEXT, LockDate INTEGER, SessionId TEXT, ComputerId TEXT, NextId INTEGER)",
};

std::string ValueText(const TVariant& value)
{
    return value.IsNull() ? std::string() : TCommonFunctions::VariantToString(value);
}

bool IsCatalogTable(const std::string& table)
{
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions())
        if (definition.DataType == "table" && SameText(definition.TableName, table))
            return true;
    return false;
}

std::string PrimaryKeyOf(const std::string& table)
{
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions())
        if (SameText(definition.TableName, table))
            return definition.PrimaryKeyInfo;
    return {};
}

}  // namespace

std::string CompressedRecordset(const std::string& xml)
{
    std::ostringstream out;
    TRecordsetXmlOutput output(out, true);
    output.Write(xml.data(), xml.size());
    output.Finish();
    return out.str();
}

std::string THostStandIn::TRequest::Field(const std::string& name) const
{
    for (const auto& [fieldName, value] : Fields)
        if (fieldName == name)
            return value;
    return {};
}

// ---- state ----------------------------------------------------------------------------------------

struct THostStandIn::TState {
    TCommonFunctions functions;
    std::unique_ptr<TAbstractDBConnectionFactory> store;
    std::vector<TRequest> requests;
    std::map<std::string, std::pair<TFailure, int>> failures;  // by action: failure, times left (0: always)
    // Postponed packets by catalog code and session.
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> pending;
    std::atomic<bool> stopping{false};

    TAbstractDBConnection& Db() { return store->GetConnection(); }

    TRecordsetXmlContext Context(const std::string& code)
    {
        TRecordsetXmlContext context;
        context.functions = &functions;
        context.catalogCode = code;
        context.primaryKeyInfo = [](const std::string& table) { return PrimaryKeyOf(table); };
        return context;
    }

    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params = {})
    {
        TQueryGuard query(Db());
        query->SetSQL(sql);
        for (const auto& [name, value] : params)
            query->SetParam(name, value);
        query->ExecSQL();
    }

    std::vector<std::vector<TVariant>> Select(const std::string& sql,
                                              const std::vector<std::pair<std::string, TVariant>>& params = {})
    {
        std::vector<std::vector<TVariant>> rows;
        TQueryGuard query(Db());
        query->SetSQL(sql);
        for (const auto& [name, value] : params)
            query->SetParam(name, value);
        for (TAbstractRecordset& found = query->Open(true); !found.Eof(); found.Next()) {
            std::vector<TVariant> row;
            for (int i = 0; i < found.FieldCount(); ++i)
                row.push_back(found.Field(i));
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void EnsureCatalog(const std::string& code)
    {
        Exec("INSERT OR IGNORE INTO HostCatalogs (CatalogCode, Registered, NextId, LockDate) VALUES (:Code, 0, 1, 0)",
             {{"Code", code}});
    }

    std::string CatalogField(const std::string& code, const std::string& field)
    {
        EnsureCatalog(code);
        const auto rows = Select("SELECT " + field + " FROM HostCatalogs WHERE CatalogCode = :Code", {{"Code", code}});
        return rows.empty() ? std::string() : ValueText(rows.front().front());
    }

    void SetCatalogField(const std::string& code, const std::string& field, const TVariant& value)
    {
        EnsureCatalog(code);
        Exec("UPDATE HostCatalogs SET " + field + " = :Value WHERE CatalogCode = :Code",
             {{"Value", value}, {"Code", code}});
    }
};

// ---- the server -------------------------------------------------------------------------------------

class THostStandIn::TServer {
public:
    explicit TServer(THostStandIn& host) : host_(host)
    {
        server_.Post(kProcessScript, [this](const httplib::Request& request, httplib::Response& response) {
            TRequest recorded;
            recorded.Method = "POST";
            recorded.Path = request.path;
            for (const auto& [name, part] : request.files) {
                if (name == "xmldata") {
                    recorded.PacketBytes = part.content.size();
                    try {
                        std::istringstream in(part.content);
                        recorded.Packet = ReadRecordsetXmlInput(in, true, std::size_t{1} << 30);
                    } catch (const ETolvexException&) {
                        recorded.Packet.clear();
                    }
                } else {
                    recorded.Fields.emplace_back(name, part.content);
                }
            }
            recorded.Action = recorded.Field("action");
            Respond(recorded, response);
        });
        for (const char* path : {kGetXmlDataScript, kCoCManagementScript}) {
            server_.Get(path, [this](const httplib::Request& request, httplib::Response& response) {
                TRequest recorded;
                recorded.Method = "GET";
                recorded.Path = request.path;
                for (const auto& [name, value] : request.params)
                    recorded.Fields.emplace_back(name, value);
                recorded.Action = request.path == kGetXmlDataScript ? recorded.Field("action") : "cocmanagement";
                Respond(recorded, response);
            });
        }
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TServer()
    {
        server_.stop();
        if (thread_.joinable())
            thread_.join();
    }
    int Port() const { return port_; }

private:
    void Respond(const TRequest& request, httplib::Response& response)
    {
        int status = 200;
        bool drop = false;
        const std::string body = host_.Handle(request, status, drop);
        response.status = status;
        if (drop) {
            // Headers promise more than ever comes: the client sees the connection end early.
            response.set_content_provider(body.size() + 1000, "application/octet-stream",
                                          [body](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                              if (offset == 0)
                                                  sink.write(body.data(), body.size());
                                              return offset == 0;
                                          });
            return;
        }
        response.set_content(body, "application/octet-stream");
    }

    THostStandIn& host_;
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

// ---- set-up -------------------------------------------------------------------------------------------

THostStandIn::THostStandIn() : state_(std::make_unique<TState>())
{
    state_->store = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    if (!state_->store->CreateDatabase(folder_.Path(), "", "host", "", "", 0) ||
        !state_->store->OpenDatabase(folder_.Path(), "host", "", ""))
        throw ECriticalTolvexException("Cannot create the store of the hosting stand-in");
    CreateCatalogTables(state_->Db());
    for (const char* statement : kHostSchema)
        state_->Exec(statement);
    server_ = std::make_unique<TServer>(*this);
}

THostStandIn::~THostStandIn()
{
    state_->stopping = true;
    server_.reset();
}

std::string THostStandIn::BaseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(server_->Port());
}

void THostStandIn::PointSettingsHere(TIniSettings& settings) const
{
    settings.SetString(siPublishOnTolvexHost, BaseUrl());
    settings.SetString(siPublishOnTolvexProcessScript, kProcessScript);
    settings.SetString(siPublishOnTolvexGetXmlDataScript, kGetXmlDataScript);
    settings.SetString(siPublishCoCManagementScript, kCoCManagementScript);
}

void THostStandIn::RegisterCatalog(const std::string& code, const std::string& uniqueId)
{
    std::lock_guard lock(mutex_);
    state_->SetCatalogField(code, "Registered", TVariant(std::int64_t{1}));
    state_->SetCatalogField(code, "UniqId", TVariant(uniqueId));
}

void THostStandIn::SetAccount(const std::string& code, const std::string& user, const std::string& password)
{
    std::lock_guard lock(mutex_);
    state_->SetCatalogField(code, "UserName", TVariant(user));
    state_->SetCatalogField(code, "Password", TVariant(password));
}

void THostStandIn::SetLock(const std::string& code, const TLock& value)
{
    std::lock_guard lock(mutex_);
    state_->SetCatalogField(code, "LockDate", TVariant(value.Date));
    state_->SetCatalogField(code, "SessionId", TVariant(value.Session));
    state_->SetCatalogField(code, "ComputerId", TVariant(value.Computer));
}

THostStandIn::TLock THostStandIn::Lock(const std::string& code)
{
    std::lock_guard lock(mutex_);
    TLock value;
    const std::string date = state_->CatalogField(code, "LockDate");
    value.Date = date.empty() ? 0 : std::stoll(date);
    value.Session = state_->CatalogField(code, "SessionId");
    value.Computer = state_->CatalogField(code, "ComputerId");
    return value;
}

void THostStandIn::SetNextGlobalId(const std::string& code, std::int64_t next)
{
    std::lock_guard lock(mutex_);
    state_->SetCatalogField(code, "NextId", TVariant(next));
}

void THostStandIn::Fail(const std::string& action, const TFailure& failure, int times)
{
    std::lock_guard lock(mutex_);
    state_->failures[action] = {failure, times};
}

void THostStandIn::ClearFailures()
{
    std::lock_guard lock(mutex_);
    state_->failures.clear();
}

std::vector<THostStandIn::TRequest> THostStandIn::Requests()
{
    std::lock_guard lock(mutex_);
    return state_->requests;
}

std::vector<std::string> THostStandIn::Actions()
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> actions;
    for (const TRequest& request : state_->requests)
        actions.push_back(request.Action);
    return actions;
}

void THostStandIn::ClearRequests()
{
    std::lock_guard lock(mutex_);
    state_->requests.clear();
}

int THostStandIn::Count(const std::string& table, const std::string& condition)
{
    const TVariant value =
        Scalar("SELECT COUNT(*) FROM " + table + (condition.empty() ? std::string() : " WHERE " + condition));
    return value.IsNull() ? 0 : static_cast<int>(value.AsInteger());
}

TVariant THostStandIn::Scalar(const std::string& sql)
{
    std::lock_guard lock(mutex_);
    const auto rows = state_->Select(sql);
    return rows.empty() || rows.front().empty() ? TVariant() : rows.front().front();
}

void THostStandIn::Exec(const std::string& sql)
{
    std::lock_guard lock(mutex_);
    state_->Exec(sql);
}

std::vector<std::string> THostStandIn::Rows(const std::string& sql)
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const std::vector<TVariant>& row : state_->Select(sql)) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i)
            line += (i == 0 ? "" : "|") + ValueText(row[i]);
        lines.push_back(line);
    }
    return lines;
}

// ---- answering --------------------------------------------------------------------------------------

std::string THostStandIn::Handle(const TRequest& request, int& status, bool& drop)
{
    std::unique_lock lock(mutex_);
    state_->requests.push_back(request);
    if (OnRequest)
        OnRequest(request);
    const auto found = state_->failures.find(request.Action);
    if (found != state_->failures.end()) {
        const TFailure failure = found->second.first;
        if (found->second.second > 0 && --found->second.second == 0)
            state_->failures.erase(found);
        switch (failure.Kind) {
        case TFailure::HttpStatus:
            status = failure.Status;
            return "failed";
        case TFailure::ErrorReply:
            return "Error: " + failure.Text;
        case TFailure::ShortBody:
            return "OK";
        case TFailure::DamagedZlib:
            return std::string("x\x9c") + "this is not a zlib stream at all";
        case TFailure::Reply:
            return failure.Text;
        case TFailure::Drop:
            drop = true;
            return "partial";
        case TFailure::Stall:
            lock.unlock();
            for (int waited = 0; waited < failure.StallMs && !state_->stopping; waited += 50)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            lock.lock();
            break;
        }
    }
    try {
        return Answer(request);
    } catch (const std::exception& error) {
        return std::string("Error: ") + error.what();
    }
}

namespace {

// A record-set writer's document as compressed bytes.
std::string Compressed(const TRecordsetToXml& writer)
{
    std::ostringstream out;
    writer.SaveToStream(out, true);
    return out.str();
}

}  // namespace

struct THostStandIn::TPacketAction {
    std::string table;
    std::string method;
    std::vector<std::pair<std::string, std::string>> fields;
    std::string Field(const std::string& name) const
    {
        for (const auto& [fieldName, value] : fields)
            if (SameText(fieldName, name))
                return value;
        return {};
    }
};

std::vector<THostStandIn::TPacketAction> THostStandIn::ReadActions(const std::string& xml)
{
    std::vector<TPacketAction> actions;
    const TRecordsetXmlDocument document = TRecordsetXmlDocument::Parse(xml);
    for (xmlNodePtr element : TRecordsetXmlDocument::ChildElements(document.Root())) {
        TPacketAction action;
        if (TRecordsetXmlDocument::Name(element) != "Action" ||
            !TRecordsetXmlDocument::GetAttribute(element, "Table", action.table) ||
            !TRecordsetXmlDocument::GetAttribute(element, "Method", action.method))
            continue;
        for (xmlNodePtr field : TRecordsetXmlDocument::ChildElements(element))
            action.fields.emplace_back(TRecordsetXmlDocument::Name(field), TRecordsetXmlDocument::Text(field));
        actions.push_back(std::move(action));
    }
    return actions;
}

namespace {

bool IsRequest(const std::string& method)
{
    return method == "requestupdate" || method == "requestdelete" || method == "requestinsert";
}

}  // namespace

std::string THostStandIn::Answer(const TRequest& request)
{
    TState& s = *state_;
    const std::string action = request.Action;
    const std::string code = request.Field("catalogcode");
    if (action == "cocmanagement")
        return "OK";
    if (action == "tabledata") {
        // The rows of the item's objects of the class, in the remote catalog's code.
        TRecordsetToXml writer(s.Db(), s.Context(code));
        const std::string item = request.Field("itemid");
        const std::string classId = request.Field("classid");
        for (const char* table : {"CStrings", "CText", "CNumbers", "CDates", "CBinary", "CObjectInstances"}) {
            writer.AddKeyAction(table, "delete", "ItemId", item);
            TQueryGuard query(s.Db());
            query->SetSQL(std::string("SELECT * FROM ") + table +
                          " WHERE CatalogCode = :Code AND ItemId = :Item AND ClassId = :Class");
            query->SetParam("Code", code);
            query->SetParam("Item", TVariant(static_cast<std::int64_t>(std::stoll(item))));
            query->SetParam("Class", TVariant(static_cast<std::int64_t>(std::stoll(classId))));
            writer.AddRecordset(table, "insert", query->Open(true));
        }
        return Compressed(writer);
    }

    s.EnsureCatalog(code);
    const std::string user = s.CatalogField(code, "UserName");
    if (!user.empty() &&
        (request.Field("username") != user || request.Field("passwd") != s.CatalogField(code, "Password")))
        return "Error: Wrong user name or password";

    if (action == "checkcatalog")
        return "Registered=" + std::string(s.CatalogField(code, "Registered") == "1" ? "yes" : "no") +
               "&CatalogUniqId=" + s.CatalogField(code, "UniqId");
    if (action == "registercatalog") {
        s.SetCatalogField(code, "Registered", TVariant(std::int64_t{1}));
        return "Registered=yes";
    }
    if (action == "checkcataloglock")
        return "LockDate=" + s.CatalogField(code, "LockDate") + "\r\nSessionId=" + s.CatalogField(code, "SessionId") +
               "\r\nComputerId=" + s.CatalogField(code, "ComputerId");
    if (action == "lockcatalog") {
        s.SetCatalogField(code, "LockDate", TVariant(static_cast<std::int64_t>(std::time(nullptr))));
        s.SetCatalogField(code, "SessionId", TVariant(request.Field("sessionid")));
        s.SetCatalogField(code, "ComputerId", TVariant(request.Field("computerid")));
        return "OK";
    }
    if (action == "unlockcatalog") {
        s.SetCatalogField(code, "LockDate", TVariant(std::int64_t{0}));
        s.SetCatalogField(code, "SessionId", TVariant(std::string()));
        s.SetCatalogField(code, "ComputerId", TVariant(std::string()));
        return "OK";
    }
    if (action == "requestglobalids") {
        const std::int64_t number = std::stoll(request.Field("number"));
        const std::int64_t above = std::stoll(request.Field("maxclientitemid"));
        const std::int64_t next = std::stoll(s.CatalogField(code, "NextId"));
        const std::int64_t start = std::max(next, above + 1);
        s.SetCatalogField(code, "NextId", TVariant(start + number));
        return "StartId=" + std::to_string(start) + "&EndId=" + std::to_string(start + number - 1);
    }
    if (action == "getprimarykeyanddatemodified") {
        // Key rows built by hand: the record-set writer writes only field actions.
        TRecordsetXmlDocument document;
        xmlNodePtr keys = TRecordsetXmlDocument::AddElement(document.Root(), "Action");
        TRecordsetXmlDocument::SetAttribute(keys, "Table", request.Field("table"));
        TRecordsetXmlDocument::SetAttribute(keys, "Method", "primarykey");
        for (const auto& row : s.Select("SELECT ItemId, DateModified FROM " +
                                            QuoteSqlIdentifier(request.Field("table")) +
                                            " WHERE CatalogCode = :Code ORDER BY ItemId",
                                        {{"Code", code}})) {
            xmlNodePtr key = TRecordsetXmlDocument::AddElement(keys, "Key");
            TRecordsetXmlDocument::SetText(TRecordsetXmlDocument::AddElement(key, "ItemId"), ValueText(row[0]));
            const std::string date =
                row[1].IsNull() ? "0" : s.functions.DateTimeToUnixTime(row[1].AsDateTime().days);
            TRecordsetXmlDocument::SetText(TRecordsetXmlDocument::AddElement(key, "DateModified"), date);
        }
        std::string xml;
        document.Save([&xml](const char* data, std::size_t size) { xml.append(data, size); });
        return CompressedRecordset(xml);
    }
    if (action == "getitemsizes") {
        TRecordsetToXml writer(s.Db(), s.Context(code));
        TQueryGuard query(s.Db());
        query->SetSQL("SELECT i.CatalogCode, i.ItemId, (SELECT COALESCE(SUM(LENGTH(b.DataBlob)), 0) FROM CBinary AS b "
                      "WHERE b.CatalogCode = i.CatalogCode AND b.ItemId = i.ItemId) AS BinarySize, (SELECT COUNT(*) "
                      "FROM CText AS t WHERE t.CatalogCode = i.CatalogCode AND t.ItemId = i.ItemId) AS TextCount "
                      "FROM Items AS i WHERE i.CatalogCode = :Code");
        query->SetParam("Code", code);
        writer.AddRecordset("ItemSizes", "insert", query->Open(true));
        return Compressed(writer);
    }
    if (action == "gettable") {
        TRecordsetToXml writer(s.Db(), s.Context(code));
        TQueryGuard query(s.Db());
        query->SetSQL("SELECT * FROM " + QuoteSqlIdentifier(request.Field("table")) + " WHERE CatalogCode = :Code");
        query->SetParam("Code", code);
        writer.AddRecordset(request.Field("table"), "insert", query->Open(true));
        return Compressed(writer);
    }
    if (action == "commitchanges") {
        const auto key = std::make_pair(LowerCase(code), request.Field("sessionid"));
        const std::vector<std::string> packets = s.pending[key];
        s.pending.erase(key);
        for (const std::string& packet : packets)
            ApplyPacket(code, packet);
        return "OK";
    }
    if (action == "startpublish")
        return "OK";
    if (action == "xmldata") {
        const std::vector<TPacketAction> actions = ReadActions(request.Packet);
        bool asks = false;
        for (const TPacketAction& packetAction : actions)
            asks = asks || IsRequest(packetAction.method);
        if (asks)
            return AnswerRequests(code, actions);
        if (request.Field("postponded") == "no")
            ApplyPacket(code, request.Packet);
        else
            s.pending[{LowerCase(code), request.Field("sessionid")}].push_back(request.Packet);
        return "OK";
    }
    return "Error: Unknown action " + action;
}

std::string THostStandIn::AnswerRequests(const std::string& code, const std::vector<TPacketAction>& actions)
{
    TState& s = *state_;
    bool global = false;
    for (const TPacketAction& action : actions)
        global = global || action.method != "requestupdate";
    TRecordsetToXml writer(s.Db(), s.Context(code));
    if (global)
        writer.SetMode(kRecordsetWriteGlobalTables);
    for (const TPacketAction& action : actions) {
        const std::string table = QuoteSqlIdentifier(action.table);
        if (action.method == "requestupdate") {
            const std::string item = action.Field("ItemId");
            writer.AddKeyAction(action.table, "delete", "ItemId", item);
            TQueryGuard query(s.Db());
            query->SetSQL("SELECT * FROM " + table + " WHERE CatalogCode = :Code AND ItemId = :Item");
            query->SetParam("Code", code);
            query->SetParam("Item", TVariant(static_cast<std::int64_t>(std::stoll(item))));
            writer.AddRecordset(action.table, "insert", query->Open(true));
            continue;
        }
        // Table downloads: the rows whose key field holds the value, or every row.
        std::string keyField;
        std::string keyValue;
        for (const auto& [name, value] : action.fields) {
            keyField = name;
            keyValue = value;
        }
        if (action.method == "requestdelete") {
            writer.AddKeyAction(action.table, "delete", keyField, keyValue);
            continue;
        }
        if (!HasTable(action.table))
            continue;
        TQueryGuard query(s.Db());
        query->SetSQL("SELECT * FROM " + table +
                      (keyField.empty() ? std::string() : " WHERE " + QuoteSqlIdentifier(keyField) + " = :Value"));
        if (!keyField.empty())
            query->SetParam("Value", keyValue);
        writer.AddRecordset(action.table, "insert", query->Open(true));
    }
    return Compressed(writer);
}

bool THostStandIn::HasTable(const std::string& table)
{
    return !state_->Select("SELECT name FROM sqlite_master WHERE type = 'table' AND name = :Name COLLATE NOCASE",
                           {{"Name", table}})
                .empty();
}

void THostStandIn::ApplyPacket(const std::string& code, const std::string& xml)
{
    TState& s = *state_;
    const std::vector<TPacketAction> actions = ReadActions(xml);
    bool catalogTables = true;
    std::map<std::string, std::set<std::string>> columns;  // of global tables, by table
    for (const TPacketAction& action : actions) {
        if (IsCatalogTable(action.table))
            continue;
        catalogTables = false;
        for (const auto& [name, value] : action.fields)
            columns[action.table].insert(name);
    }
    for (const auto& [table, names] : columns) {
        if (HasTable(table) || names.empty())
            continue;
        std::string list;
        for (const std::string& name : names)
            list += (list.empty() ? "" : ", ") + QuoteSqlIdentifier(name) + " TEXT";
        s.Exec("CREATE TABLE " + QuoteSqlIdentifier(table) + " (" + list + ")");
    }
    std::istringstream in(xml);
    TXmlToRecordset reader(s.Db(), s.Context(code));
    reader.ApplyStream(in, false, catalogTables ? kRecordsetReadCatalog : kRecordsetReadGlobalExport);
    if (!catalogTables)
        return;

    // Deleted items leave a tombstone; items inserted again lose theirs.
    std::set<std::string> deleted;
    std::set<std::string> inserted;
    std::set<std::string> tombstoned;
    for (const TPacketAction& action : actions) {
        if (SameText(action.table, "Items") && action.method == "delete" && !action.Field("ItemId").empty())
            deleted.insert(action.Field("ItemId"));
        if (SameText(action.table, "Items") && action.method == "insert")
            inserted.insert(action.Field("ItemId"));
        if (SameText(action.table, "HostDeletedItems"))
            tombstoned.insert(action.Field("ItemId"));
    }
    const std::string now = std::to_string(std::time(nullptr));
    for (const std::string& item : deleted) {
        if (inserted.count(item) || tombstoned.count(item))
            continue;
        s.Exec("INSERT OR REPLACE INTO HostDeletedItems (CatalogCode, ItemId, DateModified) VALUES (:Code, :Item, "
               ":Date)",
               {{"Code", code},
                {"Item", TVariant(static_cast<std::int64_t>(std::stoll(item)))},
                {"Date", TVariant(TDateTime{s.functions.UnixTimeToDateTime(now)})}});
    }
    for (const std::string& item : inserted)
        s.Exec("DELETE FROM HostDeletedItems WHERE CatalogCode = :Code AND ItemId = :Item",
               {{"Code", code}, {"Item", TVariant(static_cast<std::int64_t>(std::stoll(item)))}});
}
