// The light-weight writers of catalog conversion on a real SQLite catalog
// file: rows are written through TConcreteDAL and read back with plain
// queries on the file.
#include "common/CRC32.h"
#include "common/Exceptions.h"
#include "common/OldLangInfo.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/CatalogTables.h"
#include "storage/ConcreteDAL.h"
#include "storage/IdRanges.h"
#include "storage/LWDefinitionLookup.h"
#include "storage/LWItem.h"
#include "storage/LWItemCondition.h"
#include "storage/LWLinkRewriter.h"
#include "storage/LWObject.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"
#include "support/FixtureClass.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <charconv>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---- a small catalog type ------------------------------------------------------

struct TTestMember {
    int Id;
    std::string Tag;
    int Type;
    std::uint8_t Flags;
};

// A class with a fixed member table; only the member lookups matter here.
TFixtureClass TestClass(int classId, const std::string& tag, const std::vector<TTestMember>& members)
{
    TFixtureClass definition(classId, tag);
    for (const TTestMember& member : members)
        definition.Member(member.Id, member.Tag, member.Type, member.Flags);
    return definition;
}

// Symbolic names of a catalog type: numbers stand for themselves.
class TTestDefinitions : public TLWDefinitionLookup {
public:
    TTestDefinitions()
    {
        Add(TestClass(4, "Page", {{1, "Body", 50, mfIsMultiLang}, {2, "Head", 50, mfIsMultiLang}}));
        Add(TestClass(10, "Product",
                       {{1, "Name", 1, mfIsMultiLang},
                        {2, "Code", 1, 0},
                        {3, "Description", 50, mfIsMultiLang},
                        {4, "Price", 150, 0},
                        {6, "Released", 200, 0},
                        {7, "Picture", 250, mfIsMultiLang},
                        {8, "Manual", 251, 0}}));
        Add(TestClass(11, "Option", {{1, "Caption", 1, 0}}));
    }

    int ResolveItemId(const std::string& name) override
    {
        return Resolve(name, {{"ProductsRoot", 20}, {"ImagesRoot", 3}, {"Languages", 601}});
    }
    int ResolveItemType(const std::string& name) override
    {
        return Resolve(name, {{"Folder", 1}, {"ProductPage", 4001}, {"Languages", 602}});
    }
    int GetClassId(const std::string& tag) override
    {
        for (const auto& [id, definition] : classes_)
            if (definition.GetClassXmlTag() == tag)
                return id;
        return 0;
    }
    TAbstractCClassDefinition* GetClassDefinition(int classId) override
    {
        auto it = classes_.find(classId);
        return it == classes_.end() ? nullptr : &it->second;
    }

private:
    void Add(TFixtureClass definition) { classes_.emplace(definition.GetClassId(), std::move(definition)); }

    static int Resolve(const std::string& name, const std::map<std::string, int>& names)
    {
        int number = 0;
        auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), number);
        if (ec == std::errc() && end == name.data() + name.size())
            return number;
        auto it = names.find(name);
        return it == names.end() ? 0 : it->second;
    }

    std::map<int, TFixtureClass> classes_;
};

// ---- the fixture: a catalog file with a converter's connection -----------------

class LightweightDataTest : public ::testing::Test {
protected:
    LightweightDataTest()
    {
        factory = std::make_unique<TSQLiteConnectionFactory>("SQLite", "", TDatabaseModuleContext{});
        EXPECT_TRUE(factory->CreateDatabase(folder.Path(), "", "cat", "", "", 0));
        EXPECT_TRUE(factory->OpenDatabase(folder.Path(), "cat", "", ""));
        CreateCatalogTables(factory->GetConnection());
        connection = factory->OpenSecondConnection();
        dal = std::make_unique<TConcreteDAL>(*connection, definitions);
        dal->SetCatalogCode("Shop");
        languages.SetSlot(0, "EN");
        languages.SetSlot(1, "DE");
        languages.SetSlot(2, "0");
        languages.DefaultLanguageCode = "DE";
    }

