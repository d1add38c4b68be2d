#include "editors/business/products/MultiColorModel.h"

#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

TMultiColorModel::TMultiColorModel(const TSiteModelContext& context) : context_(context) {}

void TMultiColorModel::Load()
{
    colors_.clear();
    if (TAbstractCObject* details = context_.Objects.GetObject(context_.ItemId, "ProductSpecs"))
        details->GetLangValues("RGB", context_.LangCode, nullptr, colors_);
    loaded_ = colors_;
}

int TMultiColorModel::Add(const std::string& hex)
{
    colors_.push_back(hex);
    return static_cast<int>(colors_.size()) - 1;
}

void TMultiColorModel::Change(int row, const std::string& hex)
{
    if (row >= 0 && row < static_cast<int>(colors_.size()))
        colors_[static_cast<std::size_t>(row)] = hex;
}

void TMultiColorModel::Remove(int row)
{
    if (row >= 0 && row < static_cast<int>(colors_.size()))
        colors_.erase(colors_.begin() + row);
}

void TMultiColorModel::Store()
{
    if (!IsModified())
        return;
    TAbstractCObject* details = context_.Objects.GetObject(context_.ItemId, "ProductSpecs");
    if (!details)
        return;
    details->ClearMember("RGB", context_.LangCode);
    for (const std::string& color : colors_)
        details->SetLangString("RGB", context_.LangCode, color, -1);
    loaded_ = colors_;
}
