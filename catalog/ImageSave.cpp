#include "catalog/ImageSave.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCatalog.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"

#include <future>
#include <sstream>

namespace {

constexpr int kAltFileNameMemberId = 2;
constexpr int kThumbnailSizeProperty = 705;

// The language and the name of a "LANG=name" entry.
std::pair<std::string, std::string> SplitEntry(const std::string& entry)
{
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos)
        return {entry, {}};
    return {entry.substr(0, equals), entry.substr(equals + 1)};
}

// The picture encoded as asked; raises with a message for the user (Failure,
// with the encoder's reason as $1) when it cannot be.
TEncodedPicture EncodeOrRaise(const TPicture& picture, const std::string& mimeType, const TPictureScaling& scaling,
                              const char* failure, const TTranslation* translation)
{
    std::string reason;
    std::optional<TEncodedPicture> encoded = TPictureEncoding::Encode(picture, mimeType, scaling, &reason);
    if (!encoded)
        throw ECriticalTolvexException(TTranslation::OrEnglish(translation).Format(failure, {reason}));
    return std::move(*encoded);
}

}  // namespace

TImageSave::TImageSave(const TServices& services, TAbstractDBConnection& connection)
    : services_(services), connection_(connection)
{
}

std::string TImageSave::Code() const
{
    return services_.Open.GetCatalogCode();
}

// ---- a whole image ---------------------------------------------------------------------------------

