// Every item type that the web tree or the templates tree of a shipped
// catalog type can hold, the catalog options that the Catalog menu opens,
// and the product list, the price schedules and the custom fields that the
// View menu opens (with a schedule and a field of their own), open in the
// main window's editor pane with real editors, in the simple and in the
// advanced mode (whose editor lists differ): for each pair of catalog type
// and item type, a catalog of that type is made, an item of that type is
// found in its trees (or added through the tree; the lists through their
// menu action), every tab of its editor is visited, and every page that only
// stands for a missing editor is collected. A missing site, product,
// picture, network, hotel, restaurant or service editor fails the case;
// placeholders of other kinds of editors are only printed.
#include "../framework/MainWindowFixture.h"
#include "../framework/PlaceholderPages.h"

#include "catalog/CatalogDefinition.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeWalk.h"
#include "common/XmlPtr.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "storage/QueryGuard.h"
#include "storage/ObjectFactory.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"
#include "support/TestPaths.h"

#include <QApplication>

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

namespace {

// The site editors and their frames: each class named here must open as a
// real editor for the item types whose editor lists name it.
const std::set<std::string> kSiteEditorClasses = {
    "TFrameTreeDataEditor", "TFrameAllStoriesViewer", "TAllStoriesViewer", "TAllStoriesChanger",
    "TFrameListData", "TListDataEditor", "TFrameTreeListOfItemsViewer", "TTreeListOfItems",
    "TOptionsEditor", "TFrameOptionsEditor", "TFrameOptionsLocalize", "TFrameAdvancedOptions",
    "TFrameUsersEditor", "TInitEditor", "TFrameInitEditor", "TItemPropertiesEditor", "TFrameItemProperties",
    "TWebForm", "TFrameWebForm", "TTolvexAboutViewer", "TFrameTolvexAbout",
    "TPagePropertiesEditor", "TFramePagePropetiesEditor", "TSimplePagePropertiesEditor",
    "TFrameSimplePageProperties", "TWebPageEditor", "TFrameWebPageContainer", "TJavaScriptPropertiesEditor",
    "TFrameJavaScriptPropertiesEditor", "TPageLinksEditor", "TFramePageLinks", "TWebPageMetaTagsEditor",
    "TFramePageMetaTags", "TFrameSimplePageMetaTags", "TCompanyEditor", "TBasicCompanyEditor", "TAddressEditor",
    "TContactEditor", "TFrameCompanyEditor", "TFrameCompanyAddress", "TFrameCompanyContact",
    "TFrameAllCompanyInfo", "TFrameFroogle"};

// The product's editors, the product list, the price schedules and the
// custom fields, with their frames, the product's picture tabs among them.
const std::set<std::string> kBusinessEditorClasses = {
    "TProductBasicEditor", "TProductEditor", "TFrameProduct", "TProductAllImagesEditor", "TFrameProductAllImages",
    "TProductImagesEditor", "TProductListEditor", "TFrameListProductsEditor", "TProductInfoViewer",
    "TFrameProductInfo", "TPriceSchedulesEditor", "TFramePriceSchedulesEditor", "TPriceScheduleDetailEditor",
    "TFramePriceScheduleDetail", "TAdditionalFieldsEditor", "TFrameAdditionalFields", "TFrameAdditionalFieldsEdit",
    "TFrameProductBasicEditor", "TFrameProductSpecs", "TFrameProductShipping", "TFrameSimpleProductProperties",
    "TFrameSimpliestProductProperties", "TProductSearchLimits", "TFrameProductSearchLimits", "TMultiColorEditor",
    "TFrameMultiColorEditor", "TFrameProductImages", "TFrameProductAdditionalImages", "TFrameProductLargeImage",
    "TProductWizardAddEditor"};

// The picture editors: the image dialog and its tabs, the image member tabs
// and the preview frame; none of them may be a placeholder either.
const std::set<std::string> kPictureEditorClasses = {
    "TImageEditor", "TFrameImageDisk", "TFrameImageInet", "TFrameImageDataEditor", "TFrameCommonImageEditor",
    "TCommonImageEditor", "TFrameMultipleImageDataEditor", "TFrameImageContainer", "TImageEdit", "TFrameImageEditor",
    "TFrameEditImages"};

// The catalog network's editors: the members, their list, the link to a
// catalog, the lists of catalogs, the approved wholesale buyers.
const std::set<std::string> kNetworkEditorClasses = {
    "TAllVendorListEditor", "TFrameVendorAllListEditor", "TAllVendorsChanger", "TVendorInfoEditor",
    "TFrameVendorInfo", "TVendorInfoContainer", "TFrameVendorInfoContainer", "TLinkToCatalogEditor",
    "TFrameLinkToCatalog", "TIncludedToCatalogsEditor", "TFrameIncludedToCatalog", "TCoCManagementEditor",
    "TFrameCoCManagement", "TApprovedWholesaleBuyersEditor", "TFrameApprovedWholesaleBuyers"};

// The hotel, room, season, restaurant and service editors with their frames
// (the pictures' frames inside them are another matter).
const std::set<std::string> kHospitalityAndServiceClasses = {
    "TAllRoomsEditor", "TFrameAllRoomsEditor", "TAllRoomsChanger", "THotelEditor", "TRoomEditor", "TVBHHotelEditor",
    "TVBHRoomEditor", "THotelOptionsEditor", "THotelFacilitiesEditor", "THotelSeasonsEditor", "TVBHEditSeasonEditor",
    "TVBHEditPriceEditor", "TRestaurantEditor", "TFrameHotelInfo", "TFrameZOZHotelInfo", "TFrameVIDOHotelInfo",
    "TFrameHotelMeta", "TFrameHotelFacilities", "TFrameZOZPayments", "TFrameHotelSeasons", "TFrameRoomInfo",
    "TFrameRoomPrice", "TFrameZOZRoom", "TFrameRestaurantProperties", "TFrameHotelDescription",
    "TFrameFacilitiesDescription", "TFrameLocationDescription", "TFrameRoomDescription", "TAllRoomsItemManager",
    "TRoomItemManager", "THotelItemManager", "TRoomsRatesItemManager", "TRestaurantItemManager",
    "TTolvexServiceEditor", "TFrameServiceProperties", "TFrameTolvexServices", "TServiceGroupEditor",
    "TFrameServicesGroup", "TFrameServicePackages", "TFrameInitService", "TFrameCustomTemplate",
    "TTolvexServiceFieldEditor", "TFrameServiceFieldEditor", "TFrameRoomAdditionalPhotos"};

// The template editors: the property tabs, the settings tab, the template
// preview and the item manager of template items.
const std::set<std::string> kTemplateEditorClasses = {
    "TMasterTemplateEditor", "TFrameMasterTemplateEditor", "TTemplatePropertiesEditor",
    "TFrameTemplatePropertiesEditor", "TFrameTemplateSettings", "TPreviewTemplateViewer", "TFramePreviewTemplate",
    "TTemplateItemManager"};

// The shopping cart, the auction listing options and a product's listing,
// and the supplier profile with its row dialogs.
const std::set<std::string> kCommerceEditorClasses = {
    "TFrameShoppingCart", "TGlobalEbayOptionsEditor", "TFrameGlobalEbayOptions", "TEBayEditor", "TFrameEBayEditor",
    "TProductEBayPricesEditor", "TFrameProductEBayPrices", "TFrameEBayGallery", "TFrameEBayAdditionalImages",
    "TSupplierInfoEditor", "TFrameSupplierInfo", "TBTCASupplierExportInfo", "TFrameZUDISupplierExport",
    "TBTCASupplierCertificate", "TFrameZUDICertificate", "TBTCASupplierReferences", "TFrameZUDIReferences"};

// The classification codes tabs and the "Category" tab that nests them.
const std::set<std::string> kCodesEditorClasses = {"TCodesEditor", "TFrameCodesEditor", "TCodesContainerEditor",
                                                   "TFrameCodesContainer"};

// The kinds of editors that must be real, each with the words a failure names it by.
struct TRequired {
    const std::set<std::string>& classes;
    const char* kind;
};
const std::vector<TRequired> kRequiredEditors = {
    {kSiteEditorClasses, "the site editor"},
    {kBusinessEditorClasses, "the product editor"},
    {kPictureEditorClasses, "the picture editor"},
    {kNetworkEditorClasses, "the catalog network's editor"},
    {kHospitalityAndServiceClasses, "the hotel or service editor"},
    {kTemplateEditorClasses, "the template editor"},
    {kCommerceEditorClasses, "the cart, auction or supplier editor"},
    {kCodesEditorClasses, "the classification codes editor"}};

// ---- the cases, read from the shipped definitions ----------------------------------------

// The catalog options: no tree holds them, their menu action opens them.
constexpr int kOptionsItemType = 1001;
// Lists that the View menu opens by item type: all products, the price
// schedules, the custom fields, the member catalogs, the approved wholesale
// buyers, the intermediate catalogs; and the types of the items of the
// schedules and fields, which are made under their roots (item 12, item 18)
// to be opened.
const std::set<int> kMenuItemTypes = {kOptionsItemType, 11, 12, 18, 20, 22, 16000};
const std::map<int, int> kListedItemTypes = {{2002, 12}, {306, 18}};

struct TCase {
    bool advanced = false;  // the user's "Advanced Version" preference
    int catalogType = 0;
    std::string catalogTypeName;
    int itemType = 0;
    std::string itemTypeName;
};

void PrintTo(const TCase& c, std::ostream* out)
{
    *out << "catalog type " << c.catalogType << " (" << c.catalogTypeName << "), item type " << c.itemType << " ("
         << c.itemTypeName << ")" << (c.advanced ? ", advanced mode" : ", simple mode");
}

std::string XPathText(xmlXPathContext* context, xmlNode* node, const char* path)
{
    context->node = node;
    TXPathObjectPtr result(xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path), context));
    if (!result || !result->nodesetval || result->nodesetval->nodeNr == 0)
        return {};
    TXmlStringPtr text(xmlNodeGetContent(result->nodesetval->nodeTab[0]));
    return text ? reinterpret_cast<const char*>(text.get()) : std::string();
}

