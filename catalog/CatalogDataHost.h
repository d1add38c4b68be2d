#pragma once
// What the open catalog's data asks of the program around it while it opens
// and lives: the root object's home-page cache and remembered login, the GUI
// controller and the style manager (either may be missing in a program
// without a main window), the window side of the open catalog and the
// partner-portal category database. The root object implements it.
#include <memory>
#include <string>

class TAbstractDBConnection;
class TCatalogData;
class TCatalogDataUI;
class TStyleSelector;
class TTolvexGuiControl;
struct TLoginParams;
class TCatalogPageGeneration;

class TCatalogDataHost {
public:
    virtual ~TCatalogDataHost() = default;

    // The next request for the home page item reads the catalog property again.
    virtual void ResetHomePageId() = 0;
    // Remembers the six values of a login (for the reopen after a new style).
    virtual void SetLoginParams(const TLoginParams& params) = 0;
    // Null when the program runs without a main window.
    virtual TTolvexGuiControl* GetGuiControl() = 0;
    // Null when the program runs without a main window.
    virtual TStyleSelector* GetStyleSelector() = 0;
    // The main connection of the trade-portal category database; null when
    // it cannot be had.
    virtual TAbstractDBConnection* GetCategoryConnection() = 0;
    // The item editor and trees of the open catalog; null without a main window.
    virtual std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData& data) = 0;
    // Page generation over the open catalog (templates, transformer services).
    virtual std::unique_ptr<TCatalogPageGeneration> CreatePageGeneration(TCatalogData& data) = 0;
};
