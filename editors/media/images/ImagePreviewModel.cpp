#include "editors/media/images/ImagePreviewModel.h"

#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/BinaryDataInfo.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/PictureFile.h"
#include "common/PictureTransform.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <filesystem>
#include <sstream>

namespace {

std::string UpperSubtype(const std::string& mimeType)
{
    std::string subtype = TCommonFunctions::GetMimeSubtype(mimeType);
    for (char& c : subtype)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return subtype;
}

const char* FormatName(TPictureKind kind)
{
    switch (kind) {
    case TPictureKind::Jpeg: return "JPEG";
    case TPictureKind::Gif: return "GIF";
    case TPictureKind::Png: return "PNG";
    case TPictureKind::Icon: return "ICO";
    case TPictureKind::Bitmap: return "BMP";
    }
    return "";
}

const TTranslation& Texts()
{
    return TTranslation::OrEnglish(::Translation);
}

}  // namespace

TImagePreviewModel::TServices TImagePreviewModel::ServicesOf(TTolvexControlClass& context)
{
    TTolvexControlClass* at = &context;
    return {&context.Services().Root.Catalog(), &context.GetConnection(), context.GetCatalogCode(),
            [at] { return at->GetCurrentLangCode(); }};
}

std::string TImagePreviewModel::CodeOr(const std::string& catalogCode) const
{
    return catalogCode.empty() ? services_.OpenCatalogCode : catalogCode;
}

void TImagePreviewModel::TakePicture(TPicture picture, std::int64_t bytes, std::string typeText)
{
    picture_ = std::move(picture);
    bytes_ = bytes;
    typeText_ = std::move(typeText);
}

bool TImagePreviewModel::LoadFromFile(const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return false;
    TPicture picture = TPictureFile::Load(fileName);
    TakePicture(std::move(picture), static_cast<std::int64_t>(std::filesystem::file_size(fileName, error)),
                UpperSubtype(TCommonFunctions::GetMimeTypeByFileName(fileName)));
    mimeType_.clear();
    name_.clear();
    altFileName_.clear();
    itemId_ = 0;
    return true;
}

bool TImagePreviewModel::LoadFromStream(const std::string& bytes, const std::string& mimeType)
{
    if (common_detail::LowerCase(mimeType).rfind("image/", 0) != 0)
        return false;
    TPicture picture = TPictureFile::Decode(bytes);
    const std::string format = FormatName(picture.Kind());
    TakePicture(std::move(picture), static_cast<std::int64_t>(bytes.size()), format);
    mimeType_.clear();
    name_.clear();
    altFileName_.clear();
    itemId_ = 0;
    return true;
}

bool TImagePreviewModel::LoadImageItem(int itemId, const std::string& catalogCode)
{
    if (!services_.Catalog || !services_.Connection)
        return false;
    const std::string code = CodeOr(catalogCode);
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    if (!TCommonImages::LoadImageToPicture(code, itemId, picture, size, mimeType, *services_.Connection))
        return false;
    const std::string lang = services_.LangCode ? services_.LangCode() : std::string(kNoLanguageCode);
    const std::unique_ptr<TTolvexObject> names =
        services_.Catalog->GetObjectFactory().GetObjectTyped(itemId, kNamesClassId, *services_.Connection, code);
    name_ = names->GetLangString("ItemName", lang, 0);
    if (name_.empty())
        name_ = names->GetLangString("ItemName", kNoLanguageCode, 0);
    // The name publishing writes the file under.
    altFileName_ = services_.Catalog->GetAltFileName(itemId, services_.Connection, code);
    itemId_ = itemId;
    mimeType_ = mimeType;
    TakePicture(std::move(picture), size, mimeType);
    return true;
}

bool TImagePreviewModel::LoadImageFromCollection(int itemId, const std::string& catalogCode,
                                                 TAbstractObjectCollection& collection)
{
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    if (!TCommonImages::LoadCollectionImageToPicture(itemId, picture, size, mimeType, collection))
        return false;
    const std::string lang = services_.LangCode ? services_.LangCode() : std::string(kNoLanguageCode);
    name_.clear();
    altFileName_.clear();
    if (TAbstractCObject* names = collection.GetObject(itemId, "CommonNames")) {
        name_ = names->GetLangString("ItemName", lang, 0);
        if (name_.empty())
            name_ = names->GetLangString("ItemName", kNoLanguageCode, 0);
        altFileName_ = names->GetLangString("AltFileName", kNoLanguageCode, 0);
        if (altFileName_.empty())
            altFileName_ = names->GetLangString("AltFileName", lang, 0);
    }
    (void)catalogCode;
    itemId_ = itemId;
    mimeType_ = mimeType;
    TakePicture(std::move(picture), size, mimeType);
    return true;
}

void TImagePreviewModel::RotateRight()
{
    if (HasPicture())
        picture_ = TPictureTransform::Apply(picture_, TTransformMode::RotateClockwise);
}

void TImagePreviewModel::RotateLeft()
{
    if (HasPicture())
        picture_ = TPictureTransform::Apply(picture_, TTransformMode::RotateCounterClockwise);
}

std::string TImagePreviewModel::FormatLabel() const
{
    return mimeType_.empty() ? typeText_ : UpperSubtype(mimeType_);
}

std::string TImagePreviewModel::DimensionsText() const
{
    return Texts().Format("Image size: $1 x $2", {Width(), Height()});
}

std::string TImagePreviewModel::FileText() const
{
    return Texts().Format("$1: $2 bytes", {FormatLabel(), static_cast<long long>(bytes_)});
}

std::string TImagePreviewModel::PublishedAddress() const
{
    if (itemId_ == 0 && altFileName_.empty())
        return {};
    return "../images/" + TCommonImages::PublishedFileName(std::to_string(itemId_), altFileName_, mimeType_);
}

std::string TImagePreviewModel::CaptionText() const
{
    if (name_.empty())
        return {};
    const std::string address = PublishedAddress();
    return address.empty() ? name_ : Texts().Format("$1 (url: $2)", {name_, address});
}
