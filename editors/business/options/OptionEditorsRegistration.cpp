#include "editors/business/options/OptionEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/options/FrameItemOptions.h"
#include "editors/business/options/FrameOptionChooser.h"
#include "editors/business/options/FrameProductPriceEdit.h"
#include "editors/business/options/FrameSelectItemOption.h"
#include "editors/framework/FrameClass.h"
#include "editors/site/SiteTabsEditor.h"

namespace {

const TFrameClassOf<TFrameItemOptions> kLibraryFrame("", "TFrameItemOptions");
const TFrameClassOf<TFrameOptionChooser> kChooserFrame("", "TFrameOptionChooser");
const TFrameClassOf<TFrameSelectItemOption> kSelectFrame("", "TFrameSelectItemOption");
const TFrameClassOf<TFrameProductPriceEdit> kPriceFrame("", "TFrameProductPriceEdit");

const std::set<int> kEveryEditingRole = {0, 1, 3, 4};

// The price dialog asks a size of its own.
class TProductPriceEditEditor : public TSiteTabsEditor {
public:
    using TSiteTabsEditor::TSiteTabsEditor;
    void GetPreferredSize(int& width, int& height) const override
    {
        width = 420;
        height = 400;
    }
};

template <class TEditor = TSiteTabsEditor>
void RegisterTab(TInternalPluginsManager& registry, const char* className, const char* caption, const char* tabName,
                 const TAbstractFrameClass* frameClass)
{
    const std::vector<TSiteTabsEditor::TTab> tabs = {{caption, tabName, frameClass, {}}};
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params, tabs, kEveryEditingRole, true));
    });
}

}  // namespace

void RegisterOptionEditors(TInternalPluginsManager& registry)
{
    RegisterTab(registry, "TItemOptionsEditor", "Options", "ItemOptions-basic", &kLibraryFrame);
    RegisterTab(registry, "TChooseOptionsEditor", "Item Options", "ChooseOptions-basic", &kChooserFrame);
    RegisterTab(registry, "TSelectItemOption", "Select Option", "SelectItemOption-basic", &kSelectFrame);
    RegisterTab<TProductPriceEditEditor>(registry, "TProductPriceEditEditor", "Edit Price", "ProductPriceEdit-basic",
                                         &kPriceFrame);
}
