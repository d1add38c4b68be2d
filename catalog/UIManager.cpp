#include "catalog/UIManager.h"

#include "catalog/InternalPluginsManager.h"
#include "common/Exceptions.h"
#include "common/Translation.h"

namespace {

// Takes Plugin over as a T when it is of Kind and of that class; null otherwise.
template <class T>
std::unique_ptr<T> TakeAs(std::unique_ptr<TAbstractPluginClass> plugin, std::uint8_t kind)
{
    T* typed = plugin && plugin->GetKind() == kind ? dynamic_cast<T*>(plugin.get()) : nullptr;
    if (!typed)
        return nullptr;
    plugin.release();
    return std::unique_ptr<T>(typed);
}

}  // namespace

TUIManager::TUIManager(const std::string& appDir, TLibrariesManager& libraries,
                       const TInternalPluginsManager& registry, const TTranslation* translation)
    : registry_(registry),
      translation_(translation),
      editors_(appDir + "/modules", pkItemEditor, libraries),
      managers_(appDir + "/modules", pkItemManager, libraries)
{
}

std::unique_ptr<TAbstractUIEditor> TUIManager::CreateItemEditor(const std::string& name,
                                                                const std::string& params)
{
    if (!editorNamesAdded_) {
        editorNamesAdded_ = true;
        registry_.AddBuiltinPlugins(editors_);
    }
    auto editor = TakeAs<TAbstractUIEditor>(editors_.CreatePluginInstance(name, params),
                                            pkItemEditor);
    if (!editor)
        RaiseCannotLoad("Cannot load item editor module \"$1\"", name);
    return editor;
}

TAbstractItemManager* TUIManager::GetItemManager(const std::string& name, const std::string& params)
{
    if (name.empty())
        return nullptr;
    if (!managerNamesAdded_) {
        managerNamesAdded_ = true;
        registry_.AddBuiltinPlugins(managers_);
    }
    for (const auto& manager : itemManagers_)
        if (manager->GetName() == name)
            return manager.get();
    auto manager = TakeAs<TAbstractItemManager>(managers_.CreatePluginInstance(name, params),
                                                pkItemManager);
    if (!manager)
        RaiseCannotLoad("Cannot load item manager module \"$1\"", name);
    itemManagers_.push_back(std::move(manager));
    return itemManagers_.back().get();
}

void TUIManager::RaiseCannotLoad(const char* messageTemplate, const std::string& name) const
{
    throw ECriticalTolvexException(TTranslation::OrEnglish(translation_).Format(messageTemplate, {name}));
}
