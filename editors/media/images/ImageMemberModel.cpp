#include "editors/media/images/ImageMemberModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractCObject.h"
#include "storage/NameValueLines.h"
#include "storage/ObjectCollection.h"

#include <cstdlib>

std::vector<std::string> TImageMemberConfig::DialogParams() const
{
    std::vector<std::string> params;
    if (!FolderName.empty())
        params.push_back("FolderName=" + FolderName);
    if (MainImageSize > 0)
        params.push_back("MainImageSize=" + std::to_string(MainImageSize));
    if (NeedLargeCopy)
        params.push_back("NeedLargeCopy=yes");
    if (NeedThumbnailCopy)
        params.push_back("NeedThumbnailCopy=yes");
    return params;
}

// ---- one image -----------------------------------------------------------------------------------------

TImageMemberModel::TImageMemberModel(TTolvexControlClass& context, TImageMemberConfig config)
    : context_(context), config_(std::move(config))
{
}

TAbstractCObject* TImageMemberModel::Object()
{
    const int itemId = config_.ItemId ? config_.ItemId : context_.GetItemId();
    return context_.GetObjectCollection().GetObject(itemId, config_.ClassTag);
}

int TImageMemberModel::Load()
{
    lang_.clear();
    imageId_ = 0;
    TAbstractCObject* object = Object();
    if (!object)
        return 0;
    lang_ = context_.GetCurrentLangCode();
    imageId_ = object->GetLangInteger(config_.Member, lang_, 0);
    return imageId_;
}

void TImageMemberModel::Select(int imageId)
{
    if (imageId == 0)
        return;
    if (TAbstractCObject* object = Object()) {
        if (lang_.empty())
            lang_ = context_.GetCurrentLangCode();
        object->SetLangNumber(config_.Member, lang_, imageId, 0);
    }
    imageId_ = imageId;
}

void TImageMemberModel::Store()
{
    if (imageId_ != 0 || lang_.empty())
        return;
    if (TAbstractCObject* object = Object())
        object->SetLangNumber(config_.Member, lang_, 0, 0);
}

// ---- several images ------------------------------------------------------------------------------------------

TMultipleImageMemberModel::TMultipleImageMemberModel(TTolvexControlClass& context, TImageMemberConfig config)
    : context_(context), config_(std::move(config))
{
}

TAbstractCObject* TMultipleImageMemberModel::Object()
{
    const int itemId = config_.ItemId ? config_.ItemId : context_.GetItemId();
    return context_.GetObjectCollection().GetObject(itemId, config_.ClassTag);
}

bool TMultipleImageMemberModel::Load()
{
    lang_ = context_.GetCurrentLangCode();
    TAbstractCObject* object = Object();
    if (!object)
        return false;
    rows_.clear();
    std::vector<std::string> values;
    object->GetLangValues(config_.Member, lang_, nullptr, values);
    std::vector<int> ids;
    for (const std::string& value : values)
        ids.push_back(std::atoi(value.c_str()));
    std::vector<std::string> names;
    if (TCatalogData* data = context_.Data())
        data->GetQueries().GetItemNames(ids, names, context_.GetConnection(), lang_);
    for (const int id : ids) {
        std::string caption = ValueOfName(names, std::to_string(id));
        if (caption.empty())
            caption = context_.Translate("(No name for the language)");
        rows_.push_back({caption, id});
    }
    return true;
}

void TMultipleImageMemberModel::Add(const std::string& caption, int imageId)
{
    if (imageId != 0)
        rows_.push_back({caption, imageId});
}

void TMultipleImageMemberModel::Remove(std::size_t row)
{
    if (row < rows_.size())
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void TMultipleImageMemberModel::Store()
{
    TAbstractCObject* object = Object();
    if (!object || lang_.empty())
        return;
    object->ClearMember(config_.Member, lang_);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        object->SetLangNumber(config_.Member, lang_, rows_[i].ImageId, static_cast<int>(i));
}
