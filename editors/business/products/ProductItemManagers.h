#pragma once
// The item managers of products and product lines. A product is captioned
// "Product: name" and validated as a page plus its product data: a code and
// a name in the default language are needed (errors, in front of the page's
// messages), and in a catalog of several languages the name of every other
// language is asked for (warnings, after them). A product line is a page
// captioned "Product Line: name", or "Home Page" when it is the home page.
// (The product list's manager only names its editor: a captioned manager.)
#include "editors/framework/PageItemManager.h"

class TProductItemManager : public TPageItemManager {
public:
    TProductItemManager(std::string name, std::string params);

    int ValidateItem(TTolvexControlClass& context, std::string& messages) override;
};

class TProductLineItemManager : public TPageItemManager {
public:
    TProductLineItemManager(std::string name, std::string params);

    std::string GetCaption(TTolvexControlClass& context) override;
};
