#pragma once
// The GUI controller as the root object and the open catalog's data use it:
// the main window's layout for an open or a closed catalog, the status bar
// and the menu, search and toolbar entries that the loaded catalog
// definition contributes, and the image cache that the definition fills
// with its tree images. The shell implements it.
#include <string>

class TCatalogDefinitionImageCache;

class TTolvexGuiControl {
public:
    virtual ~TTolvexGuiControl() = default;

    // Called once, right after the root object created it.
    virtual void Initialize() = 0;
    // Lays the main window out for an open (true) or a closed catalog.
    virtual void UpdateCatalogState(bool catalogOpen) = 0;
    // Writes Text into a panel of the status bar (translated when asked).
    virtual void SetStatusText(const std::string& text, bool translate, int panel) = 0;

    // ---- the loaded definition's entries ------------------------------------
    // Removes the definition's menu items and toolbar buttons.
    virtual void RemoveCatalogActions() = 0;
    // Removes the definition's menu items only.
    virtual void RemoveCatalogMenuItems() = 0;
    virtual void AddMenuActions() = 0;
    virtual void AddSearchItems() = 0;
    virtual void AddToolbarActions() = 0;

    // The cache that receives the tree images of every catalog definition
    // loaded later (the menus, buttons and trees take their images from
    // it); null when the controller shows no images.
    virtual TCatalogDefinitionImageCache* GetImageCache() { return nullptr; }
};
