#include "editors/site/SiteEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/Tolvex.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/lists/AllStoriesChanger.h"
#include "editors/site/lists/DefinitionTabEditor.h"
#include "editors/site/options/FrameAdvancedOptions.h"
#include "editors/site/company/FrameAllCompanyInfo.h"
#include "editors/site/lists/FrameAllStoriesViewer.h"
#include "editors/site/company/FrameCompanyAddress.h"
#include "editors/site/company/FrameCompanyContact.h"
#include "editors/site/company/FrameCompanyEditor.h"
#include "editors/site/options/FrameFroogle.h"
#include "editors/site/page/FrameItemProperties.h"
#include "editors/site/page/FrameJavaScriptPropertiesEditor.h"
#include "editors/site/lists/FrameListData.h"
#include "editors/site/options/FrameOptionsEditor.h"
#include "editors/site/options/FrameOptionsEditorModel.h"
#include "editors/site/options/FrameOptionsLocalize.h"
#include "editors/site/page/FramePageLinks.h"
#include "editors/site/page/FramePageMetaTags.h"
#include "editors/site/page/FramePagePropetiesEditor.h"
#include "editors/site/page/FrameSimplePageMetaTags.h"
#include "editors/site/page/FrameSimplePageProperties.h"
#include "editors/site/options/FrameTolvexAbout.h"
#include "editors/site/lists/FrameTreeDataEditor.h"
#include "editors/site/lists/FrameTreeListOfItemsViewer.h"
#include "editors/site/options/FrameUsersEditor.h"
#include "editors/site/page/FrameWebForm.h"
#include "editors/site/page/FrameWebPageContainer.h"
#include "editors/site/options/InitEditor.h"
#include "editors/site/lists/ParamsItemManager.h"
#include "editors/site/SiteTabsEditor.h"

#include <algorithm>

namespace {

using TTabs = std::vector<TSiteTabsEditor::TTab>;

const TFrameClassOf<TFrameOptionsEditor> kOptionsFrame("", "TFrameOptionsEditor");
const TFrameClassOf<TFrameOptionsLocalize> kOptionsLocalizeFrame("", "TFrameOptionsLocalize");
const TFrameClassOf<TFrameAdvancedOptions> kAdvancedOptionsFrame("", "TFrameAdvancedOptions");
const TFrameClassOf<TFrameItemProperties> kItemPropertiesFrame("", "TFrameItemProperties");
const TFrameClassOf<TFrameUsersEditor> kUsersFrame("", "TFrameUsersEditor");
const TFrameClassOf<TFramePagePropetiesEditor> kPagePropertiesFrame("", "TFramePagePropetiesEditor");
const TFrameClassOf<TFrameSimplePageProperties> kSimplePagePropertiesFrame("", "TFrameSimplePageProperties");
const TFrameClassOf<TFramePageMetaTags> kMetaTagsFrame("", "TFramePageMetaTags");
const TFrameClassOf<TFrameSimplePageMetaTags> kSimpleMetaTagsFrame("", "TFrameSimplePageMetaTags");
const TFrameClassOf<TFramePageLinks> kPageLinksFrame("", "TFramePageLinks");
const TFrameClassOf<TFrameJavaScriptPropertiesEditor> kJavaScriptPropertiesFrame("", "TFrameJavaScriptPropertiesEditor");
const TFrameClassOf<TFrameWebPageContainer> kWebPageContainerFrame("", "TFrameWebPageContainer");
const TFrameClassOf<TFrameCompanyEditor> kCompanyFrame("", "TFrameCompanyEditor");
const TFrameClassOf<TFrameCompanyAddress> kCompanyAddressFrame("", "TFrameCompanyAddress");
const TFrameClassOf<TFrameCompanyContact> kCompanyContactFrame("", "TFrameCompanyContact");
const TFrameClassOf<TFrameTolvexAbout> kAboutFrame("", "TFrameTolvexAbout");
const TFrameClassOf<TFrameAllStoriesViewer> kAllStoriesFrame("", "TFrameAllStoriesViewer");
const TFrameClassOf<TFrameTreeListOfItemsViewer> kTreeListOfItemsFrame("", "TFrameTreeListOfItemsViewer");
const TFrameClassOf<TFrameListData> kListDataFrame("", "TFrameListData");

void RegisterTabs(TInternalPluginsManager& registry, const char* className, TTabs tabs, std::set<int> saveRoles,
                  bool singleFrame = false)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(name, params, tabs, saveRoles, singleFrame));
    });
}

// Whether the options editor shows the tab for the mode and the user's role.
bool OptionsTabShown(TTolvexControlClass& context, const std::string& tabName)
{
    const std::vector<std::string> names = TFrameOptionsEditorModel::TabNames(
        RootObject && RootObject->IsAdvancedMode(), context.GetUserRole());
    return std::find(names.begin(), names.end(), tabName) != names.end();
}

