// TCommonImages: images stored in the catalog database.
#include "common/CommonImages.h"

#include "common/BinaryDataInfo.h"
#include "common/CommonBinary.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/MemberTypes.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"

#include <ostream>
#include <sstream>

namespace {


// The "ImageData" value of the item's image object: the top-level object of
// class 5 of the item's data item (the linked item of a further placement),
// language "XXX" (the member is not language-dependent), index 0.
std::string ImageDataQuery(const std::string& columns)
{
    const std::string classId = std::to_string(kImageClassId);
    return "SELECT " + columns +
           " FROM Items AS i"
           " JOIN CObjectInstances AS o ON o.CatalogCode = i.CatalogCode"
           " AND o.ItemId = COALESCE(NULLIF(i.LinkedItemId, 0), i.ItemId)"
           " AND o.ClassId = " + classId + " AND COALESCE(o.ParentInstanceId, 0) = 0"
           " JOIN CBinary AS v ON v.CatalogCode = o.CatalogCode AND v.ItemId = o.ItemId"
           " AND v.ClassId = " + classId + " AND v.InstanceId = o.InstanceId"
           " AND v.MemberId = " + std::to_string(kImageDataMemberId) +
           " AND v.LangCode = :LangCode AND v.IndexId = 0 AND v.DataBlob IS NOT NULL"
           " WHERE i.CatalogCode = :CatalogCode AND i.ItemId = :ItemId"
           " ORDER BY o.InstanceId LIMIT 1";
}

struct TStoredImage {
    std::string bytes;
    std::string mimeType;
};

// The stored image of an item (its bytes only when WithData is set).
std::optional<TStoredImage> ReadStoredImage(const std::string& catalogCode, int itemId,
                                            TAbstractDBConnection& connection, bool withData)
{
    TQueryGuard query(connection);
    query->SetSQL(ImageDataQuery(withData ? "v.DataMimeType, v.DataBlob" : "v.DataMimeType"));
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    query->SetParam("LangCode", kNoLanguageCode);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return std::nullopt;
    TStoredImage image;
    image.mimeType = TCommonFunctions::VariantToString(rows.Field("DataMimeType"));
    if (withData)
        image.bytes = TCommonBinary::FieldBytes(rows.Field("DataBlob")).value_or(std::string());
    return image;
}

// Decodes stored image bytes into Picture; Size and MimeType describe the
// stored data whether it decodes or not.
bool DecodeStoredImage(const TStoredImage& image, TPicture& picture, std::int64_t& size, std::string& mimeType)
{
    size = static_cast<std::int64_t>(image.bytes.size());
    mimeType = image.mimeType;
    try {
        std::unique_ptr<TPicture> loaded = TCommonImages::LoadGraphicFromBytes(image.mimeType, image.bytes);
        if (!loaded)
            return false;
        picture = std::move(*loaded);
    } catch (const ECriticalTolvexException&) {
        return false;  // stored bytes that do not decode
    }
    return true;
}

}  // namespace

bool TCommonImages::LoadImageToStream(const std::string& catalogCode, int itemId, std::ostream& stream,
                                      std::int64_t& size, std::string& mimeType, TAbstractDBConnection& connection)
{
    const std::optional<TStoredImage> image = ReadStoredImage(catalogCode, itemId, connection, true);
    if (!image)
        return false;
    if (!stream.write(image->bytes.data(), static_cast<std::streamsize>(image->bytes.size())))
        throw ECriticalTolvexException("The stored image cannot be written to its stream");
    size = static_cast<std::int64_t>(image->bytes.size());
    mimeType = image->mimeType;
    return true;
}

bool TCommonImages::LoadImageToPicture(const std::string& catalogCode, int itemId, TPicture& picture,
                                       std::int64_t& size, std::string& mimeType, TAbstractDBConnection& connection)
{
    const std::optional<TStoredImage> image = ReadStoredImage(catalogCode, itemId, connection, true);
    return image && DecodeStoredImage(*image, picture, size, mimeType);
}

bool TCommonImages::LoadCollectionImageToPicture(int itemId, TPicture& picture, std::int64_t& size,
                                                 std::string& mimeType, TAbstractObjectCollection& collection)
{
    TAbstractCObject* object = collection.GetObject(itemId, "Image");
    if (!object)
        return false;
    std::ostringstream bytes;
    TBinaryDataInfo info;
    if (!object->GetBinaryData("ImageData", kNoLanguageCode, bytes, 0, &info))
        return false;
    return DecodeStoredImage({bytes.str(), info.MimeType}, picture, size, mimeType);
}

std::string TCommonImages::GetImageFileName(int itemId, TAbstractDBConnection& connection,
                                            const std::string& catalogCode)
{
    if (itemId == 0)
        return std::string();
    const std::optional<TStoredImage> image = ReadStoredImage(catalogCode, itemId, connection, false);
    if (!image)
        return std::string();
    return PublishedFileName(std::to_string(itemId), "", image->mimeType);
}

void TCommonImages::GetUsedImageIds(const std::string& catalogCode, std::vector<std::string>& list,
                                    TAbstractDBConnection& connection)
{
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND MemberType = " +
                      std::to_string(kImageItemIdMemberType) + " GROUP BY NumberValue");
        query->SetParam("CatalogCode", catalogCode);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
            const TVariant value = rows.Field("NumberValue");
            if (!value.IsNull())
                list.push_back(TCommonFunctions::VariantToString(value));
        }
    }
    // After "../images/" a double quote, "<", "[" or "{" starts a template's
    // placeholder, not an image name.
    TCommonBinary::AddNamesAfterMarker(catalogCode, "../images/", "\"<[{", list, connection);
}

void TCommonImages::SaveBlobToFile(const std::string& fileName, const TVariant& field)
{
    TCommonBinary::SaveBlobToFile(fileName, field);
}