    // Commits the converter's unit of work and reads the file with its own
    // handle: one text per row, the columns joined by "|", NULL as "-".
    std::vector<std::string> Rows(const std::string& sql)
    {
        connection->CommitTrans();
        connection->BeginTrans();
        sqlite3* db = nullptr;
        sqlite3_open_v2(folder.File("cat.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            std::string message = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(message);
        }
        std::vector<std::string> rows;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::string row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const unsigned char* text = sqlite3_column_text(stmt, i);
                row += (i ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text),
                                                            sqlite3_column_bytes(stmt, i))
                                              : std::string("-"));
            }
            rows.push_back(row);
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    std::string Single(const std::string& sql)
    {
        std::vector<std::string> rows = Rows(sql);
        return rows.size() == 1 ? rows.front() : "(" + std::to_string(rows.size()) + " rows)";
    }

    // Every value row of the catalog: table, item, class, instance, member,
    // language, index, type and value.
    std::vector<std::string> ValueRows()
    {
        const std::string key = "ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType";
        return Rows("SELECT 'S', " + key + ", StringValue FROM CStrings UNION ALL "
                    "SELECT 'T', " + key + ", TextValue FROM CText UNION ALL "
                    "SELECT 'N', " + key + ", NumberValue FROM CNumbers UNION ALL "
                    "SELECT 'D', " + key + ", DateValue FROM CDates UNION ALL "
                    "SELECT 'B', " + key + ", DataMimeType FROM CBinary ORDER BY 1, 2, 4, 5, 6");
    }

    std::unique_ptr<TLWItem> ProductItem()
    {
        return TLWItem::CreateRoot("ProductsRoot", "Folder", "")->AddNewChild("ProductPage", 0, "", 100, false);
    }

    TTempFolder folder;
    TTestDefinitions definitions;
    TOldLangInfo languages;
    std::unique_ptr<TSQLiteConnectionFactory> factory;
    std::unique_ptr<TAbstractDBConnection> connection;
    std::unique_ptr<TConcreteDAL> dal;
};

// ---- items -----------------------------------------------------------------------

TEST_F(LightweightDataTest, ItemsAreWrittenUnderTheLowerCaseCodeWithParentsAndLinks)
{
    std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("ProductsRoot", "Folder", "root.gif");
    root->AddChild("Languages", "Languages", "", 200, true, -1);
    std::unique_ptr<TLWItem> page = root->AddNewChild("ProductPage", 0, "page.gif", 300, false);
    std::unique_ptr<TLWItem> link = root->AddNewChild("ProductPage", page->ItemId, "", 400, false);

    EXPECT_EQ(page->ItemId, 1000501);
    EXPECT_EQ(link->LinkedItemId, 1000501);
    EXPECT_EQ(Rows("SELECT CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, ExpandedImageCode, "
                   "OrderNum, DontDelete, DontSort, IsSynchronized FROM Items ORDER BY ItemId"),
              (std::vector<std::string>{
                  "shop|20|1|0|20|0|root.gif|0|0|0|0",
                  "shop|601|602|20|601|1||200|0|0|0",              // linked -1: the item itself
                  "shop|1000501|4001|20|1000501|0|page.gif|300|0|0|0",  // linked 0: the item itself
                  "shop|1000502|4001|20|1000501|0||400|0|0|0",     // a second place of the page
              }));
    // The modification date is the local time now (days since 1899-12-30).
    EXPECT_EQ(Single("SELECT COUNT(*) FROM Items WHERE "
                     "ABS(DateModified - (julianday('now', 'localtime') - 2415018.5)) < 0.01"),
              "4");
}

TEST_F(LightweightDataTest, RootsAreWrittenOnlyWhenMissingAndNamesMustBeKnown)
{
    dal->Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType) VALUES (:CatalogCode, 3, :Value)", 300);

    std::unique_ptr<TLWItem> images = TLWItem::CreateRoot("ImagesRoot", "Folder", "");
    EXPECT_EQ(images->ItemId, 3);
    EXPECT_EQ(Rows("SELECT ItemId, ItemType FROM Items"), std::vector<std::string>{"3|300"});

    EXPECT_THROW(TLWItem::CreateRoot("NoSuchRoot", "Folder", ""), ECriticalTolvexException);
    EXPECT_THROW(images->AddChild("NoSuchItem", "Folder", "", 0, false, 0), ECriticalTolvexException);
    EXPECT_THROW(images->AddNewChild("NoSuchType", 0, "", 0, false), ECriticalTolvexException);
    EXPECT_EQ(dal->NextItemId(), 1000501) << "a refused child used up no id";
}

