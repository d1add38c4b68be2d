#pragma once
// The style selection dialog as the style manager sees it: set up with the
// catalog's current master template and schemes, shown modally, and after
// OK asked for what the chosen style copies into the catalog. The window
// side implements it; tests script it.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TStyleDialog {
public:
    virtual ~TStyleDialog() = default;

    // Mode 0: the catalog's first style (closing without OK asks whether to
    // close the catalog); 1: an optional change of style. DefinitionConnection
    // reaches the style catalog. The master template and the three scheme
    // ids (0 when the catalog has none) preselect the best matching style.
    virtual void Setup(int mode, TAbstractDBConnection& definitionConnection, int masterTemplateId,
                       int colorScheme, int fontScheme, int backgroundImageCode) = 0;
    // Shows the dialog modally; true when it closed with OK.
    virtual bool Execute() = 0;
    // After OK: the ids of the items to copy, the ids of the templates to
    // make default, and the lines "color=", "font=" and "background=" with
    // the chosen item ids.
    virtual void CollectSelection(std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                                  std::vector<std::string>& params) = 0;
};