TSiteTabsEditor::TTab OptionsTab(const char* caption, const char* name, const TAbstractFrameClass* frameClass)
{
    const std::string tabName = name;
    return {caption, name, frameClass, [tabName](TTolvexControlClass& context) { return OptionsTabShown(context, tabName); }};
}

// The meta tags tab shows every group in the advanced mode, the few common values otherwise.
bool AdvancedMode(TTolvexControlClass&) { return RootObject && RootObject->IsAdvancedMode(); }
bool SimplifiedMode(TTolvexControlClass& context) { return !AdvancedMode(context); }

}  // namespace

void RegisterSiteEditors(TInternalPluginsManager& registry)
{
    RegisterTabs(registry, "TOptionsEditor",
                 {OptionsTab("Basic", "OptionsEditor-options", &kOptionsFrame),
                  OptionsTab("Locale", "OptionsEditor-localize", &kOptionsLocalizeFrame),
                  OptionsTab("Advanced", "OptionsEditor-advanced", &kAdvancedOptionsFrame),
                  OptionsTab("Users", "OptionsEditor-users", &kUsersFrame)},
                 {0, 1});

    const TSiteTabsEditor::TTab basic{"Basic", "CompanyEditor-basic", &kCompanyFrame, {}};
    const TSiteTabsEditor::TTab address{"Address", "CompanyEditor-address", &kCompanyAddressFrame, {}};
    const TSiteTabsEditor::TTab contact{"Contact", "CompanyEditor-contact", &kCompanyContactFrame, {}};
    RegisterTabs(registry, "TCompanyEditor", {basic, address, contact}, {0, 1});
    RegisterTabs(registry, "TBasicCompanyEditor", {basic}, {0, 1});
    RegisterTabs(registry, "TAddressEditor", {address}, {0, 1});
    RegisterTabs(registry, "TContactEditor", {contact}, {0, 1});
    RegisterTabs(registry, "TPagePropertiesEditor",
                 {{"Web Page Properties", "PagePropertiesEditor-properties", &kPagePropertiesFrame, {}}}, {0, 1, 3, 4});
    RegisterTabs(registry, "TSimplePagePropertiesEditor",
                 {{"Properties", "PagePropertiesEditor-properties", &kSimplePagePropertiesFrame, {}}}, {0, 1, 3, 4});
    RegisterTabs(registry, "TWebPageMetaTagsEditor",
                 {{"Meta Tags", "WebPageMetaTagsEditor-properties", &kMetaTagsFrame, AdvancedMode},
                  {"Meta Tags", "WebPageMetaTagsEditor-properties", &kSimpleMetaTagsFrame, SimplifiedMode}},
                 {0, 1, 3, 4});
    RegisterTabs(registry, "TPageLinksEditor", {{"Links", "PageLinks-basic", &kPageLinksFrame, {}}}, {0, 1, 3, 4});
    RegisterTabs(registry, "TWebPageEditor", {{"Web Page", "WebPageEditor-properties", &kWebPageContainerFrame, {}}},
                 {0, 1, 3, 4});
    RegisterTabs(registry, "TJavaScriptPropertiesEditor",
                 {{"JavaScript Properties", "JavaScriptProperties-basic", &kJavaScriptPropertiesFrame, {}}},
                 {0, 1, 3, 4});
    // The information page has nothing to save: every role may open it.
    RegisterTabs(registry, "TTolvexAboutViewer", {{"About", "TolvexAboutViewer-basic", &kAboutFrame, {}}},
                 {0, 1, 2, 3, 4, 5, 6, 7}, true);
    registry.RegisterBuiltinClass("TWebForm", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TWebForm(name, params));
    });
    RegisterTabs(registry, "TAllStoriesViewer", {{"All Stories", "AllStoriesViewer-list", &kAllStoriesFrame, {}}},
                 {0, 1, 3, 4}, true);
    registry.RegisterBuiltinClass("TAllStoriesChanger", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TAllStoriesChanger(name, params));
    });
    registry.RegisterBuiltinClass("TTreeListOfItems", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TDefinitionTabEditor(name, params, "ListItemsTabName", "ListItems", &kTreeListOfItemsFrame));
    });
    registry.RegisterBuiltinClass("TListDataEditor", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TDefinitionTabEditor(name, params, "ListDataTabName", "ListDataEditor", &kListDataFrame));
    });
    registry.RegisterBuiltinClass("TParamsItemManager", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TParamsItemManager(name, params));
    });
    RegisterTabs(registry, "TItemPropertiesEditor",
                 {{"Properties", "ItemPropertiesEditor-properties", &kItemPropertiesFrame, {}}}, {0, 1, 3, 4});
    registry.RegisterBuiltinClass("TInitEditor", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TInitEditor(name, params));
    });
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameAllCompanyInfo>>(
        "AllCompanyInfoEditor", "TFrameAllCompanyInfo", "Company Info", "AllCompanyInfo-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameFroogle>>(
        "FroogleOptionsEditor", "TFrameFroogle", "Froogle Options", "FroogleOptions-basic", false));
}
