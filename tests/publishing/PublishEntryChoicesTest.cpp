// What the publishing dialogs decide without a window: the index file name
// sent for what was typed, the FTP answers of the last run and their
// parameter list, the refusal without a host name, and the staging folder
// emptied for every FTP run.
#include "PublishSiteFixture.h"

#include "publishing/ExportFileName.h"
#include "publishing/FtpPublishParameters.h"
#include "publishing/PublishParameters.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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

TEST(PublishEntryChoices, StagingFolderIsEmptiedForEveryRun)
{
    TTempFolder program;
    const std::string staging = TFtpPublishParameters::PrepareStagingFolder(program.Path());
    EXPECT_EQ(staging, program.Path() + "/FtpPublish");
    ASSERT_TRUE(fs::is_directory(staging));
    fs::create_directories(staging + "/EN");
    std::ofstream(staging + "/EN/1.html") << "old";
    std::ofstream(staging + "/index.html") << "old";
    EXPECT_EQ(TFtpPublishParameters::PrepareStagingFolder(program.Path()), staging);
    EXPECT_TRUE(fs::is_empty(staging));
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
