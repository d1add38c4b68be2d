// The open catalog: life cycle, the opening sequence, the login check, the
// style check and the catalog-type hook.
#include "catalog/CatalogData.h"

#include <algorithm>
#include <cctype>

#include "catalog/CatalogPageGeneration.h"
#include "common/Exceptions.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDataHost.h"
#include "catalog/CatalogDataUI.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogDefinitionRows.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/PartnerCategoryPages.h"
#include "catalog/StyleSelector.h"
#include "catalog/TolvexGuiControl.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"

#include <utility>

using namespace catalog_sql;
using std::to_string;

namespace {

// Catalog users: the user name, the password and the role word.
constexpr int kUserNameMember = 1;
constexpr int kPasswordMember = 2;
constexpr int kRoleMember = 4;
// The version of a style item: member 1 the version, member 2
// the version up to which the user declined updates.
constexpr int kVersionMember = 1;
constexpr int kDeclinedVersionMember = 2;
constexpr const char* kDeclinedVersionTag = "DontAskUpToVersion";
constexpr const char* kStyleCatalogPrefix = "t#";

const std::pair<const char*, std::uint8_t> kRoleWords[] = {
    {"admin", urAdministrator}, {"power", urPowerUser}, {"publisher", urPublisher},
    {"user", urUser},           {"clerk", urClerk},
};

}  // namespace

TCatalogData::TCatalogData(TCatalog& catalog, const TServices& services)
    : TTolvexCatalog(catalog),
      catalog_(catalog),
      services_(services),
      queries_(*this, services.ObjectContext),
      bookkeeping_(*this, services.Gui),
      renumbering_(*this),
      copier_(*this, services.ObjectContext),
      folders_({*this, catalog, queries_, services.ObjectContext, services.Gui, services.Settings})
{
}

TCatalogData::~TCatalogData()
{
    Close();
}

std::string TCatalogData::Format(const std::string& text, const std::string& arg1, const std::string& arg2) const
{
    return TTranslation::OrEnglish(services_.Translation).Format(text, {arg1, arg2});
}

std::string TCatalogData::DatabaseNameOf(const std::string& catalogCode, const TIniSettings& settings)
{
    if (catalogCode.rfind(kStyleCatalogPrefix, 0) != 0)
        return catalogCode;
    return TCatalogDefinition::DefinitionDatabaseName(settings, catalogCode.substr(2));
}

std::uint8_t TCatalogData::RoleOfWord(const std::string& roleWord)
{
    const std::string word = common_detail::LowerCase(roleWord);
    for (const auto& [text, role] : kRoleWords)
        if (word == text)
            return role;
    return urOther;
}

// ---- opening ------------------------------------------------------------------------------

void TCatalogData::Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                        const std::string& catalogCode, const std::string& userName, const std::string& password,
                        std::uint8_t flags, std::string& error)
{
    error.clear();
    const TLoginParams login{dbPath, dbType, dbParams, catalogCode, userName, password};
    const std::string folder = dbPath.empty() ? services_.Settings.GetDatabasePath() : dbPath;
    const std::string name = DatabaseNameOf(catalogCode, services_.Settings.IniSettings());
    // A file that is no catalog is refused before anything in it changes.
    if (!CheckDatabaseUnchanged(dbType, dbParams, folder, name, [&](TAbstractDBConnection& reading) {
            return CheckStructureVersion(catalogCode, reading, error);
        }))
        return;
    if (!ConnectDatabase(dbType, dbParams, folder, name)) {
        error = "Cannot connect to database";
        return;
    }
    const std::string warning = GetConnectionFactory().GetOpenWarning();
    if (!warning.empty())
        services_.Gui.ShowWarning(warning, true);

    // Everything up to the commit runs in one unit of work on a connection of
    // its own; a failed opening leaves it without a commit.
    std::unique_ptr<TAbstractDBConnection> connection = GetConnectionFactory().OpenSecondConnection();
    if (!CheckStructureVersion(catalogCode, *connection, error))
        return;
    if (!(flags & kOpenSkipUserCheck)) {
        CheckUser(catalogCode, userName, password, *connection, error);
        if (!error.empty())
            return;
    }
    if (!LearnCatalogType(catalogCode, *connection, flags, error) || !CheckStyles(login, flags, *connection, error))
        return;
    FinishOpening(catalogCode, *connection);
}

