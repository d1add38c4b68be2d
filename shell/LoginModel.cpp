#include "shell/LoginModel.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "common/CaptionValue.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "storage/DBManager.h"
#include "storage/GlobalDefinition.h"

#include <algorithm>
#include <filesystem>

using common_detail::LowerCase;

namespace {

const char* const kCatalogSection = "catalog-";
const char* const kDefaultUserName = "Administrator";

TCommonFunctions& Functions()
{
    return CommonProcedures->Functions();
}

int IntegerOr0(const std::string& text)
{
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        return used == text.size() ? value : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

// ---- the registration -------------------------------------------------------------------------

TRegistration TRegistration::Parse(const std::string& text)
{
    TRegistration registration;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('&', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string pair = text.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        const std::string name = pair.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
        if (name == "catalogtype")
            registration.CatalogType = IntegerOr0(value);
        else if (name == "catalogcode")
            registration.CatalogCode = value;
        else if (name == "username")
            registration.UserName = value;
        else if (name == "companyname")
            registration.CompanyName = value;
        else if (name == "email")
            registration.Email = value;
        else if (name == "passwd")
            registration.Password = value;
        start = end + 1;
    }
    return registration;
}

// ---- life cycle ----------------------------------------------------------------------------------

TLoginModel::TLoginModel(TTolvex& root, TCommonGui& gui, const TTranslation* translation)
    : root_(root), gui_(gui), translation_(translation)
{
    request_.DbType = root_.Settings().IniSettings().GetString(siDatabaseDefaultType);
}

TLoginModel::~TLoginModel()
{
    // A registration prefills one login dialog at most.
    if (cookieRead_)
        Functions().DeleteCookie(cookieUrl_, root_.Settings().IniSettings().GetString(siCookieName));
}

std::string TLoginModel::Tr(const std::string& text) const
{
    return TTranslation::OrEnglish(translation_).Translate(text);
}

std::string TLoginModel::Format(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(translation_).Format(text, {arg});
}

bool TLoginModel::HasOnlyCodeCharacters(const std::string& code)
{
    return code.empty() || TCatalogDefinition::IsValidCatalogCode(code);
}

// ---- remembered logins ----------------------------------------------------------------------------

TRememberedLogin TLoginModel::ReadLogin(const std::string& sectionPrefix, const std::string& code) const
{
    const TIniSettings& ini = root_.Settings().IniSettings();
    TRememberedLogin login;
    login.UserName = ini.ReadValue(sectionPrefix + code, "UserName", "");
    login.Password = TCommonFunctions::UnscramblePassword(ini.ReadValue(sectionPrefix + code, "Password", ""));
    login.PasswordSaved = !login.Password.empty();
    return login;
}

void TLoginModel::WriteLogin(const std::string& sectionPrefix, const std::string& code, const std::string& userName,
                             const std::string& password, bool savePassword)
{
    TIniSettings& ini = root_.Settings().IniSettings();
    ini.WriteValue(sectionPrefix + code, "UserName", userName);
    ini.WriteValue(sectionPrefix + code, "Password", savePassword ? Functions().ScramblePassword(password) : "");
}

// ---- the registration cookie -------------------------------------------------------------------

void TLoginModel::ReadRegistration()
{
    const TIniSettings& ini = root_.Settings().IniSettings();
    const std::string name = ini.GetString(siCookieName);
    std::string url = ini.GetString(siCookieHost);
    std::string cookie;
    if (name.empty() || !Functions().GetCookie(url, name, cookie))
        return;
    // The store gives the cookie's value; a whole cookie line holds it as one
    // of its "name=value" entries.
    std::string value = cookie;
    std::size_t start = 0;
    while (start < cookie.size()) {
        std::size_t end = cookie.find(';', start);
        if (end == std::string::npos)
            end = cookie.size();
        const std::string entry = common_detail::Trim(cookie.substr(start, end - start));
        if (entry.compare(0, name.size() + 1, name + "=") == 0)
            value = entry.substr(name.size() + 1);
        start = end + 1;
    }
    const TRegistration registration = TRegistration::Parse(value);
    if (!registration.IsComplete())
        return;
    registration_ = registration;
    cookieRead_ = true;
    cookieUrl_ = url;
    request_.CatalogType = registration.CatalogType;
    request_.CatalogCode = registration.CatalogCode;
    request_.RegisteredCode = registration.CatalogCode;
    request_.UserName = registration.UserName;
    request_.CompanyName = registration.CompanyName;
    request_.Email = registration.Email;
    request_.RegisteredPassword = registration.Password;
}

// ---- the start page --------------------------------------------------------------------------------

void TLoginModel::StartWelcome(const std::string& catalogCode, bool autoOpen)
{
    const std::string code =
        LowerCase(catalogCode.empty() ? root_.Settings().IniSettings().GetString(siLastSessionDatabaseName)
                                      : catalogCode);
    root_.Catalog().GetCatalogList(entries_);
    std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
        return LowerCase(a.Text) < LowerCase(b.Text);
    });

