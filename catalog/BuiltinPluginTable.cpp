#include "catalog/BuiltinPluginTable.h"

#include <algorithm>
#include <array>

namespace {

constexpr TBuiltinPluginRow Editor(std::string_view name, std::string_view className)
{
    return {name, TNameRule::Exact, pkItemEditor, className};
}

constexpr TBuiltinPluginRow EditorContaining(std::string_view name, std::string_view className)
{
    return {name, TNameRule::Contains, pkItemEditor, className};
}

constexpr TBuiltinPluginRow EditorBeginningWith(std::string_view name, std::string_view className)
{
    return {name, TNameRule::BeginsWith, pkItemEditor, className};
}

constexpr TBuiltinPluginRow Manager(std::string_view name, std::string_view className)
{
    return {name, TNameRule::Exact, pkItemManager, className};
}

constexpr TBuiltinPluginRow ManagerContaining(std::string_view name, std::string_view className)
{
    return {name, TNameRule::Contains, pkItemManager, className};
}

// The rows in the order they are tried.
constexpr std::array<TBuiltinPluginRow, 128> kRows{{
    Editor("CommonOptions", "TOptionsEditor"),
    Editor("AdditionalFieldsMngr", "TAdditionalFieldsEditor"),
    Editor("CommonCompany", "TCompanyEditor"),
    Editor("ContactEditor", "TContactEditor"),
    Editor("AddressEditor", "TAddressEditor"),
    Editor("BasicCompanyEditor", "TBasicCompanyEditor"),
    Editor("CommonWebPage", "TWebPageEditor"),
    Editor("CommonWebPageMetaTags", "TWebPageMetaTagsEditor"),
    Editor("CommonPageProperties", "TPagePropertiesEditor"),
    Editor("SimplePageProperties", "TSimplePagePropertiesEditor"),
    Editor("CommonWebPreview", "TWebPreviewViewer"),
    Editor("HtmlEditor", "THTMLEditor"),
    EditorContaining("CommonHtmlEditor", "TCommonHtmlEditor"),
    EditorContaining("CommonImageEditor", "TCommonImageEditor"),
    Editor("HtmlPageEditor", "THTMLDataEditor"),
    Editor("CommonPriceSchedules", "TPriceSchedulesEditor"),
    Editor("CommonAllStories", "TAllStoriesViewer"),
    Editor("CommonCodes", "TCodesContainerEditor"),
    Editor("CommonUNSPSCCompany", "TCodesEditor"),
    Editor("CommonEBayCompany", "TCodesEditor"),
    Editor("CommonZarivuroCompany", "TCodesEditor"),
    Editor("CommonHarmonizedCompany", "TCodesEditor"),
    Editor("CommonUNSPSCOther", "TCodesEditor"),
    Editor("CommonEBayOther", "TCodesEditor"),
    Editor("CommonZarivuroOther", "TCodesEditor"),
    Editor("CommonHarmonizedOther", "TCodesEditor"),
    Editor("CommonInit", "TInitEditor"),
    Editor("CommonAllStoriesChanger", "TAllStoriesChanger"),
    Editor("CommonImage", "TImageEditor"),
    Editor("CommonBinaryObject", "TObjectRef"),
    Editor("CommonInsertTable", "TInsertTableRef"),
    Editor("TolvexAboutViewer", "TTolvexAboutViewer"),
    Editor("CommonPriceScheduleDetail", "TPriceScheduleDetailEditor"),
    Editor("CommonSelectPage", "TSelectPageRef"),
    Editor("CommonPageLinks", "TPageLinksEditor"),
    Editor("CommonItemOptions", "TItemOptionsEditor"),
    EditorBeginningWith("CommonXmlSourcesEditor", "TSourcesEditor"),
    Editor("CommonJSPSourcesEditor", "TSourcesEditor"),
    Editor("CommonHtmlSourcesEditor", "TSourcesEditor"),
    Editor("CommonCSSSourcesEditor", "TSourcesEditor"),
    Editor("CommonJavaScriptSourcesEditor", "TSourcesEditor"),
    Editor("CommonMasterTemplateEditor", "TMasterTemplateEditor"),
    Editor("CommonTemplatePropertiesEditor", "TTemplatePropertiesEditor"),
    Editor("CommonEnterHyperlink", "TEnterHyperlinkRef"),
    Editor("CommonSelectPageOrHyperlink", "TSelectPageOrHyperlinkRef"),
    Editor("OptionChooser", "TChooseOptionsEditor"),
    Editor("SelectItemOption", "TSelectItemOption"),
    Editor("CommonReportsTemplateEditor", "TReportTemplateEditor"),
    Editor("CommonReportsNewEditor", "TReportTemplateEditor"),
    Editor("CommonReportsCustomizationEditor", "TReportCustomizationEditor"),
    Editor("PreviewTemplate", "TPreviewTemplateViewer"),
    EditorContaining("IncludedToCatalogs", "TIncludedToCatalogsEditor"),
    Editor("TemplateHTMLEditor", "TTemplateHTMLEditor"),
    Editor("CommonJavaScriptPropertiesEditor", "TJavaScriptPropertiesEditor"),
    Editor("CoCManagement", "TCoCManagementEditor"),
    Editor("ApprovedWholesaleBuyersList", "TApprovedWholesaleBuyersEditor"),
    Editor("ItemProperties", "TItemPropertiesEditor"),
    Editor("ImageEdit", "TImageEdit"),
    Editor("PreDefinedStyleEditor", "TPreddefinedStyleEditor"),
    Editor("Service", "TTolvexServiceEditor"),
    Editor("eBayOptions", "TGlobalEbayOptionsEditor"),
    Editor("eBayEditor", "TEBayEditor"),
    EditorContaining("CommonTreeList", "TTreeListOfItems"),
    Editor("LinkToCatalog", "TLinkToCatalogEditor"),
    EditorContaining("WebForm", "TWebForm"),
    Editor("ImagesEditor", "TImagesEditor"),
    Editor("ServiceGroupEditor", "TServiceGroupEditor"),
    EditorContaining("ListDataEditor", "TListDataEditor"),
    Editor("ServiceFieldEditor", "TTolvexServiceFieldEditor"),
    Editor("StyleKeyValueEditor", "TStyleKeyValueEditor"),
    Editor("StyleItemTypeEditor", "TStyleItemTypeEditor"),
    Editor("StyleInitializeEditor", "TStyleInitializeEditor"),
    Manager("CommonItemManager", "TTolvexItemManager"),
    Manager("CommonInfoPageItemManager", "TPageItemManager"),
    Manager("TemplateItemManager", "TTemplateItemManager"),
    Manager("CommonInitItemManagerUnit", "TInitItemManager"),
    Manager("CommonPriceSchedulesItemManager", "TPriceSchedulesItemManager"),
    Manager("CommonStoryItemManager", "TStoryItemManager"),
    Manager("CommonAllStoriesItemManager", "TAllStoriesItemManager"),
    Manager("CommonOptionsItemManager", "TOptionsItemManager"),
    Manager("CommonInsertTableItemManager", "TInsertTableItemManager"),
    Manager("TolvexAboutItemManager", "TTolvexAboutItemManager"),
    Editor("ImagesManager", "TImagesManagerEditor"),
    Editor("BinaryObjectsManager", "TBinaryObjectsManagerEditor"),
    ManagerContaining("ParamsManager", "TParamsItemManager"),
    Manager("HomeItemManager", "THomeItemManager"),
    Manager("CompanyItemManager", "TCompanyItemManager"),
    Editor("ProductBasicEditor", "TProductBasicEditor"),
    Editor("ProductImagesEditor", "TProductImagesEditor"),
    Editor("ProductAllImagesEditor", "TProductAllImagesEditor"),
    Editor("ProductMainProductImagesEditor", "TProductAllImagesEditor"),
    Editor("ListAllProducts", "TProductListEditor"),
    Manager("ProductLineItemManager", "TProductLineItemManager"),
    Manager("ProductItemManager", "TProductItemManager"),
    Editor("ProductEditor", "TProductEditor"),
    Editor("ProductPriceEdit", "TProductPriceEditEditor"),
    Manager("ProductListItemManager", "TProductListItemManager"),
    Editor("ProductInfo", "TProductInfoViewer"),
    Editor("eBayPrices", "TProductEBayPricesEditor"),
    Editor("ProductSearchLimits", "TProductSearchLimits"),
    Editor("ZarivuroSupplierInfo", "TSupplierInfoEditor"),
    Editor("ZarivuroSupplierExportInfoEdit", "TBTCASupplierExportInfo"),
    Editor("ZarivuroSupplierCertificateEdit", "TBTCASupplierCertificate"),
    Editor("ZarivuroSupplierReferenceEdit", "TBTCASupplierReferences"),
    Editor("ProductMultiColor", "TMultiColorEditor"),
    Editor("AllRoomsEditor", "TAllRoomsEditor"),
    Editor("HotelEditor", "THotelEditor"),
    Editor("RoomEditor", "TRoomEditor"),
    Editor("AllRoomsChanger", "TAllRoomsChanger"),
    Manager("AllRoomsItemManager", "TAllRoomsItemManager"),
    Manager("RoomItemManager", "TRoomItemManager"),
    Manager("HotelItemManager", "THotelItemManager"),
    Manager("RoomsRatesItemManager", "TRoomsRatesItemManager"),
    Editor("ZOZHotelEditor", "TVBHHotelEditor"),
    Editor("ZOZRoomEditor", "TVBHRoomEditor"),
    Editor("HotelOptions", "THotelOptionsEditor"),
    Editor("ZOZEditSeason", "TVBHEditSeasonEditor"),
    Editor("ZOZEditPrice", "TVBHEditPriceEditor"),
    Editor("HotelFacilities", "THotelFacilitiesEditor"),
    Editor("HotelSeasons", "THotelSeasonsEditor"),
    Manager("RestaurantItemManager", "TRestaurantItemManager"),
    Editor("RestaurantProperties", "TRestaurantEditor"),
    Editor("AllVendorList", "TAllVendorListEditor"),
    Manager("VendorListItemManager", "TVendorListItemManager"),
    Manager("VendorItemManager", "TVendorItemManager"),
    Editor("AllVendorsChanger", "TAllVendorsChanger"),
    Editor("VendorInfo", "TVendorInfoEditor"),
    Editor("VendorInfoContainer", "TVendorInfoContainer"),
}};

constexpr std::array<TStartupClassRow, 19> kStartupClasses{{
    {"StyleActionEditor", "TStyleActionEditor", false},
    {"WizardProductAddEditor", "TProductWizardAddEditor", false},
    {"LinkedImage*", "TFrameImageDataEditor", true},
    {"EditItemTypeEditor", "TFrameEditItemType", true},
    {"EditUserInterface", "TFrameEditUserInterface", true},
    {"EditorContainer*", "TFrameEditorContainer", true},
    {"ObjectEditor*", "TFrameObjectEditor", true},
    {"ErrorMessageEditor", "TFrameErrorMessage", true},
    {"EditCodes", "TFrameEditCodes", true},
    {"CustomTemplateEditor*", "TFrameCustomTemplate", true},
    {"ShoppingCarts", "TFrameShoppingCart", true},
    {"ServicePackages", "TFrameServicePackages", true},
    {"PackageEdit", "TFramePackageEdit", true},
    {"ServiceInit", "TFrameInitService", true},
    {"CatalogTypeEditor", "TFrameCatalogType", true},
    {"FroogleOptionsEditor", "TFrameFroogle", true},
    {"AllCompanyInfoEditor", "TFrameAllCompanyInfo", true},
    {"SearchResult", "TFrameSearchResult", true},
    {"ProductSimplifiedEditor", "TFrameSimpliestProductProperties", true},
}};

}  // namespace

bool TBuiltinPluginRow::Matches(std::string_view requested) const
{
    switch (rule) {
    case TNameRule::Exact:
        return requested == name;
    case TNameRule::Contains:
        return requested.find(name) != std::string_view::npos;
    case TNameRule::BeginsWith:
        return requested.starts_with(name);
    }
    return false;
}

std::string TBuiltinPluginRow::ListedName() const
{
    std::string listed(name);
    if (rule != TNameRule::Exact)
        listed += '*';
    return listed;
}

std::span<const TBuiltinPluginRow> TBuiltinPluginTable::Rows()
{
    return kRows;
}

const TBuiltinPluginRow* TBuiltinPluginTable::FindRow(std::string_view name)
{
    auto row = std::find_if(kRows.begin(), kRows.end(),
                            [name](const TBuiltinPluginRow& r) { return r.Matches(name); });
    return row == kRows.end() ? nullptr : &*row;
}

bool TBuiltinPluginTable::HasClass(std::string_view className)
{
    return std::any_of(kRows.begin(), kRows.end(), [className](const TBuiltinPluginRow& r) {
        return r.className == className;
    });
}

std::span<const TStartupClassRow> TBuiltinPluginTable::StartupClasses()
{
    return kStartupClasses;
}
