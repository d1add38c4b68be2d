#pragma once
// The auction listing of a product:
//  - TFrameProductEBayPrices ("Prices"): the bid and price levels and either
//    the catalog's default options (shown, locked) or the product's own; a
//    minimum bid not above zero refuses the save; after the first save with
//    changes, each save warns while the catalog's defaults are incomplete;
//  - TFrameEBayGallery ("Gallery"): "Featured" and the gallery picture, the
//    image editor nested on the tab (the picture goes with the item's Cancel);
//  - TFrameEBayAdditionalImages ("Additional Images"): the list of photos;
//  - TFrameEBayEditor (the product's "eBay" tab): the item type's editors
//    of the auction kind, nested.
#include "editors/business/FrameMemberForm.h"
#include "editors/business/products/ProductContainerFrames.h"
#include "editors/media/images/FrameMultipleImageDataEditor.h"

#include <QWidget>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TAuctionOptionsBox;
class TInternalPluginsManager;

class TFrameProductEBayPrices : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductEBayPrices(TFrameSite& site);
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

private:
    void Changed();
    void UseDefaultsClicked();
    void SiteChosen();
    void UpdateEnabling();
    void WarnOfDefaults();

    std::string lang_;
    bool loaded_ = false;
    bool warnAfterSave_ = false;
    std::map<std::string, std::string> siteCurrencies_;
    QLineEdit* edtMinimalBid_ = nullptr;
    QCheckBox* chkReserved_ = nullptr;
    QLineEdit* edtReserved_ = nullptr;
    QCheckBox* chkBuyItNow_ = nullptr;
    QLineEdit* edtBuyItNow_ = nullptr;
    QLineEdit* edtQuantity_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QCheckBox* chkUseDefaults_ = nullptr;
    TAuctionOptionsBox* options_ = nullptr;
};

class TFrameEBayGallery : public TFrameMemberForm {
public:
    explicit TFrameEBayGallery(TFrameSite& site);
    void InitControls() override;
};

class TFrameEBayAdditionalImages : public TFrameMultipleImageDataEditor {
public:
    explicit TFrameEBayAdditionalImages(TFrameSite& site);
};

class TFrameEBayEditor : public TProductContainerFrame {
public:
    static constexpr int kEditorKind = 200;
    explicit TFrameEBayEditor(TFrameSite& site) : TProductContainerFrame(site, "TFrameEBayEditor", kEditorKind) {}
};

// "TGlobalEbayOptionsEditor", "TEBayEditor" and "TProductEBayPricesEditor".
void RegisterAuctionEditors(TInternalPluginsManager& registry);
