// What the publishing dialogs decide without a window: the index file name
// sent for what was typed, the FTP answers of the last run and their
// parameter list, an FTP address typed as the host, the refusal without a
// host name, and the staging folder of its own for every FTP run.
#include "PublishSiteFixture.h"

#include "publishing/ExportFileName.h"
#include "common/CommonFunctions.h"
#include "publishing/FtpAddress.h"
#include "publishing/FtpPublishParameters.h"
#include "publishing/PublishParameters.h"
#include "publishing/WorkFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(PublishEntryChoices, IndexFileNameIsTheDefaultOnlyWhenNothingButBlanksWasTyped)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "index.html"}, {"   ", "index.html"}, {"start.html", "start.html"}, {" start.html ", " start.html "}};
    for (const auto& [typed, sent] : cases)
        EXPECT_EQ(TPublishParameters::IndexFileNameToSend(typed), sent) << "'" << typed << "'";
}

TEST(PublishEntryChoices, FtpAnswersComeBackFromTheLastRun)
{
    TPublishSite site;
    TFtpPublishParameters answers = TFtpPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr);
    EXPECT_EQ(answers.Languages.front(), "[All possible]===");
    EXPECT_EQ(answers.Methods, (std::vector<std::string>{"Update all files===all", "Update changed files===changed"}));
    EXPECT_EQ(answers.IndexFileName, "index.html");
    EXPECT_EQ(answers.UpdateMethod, "changed");
    EXPECT_EQ(answers.Problem(), "Enter FTP host name");

    answers.LangCode = "DE";
    answers.IndexFileName = "   ";
    answers.UpdateMethod = "all";
    answers.HostName = "ftp.example.com";
    answers.DefaultDirectory = "www";
    answers.WebSiteUrl = "http://www.example.com";
    answers.ServerSideScripts = true;
    answers.PageId = 100002;
    EXPECT_EQ(answers.Problem(), "");
    EXPECT_EQ(answers.RunParameters("/stage"),
              (std::vector<std::string>{"Path=/stage", "LangCode=DE", "UpdateMethod=all",
                                        "HostName=ftp.example.com", "DefaultDirectory=www",
                                        "IndexFileName=index.html", "MakeServerSideScripts=yes",
                                        "PublishPage=100002"}));
    answers.Remember(site.Data(), site.Connection());

    const TFtpPublishParameters again = TFtpPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr);
    EXPECT_EQ(again.LangCode, "DE");
    EXPECT_EQ(again.IndexFileName, "index.html");
    EXPECT_EQ(again.UpdateMethod, "all");
    EXPECT_EQ(again.HostName, "ftp.example.com");
    EXPECT_EQ(again.DefaultDirectory, "www");
    EXPECT_EQ(again.WebSiteUrl, "http://www.example.com");
    // Neither the page nor the scripts box is remembered.
    EXPECT_EQ(again.PageId, 0);
    EXPECT_FALSE(again.ServerSideScripts);
}

// Two runs never share a staging folder: each gets an empty one of its own,
// which goes with the run; what a killed run or an older version left is
// removed, a folder still in use is not.
TEST(PublishEntryChoices, EveryFtpRunStagesInAnEmptyFolderOfItsOwn)
{
    TTempFolder program;
    program.Write("FtpPublish/index.html", "left by an older version");
    program.Write("FtpPublish/EN/1.html", "left by an older version");
    const std::string killed = program.Write("FtpPublish/run-AbC123/index.html", "left by a killed run");
    fs::last_write_time(fs::path(killed).parent_path(), fs::file_time_type::clock::now() - std::chrono::minutes(5));

    auto first = TFtpPublishParameters::PrepareStagingFolder(program.Path());
    auto second = TFtpPublishParameters::PrepareStagingFolder(program.Path());
    EXPECT_NE(first->Path(), second->Path());
    for (const auto* run : {first.get(), second.get()}) {
        EXPECT_EQ(fs::path(run->Path()).parent_path(), fs::path(program.File("FtpPublish")));
        EXPECT_TRUE(fs::is_directory(run->Path()) && fs::is_empty(run->Path()));
    }
    std::ofstream(first->Path() + "/index.html") << "the first run's";
    fs::last_write_time(first->Path(), fs::file_time_type::clock::now() - std::chrono::minutes(5));
    auto third = TFtpPublishParameters::PrepareStagingFolder(program.Path());
    EXPECT_EQ(TTempFolder::Read(first->Path() + "/index.html"), "the first run's");
    EXPECT_FALSE(fs::exists(program.File("FtpPublish/index.html")));
    EXPECT_FALSE(fs::exists(program.File("FtpPublish/EN")));
    EXPECT_FALSE(fs::exists(fs::path(killed).parent_path()));

    const std::string path = first->Path();
    first.reset();
    EXPECT_FALSE(fs::exists(path));
}

