#pragma once
// The approved wholesale buyers: a tree data frame over item 22 whose
// buyers are added and renamed in place (TApprovedBuyersModel), saved with
// the editor's Save and dropped by its Cancel.
#include "editors/site/lists/FrameTreeDataEditor.h"

class TFrameApprovedWholesaleBuyers : public TFrameTreeDataEditor {
public:
    explicit TFrameApprovedWholesaleBuyers(TFrameSite& site);

    void InitControls() override;

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override;
    std::unique_ptr<TFrameTreeDataEditorModel> CreateModel(const TSiteModelContext& context,
                                                           TFrameTreeDataEditorModel::TSettings settings) override;
    void EditSelected() override;
    void AddItem() override;
};
