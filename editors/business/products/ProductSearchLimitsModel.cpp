#include "editors/business/products/ProductSearchLimitsModel.h"

#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"

TProductSearchLimitsModel::TProductSearchLimitsModel(const TSiteModelContext& context) : context_(context) {}

void TProductSearchLimitsModel::Load()
{
    thumbnailSize_.clear();
    nameLength_.clear();
    if (TAbstractCObject* limits = context_.Objects.GetObject(context_.ItemId, "ProductSearchLimits")) {
        thumbnailSize_ = std::to_string(limits->GetLangInteger("ThumbnailSize", context_.LangCode, 0));
        nameLength_ = std::to_string(limits->GetLangInteger("ProductNameLength", context_.LangCode, 0));
    }
}

void TProductSearchLimitsModel::SetValues(const std::string& thumbnailSize, const std::string& nameLength)
{
    thumbnailSize_ = thumbnailSize;
    nameLength_ = nameLength;
}

void TProductSearchLimitsModel::Store()
{
    TAbstractCObject* limits = context_.Objects.GetObject(context_.ItemId, "ProductSearchLimits");
    if (!limits)
        return;
    limits->SetLangNumber("ThumbnailSize", context_.LangCode, TMemberValueText::ReadInteger(thumbnailSize_), 0);
    limits->SetLangNumber("ProductNameLength", context_.LangCode, TMemberValueText::ReadInteger(nameLength_), 0);
}
