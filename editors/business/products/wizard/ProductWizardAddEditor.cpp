#include "editors/business/products/wizard/ProductWizardAddEditor.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/business/products/wizard/FrameWizardProductAttributes.h"
#include "editors/business/products/wizard/FrameWizardProductImage.h"
#include "editors/business/products/wizard/FrameWizardProductPrice.h"
#include "editors/business/products/wizard/ProductWizardModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteFrameContext.h"
#include "storage/NameValueLines.h"
#include "storage/ObjectCollection.h"

#include <cstdlib>

namespace {

const TFrameClassOf<TFrameWizardProductAttributes> kAttributesPage("", "TFrameWizardProductAttributes");
const TFrameClassOf<TFrameWizardProductImage> kImagePage("", "TFrameWizardProductImage");
const TFrameClassOf<TFrameWizardProductPrice> kPricePage("", "TFrameWizardProductPrice");

constexpr const char* kAttributesTab = "Product-main";
constexpr const char* kPriceTab = "Product-price";

TSiteModelContext ModelContextOf(TTolvexControlClass& context)
{
    TSiteModelContext model{RootObject->Catalog(),   *context.Data(),       context.GetConnection(),
                            context.GetObjectCollection(), context.GetCatalogCode(), context.GetCurrentLangCode()};
    model.ItemType = context.GetItemType();
    return model;
}

}  // namespace

TProductWizardAddEditor::TProductWizardAddEditor(std::string name, std::string params)
    : TTolvexUIEditor(std::move(name), std::move(params))
{
}

void TProductWizardAddEditor::CreatePages()
{
    AddTab("Product Info", kAttributesTab, &kAttributesPage);
    AddTab("Product Images", "Product-images", &kImagePage);
    AddTab("Product Prices", kPriceTab, &kPricePage);
}

void TProductWizardAddEditor::GetPreferredSize(int& width, int& height) const
{
    width = 560;
    height = 460;
}

bool TProductWizardAddEditor::Save()
{
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string>* params = context.GetParams();
    if (!TTolvexUIEditor::Save() || !params || !context.Data())
        return false;
    // The pages not shown yet never checked their values: the whole product is checked here.
    const TProductWizardModel model(ModelContextOf(context));
    const TProductWizardModel::TRefusal refusal = model.Check(*params, context.GetCurrentLangCode());
    if (!refusal.Message.empty()) {
        ShowFrameError(refusal.Message);
        SelectTab(refusal.Page == TProductWizardModel::TPage::Price ? kPriceTab : kAttributesTab);
        return false;
    }
    const int asked = std::atoi(ValueOfName(editor_params::Split(context.GetActionString()), "ParentItemId").c_str());
    const int parent = model.PlacementParent(asked, RootObject->GetHomePageId());
    const std::vector<std::string> values = *params;
    TTolvexControlClass* owner = &context;
    context.DeferUntilSave("ProductWizard", [owner, values, parent](TAbstractDBConnection&) {
        const TProductWizardModel::TCreated created = TProductWizardModel(ModelContextOf(*owner)).Create(values, parent);
        // Once the window is gone: the web tree shows the new product, and the main editor opens it.
        if (TEditorShell* shell = owner->Services().Shell) {
            if (created.PlacementId != 0)
                shell->QueueAction("Action=Refresh&Name=WebTree&ItemId=" + std::to_string(parent), false);
            shell->QueueAction("Action=PostEditItem&ItemId=" + std::to_string(created.DataItemId) +
                                   "&TreeItemId=" +
                                   std::to_string(created.PlacementId != 0 ? created.PlacementId : created.DataItemId),
                               false);
        }
    });
    return true;
}
