#include "editors/business/BusinessEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/PlaceholderFrameClass.h"
#include "editors/business/auction/AuctionFrames.h"
#include "editors/business/cart/FrameShoppingCart.h"
#include "editors/business/codes/CodesEditors.h"
#include "editors/business/fields/FrameAdditionalFields.h"
#include "editors/business/network/NetworkEditorsRegistration.h"
#include "editors/business/hotels/HospitalityEditors.h"
#include "editors/business/options/OptionEditorsRegistration.h"
#include "editors/business/services/ServiceFrames.h"
#include "editors/business/supplier/SupplierFrames.h"
#include "editors/business/products/FrameListProductsEditor.h"
#include "editors/business/products/FrameMultiColorEditor.h"
#include "editors/business/products/FrameProductInfo.h"
#include "editors/business/products/FrameProductSearchLimits.h"
#include "editors/business/products/FrameSimpliestProductProperties.h"
#include "editors/business/products/ProductContainerFrames.h"
#include "editors/business/products/ProductEditors.h"
#include "editors/business/products/ProductItemManagers.h"
#include "editors/business/products/images/FrameProductImages.h"
#include "editors/business/products/wizard/ProductWizardAddEditor.h"
#include "editors/business/schedules/FramePriceScheduleDetail.h"
#include "editors/business/schedules/FramePriceSchedulesEditor.h"
#include "editors/framework/CaptionedItemManager.h"
#include "editors/framework/FrameClass.h"
#include "editors/site/SiteTabsEditor.h"

namespace {

const TFrameClassOf<TFrameProduct> kProductFrame("", "TFrameProduct");
const TFrameClassOf<TFrameListProductsEditor> kProductListFrame("", "TFrameListProductsEditor");
const TFrameClassOf<TFrameProductInfo> kProductInfoFrame("", "TFrameProductInfo");
const TFrameClassOf<TFrameProductSearchLimits> kSearchLimitsFrame("", "TFrameProductSearchLimits");
const TFrameClassOf<TFrameMultiColorEditor> kMultiColorFrame("", "TFrameMultiColorEditor");
const TFrameClassOf<TFramePriceSchedulesEditor> kSchedulesFrame("", "TFramePriceSchedulesEditor");
const TFrameClassOf<TFramePriceScheduleDetail> kScheduleDetailFrame("", "TFramePriceScheduleDetail");
const TFrameClassOf<TFrameAdditionalFields> kFieldsFrame("", "TFrameAdditionalFields");
const TFrameClassOf<TFrameProductImages> kImagesFrame("", "TFrameProductImages");

const std::set<int> kEveryEditingRole = {0, 1, 3, 4};
const std::set<int> kAdministrators = {0, 1};

template <class TEditor>
void RegisterEditor(TInternalPluginsManager& registry, const char* className)
{
    registry.RegisterBuiltinClass(className, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params));
    });
}

void RegisterTab(TInternalPluginsManager& registry, const char* className, const char* caption, const char* tabName,
                 const TAbstractFrameClass* frameClass, std::set<int> saveRoles, bool singleFrame)
{
    const std::vector<TSiteTabsEditor::TTab> tabs = {{caption, tabName, frameClass, {}}};
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(name, params, tabs, saveRoles, singleFrame));
    });
}

}  // namespace

void RegisterBusinessEditors(TInternalPluginsManager& registry)
{
    RegisterHospitalityEditors(registry);
    RegisterServiceEditors(registry);
    RegisterEditor<TProductBasicEditor>(registry, "TProductBasicEditor");
    RegisterEditor<TProductAllImagesEditor>(registry, "TProductAllImagesEditor");
    // The wizard registers itself under its plug-in name.
    registry.RegisterPluginClass("WizardProductAddEditor", pkItemEditor,
                                 [](const std::string& name, const std::string& params) {
                                     return std::unique_ptr<TAbstractPluginClass>(
                                         new TProductWizardAddEditor(name, params));
                                 });
    RegisterTab(registry, "TProductEditor", "Product", "Product-main", &kProductFrame, kEveryEditingRole, false);
    RegisterTab(registry, "TProductImagesEditor", "Images", "ProductImagesEditor-images", &kImagesFrame,
                kEveryEditingRole, false);
    RegisterTab(registry, "TProductListEditor", "All Products", "AllProductsListEditor-products", &kProductListFrame,
                kEveryEditingRole, true);
    RegisterTab(registry, "TProductInfoViewer", "Product Info", "ProductInfo-basic", &kProductInfoFrame,
                kEveryEditingRole, true);
    RegisterTab(registry, "TProductSearchLimits", "Search Parameters", "ProductSearch-basic", &kSearchLimitsFrame,
                kEveryEditingRole, false);
    RegisterTab(registry, "TMultiColorEditor", "Colors", "MultiColorEditor", &kMultiColorFrame, kEveryEditingRole,
                true);
    RegisterTab(registry, "TPriceSchedulesEditor", "Price Schedules", "PriceSchedules-basic", &kSchedulesFrame,
                kAdministrators, true);
    RegisterTab(registry, "TPriceScheduleDetailEditor", "Schedule Detail", "PriceSchedule-detail",
                &kScheduleDetailFrame, kEveryEditingRole, true);
    RegisterTab(registry, "TAdditionalFieldsEditor", "Custom Fields", "OptionsEditor-additional", &kFieldsFrame,
                kAdministrators, false);
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameSimpliestProductProperties>>(
        "ProductSimplifiedEditor", "TFrameSimpliestProductProperties", "Product Info", "Product-info", false));

    RegisterOptionEditors(registry);

    RegisterEditor<TProductItemManager>(registry, "TProductItemManager");
    RegisterEditor<TProductLineItemManager>(registry, "TProductLineItemManager");
    registry.RegisterBuiltinClass("TProductListItemManager", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TCaptionedItemManager(name, params, "All Products", "", true));
    });
    RegisterNetworkEditors(registry);
    RegisterShoppingCart(registry);
    RegisterAuctionEditors(registry);
    RegisterSupplierEditors(registry);
    RegisterCodesEditors(registry);
}
