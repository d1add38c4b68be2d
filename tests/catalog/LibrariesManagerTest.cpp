#include "catalog/LibrariesManager.h"
#include "catalog/PluginLoader.h"
#include "support/TempFolder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

int LiveObjects(const TLibrariesManager& libraries, int id)
{
    auto count = reinterpret_cast<int (*)()>(dlsym(libraries.GetHandle(id), "TestPluginLiveObjects"));
    return count ? count() : -1;
}

}  // namespace

TEST(LibrariesManager, EveryLoadTakesAnIdAlsoAFailedOne)
{
    TTempFolder temp;
    TLibrariesManager libraries;
    EXPECT_EQ(libraries.LoadModule(temp.File("missing.tvp")), 0);
    EXPECT_EQ(libraries.LoadModule(temp.Write("junk.tvp", "not a library")), 0);
    EXPECT_EQ(libraries.LoadModule(TEST_PLUGIN_PATH), 3);
    EXPECT_EQ(libraries.GetHandle(1), nullptr);
    EXPECT_EQ(libraries.GetHandle(2), nullptr);
    EXPECT_NE(libraries.GetHandle(3), nullptr);
    EXPECT_EQ(libraries.LoadModule(""), 0);
    EXPECT_EQ(libraries.LoadModule(TEST_PLUGIN_PATH), 5);
}

TEST(LibrariesManager, BareFileNameLoadsTheFileOfTheWorkingFolder)
{
    // A file of the working folder named like a library of the system's
    // library path: only the file itself may be loaded, and it is no library.
    TTempFolder temp;
    temp.Write("libm.so.6", "not a library");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(temp.Path());
    TLibrariesManager libraries;
    int id = libraries.LoadModule("libm.so.6");
    std::filesystem::current_path(previous);
    EXPECT_EQ(id, 0);
}

TEST(LibrariesManager, ExportsGiveOwnedObjects)
{
    TLibrariesManager libraries;
    int id = libraries.LoadModule(TEST_PLUGIN_PATH);
    ASSERT_NE(id, 0);
    {
        std::unique_ptr<TAbstractPluginInfo> info = libraries.GetPluginInfo(id);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->GetName(), "TestDb&TestDbPattern*&WrongKind&NoObject");
        EXPECT_EQ(info->GetKind(), pkDatabase);
        EXPECT_EQ(info->GetParam("fileext"), "tdb");

        std::unique_ptr<TAbstractPluginClass> plugin = libraries.GetPluginClass(id, "TestDb");
        ASSERT_TRUE(plugin);
        EXPECT_EQ(plugin->GetName(), "TestDb");
        EXPECT_EQ(LiveObjects(libraries, id), 1);
        EXPECT_FALSE(libraries.GetPluginClass(id, "Unknown"));
    }
    EXPECT_EQ(LiveObjects(libraries, id), 0);
}

TEST(LibrariesManager, MissingExportsAndUnknownIdsGiveNull)
{
    TLibrariesManager libraries;
    int noInfo = libraries.LoadModule(TEST_PLUGIN_NO_INFO_PATH);
    int noClass = libraries.LoadModule(TEST_PLUGIN_NO_CLASS_PATH);
    ASSERT_NE(noInfo, 0);
    ASSERT_NE(noClass, 0);
    EXPECT_FALSE(libraries.GetPluginInfo(noInfo));
    EXPECT_TRUE(libraries.GetPluginClass(noInfo, "TestDb"));
    EXPECT_TRUE(libraries.GetPluginInfo(noClass));
    EXPECT_FALSE(libraries.GetPluginClass(noClass, "TestDb"));
    EXPECT_FALSE(libraries.GetPluginInfo(99));
    EXPECT_FALSE(libraries.GetPluginClass(99, "TestDb"));
}

TEST(LibrariesManager, UnloadRemovesOnlyThatId)
{
    TLibrariesManager libraries;
    int first = libraries.LoadModule(TEST_PLUGIN_PATH);
    int second = libraries.LoadModule(TEST_PLUGIN_PATH);
    libraries.UnloadModule(42);
    libraries.UnloadModule(first);
    EXPECT_EQ(libraries.GetHandle(first), nullptr);
    EXPECT_NE(libraries.GetHandle(second), nullptr);
    EXPECT_TRUE(libraries.GetPluginInfo(second));
}

