#include "editors/business/network/NetworkEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/network/FrameApprovedWholesaleBuyers.h"
#include "editors/business/network/FrameCoCManagement.h"
#include "editors/business/network/FrameIncludedToCatalog.h"
#include "editors/business/network/FrameLinkToCatalog.h"
#include "editors/business/network/FrameVendorAllListEditor.h"
#include "editors/business/network/FrameVendorInfo.h"
#include "editors/business/network/VendorItemManagers.h"
#include "editors/business/products/ProductContainerFrames.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/ListChanger.h"
#include "editors/site/SiteTabsEditor.h"
#include "editors/site/company/FrameCompanyAddress.h"
#include "editors/site/company/FrameCompanyContact.h"
#include "editors/site/company/FrameCompanyEditor.h"
#include "publishing/CatalogNetwork.h"

namespace {

// The member's tab that holds its editors of kind 1 (the information and the link).
class TFrameVendorInfoContainer : public TProductContainerFrame {
public:
    explicit TFrameVendorInfoContainer(TFrameSite& site)
        : TProductContainerFrame(site, "TFrameVendorInfoContainer", 1)
    {
    }
};

const TFrameClassOf<TFrameVendorAllListEditor> kVendorListFrame("", "TFrameVendorAllListEditor");
const TFrameClassOf<TFrameVendorInfo> kVendorInfoFrame("", "TFrameVendorInfo");
const TFrameClassOf<TFrameVendorInfoContainer> kVendorContainerFrame("", "TFrameVendorInfoContainer");
const TFrameClassOf<TFrameLinkToCatalog> kLinkFrame("", "TFrameLinkToCatalog");
const TFrameClassOf<TFrameIncludedToCatalog> kIncludedFrame("", "TFrameIncludedToCatalog");
const TFrameClassOf<TFrameCoCManagement> kManagementFrame("", "TFrameCoCManagement");
const TFrameClassOf<TFrameApprovedWholesaleBuyers> kBuyersFrame("", "TFrameApprovedWholesaleBuyers");
const TFrameClassOf<TFrameCompanyEditor> kCompanyFrame("", "TFrameCompanyEditor");
const TFrameClassOf<TFrameCompanyAddress> kCompanyAddressFrame("", "TFrameCompanyAddress");
const TFrameClassOf<TFrameCompanyContact> kCompanyContactFrame("", "TFrameCompanyContact");

const std::set<int> kEveryEditingRole = {0, 1, 3, 4};

class TAllVendorsChanger : public TListChanger {
public:
    TAllVendorsChanger(std::string name, std::string params)
        : TListChanger(std::move(name), std::move(params), "All Vendors", "AllVendors-changer",
                       catalog_network::kMembersRoot)
    {
    }
};

// The republishing dialog keeps a small window.
class TCoCManagementEditor : public TSiteTabsEditor {
public:
    TCoCManagementEditor(std::string name, std::string params)
        : TSiteTabsEditor(std::move(name), std::move(params),
                          {{"CoC Manegement", "CoCManagementEditor-basic", &kManagementFrame, {}}}, kEveryEditingRole,
                          true)
    {
    }
    void GetPreferredSize(int& width, int& height) const override
    {
        width = 280;
        height = 220;
    }
};

template <class TEditor>
void RegisterEditor(TInternalPluginsManager& registry, const char* className)
{
    registry.RegisterBuiltinClass(className, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params));
    });
}

void RegisterTabs(TInternalPluginsManager& registry, const char* className, std::vector<TSiteTabsEditor::TTab> tabs,
                  bool singleFrame)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, tabs, kEveryEditingRole, singleFrame));
    });
}

}  // namespace

void RegisterNetworkEditors(TInternalPluginsManager& registry)
{
    RegisterEditor<TVendorItemManager>(registry, "TVendorItemManager");
    RegisterEditor<TVendorListItemManager>(registry, "TVendorListItemManager");
    RegisterEditor<TAllVendorsChanger>(registry, "TAllVendorsChanger");
    RegisterEditor<TCoCManagementEditor>(registry, "TCoCManagementEditor");
    RegisterTabs(registry, "TAllVendorListEditor", {{"All Vendors", "AllVendorListEditor-vendors", &kVendorListFrame, {}}},
                 true);
    RegisterTabs(registry, "TVendorInfoEditor",
                 {{"CoC Member Info", "CoCMember-info", &kVendorInfoFrame, {}},
                  {"Basic", "CompanyEditor-basic", &kCompanyFrame, {}},
                  {"Address", "CompanyEditor-address", &kCompanyAddressFrame, {}},
                  {"Contact", "CompanyEditor-contact", &kCompanyContactFrame, {}}},
                 false);
    RegisterTabs(registry, "TVendorInfoContainer", {{"CoC Member", "CoCMember-container", &kVendorContainerFrame, {}}},
                 false);
    RegisterTabs(registry, "TLinkToCatalogEditor", {{"Link To Catalog", "LinkToCatalogs-basic", &kLinkFrame, {}}},
                 false);
    // "Catalogs" for the plain list, "Intermediate Catalogs" for any other name of the family.
    registry.RegisterBuiltinClass("TIncludedToCatalogsEditor", [](const std::string& name, const std::string& params) {
        const char* caption = name == "IncludedToCatalogs" ? "Catalogs" : "Intermediate Catalogs";
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(
            name, params, {{caption, "Catalogs-basic", &kIncludedFrame, {}}}, kEveryEditingRole, false));
    });
    RegisterTabs(registry, "TApprovedWholesaleBuyersEditor",
                 {{"Approved Wholesale Buyers", "ApprovedWholesaleBuyers-basic", &kBuyersFrame, {}}}, false);
}