bool TCatalogData::CheckStructureVersion(const std::string& catalogCode, TAbstractDBConnection& connection,
                                         std::string& error)
{
    bool correct = false;
    try {
        const std::vector<TVariant> row =
            FirstRow(connection,
                     "SELECT * FROM LocalSettings WHERE CatalogCode = :CatalogCode AND DataKey = :DataKey",
                     catalogCode, {"DataValue"}, {{"DataKey", std::string(kStructureVersionKey)}});
        correct = !row.empty() && TextOf(row.front()) == kStructureVersion;
    } catch (const std::exception&) {
        // A database of another structure (no such table) is no catalog of ours.
        correct = false;
    }
    if (!correct)
        error = "Not correct Tolvex database structure.";
    return correct;
}

bool TCatalogData::LearnCatalogType(const std::string& catalogCode, TAbstractDBConnection& connection,
                                    std::uint8_t flags, std::string& error)
{
    std::string lowerCode;
    int catalogType = 0;
    if (!catalog_.GetCatalogInfo(catalogCode, connection, lowerCode, catalogType, error))
        return false;
    if (catalogType == 0 && !(flags & kOpenAcceptTypeZero)) {
        error = "Unknown catalog type";
        return false;
    }
    SetCatalogCode(lowerCode);
    SetCatalogType(catalogType);
    services_.Host.ResetHomePageId();
    if (TTolvexGuiControl* gui = services_.Host.GetGuiControl())
        gui->RemoveCatalogMenuItems();
    try {
        catalog_.GetDefinition().Load(catalogType);
    } catch (const EFatalTolvexException&) {
        // The type's definition cannot be opened (a foreign or damaged
        // file names a type this program does not have): the catalog is
        // refused, the program goes on.
        error = "Unknown catalog type";
        return false;
    }
    LoadLanguages(connection);
    return true;
}

bool TCatalogData::CheckStyles(const TLoginParams& login, std::uint8_t flags, TAbstractDBConnection& connection,
                               std::string& error)
{
    bool updateOffered = false;
    if ((flags & kOpenAcceptTypeZero) || CheckStyleVersions(updateOffered, connection))
        return true;
    TStyleSelector* selector = services_.Host.GetStyleSelector();
    if (selector && selector->SelectStyle(updateOffered ? 1 : 0, false)) {
        error = "reopen";
        services_.Host.SetLoginParams(login);
        return false;
    }
    if (updateOffered)
        return true;
    error = "closecatalog";
    return false;
}

void TCatalogData::FinishOpening(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    AfterOpen(catalogCode, connection);
    connection.CommitTrans();
    catalog_.GetDefinition().Load(GetCatalogType());
    pageGeneration_ = services_.Host.CreatePageGeneration(*this);
    if (TTolvexGuiControl* gui = services_.Host.GetGuiControl()) {
        gui->AddMenuActions();
        gui->AddSearchItems();
        gui->AddToolbarActions();
    }
}

// ---- login ------------------------------------------------------------------------------------