TImageSave::TPrepared TImageSave::Prepare(const TPicture& picture, const TRequest& request,
                                          const TTranslation* translation)
{
    // The copies are encoded beside the main picture, each from the original.
    std::future<TEncodedPicture> thumbnail;
    std::future<TEncodedPicture> large;
    if (request.Thumbnail.Wanted)
        thumbnail = std::async(std::launch::async, EncodeOrRaise, std::cref(picture), request.MimeType,
                               request.Thumbnail.Scaling, "The thumbnail copy cannot be stored: $1", translation);
    if (request.Large.Wanted)
        large = std::async(std::launch::async, EncodeOrRaise, std::cref(picture), request.MimeType,
                           request.Large.Scaling, "The large copy cannot be stored: $1", translation);
    TPrepared prepared;
    std::exception_ptr failure;
    try {
        prepared.Main = EncodeOrRaise(picture, request.MimeType, request.Main, "The picture cannot be stored: $1", translation);
    } catch (...) {
        failure = std::current_exception();
    }
    // Every task ends before the picture it reads may go.
    for (auto* task : {&thumbnail, &large}) {
        if (!task->valid())
            continue;
        try {
            TEncodedPicture encoded = task->get();
            (task == &thumbnail ? prepared.Thumbnail : prepared.Large) = std::move(encoded);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    return prepared;
}

std::vector<int> TImageSave::ItemsChangedBy(const TRequest& request)
{
    std::vector<int> items;
    if (request.TargetItemId == 0)
        return items;
    items.push_back(request.TargetItemId);
    if (request.Thumbnail.Wanted)
        if (const int copy = UsableCopy(request.TargetItemId, "ThumbnailItemId"))
            items.push_back(copy);
    if (request.Large.Wanted)
        if (const int copy = UsableCopy(request.TargetItemId, "LargeItemId"))
            items.push_back(copy);
    return items;
}

int TImageSave::TargetFolder(const TRequest& request)
{
    if (request.FolderName.empty() || !services_.Folders)
        return request.FolderItemId;
    TCatalogFolders& folders = *services_.Folders;
    if (const int found = folders.FindOrCreateFolder(3, request.FolderName, false, connection_, kNoLanguageCode))
        return found;
    const int made = folders.FindOrCreateFolder(3, request.FolderName, true, connection_, kNoLanguageCode);
    if (made == 0)
        return request.FolderItemId;
    created_.push_back(made);
    return made;
}

TImageSave::TResult TImageSave::Write(const TRequest& request, const TPrepared& prepared)
{
    TResult result;
    int target = request.TargetItemId;
    if (target == 0)
        target = CreateImageItem(TargetFolder(request));
    if (prepared.Thumbnail) {
        std::string alt = request.AltFileName;
        result.Thumbnail = WriteCopy(TCopy::Thumbnail, target, *prepared.Thumbnail, alt, request.Names);
    }
    if (prepared.Large) {
        std::string alt = request.AltFileName;
        result.Large = WriteCopy(TCopy::Large, target, *prepared.Large, alt, request.Names);
    }

    const bool overwritten = request.TargetItemId != 0;
    WriteNames(target, request.Names, request.DefaultName, request.AltFileName, overwritten);
    const std::unique_ptr<TTolvexObject> image =
        services_.Objects.GetObjectTyped(target, kImageClassId, connection_, Code());
    const TEncodedPicture& main = prepared.Main;
    image->SetLangNumber("ImageWidth", kNoLanguageCode, main.Width, 0);
    image->SetLangNumber("ImageHeight", kNoLanguageCode, main.Height, 0);
    image->SetLangNumber("ThumbnailItemId", kNoLanguageCode, result.Thumbnail ? result.Thumbnail->ItemId : 0, 0);
    image->SetLangNumber("LargeItemId", kNoLanguageCode, result.Large ? result.Large->ItemId : 0, 0);
    image->SetLangBoolean("IsBackgroundImage", kNoLanguageCode, request.IsBackground, 0);
    std::istringstream bytes(main.Bytes);
    image->SetBinaryDataById(kImageDataMemberId, kNoLanguageCode, main.MimeType, bytes, 0, nullptr);
    image->Save();

    result.Main = {target, main.Width, main.Height, static_cast<std::int64_t>(main.Bytes.size()), main.MimeType,
                   services_.Catalog.GetAltFileName(target, &connection_, Code())};
    LastItemId = target;
    LastWidth = main.Width;
    LastHeight = main.Height;
    LastBytes = result.Main.Bytes;
    LastMimeType = main.MimeType;
    return result;
}

// ---- single copies -----------------------------------------------------------------------------------

bool TImageSave::SaveThumbnailCopy(int mainItemId, const TPicture& picture, std::string& altFileName,
                                   const std::vector<std::string>& names, const TPictureScaling& scaling,
                                   const std::string& mimeType)
{
    return SaveCopy(TCopy::Thumbnail, mainItemId, picture, altFileName, names, scaling, mimeType);
}

bool TImageSave::SaveLargeCopy(int mainItemId, const TPicture& picture, std::string& altFileName,
                               const std::vector<std::string>& names, const TPictureScaling& scaling,
                               const std::string& mimeType)
{
    return SaveCopy(TCopy::Large, mainItemId, picture, altFileName, names, scaling, mimeType);
}

bool TImageSave::SaveMainCopy(int sourceItemId, const TPicture& picture, std::string& altFileName,
                              const std::vector<std::string>& names, const TPictureScaling& scaling,
                              const std::string& mimeType)
{
    return SaveCopy(TCopy::Main, sourceItemId, picture, altFileName, names, scaling, mimeType);
}

bool TImageSave::SaveCopy(TCopy kind, int ownerItemId, const TPicture& picture, std::string& altFileName,
                          const std::vector<std::string>& names, const TPictureScaling& scaling,
                          const std::string& mimeType)
{
    const std::optional<TEncodedPicture> encoded = TPictureEncoding::Encode(picture, mimeType, scaling);
    if (!encoded)
        return false;
    WriteCopy(kind, ownerItemId, *encoded, altFileName, names);
    return true;
}

TImageSave::TStored TImageSave::WriteCopy(TCopy kind, int ownerItemId, const TEncodedPicture& encoded,
                                          std::string& altFileName, const std::vector<std::string>& names)
{
    int itemId = 0;
    if (kind == TCopy::Thumbnail)
        itemId = UsableCopy(ownerItemId, "ThumbnailItemId");
    else if (kind == TCopy::Large)
        itemId = UsableCopy(ownerItemId, "LargeItemId");
    if (itemId == 0)
        itemId = CreateImageItem(ownerItemId);

    const TTranslation& translation = TTranslation::OrEnglish(services_.Translation);
    const char* pattern = kind == TCopy::Large ? "$1 (large)" : "$1 (thumbnail)";
    std::vector<std::string> copyNames;
    for (const std::string& entry : names) {
        const auto [lang, name] = SplitEntry(entry);
        copyNames.push_back(lang + "=" + translation.Format(pattern, {name}));
    }
    if (!altFileName.empty())
        altFileName += kind == TCopy::Thumbnail ? "_thumbnail" : kind == TCopy::Large ? "_large" : "_main";
    WriteNames(itemId, copyNames, "", altFileName, false);

    const std::unique_ptr<TTolvexObject> image =
        services_.Objects.GetObjectTyped(itemId, kImageClassId, connection_, Code());
    image->SetLangNumber("ImageWidth", kNoLanguageCode, encoded.Width, 0);
    image->SetLangNumber("ImageHeight", kNoLanguageCode, encoded.Height, 0);
    if (kind == TCopy::Main)
        image->SetLangNumber("LargeItemId", kNoLanguageCode, ownerItemId, 0);
    std::istringstream bytes(encoded.Bytes);
    image->SetBinaryDataById(kImageDataMemberId, kNoLanguageCode, encoded.MimeType, bytes, 0, nullptr);
    image->Save();

    LastItemId = itemId;
    LastWidth = encoded.Width;
    LastHeight = encoded.Height;
    LastBytes = static_cast<std::int64_t>(encoded.Bytes.size());
    LastMimeType = encoded.MimeType;
    return {itemId, encoded.Width, encoded.Height, LastBytes, encoded.MimeType, altFileName};
}

bool TImageSave::CreateMainFromImage(int imageItemId, int size)
{
    TPicture picture;
    std::int64_t bytes = 0;
    std::string mimeType;
    if (!TCommonImages::LoadImageToPicture(Code(), imageItemId, picture, bytes, mimeType, connection_))
        return false;
    std::string alt = services_.Catalog.GetAltFileName(imageItemId, &connection_, Code());
    return SaveMainCopy(imageItemId, picture, alt, StoredNames(imageItemId), {true, size, TImageScaleType::Maximal},
                        mimeType);
}

bool TImageSave::CreateThumbnailFromImage(int imageItemId)
{
    TPicture picture;
    std::int64_t bytes = 0;
    std::string mimeType;
    if (!TCommonImages::LoadImageToPicture(Code(), imageItemId, picture, bytes, mimeType, connection_))
        return false;
    std::string alt = services_.Catalog.GetAltFileName(imageItemId, &connection_, Code());
    const int size = std::atoi(services_.Open.GetCatalogProperty(kThumbnailSizeProperty, connection_).c_str());
    return SaveThumbnailCopy(imageItemId, picture, alt, StoredNames(imageItemId),
                             {true, size, TImageScaleType::Maximal}, mimeType);
}

int TImageSave::GetThumbnailItemId(int mainItemId)
{
    return ReadImageNumber(mainItemId, "ThumbnailItemId");
}

int TImageSave::GetLargeItemId(int mainItemId)
{
    return ReadImageNumber(mainItemId, "LargeItemId");
}

// ---- rows ---------------------------------------------------------------------------------------------------

int TImageSave::ReadImageNumber(int itemId, const char* member)
{
    const std::unique_ptr<TTolvexObject> image =
        services_.Objects.GetObjectTyped(itemId, kImageClassId, connection_, Code());
    return image ? image->GetLangInteger(member, kNoLanguageCode, 0) : 0;
}

int TImageSave::UsableCopy(int mainItemId, const char* member)
{
    const int copy = ReadImageNumber(mainItemId, member);
    if (copy <= 0 || copy == mainItemId)
        return 0;
    TQueryGuard query(connection_);
    query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND "
                  "ItemType = " + std::to_string(kImageItemType) + " AND ParentItemId = :ParentItemId");
    query->SetParam("CatalogCode", Code());
    query->SetParam("ItemId", copy);
    query->SetParam("ParentItemId", mainItemId);
    return query->Open(true).Eof() ? 0 : copy;
}

bool TImageSave::IsImageItem(int itemId)
{
    TQueryGuard query(connection_);
    query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND ItemType = " +
                  std::to_string(kImageItemType));
    query->SetParam("CatalogCode", Code());
    query->SetParam("ItemId", itemId);
    return !query->Open(true).Eof();
}

