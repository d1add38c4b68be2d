#include "catalog/InternalPluginsManager.h"
#include "catalog/LibrariesManager.h"
#include "catalog/PlaceholderFrameClass.h"
#include "catalog/PlaceholderItemManager.h"
#include "catalog/PlaceholderUIEditor.h"
#include "catalog/UIManager.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

namespace {

// A program folder, the plug-in machinery, and a "modules" folder that the
// test may fill with copies of the test libraries before the manager exists.
class UIManagerTest : public ::testing::Test {
protected:
    void AddModule(const std::string& source, const std::string& name)
    {
        std::filesystem::create_directories(temp_.File("modules"));
        std::filesystem::copy_file(source, temp_.File("modules/" + name));
    }

    TUIManager& Manager()
    {
        if (!manager_)
            manager_ = std::make_unique<TUIManager>(temp_.Path(), libraries_, registry_, translation_);
        return *manager_;
    }

    std::string EditorError(const std::string& name)
    {
        try {
            Manager().CreateItemEditor(name, "");
        } catch (const ECriticalTolvexException& e) {
            return e.what();
        }
        return "(created)";
    }

    std::string ManagerError(const std::string& name)
    {
        try {
            Manager().GetItemManager(name, "");
        } catch (const ECriticalTolvexException& e) {
            return e.what();
        }
        return "(created)";
    }

    TTempFolder temp_;
    TLibrariesManager libraries_;
    TInternalPluginsManager registry_;
    const TTranslation* translation_ = nullptr;
    std::unique_ptr<TUIManager> manager_;
};

std::string StandsFor(const TAbstractPluginClass* plugin)
{
    if (auto* editor = dynamic_cast<const TPlaceholderUIEditor*>(plugin)) {
        if (const TAbstractFrameClass* frame = editor->GetFrameClass())
            return editor->StandsFor() + ":" + frame->ClassName();
        return editor->StandsFor();
    }
    if (auto* manager = dynamic_cast<const TPlaceholderItemManager*>(plugin))
        return manager->StandsFor();
    return plugin ? "(library)" : "(none)";
}

TPluginCreator CreatesEditor(const std::string& standsFor, int* calls = nullptr)
{
    return [standsFor, calls](const std::string& name, const std::string& params) {
        if (calls)
            ++*calls;
        return std::make_unique<TPlaceholderUIEditor>(name, params, standsFor);
    };
}

TPluginCreator CreatesManager(const std::string& standsFor)
{
    return [standsFor](const std::string& name, const std::string& params) {
        return std::make_unique<TPlaceholderItemManager>(name, params, standsFor);
    };
}

// How many objects of the test library at Path are alive; the library stays
// loaded through a handle of its own.
class TLiveObjects {
public:
    explicit TLiveObjects(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW)) {}
    ~TLiveObjects() { dlclose(handle_); }
    int operator()() const
    {
        auto count = reinterpret_cast<int (*)()>(dlsym(handle_, "TestPluginLiveObjects"));
        return count();
    }

private:
    void* handle_;
};

}  // namespace

