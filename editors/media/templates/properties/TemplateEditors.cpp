#include "editors/media/templates/properties/TemplateEditors.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/InternalPluginsManager.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/templates/preview/FramePreviewTemplate.h"
#include "editors/media/templates/properties/FrameMasterTemplateEditor.h"
#include "editors/media/templates/properties/FrameTemplatePropertiesEditor.h"
#include "editors/media/templates/properties/TemplateItemManager.h"
#include "editors/media/templates/settings/FrameTemplateSettings.h"
#include "editors/media/templates/settings/TemplateSettingsModel.h"
#include "generation/Templates.h"

namespace {

const TFrameClassOf<TFrameMasterTemplateEditor> kMasterFrame("", "TFrameMasterTemplateEditor");
const TFrameClassOf<TFrameTemplatePropertiesEditor> kPropertiesFrame("", "TFrameTemplatePropertiesEditor");
const TFrameClassOf<TFrameTemplateSettings> kSettingsFrame("", "TFrameTemplateSettings");

bool HasSettingsPage(TTolvexControlClass& context)
{
    std::vector<std::string> children;
    context.Data()->GetQueries().GetChildIdsOfType(
        context.GetTreeItemId(), TTemplateSettingsModel::kSettingsPageType, context.GetConnection(), children);
    return !children.empty();
}

template <class TEditor>
void Register(TInternalPluginsManager& registry, const char* className)
{
    registry.RegisterBuiltinClass(className, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params));
    });
}

}  // namespace

void TMasterTemplateEditor::CreatePages()
{
    AddTab("Properties", "MasterTemplate-basic", &kMasterFrame);
    if (HasSettingsPage(*GetContext()))
        AddTab("Settings", "MasterTemplate-settings", &kSettingsFrame);
}

void TTemplatePropertiesEditor::CreatePages()
{
    AddTab("Template Properties", "TemplateProperties-basic", &kPropertiesFrame);
    if (HasSettingsPage(*GetContext()))
        AddTab("Settings", "TemplateProperties-settings", &kSettingsFrame);
}

bool TTemplatePropertiesEditor::Save()
{
    GetContext()->Data()->GetPageGeneration().GetTemplates().ResetTemplateList();
    return TTolvexUIEditor::Save();
}

void RegisterTemplateEditors(TInternalPluginsManager& registry)
{
    Register<TMasterTemplateEditor>(registry, "TMasterTemplateEditor");
    Register<TTemplatePropertiesEditor>(registry, "TTemplatePropertiesEditor");
    Register<TTemplateItemManager>(registry, "TTemplateItemManager");
    RegisterTemplatePreview(registry);
}
