#pragma once
// The commands of the main window's own menus and buttons: File, Edit,
// View and Help, the caption-bar buttons and the editor pane's Save, Cancel
// and Help. Each window action is connected to one method here (the tree
// panes' buttons are TTreePaneCommands', the search button
// TMainWindowSearch's, Edit / Undo TTolvexEditUndo's own). Entries that the
// catalog definition adds run their action strings through the action
// processor and are not here.
#include <QObject>

class TActionProcessor;
class TCommonGui;
class TFindReplace;
class TGUIControl;
class THelpRequests;
class TOpenCatalog;
class TPublishingCommands;
class TShellDialogs;
class TfrmMain;

class TMainWindowCommands : public QObject {
public:
    struct TServices {
        TOpenCatalog& Open;
        TCommonGui& Gui;
        TfrmMain& Window;
        TGUIControl& Control;
        TActionProcessor& Processor;
        TFindReplace& Find;
        THelpRequests& Help;
        TShellDialogs& Dialogs;
        TPublishingCommands& Publishing;
    };
    // Everything must outlive the object.
    explicit TMainWindowCommands(const TServices& services);

    // ---- File ----------------------------------------------------------------------------------
    void NewCatalog();
    // The catalogs the login lists, one entry each above "Catalogs...",
    // rebuilt each time the Open Catalog menu (File or toolbar) opens; an
    // entry opens its catalog through the login.
    void FillCatalogsMenu();
    void OpenCatalogList();
    void CloseCatalog();
    // "Last Used 1" to "Last Used 5": Index 0 to 4.
    void OpenRecentCatalog(int index);
    void ChangeCatalogCode();
    void BackupCatalog();
    void RestoreCatalog();
    void CompressCatalog();
    // Asks, closes the open catalog and deletes its database.
    void DeleteCatalog();
    void ProgramSettings();
    void ExportXhtmlTemplates();
    void ExportCatalogTemplateToStyles();
    void Exit();

    // ---- Edit ----------------------------------------------------------------------------------
    // Cut, Copy, Paste and Select All act on the focused control.
    void Cut();
    void Copy();
    void Paste();
    void SelectAll();
    void Find();
    void FindNext();
    void Replace();
    void ApplyNewStyle();
    // Saves the item being edited when it has changes; Cancel drops its changes.
    void Save();
    void CancelEditing();
    // Help for the control that had the focus before.
    void EditorHelp();

    // ---- View and the caption bars --------------------------------------------------------------
    void ToggleWebTree();
    void ToggleTemplates();
    void ToggleToolbar();
    void ToggleStatusBar();
    void ToggleAutoHide();
    void HideWebTree();
    void HideTemplates();
    void ShowWebTree();

    // ---- Help ----------------------------------------------------------------------------------
    void ShowHelpContents();
    // Opens the support address of the settings with the desktop's opener.
    void OnlineSupport();
    void SoftwareUpdate();
    void About();

private:
    void Connect();
    // Runs an edit slot ("cut", ...) of the focused control where it has
    // one, or the page action WebAction of a focused web page.
    void EditFocused(const char* slot, int webAction);

    TServices s_;
};
