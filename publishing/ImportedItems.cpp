#include "publishing/ImportedItems.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "common/CommonImages.h"
#include "common/WellKnownIds.h"
#include "common/Picture.h"
#include "storage/AbstractDBConnection.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

constexpr const char* kNamesClassTag = "CommonNames";

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; });
}

}  // namespace

TImportedItems::TImportedItems(TTolvex& root, TAbstractDBConnection& connection, const std::string& catalogCode,
                               TCommonGui& gui)
    : root_(root),
      connection_(connection),
      code_(catalogCode),
      catalog_(root.Catalog()),
      queries_(catalog_, root.ObjectContext()),
      folders_({catalog_, root.Catalog(), queries_, root.ObjectContext(), gui, root.Settings()})
{
    catalog_.SetCatalogCode(code_);
    catalog_.LoadLanguages(connection_);
}

// ---- items ------------------------------------------------------------------------------------

int TImportedItems::NewItemId()
{
    return LocalIdFromSequence(connection_.NextSequenceId(code_, kItemsSequence));
}

int TImportedItems::ItemType(int itemId)
{
    return queries_.GetItemType(itemId, code_, connection_);
}

int TImportedItems::ParentOf(int itemId)
{
    return root_.Catalog().GetParentItemId(itemId, code_, connection_);
}

int TImportedItems::Create(int itemType, int parentId, int itemId)
{
    // The id is always drawn here, from this catalog's own sequence.
    return root_.Catalog().CreateItem(itemType, parentId, 0, code_, connection_, itemId != 0 ? itemId : NewItemId());
}

int TImportedItems::CreateInRange(int itemType, int parentId, int minId, int maxId)
{
    return root_.Catalog().CreateItemInRange(minId, maxId, itemType, parentId, 0, code_, connection_);
}

int TImportedItems::ItemForBaseName(const std::string& baseName, int itemType)
{
    int number = 0;
    const auto [end, error] = std::from_chars(baseName.data(), baseName.data() + baseName.size(), number);
    if (error == std::errc() && end == baseName.data() + baseName.size())
        return number > 0 && ItemType(number) == itemType ? number : 0;
    return baseName.empty() ? 0 : root_.Catalog().FindItemByAltFileName(baseName, connection_, code_, itemType);
}

int TImportedItems::Folder(int parentId, const std::string& name)
{
    if (const int found = folders_.FindOrCreateFolder(parentId, name, false, connection_, kNoLanguageCode))
        return found;
    const int folderId = Create(kFolderItemType, parentId);
    std::unique_ptr<TTolvexObject> names = TTolvexObjectFactory(root_.ObjectContext())
                                               .GetObjectTyped(folderId, kNamesClassId, connection_, code_);
    names->SetStringById(kItemNameMemberId, kNoLanguageCode, name, 0);
    names->SetStringById(kItemNameMemberId, DefaultLangCode(), name, 0);
    names->Save();
    return folderId;
}

std::string TImportedItems::UniqueName(const std::string& name)
{
    return folders_.MakeUniqueItemName(name, connection_);
}

// ---- values -------------------------------------------------------------------------------------

void TImportedItems::SetName(int itemId, const std::string& name, const std::string& langCode)
{
    SetText(itemId, kNamesClassTag, langCode.empty() ? DefaultLangCode() : langCode, name, "ItemName");
}

bool TImportedItems::SetAltFileName(int itemId, const std::string& name)
{
    if (!IsPlainFileName(name) || root_.Catalog().AltFileNameExists(name, itemId, connection_, code_))
        return false;
    SetText(itemId, kNamesClassTag, kNoLanguageCode, name, "AltFileName");
    return true;
}

void TImportedItems::SetText(int itemId, const std::string& classTag, const std::string& langCode,
                             const std::string& text, const std::string& member)
{
    const int classId = root_.ObjectContext().GetClassId(classTag);
    TTolvexObjectFactory factory(root_.ObjectContext());
    std::unique_ptr<TTolvexObject> object = factory.GetObjectTyped(itemId, classId, connection_, code_);
    if (object->GetInstanceId() == 0)
        object = factory.CreateObjectTyped(itemId, classId, 0, connection_, code_);
    object->Load();
    object->SetLangString(member, langCode, text, 0);
    object->Save();
}

std::string TImportedItems::GetText(int itemId, const std::string& classTag, const std::string& langCode,
                                    const std::string& member)
{
    const int classId = root_.ObjectContext().GetClassId(classTag);
    std::unique_ptr<TTolvexObject> object =
        TTolvexObjectFactory(root_.ObjectContext()).GetObjectTyped(itemId, classId, connection_, code_);
    if (!object || object->GetInstanceId() == 0)
        return {};
    object->Load();
    return object->GetLangString(member, langCode, 0);
}

// ---- pictures --------------------------------------------------------------------------------------

std::optional<TImportedItems::TEncodedPicture> TImportedItems::PreparePicture(const std::string& bytes,
                                                                       const std::string& mimeType)
{
    if (bytes.empty() || !TCommonImages::IsImageMimeType(mimeType))
        return std::nullopt;
    const std::unique_ptr<TPicture> decoded = TCommonImages::LoadGraphicFromBytes(mimeType, bytes);
    if (!decoded)
        return std::nullopt;
    return EncodePicture(*decoded, mimeType);
}

std::optional<TImportedItems::TEncodedPicture> TImportedItems::EncodePicture(TPicture& decoded,
                                                                      const std::string& mimeType)
{
    std::ostringstream encoded;
    TEncodedPicture picture;
    std::int64_t size = 0;
    if (!TCommonImages::SavePictureToStream(decoded, mimeType, false, 0, TImageScaleType::Maximal, encoded,
                                            picture.Width, picture.Height, size, picture.MimeType) ||
        picture.Width <= 0 || picture.Height <= 0)
        return std::nullopt;
    picture.Bytes = encoded.str();
    return picture;
}

void TImportedItems::StorePicture(int itemId, const TEncodedPicture& picture, bool dropCopies)
{
    std::unique_ptr<TTolvexObject> image =
        TTolvexObjectFactory(root_.ObjectContext()).GetObjectTyped(itemId, kImageClassId, connection_, code_);
    image->Load();
    image->SetLangNumber("ImageWidth", kNoLanguageCode, picture.Width, 0);
    image->SetLangNumber("ImageHeight", kNoLanguageCode, picture.Height, 0);
    std::istringstream bytes(picture.Bytes);
    image->SetBinaryDataById(kImageDataMemberId, kNoLanguageCode, picture.MimeType, bytes, 0, nullptr);
    if (dropCopies) {
        image->SetLangNumber("ThumbnailItemId", kNoLanguageCode, 0, 0);
        image->SetLangNumber("LargeItemId", kNoLanguageCode, 0, 0);
        image->SetLangBoolean("IsBackgroundImage", kNoLanguageCode, false, 0);
    }
    image->Save();
}