TEST_F(LightweightDataTest, WritersNeedACurrentDataAccess)
{
    EXPECT_EQ(TLWAbstractDataAccess::GetCurrent(), dal.get());
    dal.reset();
    EXPECT_EQ(TLWAbstractDataAccess::GetCurrent(), nullptr);
    EXPECT_THROW(TLWItem::CreateRoot("ProductsRoot", "Folder", ""), EDeveloperTolvexException);
}

// ---- objects and values ------------------------------------------------------------

TEST_F(LightweightDataTest, ObjectsBelongToTheDataItemAndNumberTheirInstances)
{
    std::unique_ptr<TLWItem> page = ProductItem();
    std::unique_ptr<TLWObject> product = page->AddObject("Product", &languages, 0);
    std::unique_ptr<TLWObject> option = product->AddSubObject("Option");
    page->AddObject("Option", &languages, 7);
    std::unique_ptr<TLWItem> link =
        TLWItem::CreateRoot("ProductsRoot", "Folder", "")->AddNewChild("ProductPage", page->ItemId, "", 0, false);
    link->AddObject("Option", &languages, 8);

    // A class the catalog type does not know writes nothing, nor do its sub-objects.
    std::unique_ptr<TLWObject> unknown = page->AddObject("NoSuchClass", &languages, 0);
    EXPECT_TRUE(unknown->SetValue("text", 0, "", "Name"));
    unknown->AddSubObject("Option")->SetValue("x", 0, "", "Caption");

    EXPECT_EQ(Rows("SELECT CatalogCode, ItemId, ClassId, InstanceId, ParentInstanceId FROM CObjectInstances "
                   "ORDER BY InstanceId"),
              (std::vector<std::string>{
                  "shop|1000501|11|7|0",
                  "shop|1000501|11|8|0",  // written by the link, stored with the data item
                  "shop|1000501|10|1000501|0",
                  "shop|1000501|11|1000502|1000501",
              }));
    EXPECT_EQ(ValueRows(), std::vector<std::string>{});
}

TEST_F(LightweightDataTest, TextValuesGoToTheTableOfTheirMemberType)
{
    std::unique_ptr<TLWObject> product = ProductItem()->AddObject("Product", &languages, 1);
    struct TCase {
        std::string text, lang, member;
        int index;
    };
    const TCase cases[] = {
        {"Blue chair", "EN", "Name", 0},         // language-dependent short text
        {"Blauer Stuhl", "DE", "Name", 0},
        {"AB-7", "EN", "Code", 0},               // not language-dependent: "XXX"
        {"Long text", " ", "Description", 1},    // blank language: "XXX"
        {"12.5", "", "Price", 0},                // a number
        {"0", "", "Price", 1},                   // 0 is no row
        {"twelve", "", "Price", 2},              // not a number: 0, no row
        {"38000.5", "", "Released", 0},          // a date
        {"", "EN", "Name", 3},                   // an empty text is no row
        {"data", "", "Picture", 0},              // a text is no binary value
        {"x", "", "NoSuchMember", 0},            // nothing
    };
    for (const TCase& c : cases)
        EXPECT_TRUE(product->SetValue(c.text, c.index, c.lang, c.member)) << c.member;

    EXPECT_EQ(ValueRows(), (std::vector<std::string>{
                               "D|1000501|10|1|6|XXX|0|200|38000.5",
                               "N|1000501|10|1|4|XXX|0|150|12.5",
                               "S|1000501|10|1|1|DE|0|1|Blauer Stuhl",
                               "S|1000501|10|1|1|EN|0|1|Blue chair",
                               "S|1000501|10|1|2|XXX|0|1|AB-7",
                               "T|1000501|10|1|3|XXX|1|50|Long text",
                           }));
    EXPECT_EQ(Single("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = 'shop'"), "3");
}

