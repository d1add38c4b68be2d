#include "editors/business/network/ApprovedBuyersModel.h"

#include "catalog/CatalogItemsSql.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "publishing/CatalogNetwork.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

TApprovedBuyersModel::TApprovedBuyersModel(const TSiteModelContext& context, TSettings settings)
    : TFrameTreeDataEditorModel(context, std::move(settings)), context_(context)
{
}

TFrameTreeDataEditorModel::TSettings TApprovedBuyersModel::BuyerSettings()
{
    TSettings settings;
    settings.TreeRoot = catalog_network::kBuyersRoot;
    settings.NewItemType = catalog_network::kBuyerItemType;
    settings.DeleteQuestion = "Do you really want to delete \"$1\" wholesale buyer from list of approved buyers?";
    settings.KeepSaveBar = true;
    settings.ShowBottomPanel = true;
    return settings;
}

int TApprovedBuyersModel::NewBuyerParent(int selectedId) const
{
    const TNode* selected = Find(selectedId);
    if (!selected)
        return Settings().TreeRoot;
    if (selected->IsFolder)
        return selected->ItemId;
    return Find(selected->ParentItemId) ? selected->ParentItemId : Settings().TreeRoot;
}

int TApprovedBuyersModel::AddBuyer(int selectedId)
{
    return NewItem(NewBuyerParent(selectedId), Settings().NewItemType,
                   TTranslation::OrEnglish(Translation).Translate("New Wholesale Buyer"));
}

void TApprovedBuyersModel::NameWritten(int itemId, const std::string& name)
{
    const int type = catalog_sql::IntOf(catalog_sql::FirstField(
        context_.Connection, "SELECT ItemType FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
        context_.CatalogCode, "ItemType", {{"ItemId", itemId}}));
    if (type != catalog_network::kBuyerItemType)
        return;
    if (TAbstractCObject* buyer = context_.Objects.GetObject(itemId, "ApprovedWholesaleBuyer"))
        buyer->SetLangString("WholesaleBuyerCode", context_.LangCode, name, 0);
}
