#include "catalog/conversion/OldCatalogConversion.h"

#include "catalog/CatalogDefinition.h"
#include "catalog/conversion/ConversionDefinitions.h"
#include "catalog/conversion/ConversionProgress.h"
#include "catalog/conversion/ProductCatalogConverter.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/AbstractDBQuery.h"
#include "storage/ConcreteDAL.h"
#include "storage/DBManager.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace fs = std::filesystem;
using common_detail::LowerCase;
using common_detail::Trim;
using common_detail::UpperCase;

namespace {

const char* const kCompanionSuffixes[] = {"-wal", "-shm"};

// The name (without folder) of the module's file for a database name.
std::string FileNameOf(const TAbstractDBConnectionFactory& factory, const std::string& name)
{
    return fs::path(factory.GetDatabaseFileName(name)).filename().string();
}

// A database file of the old catalog, open for reading: a plain reader when
// the module can open the file without changing it, else the module's own
// connection (a file in WAL mode).
class TOldFile {
public:
    TOldFile(TDBManager& dbManager, const std::string& dbType, const std::string& folder, const std::string& code)
        : factory_(dbManager.CreateDatabasePlugin(dbType, ""))
    {
        reader_ = factory_->OpenReadOnlyConnection(folder, code);
        if (!reader_ && fs::exists(fs::path(folder) / FileNameOf(*factory_, code)) &&
            factory_->OpenDatabase(folder, code, "", ""))
            opened_ = true;
    }
    ~TOldFile()
    {
        reader_.reset();
        factory_.reset();  // the last connection checkpoints a WAL file away
    }
    TOldFile(const TOldFile&) = delete;
    TOldFile& operator=(const TOldFile&) = delete;

    TAbstractDBConnection* Connection() const
    {
        return reader_ ? reader_.get() : opened_ ? &factory_->GetConnection() : nullptr;
    }

private:
    std::unique_ptr<TAbstractDBConnectionFactory> factory_;
    std::unique_ptr<TAbstractDBConnection> reader_;
    bool opened_ = false;
};

std::string AsText(const TVariant& value)
{
    return value.IsNull() ? std::string() : TCommonFunctions::VariantToString(value);
}

// The first row's field of a read; nothing without a row.
std::optional<TVariant> FirstValue(TAbstractDBConnection& connection, const std::string& sql,
                                   const std::string& param, const std::string& value, const std::string& field)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    query->SetParam(param, value);
    TAbstractRecordset& rows = query->Open(true);
    std::optional<TVariant> result;
    if (!rows.Eof())
        result = rows.HasField(field) ? rows.Field(field) : TVariant();
    query->Close();
    return result;
}

// What the old vendor row says of the catalog.
struct TOldVendor {
    std::string Password;
    // 1 products, 2 catalogs of catalogs.
    int CatalogType = 1;
};

// The old vendor row of VendorCode (upper case); nothing without one.
std::optional<TOldVendor> ReadOldVendor(TAbstractDBConnection& connection, const std::string& vendorCode)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT * FROM Vendors WHERE UPPER(VendorCode) = :VendorCode");
    query->SetParam("VendorCode", vendorCode);
    TAbstractRecordset& rows = query->Open(true);
    std::optional<TOldVendor> vendor;
    if (!rows.Eof()) {
        vendor.emplace();
        if (rows.HasField("Passw"))
            vendor->Password = AsText(rows.Field("Passw"));
        if (rows.HasField("CatalogType") && !rows.Field("CatalogType").IsNull())
            vendor->CatalogType = TMemberValueText::ReadInteger(Trim(AsText(rows.Field("CatalogType"))));
        if (rows.HasField("isCoCVendor") && TMemberValueText::ReadInteger(Trim(AsText(rows.Field("isCoCVendor")))) >= 1)
            vendor->CatalogType = 2;
    }
    query->Close();
    return vendor;
}

// Runs a checkpoint that empties the WAL file of the connection's database.
void Checkpoint(TAbstractDBConnection& connection)
{
    TQueryGuard query(connection);
    query->SetSQL("PRAGMA wal_checkpoint(TRUNCATE)");
    query->Open(true);
    query->Close();
}

bool HasContent(const fs::path& file)
{
    std::error_code error;
    return fs::exists(file, error) && fs::file_size(file, error) > 0;
}

// Copies a database file with its companions under a new base name, each
// whole under a work name first.
void CopyDatabaseFiles(const std::string& from, const std::string& to)
{
    for (const char* suffix : {"-wal", "-shm", ""})
        fs::remove(to + suffix);
    for (const char* suffix : {"", "-wal", "-shm"}) {
        if (!fs::exists(from + suffix))
            continue;
        const std::string part = to + suffix + ".part";
        fs::copy_file(from + suffix, part, fs::copy_options::overwrite_existing);
        fs::rename(part, to + suffix);
    }
}

}  // namespace

std::string TOldCatalogConversion::WorkFolder(const std::string& folder, const std::string& catalogCode)
{
    return folder + "/" + LowerCase(Trim(catalogCode)) + ".converting";
}

