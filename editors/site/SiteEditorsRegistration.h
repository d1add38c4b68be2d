#pragma once
// Registers the site editors (catalog options and users, company, page and
// script properties, meta tags, page links, initial settings, item
// properties, information page, tree and list data, web form) in the
// built-in registry, under the names the catalog definitions use.
class TInternalPluginsManager;

void RegisterSiteEditors(TInternalPluginsManager& registry);
