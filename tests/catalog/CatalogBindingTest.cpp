// A catalog bound to its database (TTolvexCatalog) over a real catalog
// file: choosing the database module, catalog information, languages,
// properties, default templates and style upgrades.
#include "catalog/Catalog.h"
#include "catalog/TolvexCatalog.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/SQLiteModule.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

class CatalogBindingTest : public ::testing::Test {
protected:
    CatalogBindingTest()
    {
        EXPECT_TRUE(bound.OpenDatabaseFile(env.Db().DatabaseFile()));
        env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, NumberValue) VALUES ('shop', 604, 604, 1, 1, 'XXX', 0, 101, 1)");
    }
    TAbstractDBConnection& Connection() { return bound.GetConnectionFactory().GetConnection(); }
    void AddString(const std::string& code, int itemId, int classId, int memberId, int index, const std::string& value)
    {
        env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, StringValue) VALUES (:Code, :ItemId, :ClassId, 1, :MemberId, 'XXX', :IndexId, 1, "
                      ":Value)",
                      {{"Code", code}, {"ItemId", itemId}, {"ClassId", classId}, {"MemberId", memberId},
                       {"IndexId", index}, {"Value", value}});
    }

    TCatalogEnvironment env;
    TTolvexCatalog bound{env.Catalog()};
};

}  // namespace

TEST_F(CatalogBindingTest, TheDatabaseModuleIsChosenByTheFileExtension)
{
    ASSERT_TRUE(bound.ReadCatalogInfo("SHOP", Connection()));
    EXPECT_EQ(bound.GetCatalogCode(), "shop");
    EXPECT_EQ(bound.GetCatalogType(), 1);
    EXPECT_FALSE(bound.ReadCatalogInfo("other", Connection()));
    EXPECT_EQ(bound.GetCatalogCode(), "shop") << "nothing changes without catalog information";

    TTolvexCatalog other(env.Catalog());
    EXPECT_FALSE(other.OpenDatabaseFile(env.Home().File("Missing.SQLITE")))
        << "the module is found without regard to case; the file is not there";
    EXPECT_THROW(other.OpenDatabaseFile(env.Home().File("shop.mdb")), EFatalTolvexException);
    EXPECT_THROW(other.ConnectDatabase("NoSuchModule", "", env.Home().Path(), "shop"), EFatalTolvexException);
    EXPECT_TRUE(other.ConnectDatabase(SQLiteModuleName, "", env.Db().Folder().Path(), "catalog"));

    bound.Close();
    EXPECT_FALSE(bound.HasConnectionFactory());
    EXPECT_THROW(bound.GetConnectionFactory(), EDeveloperTolvexException);
}

TEST_F(CatalogBindingTest, LanguagesFromTheCatalog)
{
    struct TCase {
        std::vector<std::pair<int, std::string>> rows;  // member, value
        std::string code;
        std::vector<std::string> languages;
        std::string defaultLang;
    } cases[] = {
        {{{1, "en "}, {1, "de"}}, "shop", {"EN", "DE"}, "EN"},
        {{{1, "en "}, {1, "de"}, {2, "fr"}}, "shop", {"EN", "DE", "FR"}, "FR"},
        {{{1, "de"}, {2, "en"}, {2, "de"}}, "shop", {"DE"}, "DE"},  // the last default wins
        {{}, "shop", {"EN"}, "EN"},
        {{{1, "de"}}, "t#3", {"EN"}, "EN"},  // a catalog-type definition
    };
    for (const TCase& c : cases) {
        env.Db().Exec("DELETE FROM CStrings");
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            AddString(c.code, 601, 601, c.rows[i].first, static_cast<int>(i), c.rows[i].second);
        bound.SetCatalogCode(c.code);
        bound.LoadLanguages(Connection());
        EXPECT_EQ(bound.GetLanguages(), c.languages) << c.rows.size() << " rows of " << c.code;
        EXPECT_EQ(bound.GetDefaultLangCode(), c.defaultLang) << c.rows.size() << " rows of " << c.code;
        EXPECT_EQ(bound.IsMultilingual(), c.languages.size() > 1);
    }

    EXPECT_TRUE(bound.HasLanguage("en"));
    EXPECT_TRUE(bound.HasLanguage("XXX"));
    EXPECT_FALSE(bound.HasLanguage("xxx")) << "the no-language code only as written";
    EXPECT_FALSE(bound.HasLanguage("DE"));
}

TEST_F(CatalogBindingTest, PropertiesRoundTripThroughTheirItems)
{
    bound.SetCatalogCode("shop");
    EXPECT_EQ(bound.GetCatalogProperty(708, Connection()), "");

    bound.SetCatalogProperty(708, "100001", Connection());
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 708 AND ItemType = 603 AND ParentItemId = 8"), 1);
    EXPECT_EQ(bound.GetCatalogProperty(708, Connection()), "100001");
    EXPECT_EQ(env.Db().Count("CStrings", "ItemId = 708 AND LangCode = 'XXX'"), 1);

    bound.SetCatalogProperty(708, "100002", Connection());
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 708"), 1) << "a second write changes only the value";
    EXPECT_EQ(bound.GetCatalogProperty(708, Connection()), "100002");
    EXPECT_EQ(TCatalog::GetCatalogProperty(708, env.Connection(), "shop"), "100002");

    bound.SetCatalogProperty(708, "", Connection());
    EXPECT_EQ(bound.GetCatalogProperty(708, Connection()), "");
}

