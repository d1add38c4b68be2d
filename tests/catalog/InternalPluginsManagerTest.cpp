#include "catalog/BuiltinPluginTable.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/PluginInfo.h"
#include "catalog/LibrariesManager.h"
#include "catalog/PlaceholderFrameClass.h"
#include "catalog/PlaceholderItemManager.h"
#include "catalog/PlaceholderUIEditor.h"
#include "catalog/PluginLoader.h"
#include "catalog/PluginsManager.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A plug-in object made by a registered class: the class's tag, the kind
// it was registered as, and the request.
class TRegisteredPlugin : public TAbstractPluginClass {
public:
    TRegisteredPlugin(std::string tag, std::uint8_t kind, std::string name, std::string params)
        : tag_(std::move(tag)), kind_(kind), name_(std::move(name)), params_(std::move(params))
    {
    }
    std::uint8_t GetKind() const override { return kind_; }
    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }
    const std::string& Tag() const { return tag_; }

private:
    std::string tag_;
    std::uint8_t kind_;
    std::string name_;
    std::string params_;
};

TPluginCreator Creates(const std::string& tag, std::uint8_t kind)
{
    return [tag, kind](const std::string& name, const std::string& params) {
        return std::make_unique<TRegisteredPlugin>(tag, kind, name, params);
    };
}

// What an object stands for: the tag of a registered class, the class of a
// placeholder, or "TFrameBasedEditor:" and the frame class of a frame editor.
std::string StandsFor(const TAbstractPluginClass& plugin)
{
    if (auto* registered = dynamic_cast<const TRegisteredPlugin*>(&plugin))
        return registered->Tag();
    if (auto* manager = dynamic_cast<const TPlaceholderItemManager*>(&plugin))
        return manager->StandsFor();
    auto* editor = dynamic_cast<const TPlaceholderUIEditor*>(&plugin);
    if (!editor)
        return "?";
    if (const TAbstractFrameClass* frame = editor->GetFrameClass())
        return editor->StandsFor() + ":" + frame->ClassName();
    return editor->StandsFor();
}

std::unique_ptr<TAbstractFrameClass> Frame(const std::string& pluginName,
                                           const std::string& className)
{
    return std::make_unique<TPlaceholderFrameClass>(pluginName, className);
}

std::string MissingMessage(const std::string& name)
{
    return "Cannot find \"" + name + "\" internal plugin";
}

std::string CreateError(const TInternalPluginsManager& registry, const std::string& name)
{
    try {
        registry.CreatePlugin(name, "");
    } catch (const ECriticalTolvexException& e) {
        return e.what();
    }
    return "(created)";
}

}  // namespace

TEST(BuiltinPluginTable, HasTheRowsOfEachKindAndTheSevenPatternRows)
{
    auto rows = TBuiltinPluginTable::Rows();
    ASSERT_EQ(rows.size(), 128u);
    auto count = [&](std::uint8_t kind) {
        return std::count_if(rows.begin(), rows.end(),
                             [kind](const TBuiltinPluginRow& r) { return r.kind == kind; });
    };
    EXPECT_EQ(count(pkItemEditor), 105);
    EXPECT_EQ(count(pkItemManager), 23);

    std::vector<std::string> patterns;
    for (const TBuiltinPluginRow& row : rows)
        if (row.rule != TNameRule::Exact)
            patterns.push_back(row.ListedName());
    EXPECT_EQ(patterns, (std::vector<std::string>{"CommonHtmlEditor*", "CommonImageEditor*",
                                                  "CommonXmlSourcesEditor*", "IncludedToCatalogs*",
                                                  "CommonTreeList*", "WebForm*", "ListDataEditor*",
                                                  "ParamsManager*"}));
    EXPECT_EQ(rows.front().name, "CommonOptions");
    EXPECT_EQ(rows.back().name, "VendorInfoContainer");
}

