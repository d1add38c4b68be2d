#pragma once
// Registers the HTML editing pages: the visual and source editors, the
// page-source and single-member HTML editors, and the dialog frames the
// insertions open, and the preview tab of an item.
class TInternalPluginsManager;

void RegisterHtmlEditors(TInternalPluginsManager& registry);