struct TAddressCase {
    const char* typed;
    const char* host;  // as sent: the port added when it is not 21
    const char* login;
    const char* folder;
    const char* problem;
};

TEST(PublishEntryChoices, AnFtpAddressTypedAsTheHostIsSplitIntoItsParts)
{
    const TAddressCase cases[] = {
        {"ftp.example.com", "ftp.example.com", "", "", ""},
        {" ftp://ftp.example.com ", "ftp.example.com", "", "", ""},
        {"FTP://ftp.example.com:2121/www/shop/", "ftp.example.com:2121", "", "www/shop", ""},
        {"ftp://web@127.0.0.1:21/my%20site", "127.0.0.1", "web", "my site", ""},
        {"127.0.0.1:2121", "127.0.0.1:2121", "", "", ""},
        {"[::1]:2121", "[::1]:2121", "", "", ""},
        {"ftp://[::1]", "[::1]", "", "", ""},
        {"http://www.example.com", "", "", "", "Only addresses of FTP servers (ftp://) can be used"},
        {"ftp://:2121", "", "", "", "Enter FTP host name"},
        {"host:99999", "", "", "", "The port must be a number from 1 to 65535"},
        {"host:ftp", "", "", "", "The port must be a number from 1 to 65535"},
        {"ftp://host\r\nDELE x", "", "", "", "The server address has characters that cannot be in it"},
    };
    for (const TAddressCase& c : cases) {
        const TFtpAddress address = TFtpAddress::Parse(c.typed);
        EXPECT_EQ(address.Problem, c.problem) << c.typed;
        if (*c.problem != '\0')
            continue;
        EXPECT_EQ(address.HostAndPort(), c.host) << c.typed;
        EXPECT_EQ(address.LoginName, c.login) << c.typed;
        EXPECT_EQ(address.Folder, c.folder) << c.typed;
    }
}

TEST(PublishEntryChoices, TheFtpLoginAndPortAreRememberedAndThePasswordOnlyWhenAsked)
{
    TPublishSite site;
    TFtpPublishParameters answers = TFtpPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr);
    EXPECT_EQ(answers.Port, 21);
    answers.HostName = "ftp://webmaster@ftp.example.com:2121/www";
    answers.Password = "s3cret";
    answers.SavePassword = true;
    EXPECT_EQ(answers.Problem(), "");
    const TFtpPublishParameters split = answers.Normalised();
    EXPECT_EQ(split.HostName, "ftp.example.com");
    EXPECT_EQ(split.Port, 2121);
    EXPECT_EQ(split.LoginName, "webmaster");
    EXPECT_EQ(split.DefaultDirectory, "www");
    EXPECT_EQ(answers.RunParameters("/stage")[3], "HostName=ftp.example.com:2121");
    EXPECT_EQ(answers.RunParameters("/stage")[4], "DefaultDirectory=www");
    answers.Remember(site.Data(), site.Connection());
    EXPECT_EQ(site.Data().GetCatalogProperty(714, site.Connection()), "ftp.example.com:2121");
    EXPECT_NE(site.Data().GetCatalogProperty(719, site.Connection()), "s3cret");

    TFtpPublishParameters again = TFtpPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr);
    EXPECT_EQ(again.HostName, "ftp.example.com");
    EXPECT_EQ(again.Port, 2121);
    EXPECT_EQ(again.LoginName, "webmaster");
    EXPECT_EQ(again.Password, "s3cret");
    EXPECT_TRUE(again.SavePassword);

    again.SavePassword = false;
    again.Remember(site.Data(), site.Connection());
    EXPECT_EQ(site.Data().GetCatalogProperty(719, site.Connection()), "");
    EXPECT_EQ(TFtpPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr).Password, "");
}

TEST(PublishEntryChoices, ExportFileGetsItsExtensionOnlyWithoutADot)
{
    const std::pair<std::string, std::string> cases[] = {{"/tmp/feed", "/tmp/feed.txt"},
                                                         {"/tmp/feed.csv", "/tmp/feed.csv"},
                                                         {"/tmp/my.folder/feed", "/tmp/my.folder/feed.txt"},
                                                         {"feed.", "feed."}};
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(ExportFileName(chosen, ".txt"), written) << chosen;
}

}  // namespace
