// Picture and binary-object imports: each file through its insertion dialog
// with the folder and the catalog's copy sizes, an undecodable picture
// skipped with a log line and no dialog, and the question whether to go on
// after a refused dialog only while files remain.
#include "common/PictureCodec.h"
#include "publishing/ImportMedia.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ImportMediaTest : public ::testing::Test {
protected:
    std::string Png(const std::string& name)
    {
        TPicture picture(4, 3);
        const std::string path = folder.File(name);
        std::ofstream(path, std::ios::binary) << TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);
        return path;
    }
    TImportMedia::TServices Services(std::vector<bool> answers)
    {
        return {[this, answers](const std::string& name, std::vector<std::string>& params) {
                    dialogs.push_back(name);
                    shownParams.push_back(params);
                    return answers.at(dialogs.size() - 1);
                },
                gui, [this](const std::string& line) { log.push_back(line); }};
    }
    std::string Param(std::size_t dialog, const std::string& name) const
    {
        for (const std::string& line : shownParams.at(dialog))
            if (line.rfind(name + "=", 0) == 0)
                return line.substr(name.size() + 1);
        return "(none)";
    }

    TTempFolder folder;
    TScriptedGui gui;
    std::vector<std::string> dialogs;
    std::vector<std::vector<std::string>> shownParams;
    std::vector<std::string> log;
};

TEST_F(ImportMediaTest, AFolderOfPicturesIsImportedSkippingTheUndecodableOne)
{
    const std::string broken = folder.File("broken.jpg");
    std::ofstream(broken) << "not a picture at all";
    const std::vector<std::string> files = {Png("boat one.png"), broken, Png("sea.png")};
    const TImportMedia::TResult result =
        TImportMedia::ImportImages(Services({true, true}), files, "", "100", "800");
    EXPECT_EQ(result.Imported, 2);
    EXPECT_EQ(result.Skipped, std::vector<std::string>{broken});
    EXPECT_EQ(dialogs, (std::vector<std::string>{"image", "image"}));
    EXPECT_EQ(Param(0, "FolderName"), "Imported Images");
    EXPECT_EQ(Param(0, "InitFileName"), files[0]);
    EXPECT_EQ(Param(0, "ThumbnailImageSize"), "100");
    EXPECT_EQ(Param(0, "LargeImageSize"), "800");
    EXPECT_EQ(Param(0, "DontShowDatabaseList"), "yes");
    EXPECT_EQ(Param(0, "AltFileName").find_first_not_of(
                  "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_"),
              std::string::npos);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_NE(log[1].find("Skipped \"" + broken + "\""), std::string::npos) << log[1];
    EXPECT_TRUE(gui.Messages("question").empty());
}

TEST_F(ImportMediaTest, ARefusedDialogAsksToGoOnOnlyWhileFilesRemain)
{
    const std::vector<std::string> files = {Png("a.png"), Png("b.png"), Png("c.png")};
    gui.QueueAnswer(mrNo);
    TImportMedia::TResult result = TImportMedia::ImportImages(Services({true, false, true}), files, "Photos", "", "");
    EXPECT_EQ(result.Imported, 1);
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(gui.Messages("question"), std::vector<std::string>{"Continue with import images?"});
    EXPECT_EQ(Param(1, "FolderName"), "Photos");

    // One refused picture, or the last one, asks nothing.
    gui.Clear();
    dialogs.clear();
    result = TImportMedia::ImportImages(Services({false}), {files[0]}, "", "", "");
    EXPECT_EQ(result.Imported, 0);
    EXPECT_TRUE(gui.Messages("question").empty());

    dialogs.clear();
    shownParams.clear();
    gui.QueueAnswer(mrYes);
    result = TImportMedia::ImportBinaryObjects(Services({false, true}), {folder.File("x.pdf"), folder.File("y.swf")}, "");
    EXPECT_EQ(result.Imported, 1);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"insertbinaryobject", "insertbinaryobject"}));
    EXPECT_EQ(Param(0, "FolderName"), "Imported Objects");
    EXPECT_EQ(Param(0, "DontShowInsert"), "yes");
    EXPECT_EQ(gui.Messages("question"), std::vector<std::string>{"Continue with import objects?"});
}

}  // namespace