TOldCatalogConversion::TCheck TOldCatalogConversion::Check(TDBManager& dbManager, const std::string& dbType,
                                                          const std::string& folder, const std::string& catalogCode,
                                                          const std::string& password)
{
    const std::string code = LowerCase(Trim(catalogCode));
    const std::string vendorCode = UpperCase(code);
    if (!TCatalogDefinition::IsValidCatalogCode(code))
        return TCheck::NotOldCatalog;
    try {
        TOldFile file(dbManager, dbType, folder, code);
        TAbstractDBConnection* connection = file.Connection();
        if (!connection)
            return TCheck::NotOldCatalog;
        const std::optional<TVariant> version =
            FirstValue(*connection, "SELECT KeyValue FROM LocalSettings WHERE KeyName = :KeyName", "KeyName",
                       "VersionDatabase", "KeyValue");
        const std::string versionText = version ? Trim(AsText(*version)) : std::string();
        if (versionText.size() <= 1 || versionText[0] != '2')
            return TCheck::NotOldCatalog;
        const std::optional<TOldVendor> vendor = ReadOldVendor(*connection, vendorCode);
        if (!vendor || vendor->Password != password)
            return TCheck::WrongPassword;
        return vendor->CatalogType == 1 || vendor->CatalogType == 2 ? TCheck::Convertible
                                                                    : TCheck::WrongCatalogType;
    } catch (const std::exception&) {
        // Not the old tables: a file of some other kind.
        return TCheck::NotOldCatalog;
    }
}

TOldCatalogConversion::TResult TOldCatalogConversion::Run(const TServices& services, const TRequest& request,
                                                          TConversionProgress& progress)
{
    const std::string code = LowerCase(Trim(request.CatalogCode));
    const std::string vendorCode = UpperCase(code);
    if (!TCatalogDefinition::IsValidCatalogCode(code))
        throw ECriticalTolvexException("Catalog code contains not allowed symbols");
    const std::string work = WorkFolder(request.Folder, code);
    // Whatever ends the run, the work folder goes: a leftover of a killed run too.
    struct TRemoveWork {
        std::string folder;
        ~TRemoveWork()
        {
            std::error_code error;
            fs::remove_all(folder, error);
        }
    } removeWork{work};
    fs::remove_all(work);
    fs::create_directories(work);

    TResult result;
    std::string oldFileName;
    std::string newFileName;
    {
        TOldFile old(services.DBManager, request.DbType, request.Folder, code);
        TAbstractDBConnection* oldConnection = old.Connection();
        if (!oldConnection)
            throw ECriticalTolvexException("Cannot open the database");
        const std::optional<TOldVendor> vendor = ReadOldVendor(*oldConnection, vendorCode);
        if (!vendor)
            throw ECriticalTolvexException("The old catalog has no vendor \"" + vendorCode + "\"");
        result.UserName = "Administrator";
        result.Password = vendor->Password;

        TCatalogDefinition::TNewCatalog newCatalog;
        newCatalog.DbType = request.DbType;
        newCatalog.CatalogType = vendor->CatalogType;
        newCatalog.CatalogCode = code;
        newCatalog.AdminUserName = result.UserName;
        newCatalog.AdminPassword = result.Password;
        if (!services.Definition.CreateCatalogIn(newCatalog, work))
            throw ECriticalTolvexException("Cannot create the database");

        std::unique_ptr<TAbstractDBConnectionFactory> database =
            services.DBManager.CreateDatabasePlugin(request.DbType, "");
        if (!database->OpenDatabase(work, code, "", ""))
            throw ECriticalTolvexException("Cannot open the database");
        newFileName = (fs::path(work) / FileNameOf(*database, code)).string();
        oldFileName = (fs::path(request.Folder) / FileNameOf(*database, code)).string();
        {
            std::unique_ptr<TAbstractDBConnection> connection = database->OpenSecondConnection();
            TConversionDefinitions definitions(services.Names, services.Classes);
            TConcreteDAL dataAccess(*connection, definitions);
            dataAccess.SetCatalogCode(code);
            TProductCatalogConverter converter(*oldConnection, dataAccess, progress);
            TCommonFunctions functions;
            if (!converter.ConvertCatalog(vendorCode, functions.ScramblePassword(result.Password)))
                throw ECriticalTolvexException("The old catalog has no vendor \"" + vendorCode + "\"");
            connection->CommitTrans();
            result.Cancelled = converter.Cancelled();
        }
        Checkpoint(database->GetConnection());
    }  // every connection to both files is closed here

    if (result.Cancelled)
        return result;  // the old file stays; the work folder goes

    // The new file is whole in its main file; a WAL left behind would belong
    // to a process that still has it open.
    for (const char* suffix : kCompanionSuffixes)
        if (HasContent(newFileName + suffix) || HasContent(oldFileName + suffix))
            throw ECriticalTolvexException("The catalog is in use by another program");
    fs::create_directories(request.BackupFolder);
    const std::string backupName =
        (fs::path(request.BackupFolder) /
         FileNameOf(*services.DBManager.CreateDatabasePlugin(request.DbType, ""), code + "_bak"))
            .string();
    CopyDatabaseFiles(oldFileName, backupName);
    for (const char* suffix : kCompanionSuffixes) {
        fs::remove(oldFileName + suffix);
        fs::remove(newFileName + suffix);
    }
    fs::rename(newFileName, oldFileName);  // one step: the old catalog or the new one, never none
    result.Success = true;
    result.DirName = request.Folder;
    return result;
}
