#pragma once
// The open catalog: a catalog is open exactly while one exists. The catalog
// object creates one for every opening and calls Open, which connects to the
// catalog database, checks its structure version and the user's login,
// learns the catalog type, loads that type's definition and the catalog's
// data languages, checks the catalog's visual styles against the styles of
// its type's definition database and runs the catalog-type hook that builds
// partner category pages (TBTCA). Afterwards it keeps what the rest of the
// program asks of the open catalog: the user's role, the current data
// language and the window side (item editor and trees), the generated-page
// cache and the preview history; the page XML builder reads the open catalog
// through it (TGenerationCatalog).
//
// Its item operations are those of the classes it owns, passed on
// unchanged (CatalogDataItems.cpp): the queries (TCatalogQueries), the item
// state and bookkeeping (TCatalogBookkeeping), renumbering to global ids
// (TItemRenumbering), copying an item (TItemCopier) and folder, name and
// image items (TCatalogFolders).
//
// Login: a catalog user is an item whose class-602 object holds member 1 =
// user name, member 2 = password (stored scrambled) and member 4 = role word.
#include "catalog/AbstractCatalogData.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogHost.h"
#include "catalog/CatalogQueries.h"
#include "catalog/ItemCopier.h"
#include "catalog/ItemRenumbering.h"
#include "catalog/PreviewHistory.h"
#include "catalog/TolvexCatalog.h"
#include "catalog/TransformCache.h"
#include "generation/GenerationCatalog.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class TCatalogDataHost;
class TCatalogPageGeneration;
class TCatalogDataUI;
class TCommonGui;
class TGlobalSettings;
class TIniSettings;
class TTolvexObjectContext;
class TTranslation;

// The role of the logged-in user.
enum TUserRole : std::uint8_t {
    urAdministrator = 0,  // "admin"
    urPowerUser = 1,      // "power"
    urPublisher = 2,      // "publisher"
    urUser = 3,           // "user"
    urClerk = 4,          // "clerk"
    urOther = 5,          // any other role word, or none
};

// Flags of TCatalogData::Open.
inline constexpr std::uint8_t kOpenAcceptTypeZero = 1;  // a catalog of type 0 opens; no style check
inline constexpr std::uint8_t kOpenSkipUserCheck = 2;

class TCatalogData : public TTolvexCatalog, public TAbstractCatalogData, public TGenerationCatalog {
public:
    // Not owned; all must outlive the object. Translation may be null
    // (texts stay English).
    struct TServices {
        TCatalogDataHost& Host;
        TGlobalSettings& Settings;
        TCommonGui& Gui;
        const TTranslation* Translation;
        TTolvexObjectContext& ObjectContext;
    };

    TCatalogData(TCatalog& catalog, const TServices& services);
    ~TCatalogData() override;

