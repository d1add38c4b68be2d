#pragma once
// Registers the option library's, the product options' and the prices'
// UI editors with the plug-in registry.
class TInternalPluginsManager;

void RegisterOptionEditors(TInternalPluginsManager& registry);
