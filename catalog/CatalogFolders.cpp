#include "catalog/CatalogFolders.h"

#include "storage/AbstractCatalog.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueries.h"
#include "common/AtomicFile.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/GlobalSettings.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <filesystem>
#include <sstream>

using namespace catalog_sql;
using std::to_string;

namespace {

const char* const kNamesClassTag = "CommonNames";

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string ReadWholeFile(const std::string& path)
{
    std::optional<std::string> content = ReadFileContent(path);
    if (!content)
        throw ECriticalTolvexException("Cannot read the file " + path);
    return std::move(*content);
}

// The MIME type of a reply without parameters, lower case.
std::string BareMimeType(const std::string& contentType)
{
    return common_detail::LowerCase(common_detail::Trim(contentType.substr(0, contentType.find(';'))));
}

// The item name an address gives: its path's last part, without query and
// without anything from a colon on.
std::string NameFromUrl(const std::string& url)
{
    std::string name = url.substr(0, url.find('?'));
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    return name.substr(0, name.find(':'));
}

}  // namespace

// ---- folders and names ---------------------------------------------------------------------------

int TCatalogFolders::FindOrCreateFolder(int parentId, const std::string& name, bool create,
                                        TAbstractDBConnection& connection, const std::string& langCode)
{
    if (name.empty() || langCode.empty())
        return 0;
    const std::string code = services_.Catalog.GetCatalogCode();
    const int found = IntOf(FirstField(
        connection,
        "SELECT * FROM CStrings AS a WHERE CatalogCode = :CatalogCode AND ClassId = " + to_string(kNamesClassId) +
            " AND MemberId = " + to_string(kItemNameMemberId) +
            " AND LangCode = :LangCode AND StringValue = :StringValue AND a.ItemId IN (SELECT b.ItemId FROM Items "
            "AS b WHERE b.CatalogCode = a.CatalogCode AND b.ItemType = " + to_string(kFolderItemType) +
            " AND b.ParentItemId = " + to_string(parentId) + ")",
        code, "ItemId", {{"LangCode", langCode}, {"StringValue", name}}));
    if (found != 0 || !create)
        return found;
    // A folder without its name would not be found again.
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    const int folderId = services_.CatalogObject.CreateItem(kFolderItemType, parentId, 0, code, connection, 0);
    NameItem(folderId, name, langCode, connection, nullptr);
    unit.Commit();
    return folderId;
}

void TCatalogFolders::NameItem(int itemId, const std::string& name, const std::string& langCode,
                               TAbstractDBConnection& connection, TAbstractObjectCollection* collection)
{
    std::unique_ptr<TTolvexObject> own;
    TAbstractCObject* names = nullptr;
    if (collection) {
        names = collection->GetObject(itemId, kNamesClassTag);
    } else {
        own = TTolvexObjectFactory(services_.ObjectContext)
                  .GetObjectTyped(itemId, kNamesClassId, connection, services_.Catalog.GetCatalogCode());
        names = own.get();
    }
    if (!names)
        return;
    const std::string defaultLang = services_.Catalog.GetDefaultLangCode();
    names->SetStringById(kItemNameMemberId, langCode, name, 0);
    if (services_.Catalog.GetCurrentLangCode() != defaultLang)
        names->SetStringById(kItemNameMemberId, defaultLang, name, 0);
    names->Save();
}

std::string TCatalogFolders::SetItemName(int itemId, const TNewItemCaption& newItemCaption, const std::string& text,
                                         TAbstractDBConnection& connection, TAbstractObjectCollection* collection)
{
    if (!newItemCaption)
        return {};
    const std::string name = text.empty() ? newItemCaption() : text;
    NameItem(itemId, name, services_.Catalog.GetCurrentLangCode(), connection, collection);
    return name;
}

std::string TCatalogFolders::MakeUniqueItemName(const std::string& baseName, TAbstractDBConnection& connection)
{
    std::string candidate = baseName;
    for (int counter = 1; services_.Queries.FindItemByName(candidate, "", connection) != 0; ++counter)
        candidate = baseName + " (" + to_string(counter) + ")";
    return candidate;
}

// ---- images --------------------------------------------------------------------------------------

int TCatalogFolders::ImportImageFromFile(const std::string& folder, const std::string& fileName,
                                         const std::string& subfolder, TAbstractDBConnection& connection)
{
    const std::string path = folder + "/" + fileName;
    if (!IsRegularFile(path))
        return 0;
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || !TCommonImages::IsImageExtension(name.substr(dot + 1)))
        return 0;
    const std::string mimeType = TCommonFunctions::GetMimeTypeByFileName(name);
    return ImportPicture(ReadWholeFile(path), name, mimeType, name.substr(0, dot), subfolder, connection);
}

