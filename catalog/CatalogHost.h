#pragma once
// What the catalog object asks of the program around it: the root object
// (closing, the remembered login, the home page and page extensions), the
// login dialog and the action processor (TCatalogCommands), the local
// image server, the templates service and the preview addresses, and the open catalog's data
// that it creates for each opening. The root object implements it.
#include <memory>
#include <string>

class TAbstractCatalogData;
class TCatalog;

// The six values of the last login.
struct TLoginParams {
    std::string DbPath;
    std::string DbType;
    std::string DbParams;
    std::string CatalogCode;
    std::string UserName;
    std::string Password;
};

// The login dialog and the action processor: what the catalog object asks
// of the program (through its host) and what the root object hands on to
// the GUI side (through the shell). Declared once here for both.
class TCatalogCommands {
public:
    virtual ~TCatalogCommands() = default;

    // ---- the login dialog ------------------------------------------------------
    // The page with the list of known catalogs.
    virtual void LoginShowWelcome(const std::string& catalogName, bool autoOpen) = 0;
    virtual void LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName,
                                  const std::string& dbType) = 0;
    virtual void LoginNewCatalog() = 0;
    virtual void LoginNewCatalogFromHost() = 0;

    // ---- the action processor ------------------------------------------------
    virtual std::string GetActionString(int actionId) = 0;
    // Runs the action now; Check asks the current editor first whether it may be left.
    virtual void ExecuteActionById(int actionId, bool check) = 0;
    // Runs the action after the current event.
    virtual void PostActionById(int actionId, bool check) = 0;
};

class TCatalogHost : public TCatalogCommands {
public:
    // ---- the open catalog's data -----------------------------------------
    // New, unopened data of a catalog about to be opened.
    virtual std::unique_ptr<TAbstractCatalogData> CreateCatalogData(TCatalog& catalog) = 0;

    // ---- the root object -----------------------------------------------------
    // Closes the open catalog with the whole window state; false when the
    // current editor refused to be left.
    virtual bool CloseCatalog() = 0;
    virtual TLoginParams GetLoginParams() const = 0;
    virtual void SetLoginParams(const TLoginParams& params) = 0;
    // The home page item of the open catalog.
    virtual int GetHomePageId() = 0;
    // The extension (with its dot) of the pages of an item type.
    virtual std::string GetPageExtension(int itemType) = 0;

    // ---- the local image server (its errors are logged, never raised) ----------
    virtual void StartImageServer() = 0;
    virtual void StopImageServer() = 0;

    // ---- templates and preview -------------------------------------------------
    // The default custom style sheet written into the preview folder.
    virtual std::string GetDefaultCustomXsl() = 0;
    // Scheme and host name of the preview host and of the style-preview host.
    virtual std::string GetPreviewHostAddress() = 0;
    virtual std::string GetStylePreviewHostAddress() = 0;
};
