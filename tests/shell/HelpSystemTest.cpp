// The help system: the shipped pages and aliases, language fallback,
// missing files, the help window.
#include "ShellFixture.h"

#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "shell/HelpSystem.h"
#include "shell/HelpWindow.h"
#include "support/TestPaths.h"

#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ShippedHelp()
{
    return (fs::path(TShippedData::BuildTreeDataDir()) / "help").string();
}

TEST(HelpFiles, EveryAliasLeadsToAShippedPage)
{
    const std::vector<std::string> aliases = HelpFiles::LoadAliases(ShippedHelp());
    ASSERT_FALSE(aliases.empty());
    for (const std::string& line : aliases) {
        const std::string topic = line.substr(line.find('=') + 1);
        const std::string page = topic.substr(0, topic.find('#'));
        EXPECT_TRUE(fs::exists(fs::path(ShippedHelp()) / "en" / page)) << line;
    }
    for (const char* alias : {"MainHelp", "WebTree", "TemplateTree", "frmLogin", "frmLogin.Welcome",
                              "frmLogin.OpenCatalog", "frmLogin.NewCatalog", "frmLogin.NewCatalogFromHost",
                              "frmLogin.HostAuth", "frmSelectStyle", "frmSettings", "SettingsDatabasePath",
                              "ChangeCatalogCode", "frmPublishTolvex", "frmPublishTolvex.Advanced"})
        EXPECT_FALSE(HelpFiles::TopicOf(aliases, alias).empty()) << alias;
}

TEST(HelpFiles, FoldersAreFoundWhateverTheCaseOfTheirNames)
{
    TTempFolder home;
    fs::create_directories(home.File("HELP/EN"));
    std::ofstream(home.File("HELP/Aliases.TXT")) << "One=one.html\r\nTwo=two.html#part\n";
    const std::string help = HelpFiles::HelpFolder(home.Path());
    EXPECT_EQ(help, home.File("HELP"));
    EXPECT_EQ(HelpFiles::LanguageFolder(help, "de"), home.File("HELP/EN"));  // no German pages: English
    EXPECT_EQ(HelpFiles::LanguageFolder(help, "en"), home.File("HELP/EN"));
    const std::vector<std::string> aliases = HelpFiles::LoadAliases(help);
    EXPECT_EQ(HelpFiles::TopicOf(aliases, "one"), "one.html");
    EXPECT_EQ(HelpFiles::TopicOf(aliases, "TWO"), "two.html#part");
    EXPECT_EQ(HelpFiles::TopicOf(aliases, "three"), "");
    EXPECT_TRUE(HelpFiles::LoadAliases(home.File("nothing")).empty());
    EXPECT_EQ(HelpFiles::HelpFolder(home.File("nothing")), "");
}

TEST(HelpFiles, InstallCopiesTheShippedPagesOnce)
{
    TTempFolder home;
    EXPECT_TRUE(HelpFiles::InstallHelp(ShippedHelp(), home.Path()));
    EXPECT_TRUE(fs::exists(home.File("Help/aliases.txt")));
    std::ofstream(home.File("Help/aliases.txt")) << "Mine=index.html\n";
    EXPECT_TRUE(HelpFiles::InstallHelp(ShippedHelp(), home.Path()));  // kept as it is
    EXPECT_EQ(HelpFiles::LoadAliases(home.File("Help")), (std::vector<std::string>{"Mine=index.html"}));
    TTempFolder other;
    EXPECT_FALSE(HelpFiles::InstallHelp(other.File("missing"), other.Path()));
}

TEST(HelpSystem, ShowsTheFirstAliasWithATopicInTheHelpWindow)
{
    TShellFixture f;
    THelpSystem* help = f.Shell().Help();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->TopicForAliases({"nothing.here", "frmLogin.Welcome", "frmLogin"}), "login.html#welcome");
    EXPECT_EQ(help->TopicForAliases({"unknown"}), "");
    help->ShowHelpForAliases({"unknown", "WebTree"});
    ASSERT_NE(help->Window(), nullptr);
    EXPECT_TRUE(help->Window()->isVisible());
    EXPECT_TRUE(help->Window()->Browser()->source().toLocalFile().endsWith("webtree.html"));
    EXPECT_EQ(help->Window()->Browser()->documentTitle(), "The web tree");
    help->ShowHelpForAliases({"unknown"});  // the contents page
    EXPECT_TRUE(help->Window()->Browser()->source().toLocalFile().endsWith("index.html"));
    f.Window().Actions().HelpContents->trigger();
    EXPECT_EQ(help->Window()->Browser()->documentTitle(), "Tolvex Help");
    EXPECT_EQ(help->BeepCount(), 0);
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        help->Window()->grab().save(QString("%1/help.png").arg(dir));
}

TEST(HelpSystem, DeveloperModeShowsEachAliasTried)
{
    TShellFixture f;
    f.Root().Settings().IniSettings().SetInteger(siKeyDeveloper, 1);
    THelpSystem* help = f.Shell().Help();
    help->Initialize();
    help->TopicForAliases({"first.alias", "MainHelp", "never.reached"});
    EXPECT_EQ(f.Boxes().Messages("information"), (std::vector<std::string>{"first.alias", "MainHelp"}));
}

TEST(HelpSystem, WithoutHelpPagesEveryRequestBeeps)
{
    TShellFixture f(false);
    THelpSystem* help = f.Shell().Help();
    help->ShowHelpForAliases({"MainHelp"});
    help->ShowHelpForAlias("WebTree");
    EXPECT_EQ(help->BeepCount(), 2);
    EXPECT_EQ(help->Window(), nullptr);
}

}  // namespace
