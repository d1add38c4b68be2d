// Changing the code of the open catalog: the database file takes the new
// name first and then every row the new code; when the rows cannot be
// changed the file gets its old name back. Either way the catalog can be
// opened afterwards under one of its two codes, never under neither.
#include "catalog/CatalogDefinition.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogCreationHost.h"
#include "catalog/TolvexCatalog.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/GlobalDefinition.h"

#include <filesystem>

namespace {

const char* const kEmptyEditorAction = "Action=MainPageEditor&ItemId=-1";
const char* const kBackToTreeAction = "Action=LastWebTreeItem";

}  // namespace

void TCatalogDefinition::ChangeCatalogCode(const std::string& oldCode)
{
    TCatalogCreationHost& host = Services().Host;
    std::string newCode;
    if (host.AskNewCatalogCode(oldCode, newCode) && RenameOpenCatalog(oldCode, common_detail::LowerCase(newCode)))
        return;
    host.QueueAction(kBackToTreeAction, true);
}

// False when the catalog stays open as it was; true once it has been closed
// (renamed, or left under its old name with a message).
bool TCatalogDefinition::RenameOpenCatalog(const std::string& oldCode, const std::string& newCode)
{
    TCreationServices& services = Services();
    TTolvexCatalog* open = services.Catalog.GetOpenCatalog();
    if (!open)
        return false;
    services.Host.ExecuteAction(kEmptyEditorAction, true);
    TAbstractDBConnectionFactory& factory = open->GetConnectionFactory();
    if (!IsValidCatalogCode(newCode) || !factory.IsNameFree(newCode)) {
        gui_.ShowError(Format("Cannot change \"$1\" catalog code to \"$2\"", {oldCode, newCode}), false);
        return false;
    }
    const std::string oldFile = factory.GetDatabaseFileName(oldCode);
    const std::string newFile = factory.GetDatabaseFileName(newCode);
    const std::string folder = std::filesystem::path(oldFile).parent_path().string();
    // The module's file operations, on a factory that opens nothing.
    std::unique_ptr<TAbstractDBConnectionFactory> files =
        dbManager_.CreateDatabasePlugin(factory.GetName(), factory.GetParams());
    if (!services.Host.CloseCatalog())
        return false;

    if (!files->RenameDatabase(folder, oldFile, newFile)) {
        gui_.ShowError(Format("Cannot change database catalog code."), false);
        return true;
    }
    try {
        ChangeCodeInFile(newFile, oldCode, newCode);
    } catch (...) {
        files->RenameDatabase(folder, newFile, oldFile);
        throw;
    }
    services.Host.SetCatalogCode(newCode);
    services.Host.PostReopenCatalog();
    return true;
}

void TCatalogDefinition::ChangeCodeInFile(const std::string& fileName, const std::string& oldCode,
                                          const std::string& newCode)
{
    TTolvexCatalog catalog(Services().Catalog);
    if (!catalog.OpenDatabaseFile(fileName))
        throw ECriticalTolvexException("Cannot open the database");
    catalog.SetCatalogCode(oldCode);
    std::unique_ptr<TAbstractDBConnection> connection = catalog.GetConnectionFactory().OpenSecondConnection();
    TCatalogBookkeeping(catalog, gui_).ChangeCatalogCode(newCode, *connection, Services().GlobalDefinition.GetTables());
    connection->CommitTrans();
}
