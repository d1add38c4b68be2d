// The root object: life cycle, remembered login, home page, page file names
// and what the catalog object asks of the program around it. Opening,
// closing and maintenance of catalogs are in TolvexCatalogs.cpp, the
// software-update hand-over in TolvexUpdate.cpp.
#include "catalog/Tolvex.h"

#include "catalog/CatalogPageGeneration.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogUpgrader.h"
#include "catalog/Singletons.h"
#include "catalog/StyleSelector.h"
#include "catalog/TolvexGuiControl.h"
#include "catalog/TolvexHelpSystem.h"
#include "catalog/TolvexShell.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonProcedures.h"
#include "common/Deployment.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/TolvexException.h"
#include "common/Translation.h"
#include "generation/StyleDialog.h"
#include "generation/StyleManager.h"
#include "generation/StyleOperation.h"
#include "generation/Templates.h"
#include "generation/TolvexHttpServer.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ClassesList.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/GlobalDefinition.h"
#include "storage/IdRanges.h"
#include "storage/MemberValueText.h"
#include "storage/ProgramDatabases.h"
#include "storage/References.h"
#include "storage/SQLiteModule.h"
#include "storage/SettingsModuleContext.h"
#include "storage/ShippedData.h"
#include "storage/TolvexObjectContext.h"

#include <utility>

TTolvex* RootObject = nullptr;

namespace {

// The home page when the catalog names none.
constexpr int kDefaultHomePageId = 100001;

// Page extensions of the item types with server-side pages.
const std::pair<int, const char*> kServerPageTypes[] = {
    {402, ".asp"}, {403, ".jsp"}, {404, ".php"}, {405, ".shtml"}};
// Page extensions by the bits of an item type's flag word; the lowest set bit wins.
const std::pair<int, const char*> kExtensionFlags[] = {
    {0x1, ".html"}, {0x2, ".jsp"}, {0x4, ".php"}, {0x8, ".asp"}, {0x10, ".shtml"}, {0x80, ".pdf"}, {0x100, ".doc"}};

}  // namespace

TTolvex::TTolvex(TEnvironment environment) : environment_(std::move(environment))
{
    if (!environment_.Shell)
        throw EDeveloperTolvexException("The root object needs a shell");
}

TTolvex::~TTolvex()
{
    Destroy();
}

std::string TTolvex::Translate(const std::string& text) const
{
    return TTranslation::OrEnglish(::Translation).Translate(text);
}

std::string TTolvex::FormatMessage(const std::string& text, const std::vector<std::string>& args) const
{
    const std::vector<TFormatArg> formatArgs(args.begin(), args.end());
    return TTranslation::OrEnglish(::Translation).FormatMessage(text, formatArgs, true);
}

