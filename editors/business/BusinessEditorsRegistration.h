#pragma once
// Registers the business editors (the product's editors and frames, the
// product list, the price schedules, the custom fields) and the item
// managers of products, product lines and the product list in the built-in
// registry, under the names the catalog definitions use.
class TInternalPluginsManager;

void RegisterBusinessEditors(TInternalPluginsManager& registry);