    ReadRegistration();
    const bool registered = registration_.IsComplete() && !root_.Catalog().CatalogFileExists(
                                                               LowerCase(registration_.CatalogCode));
    page_ = TLoginPage::Welcome;

    const std::string prefix = code + CaptionValue::kSeparator;
    selectedEntry_ = -1;
    for (std::size_t i = 0; i < entries_.size() && selectedEntry_ < 0; ++i)
        if (!code.empty() && entries_[i].Text.compare(0, prefix.size(), prefix) == 0)
            selectedEntry_ = static_cast<int>(i);
    const bool found = selectedEntry_ >= 0;
    if (!found && !entries_.empty())
        selectedEntry_ = 0;

    if (registered || entries_.empty())
        StartNewCatalog();
    if (autoOpen && !found)
        gui_.ShowError(Format("Cannot open \"$1\" catalog.", code), false, "");
    autoPressOk_ = autoOpen && found;
}

std::vector<std::string> TLoginModel::EntryCaptions() const
{
    std::vector<std::string> captions;
    for (const TCatalog::TListEntry& entry : entries_)
        captions.push_back(CaptionValue::CaptionOf(entry.Text));
    return captions;
}

void TLoginModel::WelcomeOk(bool createNew, int entryIndex)
{
    if (createNew) {
        StartNewCatalog();
        return;
    }
    if (entryIndex < 0 || entryIndex >= static_cast<int>(entries_.size()))
        return;
    selectedEntry_ = entryIndex;
    TakeEntry(entryIndex);
}

void TLoginModel::TakeEntry(int index)
{
    const TCatalog::TListEntry& entry = entries_[static_cast<std::size_t>(index)];
    std::string path = CaptionValue::ValueOf(entry.Text);
    if (entry.Tag == kOldInstallCatalogTag)
        path = root_.Catalog().CopyOldInstallCatalog(path);
    const std::size_t slash = path.find_last_of("/\\");
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = fileName.find('.');
    const std::string code = fileName.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);

    const TPluginLoader* module = root_.Catalog().GetDBManager().GetPluginsManager().FindPluginByProperty("FileExt", ext);
    StartOpenCatalog(dir, code, module ? module->GetName() : std::string());
}

// ---- the new-catalog page ---------------------------------------------------------------------------

void TLoginModel::StartNewCatalog()
{
    page_ = TLoginPage::NewCatalog;
    if (!cookieRead_)
        ReadRegistration();
    root_.GlobalDefinition().FillCatalogTypes(catalogTypes_, false);
    const std::string preferred = root_.Settings().IniSettings().GetString(siCatalogPreferable);
    const auto typeIndex = [this](const std::string& value) {
        for (std::size_t i = 0; i < catalogTypes_.size(); ++i)
            if (CaptionValue::ValueOf(catalogTypes_[i]) == value)
                return static_cast<int>(i);
        return -1;
    };
    selectedType_ = typeIndex(preferred);
    if (selectedType_ < 0 && !catalogTypes_.empty())
        selectedType_ = 0;
    newFields_ = {};
    newFields_.UserName = kDefaultUserName;
    if (registration_.IsComplete()) {
        newFields_.Code = registration_.CatalogCode;
        newFields_.UserName = registration_.UserName;
        selectedType_ = typeIndex(std::to_string(registration_.CatalogType));
    }
    newFields_.TypeSelected = selectedType_ >= 0;
    if (newFields_.TypeSelected)
        newFields_.TypeValue = CaptionValue::ValueOf(catalogTypes_[static_cast<std::size_t>(selectedType_)]);
}

bool TLoginModel::ShowsUserName() const
{
    return root_.IsAdvancedMode();
}

