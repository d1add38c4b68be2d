#include "common/Exceptions.h"
#include "publishing/SiteWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

// Many files handed over, some sharing one text, are all there whole when Finish returns.
TEST(SiteWriter, WritesEveryFileHandedOverBeforeFinishReturns)
{
    TTempFolder folder;
    TSiteFolder site(folder.Path());
    site.EnsureFolder("en");
    {
        TSiteWriter writer(site, 3);
        for (int i = 0; i < 600; ++i) {
            auto text = std::make_shared<const std::string>("page " + std::to_string(i) + std::string(i, 'x'));
            writer.Write("en/" + std::to_string(i) + ".html", text);
            writer.Write("en/copy-" + std::to_string(i) + ".html", text);
        }
        writer.Finish();
        for (int i = 0; i < 600; i += 37) {
            const std::string expected = "page " + std::to_string(i) + std::string(i, 'x');
            EXPECT_EQ(TTempFolder::Read(folder.File("en/" + std::to_string(i) + ".html")), expected);
            EXPECT_EQ(TTempFolder::Read(folder.File("en/copy-" + std::to_string(i) + ".html")), expected);
        }
    }
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder.File("en")))
        files += entry.path().extension() == ".html";
    EXPECT_EQ(files, 1200u) << "no temporary file is left behind";
}

// A file that cannot be written (its folder is missing) is raised on the
// handing thread, by a later Write or at the latest by Finish.
TEST(SiteWriter, RaisesAFileThatCannotBeWritten)
{
    TTempFolder folder;
    TSiteFolder site(folder.Path());
    TSiteWriter writer(site, 2);
    const auto text = std::make_shared<const std::string>("text");
    bool raised = false;
    try {
        writer.Write("missing/1.html", text);
        for (int i = 0; i < 2000; ++i)
            writer.Write("file-" + std::to_string(i) + ".html", text);
        writer.Finish();
    } catch (const EPublisherTolvexException& error) {
        raised = true;
        EXPECT_NE(std::string(error.what()).find("missing/1.html"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(raised);
    EXPECT_THROW(writer.Finish(), EPublisherTolvexException) << "Finish raises it again";
}

// The folder's sync, begun early or not at all before the end, succeeds on
// a folder that is there and raises on one that is not; a sync begun and
// never ended is waited for when the folder object goes.
TEST(SiteFolder, ASyncBegunEarlyEndsWithTheLastOne)
{
    TTempFolder folder;
    for (const bool early : {false, true}) {
        SCOPED_TRACE(early ? "begun early" : "at the end only");
        TSiteFolder site(folder.Path());
        site.WriteFile("a.html", "a");
        if (early)
            site.StartSync();
        site.WriteFile("publish.info", "log");
        EXPECT_NO_THROW(site.Sync());
        TSiteFolder missing(folder.Path() + "/missing");
        if (early)
            missing.StartSync();
        EXPECT_THROW(missing.Sync(), EPublisherTolvexException);
    }
    TSiteFolder left(folder.Path());
    left.StartSync();
}
