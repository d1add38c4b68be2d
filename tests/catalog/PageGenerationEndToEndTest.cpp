// Pages of real catalogs, end to end: a catalog of each shipped type that
// has pages is created from its type's definition over the shipped
// databases, opened through the root object, and every page of its web
// tree is generated in every language of the catalog through the
// transformer, the templates service and the page XML builder. Every page
// must be a whole HTML5 page with its own name, whose links lead to other
// generated pages and whose style sheets exist; one page of each kind is
// compared with its expected text in fixtures/pages.
//
// TOLVEX_UPDATE_PAGE_FIXTURES=1 rewrites the expected pages from the
// generated ones; TOLVEX_WRITE_SITE=<folder> writes each catalog's pages
// with their style sheets and pictures as a site to look at in a browser.
#include "CatalogCreationFixture.h"
#include "support/TestPaths.h"
#include "CatalogDataFixture.h"

#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/CatalogUpgrader.h"
#include "catalog/TreeWalk.h"
#include "common/CommonImages.h"
#include "common/CommonProcedures.h"
#include "common/FileContent.h"
#include "common/TolvexException.h"
#include "common/WellKnownIds.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "storage/IdRanges.h"
#include "storage/ObjectCollection.h"
#include "storage/ProgramFolderFixture.h"
#include "storage/QueryGuard.h"
#include "storage/References.h"
#include "storage/TolvexObject.h"
#include "storage/ObjectFactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kCode = "shop";

// One page of the web tree: the tree item and the item whose data it shows.
struct TPageItem {
    int TreeItemId = 0;
    int SourceItemId = 0;
    int ItemType = 0;
};

struct TGeneratedPage {
    TPageItem Item;
    std::string LangCode;
    std::string FileName;
    std::string Html;
};

std::string FixtureFolder()
{
    return TestSourceDir() + "/catalog/fixtures/pages";
}