std::vector<std::string> TLoginModel::ValidateNewCatalog(const TNewCatalogFields& fields) const
{
    std::vector<std::string> messages;
    if (!fields.TypeSelected)
        messages.push_back(Tr("Catalog type must be selected"));
    if (!HasOnlyCodeCharacters(fields.Code))
        messages.push_back(Tr("Catalog code contains wrong symbols"));
    if (fields.Code.empty())
        messages.push_back(Tr("Catalog code must be entered"));
    if (fields.UserName.empty())
        messages.push_back(Tr("User name must be entered"));
    if (fields.Password.size() < static_cast<std::size_t>(kMinPasswordLength))
        messages.push_back(TTranslation::OrEnglish(translation_).Format("Password must be at least $1 chars",
                                                                         {kMinPasswordLength}));
    if (fields.Password != fields.Confirmation)
        messages.push_back(Tr("Passwords differ"));
    if (!request_.RegisteredPassword.empty() && fields.Password != request_.RegisteredPassword &&
        fields.Code == request_.RegisteredCode)
        messages.push_back(Tr("Password you have registered at server doesn\\`t match"));
    return messages;
}

bool TLoginModel::ConfirmNewCatalog(const TNewCatalogFields& fields)
{
    const std::vector<std::string> messages = ValidateNewCatalog(fields);
    if (!messages.empty()) {
        std::string text;
        for (const std::string& message : messages)
            text += message + "\r\n";
        gui_.ShowError(text, false, "");
        return false;
    }
    request_.Mode = TLoginMode::NewCatalog;
    request_.CatalogType = IntegerOr0(fields.TypeValue);
    request_.CatalogCode = fields.Code;
    request_.UserName = fields.UserName;
    request_.Password = fields.Password;
    request_.DbDir.clear();
    request_.ServerName.clear();
    request_.DbUserName.clear();
    request_.DbPassword.clear();
    request_.SaveDbPassword = false;
    if (fields.SavePassword)
        WriteLogin(kCatalogSection, fields.Code, fields.UserName, fields.Password, true);
    return true;
}

std::string TLoginModel::RegistrationUrl(const std::string& code, const std::string& typeValue) const
{
    return root_.Settings().IniSettings().GetString(siURLRegistration) +
           "?inputCatalogCode=" + TParamList::UrlEncode(code, true) + "&lstCatalogType=" + typeValue;
}

// ---- the open page --------------------------------------------------------------------------------

void TLoginModel::StartOpenCatalog(const std::string& dbDir, const std::string& catalogCode, const std::string& dbType)
{
    page_ = TLoginPage::OpenCatalog;
    request_.Mode = TLoginMode::OpenCatalog;
    request_.DbDir = dbDir;
    request_.DbType = dbType;
    request_.CatalogCode = LowerCase(catalogCode);
    const TRememberedLogin login = ReadLogin(kCatalogSection, request_.CatalogCode);
    request_.UserName = login.UserName;
    request_.Password = login.Password;
    openFilledPassword_ = login.Password;
    openSavePassword_ = login.PasswordSaved;
}

std::string TLoginModel::OpenUserName() const
{
    return request_.UserName.empty() ? std::string(kDefaultUserName) : request_.UserName;
}

void TLoginModel::ConfirmOpenCatalog(const std::string& userName, const std::string& password, bool savePassword)
{
    request_.Mode = TLoginMode::OpenCatalog;
    request_.UserName = userName;
    request_.Password = password;
    const std::string section = kCatalogSection + request_.CatalogCode;
    TIniSettings& ini = root_.Settings().IniSettings();
    ini.WriteValue(section, "UserName", userName);
    // An unchanged remembered password is left as it is stored.
    if (!savePassword)
        ini.WriteValue(section, "Password", "");
    else if (password != openFilledPassword_)
        ini.WriteValue(section, "Password", Functions().ScramblePassword(password));
}

// ---- the new-catalog-from-host page ----------------------------------------------------------

void TLoginModel::StartNewCatalogFromHost()
{
    page_ = TLoginPage::NewCatalogFromHost;
}

bool TLoginModel::ConfirmNewCatalogFromHost(const std::string& code, const std::string& userName,
                                            const std::string& password)
{
    std::string text;
    if (code.empty())
        text += Tr("Catalog code must be entered") + "\r\n";
    if (userName.empty())
        text += Tr("User name must be entered") + "\r\n";
    if (password.empty())
        text += Tr("Password must be entered") + "\r\n";
    if (!text.empty()) {
        gui_.ShowError(text, false, "");
        return false;
    }
    request_.Mode = TLoginMode::NewCatalogFromHost;
    request_.CatalogType = kCatalogTypeFromHost;
    request_.CatalogCode = code;
    request_.UserName = userName;
    request_.Password = password;
    request_.DbDir.clear();
    request_.ServerName.clear();
    request_.DbUserName.clear();
    request_.DbPassword.clear();
    request_.SaveDbPassword = false;
    return true;
}

