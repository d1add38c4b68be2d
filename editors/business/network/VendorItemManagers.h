#pragma once
// The item managers of the catalog network. A member catalog is captioned
// "CoC Member Info: name" ("CoC Member" without a name object). A member
// list is captioned "Vendor List: name", or "Home Page" when it is the home
// page; it is a page, but asks for nothing when it is saved.
#include "editors/framework/PageItemManager.h"

class TVendorItemManager : public TTolvexItemManager {
public:
    using TTolvexItemManager::TTolvexItemManager;

    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;
};

class TVendorListItemManager : public TPageItemManager {
public:
    TVendorListItemManager(std::string name, std::string params);

    std::string GetCaption(TTolvexControlClass& context) override;
    int ValidateItem(TTolvexControlClass& context, std::string& messages) override;
};
