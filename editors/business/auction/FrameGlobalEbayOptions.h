#pragma once
// TFrameGlobalEbayOptions: the catalog's "eBay Options" tab, the default
// auction listing options (TAuctionOptions) written as catalog properties
// with the item's save. A save is refused, with every problem in one box,
// while no payment method is ticked or the payment service's account is
// missing or no e-mail address.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

class TAuctionOptionsBox;
class TFrameSite;

class TFrameGlobalEbayOptions : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameGlobalEbayOptions(TFrameSite& site);
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

private:
    TAuctionOptionsBox* options_ = nullptr;
};
