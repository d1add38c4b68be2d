#pragma once
// The services that exist once per process, reached through global
// variables. CreateSingletons makes them in a fixed order before the root
// object starts; FreeSingletons frees them in reverse order after it ended.
// Both are explicit calls of the entry point (or of a test), never static
// initialisers.
#include <functional>
#include <string>

class TCommonProcedures;
class TLibrariesManager;
class TTranslation;
class TDBManager;
class TUIManager;
class TInternalPluginsManager;

// The built-in plug-in registry is reached through InternalPluginsManager()
// (catalog/InternalPluginsManager.h), created on first use.
extern TCommonProcedures* CommonProcedures;
extern TLibrariesManager* LibrariesManager;
extern TTranslation* Translation;
extern TDBManager* DBManager;
extern TUIManager* UIManager;

// Set by the software update when downloaded files wait to be applied.
extern bool UpdateOnExit;
// Arguments for the updater started at exit.
extern std::string UpdateArguments;
// The last keyword entered in the main window's search box.
extern std::string SearchText;

// Registers the database modules built into the program (the SQLite module)
// with the built-in registry. CreateSingletons calls it.
void RegisterBuiltinStorageModules();

// Creates, in this order: the common procedures (with the program folder),
// the libraries manager, the translation service, the built-in registry
// (unless a registration created it already: its classes are kept) with the
// built-in modules, the database-module manager (which scans
// "<AppDir>/databases" for module libraries) and the UI-module manager
// (which scans "<AppDir>/modules"). Singletons that exist already are freed
// first, the registry with them.
// RegisterClasses registers the program's own plug-in and frame classes (the
// Qt side's editors); the classes nobody registered get placeholders after it.
void CreateSingletons(const std::string& appDir,
                      const std::function<void(TInternalPluginsManager&)>& registerClasses = {});
// Frees them in reverse order and clears the variables; then clears the
// search text and the update arguments. Safe to call when nothing exists.
void FreeSingletons();