TEST_F(LightweightDataTest, BinaryValuesCarryTheirBytesSizeAndChecksum)
{
    std::unique_ptr<TLWObject> product = ProductItem()->AddObject("Product", &languages, 1);
    const std::string bytes("\x89PNG\r\n\x1a\n\0\xff\xfe payload", 19);
    std::istringstream picture(bytes);
    picture.seekg(5);  // the whole stream is written, wherever it stands
    std::istringstream manual("manual text");
    std::istringstream empty;

    EXPECT_TRUE(product->SetBinary(picture, "image/png", "", 0, "Picture"));     // default language
    EXPECT_TRUE(product->SetBinary(manual, "text/plain", "EN", 0, "Manual"));    // not language-dependent
    EXPECT_FALSE(product->SetBinary(empty, "text/plain", "EN", 1, "Manual"));
    EXPECT_FALSE(product->SetBinary(manual, "text/plain", "EN", 2, "Name"));     // no binary member
    EXPECT_FALSE(product->SetBinary(manual, "text/plain", "EN", 3, "NoSuchMember"));

    const auto crc = static_cast<std::int32_t>(TCRC32::CalcStringCRC(bytes));
    EXPECT_EQ(Rows("SELECT MemberId, LangCode, IndexId, MemberType, DataBytes, DataCrc, DataMimeType, "
                   "hex(DataBlob) FROM CBinary ORDER BY MemberId"),
              (std::vector<std::string>{
                  "7|DE|0|250|19|" + std::to_string(crc) + "|image/png|89504E470D0A1A0A00FFFE207061796C6F6164",
                  "8|XXX|0|251|11|" + std::to_string(static_cast<std::int32_t>(TCRC32::CalcStringCRC("manual text"))) +
                      "|text/plain|6D616E75616C2074657874",
              }));
}

TEST_F(LightweightDataTest, FieldsOfTheOldCatalogFillEveryDataLanguageInUse)
{
    dal->Exec("CREATE TABLE OldProducts (Code TEXT, Name TEXT, NameLang2 TEXT, NameLang3 TEXT, "
              "Description TEXT, Price DOUBLE, Weight DOUBLE)", TVariant());
    dal->Exec2("INSERT INTO OldProducts VALUES (:Value, 'Chair', 'Stuhl', 'Chaise', :Value2, 19.9, NULL)",
               "  AB-7 \t", "Nice");
    std::unique_ptr<TLWObject> product = ProductItem()->AddObject("Product", &languages, 1);

    TQueryGuard query(*connection);
    query->SetSQL("SELECT * FROM OldProducts");
    const TAbstractRecordset& row = query->Open(true);
    EXPECT_TRUE(product->SetFromField(row, "Code", 0, "Code"));                // trimmed, "XXX"
    EXPECT_TRUE(product->SetFromField(row, "Name", 0, "Name"));                // per language field
    EXPECT_TRUE(product->SetFromField(row, "Description", 0, "Description"));  // base field for all
    EXPECT_TRUE(product->SetFromField(row, "Price", 0, "Price"));
    EXPECT_FALSE(product->SetFromField(row, "Weight", 1, "Price"));            // Null: nothing
    EXPECT_FALSE(product->SetFromField(row, "Missing", 0, "Name"));            // no such fields
    EXPECT_FALSE(product->SetFromField(row, "Code", 0, "NoSuchMember"));
    EXPECT_THROW(product->SetFromField(row, "Missing", 0, "Code"), EDeveloperTolvexException);
    query->Close();
    query.Release();

    // The third language slot is not in use: "Chaise" is not written.
    EXPECT_EQ(ValueRows(), (std::vector<std::string>{
                               "N|1000501|10|1|4|XXX|0|150|19.9",
                               "S|1000501|10|1|1|DE|0|1|Stuhl",
                               "S|1000501|10|1|1|EN|0|1|Chair",
                               "S|1000501|10|1|2|XXX|0|1|AB-7",
                               "T|1000501|10|1|3|DE|0|50|Nice",
                               "T|1000501|10|1|3|EN|0|50|Nice",
                           }));
}

// ---- removing rows ----------------------------------------------------------------------