// ---- the hosting-service account ----------------------------------------------------------------

TRememberedLogin TLoginModel::StartHostAccount()
{
    page_ = TLoginPage::HostAccount;
    TTolvexCatalog* open = root_.Catalog().GetOpenCatalog();
    hostAccountCode_ = open ? open->GetCatalogCode() : std::string();
    TRememberedLogin login = ReadLogin("catalogauth-", hostAccountCode_);
    if (login.UserName.empty())
        login.UserName = kDefaultUserName;
    return login;
}

void TLoginModel::ConfirmHostAccount(const std::string& userName, const std::string& password, bool savePassword)
{
    WriteLogin("catalogauth-", hostAccountCode_, userName, password, savePassword);
}

// ---- carrying out ------------------------------------------------------------------------------------

bool TLoginModel::ProcessLogin(bool accepted)
{
    if (!accepted)
        return true;
    if (request_.CatalogCode.empty()) {
        gui_.ShowError(Tr("Empty catalog code"), false, "");
        return false;
    }
    const bool fromHost = request_.Mode == TLoginMode::NewCatalogFromHost;
    const std::uint8_t flags = fromHost ? kOpenAcceptTypeZero : 0;
    if (request_.Mode == TLoginMode::NewCatalog || fromHost) {
        if (!CreateRequestedCatalog())
            return false;
    }
    if (request_.Mode == TLoginMode::Nothing)
        return true;

    std::string error;
    try {
        root_.OpenCatalog(request_.DbDir, request_.DbType, "", request_.CatalogCode, request_.UserName,
                          request_.Password, flags, error);
    } catch (const ETolvexException& e) {
        error = e.what();
    }
    if (!error.empty()) {
        gui_.ShowError(error, false, "");
        return false;
    }
    TTolvexCatalog* open = root_.Catalog().GetOpenCatalog();
    if (open && open->GetCatalogType() == kCatalogTypeFromHost && hostDownload_) {
        const std::string problem = hostDownload_(request_);
        if (!problem.empty())
            gui_.ShowError(problem, false, "");
    }
    return true;
}

bool TLoginModel::CreateRequestedCatalog()
{
    // A catalog taken from the hosting service is made only when the service answers.
    if (request_.Mode == TLoginMode::NewCatalogFromHost && !hostDownload_) {
        gui_.ShowError(Tr("The hosting service is not reachable, so no catalog can be taken from it now."),
                       false, "");
        return false;
    }
    // A fresh program folder has no database folder yet.
    std::error_code folderError;
    std::filesystem::create_directories(root_.Settings().GetDatabasePath(), folderError);
    TCatalogDefinition::TNewCatalog creation;
    creation.DbType = request_.DbType;
    creation.CatalogType = request_.CatalogType;
    creation.ServerName = request_.ServerName;
    creation.CatalogCode = request_.CatalogCode;
    creation.AdminUserName = request_.UserName;
    creation.AdminPassword = request_.Password;
    creation.DbUserName = request_.DbUserName;
    creation.DbPassword = request_.DbPassword;
    creation.SaveDbPassword = request_.SaveDbPassword;
    creation.CompanyName = request_.CompanyName;
    creation.Email = request_.Email;
    creation.InitStructure = true;
    creation.WithInitPages = true;
    // The site's start page becomes the home page, under the web tree's root.
    if (webSite_ && request_.Mode != TLoginMode::NewCatalogFromHost)
        root_.Catalog().GetDefinition().SetWebSiteImport(webSite_->StartUrl(), webSite_->DownloadDepth,
                                                         webSite_->MaxPages, webSite_->OnlyUnderlying, 100001, 1);
    bool created = false;
    std::string reason;
    try {
        created = root_.Catalog().GetDefinition().CreateCatalog(creation);
    } catch (const ETolvexException& e) {
        reason = e.what();
    }
    if (created)
        return true;
    gui_.ShowError(Tr("Cannot create catalog") + (reason.empty() ? "" : "\r\n" + reason), false, "");
    return false;
}