std::tm TTolvex::Now() const
{
    if (environment_.Now)
        return environment_.Now();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// ---- life cycle --------------------------------------------------------------------------

void TTolvex::Start()
{
    if (!CommonProcedures || !::Translation || !::DBManager)
        throw EDeveloperTolvexException("The root object starts after the process singletons");
    TTolvexShell& shell = *environment_.Shell;
    exceptionHook_ = std::make_unique<TTolvexException>(*::Translation, CommonProcedures->Gui(),
                                                        [&shell] { shell.Terminate(); }, Deployment::kSupportAddress);
    shell.SetExceptionHandler(exceptionHook_.get());
    CreateSettings();
    CountSession();
    advancedMode_ = settings_->IniSettings().ReadValue("Key", "advanced", "") == "1";
    CreateDatabases();
    CreateCatalog();
    CreateGuiParts();
}

void TTolvex::CreateSettings()
{
    settings_ = std::make_unique<TGlobalSettings>(CommonProcedures->App().GetAppDir(), ::Translation);
    TDatabaseModuleContext context = MakeSettingsModuleContext(*settings_, *::Translation, &CommonProcedures->Gui());
    if (environment_.Now)
        context.now = environment_.Now;
    SetDefaultDatabaseModuleContext(context);
}

void TTolvex::CountSession()
{
    TIniSettings& ini = settings_->IniSettings();
    if (ini.GetString(siComputerId).empty())
        ini.SetString(siComputerId, TCommonFunctions::GetTickCountString());
    ini.SetInteger(siSessionId, ini.GetInteger(siSessionId, 0) + 1);
}

void TTolvex::CreateDatabases()
{
    if (!environment_.DataDir.empty())
        EnsureShippedDatabases(settings_->AppDir(), environment_.DataDir);
    const TDatabaseModuleCreator modules = DatabaseModuleCreatorOf(*::DBManager);
    references_ = std::make_unique<TReferences>(*settings_, modules);
    globalDefinition_ = std::make_unique<TGlobalDefinition>(*settings_, modules, CommonProcedures->Functions(),
                                                            CommonProcedures->Gui());
    programDatabases_ = std::make_unique<TProgramDatabases>(*globalDefinition_, *references_);
    classesList_ = std::make_unique<TClassesList>(*programDatabases_);
    objectContext_ = std::make_unique<TTolvexObjectContext>(
        [this](int classId) -> TAbstractCClassDefinition* { return classesList_->GetClassDefinition(classId); },
        [this](const std::string& tag) { return classesList_->GetClassId(tag); });
}

void TTolvex::CreateCatalog()
{
    upgrader_ = std::make_unique<TCatalogUpgrader>(*globalDefinition_);
    catalog_ = std::make_unique<TCatalog>(TCatalog::TServices{*settings_, *::DBManager, CommonProcedures->Gui(),
                                                              ::Translation, *objectContext_, *this, *this,
                                                              *upgrader_});
    upgrader_->Bind(*catalog_);
    imageServer_ = std::make_unique<TTolvexHttpServer>(
        settings_->GetTempDir(),
        environment_.ImageServerPort != 0 ? environment_.ImageServerPort : TTolvexHttpServer::kDefaultPort);
    catalog_->GetDefinition().SetCreationServices({*catalog_, *globalDefinition_, *settings_,
                                                   CommonProcedures->Functions(), ::Translation, *this});
    objectContext_->SetItemIdResolver([this](const std::string& text, int currentId, int currentTreeId) {
        return catalog_->GetDefinition().ResolveItemId(text, currentId, currentTreeId);
    });
    programDatabases_->SetCatalogSource([this]() -> TAbstractDBConnection* {
        TTolvexCatalog* open = catalog_->GetOpenCatalog();
        return open && open->HasConnectionFactory() ? &open->GetConnectionFactory().GetConnection() : nullptr;
    });
    programDatabases_->SetStyleSource([this]() -> TAbstractDBConnection* {
        TAbstractDBConnectionFactory* definition = catalog_->GetDefinition().GetDefinitionDatabase(kOpenCatalogType);
        return definition ? &definition->GetConnection() : nullptr;
    });
    catalog_->Initialize();
}

void TTolvex::CreateGuiParts()
{
    TTolvexShell& shell = *environment_.Shell;
    guiControl_ = shell.CreateGuiControl(*this);
    if (guiControl_) {
        guiControl_->Initialize();
        catalog_->GetDefinition().SetImageCache(guiControl_->GetImageCache());
    }
    styleManager_ = std::make_unique<TStyleManager>(TStyleManager::TServices{
        *catalog_, *globalDefinition_, CommonProcedures->Gui(), ::Translation, *this, settings_->AppDir()});
    styleManager_->Initialize();
    helpSystem_ = shell.CreateHelpSystem(*this);
    if (helpSystem_)
        helpSystem_->Initialize();
}

void TTolvex::Destroy()
{
    helpSystem_.reset();
    styleManager_.reset();
    if (catalog_)
        catalog_->GetDefinition().SetImageCache(nullptr);
    guiControl_.reset();
    // Stopped before the catalog whose connection it reads goes.
    imageServer_.reset();
    catalog_.reset();
    upgrader_.reset();
    objectContext_.reset();
    classesList_.reset();
    programDatabases_.reset();
    globalDefinition_.reset();
    references_.reset();
    if (settings_) {
        // The module context refers to the settings.
        SetDefaultDatabaseModuleContext({});
        settings_.reset();
    }
    if (exceptionHook_) {
        environment_.Shell->SetExceptionHandler(nullptr);
        exceptionHook_.reset();
    }
}

void TTolvex::Quit()
{
    environment_.Shell->PostCloseRequest();
}

TCatalogData* TTolvex::GetCatalogData()
{
    return catalog_ ? dynamic_cast<TCatalogData*>(catalog_->GetData()) : nullptr;
}

// ---- remembered login ----------------------------------------------------------------------

void TTolvex::SetLoginParams(const TLoginParams& params)
{
    login_ = params;
}

void TTolvex::SetUserCredentials(const std::string& userName, const std::string& password)
{
    login_.UserName = userName;
    login_.Password = password;
}

// ---- home page ---------------------------------------------------------------------------------

int TTolvex::GetHomePageId()
{
    if (homePageId_ == 0)
        LoadHomePageId();
    return homePageId_;
}

void TTolvex::LoadHomePageId()
{
    homePageId_ = 0;
    if (TTolvexCatalog* open = catalog_ ? catalog_->GetOpenCatalog() : nullptr)
        homePageId_ = TMemberValueText::ReadInteger(
            open->GetCatalogProperty(kPropertyHomePage, open->GetConnectionFactory().GetConnection()));
    if (homePageId_ == 0)
        homePageId_ = kDefaultHomePageId;
}

// ---- page file names and addresses ------------------------------------------------------------

std::string TTolvex::GetPageExtension(int itemType)
{
    const int flags = catalog_->GetDefinition().GetItemTypeFlags(itemType);
    for (const auto& [bit, extension] : kExtensionFlags)
        if (flags & bit)
            return extension;
    return ".html";
}

std::string TTolvex::GetPageFileName(int itemId, int itemType, int pageNo, bool useIndexForHome,
                                     TAbstractDBConnection* connection, const std::string& altName)
{
    std::string suffix;
    if (pageNo != 0 && pageNo != 1)
        suffix.append("-").append(std::to_string(pageNo));
    std::string extension;
    for (const auto& [type, serverExtension] : kServerPageTypes)
        if (type == itemType)
            extension = serverExtension;
    if (extension.empty())
        extension = GetPageExtension(itemType);
    const std::string base = useIndexForHome && itemId == GetHomePageId() ? "index" : std::to_string(itemId);
    std::string fileName = base + suffix + extension;
    if (TTolvexCatalog* open = catalog_->GetOpenCatalog())
        fileName = catalog_->GetPageFileNameByAltName(itemId, itemType, pageNo, fileName, connection,
                                                      open->GetCatalogCode(), altName);
    return fileName;
}

std::string TTolvex::GetPageFileNameWithExt(int itemId, int itemType, int pageNo, const std::string& ext,
                                            bool useIndexForHome, TAbstractDBConnection* connection,
                                            const std::string& altName)
{
    std::string fileName = GetPageFileName(itemId, itemType, pageNo, useIndexForHome, connection, altName);
    const std::size_t html = fileName.find(".html");
    if (html != std::string::npos)
        fileName.replace(html, 5, "." + ext);
    return fileName;
}

std::string TTolvex::GetHostedPageUrl(int itemId, int itemType, int pageNo, const std::string& dir,
                                      TAbstractDBConnection* connection, const std::string& altName)
{
    TTolvexCatalog* open = catalog_->GetOpenCatalog();
    // Once the catalog has a web site of its own (the site address of FTP
    // publishing), the page is there, whatever its id: <site>/<dir>/<file>.
    std::string ownSite = common_detail::Trim(
        open && connection ? TCatalog::GetCatalogProperty(kPropertyWebSiteUrl, *connection, open->GetCatalogCode()) : "");
    while (!ownSite.empty() && ownSite.back() == '/')
        ownSite.pop_back();
    if (!ownSite.empty())
        return ownSite + "/" +
               TCommonFunctions::EncodeUrlPath(dir + "/" + GetPageFileName(itemId, itemType, pageNo, true, connection,
                                                                            altName));
    if (itemId >= kLocalIdOffset && itemId <= kLocalItemIdLimit)
        return Translate("Will be assigned after publishing");
    return Deployment::kHostingSite + "/" + (open ? open->GetCatalogCode() : std::string()) + "/" +
           TCommonFunctions::EncodeUrlPath(dir + "/" + GetPageFileName(itemId, itemType, pageNo, true, connection, altName));
}

// ---- what the catalog object asks ----------------------------------------------------------------

std::unique_ptr<TAbstractCatalogData> TTolvex::CreateCatalogData(TCatalog& catalog)
{
    return std::make_unique<TCatalogData>(
        catalog,
        TCatalogData::TServices{*this, *settings_, CommonProcedures->Gui(), ::Translation, *objectContext_});
}

void TTolvex::LoginShowWelcome(const std::string& catalogName, bool autoOpen)
{
    environment_.Shell->LoginShowWelcome(catalogName, autoOpen);
}

void TTolvex::LoginOpenCatalog(const std::string& dbDir, const std::string& catalogName, const std::string& dbType)
{
    environment_.Shell->LoginOpenCatalog(dbDir, catalogName, dbType);
}

void TTolvex::LoginNewCatalog()
{
    environment_.Shell->LoginNewCatalog();
}

void TTolvex::LoginNewCatalogFromHost()
{
    environment_.Shell->LoginNewCatalogFromHost();
}

std::string TTolvex::GetActionString(int actionId)
{
    return environment_.Shell->GetActionString(actionId);
}

void TTolvex::ExecuteActionById(int actionId, bool check)
{
    environment_.Shell->ExecuteActionById(actionId, check);
}

void TTolvex::PostActionById(int actionId, bool check)
{
    environment_.Shell->PostActionById(actionId, check);
}

// The image server reads the open catalog through a connection of its own,
// on its own threads; a failed start is in its log file only.
void TTolvex::StartImageServer()
{
    TCatalogData* data = GetCatalogData();
    if (!imageServer_ || !data)
        return;
    TAbstractDBConnectionFactory& factory = data->GetConnectionFactory();
    imageServer_->Start(data->GetCatalogCode(), [&factory] { return factory.OpenSecondConnection(); });
}

void TTolvex::StopImageServer()
{
    if (imageServer_)
        imageServer_->Stop();
}

std::string TTolvex::GetDefaultCustomXsl()
{
    return TTemplates::GetDefaultCustomXsl();
}

// ---- what catalog creation and the code change ask ---------------------------------------------

bool TTolvex::AskNewCatalogCode(const std::string& oldCode, std::string& newCode)
{
    return environment_.Shell->AskNewCatalogCode(oldCode, newCode);
}

void TTolvex::ExecuteAction(const std::string& action, bool check)
{
    environment_.Shell->ExecuteAction(action, check);
}

void TTolvex::QueueAction(const std::string& action, bool check)
{
    environment_.Shell->QueueAction(action, check);
}

void TTolvex::PostReopenCatalog()
{
    environment_.Shell->PostReopenCatalog();
}

bool TTolvex::RunWebSiteImport(std::vector<std::string>& params, TAbstractDBConnection& connection)
{
    return environment_.Shell->RunWebSiteImport(params, connection);
}

// ---- definition lookups and the open catalog's needs -----------------------------------------------------

int TTolvex::GetItemIdByName(const std::string& name)
{
    return globalDefinition_->GetItemIdByName(name);
}

int TTolvex::GetItemTypeByName(const std::string& name)
{
    return globalDefinition_->GetItemTypeByName(name);
}

TAbstractDBConnection* TTolvex::GetCategoryConnection()
{
    try {
        return &globalDefinition_->GetZarivuroDatabase().GetConnection();
    } catch (const EFatalTolvexException&) {
        // The category database is missing or broken: pages go without categories.
        return nullptr;
    }
}

std::unique_ptr<TCatalogDataUI> TTolvex::CreateCatalogUI(TCatalogData& data)
{
    return environment_.Shell->CreateCatalogUI(data);
}

TStyleSelector* TTolvex::GetStyleSelector()
{
    return styleManager_.get();
}

std::unique_ptr<TStyleDialog> TTolvex::CreateStyleDialog()
{
    return environment_.Shell->CreateStyleDialog();
}

void TTolvex::StartStyleOperation(std::unique_ptr<TStyleOperation> operation)
{
    environment_.Shell->StartStyleOperation(std::move(operation));
}

std::unique_ptr<TCatalogPageGeneration> TTolvex::CreatePageGeneration(TCatalogData& data)
{
    return std::make_unique<TCatalogPageGeneration>(
        data, TCatalogPageGeneration::TServices{*catalog_, *settings_, *globalDefinition_, *references_,
                                                CommonProcedures->Gui(), ::Translation, *objectContext_});
}
