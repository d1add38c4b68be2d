#pragma once
// Registers the editor framework's classes with the built-in registry: the
// item managers it defines (in place of their placeholders) and the
// frame-based UI editor for registered frame classes. The program and the
// tests pass it to CreateSingletons.
class TInternalPluginsManager;

void RegisterFrameworkClasses(TInternalPluginsManager& registry);