std::vector<xmlNode*> XPathNodes(xmlXPathContext* context, xmlNode* node, const char* path)
{
    context->node = node;
    TXPathObjectPtr result(xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path), context));
    std::vector<xmlNode*> nodes;
    if (result && result->nodesetval)
        nodes.assign(result->nodesetval->nodeTab, result->nodesetval->nodeTab + result->nodesetval->nodeNr);
    return nodes;
}

int ToInt(const std::string& text)
{
    return text.empty() ? 0 : static_cast<int>(std::strtod(text.c_str(), nullptr));
}

// What one definition file says: the header's name, each item type's name
// and allowed children, and the item types of the items under each tree root.
struct TDefinition {
    std::string name;
    std::map<int, std::string> typeNames;
    std::map<int, std::vector<int>> children;
    std::set<int> typesInTrees;
};

TDefinition ReadDefinition(int catalogType)
{
    const std::string file =
        ShippedDataSourceDir() + "/catalogtypes/catalog_" + std::to_string(catalogType) + ".xml";
    TXmlDocPtr doc(xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET));
    TDefinition definition;
    if (!doc)
        return definition;
    TXPathContextPtr context(xmlXPathNewContext(doc.get()));
    xmlNode* root = xmlDocGetRootElement(doc.get());
    definition.name = XPathText(context.get(), root, "Item[@type='806']/Object[@class='806']/String[@member='2']");
    std::map<int, int> parentOf;
    std::map<int, int> typeOf;
    for (xmlNode* item : XPathNodes(context.get(), root, "Item")) {
        const int id = ToInt(XPathText(context.get(), item, "@id"));
        parentOf[id] = ToInt(XPathText(context.get(), item, "@parent"));
        typeOf[id] = ToInt(XPathText(context.get(), item, "@type"));
        if (typeOf[id] != 810)
            continue;
        const int type = ToInt(XPathText(context.get(), item, "Object[@class='810']/Number[@member='1']"));
        definition.typeNames[type] = XPathText(context.get(), item, "Object[@class='810']/String[@member='2']");
        for (xmlNode* child : XPathNodes(context.get(), item, "Object[@class='805']/Number[@member='2']")) {
            TXmlStringPtr text(xmlNodeGetContent(child));
            definition.children[type].push_back(ToInt(reinterpret_cast<const char*>(text.get())));
        }
    }
    for (const auto& [id, type] : typeOf) {
        // An item belongs to a tree when its parents lead to the web tree's or the templates tree's root.
        int at = id;
        for (int steps = 0; steps < 64 && at > 99; ++steps)
            at = parentOf.count(at) ? parentOf[at] : 0;
        if (at == 1 || at == 5)
            definition.typesInTrees.insert(type);
    }
    return definition;
}

