#include "editors/business/cart/FrameShoppingCart.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/FrameImageMemberTab.h"
#include "editors/framework/FrameClass.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace shopping_cart {

std::vector<TMemberField> Fields()
{
    return {
        MemberField("edtCustom", "Custom:", "PaypalSettings", "Custom"),
        MemberField("chkNoNote", "No Notes", "PaypalSettings", "NoNote", TMemberField::Boolean),
        MemberField("chkNoShipping", "No Shipping", "PaypalSettings", "NoShipping", TMemberField::Boolean),
        MemberField("edtShipping", "Shipping Cost:", "PaypalSettings", "Shipping", TMemberField::Amount),
        MemberField("edtShipping2", "Shipping Cost 2:", "PaypalSettings", "Shipping2", TMemberField::Amount),
    };
}

std::string LogoEditorParams()
{
    return "class=PaypalSettings&member=PaypalLogo&foldername=PayPal&savelarge=no&mainimagesize=150&itemid=" +
           std::to_string(kCompanyItem) + "&tabcaption=Logo&tabname=Image-PaypalLogo";
}

bool CostsEnabled(bool noShipping)
{
    return !noShipping;
}

}  // namespace shopping_cart

TFrameShoppingCart::TFrameShoppingCart(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameShoppingCart", shopping_cart::Fields())
{
}

void TFrameShoppingCart::InitControls()
{
    TFrameMemberForm::InitControls();
    // The logo's own tab, below the fields, takes the room that is left.
    NestEditor(PageBelowFields("pnlLogo"), TFrameImageMemberTab::kEditorName, shopping_cart::LogoEditorParams());
}

void TFrameShoppingCart::AfterLoad()
{
    UpdateEnabling();
}

void TFrameShoppingCart::FieldChanged(const std::string& control)
{
    if (control == "chkNoShipping")
        UpdateEnabling();
}

void TFrameShoppingCart::UpdateEnabling()
{
    auto* noShipping = qobject_cast<QCheckBox*>(Control("chkNoShipping"));
    const bool enabled = noShipping && noShipping->isEnabled() && shopping_cart::CostsEnabled(noShipping->isChecked());
    SetFieldEnabled("edtShipping", enabled);
    SetFieldEnabled("edtShipping2", enabled);
}

void RegisterShoppingCart(TInternalPluginsManager& registry)
{
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameShoppingCart>>(
        "ShoppingCarts", "TFrameShoppingCart", "Shopping Carts", "ShoppingCart-basic", false));
}
