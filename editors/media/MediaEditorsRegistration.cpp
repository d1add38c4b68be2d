#include "editors/media/MediaEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/framework/FrameClass.h"
#include "editors/media/binary/BinaryObjectEditors.h"
#include "editors/media/images/CommonImageEditor.h"
#include "editors/media/images/FrameImageDataEditor.h"
#include "editors/media/images/ImageEditor.h"
#include "editors/media/images/edit/ImageItemEditors.h"
#include "editors/media/images/library/ImagesManagerEditor.h"
#include "editors/media/templates/properties/TemplateEditors.h"
#include "editors/media/templates/visual/TemplateHTMLEditor.h"

namespace {

template <class TEditor>
void RegisterEditor(TInternalPluginsManager& registry, const char* className)
{
    registry.RegisterBuiltinClass(className, [](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TEditor(name, params));
    });
}

}  // namespace

void RegisterMediaEditors(TInternalPluginsManager& registry)
{
    RegisterEditor<TImageEditor>(registry, "TImageEditor");
    RegisterEditor<TCommonImageEditor>(registry, "TCommonImageEditor");
    RegisterEditor<TTemplateHTMLEditor>(registry, "TTemplateHTMLEditor");
    RegisterEditor<TImageEdit>(registry, "TImageEdit");
    RegisterEditor<TImagesEditor>(registry, "TImagesEditor");
    RegisterEditor<TImagesManagerEditor>(registry, "TImagesManagerEditor");
    RegisterEditor<TObjectRef>(registry, "TObjectRef");
    RegisterEditor<TBinaryObjectsManagerEditor>(registry, "TBinaryObjectsManagerEditor");
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameImageDataEditor>>(
        "LinkedImage*", "TFrameImageDataEditor", "Image", "LinkedImage-basic", false));
    RegisterTemplateEditors(registry);
}
