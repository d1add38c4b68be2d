#pragma once
// What the login dialog decides, without a widget: the login request its
// pages fill, which page shows, the catalog list of the start page, the
// validation of each page, the logins remembered in the settings file, the
// registration left by the hosting service's registration page, and the
// carrying out of the request (create, then open).
//
// Remembered logins: section "catalog-" + code (the catalog login) and
// "catalogauth-" + code (the hosting-service account of that catalog), each
// with "UserName" plain and "Password" scrambled (empty when not
// remembered). A stored password that is not scrambled is read as it stands.
#include "catalog/Catalog.h"
#include "publishing/WebSiteImportRequest.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TCommonGui;
class TTolvex;
class TTranslation;

// What the user chose; Nothing until a page's confirming button passed.
enum class TLoginMode { NewCatalog = 0, NewCatalogFromHost = 1, OpenCatalog = 2, Nothing = 3 };

enum class TLoginPage { Welcome, NewCatalog, OpenCatalog, NewCatalogFromHost, HostAccount };

// The catalog type of a catalog taken from the hosting service until its
// data arrives.
inline constexpr int kCatalogTypeFromHost = -2;
// The shortest password of a new catalog.
inline constexpr int kMinPasswordLength = 5;

struct TLoginRequest {
    TLoginMode Mode = TLoginMode::Nothing;
    std::string DbType;
    std::string DbDir;  // empty for a new catalog: the database folder
    int CatalogType = 0;
    std::string CatalogCode;
    std::string UserName;
    std::string Password;
    std::string ServerName;
    std::string DbUserName;
    std::string DbPassword;
    bool SaveDbPassword = false;
    // From the registration only.
    std::string CompanyName;
    std::string Email;
    std::string RegisteredCode;
    std::string RegisteredPassword;
};

// The registration the hosting service's registration page leaves as a cookie.
struct TRegistration {
    int CatalogType = 0;
    std::string CatalogCode;
    std::string UserName;
    std::string CompanyName;
    std::string Email;
    std::string Password;
    // Counts only with a type, a code and a user name.
    bool IsComplete() const { return CatalogType != 0 && !CatalogCode.empty() && !UserName.empty(); }
    // The pairs name=value joined by "&", taken as they stand.
    static TRegistration Parse(const std::string& text);
};

// The edits of the new-catalog page.
struct TNewCatalogFields {
    bool TypeSelected = false;
    std::string TypeValue;
    std::string Code;
    std::string UserName;
    std::string Password;
    std::string Confirmation;
    bool SavePassword = false;
};

// A remembered login.
struct TRememberedLogin {
    std::string UserName;
    std::string Password;  // plain
    bool PasswordSaved = false;
};

class TLoginModel {
public:
    // Takes the catalog out of the hosting service into the catalog just
    // opened for it; the error text, empty on success.
    using THostDownload = std::function<std::string(const TLoginRequest&)>;

    // Root, Gui and the functions' cookie store must outlive the model.
    // Translation may be null: texts stay English.
    TLoginModel(TTolvex& root, TCommonGui& gui, const TTranslation* translation);
    // Expires the registration cookie when it was read.
    ~TLoginModel();
    TLoginModel(const TLoginModel&) = delete;
    TLoginModel& operator=(const TLoginModel&) = delete;

    // Replaces the hosting-service download; without one the service is not reachable.
    void SetHostDownload(THostDownload download) { hostDownload_ = std::move(download); }

    TLoginRequest& Request() { return request_; }
    TLoginPage Page() const { return page_; }

    // ---- remembered logins ------------------------------------------------------------
    TRememberedLogin ReadLogin(const std::string& sectionPrefix, const std::string& code) const;
    // Writes the user name; the password scrambled, or empty when not saved.
    void WriteLogin(const std::string& sectionPrefix, const std::string& code, const std::string& userName,
                    const std::string& password, bool savePassword);