// The catalog types a catalog can be made of: every shipped one but type 0.
std::vector<int> ShippedCatalogTypes()
{
    std::vector<int> types;
    for (const auto& entry : std::filesystem::directory_iterator(ShippedDataSourceDir() + "/catalogtypes")) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("catalog_") && name.ends_with(".xml"))
            types.push_back(ToInt(name.substr(8)));
    }
    std::sort(types.begin(), types.end());
    // Type 0 is the definition in force while no catalog is open: no catalog has it.
    std::erase(types, 0);
    return types;
}

std::vector<TCase> AllCases()
{
    std::vector<TCase> cases;
    for (int catalogType : ShippedCatalogTypes()) {
        const TDefinition rules = ReadDefinition(catalogType);
        // The types of the trees' items and every type they may contain, and so on.
        std::set<int> types = rules.typesInTrees;
        std::vector<int> pending(types.begin(), types.end());
        while (!pending.empty()) {
            const int type = pending.back();
            pending.pop_back();
            auto allowed = rules.children.find(type);
            if (allowed == rules.children.end())
                continue;
            for (int child : allowed->second)
                if (types.insert(child).second)
                    pending.push_back(child);
        }
        // Folders are containers of the trees with no editor of their own to check.
        types.erase(2);
        for (int listType : kMenuItemTypes)
            if (rules.typeNames.count(listType))
                types.insert(listType);
        for (const auto& [listedType, root] : kListedItemTypes)
            if (rules.typeNames.count(listedType))
                types.insert(listedType);
        for (int type : types) {
            auto name = rules.typeNames.find(type);
            for (bool advanced : {false, true})
                cases.push_back(
                    {advanced, catalogType, rules.name, type, name == rules.typeNames.end() ? "" : name->second});
        }
    }
    return cases;
}

