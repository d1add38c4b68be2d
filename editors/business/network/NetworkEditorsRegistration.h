#pragma once
// Registers the catalog network's editors (the member catalogs, their list,
// the link to a catalog, the lists of catalogs a catalog belongs to, the
// republishing dialog, the approved wholesale buyers) and the item managers
// of members and member lists in the built-in registry.
class TInternalPluginsManager;

void RegisterNetworkEditors(TInternalPluginsManager& registry);
