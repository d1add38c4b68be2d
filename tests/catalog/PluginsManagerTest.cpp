#include "catalog/LibrariesManager.h"
#include "catalog/PluginsManager.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A program folder whose "modules" folder holds copies of the test libraries.
class PluginsManagerTest : public ::testing::Test {
protected:
    std::string Dir() const { return temp_.File("modules"); }

    void AddLibrary(const std::string& source, const std::string& name)
    {
        std::filesystem::create_directories(Dir());
        std::filesystem::copy_file(source, Dir() + "/" + name);
    }

    TTempFolder temp_;
    TLibrariesManager libraries_;
};

std::vector<std::string> EntryNames(const TPluginsManager& manager)
{
    std::vector<std::string> names;
    for (int i = 0; i < manager.GetCount(); ++i)
        names.push_back(manager.GetPlugin(i)->GetName());
    return names;
}

class TBuiltinPlugin : public TAbstractPluginClass {
public:
    explicit TBuiltinPlugin(std::string name) : name_(std::move(name)) {}
    std::uint8_t GetKind() const override { return pkDatabase; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return {}; }

private:
    std::string name_;
};

std::unique_ptr<TPluginLoader> BuiltinEntry(const std::string& name)
{
    auto entry = std::make_unique<TPluginLoader>();
    entry->SetName(name);
    entry->SetCreator([](const std::string& asked, const std::string&) {
        return std::make_unique<TBuiltinPlugin>(asked);
    });
    return entry;
}

}  // namespace

TEST_F(PluginsManagerTest, ScanTakesTheEntriesOfTheLibrariesOfItsKind)
{
    AddLibrary(TEST_PLUGIN_PATH, "a_testdb.tvp");
    AddLibrary(TEST_PLUGIN_NO_INFO_PATH, "b_noinfo.tvp");
    AddLibrary(TEST_PLUGIN_PATH, "c_ignored.so");
    temp_.Write("modules/d_junk.tvp", "not a library");

    TPluginsManager manager(Dir(), pkDatabase, libraries_);
    EXPECT_EQ(EntryNames(manager),
              (std::vector<std::string>{"TestDb", "TestDbPattern*", "WrongKind", "NoObject"}));
    TPluginLoader* entry = manager.GetPlugin(0);
    EXPECT_EQ(entry->GetFileName(), Dir() + "/a_testdb.tvp");
    EXPECT_EQ(entry->GetDescription(), "Test databases");
    EXPECT_EQ(entry->GetKind(), pkDatabase);
    EXPECT_EQ(entry->GetParam("FileExt"), "tdb");
    EXPECT_EQ(entry->GetLibraryId(), 0);
    // Every library was unloaded after the scan: three loads, three ids.
    for (int id = 1; id <= 3; ++id)
        EXPECT_EQ(libraries_.GetHandle(id), nullptr) << id;
    EXPECT_EQ(libraries_.LoadModule(TEST_PLUGIN_PATH), 4);
}

TEST_F(PluginsManagerTest, LibraryOfAnotherKindOrMissingFolderGivesNothing)
{
    AddLibrary(TEST_PLUGIN_PATH, "testdb.tvp");
    TPluginsManager editors(Dir(), pkItemEditor, libraries_);
    EXPECT_EQ(editors.GetCount(), 0);
    TPluginsManager missing(temp_.File("nowhere"), pkDatabase, libraries_);
    EXPECT_EQ(missing.GetCount(), 0);
}

TEST_F(PluginsManagerTest, MixedLibraryGivesEachManagerTheClassesOfItsKind)
{
    AddLibrary(TEST_PLUGIN_MIXED_PATH, "mixed.tvp");
    TPluginsManager databases(Dir(), pkDatabase, libraries_);
    TPluginsManager editors(Dir(), pkItemEditor, libraries_);
    TPluginsManager managers(Dir(), pkItemManager, libraries_);
    EXPECT_EQ(EntryNames(databases), std::vector<std::string>{"MixedDb"});
    EXPECT_EQ(EntryNames(editors), std::vector<std::string>{"MixedEditor"});
    EXPECT_EQ(EntryNames(managers), std::vector<std::string>{"MixedManager"});
    EXPECT_EQ(databases.GetPlugin(0)->GetKind(), pkDatabase);
    EXPECT_EQ(editors.GetPlugin(0)->GetKind(), pkItemEditor);
}

