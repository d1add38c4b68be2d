#include "editors/business/codes/CodesEditors.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/codes/CodeSystem.h"
#include "editors/business/codes/FrameCodesEditor.h"
#include "editors/business/products/ProductContainerFrames.h"
#include "editors/framework/FrameClass.h"
#include "editors/site/SiteTabsEditor.h"

namespace {

// The "Category" tab: the item type's editors of kind 2 nested.
class TFrameCodesContainer : public TProductContainerFrame {
public:
    static constexpr int kEditorKind = 2;
    explicit TFrameCodesContainer(TFrameSite& site) : TProductContainerFrame(site, "TFrameCodesContainer", kEditorKind)
    {
    }
};

const TFrameClassOf<TFrameCodesEditor> kCodesFrame("", "TFrameCodesEditor");
const TFrameClassOf<TFrameCodesContainer> kContainerFrame("", "TFrameCodesContainer");

}  // namespace

TCodesEditor::TCodesEditor(std::string name, std::string params) : TTolvexUIEditor(std::move(name), std::move(params))
{
}

std::string TCodesEditor::TabCaption(const std::string& editorName)
{
    switch (CodeSystemOfEditor(editorName)) {
    case TCodeSystem::Unspsc: return "UNSP/SC";
    case TCodeSystem::EBay: return IsCompanyCodesEditor(editorName) ? "eBay" : "Category";
    case TCodeSystem::Zarivuro: return "Zarivuro";
    case TCodeSystem::Harmonized: break;
    }
    return "Harmonized System";
}

std::string TCodesEditor::TabName(const std::string& editorName)
{
    switch (CodeSystemOfEditor(editorName)) {
    case TCodeSystem::Unspsc: return "CodesEditor-unspsc";
    case TCodeSystem::EBay: return "CodesEditor-ebay";
    case TCodeSystem::Zarivuro: return "CodesEditor-zarivuro";
    case TCodeSystem::Harmonized: break;
    }
    return "CodesEditor-harmonized";
}

void TCodesEditor::CreatePages()
{
    AddTab(TabCaption(GetName()), TabName(GetName()), &kCodesFrame);
}

void RegisterCodesEditors(TInternalPluginsManager& registry)
{
    registry.RegisterBuiltinClass("TCodesEditor", [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TCodesEditor(name, params));
    });
    const std::vector<TSiteTabsEditor::TTab> tabs = {{"Category", "Codes-main", &kContainerFrame, {}}};
    registry.RegisterBuiltinClass("TCodesContainerEditor", [tabs](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, tabs, {0, 1, 3, 4}, false));
    });
}
