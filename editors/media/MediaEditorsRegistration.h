#pragma once
// Registers the picture editors with the built-in registry: the image
// dialog ("CommonImage") and the image member frames. Called by
// RegisterFrameworkClasses.
class TInternalPluginsManager;

void RegisterMediaEditors(TInternalPluginsManager& registry);