TEST(InternalPluginsManager, EveryTableRowCreatesItsOwnClassWithTheRequest)
{
    TInternalPluginsManager registry;
    for (const TBuiltinPluginRow& row : TBuiltinPluginTable::Rows()) {
        const std::string name(row.name);
        auto plugin = registry.CreatePlugin(name, "a=1");
        ASSERT_TRUE(plugin) << name;
        EXPECT_EQ(StandsFor(*plugin), row.className) << name;
        EXPECT_EQ(plugin->GetKind(), row.kind) << name;
        EXPECT_EQ(plugin->GetName(), name);
        EXPECT_EQ(plugin->GetParams(), "a=1");
    }
}

TEST(InternalPluginsManager, TableMatchRulesAndOrder)
{
    struct Case {
        const char* name;
        const char* expected;  // class, or "" when nothing matches
        const char* why;
    };
    const Case cases[] = {
        {"commonoptions", "", "the table compares with case"},
        {"CommonOptions ", "", "an exact row takes no extra letters"},
        {"xCommonHtmlEditorY", "TCommonHtmlEditor", "contains: letters before and after"},
        {"HtmlEditor", "THTMLEditor", "the exact row comes first"},
        {"commonhtmleditor", "", "contains still counts case"},
        {"BigCommonImageEditor", "TCommonImageEditor", "contains"},
        {"CommonXmlSourcesEditorXsl", "TSourcesEditor", "begins with"},
        {"xCommonXmlSourcesEditor", "", "begins with: no letter before"},
        {"CommonJSPSourcesEditor", "TSourcesEditor", "the other source modes are exact"},
        {"CommonJSPSourcesEditorX", "", "...and take no extra letters"},
        {"WebFormCommonTreeList", "TTreeListOfItems", "CommonTreeList comes before WebForm"},
        {"ContactWebForm", "TWebForm", "contains"},
        {"SimpleListDataEditor", "TListDataEditor", "contains"},
        {"IncludedToCatalogsOfVendor", "TIncludedToCatalogsEditor", "contains"},
        {"ProductParamsManagerX", "TParamsItemManager", "contains, an item manager"},
        {"CommonItemManager", "TTolvexItemManager", "the base item manager itself"},
        {"ImagesManager", "TImagesManagerEditor", "a UI editor despite its name"},
        {"CommonEBayOther", "TCodesEditor", "one class for eight names"},
        {"CommonReportsNewEditor", "TReportTemplateEditor", "one class for two names"},
        {"LinkedImage", "", "frames are not in the table"},
        {"", "", "the empty name"},
    };
    TInternalPluginsManager registry;
    for (const Case& c : cases) {
        if (*c.expected == '\0') {
            EXPECT_EQ(CreateError(registry, c.name), MissingMessage(c.name)) << c.why;
            continue;
        }
        auto plugin = registry.CreatePlugin(c.name, "");
        EXPECT_EQ(StandsFor(*plugin), c.expected) << c.name << ": " << c.why;
        EXPECT_EQ(plugin->GetName(), c.name) << c.why;
    }
}

TEST(InternalPluginsManager, RegisteredClassesComeFirstWithoutRegardToCase)
{
    TInternalPluginsManager registry;
    registry.RegisterPluginClass("SQLite", pkDatabase, Creates("database", pkDatabase));
    registry.RegisterPluginClass("CommonOptions", pkItemManager, Creates("manager", pkItemManager));
    registry.RegisterPluginClass("commonoptions", pkItemEditor, Creates("editor", pkItemEditor));
    registry.RegisterPluginClass("Twice", pkItemEditor, Creates("first", pkItemEditor));
    registry.RegisterPluginClass("TWICE", pkItemEditor, Creates("second", pkItemEditor));
    registry.RegisterFrameClass(Frame("Framed", "TFrameX"));
    registry.RegisterPluginClass("framed", pkItemManager, Creates("framed manager", pkItemManager));

    struct Case {
        const char* name;
        const char* expected;
        const char* why;
    };
    const Case cases[] = {
        {"sqlite", "database", "a database module, any case"},
        {"COMMONOPTIONS", "editor", "item editors before item managers, and before the table"},
        {"twice", "first", "duplicates are kept; the first one wins"},
        {"Framed", "framed manager", "registered classes before frames"},
    };
    for (const Case& c : cases) {
        auto plugin = registry.CreatePlugin(c.name, "p");
        EXPECT_EQ(StandsFor(*plugin), c.expected) << c.why;
        EXPECT_EQ(plugin->GetName(), c.name) << c.why;
        EXPECT_EQ(plugin->GetParams(), "p") << c.why;
    }
    EXPECT_EQ(registry.GetPluginNames(pkItemEditor).back(), "Framed");
}