TEST_F(CatalogBindingTest, APropertyWhoseValueCannotBeWrittenLeavesNoItem)
{
    bound.SetCatalogCode("shop");
    env.Db().Exec("CREATE TRIGGER RefuseValue BEFORE INSERT ON CStrings WHEN NEW.StringValue = 'refused' "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(bound.SetCatalogProperty(708, "refused", Connection()), ETolvexException);
    EXPECT_EQ(env.Db().Count("Items", "ItemId = 708"), 0);
    EXPECT_EQ(env.Db().Count("CObjectInstances", "ItemId = 708"), 0);
}

TEST_F(CatalogBindingTest, DefaultTemplatesOfTemplateFolders)
{
    bound.SetCatalogCode("shop");
    env.Db().AddItem(5001, 511, 5);
    env.Db().AddItem(5002, 511, 5);
    env.Db().AddItem(600010, 501, 5001);
    env.Db().Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                  "VALUES ('shop', 5001, 513, 0, 1)");
    env.Db().Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, NumberValue) VALUES ('shop', 5001, 513, 1, 1, 'XXX', 0, 102, 600005)");

    EXPECT_EQ(bound.GetDefaultTemplateId(5001, Connection()), 600005);
    EXPECT_EQ(bound.GetDefaultTemplateId(5002, Connection()), 0);
    EXPECT_EQ(bound.GetDefaultTemplateId(0, Connection()), 0);

    bound.MakeDefaultTemplate(600010, Connection());
    EXPECT_EQ(bound.GetDefaultTemplateId(5001, Connection()), 600010);
    bound.MakeDefaultTemplate(600099, Connection());  // no such template: nothing happens
    std::vector<std::string> list{"stale"};
    bound.ListDefaultTemplateIds(list, Connection());
    EXPECT_EQ(list, std::vector<std::string>{"600010"});
}

TEST_F(CatalogBindingTest, StyleUpgradesOnlyWhenTheCatalogIsBehindItsType)
{
    bound.SetCatalogCode("shop");
    bound.SetCatalogType(1);
    env.Host().typeVersions[1] = 5;
    AddString("t#1", 521, 521, 3, 0, "600100");
    AddString("t#1", 521, 521, 3, 1, "600101");
    AddString("t#1", 521, 521, 4, 0, "600050");

    bound.SetCatalogProperty(733, "5", Connection());
    bound.UpgradeStyles(Connection(), Connection());
    EXPECT_TRUE(env.Host().calls.empty()) << "equal to the type's version: nothing to do";

    bound.SetCatalogProperty(733, "4", Connection());
    bound.UpgradeStyles(Connection(), Connection());
    EXPECT_EQ(env.Host().calls, (std::vector<std::string>{"CopyStyleItems t#1->shop 600100,600101 [] onlyMissing",
                                                          "DeleteStyleItems t#1->shop 600050"}));
    EXPECT_EQ(bound.GetCatalogProperty(733, Connection()), "4") << "the version is the opening's to write";
}

TEST_F(CatalogBindingTest, IncludedStylesOfAPredefinedStyle)
{
    bound.SetCatalogCode("shop");
    bound.SetCatalogType(1);
    env.Db().AddItem(510001, 510, 510);
    env.Db().Exec("UPDATE Items SET CatalogCode = 't#1' WHERE ItemId = 510001");
    env.Db().Exec("INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
                  "VALUES ('t#1', 510001, 510, 0, 1)");
    AddString("t#1", 510001, 510, 1, 0, "600200");
    AddString("t#1", 510001, 510, 1, 1, "600201");

    EXPECT_TRUE(bound.ApplyIncludedStyles(510001, Connection(), Connection(), "Colors=blue"));
    EXPECT_EQ(env.Host().calls,
              std::vector<std::string>{"CopyStyleItems t#1->shop 600200,600201 [Colors=blue] newDates"});
    EXPECT_FALSE(bound.ApplyIncludedStyles(510002, Connection(), Connection(), ""));
}

TEST_F(CatalogBindingTest, DeletingAnItemUsesTheCatalogsCode)
{
    bound.SetCatalogCode("shop");
    env.Db().AddItem(5000, 100, 1);
    env.Db().AddItem(5100, 100, 5000);
    EXPECT_FALSE(bound.DeleteItem(5000, Connection(), false, false, TDeleteChildren::Refuse));
    EXPECT_TRUE(bound.DeleteItem(5000, Connection(), false, false, TDeleteChildren::Cascade));
    EXPECT_EQ(env.Db().Count("Items", "ItemId IN (5000, 5100)"), 0);
}
