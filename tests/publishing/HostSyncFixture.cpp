#include "HostSyncFixture.h"

#include "catalog/CatalogItemsSql.h"
#include "common/CommonFunctions.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

void Exec(TAbstractDBConnection& connection, const std::string& sql,
          const std::vector<std::pair<std::string, TVariant>>& params = {})
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    query->ExecSQL();
}

}  // namespace

THostSyncSite::THostSyncSite(THostStandIn& host, const std::string& computerId) : host_(host)
{
    TIniSettings& settings = root_.Root().Settings().IniSettings();
    host.PointSettingsHere(settings);
    settings.SetString(siComputerId, computerId);
    host.RegisterCatalog(kCode);
    if (!root_.CreateCatalog(kCode, 1))
        throw std::runtime_error("cannot create the catalog");
    Open();
}

TAbstractDBConnection& THostSyncSite::Connection()
{
    return Data().GetConnectionFactory().GetConnection();
}

void THostSyncSite::Open(const std::string& dir)
{
    const std::string error = root_.Open(kCode, "admin", "secret", 0, dir);
    if (!error.empty() || !root_.Data())
        throw std::runtime_error("cannot open the catalog: " + error);
    dir_ = dir;
}

void THostSyncSite::Close()
{
    root_.Root().CloseCatalog();
}

std::string THostSyncSite::CopyTo(const std::string& dir)
{
    const std::string from = SQLiteDatabaseFileName(dir_.empty() ? root_.DatabaseDir() : dir_, kCode);
    Close();
    fs::create_directories(dir);
    const std::string to = SQLiteDatabaseFileName(dir, kCode);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    return to;
}

std::vector<std::string> THostSyncSite::MergeParams()
{
    return {"SendPacketSize=100", "Synchronization=Merge", "ChangesHost=Immediately", "ChangesLocal=Immediately"};
}

std::unique_ptr<TPublishOnTolvex> THostSyncSite::Make(std::vector<std::string>& params,
                                                      std::unique_ptr<TAbstractDBConnection>& connection)
{
    connection = Data().GetConnectionFactory().OpenSecondConnection();
    auto sync = std::make_unique<TPublishOnTolvex>(
        params, *connection, TPublisherEnvironment{root_.Gui(), nullptr, &runner_, &root_.Root(), nullptr});
    sync->OpenUrl = [this](const std::string& url) { root_.Log().Add("OpenUrl " + url); };
    sync->SetRequestTimeout(10);
    return sync;
}

bool THostSyncSite::Sync(std::vector<std::string> params, const std::function<void(TPublishOnTolvex&)>& prepare)
{
    std::unique_ptr<TAbstractDBConnection> connection;
    std::unique_ptr<TPublishOnTolvex> sync = Make(params, connection);
    if (prepare)
        prepare(*sync);
    sync->Run();
    return sync->Succeeded() && sync->GetErrorCount() == 0 && !sync->IsCancelled();
}

int THostSyncSite::AddPage(const std::string& name)
{
    const int id =
        root_.Root().Catalog().CreateItem(kPageType, root_.Root().GetHomePageId(), 0, kCode, Connection(), 0);
    SetName(id, name);
    return id;
}

void THostSyncSite::SetName(int itemId, const std::string& name)
{
    TTolvexObjectFactory& factory = root_.Root().Catalog().GetObjectFactory();
    std::unique_ptr<TTolvexObject> names = factory.GetObjectTyped(itemId, 1, Connection(), kCode);
    if (names->GetInstanceId() == 0)
        names = factory.CreateObjectTyped(itemId, 1, 0, Connection(), kCode);
    names->SetLangString("ItemName", "EN", name, 0);
    names->Save();
}

std::string THostSyncSite::Name(int itemId)
{
    return Data().GetItemName(itemId, Connection(), "EN");
}

void THostSyncSite::SetDate(int itemId, double secondsFromNow)
{
    Exec(Connection(), "UPDATE Items SET DateModified = :Date WHERE CatalogCode = :Code AND ItemId = :Id",
         {{"Date", TDateTime{catalog_sql::Now().days + secondsFromNow / 86400.0}},
          {"Code", std::string(kCode)},
          {"Id", itemId}});
}

bool THostSyncSite::Exists(int itemId)
{
    return Count("Items", "ItemId = " + std::to_string(itemId)) == 1;
}

void THostSyncSite::Delete(int itemId, double secondsFromNow)
{
    root_.Root().Catalog().DeleteItem(itemId, kCode, Connection(), false, true, TDeleteChildren::Cascade);
    Exec(Connection(), "UPDATE DeletedItems SET DateModified = :Date WHERE CatalogCode = :Code AND ItemId = :Id",
         {{"Date", TDateTime{catalog_sql::Now().days + secondsFromNow / 86400.0}},
          {"Code", std::string(kCode)},
          {"Id", itemId}});
}

void THostSyncSite::AddPicture(int itemId, std::size_t bytes)
{
    std::string picture(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        picture[i] = static_cast<char>((i * 2654435761u) >> 13);
    Exec(Connection(),
         "INSERT INTO CBinary (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
         "DataBlob, DataBytes, DataMimeType) VALUES (:Code, :Id, 5, 900, 6, 'XXX', 0, 252, :Blob, :Bytes, "
         "'image/png')",
         {{"Code", std::string(kCode)},
          {"Id", itemId},
          {"Blob", TVariant(TBytes{picture})},
          {"Bytes", static_cast<int>(bytes)}});
}

int THostSyncSite::Count(const std::string& table, const std::string& condition)
{
    return catalog_sql::IntOf(catalog_sql::FirstField(
        Connection(),
        "SELECT COUNT(*) AS N FROM " + table + " WHERE CatalogCode = :CatalogCode" +
            (condition.empty() ? std::string() : " AND " + condition),
        kCode, "N"));
}

std::vector<std::string> THostSyncSite::ItemRows()
{
    std::vector<std::string> rows;
    for (const std::string& table : TPublishOnTolvex::ItemTables()) {
        TQueryGuard query(Connection());
        query->SetSQL("SELECT * FROM " + table + " WHERE CatalogCode = :CatalogCode");
        query->SetParam("CatalogCode", std::string(kCode));
        for (TAbstractRecordset& found = query->Open(true); !found.Eof(); found.Next()) {
            std::string line = table;
            for (int i = 0; i < found.FieldCount(); ++i) {
                if (found.FieldName(i) == "IsSynchronized")
                    continue;
                const TVariant value = found.Field(i);
                // Dates cross the host in whole seconds: the copies differ below that.
                if (value.Kind() == TVariantKind::DateTime)
                    line += "|<date>";
                else
                    line += "|" + (value.IsNull() ? std::string("<null>") : TCommonFunctions::VariantToString(value));
            }
            rows.push_back(line);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}
