#include "catalog/media/BinaryObjectStore.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/media/MediaFiles.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "storage/IdRanges.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <filesystem>
#include <sstream>

namespace {

constexpr int kBinaryObjectItemType = 304;
constexpr int kBinaryObjectClassId = 304;
constexpr int kFileNameMemberId = 1;
constexpr int kDataMemberId = 2;
constexpr int kAltFileNameMemberId = 2;

}  // namespace

TBinaryObjectStore::TBinaryObjectStore(const TServices& services, TAbstractDBConnection& connection,
                                       std::string catalogCode)
    : services_(services), connection_(connection), code_(std::move(catalogCode))
{
}

bool TBinaryObjectStore::IsEmbeddable(const std::string& fileName)
{
    const std::string extension = common_detail::LowerCase(std::filesystem::path(fileName).extension().string());
    return extension == ".swf" || extension == ".jar" || extension == ".class";
}

int TBinaryObjectStore::FindByCaption(const std::string& caption)
{
    if (common_detail::Trim(caption).empty())
        return 0;
    return catalog_sql::IntOf(catalog_sql::FirstField(
        connection_,
        "SELECT a.ItemId FROM CStrings a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = 1 AND a.MemberId = 1 "
        "AND a.StringValue = :StringValue AND a.ItemId IN (SELECT b.ItemId FROM Items b WHERE b.CatalogCode = "
        "a.CatalogCode AND b.ItemType = " + std::to_string(kBinaryObjectItemType) + ")",
        code_, "ItemId", {{"StringValue", caption}}));
}

TBinaryObjectStore::TResult TBinaryObjectStore::Store(const TRequest& request)
{
    // Read first: a refused file writes nothing.
    const std::string bytes = TMediaFiles::ReadObjectFile(request.FileName);
    TResult result;
    result.FileName = std::filesystem::path(request.FileName).filename().string();
    result.MimeType = TCommonFunctions::GetMimeTypeByFileName(request.FileName);
    result.Bytes = static_cast<std::int64_t>(bytes.size());

    int itemId = request.ReplaceItemId;
    if (itemId == 0) {
        int folder = kBinaryObjectsRootId;
        if (!request.FolderName.empty() && services_.Folders) {
            const int existing =
                services_.Folders->FindOrCreateFolder(kBinaryObjectsRootId, request.FolderName, false, connection_, "XXX");
            const int found = existing ? existing
                                       : services_.Folders->FindOrCreateFolder(kBinaryObjectsRootId, request.FolderName,
                                                                               true, connection_, "XXX");
            if (found)
                folder = found;
            if (found && !existing)
                result.Created.push_back(found);
        }
        itemId = services_.Catalog.CreateItem(kBinaryObjectItemType, folder, 0, code_, connection_, 0);
        if (itemId == 0)
            throw ECriticalTolvexException("The binary object cannot be created");
        result.Created.push_back(itemId);
    }
    result.ItemId = itemId;

    const std::unique_ptr<TTolvexObject> names =
        services_.Objects.GetObjectTyped(itemId, kNamesClassId, connection_, code_);
    const std::unique_ptr<TTolvexObject> object =
        services_.Objects.GetObjectTyped(itemId, kBinaryObjectClassId, connection_, code_);
    if (!names || !object)
        throw ECriticalTolvexException("The binary object cannot be stored");
    for (const std::string& entry : request.Names) {
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos && equals > 0)
            names->SetStringById(kItemNameMemberId, entry.substr(0, equals), entry.substr(equals + 1), 0);
    }
    names->SetStringById(kAltFileNameMemberId, request.LangCode, request.AltFileName, 0);
    names->Save();

    object->SetStringById(kFileNameMemberId, request.LangCode, result.FileName, 0);
    std::istringstream stream(bytes);
    object->SetBinaryDataById(kDataMemberId, request.LangCode, result.MimeType, stream, 0, nullptr);
    object->Save();
    return result;
}
