#pragma once
// TProductWizardModel: what the three-page product wizard decides, without
// widgets. The pages collect their values into the wizard's parameter list
// (the keys below); Finish checks them all and creates the whole product
// from them in the save's one unit of work: the product item below the
// products root, its placement in the web tree, its names, the "Product"
// object, the main image with its thumbnail and large copies, and one price
// row with its stock. A failure rolls all of it back; Cancel never wrote
// any of it.
//
// The code follows the rule of the product frames (TProductPropertiesModel):
// stored filtered and upper-cased outside catalog type 12, and refused when
// another product holds it in that form. The price is an amount (TAmount)
// and the stock a whole number, neither below zero.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TProductWizardModel {
public:
    // The parameter keys (name and description end with the language code).
    static constexpr const char* kCode = "ProductCode";
    static constexpr const char* kNamePrefix = "ProductName-";
    static constexpr const char* kDescriptionPrefix = "ProductDescr-";
    static constexpr const char* kMainImage = "MainImageItemId";
    static constexpr const char* kSchedule = "PriceSchedule";
    static constexpr const char* kPrice = "Price";
    static constexpr const char* kQuantity = "Quantity";

    // The page a refusal points at.
    enum class TPage { None, Attributes, Price };
    enum class TField { None, Code, Name, Price, Quantity };
    struct TRefusal {
        std::string Message;  // translated; empty when nothing is refused
        TPage Page = TPage::None;
        TField Field = TField::None;
    };

    // A price schedule as the list shows it (indented by its depth), with its
    // currency (the catalog's default currency when it names none).
    struct TSchedule {
        int ItemId = 0;
        std::string Caption;
        std::string CurrencyCode;
    };

    struct TCreated {
        int DataItemId = 0;
        int PlacementId = 0;  // 0: the product is in no page
    };

    explicit TProductWizardModel(const TSiteModelContext& context);

    // Every price schedule under the schedules root, in tree order.
    std::vector<TSchedule> Schedules() const;

    // The checks of the first page (code, then name in Lang) and of the last one.
    TRefusal CheckAttributes(const std::vector<std::string>& params, const std::string& lang) const;
    TRefusal CheckPrice(const std::vector<std::string>& params) const;
    // Both, first page first.
    TRefusal Check(const std::vector<std::string>& params, const std::string& lang) const;

    // Where the product is placed: Asked when that page may hold products,
    // else the home page (Home) when it may, else nowhere (0).
    int PlacementParent(int asked, int home) const;
    // Creates the product on the context's connection (the caller's unit of work).
    TCreated Create(const std::vector<std::string>& params, int placementParent) const;

private:
    std::string StoredCode(const std::string& typed) const;
    bool MayHoldProducts(int itemId) const;

    TSiteModelContext context_;
};
