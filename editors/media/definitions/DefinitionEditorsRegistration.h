#pragma once
// Registers the editors of a catalog type's definition and styles, as a
// style catalog opened through File / Styles shows them: the predefined
// style, the item-type definition with its two dialogs, the key value,
// action, error message and catalog-type records, the initialisation lists,
// the configured object editor and editor container, and the code-row
// dialog of the classification codes.
class TInternalPluginsManager;

void RegisterDefinitionEditors(TInternalPluginsManager& registry);