int TImageSave::CreateImageItem(int parentItemId)
{
    const int itemId = services_.Catalog.CreateItem(kImageItemType, parentItemId, 0, Code(), connection_, 0);
    if (itemId == 0)
        throw ECriticalTolvexException("The image item cannot be created");
    created_.push_back(itemId);
    return itemId;
}

void TImageSave::WriteNames(int itemId, const std::vector<std::string>& names, const std::string& defaultName,
                            const std::string& altFileName, bool keepAltFileName)
{
    const std::unique_ptr<TTolvexObject> object =
        services_.Objects.GetObjectTyped(itemId, kNamesClassId, connection_, Code());
    for (const std::string& entry : names) {
        const auto [lang, name] = SplitEntry(entry);
        if (!lang.empty())
            object->SetStringById(kItemNameMemberId, lang, name, 0);
    }
    const std::string defaultLang = services_.Open.GetDefaultLangCode();
    if (!defaultName.empty() && !object->HasValueById(kItemNameMemberId, defaultLang))
        object->SetStringById(kItemNameMemberId, defaultLang, defaultName, 0);
    // One name for every language: the site has one file of the picture.
    if (!altFileName.empty() || !keepAltFileName) {
        object->ClearMemberById(kAltFileNameMemberId, "");
        if (!altFileName.empty())
            object->SetStringById(kAltFileNameMemberId, kNoLanguageCode, altFileName, 0);
    }
    object->Save();
}

std::vector<std::string> TImageSave::StoredNames(int itemId)
{
    std::vector<std::string> names;
    const std::unique_ptr<TTolvexObject> object =
        services_.Objects.GetObjectTyped(itemId, kNamesClassId, connection_, Code());
    for (const std::string& lang : services_.Open.GetLanguages()) {
        const std::string name = object->GetLangString("ItemName", lang, 0);
        if (!name.empty())
            names.push_back(lang + "=" + name);
    }
    return names;
}