int TCatalogFolders::ImportImageFromUrl(const std::string& url, const THttpGet& httpGet,
                                        const std::string& subfolder, TAbstractDBConnection& connection)
{
    TWaitCursor wait(services_.Gui);
    const THttpReply reply = Fetch(url, httpGet);
    const std::string mimeType = BareMimeType(reply.ContentType);
    if (reply.Body.empty() || !TCommonImages::IsImageMimeType(mimeType))
        return 0;
    const std::string file = services_.Settings.GetTempDir() + "/imp_img." + TCommonFunctions::GetMimeSubtype(mimeType);
    if (!WriteFileAtomically(file, reply.Body))
        throw ECriticalTolvexException("Cannot write the file " + file);
    return ImportPicture(ReadWholeFile(file), file, mimeType, NameFromUrl(url), subfolder, connection);
}

TCatalogFolders::THttpReply TCatalogFolders::Fetch(const std::string& url, const THttpGet& httpGet)
{
    THttpReply reply;
    try {
        if (httpGet) {
            reply = httpGet(url);
        } else {
            const TIniSettings& settings = services_.Settings.IniSettings();
            reply = HttpGet(url, settings.GetString(siProxyName), settings.GetInteger(siProxyPort, 0));
        }
    } catch (...) {
        // Any failure of the transfer imports nothing, without a message.
        return {};
    }
    if (reply.Status < 200 || reply.Status > 299)
        reply.ContentType.clear();
    return reply;
}

int TCatalogFolders::ImportPicture(const std::string& bytes, const std::string& decodeAs, const std::string& mimeType,
                                   const std::string& baseName, const std::string& subfolder,
                                   TAbstractDBConnection& connection)
{
    // The picture is made ready first: an item is created only for a
    // picture that can be stored, and with the type of the bytes written.
    const std::unique_ptr<TPicture> picture =
        TCommonImages::LoadGraphicFromBytes(TCommonFunctions::GetMimeTypeByFileName(decodeAs), bytes);
    if (!picture)
        return 0;
    std::stringstream encoded;
    int width = 0;
    int height = 0;
    std::int64_t size = 0;
    std::string writtenMimeType;
    if (!TCommonImages::SavePictureToStream(*picture, mimeType, false, 0, TImageScaleType::Maximal, encoded, width,
                                            height, size, writtenMimeType))
        return 0;
    return CreateImageItem(encoded, width, height, writtenMimeType, baseName, subfolder, connection);
}

int TCatalogFolders::CreateImageItem(std::istream& encoded, int width, int height, const std::string& mimeType,
                                     const std::string& baseName, const std::string& subfolder,
                                     TAbstractDBConnection& connection)
{
    const std::string code = services_.Catalog.GetCatalogCode();
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    int folderId = kImagesRootId;
    if (!subfolder.empty())
        if (const int found = FindOrCreateFolder(kImagesRootId, subfolder, true, connection, kNoLanguageCode))
            folderId = found;
    const std::string name = MakeUniqueItemName(baseName, connection);
    const int itemId = services_.CatalogObject.CreateItem(kImageItemType, folderId, 0, code, connection, 0);
    TTolvexObjectFactory factory(services_.ObjectContext);
    const std::unique_ptr<TTolvexObject> names = factory.GetObjectTyped(itemId, kNamesClassId, connection, code);
    names->SetStringById(kItemNameMemberId, services_.Catalog.GetDefaultLangCode(), name, 0);
    names->Save();
    const std::unique_ptr<TTolvexObject> image = factory.GetObjectTyped(itemId, kImageClassId, connection, code);
    image->SetLangNumber("ImageWidth", kNoLanguageCode, width, 0);
    image->SetLangNumber("ImageHeight", kNoLanguageCode, height, 0);
    image->SetBinaryDataById(kImageDataMemberId, kNoLanguageCode, mimeType, encoded, 0, nullptr);
    image->Save();
    unit.Commit();
    return itemId;
}

std::string TCatalogFolders::GetImageFileUrl(int itemId, TAbstractDBConnection& connection)
{
    if (itemId == 0)
        return {};
    const std::string subtype = TCommonFunctions::GetMimeSubtype(TextOf(FirstField(
        connection,
        "SELECT DataMimeType FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(itemId) +
            " AND ClassId = " + to_string(kImageClassId) + " AND MemberId = " + to_string(kImageDataMemberId),
        services_.Catalog.GetCatalogCode(), "DataMimeType")));
    return subtype.empty() ? std::string() : "../images/" + to_string(itemId) + "." + subtype;
}
