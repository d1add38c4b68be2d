#pragma once
// What the root object asks of the program's GUI side: the application
// object (its handler of unhandled exceptions, ending the message loop), the
// main window (its caption and its deferred messages), the parts of the GUI
// side that the root object owns (GUI controller, help system) and that the
// open catalog owns (item editor and trees), the style dialog, the login
// dialog, the "Change Catalog Code" dialog, the action processor and the
// runner windows of the software update, the web-site import and the styles.
//
// A program without a main window answers null for the parts it lacks; the
// root object and the catalog then go without them.
#include "catalog/CatalogHost.h"

#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TCatalogData;
class TCatalogDataUI;
class TStyleDialog;
class TStyleOperation;
class TTolvex;
class TTolvexException;
class TTolvexGuiControl;
class TTolvexHelpSystem;

class TTolvexShell : public TCatalogCommands {
public:
    // ---- the application object --------------------------------------------------
    // Installs the handler of exceptions that no operation caught; null removes it.
    virtual void SetExceptionHandler(TTolvexException* handler) = 0;
    // Ends the message loop after the current message; the program then
    // shuts down in its normal order (after a fatal error).
    virtual void Terminate() = 0;

    // ---- the main window ------------------------------------------------------------
    // Posts the main window the standard close request: the message loop
    // ends once it has closed.
    virtual void PostCloseRequest() = 0;
    // Posts the message that reopens the catalog after the current event.
    virtual void PostReopenCatalog() = 0;
    virtual void SetMainCaption(const std::string& caption) = 0;

    // ---- parts of the GUI side ----------------------------------------------------------
    virtual std::unique_ptr<TTolvexGuiControl> CreateGuiControl(TTolvex& root) = 0;
    // The style selection dialog, a new one for every choice of a style.
    virtual std::unique_ptr<TStyleDialog> CreateStyleDialog() = 0;
    virtual std::unique_ptr<TTolvexHelpSystem> CreateHelpSystem(TTolvex& root) = 0;
    virtual std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData& data) = 0;

    // ---- the login dialog and the action processor (TCatalogCommands), and:
    // The same for action strings: now, or queued to run after the current event.
    virtual void ExecuteAction(const std::string& action, bool check) = 0;
    virtual void QueueAction(const std::string& action, bool check) = 0;

    // ---- the "Change Catalog Code" dialog ------------------------------------------------------
    // Shows the dialog with OldCode; true and the code typed when the user pressed "Ok".
    virtual bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode) = 0;

    // ---- the software update ------------------------------------------------------------------
    // Runs the software update with its parameter lines in a runner window.
    // Modal: shown modally, true when it closed with OK. Otherwise shown
    // without waiting and started at once; the answer is false.
    virtual bool RunSoftwareUpdate(const std::vector<std::string>& params, bool modal) = 0;

    // ---- long operations of the styles -----------------------------------------------------
    // Shows a runner window for the operation without waiting and starts it.
    virtual void StartStyleOperation(std::unique_ptr<TStyleOperation> operation) = 0;

    // ---- the web-site import --------------------------------------------------------------------
    // Runs the web-site import with its parameter lines modally in a runner
    // window on Connection; the lines afterwards hold what the import
    // reported. True when the window closed with OK.
    virtual bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection) = 0;
};