std::string XmlEscaped(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// Every value of the attribute in the page, in document order.
std::vector<std::string> AttributeValues(const std::string& html, const std::string& attribute)
{
    std::vector<std::string> values;
    const std::regex pattern("\\s" + attribute + "=\"([^\"]*)\"");
    for (std::sregex_iterator it(html.begin(), html.end(), pattern), end; it != end; ++it)
        values.push_back((*it)[1].str());
    return values;
}

// The page with its day-dependent parts written as placeholders.
std::string Normalised(const std::string& html, int year)
{
    std::string text = std::regex_replace(html, std::regex("\r\n"), "\n");
    return std::regex_replace(text, std::regex("\\b" + std::to_string(year) + "\\b"), "YEAR");
}

// A started root object over a temporary program folder with the shipped
// databases, the process singletons and a
// shell that records its calls.
class TPageProgram {
public:
    TPageProgram()
    {
        fs::create_directories(home_.File("databases"));
        SharedTestData::InstallShippedDatabases(home_.Path());
        CreateSingletons(home_.Path());
        CommonProcedures->SetGui(&gui_);
        TTolvex::TEnvironment environment;
        environment.Shell = &shell_;
        environment.DataDir = TShippedData::BuildTreeDataDir();
        root_ = std::make_unique<TTolvex>(environment);
        RootObject = root_.get();
        root_->Start();
        fs::create_directories(root_->Settings().GetDatabasePath());
    }
    ~TPageProgram()
    {
        root_.reset();
        RootObject = nullptr;
        FreeSingletons();
    }
    TPageProgram(const TPageProgram&) = delete;
    TPageProgram& operator=(const TPageProgram&) = delete;

    TTolvex& Root() { return *root_; }
    TScriptedGui& Gui() { return gui_; }
    TCatalogData* Data() { return root_->GetCatalogData(); }
    std::string Open(const std::string& code, const std::string& user, const std::string& password)
    {
        std::string error;
        root_->OpenCatalog("", SQLiteModuleName, "", code, user, password, 0, error);
        return error;
    }

private:
    TTempFolder home_;
    TScriptedGui gui_;
    TCallLog log_;
    TRecordingShell shell_{log_};
    std::unique_ptr<TTolvex> root_;
};

// A created and opened catalog of one type with its page generation.
class TPageSite {
public:
    explicit TPageSite(int catalogType) : catalogType_(catalogType)
    {
        TCatalogDefinition& definition = root_.Root().Catalog().GetDefinition();
        definition.SetCreationServices({root_.Root().Catalog(), root_.Root().GlobalDefinition(),
                                        root_.Root().Settings(), CommonProcedures->Functions(), nullptr, host_});
        TCatalogDefinition::TNewCatalog request;
        request.DbType = SQLiteModuleName;
        request.CatalogType = catalogType;
        request.CatalogCode = kCode;
        request.AdminUserName = "admin";
        request.AdminPassword = "secret";
        request.CompanyName = "Acme Ltd";
        request.Email = "info@acme.test";
        if (!definition.CreateCatalog(request))
            throw std::runtime_error("cannot create a catalog of type " + std::to_string(catalogType) + ": " +
                                     ShownMessages());
        const std::string error = root_.Open(kCode, "admin", "secret");
        if (!error.empty() || !root_.Data())
            throw std::runtime_error("cannot open the catalog: " + error + " " + ShownMessages());
        TTolvex& root = root_.Root();
        // The open catalog owns its page generation, made by the root object.
        pages_ = &root_.Data()->GetPageGeneration();
        AddLanguage("DE");
        AddPageOfEachKind();
        collection_ = std::make_unique<TObjectCollection>(root.ObjectContext());
        collection_->Open(kCode, Connection());
    }

    // A catalog of the previous generation, written from SQL text (its
    // vendor named like the code) and converted as opening it converts it.
    struct TConverted {
        std::string OldCatalogSql;
        std::string Password;
    };
    explicit TPageSite(const TConverted& old) : catalogType_(1)
    {
        TCatalog& catalog = root_.Root().Catalog();
        catalog.GetDefinition().SetCreationServices({catalog, root_.Root().GlobalDefinition(), root_.Root().Settings(),
                                                     CommonProcedures->Functions(), nullptr, host_});
        const std::string folder = root_.Root().Settings().GetDatabasePath();
        ExecOnFile(SQLiteDatabaseFileName(folder, kCode), old.OldCatalogSql);
        std::string dbPath = folder;
        std::string user;
        std::string password;
        if (!catalog.GetUpgrades().ConvertOldCatalog(dbPath, kCode, user, password))
            throw std::runtime_error("cannot convert the old catalog: " + ShownMessages());
        const std::string error = root_.Open(kCode, user, old.Password);
        if (!error.empty() || !root_.Data())
            throw std::runtime_error("cannot open the converted catalog: " + error + " " + ShownMessages());
        pages_ = &root_.Data()->GetPageGeneration();
        collection_ = std::make_unique<TObjectCollection>(root_.Root().ObjectContext());
        collection_->Open(kCode, Connection());
    }

    TCatalogData& Data() { return *root_.Data(); }
    TCatalogPageGeneration& Pages() { return *pages_; }
    TAbstractDBConnection& Connection() { return pages_->GetMainConnection(); }
    int CatalogType() const { return catalogType_; }
    int HomePageId() { return root_.Root().GetHomePageId(); }

    // A second data language after the catalog's first one.
    void AddLanguage(const std::string& langCode)
    {
        TQueryGuard query(Connection());
        query->SetSQL("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, StringValue) SELECT CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                      "IndexId + 1, MemberType, :Lang FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 601 "
                      "AND ClassId = 601 AND MemberId = 1 ORDER BY IndexId DESC LIMIT 1");
        query->SetParam("Lang", langCode);
        query->SetParam("CatalogCode", std::string(kCode));
        query->ExecSQL();
        query->Close();
        Data().LoadLanguages(Connection());
    }

    // One named page for every page kind of the catalog's type that its
    // first pages lack, each below a page whose type may contain it (the
    // highest such type: a product below the product line rather than an
    // information page); the names need escaping in the page.
    void AddPageOfEachKind()
    {
        TCatalog& catalog = root_.Root().Catalog();
        TCatalogDefinition& definition = catalog.GetDefinition();
        const int homeType = Data().GetQueries().GetItemType(HomePageId(), kCode, Connection());
        std::vector<std::string> kinds;
        definition.GetItemTypesUsingTemplate(Pages().GetItemTypeTemplateId(homeType, kMasterTemplateKind),
                                             kMasterTemplateKind, kinds);
        std::map<int, int> placeOfType;  // a page of each type present
        for (const TPageItem& item : PageItems())
            placeOfType.emplace(item.ItemType, item.TreeItemId);
        for (bool added = true; added;) {
            added = false;
            for (const std::string& text : kinds) {
                const int type = std::atoi(text.c_str());
                if (placeOfType.count(type))
                    continue;
                for (auto it = placeOfType.rbegin(); it != placeOfType.rend(); ++it) {
                    const auto [parentType, parentId] = *it;
                    if (!definition.CanContainItemType(parentType, type))
                        continue;
                    placeOfType[type] = AddNamedPage(type, parentId, text);
                    added = true;
                    break;
                }
            }
        }
    }

    int AddNamedPage(int itemType, int parentId, const std::string& suffix)
    {
        TCatalog& catalog = root_.Root().Catalog();
        const int id = catalog.CreateItem(itemType, parentId, 0, kCode, Connection(), 0);
        std::unique_ptr<TTolvexObject> names =
            catalog.GetObjectFactory().CreateObjectTyped(id, kNamesClassId, 0, Connection(), kCode);
        names->SetLangString("ItemName", "EN", "Caf\xc3\xa9 & <Co> " + suffix, 0);
        names->SetLangString("ItemName", "DE", "Kaffee & Co " + suffix, 0);
        names->Save();
        return id;
    }

    // Every visible item of the web tree whose type has pages (a master template folder).
    std::vector<TPageItem> PageItems()
    {
        std::vector<TPageItem> items;
        for (int id : TTreeWalk::Descendants(Connection(), kCode, kWebTreeRootId)) {
            const TItemDescription row = Data().GetItemDescription(id, kCode, Connection());
            if (!row.Visible || Pages().GetItemTypeTemplateId(row.ItemType, kMasterTemplateKind) == 0)
                continue;
            items.push_back({id, row.LinkedItemId != 0 ? row.LinkedItemId : id, row.ItemType});
        }
        return items;
    }

    // The file a publishing run gives the page: "index" for the home page, else the tree item's id.
    std::string FileNameOf(const TPageItem& item)
    {
        return (item.TreeItemId == HomePageId() ? std::string("index") : std::to_string(item.TreeItemId)) + ".html";
    }

    TGeneratedPage Generate(const TPageItem& item, const std::string& langCode)
    {
        TTransformer transformer(*pages_, kCode, nullptr);
        transformer.SetPublishMode("publish");
        TGeneratedPage page{item, langCode, FileNameOf(item), ""};
        const bool generated = transformer.GeneratePage(item.SourceItemId, item.TreeItemId, item.ItemType, langCode,
                                                        *collection_, Connection(), "");
        page.Html = transformer.GetResultHtml();
        if (!generated || transformer.TransformFailed())
            ADD_FAILURE() << "page " << item.TreeItemId << " (type " << item.ItemType << ") in " << langCode
                          << " failed: " << transformer.GetErrorText() << "\n" << page.Html.substr(0, 2000);
        return page;
    }

    std::vector<TGeneratedPage> GenerateAll()
    {
        std::vector<TGeneratedPage> pages;
        for (const std::string& lang : Data().GetLanguages())
            for (const TPageItem& item : PageItems())
                pages.push_back(Generate(item, lang));
        return pages;
    }

    // The source of a style sheet template; empty when the item has none.
    std::string StyleSheet(int itemId) { return Pages().GetTemplates().GetTemplateCss(itemId, "", Connection()); }

    bool HasImage(int itemId) { return !TCommonImages::GetImageFileName(itemId, Connection(), kCode).empty(); }
    bool HasBinaryObject(int itemId)
    {
        TQueryGuard query(Connection());
        query->SetSQL("SELECT COUNT(*) AS N FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId");
        query->SetParam("CatalogCode", std::string(kCode));
        query->SetParam("ItemId", itemId);
        TAbstractRecordset& rows = query->Open(true);
        const bool found = !rows.Eof() && rows.Field("N").AsInteger() > 0;
        query->Close();
        return found;
    }

    // The site as a publishing run lays it out: pages per language, style sheets and pictures beside them.
    void WriteSite(const std::string& folder, const std::vector<TGeneratedPage>& pages)
    {
        std::set<int> sheets, images;
        for (const TGeneratedPage& page : pages) {
            fs::create_directories(folder + "/" + page.LangCode);
            std::ofstream(folder + "/" + page.LangCode + "/" + page.FileName, std::ios::binary) << page.Html;
            for (const std::string& ref : AttributeValues(page.Html, "href"))
                if (ref.rfind("../css/", 0) == 0)
                    sheets.insert(std::atoi(ref.c_str() + 7));
            for (const std::string& ref : AttributeValues(page.Html, "src"))
                if (ref.rfind("../images/", 0) == 0)
                    images.insert(std::atoi(ref.c_str() + 10));
        }
        fs::create_directories(folder + "/css");
        for (int id : sheets)
            std::ofstream(folder + "/css/" + std::to_string(id) + ".css", std::ios::binary) << StyleSheet(id);
        fs::create_directories(folder + "/images");
        for (int id : images) {
            std::ofstream file(folder + "/images/" + TCommonImages::GetImageFileName(id, Connection(), kCode),
                               std::ios::binary);
            std::int64_t size = 0;
            std::string mime;
            TCommonImages::LoadImageToStream(kCode, id, file, size, mime, Connection());
        }
    }

private:
    std::string ShownMessages()
    {
        std::string text;
        for (const TShownBox& box : root_.Gui().Shown())
            text += box.message + "\n";
        return text;
    }

    TPageProgram root_;
    TScriptedCreationHost host_;
    int catalogType_;
    TCatalogPageGeneration* pages_ = nullptr;
    std::unique_ptr<TObjectCollection> collection_;
};

// What every generated page must be: a whole HTML5 page in its language with its own name.
void CheckPageShape(TPageSite& site, const TGeneratedPage& page)
{
    SCOPED_TRACE("page " + std::to_string(page.Item.TreeItemId) + " in " + page.LangCode);
    EXPECT_EQ(page.Html.rfind("<!DOCTYPE html>", 0), 0u) << page.Html.substr(0, 200);
    std::string lang = page.LangCode;
    std::transform(lang.begin(), lang.end(), lang.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_NE(page.Html.find("<html lang=\"" + lang + "\""), std::string::npos);
    EXPECT_NE(page.Html.find("</html>"), std::string::npos);
    EXPECT_NE(page.Html.find("<main"), std::string::npos);
    EXPECT_EQ(page.Html.find("Error"), std::string::npos) << "an error page";
    const std::string name = site.Data().GetItemName(page.Item.SourceItemId, site.Connection(), page.LangCode);
    ASSERT_FALSE(name.empty());
    const std::smatch title = [&] {
        std::smatch match;
        std::regex_search(page.Html, match, std::regex("<title>([^<]*)</title>"));
        return match;
    }();
    ASSERT_FALSE(title.empty()) << "no title";
    EXPECT_NE(title[1].str().find(XmlEscaped(name)), std::string::npos) << title[1].str();
    EXPECT_NE(page.Html.find("<h1"), std::string::npos);
}

// Every link of the page leads to a generated page, a style sheet of the catalog or one of its pictures.
void CheckPageLinks(TPageSite& site, const TGeneratedPage& page, const std::set<std::string>& fileNames)
{
    SCOPED_TRACE("page " + std::to_string(page.Item.TreeItemId) + " in " + page.LangCode);
    int sheets = 0;
    for (const std::string& ref : AttributeValues(page.Html, "href")) {
        if (ref.empty() || ref[0] == '#' || ref.rfind("mailto:", 0) == 0 || ref.rfind("tel:", 0) == 0 ||
            ref.find("://") != std::string::npos)
            continue;
        if (ref.rfind("../css/", 0) == 0) {
            ++sheets;
            EXPECT_FALSE(site.StyleSheet(std::atoi(ref.c_str() + 7)).empty()) << ref;
            continue;
        }
        // A picture or a file of the catalog, published beside the pages.
        if (ref.rfind("../images/", 0) == 0) {
            EXPECT_TRUE(site.HasImage(std::atoi(ref.c_str() + 10))) << ref;
            continue;
        }
        if (ref.rfind("../objects/", 0) == 0) {
            EXPECT_TRUE(site.HasBinaryObject(std::atoi(ref.c_str() + 11))) << ref;
            continue;
        }
        const std::string file = ref.substr(0, ref.find('#'));
        EXPECT_TRUE(fileNames.count(file)) << "link to " << ref << " leads to no generated page";
    }
    EXPECT_EQ(sheets, 2) << "the colour and the font style sheet";
    for (const std::string& src : AttributeValues(page.Html, "src"))
        if (src.rfind("../images/", 0) == 0) {
            EXPECT_TRUE(site.HasImage(std::atoi(src.c_str() + 10))) << src;
        }
}

class PageGenerationEndToEnd : public testing::TestWithParam<int> {};

TEST_P(PageGenerationEndToEnd, EveryPageOfTheWebTreeIsGeneratedInEveryLanguageWithWorkingLinks)
{
    TPageSite site(GetParam());
    const std::vector<TGeneratedPage> pages = site.GenerateAll();
    ASSERT_FALSE(pages.empty());
    std::set<std::string> fileNames;
    for (const TGeneratedPage& page : pages)
        fileNames.insert(page.FileName);
    EXPECT_TRUE(fileNames.count("index.html")) << "the home page is among the pages";
    for (const TGeneratedPage& page : pages) {
        CheckPageShape(site, page);
        CheckPageLinks(site, page, fileNames);
    }
    if (const char* folder = std::getenv("TOLVEX_WRITE_SITE"))
        site.WriteSite(std::string(folder) + "/type" + std::to_string(GetParam()), pages);
}

TEST_P(PageGenerationEndToEnd, OnePageOfEachKindIsTheExpectedPage)
{
    TPageSite site(GetParam());
    const std::string lang = site.Data().GetDefaultLangCode();
    std::set<int> kinds;
    const int year = 1900 + [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return local.tm_year;
    }();
    for (const TPageItem& item : site.PageItems()) {
        if (!kinds.insert(item.ItemType).second)
            continue;
        const TGeneratedPage page = site.Generate(item, lang);
        const std::string name = "type" + std::to_string(GetParam()) + "-" + std::to_string(item.ItemType) + ".html";
        const std::string path = FixtureFolder() + "/" + name;
        const std::string actual = Normalised(page.Html, year);
        if (std::getenv("TOLVEX_UPDATE_PAGE_FIXTURES")) {
            fs::create_directories(FixtureFolder());
            std::ofstream(path, std::ios::binary) << actual;
            continue;
        }
        ASSERT_TRUE(fs::exists(path)) << "no expected page " << name;
        EXPECT_EQ(actual, TTempFolder::Read(path)) << "page of type " << item.ItemType << " differs from " << name;
    }
    EXPECT_FALSE(kinds.empty());
}

TEST(PageGenerationOfAConvertedCatalog, EveryPageIsGeneratedWithWorkingLinks)
{
    std::string data = ReadFileContent(TestSourceDir() + "/catalog/fixtures/old-catalogs/products.sql").value();
    for (std::size_t at = data.find("'ACME'"); at != std::string::npos; at = data.find("'ACME'", at))
        data.replace(at, 6, "'SHOP'");
    TPageSite site(TPageSite::TConverted{
        ReadFileContent(TestSourceDir() + "/catalog/fixtures/old-catalogs/tables.sql").value() + data, "old-secret"});
    const std::vector<TGeneratedPage> pages = site.GenerateAll();
    std::set<std::string> fileNames;
    for (const TGeneratedPage& page : pages)
        fileNames.insert(page.FileName);
    EXPECT_TRUE(fileNames.count("index.html"));
    EXPECT_GE(pages.size(), 8u) << "home, contact, two products, story and the hidden page's parent in two languages";
    for (const TGeneratedPage& page : pages) {
        CheckPageShape(site, page);
        CheckPageLinks(site, page, fileNames);
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedTypes, PageGenerationEndToEnd, testing::Values(1, 2, 8, 12),
                         [](const testing::TestParamInfo<int>& info) { return "Type" + std::to_string(info.param); });

}  // namespace