TEST(InternalPluginsManager, RegistrationsWithoutNameOrOfAnotherKindChangeNothing)
{
    TInternalPluginsManager registry;
    registry.RegisterPluginClass("", pkItemEditor, Creates("x", pkItemEditor));
    for (std::uint8_t kind : {std::uint8_t{pkNone}, std::uint8_t{pkMixed}, std::uint8_t{5}})
        registry.RegisterPluginClass("Odd", kind, Creates("x", kind));
    registry.RegisterPluginClass("NoClass", pkItemEditor, nullptr);
    registry.RegisterFrameClass(Frame("", "TFrameNameless"));
    registry.RegisterFrameClass(nullptr);

    for (std::uint8_t kind : {pkDatabase, pkItemEditor, pkItemManager})
        EXPECT_EQ(registry.GetPluginNames(kind), TInternalPluginsManager().GetPluginNames(kind));
    EXPECT_EQ(CreateError(registry, "Odd"), MissingMessage("Odd"));
    EXPECT_EQ(CreateError(registry, "NoClass"), MissingMessage("NoClass"));
}

TEST(InternalPluginsManager, FramesBecomeOneTabEditorsByExactOrPrefixName)
{
    TInternalPluginsManager registry;
    registry.RegisterFrameClass(Frame("LinkedImage*", "TFrameImageDataEditor"));
    registry.RegisterFrameClass(Frame("EditCodes", "TFrameEditCodes"));
    registry.RegisterFrameClass(Frame("Linked*", "TFrameLater"));
    registry.RegisterFrameClass(Frame("CommonOptions", "TFrameOptions"));

    struct Case {
        const char* name;
        const char* expected;  // frame class, or "" when nothing matches
        const char* why;
    };
    const Case cases[] = {
        {"LinkedImageOfProduct", "TFrameImageDataEditor", "prefix; the editor keeps the full name"},
        {"LinkedImage", "TFrameImageDataEditor", "the prefix alone"},
        {"LinkedSound", "TFrameLater", "another prefix"},
        {"linkedimagex", "", "a prefix counts case"},
        {"EditCodes", "TFrameEditCodes", "exact"},
        {"editcodes", "", "exact counts case"},
        {"EditCodesX", "", "no extra letters"},
        {"CommonOptions", "TFrameOptions", "frames before the table"},
    };
    for (const Case& c : cases) {
        if (*c.expected == '\0') {
            EXPECT_EQ(CreateError(registry, c.name), MissingMessage(c.name)) << c.why;
            continue;
        }
        auto plugin = registry.CreatePlugin(c.name, "k=v");
        EXPECT_EQ(StandsFor(*plugin), std::string("TFrameBasedEditor:") + c.expected) << c.why;
        EXPECT_EQ(plugin->GetKind(), pkItemEditor);
        EXPECT_EQ(plugin->GetName(), c.name) << c.why;
        EXPECT_EQ(plugin->GetParams(), "k=v");
    }
}

TEST(InternalPluginsManager, FrameEditorCreatorReceivesTheRegisteredFrameClass)
{
    TInternalPluginsManager registry;
    auto frame = std::make_unique<TPlaceholderFrameClass>("EditCodes", "TFrameEditCodes",
                                                          "Edit Codes", "EditCodes-basic", true);
    const TAbstractFrameClass* registered = frame.get();
    registry.RegisterFrameClass(std::move(frame));
    const TAbstractFrameClass* given = nullptr;
    registry.SetFrameEditorCreator([&given](const std::string& name, const std::string& params,
                                            const TAbstractFrameClass& frameClass) {
        given = &frameClass;
        return std::make_unique<TPlaceholderUIEditor>(name, params, "TMyFrameEditor");
    });

    auto editor = registry.CreatePlugin("EditCodes", "");
    EXPECT_EQ(StandsFor(*editor), "TMyFrameEditor");
    EXPECT_EQ(given, registered);
    EXPECT_EQ(given->TabName(), "EditCodes-basic");
}

