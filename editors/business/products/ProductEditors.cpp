#include "editors/business/products/ProductEditors.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/fields/FrameAdditionalFieldsEdit.h"
#include "editors/business/options/FrameProductOptions.h"
#include "editors/business/options/FrameProductPrices.h"
#include "editors/business/products/FrameProductBasicEditor.h"
#include "editors/business/products/FrameProductShipping.h"
#include "editors/business/products/FrameProductSpecs.h"
#include "editors/business/products/FrameSimpleProductProperties.h"
#include "editors/business/products/ProductContainerFrames.h"
#include "editors/business/products/images/FrameProductAdditionalImages.h"
#include "editors/business/products/images/FrameProductImages.h"
#include "editors/business/products/images/FrameProductLargeImage.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"

namespace {

const TFrameClassOf<TFrameProductAllImages> kAllImagesFrame("", "TFrameProductAllImages");
const TFrameClassOf<TFrameProductBasicEditor> kBasicFrame("", "TFrameProductBasicEditor");
const TFrameClassOf<TFrameSimpleProductProperties> kSimpleFrame("", "TFrameSimpleProductProperties");
const TFrameClassOf<TFrameProductSpecs> kSpecsFrame("", "TFrameProductSpecs");
const TFrameClassOf<TFrameProductShipping> kShippingFrame("", "TFrameProductShipping");
const TFrameClassOf<TFrameAdditionalFieldsEdit> kCustomFieldsFrame("", "TFrameAdditionalFieldsEdit");
const TFrameClassOf<TFrameProductOptions> kOptionsFrame("", "TFrameProductOptions");
const TFrameClassOf<TFrameProductPrices> kPricesFrame("", "TFrameProductPrices");
const TFrameClassOf<TFrameProductImages> kImagesFrame("", "TFrameProductImages");
const TFrameClassOf<TFrameProductAdditionalImages> kAdditionalImagesFrame("", "TFrameProductAdditionalImages");
const TFrameClassOf<TFrameProductLargeImage> kLargeImageFrame("", "TFrameProductLargeImage");

bool AdvancedMode()
{
    return RootObject && RootObject->IsAdvancedMode();
}

}  // namespace

void TProductBasicEditor::CreatePages()
{
    AddTab("Images", "ProductBasicEditor-allimages", &kAllImagesFrame);
    if (AdvancedMode()) {
        AddTab("Product Info", "ProductBasicEditor-basic", &kBasicFrame);
        AddTab("Specs", "ProductBasicEditor-specs", &kSpecsFrame);
    } else {
        AddTab("Product Info", "ProductBasicEditor-basic", &kSimpleFrame);
    }
    if (TCatalogData* data = GetContext()->Data(); data && data->GetCatalogType() == business_ids::kSupplierCatalogType)
        AddTab("Shipping", "ProductBasicEditor-shipping", &kShippingFrame);
    if (AdvancedMode()) {
        AddTab("Options", "ProductBasicEditor-options", &kOptionsFrame);
        AddTab("Prices", kPricesTab, &kPricesFrame);
        AddTab("Custom Fields", "ProductBasicEditor-additional", &kCustomFieldsFrame);
    }
}

void TProductBasicEditor::TabActivated()
{
    // The prices read the product's objects: every tab stores into them
    // first. They stay in the objects; the save writes them.
    if (GetActiveTabName() == kPricesTab)
        GetContainer()->FlushOwnerEditor();
    TTolvexUIEditor::TabActivated();
}

void TProductAllImagesEditor::CreatePages()
{
    AddTab("Main Image", "ProductBasicEditor-images", &kImagesFrame);
    if (MainImageOnly())
        return;
    AddTab("Additional Images", "ProductBasicEditor-additional", &kAdditionalImagesFrame);
    AddTab("Full Size Image", "ProductBasicEditor-largeimage", &kLargeImageFrame);
}
