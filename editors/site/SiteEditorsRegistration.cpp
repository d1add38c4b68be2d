#include "editors/site/SiteEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/PlaceholderFrameClass.h"
#include "catalog/Tolvex.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/FrameAdvancedOptions.h"
#include "editors/site/FrameAllCompanyInfo.h"
#include "editors/site/FrameCompanyAddress.h"
#include "editors/site/FrameCompanyContact.h"
#include "editors/site/FrameCompanyEditor.h"
#include "editors/site/FrameItemProperties.h"
#include "editors/site/FrameOptionsEditor.h"
#include "editors/site/FrameOptionsLocalize.h"
#include "editors/site/FrameOptionsEditorModel.h"
#include "editors/site/FramePageMetaTags.h"
#include "editors/site/FramePagePropetiesEditor.h"
#include "editors/site/FrameSimplePageProperties.h"
#include "editors/site/FrameUsersEditor.h"
#include "editors/site/InitEditor.h"
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
const TFrameClassOf<TFrameCompanyEditor> kCompanyFrame("", "TFrameCompanyEditor");
const TFrameClassOf<TFrameCompanyAddress> kCompanyAddressFrame("", "TFrameCompanyAddress");
const TFrameClassOf<TFrameCompanyContact> kCompanyContactFrame("", "TFrameCompanyContact");

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
    RegisterTabs(registry, "TWebPageMetaTagsEditor", {{"Meta Tags", "WebPageMetaTagsEditor-properties", &kMetaTagsFrame, {}}},
                 {0, 1, 3, 4});
    RegisterTabs(registry, "TItemPropertiesEditor",
                 {{"Properties", "ItemPropertiesEditor-properties", &kItemPropertiesFrame, {}}}, {0, 1, 3, 4});
    registry.RegisterBuiltinClass("TInitEditor", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TInitEditor(name, params));
    });
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameAllCompanyInfo>>(
        "AllCompanyInfoEditor", "TFrameAllCompanyInfo", "Company Info", "AllCompanyInfo-basic", false));
}
