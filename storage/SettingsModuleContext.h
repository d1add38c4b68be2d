#pragma once
// The database modules' context over the program's real services: the
// numbered settings, the per-database ini sections, the program folders,
// the translation service and the user interface.
#include "storage/DatabaseModuleContext.h"

class TGlobalSettings;
class TTranslation;
class TCommonGui;

// The settings and translation must outlive every factory that uses the context.
TDatabaseModuleContext MakeSettingsModuleContext(TGlobalSettings& settings, TTranslation& translation,
                                                 TCommonGui* gui);
