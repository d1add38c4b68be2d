#pragma once
// What the catalog definition asks of the program around it when it creates
// a catalog or changes a catalog's code: the "Change Catalog Code" dialog,
// the action processor, the root object (closing the catalog, the
// remembered catalog code, reopening) and the runner window of the web-site
// import. The root object implements it; tests use a scripted stand-in.
#include <string>
#include <vector>

class TAbstractDBConnection;

class TCatalogCreationHost {
public:
    virtual ~TCatalogCreationHost() = default;

    // ---- the "Change Catalog Code" dialog ------------------------------------
    // Shows the dialog with OldCode; true and the code typed when the user
    // pressed "Ok".
    virtual bool AskNewCatalogCode(const std::string& oldCode, std::string& newCode) = 0;

    // ---- the action processor --------------------------------------------------
    // Runs an action string now, or after the current event; Check asks the
    // current editor first whether it may be left.
    virtual void ExecuteAction(const std::string& action, bool check) = 0;
    virtual void QueueAction(const std::string& action, bool check) = 0;

    // ---- the root object ----------------------------------------------------------
    // Closes the open catalog with the whole window state; false when the
    // current editor refused to be left.
    virtual bool CloseCatalog() = 0;
    // Remembers the code of the catalog to open next.
    virtual void SetCatalogCode(const std::string& catalogCode) = 0;
    // Asks the main window to open the remembered catalog again.
    virtual void PostReopenCatalog() = 0;

    // ---- the web-site import ---------------------------------------------------------
    // Runs the web-site import with the parameter lines ("URL=...") modally in
    // a runner window on Connection; the lines afterwards hold what the import
    // reported ("DownloadedPages=..."). True when the window closed with OK.
    virtual bool RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection) = 0;
};
