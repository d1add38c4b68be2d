#pragma once
// TFrameShoppingCart: the catalog's shopping cart settings, kept on the
// company item whichever item the tab is opened for: the custom value, the
// "No Notes" and "No Shipping" switches, the two shipping costs (amounts,
// written as round-trip text) and the cart's logo. The logo is the image
// editor nested on the tab: a chosen picture is written into the member at
// once and its new image item goes through the dialog write channel, so the
// item's Cancel brings the previous logo back and takes the new image away.
#include "editors/business/FrameMemberForm.h"

#include <vector>

namespace shopping_cart {

inline constexpr int kCompanyItem = 2001;

std::vector<TMemberField> Fields();
// The parameters of the nested logo editor.
std::string LogoEditorParams();
// Whether the shipping costs can be typed: only when the cart asks for
// shipping (a cost with "No Shipping" ticked would never be charged).
bool CostsEnabled(bool noShipping);

}  // namespace shopping_cart

class TFrameShoppingCart : public TFrameMemberForm {
public:
    explicit TFrameShoppingCart(TFrameSite& site);
    void InitControls() override;

protected:
    int EditedItemId() override { return shopping_cart::kCompanyItem; }
    void AfterLoad() override;
    void FieldChanged(const std::string& control) override;

private:
    void UpdateEnabling();
};

class TInternalPluginsManager;
// The frame plug-in "ShoppingCarts".
void RegisterShoppingCart(TInternalPluginsManager& registry);
