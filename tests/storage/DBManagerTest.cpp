#include "catalog/InternalPluginsManager.h"
#include "catalog/LibrariesManager.h"
#include "catalog/PluginInfo.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/DBManager.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A built-in database module of the tests: it only knows its name and params.
class TBuiltinTestFactory : public TAbstractDBConnectionFactory {
public:
    TBuiltinTestFactory(std::string name, std::string params)
        : name_(std::move(name)), params_(std::move(params))
    {
    }
    std::uint8_t GetKind() const override { return pkDatabase; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

    bool OpenDatabase(const std::string&, const std::string&, const std::string&,
                      const std::string&) override { return false; }
    TAbstractDBConnection& GetConnection() override { throw EDeveloperTolvexException("none"); }
    std::unique_ptr<TAbstractDBConnection> OpenSecondConnection() override { return nullptr; }
    bool CreateDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&, int) override { return false; }
    void CheckNewDatabase(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::string&, std::string&, int&) override {}
    std::string GetOpenWarning() const override { return {}; }
    bool DeleteDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&) override { return false; }
    void BackupDatabase(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&) override {}
    void AutoBackup(const std::string&, const std::string&, const std::string&,
                    const std::string&, const std::string&) override {}
    void RestoreDatabase(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&) override {}
    bool CompactDatabase(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&) override { return true; }
    bool IsNameFree(const std::string&) const override { return true; }
    std::string GetDatabaseFileName(const std::string& name) const override { return name; }
    bool RenameDatabase(const std::string&, const std::string&, const std::string&) override
    {
        return false;
    }
    int NextSequenceId(const std::string&, const std::string&) override { return 0; }

private:
    std::string name_, params_;
};

// A plug-in of the wrong kind registered as a database module.
class TNotAFactory : public TAbstractPluginClass {
public:
    std::uint8_t GetKind() const override { return pkDatabase; }
    std::string GetName() const override { return "NotAFactory"; }
    std::string GetParams() const override { return {}; }
};

TPluginInfo Descriptor(const std::string& name, const std::string& fileExt)
{
    TPluginInfo info;
    info.SetName(name);
    info.SetDescription(name + " databases");
    info.SetKind(pkDatabase);
    info.AddParam("FileExt", fileExt);
    return info;
}

// The built-in modules of these tests, registered in the test's own registry.
void RegisterTestModules(TInternalPluginsManager& registry)
{
    auto create = [](const std::string& name, const std::string& params) {
        return std::make_unique<TBuiltinTestFactory>(name, params);
    };
    registry.RegisterDatabaseModule(Descriptor("BuiltinDb", "bdb"), create);
    // The same name as a library module: the library entry comes first.
    registry.RegisterDatabaseModule(Descriptor("TestDb", "bdb"), create);
    registry.RegisterDatabaseModule(Descriptor("NotAFactory", "naf"),
                                    [](const std::string&, const std::string&) {
                                        return std::make_unique<TNotAFactory>();
                                    });
    // Without a name: not registered.
    registry.RegisterDatabaseModule(Descriptor("", "nnm"), create);
}

class DBManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestModules(registry_);
        std::filesystem::create_directories(temp_.File("databases"));
        std::filesystem::copy_file(TEST_PLUGIN_PATH, temp_.File("databases/testdb.tvp"));
    }

    TTempFolder temp_;
    TLibrariesManager libraries_;
    TInternalPluginsManager registry_;
};

}  // namespace

TEST_F(DBManagerTest, CreatesFactoriesOfLibraryAndBuiltinModules)
{
    TDBManager manager(temp_.Path(), libraries_, registry_);
    EXPECT_EQ(manager.GetPluginsManager().GetKind(), pkDatabase);

    std::unique_ptr<TAbstractDBConnectionFactory> library = manager.CreateDatabasePlugin("TestDb", "a=1");
    ASSERT_TRUE(library);
    EXPECT_EQ(library->GetKind(), pkDatabase);
    EXPECT_EQ(library->GetName(), "TestDb");
    EXPECT_EQ(library->GetParams(), "");  // a library does not receive the parameters
    EXPECT_EQ(library->GetDatabaseFileName("shop"), "shop.tdb");

    std::unique_ptr<TAbstractDBConnectionFactory> pattern = manager.CreateDatabasePlugin("TestDbPatternX", "");
    EXPECT_EQ(pattern->GetName(), "TestDbPatternX");

    std::unique_ptr<TAbstractDBConnectionFactory> builtin = manager.CreateDatabasePlugin("BuiltinDb", "a=1");
    EXPECT_EQ(builtin->GetName(), "BuiltinDb");
    EXPECT_EQ(builtin->GetParams(), "a=1");
}

TEST_F(DBManagerTest, BuiltinModulesFollowTheLibraryModules)
{
    TDBManager manager(temp_.Path(), libraries_, registry_);
    TPluginsManager& modules = manager.GetPluginsManager();
    ASSERT_EQ(modules.GetCount(), 7);
    EXPECT_EQ(modules.GetPlugin(0)->GetFileName(), temp_.File("databases/testdb.tvp"));
    EXPECT_EQ(modules.GetPlugin(4)->GetName(), "BuiltinDb");
    EXPECT_EQ(modules.GetPlugin(4)->GetFileName(), "");
    EXPECT_EQ(modules.GetPlugin(4)->GetDescription(), "BuiltinDb databases");
    EXPECT_EQ(modules.FindPluginByProperty("FileExt", "BDB"), modules.GetPlugin(4));
    EXPECT_EQ(modules.FindPluginByProperty("fileext", "tdb"), modules.GetPlugin(0));
    EXPECT_EQ(modules.FindPluginByProperty("FileExt", "edt"), nullptr);

    // "TestDb" is answered by the library, not by the built-in of that name.
    EXPECT_EQ(manager.CreateDatabasePlugin("TestDb", "p")->GetParams(), "");
}

TEST_F(DBManagerTest, UnknownOrWrongModulesCannotBeLoaded)
{
    TDBManager manager(temp_.Path(), libraries_, registry_);
    for (const char* name : {"Unknown", "WrongKind", "NoObject", "NotAFactory", "testdb", ""}) {
        try {
            manager.CreateDatabasePlugin(name, "");
            ADD_FAILURE() << name;
        } catch (const EFatalTolvexException& e) {
            EXPECT_STREQ(e.what(), "Cannot load database module") << name;
        }
    }
}

TEST_F(DBManagerTest, WithoutDatabasesFolderOnlyBuiltinModules)
{
    TTempFolder empty;
    TDBManager manager(empty.Path(), libraries_, registry_);
    EXPECT_EQ(manager.GetPluginsManager().GetCount(), 3);
    EXPECT_TRUE(manager.CreateDatabasePlugin("TestDb", "p"));
    EXPECT_EQ(manager.CreateDatabasePlugin("TestDb", "p")->GetParams(), "p");
}