TEST(PluginLoader, LibraryEntryLoadsOnceAndUnloadsWhenDestroyed)
{
    TLibrariesManager libraries;
    int libraryId = 0;
    {
        TPluginLoader entry(&libraries);
        entry.SetFileName(TEST_PLUGIN_PATH);
        entry.SetName("TestDb");
        EXPECT_EQ(entry.GetLibraryId(), 0);

        // An empty name asks for the entry's own name; Params do not reach
        // the library.
        std::unique_ptr<TAbstractPluginClass> plugin = entry.CreatePluginClass("", "a=1");
        ASSERT_TRUE(plugin);
        EXPECT_EQ(plugin->GetName(), "TestDb");
        EXPECT_EQ(plugin->GetParams(), "");
        libraryId = entry.GetLibraryId();
        EXPECT_NE(libraryId, 0);

        std::unique_ptr<TAbstractPluginClass> second = entry.CreatePluginClass("TestDbOther", "");
        ASSERT_TRUE(second);
        EXPECT_EQ(second->GetName(), "TestDbOther");
        EXPECT_EQ(entry.GetLibraryId(), libraryId);
        EXPECT_NE(libraries.GetHandle(libraryId), nullptr);
    }
    EXPECT_EQ(libraries.GetHandle(libraryId), nullptr);
}

TEST(PluginLoader, FailedLoadIsRetriedOnTheNextRequest)
{
    TTempFolder temp;
    TLibrariesManager libraries;
    TPluginLoader entry(&libraries);
    entry.SetFileName(temp.File("later.tvp"));
    EXPECT_FALSE(entry.CreatePluginClass("TestDb", ""));
    EXPECT_EQ(entry.GetLibraryId(), 0);

    std::filesystem::copy_file(TEST_PLUGIN_PATH, temp.File("later.tvp"));
    EXPECT_TRUE(entry.CreatePluginClass("TestDb", ""));
    EXPECT_EQ(entry.GetLibraryId(), 2);
}

TEST(PluginLoader, DestroyingAnEntryNeverLoadedUnloadsNothing)
{
    TLibrariesManager libraries;
    int id = libraries.LoadModule(TEST_PLUGIN_PATH);
    {
        TPluginLoader entry(&libraries);
        entry.SetFileName(TEST_PLUGIN_PATH);
    }
    EXPECT_NE(libraries.GetHandle(id), nullptr);
}

namespace {

class TNamedPlugin : public TAbstractPluginClass {
public:
    TNamedPlugin(std::string name, std::string params) : name_(std::move(name)), params_(std::move(params)) {}
    std::uint8_t GetKind() const override { return pkItemManager; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

private:
    std::string name_, params_;
};

std::unique_ptr<TAbstractPluginClass> CreateNamed(const std::string& name, const std::string& params)
{
    return std::make_unique<TNamedPlugin>(name, params);
}

}  // namespace

TEST(PluginLoader, BuiltinEntryUsesItsCreatorElseTheBuiltinRegistry)
{
    TPluginLoader entry;
    entry.SetName("Builtin");
    EXPECT_FALSE(entry.CreatePluginClass("", "p=1"));  // no registry installed

    TPluginLoader::SetBuiltinCreator([](const std::string& name, const std::string& params) {
        return CreateNamed("registry:" + name, params);
    });
    std::unique_ptr<TAbstractPluginClass> fromRegistry = entry.CreatePluginClass("", "p=1");
    ASSERT_TRUE(fromRegistry);
    EXPECT_EQ(fromRegistry->GetName(), "registry:Builtin");
    EXPECT_EQ(fromRegistry->GetParams(), "p=1");

    entry.SetCreator(CreateNamed);
    std::unique_ptr<TAbstractPluginClass> own = entry.CreatePluginClass("Asked", "p=2");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->GetName(), "Asked");
    EXPECT_EQ(own->GetParams(), "p=2");
    TPluginLoader::SetBuiltinCreator(nullptr);
}