TEST(InternalPluginsManager, RegisteredTableClassReplacesThePlaceholderOfEachOfItsRows)
{
    TInternalPluginsManager registry;
    registry.RegisterBuiltinClass("TCodesEditor", Creates("codes", pkItemEditor));
    registry.RegisterBuiltinClass("TParamsItemManager", Creates("params", pkItemManager));

    EXPECT_EQ(StandsFor(*registry.CreatePlugin("CommonUNSPSCCompany", "")), "codes");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("CommonHarmonizedOther", "")), "codes");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("XParamsManager", "")), "params");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("CommonCodes", "")), "TCodesContainerEditor");
    EXPECT_THROW(registry.RegisterBuiltinClass("TNoSuchEditor", Creates("x", pkItemEditor)),
                 EDeveloperTolvexException);
}

TEST(InternalPluginsManager, PluginNamesOfEachKind)
{
    TInternalPluginsManager registry;
    registry.RegisterPluginClass("StyleActionEditor", pkItemEditor, Creates("e", pkItemEditor));
    registry.RegisterFrameClass(Frame("LinkedImage*", "TFrameImageDataEditor"));
    registry.RegisterPluginClass("ExtraManager", pkItemManager, Creates("m", pkItemManager));
    registry.RegisterPluginClass("SQLite", pkDatabase, Creates("d", pkDatabase));
    registry.RegisterPluginClass("sqlite", pkDatabase, Creates("d", pkDatabase));

    std::vector<std::string> editors = registry.GetPluginNames(pkItemEditor);
    ASSERT_EQ(editors.size(), 107u);
    EXPECT_EQ(editors[0], "CommonOptions");
    EXPECT_EQ(editors[12], "CommonHtmlEditor*");
    EXPECT_EQ(editors[104], "VendorInfoContainer");
    EXPECT_EQ(editors[105], "StyleActionEditor");
    EXPECT_EQ(editors[106], "LinkedImage*");
    EXPECT_NE(std::find(editors.begin(), editors.end(), "ImagesManager"), editors.end());
    EXPECT_EQ(std::find(editors.begin(), editors.end(), "CommonItemManager"), editors.end());

    std::vector<std::string> managers = registry.GetPluginNames(pkItemManager);
    ASSERT_EQ(managers.size(), 24u);
    EXPECT_EQ(managers[0], "CommonItemManager");
    EXPECT_EQ(managers[10], "ParamsManager*");
    EXPECT_EQ(managers[22], "VendorItemManager");
    EXPECT_EQ(managers[23], "ExtraManager");

    EXPECT_EQ(registry.GetPluginNames(pkDatabase), (std::vector<std::string>{"SQLite", "sqlite"}));
    for (std::uint8_t kind : {std::uint8_t{pkNone}, std::uint8_t{pkMixed}, std::uint8_t{5}})
        EXPECT_TRUE(registry.GetPluginNames(kind).empty());
}

namespace {
TPluginInfo SQLiteDescriptor()
{
    TPluginInfo info;
    info.SetName("SQLite");
    info.SetDescription("SQLite databases");
    info.SetKind(pkDatabase);
    info.AddParam("FileExt", "sqlite");
    info.AddParam("DeleteDatabase", "yes");
    info.AddParam("CompressDatabase", "yes");
    return info;
}
} // namespace