    // ---- TAbstractCatalogData ---------------------------------------------------
    TTolvexCatalog& GetCatalog() override { return *this; }
    // Error stays empty on success; otherwise it holds the message, "reopen"
    // (a new style was loaded: open again with the login handed to the
    // host) or "closecatalog" (the user chose no first style).
    void Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
              const std::string& catalogCode, const std::string& userName, const std::string& password,
              std::uint8_t flags, std::string& error) override;
    int GetStartActionId() override;
    // Page generation of the open catalog (its templates and the transformer's
    // services); raises EDeveloperTolvexException while the catalog is not open.
    TCatalogPageGeneration& GetPageGeneration();
    void BuildUI() override;
    void SelectWebTreeItem(int itemId) override;
    std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) override;

    // ---- TTolvexCatalog -------------------------------------------------------------
    // Frees the window side, then closes the database.
    void Close() override;
    // The base's languages; the current language becomes the default one.
    void LoadLanguages(TAbstractDBConnection& connection) override;
    std::string GetCurrentLangCode() const override { return currentLangCode_; }
    // The editing language (a language of the catalog, any letter case);
    // false, nothing changed, for a code the catalog does not have.
    bool SetCurrentLangCode(const std::string& langCode);
    // The window side; null before BuildUI and without a window.
    TCatalogDataUI* GetUI() { return ui_.get(); }

    // ---- login and checks ---------------------------------------------------------------
    // Checks user name and password against the catalog's users and sets the
    // role; Error holds the message when the login fails (role unchanged).
    void CheckUser(const std::string& catalogCode, const std::string& userName, const std::string& password,
                   TAbstractDBConnection& connection, std::string& error);
    std::uint8_t GetUserRole() const { return userRole_; }
    // True when opening may go on with the catalog's styles as they are.
    // UpdateOffered is false when the catalog has no style yet.
    bool CheckStyleVersions(bool& updateOffered, TAbstractDBConnection& connection);
    // The class-505 member of every style item: item id -> text (first row wins).
    static std::map<int, std::string> ReadStyleVersions(TAbstractDBConnection& connection,
                                                        const std::string& catalogCode, int memberId);
    // Records for each item (item id -> version) on Connection that the user
    // need not be asked about updating it up to that version.
    void DeclineStyleUpdates(const std::map<int, std::string>& outdated, TAbstractDBConnection& connection);

    // ---- the catalog-type hook -------------------------------------------------------------
    // For catalog type 12 only: brings the partner category pages in step
    // with the catalog's items, on Connection (nothing when the category
    // database cannot be had).
    void AfterOpen(const std::string& catalogCode, TAbstractDBConnection& connection);
    void UpdateCategoryPages(const std::string& catalogCode, TAbstractDBConnection& connection);

    // ---- the window side ---------------------------------------------------------------------
    // Whether the item being edited may be left; true before BuildUI.
    bool CanLeave(bool navigating);
    // A named editor dialog (the name in any letter case): "inserttable",
    // "selectpage", "enterhyperlink", "selectpageorhyperlink",
    // "insertbinaryobject", "editprice", "selectitemoption",
    // "edithtmlsource", "edititemoptions", and the picture dialogs (names
    // containing "image", which add the image sizes of the catalog
    // properties to Params). Runs the dialog item type's editors modally on
    // Connection; true when confirmed. False without a window side or for
    // an unknown name.
    bool RunDialog(const std::string& dialogName, TAbstractDBConnection& connection,
                   std::vector<std::string>& params);

    // ---- what the open catalog keeps -----------------------------------------------------------
    TTransformCache& GetTransformCache() { return transformCache_; }
    // Set by the style dialog while it previews the styles of the definition
    // database; preview serving then reads the style-preview catalog.
    bool IsStylePreview() const { return stylePreview_; }
    void SetStylePreview(bool stylePreview) { stylePreview_ = stylePreview; }
    TPreviewHistory& GetPreviewHistory() { return previewHistory_; }
    TCatalogQueries& GetQueries() { return queries_; }
    TCatalogBookkeeping& GetBookkeeping() { return bookkeeping_; }
    TCatalogFolders& GetFolders() { return folders_; }
    TItemRenumbering& GetRenumbering() { return renumbering_; }
    TItemCopier& GetCopier() { return copier_; }

    // ---- TGenerationCatalog ----------------------------------------------------------------------
    int ResolveItemId(const std::string& text, int currentId, int currentTreeId) override;
    int ResolveItemType(const std::string& text, int currentType) override;
    int GetParentItemId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    int FindVisibleLinkCopy(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection) override;
    TItemDescription GetItemDescription(int itemId, const std::string& catalogCode,
                                        TAbstractDBConnection& connection) override;
    int GetNextSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                         bool sameTypeOnly) override;
    int GetPreviousSiblingId(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection,
                             bool sameTypeOnly) override;
    std::vector<int> GetItemPath(int itemId, const std::vector<int>& itemTypes, const std::string& catalogCode,
                                 TAbstractDBConnection& connection) override;
    int CountItemsOfType(int parentId, int itemType, const std::string& catalogCode,
                         TAbstractDBConnection& connection) override;
    TAbstractDBConnection* GetCategoryConnection() override;

    // The name of the database that holds a catalog: the code itself, or for
    // a style catalog ("t#" and a type number) the definition database of
    // that type (setting 14 with the number in place of "$CatalogType$").
    static std::string DatabaseNameOf(const std::string& catalogCode, const TIniSettings& settings);
    // The role of a role word (any letter case).
    static std::uint8_t RoleOfWord(const std::string& roleWord);

private:
    std::string Format(const std::string& text, const std::string& arg1, const std::string& arg2) const;

    // Steps of the opening on the second connection; false stops the opening.
    bool CheckStructureVersion(const std::string& catalogCode, TAbstractDBConnection& connection,
                               std::string& error);
    bool LearnCatalogType(const std::string& catalogCode, TAbstractDBConnection& connection, std::uint8_t flags,
                          std::string& error);
    bool CheckStyles(const TLoginParams& login, std::uint8_t flags, TAbstractDBConnection& connection,
                     std::string& error);
    void FinishOpening(const std::string& catalogCode, TAbstractDBConnection& connection);


    TCatalog& catalog_;
    TServices services_;
    std::string currentLangCode_;
    std::uint8_t userRole_ = urAdministrator;
    TTransformCache transformCache_;
    bool stylePreview_ = false;
    TPreviewHistory previewHistory_;
    TCatalogQueries queries_;
    TCatalogBookkeeping bookkeeping_;
    TItemRenumbering renumbering_;
    TItemCopier copier_;
    TCatalogFolders folders_;
    std::unique_ptr<TCatalogDataUI> ui_;
    // Templates and page generation of the open catalog; made when opening succeeds.
    std::unique_ptr<TCatalogPageGeneration> pageGeneration_;
};
