#include "editors/framework/Registration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/framework/CaptionedItemManager.h"
#include "editors/framework/CompanyItemManager.h"
#include "editors/framework/FrameBasedEditor.h"
#include "editors/framework/PageItemManager.h"
#include "editors/framework/TolvexItemManager.h"
#include "editors/business/BusinessEditorsRegistration.h"
#include "editors/media/MediaEditorsRegistration.h"
#include "editors/media/definitions/DefinitionEditorsRegistration.h"
#include "editors/media/templates/reports/FrameReportTemplate.h"
#include "editors/site/html/HtmlEditorsRegistration.h"
#include "editors/site/SiteEditorsRegistration.h"

namespace {

template <class TCreate>
void Register(TInternalPluginsManager& registry, const char* className, TCreate create)
{
    registry.RegisterBuiltinClass(className, [create](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(create(name, params));
    });
}

void RegisterCaptioned(TInternalPluginsManager& registry, const char* className, const char* caption,
                       const char* newItemCaption, bool hidesSaveBar)
{
    Register(registry, className, [=](const std::string& name, const std::string& params) {
        return new TCaptionedItemManager(name, params, caption, newItemCaption, hidesSaveBar);
    });
}

}  // namespace

void RegisterFrameworkClasses(TInternalPluginsManager& registry)
{
    Register(registry, "TTolvexItemManager", [](const std::string& name, const std::string& params) {
        return new TTolvexItemManager(name, params);
    });
    Register(registry, "TPageItemManager", [](const std::string& name, const std::string& params) {
        return new TPageItemManager(name, params, "Page");
    });
    Register(registry, "TStoryItemManager", [](const std::string& name, const std::string& params) {
        return new TPageItemManager(name, params, "Story");
    });
    Register(registry, "TCompanyItemManager", [](const std::string& name, const std::string& params) {
        return new TCompanyItemManager(name, params, "Company Information");
    });
    Register(registry, "THomeItemManager", [](const std::string& name, const std::string& params) {
        return new TCompanyItemManager(name, params, "Home Page");
    });
    RegisterCaptioned(registry, "TInitItemManager", "Initial Settings", "", false);
    RegisterCaptioned(registry, "TPriceSchedulesItemManager", "Price Schedules", "New Schedule", false);
    RegisterCaptioned(registry, "TAllStoriesItemManager", "All Stories", "", true);
    RegisterCaptioned(registry, "TOptionsItemManager", "Catalog Options", "", false);
    RegisterCaptioned(registry, "TTolvexAboutItemManager", "Tolvex Information", "New Item", true);
    RegisterHtmlEditors(registry);
    RegisterSiteEditors(registry);
    RegisterBusinessEditors(registry);
    RegisterDefinitionEditors(registry);
    RegisterMediaEditors(registry);
    RegisterReportEditors(registry);
    registry.SetFrameEditorCreator(
        [](const std::string& name, const std::string& params, const TAbstractFrameClass& frameClass) {
            return std::unique_ptr<TAbstractUIEditor>(new TFrameBasedEditor(name, params, &frameClass));
        });
}
