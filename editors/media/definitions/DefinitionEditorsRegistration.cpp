#include "editors/media/definitions/DefinitionEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/framework/FrameClass.h"
#include "editors/media/definitions/FrameDefinitionRecord.h"
#include "editors/media/definitions/FrameEditCodes.h"
#include "editors/media/definitions/FrameEditItemType.h"
#include "editors/media/definitions/FrameEditUserInterface.h"
#include "editors/media/definitions/FrameEditorContainer.h"
#include "editors/media/definitions/FrameInitializeEditor.h"
#include "editors/media/definitions/FrameItemTypeEditor.h"
#include "editors/media/definitions/FrameObjectEditor.h"
#include "editors/media/styles/FramePreDefinedStyle.h"
#include "editors/site/SiteTabsEditor.h"
#include "storage/AbstractPluginClass.h"

namespace {

const TFrameClassOf<TFramePreDefinedStyle> kPreDefinedStyleFrame("", "TFramePreDefinedStyle");
const TFrameClassOf<TFrameItemTypeEditor> kItemTypeFrame("", "TFrameItemTypeEditor");
const TFrameClassOf<TFrameKeyValue> kKeyValueFrame("", "TFrameKeyValue");
const TFrameClassOf<TFrameInitializeEditor> kInitializeFrame("", "TFrameInitializeEditor");
const TFrameClassOf<TFrameActionEditor> kActionFrame("", "TFrameActionEditor");

const TSiteTabsEditor::TTab kActionTab{"Action", "ActionProperties-basic", &kActionFrame, {}};

// A UI editor of one tab, registered under the fixed table's class name.
void RegisterOneTab(TInternalPluginsManager& registry, const char* className, const char* caption,
                    const char* tabName, const TAbstractFrameClass* frameClass)
{
    const TSiteTabsEditor::TTab tab{caption, tabName, frameClass, {}};
    registry.RegisterBuiltinClass(className, [tab](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(name, params, {tab}, {0, 1, 3, 4}));
    });
}

}  // namespace

void RegisterDefinitionEditors(TInternalPluginsManager& registry)
{
    RegisterOneTab(registry, "TPreddefinedStyleEditor", "Style", "Style-properties", &kPreDefinedStyleFrame);
    RegisterOneTab(registry, "TStyleItemTypeEditor", "Item Type Properties", "ItemType-basic", &kItemTypeFrame);
    RegisterOneTab(registry, "TStyleInitializeEditor", "Initialize", "Initialize-basic", &kInitializeFrame);
    RegisterOneTab(registry, "TStyleKeyValueEditor", "Key/Value Parameters", "KeyValue-basic", &kKeyValueFrame);
    registry.RegisterPluginClass("StyleActionEditor", pkItemEditor,
                                 [](const std::string& name, const std::string& params) {
                                     return std::unique_ptr<TAbstractPluginClass>(
                                         new TSiteTabsEditor(name, params, {kActionTab}, {0, 1, 3, 4}));
                                 });
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameErrorMessage>>(
        "ErrorMessageEditor", "TFrameErrorMessage", "Error Message", "EditErrorMessage-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameCatalogType>>(
        "CatalogTypeEditor", "TFrameCatalogType", "Catalog Type", "CatalogType-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameObjectEditor>>(
        "ObjectEditor*", "TFrameObjectEditor", "", "ObjectEditor-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameEditorContainer>>(
        "EditorContainer*", "TFrameEditorContainer", "", "EditorContainer-basic", false));
    // The only frame whose class shows it without a tab strip.
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameEditCodes>>(
        "EditCodes", "TFrameEditCodes", "Edit Codes", "EditCodes-basic", true));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameEditItemType>>(
        "EditItemTypeEditor", "TFrameEditItemType", "Item Type Editor", "EditItemType-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameEditUserInterface>>(
        "EditUserInterface", "TFrameEditUserInterface", "User Interface", "EditUserInterface-basic", false));
}