void TCatalogData::CheckUser(const std::string& catalogCode, const std::string& userName,
                             const std::string& password, TAbstractDBConnection& connection, std::string& error)
{
    error.clear();
    const std::string notExists = "User \"$1\" in catalog \"$2\" not exists";
    const std::vector<TVariant> user =
        FirstRow(connection,
                 "SELECT ItemId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                     to_string(kUserClassId) + " AND StringValue = :UserName AND MemberId = " +
                     to_string(kUserNameMember),
                 catalogCode, {"ItemId"}, {{"UserName", userName}});
    if (user.empty()) {
        error = Format(notExists, userName, catalogCode);
        return;
    }
    // Member id -> value; for a member held twice the first row read wins.
    std::map<int, std::string> members;
    TQueryGuard query(connection);
    query->SetSQL("SELECT StringValue, MemberId FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                  to_string(kUserClassId) + " AND ItemId = " + to_string(IntOf(user.front())));
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        members.emplace(IntOf(rows.Field("MemberId")), TextOf(rows.Field("StringValue")));
    query->Close();
    if (members.empty()) {
        error = Format(notExists, userName, catalogCode);
        return;
    }
    if (TCommonFunctions::UnscramblePassword(members[kPasswordMember]) != password) {
        error = Format("Wrong password for user \"$1\" in catalog \"$2\"", userName, catalogCode);
        return;
    }
    userRole_ = RoleOfWord(members[kRoleMember]);
}

// ---- styles -------------------------------------------------------------------------------------

std::map<int, std::string> TCatalogData::ReadStyleVersions(TAbstractDBConnection& connection,
                                                           const std::string& catalogCode, int memberId)
{
    std::map<int, std::string> versions;
    TQueryGuard query(connection);
    query->SetSQL("SELECT ItemId, StringValue FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = " +
                  to_string(kVersionClass) + " AND MemberId = " + to_string(memberId));
    query->SetParam("CatalogCode", catalogCode);
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        versions.emplace(IntOf(rows.Field("ItemId")), TextOf(rows.Field("StringValue")));
    query->Close();
    return versions;
}

bool TCatalogData::CheckStyleVersions(bool& updateOffered, TAbstractDBConnection& connection)
{
    updateOffered = true;
    const int masterTemplates =
        IntOf(FirstField(connection,
                         "SELECT COUNT(*) AS NumTemplates FROM Items WHERE CatalogCode = :CatalogCode AND "
                         "ItemType = " + to_string(kMasterTemplateType),
                         GetCatalogCode(), "NumTemplates"));
    if (masterTemplates == 0) {
        updateOffered = false;  // no style yet: opening asks for one
        return false;
    }

    TAbstractDBConnectionFactory* definition = catalog_.GetDefinition().GetDefinitionDatabase(GetCatalogType());
    const std::map<int, std::string> available =
        ReadStyleVersions(definition->GetConnection(),
                          catalog_definition::DefinitionCatalogCode(GetCatalogType()), kVersionMember);
    std::map<int, std::string> outdated;
    for (const auto& [itemId, version] : ReadStyleVersions(connection, GetCatalogCode(), kVersionMember)) {
        const auto offer = available.find(itemId);
        if (offer != available.end() &&
            TMemberValueText::ReadFloat(offer->second) > TMemberValueText::ReadFloat(version))
            outdated.emplace(itemId, offer->second);
    }
    if (!outdated.empty()) {
        for (const auto& [itemId, declined] : ReadStyleVersions(connection, GetCatalogCode(), kDeclinedVersionMember)) {
            const auto found = outdated.find(itemId);
            if (found != outdated.end() && found->second == declined)
                outdated.erase(found);
        }
    }
    if (outdated.empty())
        return true;

    if (services_.Gui.AskQuestion("Your database contains old styles. Do want to update them now?",
                                  "New Visual Styles Available", true) == mrYes)
        return false;
    if (services_.Gui.AskQuestion("Propose to update styles next time you open the database?", "", true) == mrNo)
        DeclineStyleUpdates(outdated, GetConnectionFactory().GetConnection());
    return true;
}

void TCatalogData::DeclineStyleUpdates(const std::map<int, std::string>& outdated, TAbstractDBConnection& connection)
{
    for (const auto& [itemId, version] : outdated) {
        std::unique_ptr<TTolvexObject> object =
            catalog_.GetObjectFactory().GetObjectTyped(itemId, kVersionClass, connection, GetCatalogCode());
        if (!object)
            continue;
        object->Load();
        object->SetLangString(kDeclinedVersionTag, kNoLanguageCode, version, 0);
        object->Save();
    }
}

// ---- the catalog-type hook ---------------------------------------------------------------------

void TCatalogData::AfterOpen(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    UpdateCategoryPages(catalogCode, connection);
}

void TCatalogData::UpdateCategoryPages(const std::string& catalogCode, TAbstractDBConnection& connection)
{
    if (GetCatalogType() != kPartnerCatalogType)
        return;
    // Without the category database there are no categories to build pages for.
    if (TAbstractDBConnection* categories = services_.Host.GetCategoryConnection())
        TBTCA(catalog_, *this, *categories).UpdatePages(catalogCode, connection);
}

// ---- languages ------------------------------------------------------------------------------------

void TCatalogData::LoadLanguages(TAbstractDBConnection& connection)
{
    TTolvexCatalog::LoadLanguages(connection);
    currentLangCode_ = GetDefaultLangCode();
}

// ---- the window side ------------------------------------------------------------------------------

int TCatalogData::GetStartActionId()
{
    return catalog_.GetDefinition().GetStartActionId();
}

bool TCatalogData::SetCurrentLangCode(const std::string& langCode)
{
    std::string code = langCode;
    std::transform(code.begin(), code.end(), code.begin(), [](unsigned char c) { return std::toupper(c); });
    if (!HasLanguage(code))
        return false;
    currentLangCode_ = code;
    return true;
}

bool TCatalogData::RunDialog(const std::string& dialogName, TAbstractDBConnection& connection,
                             std::vector<std::string>& params)
{
    if (!ui_)
        return false;
    std::string name = dialogName;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto property = [&](int id) { return GetCatalogProperty(id, connection); };
    int itemType = 0;
    if (name.find("image") != std::string::npos) {
        itemType = 202;
        if (name == "logoimage") {
            params.push_back("MainImageSize=" + property(704));
            params.push_back("DontNeedLargeCopy=yes");
        } else if (name == "htmlimage") {
            params.push_back("ShowHtmlAttributes=yes");
        } else if (name == "image") {
            params.push_back("MainImageSize=" + property(702));
            params.push_back("ThumbnailImageSize=" + property(705));
            params.push_back("LargeImageSize=" + property(703));
        } else if (name == "imagethumbnail") {
            params.push_back("MainImageSize=" + property(705));
            params.push_back("DontNeedLargeCopy=yes");
        } else if (name == "iconimage") {
            params.push_back("OnlyImageFormat=Icon files (*.ico)|*.ico");
        }
    } else {
        static const std::map<std::string, int> kDialogTypes = {
            {"inserttable", 201},      {"selectpage", 203},       {"enterhyperlink", 204},
            {"selectpageorhyperlink", 205}, {"insertbinaryobject", 207}, {"editprice", 208},
            {"selectitemoption", 209}, {"edithtmlsource", 210},   {"edititemoptions", 302}};
        const auto found = kDialogTypes.find(name);
        if (found == kDialogTypes.end())
            return false;
        itemType = found->second;
    }
    return ui_->RunEditorDialog(itemType, params, connection);
}

void TCatalogData::BuildUI()
{
    ui_ = services_.Host.CreateCatalogUI(*this);
    if (ui_)
        ui_->Build();
}

void TCatalogData::SelectWebTreeItem(int itemId)
{
    if (ui_)
        ui_->SelectWebTreeItem(itemId);
}

bool TCatalogData::CanLeave(bool navigating)
{
    return !ui_ || ui_->CanLeave(navigating);
}

void TCatalogData::Close()
{
    if (ui_) {
        ui_->Clear();
        ui_.reset();
    }
    pageGeneration_.reset();
    transformCache_ = TTransformCache();
    previewHistory_ = TPreviewHistory();
    TTolvexCatalog::Close();
}

TCatalogPageGeneration& TCatalogData::GetPageGeneration()
{
    if (!pageGeneration_)
        throw EDeveloperTolvexException("Page generation of a catalog that is not open");
    return *pageGeneration_;
}

// ---- what the page XML builder reads ---------------------------------------------------------

std::string TCatalogData::GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode)
{
    return queries_.GetItemName(itemId, connection, langCode);
}

