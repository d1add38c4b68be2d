#pragma once
// The approved wholesale buyers as a tree data model: the items of type 607
// under item 22, in folders. A buyer's code is its name: a new buyer and a
// renamed one get their "WholesaleBuyerCode" written with the name, by the
// editor's save, and Cancel drops both as it drops every change of the tree.
#include "editors/site/lists/FrameTreeDataEditorModel.h"

class TApprovedBuyersModel : public TFrameTreeDataEditorModel {
public:
    TApprovedBuyersModel(const TSiteModelContext& context, TSettings settings);

    // Root item 22, new items of type 607, folders, the editor's own Save bar.
    static TSettings BuyerSettings();

    // Where a new buyer goes: the selected folder, the parent of the
    // selected buyer, else item 22.
    int NewBuyerParent(int selectedId) const;
    // A new buyer named "New Wholesale Buyer" there; its temporary id.
    int AddBuyer(int selectedId);

protected:
    void NameWritten(int itemId, const std::string& name) override;

private:
    TSiteModelContext context_;
};
