#include "catalog/InternalPluginsManager.h"

#include "common/CommonFunctionsDetail.h"

#include "catalog/BuiltinPluginTable.h"
#include "catalog/PlaceholderFrameClass.h"
#include "catalog/PlaceholderItemManager.h"
#include "catalog/PlaceholderUIEditor.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "common/Exceptions.h"
#include "common/Translation.h"

#include <algorithm>
#include <utility>

namespace {

// The registry that built-in plug-in-list entries create through.
const TInternalPluginsManager* installedRegistry = nullptr;

std::unique_ptr<TInternalPluginsManager>& ProcessRegistry()
{
    static std::unique_ptr<TInternalPluginsManager> registry;
    return registry;
}

using common_detail::SameText;

// Whether a registered frame name answers Name: a name ending in "*" by the
// text before it, any other name exactly; case counts.
bool FrameNameMatches(const std::string& frameName, const std::string& name)
{
    if (frameName.ends_with('*'))
        return name.starts_with(std::string_view(frameName).substr(0, frameName.size() - 1));
    return frameName == name;
}

std::unique_ptr<TAbstractUIEditor> CreateFramePlaceholder(const std::string& name,
                                                          const std::string& params,
                                                          const TAbstractFrameClass& frameClass)
{
    return std::make_unique<TPlaceholderUIEditor>(name, params, "TFrameBasedEditor", &frameClass);
}

}  // namespace

TInternalPluginsManager::TInternalPluginsManager() : frameEditorCreator_(CreateFramePlaceholder)
{
    TPluginLoader::SetBuiltinCreator([this](const std::string& name, const std::string& params) {
        return CreatePlugin(name, params);
    });
    installedRegistry = this;
}

TInternalPluginsManager::~TInternalPluginsManager()
{
    if (installedRegistry != this)
        return;
    TPluginLoader::SetBuiltinCreator({});
    installedRegistry = nullptr;
}

const TInternalPluginsManager::TClassList* TInternalPluginsManager::ListOfKind(
    std::uint8_t kind) const
{
    switch (kind) {
    case pkItemEditor:
        return &itemEditors_;
    case pkItemManager:
        return &itemManagers_;
    case pkDatabase:
        return &databaseModules_;
    default:
        return nullptr;
    }
}

void TInternalPluginsManager::RegisterPluginClass(const std::string& pluginName,
                                                  std::uint8_t pluginKind, TPluginCreator create)
{
    auto* list = const_cast<TClassList*>(std::as_const(*this).ListOfKind(pluginKind));
    if (pluginName.empty() || !list || !create)
        return;
    list->names.push_back(pluginName);
    list->classes.push_back(std::move(create));
}

void TInternalPluginsManager::RegisterDatabaseModule(const TPluginInfo& descriptor, TPluginCreator create)
{
    if (descriptor.GetName().empty() || !create)
        return;
    RegisterPluginClass(descriptor.GetName(), pkDatabase, std::move(create));
    databaseDescriptors_.insert_or_assign(descriptor.GetName(), descriptor);
}

void TInternalPluginsManager::RegisterFrameClass(std::unique_ptr<TAbstractFrameClass> frameClass)
{
    if (!frameClass || frameClass->PluginName().empty())
        return;
    frameNames_.push_back(frameClass->PluginName());
    frameClasses_.push_back(std::move(frameClass));
}

void TInternalPluginsManager::RegisterBuiltinClass(const std::string& className,
                                                   TPluginCreator create)
{
    if (!TBuiltinPluginTable::HasClass(className))
        throw EDeveloperTolvexException("No built-in plug-in row creates the class " + className);
    if (create)
        tableClasses_[className] = std::move(create);
}

void TInternalPluginsManager::SetFrameEditorCreator(TFrameEditorCreator create)
{
    frameEditorCreator_ = create ? std::move(create) : CreateFramePlaceholder;
}

bool TInternalPluginsManager::IsRegistered(const std::string& name) const
{
    for (const std::vector<std::string>* names :
         {&itemEditors_.names, &itemManagers_.names, &databaseModules_.names, &frameNames_})
        if (std::find(names->begin(), names->end(), name) != names->end())
            return true;
    return false;
}

