// The root object's catalog operations: opening, closing, reopening and
// deleting the catalog, backing up, restoring and compacting its database,
// and the backup reminder.
#include "catalog/Tolvex.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/TolvexGuiControl.h"
#include "catalog/TolvexShell.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "catalog/Singletons.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/DatabaseModuleContext.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/SQLiteFiles.h"

namespace {

// The answers of a catalog opening that ask the root object to act.
constexpr const char* kReopen = "reopen";
constexpr const char* kCloseCatalog = "closecatalog";

}  // namespace

// ---- opening and closing ----------------------------------------------------------------

void TTolvex::OpenCatalog(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                          const std::string& catalogCode, const std::string& userName, const std::string& password,
                          std::uint8_t flags, std::string& error)
{
    error.clear();
    if (catalogCode.empty())
        return;
    try {
        catalog_->Open(dbPath, dbType, dbParams, catalogCode, userName, password, flags, error);
    } catch (...) {
        // A failure that raised leaves no half-open catalog behind.
        if (catalog_->IsOpen())
            catalog_->Close();
        throw;
    }
    if (!error.empty() || !catalog_->IsOpen()) {
        if (error == kReopen) {
            error.clear();
            environment_.Shell->PostReopenCatalog();
        } else if (error == kCloseCatalog) {
            error.clear();
            catalog_->Close();
        } else if (catalog_->IsOpen()) {
            catalog_->Close();
        }
        return;
    }
    SetLoginParams({dbPath, dbType, dbParams, catalogCode, userName, password});
    if (catalog_->GetOpenCatalog()->GetCatalogType() > 0)
        ShowCatalogOpened(catalogCode);
}

void TTolvex::ShowCatalogOpened(const std::string& catalogCode)
{
    // Under the database's name, as the backup keeps it (a style catalog's
    // database is named otherwise than its code).
    if (AskBackupReminder(CatalogDatabaseName()))
        AutoBackupCatalog();
    if (guiControl_) {
        guiControl_->UpdateCatalogState(true);
        guiControl_->SetStatusText(FormatMessage("Catalog \"$1\" opened", {catalogCode}), false, 0);
    }
    const int catalogType = catalog_->GetOpenCatalog()->GetCatalogType();
    environment_.Shell->SetMainCaption(
        FormatMessage("$1 $2 <Tolvex>", {catalogCode, globalDefinition_->GetCatalogTypeName(catalogType)}));
}

bool TTolvex::CloseCatalog()
{
    if (TCatalogData* data = GetCatalogData()) {
        if (!data->CanLeave(false))
            return false;
        TIniSettings& ini = settings_->IniSettings();
        ini.SetString(siLastSessionDatabaseName, data->GetCatalogCode());
        ini.WriteValue("catalog-" + data->GetCatalogCode(), "UserName", login_.UserName);
    }
    if (guiControl_)
        guiControl_->RemoveCatalogActions();
    catalog_->Close();
    catalog_->GetDefinition().Load(0);
    if (guiControl_) {
        guiControl_->AddMenuActions();
        guiControl_->AddSearchItems();
        guiControl_->UpdateCatalogState(false);
    }
    environment_.Shell->SetMainCaption(Translate("Tolvex"));
    return true;
}

void TTolvex::ReopenCatalog()
{
    if (!CloseCatalog())
        return;
    const TLoginParams login = login_;
    std::string error;  // the opening has shown its failures already
    OpenCatalog(login.DbPath, login.DbType, login.DbParams, login.CatalogCode, login.UserName, login.Password, 0,
                error);
}

bool TTolvex::DeleteCatalog(const std::string& catalogCode)
{
    const std::string code = catalogCode.empty() ? login_.CatalogCode : catalogCode;
    // Nothing remembered means nothing that could be deleted.
    if (code.empty() || code != login_.CatalogCode || !catalog_->DeleteCatalogDatabase(code)) {
        CommonProcedures->Gui().ShowError(FormatMessage("Catalog \"$1\" cannot be deleted.", {code}), false);
        return false;
    }
    login_ = {};
    return true;
}

// ---- backup, restore, compaction -----------------------------------------------------------
//
// They work on the database of the remembered login: its folder (the
// database folder when the login named none) and its database name.

std::string TTolvex::CatalogFolder() const
{
    return login_.DbPath.empty() ? settings_->GetDatabasePath() : login_.DbPath;
}

std::string TTolvex::CatalogDatabaseName() const
{
    return TCatalogData::DatabaseNameOf(login_.CatalogCode, settings_->IniSettings());
}

std::unique_ptr<TAbstractDBConnectionFactory> TTolvex::CreateRememberedModule()
{
    return ::DBManager->CreateDatabasePlugin(login_.DbType, login_.DbParams);
}

void TTolvex::BackupCatalog()
{
    if (TTolvexCatalog* open = catalog_->GetOpenCatalog())
        open->GetConnectionFactory().BackupDatabase(CatalogFolder(), "", CatalogDatabaseName(), "", "");
}

void TTolvex::AutoBackupCatalog()
{
    if (TTolvexCatalog* open = catalog_->GetOpenCatalog())
        open->GetConnectionFactory().AutoBackup(CatalogFolder(), "", CatalogDatabaseName(), "", "");
}

void TTolvex::RestoreCatalog()
{
    if (!catalog_->IsOpen())
        return;
    std::unique_ptr<TAbstractDBConnectionFactory> module = CreateRememberedModule();
    // A database still open for the item being edited is never replaced.
    if (!CloseCatalog())
        return;
    module->RestoreDatabase(CatalogFolder(), "", CatalogDatabaseName(), "", "");
    environment_.Shell->PostReopenCatalog();
}

void TTolvex::CompactCatalog()
{
    if (!catalog_->IsOpen())
        return;
    std::unique_ptr<TAbstractDBConnectionFactory> module = CreateRememberedModule();
    if (!CloseCatalog())
        return;
    if (module->CompactDatabase(CatalogFolder(), "", CatalogDatabaseName(), "", ""))
        CommonProcedures->Gui().ShowInformation("Database has been successfully compressed", true);
    environment_.Shell->PostReopenCatalog();
}

// ---- backup reminder ---------------------------------------------------------------------------

bool TTolvex::AskBackupReminder(const std::string& databaseName)
{
    TIniSettings& ini = settings_->IniSettings();
    const std::string section = DatabaseBackupSection(databaseName);
    if (ini.GetBool(siBackupDontRemind, false) || ini.ReadValue(section, "DontRemind", "") == "1")
        return false;
    const int interval = ini.GetInteger(siBackupRemind, 7);
    if (interval <= 0)
        return false;
    const int today = DayNumber(Now());
    const int last = TMemberValueText::ReadInteger(ini.ReadValue(section, "LastBackup", ""));
    if (last == 0) {
        ini.WriteValue(section, "LastBackup", std::to_string(today));
        return false;
    }
    if (today - last < interval)
        return false;
    bool dontRemind = false;
    const int answer = CommonProcedures->Gui().AskQuestionWithCheckBox(
        FormatMessage("You have not backed-up your catalog database in more than $1 days. Backup now?",
                      {std::to_string(interval)}),
        FormatMessage("Don\\`t remind me again", {}), dontRemind, Translate("Process backup?"), false);
    ini.SetBool(siBackupDontRemind, dontRemind);
    return answer == mrYes;
}