    // ---- the start page ------------------------------------------------------------------
    // Fills the catalog list and picks the page and entry to start on: the
    // new-catalog page for a registration whose catalog does not exist yet
    // or when there is no catalog at all, else the start page with the
    // entry of the code (setting 45 when empty) or the first one. With
    // AutoOpen an unknown code shows "Cannot open ... catalog.".
    void StartWelcome(const std::string& catalogCode, bool autoOpen);
    // The list's entries, sorted; the captions are what it shows.
    const std::vector<TCatalog::TListEntry>& Entries() const { return entries_; }
    std::vector<std::string> EntryCaptions() const;
    int SelectedEntry() const { return selectedEntry_; }
    // Set when the start page's "Ok" is to be pressed before each showing.
    bool AutoPressOk() const { return autoPressOk_; }
    // The start page's "Ok": the new-catalog page, or the open page for the entry.
    void WelcomeOk(bool createNew, int entryIndex);

    // ---- the new-catalog page -------------------------------------------------------------
    void StartNewCatalog();
    // Lines Name===Type.
    const std::vector<std::string>& CatalogTypes() const { return catalogTypes_; }
    // The entry to select in the type list; -1 for none.
    int SelectedType() const { return selectedType_; }
    // What the page shows to begin with (from a registration, when there is one).
    const TNewCatalogFields& NewFields() const { return newFields_; }
    // The web site a new catalog starts from; none: an empty catalog.
    void SetWebSiteImport(std::optional<TWebSiteImportRequest> request) { webSite_ = std::move(request); }
    const std::optional<TWebSiteImportRequest>& WebSiteImport() const { return webSite_; }
    bool ShowsUserName() const;
    // Registering on-line is offered unless a registration with a type was read.
    bool RegisterEnabled() const { return registration_.CatalogType == 0; }
    // The messages of every rule the fields break, in order.
    std::vector<std::string> ValidateNewCatalog(const TNewCatalogFields& fields) const;
    // Validates (one error box with every message) and fills the request; false keeps the page.
    bool ConfirmNewCatalog(const TNewCatalogFields& fields);
    // The registration page's address for the code and type.
    std::string RegistrationUrl(const std::string& code, const std::string& typeValue) const;

    // ---- the open page --------------------------------------------------------------------
    // The open page for a known catalog file.
    void StartOpenCatalog(const std::string& dbDir, const std::string& catalogCode, const std::string& dbType);
    // The user name shown ("Administrator" when none is remembered).
    std::string OpenUserName() const;
    const std::string& OpenPassword() const { return openFilledPassword_; }
    bool OpenSavePassword() const { return openSavePassword_; }
    void ConfirmOpenCatalog(const std::string& userName, const std::string& password, bool savePassword);

    // ---- the new-catalog-from-host page -----------------------------------------------
    void StartNewCatalogFromHost();
    bool ConfirmNewCatalogFromHost(const std::string& code, const std::string& userName,
                                   const std::string& password);

    // ---- the hosting-service account ----------------------------------------------------
    // The remembered account of the open catalog.
    TRememberedLogin StartHostAccount();
    void ConfirmHostAccount(const std::string& userName, const std::string& password, bool savePassword);

    // ---- carrying out ------------------------------------------------------------------------
    // Carries out the request after the dialog closed (Accepted: with OK).
    // True when the dialog is finished, false when it is to be shown again.
    bool ProcessLogin(bool accepted);

    // Whether every character is "-", "0"-"9", "_" or "a"-"z" (an empty code passes).
    static bool HasOnlyCodeCharacters(const std::string& code);

private:
    std::string Tr(const std::string& text) const;
    std::string Format(const std::string& text, const std::string& arg) const;
    void ReadRegistration();
    void TakeEntry(int index);
    bool CreateRequestedCatalog();

    TTolvex& root_;
    TCommonGui& gui_;
    const TTranslation* translation_;
    THostDownload hostDownload_;
    TLoginRequest request_;
    TLoginPage page_ = TLoginPage::Welcome;

    std::vector<TCatalog::TListEntry> entries_;
    int selectedEntry_ = -1;
    bool autoPressOk_ = false;

    std::vector<std::string> catalogTypes_;
    int selectedType_ = -1;
    TNewCatalogFields newFields_;
    std::optional<TWebSiteImportRequest> webSite_;

    std::string openFilledPassword_;
    bool openSavePassword_ = false;
    std::string hostAccountCode_;

    TRegistration registration_;
    bool cookieRead_ = false;
    std::string cookieUrl_;
};