TEST_F(PluginsManagerTest, CreatesByExactNameOrStarPrefixWithTheRequestedName)
{
    AddLibrary(TEST_PLUGIN_PATH, "testdb.tvp");
    TPluginsManager manager(Dir(), pkDatabase, libraries_);

    std::unique_ptr<TAbstractPluginClass> exact = manager.CreatePluginInstance("TestDb", "x=1");
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->GetName(), "TestDb");
    std::unique_ptr<TAbstractPluginClass> pattern = manager.CreatePluginInstance("TestDbPatternXyz", "");
    ASSERT_TRUE(pattern);
    EXPECT_EQ(pattern->GetName(), "TestDbPatternXyz");
    EXPECT_FALSE(manager.CreatePluginInstance("testdb", ""));       // case counts
    EXPECT_FALSE(manager.CreatePluginInstance("TestDbPatter", ""));  // shorter than the prefix
    EXPECT_FALSE(manager.CreatePluginInstance("NoObject", ""));      // the library answers null
    EXPECT_FALSE(manager.CreatePluginInstance("Unknown", ""));

    // The library stays loaded for the entry that created from it.
    int id = manager.FindPlugin("TestDb")->GetLibraryId();
    EXPECT_NE(libraries_.GetHandle(id), nullptr);
    EXPECT_EQ(manager.FindPlugin("NoObject")->GetLibraryId(), id + 2);
}

TEST_F(PluginsManagerTest, FirstMatchingEntryWinsAndStarFirstMatchesNothing)
{
    TPluginsManager manager(Dir(), pkDatabase, libraries_);
    manager.AddPlugin("", BuiltinEntry("*Any"));
    manager.AddPlugin("", BuiltinEntry("Shop*"));
    manager.AddPlugin("", BuiltinEntry("ShopDb"));
    EXPECT_FALSE(manager.CreatePluginInstance("Anything", ""));
    EXPECT_FALSE(manager.CreatePluginInstance("*AnyMore", ""));
    std::unique_ptr<TAbstractPluginClass> shop = manager.CreatePluginInstance("ShopDb", "");
    ASSERT_TRUE(shop);
    EXPECT_EQ(shop->GetName(), "ShopDb");
    EXPECT_EQ(manager.FindPlugin("ShopDb"), manager.GetPlugin(2));
    EXPECT_EQ(manager.FindPlugin("Shop"), nullptr);  // FindPlugin is exact only
}

TEST_F(PluginsManagerTest, AddPluginWithoutLoaderAddsABuiltinEntry)
{
    TPluginsManager manager(Dir(), pkDatabase, libraries_);
    manager.AddPlugin("Plain", nullptr);
    ASSERT_EQ(manager.GetCount(), 1);
    TPluginLoader* entry = manager.GetPlugin(0);
    EXPECT_EQ(entry->GetName(), "Plain");
    EXPECT_EQ(entry->GetFileName(), "");
    EXPECT_EQ(entry->GetDescription(), "");
    EXPECT_EQ(manager.GetPlugin(1), nullptr);   // index equal to the count
    EXPECT_EQ(manager.GetPlugin(-1), nullptr);
}

TEST_F(PluginsManagerTest, FindPluginByPropertyIgnoresCase)
{
    AddLibrary(TEST_PLUGIN_PATH, "testdb.tvp");
    TPluginsManager manager(Dir(), pkDatabase, libraries_);
    auto builtin = BuiltinEntry("Builtin");
    builtin->AddParam("FileExt", "mdb");
    manager.AddPlugin("", std::move(builtin));

    EXPECT_EQ(manager.FindPluginByProperty("fileext", "TDB"), manager.GetPlugin(0));
    EXPECT_EQ(manager.FindPluginByProperty("FileExt", "MDB"), manager.FindPlugin("Builtin"));
    EXPECT_EQ(manager.FindPluginByProperty("FileExt", "xyz"), nullptr);
    EXPECT_EQ(manager.FindPluginByProperty("OpenPrefix", ""), manager.GetPlugin(0));
}

TEST(PluginsManagerSplit, ClassListsSplitLikeWebFormFields)
{
    using Pieces = std::vector<std::string>;
    struct Case {
        const char* text;
        Pieces expected;
        const char* why;
    };
    const Case cases[] = {
        {"", {}, "no text, no pieces"},
        {"A&B", {"A", "B"}, "split at &"},
        {"A&", {"A"}, "an empty last piece is dropped"},
        {"A&&B", {"A", "", "B"}, "an empty piece between separators stays"},
        {"A\r\nB\nC", {"A", "B", "C"}, "line breaks separate"},
        {"\r\n\r\nA&\n\nB", {"A", "B"}, "leading line breaks of a piece are skipped"},
        {"\"A&B\"&C", {"A&B", "", "C"}, "a leading quoted stretch loses its quotes"},
        {"X\"A&B\"&C", {"X\"A&B\"", "C"}, "an inner quoted stretch keeps its quotes"},
        {"My+Db&Db%2A&100%%", {"My Db", "Db*", "100%"}, "URL-decoded"},
        {"A=Database&B=ItemEditor", {"A=Database", "B=ItemEditor"}, "kind words stay in the piece"},
    };
    for (const Case& c : cases) {
        std::optional<Pieces> pieces = TPluginsManager::SplitClassList(c.text);
        ASSERT_TRUE(pieces) << c.why;
        EXPECT_EQ(*pieces, c.expected) << c.why;
    }
    EXPECT_FALSE(TPluginsManager::SplitClassList("A%4"));
    EXPECT_FALSE(TPluginsManager::SplitClassList("A%zz&B"));
}