std::string Identifier(const std::string& text)
{
    std::string out;
    bool upper = true;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return out;
}

std::string CaseName(const testing::TestParamInfo<TCase>& info)
{
    const TCase& c = info.param;
    return "Type" + std::to_string(c.catalogType) + Identifier(c.catalogTypeName) + "_Item" +
           std::to_string(c.itemType) + Identifier(c.itemTypeName) + (c.advanced ? "_Advanced" : "_Simple");
}

class EveryItemTypeOpensItsEditors : public testing::TestWithParam<TCase> {};

TEST_P(EveryItemTypeOpensItsEditors, WithoutAMissingSiteEditor)
{
    const TCase& c = GetParam();
    TMainWindowFixture f(RegisterFrameworkClasses, c.advanced);
    ASSERT_EQ(f.Root().IsAdvancedMode(), c.advanced);
    ASSERT_EQ(f.CreateAndOpen("shop", c.catalogType), "");
    ASSERT_EQ(f.Data().GetCatalogType(), c.catalogType);
    const std::string code = f.Data().GetCatalogCode();
    TCatalogWindowUI& ui = *f.Shell().CatalogUI();
    TCatalogDefinition& definition = f.Root().Catalog().GetDefinition();
    TAbstractDBConnection& main = f.Main();

    auto typeOf = [&](int itemId) {
        TQueryGuard query(main);
        query->SetSQL("SELECT ItemType FROM Items WHERE CatalogCode = :Code AND ItemId = :Id");
        query->SetParam("Code", code);
        query->SetParam("Id", itemId);
        TAbstractRecordset& r = query->Open(true);
        return r.Eof() ? 0 : FieldInteger(r, "ItemType");
    };
    // The items of both trees: id, type and the tree that shows it.
    struct TPlace { int itemId; int itemType; TTreeManager* tree; };
    std::deque<TPlace> places;
    for (auto [root, tree] : {std::pair{1, ui.WebTree()}, std::pair{5, ui.TemplatesTree()}})
        for (int id : TTreeWalk::Descendants(main, code, root))
            places.push_back({id, typeOf(id), tree});

    // An item of the trees that may hold an item of the type; when there is
    // none, one of a type that may is made (saved) under its own holder.
    std::function<const TPlace*(int, int)> holderOf = [&](int type, int depth) -> const TPlace* {
        for (const TPlace& p : places)
            if (p.itemType != 0 && definition.CanContainItemType(p.itemType, type))
                return &p;
        for (int i = 0; depth < 3 && i < definition.GetItemTypeCount(); ++i) {
            const int holderType = definition.GetItemTypeDetail(i)->ItemType;
            if (holderType == type || !definition.CanContainItemType(holderType, type))
                continue;
            if (const TPlace* above = holderOf(holderType, depth + 1)) {
                const TPlace made{f.Root().Catalog().CreateItem(holderType, above->itemId, 0, code, main, 0), holderType,
                                  above->tree};
                made.tree->Reload(&main);
                places.push_back(made);
                return &places.back();
            }
        }
        return nullptr;
    };

    try {
        // A schedule and a field, so that their lists show one.
        const auto addListed = [&](int itemType) {
            const int root = kListedItemTypes.at(itemType);
            const int id = f.Root().Catalog().CreateItem(itemType, root, 0, code, main, 0);
            std::unique_ptr<TTolvexObject> names =
                f.Root().Catalog().GetObjectFactory().CreateObjectTyped(id, 1, 0, main, code);
            names->SetLangString("ItemName", f.Data().GetDefaultLangCode(), "Listed " + std::to_string(id), 0);
            names->Save();
            return id;
        };
        for (const auto& [listedType, root] : kListedItemTypes)
            if (definition.FindItemTypeDetail(listedType))
                addListed(listedType);
        auto existing = std::find_if(places.begin(), places.end(), [&](const TPlace& p) { return p.itemType == c.itemType; });
        if (kMenuItemTypes.count(c.itemType)) {
            f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=" + std::to_string(c.itemType), false);
        } else if (kListedItemTypes.count(c.itemType)) {
            f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(addListed(c.itemType)), false);
        } else if (existing != places.end()) {
            existing->tree->LocateItem(existing->itemId, nullptr);
        } else {
            // None yet: added through the tree under an item that may hold it, as the user adds one.
            const TPlace* parent = holderOf(c.itemType, 0);
            ASSERT_NE(parent, nullptr) << "no item of the trees may hold an item of type " << c.itemType;
            parent->tree->LocateItem(parent->itemId, nullptr);
            QCoreApplication::processEvents();
            ASSERT_TRUE(parent->tree->AddNewItemNode(c.itemType, 0, parent->itemId, false));
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_NE(f.Editor().Context(), nullptr) << "the item's editor did not open";
        ASSERT_EQ(f.Editor().Context()->GetItemType(), c.itemType) << "another item's editor is open";
        ASSERT_NE(f.Editor().Container(), nullptr);

        VisitEveryTab(*f.EditorPane());

        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
            f.Window().resize(1100, 720);
            QCoreApplication::processEvents();
            f.Window().grab().save(QString("%1/every-%2.png").arg(dir, QString::fromStdString(CaseName({c, 0}))));
        }

        for (const std::string& what : PlaceholdersShown(*f.EditorPane())) {
            const auto required = std::find_if(kRequiredEditors.begin(), kRequiredEditors.end(),
                                               [&](const TRequired& r) { return r.classes.count(StandsFor(what)); });
            if (required != kRequiredEditors.end())
                ADD_FAILURE() << required->kind << " " << what << " is still a placeholder";
            else
                std::cout << "[ other placeholder ] " << what << "\n";
        }
    } catch (const std::exception& e) {
        FAIL() << "opening the item raised: " << e.what();
    }
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(f.Boxes().Messages("warning"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(ShippedCatalogTypes, EveryItemTypeOpensItsEditors, testing::ValuesIn(AllCases()), CaseName);

}  // namespace
