#include "editors/business/network/FrameApprovedWholesaleBuyers.h"

#include "editors/business/network/ApprovedBuyersModel.h"

#include <QPushButton>

TFrameApprovedWholesaleBuyers::TFrameApprovedWholesaleBuyers(TFrameSite& site) : TFrameTreeDataEditor(site)
{
    setObjectName("TFrameApprovedWholesaleBuyers");
}

void TFrameApprovedWholesaleBuyers::InitControls()
{
    TFrameTreeDataEditor::InitControls();
    HelpButton()->hide();
}

TFrameTreeDataEditorModel::TSettings TFrameApprovedWholesaleBuyers::Settings()
{
    return TApprovedBuyersModel::BuyerSettings();
}

std::unique_ptr<TFrameTreeDataEditorModel> TFrameApprovedWholesaleBuyers::CreateModel(
    const TSiteModelContext& context, TFrameTreeDataEditorModel::TSettings settings)
{
    return std::make_unique<TApprovedBuyersModel>(context, std::move(settings));
}

void TFrameApprovedWholesaleBuyers::EditSelected()
{
    const TFrameTreeDataEditorModel::TNode* node = Model() ? Model()->Find(SelectedId()) : nullptr;
    if (node && !node->IsFolder)
        EditCaption(node->ItemId);
}

void TFrameApprovedWholesaleBuyers::AddItem()
{
    auto* model = static_cast<TApprovedBuyersModel*>(Model());
    if (!model || IsEditingCaption())
        return;
    if (const int id = model->AddBuyer(SelectedId()))
        EditCaption(id);
}