TEST_F(LightweightDataTest, CleaningRemovesOnlyTheMatchingItemsOfTheCatalog)
{
    for (const char* code : {"other", "Shop"}) {
        dal->SetCatalogCode(code);
        std::unique_ptr<TLWItem> root = TLWItem::CreateRoot("ProductsRoot", "Folder", "");
        for (const char* id : {"501", "502"})
            root->AddChild(id, "ProductPage", "", 0, false, 0)->AddObject("Product", &languages, 1)
                ->SetValue("x", 0, "", "Code");
        std::unique_ptr<TLWItem> folder18 = root->AddChild("18", "Folder", "", 0, false, 0);
        folder18->AddChild("181", "Folder", "", 0, false, 0)->AddObject("Option", &languages, 1)
            ->SetValue("y", 0, "", "Caption");
    }

    const auto pages = TLWItemCondition::Where(TLWItemCondition::TColumn::ItemType, {4001});
    dal->CleanObjects(pages);
    dal->CleanItems(pages);
    const auto folder18 = TLWItemCondition::Where(TLWItemCondition::TColumn::ItemId, {18})
                              .Or(TLWItemCondition::TColumn::ParentItemId, {18});
    dal->CleanObjects(folder18);
    dal->CleanItems(folder18);

    EXPECT_EQ(Rows("SELECT CatalogCode, ItemId FROM Items ORDER BY 1, 2"),
              (std::vector<std::string>{"other|18", "other|20", "other|181", "other|501", "other|502", "shop|20"}));
    EXPECT_EQ(Rows("SELECT DISTINCT CatalogCode FROM CObjectInstances"), std::vector<std::string>{"other"});
    EXPECT_EQ(Single("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = 'other'"), "3");
    EXPECT_EQ(Single("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = 'shop'"), "0");
    EXPECT_THROW(TLWItemCondition::Where(TLWItemCondition::TColumn::ItemId, {}), EDeveloperTolvexException);
}

// ---- links in page texts --------------------------------------------------------------------