TEST(InternalPluginsManager, DescriptorsOfRegisteredDatabaseModulesOnly)
{
    TInternalPluginsManager registry;
    registry.RegisterDatabaseModule(SQLiteDescriptor(), Creates("sqlite module", pkDatabase));
    auto first = registry.GetPluginLoader("SQLite");
    auto second = registry.GetPluginLoader("SQLite");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first->GetFileName(), "");
    EXPECT_EQ(first->GetName(), "SQLite");
    EXPECT_EQ(first->GetDescription(), "SQLite databases");
    EXPECT_EQ(first->GetKind(), pkDatabase);
    EXPECT_EQ(first->GetParams().size(), 3u);
    EXPECT_EQ(first->GetParam("FileExt"), "sqlite");
    EXPECT_EQ(first->GetParam("DeleteDatabase"), "yes");
    EXPECT_EQ(first->GetParam("CompressDatabase"), "yes");
    EXPECT_EQ(registry.GetPluginLoader("sqlite"), nullptr);
    EXPECT_EQ(registry.GetPluginLoader("CommonOptions"), nullptr);
}

TEST(InternalPluginsManager, BuiltinEntriesOfAPluginListCreateThroughTheRegistry)
{
    TTempFolder folder;
    TLibrariesManager libraries;
    TPluginsManager databases(folder.File("databases"), pkDatabase, libraries);
    {
        TInternalPluginsManager registry;
        registry.RegisterDatabaseModule(SQLiteDescriptor(), Creates("sqlite module", pkDatabase));
        registry.AddBuiltinPlugins(databases);

        TPluginLoader* entry = databases.FindPluginByProperty("FileExt", "SQLITE");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetName(), "SQLite");
        EXPECT_EQ(entry->GetParam("CompressDatabase"), "yes");
        auto plugin = databases.CreatePluginInstance("SQLite", "x=1");
        ASSERT_TRUE(plugin);
        EXPECT_EQ(StandsFor(*plugin), "sqlite module");
        EXPECT_EQ(plugin->GetParams(), "x=1");
    }
    // Without a registry the built-in entries create nothing.
    EXPECT_EQ(databases.CreatePluginInstance("SQLite", ""), nullptr);
}

TEST(InternalPluginsManager, StartupPlaceholdersFillOnlyNamesNotRegistered)
{
    TInternalPluginsManager registry;
    registry.RegisterFrameClass(Frame("EditCodes", "TRealEditCodes"));
    registry.RegisterStartupPlaceholders();

    std::vector<std::string> editors = registry.GetPluginNames(pkItemEditor);
    EXPECT_EQ(std::count(editors.begin(), editors.end(), "EditCodes"), 1);
    EXPECT_EQ(editors.size(), 105u + 19u);
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("EditCodes", "")), "TFrameBasedEditor:TRealEditCodes");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("LinkedImageThumb", "")),
              "TFrameBasedEditor:TFrameImageDataEditor");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("SearchResult", "")),
              "TFrameBasedEditor:TFrameSearchResult");
    EXPECT_EQ(StandsFor(*registry.CreatePlugin("wizardproductaddeditor", "")),
              "TProductWizardAddEditor");
}

TEST(InternalPluginsManager, MissingNameMessageIsTranslated)
{
    TTempFolder folder;
    folder.Write("de.lng", "Cannot find \"$1\" internal plugin=Modul \"$1\" fehlt\n");
    TTranslation translation(folder.Path());
    translation.LoadLanguage("de");
    TInternalPluginsManager registry;
    registry.SetTranslation(&translation);
    EXPECT_EQ(CreateError(registry, "Nothing"), "Modul \"Nothing\" fehlt");
}

TEST(InternalPluginsManager, ProcessRegistryIsCreatedByTheFirstRegistration)
{
    RegisterPluginClass("EarlyEditor", pkItemEditor, Creates("early", pkItemEditor));
    TInternalPluginsManager& registry = InternalPluginsManager();
    RegisterFrameClass(Frame("LateFrame", "TFrameLate"));
    EXPECT_EQ(&InternalPluginsManager(), &registry);
    std::vector<std::string> editors = registry.GetPluginNames(pkItemEditor);
    EXPECT_EQ(std::vector<std::string>(editors.end() - 2, editors.end()),
              (std::vector<std::string>{"EarlyEditor", "LateFrame"}));
    FreeInternalPluginsManager();
}
