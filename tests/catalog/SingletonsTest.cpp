#include "catalog/Singletons.h"

#include "catalog/InternalPluginsManager.h"
#include "catalog/PluginInfo.h"
#include "catalog/UIManager.h"
#include "catalog/AbstractUIEditor.h"
#include "catalog/PluginsManager.h"
#include "common/CommonProcedures.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/DBManager.h"
#include "storage/SQLiteModule.h"
#include "storage/QueryGuard.h"
#include "storage/AbstractDBQuery.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {
struct SingletonsGuard {
    explicit SingletonsGuard(const std::string& dir) { CreateSingletons(dir); }
    ~SingletonsGuard() { FreeSingletons(); }
};
} // namespace

TEST(Singletons, CreatedInOrderAndFreedCompletely)
{
    TTempFolder home;
    {
        SingletonsGuard guard(home.Path());
        ASSERT_NE(CommonProcedures, nullptr);
        ASSERT_NE(LibrariesManager, nullptr);
        ASSERT_NE(Translation, nullptr);
        ASSERT_NE(DBManager, nullptr);
        EXPECT_EQ(CommonProcedures->App().GetAppDir(), home.Path());
        SearchText = "catalog";
        UpdateArguments = "restart 1000";
    }
    EXPECT_EQ(CommonProcedures, nullptr);
    EXPECT_EQ(LibrariesManager, nullptr);
    EXPECT_EQ(Translation, nullptr);
    EXPECT_EQ(DBManager, nullptr);
    EXPECT_TRUE(SearchText.empty());
    EXPECT_TRUE(UpdateArguments.empty());
    EXPECT_NO_THROW(FreeSingletons()) << "freeing twice is harmless";
}

TEST(Singletons, BuiltinDatabaseModuleWorksWithoutADatabasesFolder)
{
    TTempFolder home;  // no "databases" folder at all
    SingletonsGuard guard(home.Path());

    TPluginInfo* sqlite = DBManager->GetPluginsManager().FindPluginByProperty("FileExt", "sqlite");
    ASSERT_NE(sqlite, nullptr);
    EXPECT_EQ(sqlite->GetName(), "SQLite");

    auto factory = DBManager->CreateDatabasePlugin("SQLite", "");
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->GetKind(), pkDatabase);
    ASSERT_TRUE(factory->CreateDatabase(home.Path(), "", "shop", "", "", 0));
    ASSERT_TRUE(factory->OpenDatabase(home.Path(), "shop", "", ""));
    TQueryGuard query(factory->GetConnection());
    query->SetSQL("CREATE TABLE t (x INTEGER)");
    EXPECT_NO_THROW(query->ExecSQL());

    EXPECT_THROW(DBManager->CreateDatabasePlugin("NoSuchModule", ""), EFatalTolvexException);
}

TEST(Singletons, AClassRegisteredBeforeTheSingletonsAreCreatedIsKept)
{
    TTempFolder home;
    FreeSingletons();
    int made = 0;
    RegisterPluginClass("EarlyModule", pkDatabase, [&](const std::string& name, const std::string& params) {
        ++made;
        return std::unique_ptr<TAbstractPluginClass>(CreateSQLiteConnectionFactory(name, params).release());
    });
    CreateSingletons(home.Path());
    const std::vector<std::string> names = InternalPluginsManager().GetPluginNames(pkDatabase);
    EXPECT_NE(std::find(names.begin(), names.end(), "EarlyModule"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "SQLite"), names.end()) << "the built-in module as well";
    EXPECT_NO_THROW(InternalPluginsManager().CreatePlugin("EarlyModule", ""));
    EXPECT_EQ(made, 1);

    // Creating them again starts from an empty registry.
    CreateSingletons(home.Path());
    const std::vector<std::string> again = InternalPluginsManager().GetPluginNames(pkDatabase);
    EXPECT_EQ(std::find(again.begin(), again.end(), "EarlyModule"), again.end());
    FreeSingletons();
}

TEST(Singletons, RegistrationsBeforeTheManagersEndUpInTheOneRegistry)
{
    TTempFolder home;
    bool called = false;
    CreateSingletons(home.Path(), [&](TInternalPluginsManager& registry) {
        called = true;
        EXPECT_EQ(&registry, &InternalPluginsManager());
    });
    EXPECT_TRUE(called);
    ASSERT_NE(UIManager, nullptr);
    // A name of the fixed table resolves through the UI-module manager.
    EXPECT_TRUE(UIManager->CreateItemEditor("CommonCompany", ""));
    FreeSingletons();
    EXPECT_EQ(UIManager, nullptr);
}