TEST(LWLinkRewriterTest, ReplacesTheCodesThatTheMapsKnow)
{
    const TLWLinkRewriter rewriter(
        [](const std::string& code) { return code == "manual" ? 900 : code == "old" ? -1 : 0; },
        [](const std::string& number) { return number == "12" ? 1000501 : 0; },
        [](const std::string& code) { return code == "logo" ? 500 : code == "gone" ? -1 : 0; });
    struct TCase {
        std::string text, expected, why;
    };
    const TCase cases[] = {
        {R"(<img src="../images/logo.gif">)", R"(<img src="../images/500.gif">)", "image link"},
        {R"(<img src="..\images\logo.gif">)", R"(<img src="..\images\500.gif">)", "backslashes"},
        {R"(<img src="../IMAGES/logo.GIF">)", R"(<img src="../IMAGES/500.GIF">)", "capitals reach the image map"},
        {R"(<img src="../images/gone.gif">)", R"(<img src="../images/gone.gif">)", "-1 keeps the link"},
        {R"(<img src="../images/new.gif">)", R"(<img src="../images/new.gif">)", "0 keeps the link"},
        {R"(<a href="12.html">)", R"(<a href="1000501.html">)", "page after a quote"},
        {R"(<a href="/pages/12.html">)", R"(<a href="/pages/1000501.html">)", "page after a slash"},
        {R"(<a href="x12.html">)", R"(<a href="x12.html">)", "no quote or slash before the number"},
        {R"(<a href="13.HTML">)", R"(<a href="13.HTML">)", "unknown page"},
        {R"(<a href="../objects/manual.pdf">)", R"(<a href="../objects/900.pdf">)", "object link"},
        {R"(<a href="../objects/old.pdf">)", R"(<a href="../objects/old.pdf">)", "object map answers -1"},
        {"<a href=\"12.html\">\n<img src=\"../images/logo.gif\"> <img src=\"../images/logo.png\">",
         "<a href=\"1000501.html\">\n<img src=\"../images/500.gif\"> <img src=\"../images/500.png\">",
         "every match, across lines"},
        {"", "", "empty text"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(rewriter.Rewrite(c.text), c.expected) << c.why;
}

TEST(LWLinkRewriterTest, AnEmptyMapKeepsTheLinksOfItsKind)
{
    const TLWLinkRewriter rewriter(nullptr, nullptr, [](const std::string&) { return 7; });
    EXPECT_EQ(rewriter.Rewrite(R"("1.html ../objects/a.b ../images/c.d)"), R"("1.html ../objects/a.b ../images/7.d)");
}

TEST_F(LightweightDataTest, FixLinksRewritesThePageTextsOfTheCatalog)
{
    const std::string text = R"(<a href="12.html"><img src="../images/logo.gif"></a>)";
    std::unique_ptr<TLWItem> page = ProductItem();
    page->AddObject("Page", &languages, 1)->SetValue(text, 0, "EN", "Body");
    page->AddObject("Page", &languages, 2)->SetValue(text, 0, "DE", "Head");
    page->AddObject("Product", &languages, 3)->SetValue(text, 0, "EN", "Description");  // another class
    dal->SetCatalogCode("other");
    page->AddObject("Page", &languages, 1)->SetValue(text, 0, "EN", "Body");           // another catalog
    dal->SetCatalogCode("Shop");

    dal->FixLinks(nullptr, [](const std::string& n) { return n == "12" ? 1000777 : 0; },
                  [](const std::string& c) { return c == "logo" ? 500 : 0; });

    const std::string fixed = R"(<a href="1000777.html"><img src="../images/500.gif"></a>)";
    EXPECT_EQ(Rows("SELECT CatalogCode, ClassId, MemberId, TextValue FROM CText ORDER BY 1, 2, 3"),
              (std::vector<std::string>{"other|4|1|" + text, "shop|4|1|" + fixed, "shop|4|2|" + fixed,
                                        "shop|10|3|" + text}));
}

// ---- catalog properties ------------------------------------------------------------------------

TEST_F(LightweightDataTest, CatalogPropertyIsCreatedOnceAndThenUpdated)
{
    dal->SetCatalogProperty(706, "EUR");
    EXPECT_EQ(Rows("SELECT ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, DontDelete, "
                   "DontSort, IsSynchronized FROM Items"),
              std::vector<std::string>{"706|603|8|706|0|0|0|0|0"});
    dal->Exec("UPDATE Items SET DateModified = :Value", 0.0);

    dal->SetCatalogProperty(706, "US\x01" "D");
    EXPECT_EQ(Rows("SELECT ItemId, ClassId, InstanceId, ParentInstanceId FROM CObjectInstances"),
              std::vector<std::string>{"706|603|1|0"});
    EXPECT_EQ(ValueRows(), std::vector<std::string>{"S|706|603|1|1|XXX|0|1|US D"});
    EXPECT_EQ(Single("SELECT COUNT(*) FROM Items WHERE "
                     "ABS(DateModified - (julianday('now', 'localtime') - 2415018.5)) < 0.01"),
              "1");
}

// ---- ids and sequences ---------------------------------------------------------------------------

TEST_F(LightweightDataTest, CountersStartAfter1000500)
{
    EXPECT_EQ(dal->NextItemId(), 1000501);
    EXPECT_EQ(dal->NextInstanceId(), 1000501);
    EXPECT_EQ(dal->NextItemId(), 1000502);
}

TEST_F(LightweightDataTest, IdsNeverMeetTheNumbersOfTheSequences)
{
    // The sequence "Items" handed out 700 before the conversion started.
    dal->Exec2("INSERT INTO LocalSequences (CatalogCode, SequenceName, LastId) VALUES (:CatalogCode, :Value, :Value2)",
               kItemsSequence, 700);
    EXPECT_EQ(dal->NextItemId(), 1000701);
    // Numbers drawn while the conversion runs (inside its unit of work) are skipped.
    EXPECT_EQ(LocalIdFromSequence(factory->NextSequenceId("shop", kItemsSequence)), 1000702);
    EXPECT_EQ(dal->NextItemId(), 1000703);
    EXPECT_EQ(dal->NextInstanceId(), 1000501);
    EXPECT_EQ(LocalIdFromSequence(factory->NextSequenceId("shop", kInstanceSequence)), 1000502);

    // After the conversion committed, the sequences continue past every id it used.
    connection->CommitTrans();
    connection->BeginTrans();
    EXPECT_EQ(LocalIdFromSequence(factory->NextSequenceId("shop", kItemsSequence)), 1000704);
    EXPECT_EQ(LocalIdFromSequence(factory->NextSequenceId("shop", kInstanceSequence)), 1000503);
}

TEST_F(LightweightDataTest, ARolledBackConversionLeavesTheSequencesConsistent)
{
    EXPECT_EQ(ProductItem()->ItemId, 1000501);
    connection->RollbackTrans();
    connection->BeginTrans();
    EXPECT_EQ(Single("SELECT COUNT(*) FROM Items"), "0");
    EXPECT_EQ(ProductItem()->ItemId, 1000502);
    EXPECT_EQ(LocalIdFromSequence(factory->NextSequenceId("shop", kItemsSequence)), 1000503);
}

}  // namespace
