#include "editors/business/products/images/ProductImagesModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/ImageSave.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/WellKnownIds.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <memory>

namespace {

constexpr const char* kClass = "ProductImages";
constexpr const char* kFolder = "FolderName=Product Photos";

}  // namespace

TProductImagesModel::TProductImagesModel(const TSiteModelContext& context, TDeriveThumbnail derive)
    : context_(context), derive_(std::move(derive))
{
}

int TProductImagesModel::DeriveThumbnailThrough(TTolvexControlClass& context, int mainImageId)
{
    TCatalogData* data = context.Data();
    if (!data || mainImageId <= 0)
        return 0;
    const TImageSave::TServices services{context.Services().Root.Catalog(), *data, context.GetObjectFactory(),
                                         &data->GetFolders(), ::Translation};
    TImageSave reader(services, context.GetConnection());
    if (!reader.IsImageItem(mainImageId))
        return 0;
    if (const int existing = reader.UsableCopyId(mainImageId, true))
        return existing;
    int made = 0;
    const std::string code = data->GetCatalogCode();
    TDialogWriteChannel(context).CommitItems({mainImageId}, [&](TAbstractDBConnection& connection) {
        TImageSave save(services, connection);
        if (save.CreateThumbnailFromImage(mainImageId)) {
            made = save.LastItemId;
            // The main image keeps its copy: the next product that uses it finds it.
            std::unique_ptr<TTolvexObject> image =
                services.Objects.GetObjectTyped(mainImageId, kImageClassId, connection, code);
            if (image) {
                image->SetLangNumber("ThumbnailItemId", kNoLanguageCode, made, 0);
                image->Save();
            }
        }
        return save.CreatedItems();
    });
    return made;
}

std::vector<std::string> TProductImagesModel::MainDialogParams(bool useMainForThumbnail)
{
    std::vector<std::string> params;
    if (useMainForThumbnail)
        params.push_back("MustThumbnailCopy=yes");
    params.insert(params.end(), {"CanLargeCopy=yes", kFolder, "AllowDBScale=yes"});
    return params;
}

std::vector<std::string> TProductImagesModel::ThumbnailDialogParams(int mainImageId)
{
    return {kFolder, "ParentItemId=" + std::to_string(mainImageId), "SaveAsThumbnail=yes"};
}

bool TProductImagesModel::Load()
{
    loaded_ = false;
    main_ = thumbnail_ = 0;
    useMain_ = true;
    TAbstractCObject* images = context_.Objects.GetObject(context_.ItemId, kClass);
    if (!images)
        return false;
    main_ = images->GetLangInteger("MainImage", context_.LangCode, 0);
    thumbnail_ = images->GetLangInteger("ThumbnailImage", context_.LangCode, 0);
    useMain_ = !images->GetLangBoolean("NotUseMainImageThumbnail", context_.LangCode, 0);
    loaded_ = true;
    return true;
}

void TProductImagesModel::Write(const char* member, int value)
{
    if (!loaded_)
        return;
    if (TAbstractCObject* images = context_.Objects.GetObject(context_.ItemId, kClass)) {
        if (std::string(member) == "NotUseMainImageThumbnail")
            images->SetLangBoolean(member, context_.LangCode, value != 0, 0);
        else
            images->SetLangNumber(member, context_.LangCode, value, 0);
    }
}

void TProductImagesModel::DeriveFromMain()
{
    thumbnail_ = main_ != 0 && derive_ ? derive_(main_) : 0;
    Write("ThumbnailImage", thumbnail_);
}

void TProductImagesModel::MainChosen(int imageId, int largeImageId)
{
    if (imageId == 0)
        return;
    main_ = imageId;
    Write("MainImage", main_);
    if (useMain_)
        DeriveFromMain();
    if (largeImageId != 0)
        Write("LargeImage", largeImageId);
}

void TProductImagesModel::ThumbnailChosen(int imageId)
{
    if (imageId == 0 || useMain_)
        return;
    thumbnail_ = imageId;
    Write("ThumbnailImage", thumbnail_);
}

void TProductImagesModel::SetUseMainForThumbnail(bool on)
{
    if (on == useMain_)
        return;
    useMain_ = on;
    Write("NotUseMainImageThumbnail", on ? 0 : 1);
    if (on)
        DeriveFromMain();
}

void TProductImagesModel::DeleteMain()
{
    if (useMain_)
        DeleteThumbnail();
    main_ = 0;
    Write("MainImage", 0);
}

void TProductImagesModel::DeleteThumbnail()
{
    thumbnail_ = 0;
    Write("ThumbnailImage", 0);
    SetUseMainForThumbnail(false);
}
