#pragma once
// The services that exist once per process, reached through global
// variables. CreateSingletons makes them in a fixed order before the root
// object starts; FreeSingletons frees them in reverse order after it ended.
// Both are explicit calls of the entry point (or of a test), never static
// initialisers.
#include <string>

class TCommonProcedures;
class TLibrariesManager;
class TTranslation;
class TDBManager;

extern TCommonProcedures* CommonProcedures;
extern TLibrariesManager* LibrariesManager;
extern TTranslation* Translation;
extern TDBManager* DBManager;

// Set by the software update when downloaded files wait to be applied.
extern bool UpdateOnExit;
// Arguments for the updater started at exit.
extern std::string UpdateArguments;
// The last keyword entered in the main window's search box.
extern std::string SearchText;

// Registers the database modules built into the program (the SQLite module).
// Idempotent; CreateSingletons calls it before the database-module manager exists.
void RegisterBuiltinStorageModules();

// Creates, in this order: the common procedures (with the program folder),
// the libraries manager, the translation service and the database-module
// manager (which scans "<AppDir>/databases" for module libraries).
void CreateSingletons(const std::string& appDir);
// Frees them in reverse order and clears the variables; then clears the
// search text and the update arguments. Safe to call when nothing exists.
void FreeSingletons();