int TCatalogData::ResolveItemId(const std::string& text, int currentId, int currentTreeId)
{
    return catalog_.GetDefinition().ResolveItemId(text, currentId, currentTreeId);
}

int TCatalogData::ResolveItemType(const std::string& text, int currentType)
{
    return catalog_.GetDefinition().ResolveItemType(text, currentType);
}

int TCatalogData::GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return catalog_.GetParentItemId(itemId, catalogCode, connection);
}

int TCatalogData::FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return catalog_.FindVisibleLinkCopy(itemId, catalogCode, connection);
}

TItemDescription TCatalogData::GetItemDescription(int itemId, const std::string& catalogCode,
                                                  TAbstractDBConnection& connection)
{
    return queries_.GetItemDescription(itemId, catalogCode, connection);
}

int TCatalogData::GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                                   bool sameTypeOnly)
{
    return queries_.GetNextSiblingId(itemId, catalogCode, connection, sameTypeOnly);
}

int TCatalogData::GetPreviousSiblingId(int itemId, const std::string& catalogCode,
                                       TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return queries_.GetPreviousSiblingId(itemId, catalogCode, connection, sameTypeOnly);
}

std::vector<int> TCatalogData::GetItemPath(int itemId, const std::vector<int>& itemTypes,
                                           const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return queries_.GetItemPath(itemId, itemTypes, connection, catalogCode);
}

int TCatalogData::CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                                   TAbstractDBConnection& connection)
{
    return queries_.CountItemsOfType(parentId, itemType, connection, catalogCode);
}

TAbstractDBConnection* TCatalogData::GetCategoryConnection()
{
    return services_.Host.GetCategoryConnection();
}