TEST_F(UIManagerTest, CreatesBuiltinEditorsByTheirListedNames)
{
    registry_.RegisterFrameClass(std::make_unique<TPlaceholderFrameClass>("LinkedImage*",
                                                                          "TFrameImageDataEditor"));
    struct Case {
        const char* name;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {"CommonCompany", "TCompanyEditor", "a fixed name"},
        {"CommonHtmlEditorInline", "TCommonHtmlEditor", "the listed name \"CommonHtmlEditor*\""},
        {"ImagesManager", "TImagesManagerEditor", "a UI editor row"},
        {"LinkedImageBig", "TFrameBasedEditor:TFrameImageDataEditor",
         "only the frame's \"*\" name matches; the registry gets the full name"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TAbstractUIEditor> editor = Manager().CreateItemEditor(c.name, "a=b");
        EXPECT_EQ(StandsFor(editor.get()), c.expected) << c.why;
        EXPECT_EQ(editor->GetName(), c.name) << c.why;
        EXPECT_EQ(editor->GetParams(), "a=b") << c.why;
    }
}

TEST_F(UIManagerTest, EditorNamesThatNoEntryCreatesAreReported)
{
    registry_.RegisterPluginClass("ManagerAsEditor", pkItemEditor, CreatesManager("TOdd"));
    struct Case {
        const char* name;
        const char* why;
    };
    const Case cases[] = {
        {"Nothing", "no entry has the name"},
        {"commoncompany", "the list compares with case"},
        {"XCommonHtmlEditor", "the list matches \"CommonHtmlEditor*\" by prefix only"},
        {"CommonItemManager", "an item manager is no editor entry"},
        {"ManagerAsEditor", "the object is of the wrong kind"},
        {"", "the empty name"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditorError(c.name), std::string("Cannot load item editor module \"") + c.name + "\"")
            << c.why;
}

TEST_F(UIManagerTest, LibraryEntriesComeBeforeBuiltinOnes)
{
    AddModule(TEST_PLUGIN_MIXED_PATH, "mixed.tvp");
    int builtinCalls = 0;
    registry_.RegisterPluginClass("MixedEditor", pkItemEditor, CreatesEditor("TBuiltin", &builtinCalls));
    TLiveObjects live(temp_.File("modules/mixed.tvp"));
    {
        std::unique_ptr<TAbstractUIEditor> editor = Manager().CreateItemEditor("MixedEditor", "");
        EXPECT_EQ(StandsFor(editor.get()), "(library)");
        EXPECT_EQ(editor->GetName(), "MixedEditor");
        EXPECT_EQ(builtinCalls, 0);
        EXPECT_EQ(live(), 1);
        EXPECT_EQ(StandsFor(Manager().CreateItemEditor("CommonOptions", "").get()), "TOptionsEditor");
    }
    EXPECT_EQ(live(), 0);
}

TEST_F(UIManagerTest, ItemManagersAreSharedPerNameAndFreedWithTheManager)
{
    AddModule(TEST_PLUGIN_MIXED_PATH, "mixed.tvp");
    TLiveObjects live(temp_.File("modules/mixed.tvp"));

    EXPECT_EQ(Manager().GetItemManager("", "x=1"), nullptr);
    TAbstractItemManager* home = Manager().GetItemManager("HomeItemManager", "first");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(StandsFor(home), "THomeItemManager");
    EXPECT_EQ(Manager().GetItemManager("HomeItemManager", "second"), home);
    EXPECT_EQ(home->GetParams(), "first");
    TAbstractItemManager* params = Manager().GetItemManager("ParamsManagerOfShop", "");
    EXPECT_EQ(StandsFor(params), "TParamsItemManager");
    EXPECT_EQ(params->GetName(), "ParamsManagerOfShop");
    EXPECT_NE(params, home);

    TAbstractItemManager* library = Manager().GetItemManager("MixedManager", "");
    EXPECT_EQ(StandsFor(library), "(library)");
    EXPECT_EQ(Manager().GetItemManager("MixedManager", ""), library);
    EXPECT_EQ(live(), 1);
    manager_.reset();
    EXPECT_EQ(live(), 0);
}

TEST_F(UIManagerTest, ItemManagerNamesThatNoEntryCreatesAreReported)
{
    registry_.RegisterPluginClass("EditorAsManager", pkItemManager, CreatesEditor("TOdd"));
    for (const char* name : {"Nothing", "homeitemmanager", "CommonCompany", "EditorAsManager"})
        EXPECT_EQ(ManagerError(name), std::string("Cannot load item manager module \"") + name + "\"");
    // A failed request caches nothing.
    EXPECT_EQ(ManagerError("EditorAsManager"), "Cannot load item manager module \"EditorAsManager\"");
}

TEST_F(UIManagerTest, MessagesAreTranslated)
{
    temp_.Write("de.lng",
                "Cannot load item editor module \"$1\"=Editormodul \"$1\" nicht ladbar\n"
                "Cannot load item manager module \"$1\"=Verwaltermodul \"$1\" nicht ladbar\n");
    TTranslation translation(temp_.Path());
    translation.LoadLanguage("de");
    translation_ = &translation;
    EXPECT_EQ(EditorError("Nothing"), "Editormodul \"Nothing\" nicht ladbar");
    EXPECT_EQ(ManagerError("Nothing"), "Verwaltermodul \"Nothing\" nicht ladbar");
}
