#include "editors/media/MediaEditorsRegistration.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/media/images/ImageEditor.h"

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
}