void TInternalPluginsManager::RegisterStartupPlaceholders()
{
    for (const TStartupClassRow& row : TBuiltinPluginTable::StartupClasses()) {
        const std::string name(row.name);
        const std::string className(row.className);
        if (IsRegistered(name))
            continue;
        if (row.frame) {
            RegisterFrameClass(std::make_unique<TPlaceholderFrameClass>(name, className));
            continue;
        }
        RegisterPluginClass(name, pkItemEditor,
                            [className](const std::string& asked, const std::string& params) {
                                return std::make_unique<TPlaceholderUIEditor>(asked, params,
                                                                              className);
                            });
    }
}

const TPluginCreator* TInternalPluginsManager::FindRegisteredClass(const std::string& name) const
{
    for (const TClassList* list : {&itemEditors_, &itemManagers_, &databaseModules_})
        for (std::size_t i = 0; i < list->names.size(); ++i)
            if (SameText(list->names[i], name))
                return &list->classes[i];
    return nullptr;
}

const TAbstractFrameClass* TInternalPluginsManager::FindFrameClass(const std::string& name) const
{
    for (std::size_t i = 0; i < frameNames_.size(); ++i)
        if (FrameNameMatches(frameNames_[i], name))
            return frameClasses_[i].get();
    return nullptr;
}

std::unique_ptr<TAbstractPluginClass> TInternalPluginsManager::CreateTableClass(
    const std::string& className, std::uint8_t kind, const std::string& name,
    const std::string& params) const
{
    auto registered = tableClasses_.find(className);
    if (registered != tableClasses_.end())
        return registered->second(name, params);
    if (kind == pkItemManager)
        return std::make_unique<TPlaceholderItemManager>(name, params, className);
    return std::make_unique<TPlaceholderUIEditor>(name, params, className);
}

std::unique_ptr<TAbstractPluginClass> TInternalPluginsManager::CreatePlugin(
    const std::string& name, const std::string& params) const
{
    if (const TPluginCreator* create = FindRegisteredClass(name))
        return (*create)(name, params);
    if (const TAbstractFrameClass* frameClass = FindFrameClass(name))
        return frameEditorCreator_(name, params, *frameClass);
    if (const TBuiltinPluginRow* row = TBuiltinPluginTable::FindRow(name))
        return CreateTableClass(std::string(row->className), row->kind, name, params);

    const char* message = "Cannot find \"$1\" internal plugin";
    throw ECriticalTolvexException(TTranslation::OrEnglish(translation_).Format(message, {name}));
}

std::vector<std::string> TInternalPluginsManager::GetPluginNames(std::uint8_t kind) const
{
    std::vector<std::string> names;
    if (kind == pkItemEditor || kind == pkItemManager)
        for (const TBuiltinPluginRow& row : TBuiltinPluginTable::Rows())
            if (row.kind == kind)
                names.push_back(row.ListedName());
    if (const TClassList* list = ListOfKind(kind))
        names.insert(names.end(), list->names.begin(), list->names.end());
    if (kind == pkItemEditor)
        names.insert(names.end(), frameNames_.begin(), frameNames_.end());
    return names;
}

std::unique_ptr<TPluginLoader> TInternalPluginsManager::GetPluginLoader(const std::string& name) const
{
    auto found = databaseDescriptors_.find(name);
    if (found == databaseDescriptors_.end())
        return nullptr;
    auto loader = std::make_unique<TPluginLoader>();
    loader->AssignDescriptor(found->second);
    loader->SetKind(pkDatabase);
    return loader;
}

void TInternalPluginsManager::AddBuiltinPlugins(TPluginsManager& manager) const
{
    for (const std::string& name : GetPluginNames(manager.GetKind()))
        manager.AddPlugin(name, GetPluginLoader(name));
}

TInternalPluginsManager& InternalPluginsManager()
{
    std::unique_ptr<TInternalPluginsManager>& registry = ProcessRegistry();
    if (!registry)
        registry = std::make_unique<TInternalPluginsManager>();
    return *registry;
}

void FreeInternalPluginsManager()
{
    ProcessRegistry().reset();
}

void RegisterPluginClass(const std::string& pluginName, std::uint8_t pluginKind,
                         TPluginCreator create)
{
    InternalPluginsManager().RegisterPluginClass(pluginName, pluginKind, std::move(create));
}

void RegisterFrameClass(std::unique_ptr<TAbstractFrameClass> frameClass)
{
    InternalPluginsManager().RegisterFrameClass(std::move(frameClass));
}
