#pragma once
// The main window's own commands: each is one QAction that its menu entry,
// toolbar button, caption-bar or pane button and shortcut share. The window
// creates and places them; the command classes connect each to a method.
// Entries that the catalog definition adds at run time are not here: they
// carry their action strings (TTolvexMenuItem, TTolvexToolbarItem).
#include <array>

class QAction;
class TTolvexEditRedo;
class TTolvexEditUndo;

struct TMainWindowActions {
    // ---- File -----------------------------------------------------------------------------
    QAction* NewCatalog = nullptr;
    QAction* OpenCatalogList = nullptr;
    QAction* CloseCatalog = nullptr;
    QAction* ImportCatalogsTables = nullptr;
    QAction* ImportStylesTables = nullptr;
    QAction* ImportTemplateFromHtml = nullptr;
    QAction* ImportTemplateFromXhtml = nullptr;
    QAction* ImportWebSite = nullptr;
    QAction* ImportImages = nullptr;
    QAction* ExportCatalogsTables = nullptr;
    QAction* ExportStylesTables = nullptr;
    QAction* ExportImages = nullptr;
    QAction* ExportTemplates = nullptr;
    QAction* ExportXhtmlTemplates = nullptr;
    QAction* ExportCatalogTemplateToStyles = nullptr;
    QAction* ChangeCatalogCode = nullptr;
    QAction* Backup = nullptr;
    QAction* Restore = nullptr;
    QAction* Compress = nullptr;
    QAction* DeleteCatalog = nullptr;
    QAction* ProgramSettings = nullptr;
    // "Last Used 1" to "Last Used 5", hidden while empty, and the separator below them.
    std::array<QAction*, 5> LastUsed{};
    QAction* LastUsedSeparator = nullptr;
    QAction* Exit = nullptr;

    // ---- Edit -----------------------------------------------------------------------------
    TTolvexEditUndo* Undo = nullptr;
    TTolvexEditRedo* Redo = nullptr;
    QAction* Cut = nullptr;
    QAction* Copy = nullptr;
    QAction* Paste = nullptr;
    QAction* SelectAll = nullptr;
    QAction* Find = nullptr;
    QAction* FindNext = nullptr;
    QAction* Replace = nullptr;
    QAction* ApplyNewStyle = nullptr;
    // Saves the item being edited: Edit / Save, Ctrl+S and the editor pane's Save button.
    QAction* Save = nullptr;

    // ---- View (check marks) ---------------------------------------------------------------
    QAction* ViewWebTree = nullptr;
    QAction* ViewTemplates = nullptr;
    QAction* ViewToolbar = nullptr;
    QAction* ViewStatusBar = nullptr;
    QAction* ViewAutoHide = nullptr;

    // ---- Help -----------------------------------------------------------------------------
    QAction* HelpContents = nullptr;
    QAction* OnlineSupport = nullptr;
    QAction* SoftwareUpdate = nullptr;
    QAction* About = nullptr;

    // ---- caption bars and the editor pane's buttons -----------------------------------------
    QAction* WebTreeAutoHide = nullptr;
    QAction* HideWebTree = nullptr;
    QAction* HideTemplates = nullptr;
    QAction* ShowWebTree = nullptr;
    QAction* EditorCancel = nullptr;
    QAction* EditorHelp = nullptr;

    // ---- the web tree's buttons -------------------------------------------------------------
    QAction* WebTreeDelete = nullptr;
    QAction* WebTreeSort = nullptr;
    QAction* WebTreeMoveUp = nullptr;
    QAction* WebTreeMoveDown = nullptr;
    QAction* WebTreeHelp = nullptr;

    // ---- the templates tree's buttons and pop-up entries ---------------------------------------
    QAction* TemplatesDelete = nullptr;
    QAction* TemplatesHelp = nullptr;
    QAction* TemplatesCopyToNew = nullptr;
    QAction* TemplatesExportToStyles = nullptr;
    QAction* TemplatesRestoreFromStyles = nullptr;
    QAction* TemplatesCompareWithStyles = nullptr;

    // ---- the search box's button ----------------------------------------------------------------
    QAction* Search = nullptr;
};
