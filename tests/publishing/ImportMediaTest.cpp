// Picture and binary-object imports: each file through its insertion dialog
// with the folder and the catalog's copy sizes, an undecodable picture
// skipped with a log line and no dialog, and the question whether to go on
// after a refused dialog only while files remain. Style images written
// straight into image items named after their files.
#include "ImportFixture.h"

#include "common/BinaryDataInfo.h"
#include "common/PictureCodec.h"
#include "common/PictureFile.h"
#include "publishing/ImportMedia.h"
#include "publishing/ImportedItems.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

class StyleImagesTest : public ImportMediaTest {
protected:
    std::string Picture(const std::string& name, TPictureKind kind, int width, int height)
    {
        TPicture picture(width, height);
        const std::string path = folder.File(name);
        std::ofstream(path, std::ios::binary) << TPictureCodec::ForKind(kind).Encode(picture);
        return path;
    }
    TImportMedia::TResult Import(const std::vector<std::string>& files)
    {
        TImportedItems items(site.Program().Root(), site.Connection(), TImportSite::kCode, site.Program().Gui());
        return TImportMedia::ImportStyleImages(Services({}), items, files, "");
    }
    // The folder the style images go to; 0 while there is none.
    int ImportedFolder()
    {
        for (const int id : site.ItemsOfType(2, 3))
            if (site.Text(id, 1, 1, "XXX") == "Imported Images")
                return id;
        return 0;
    }
    // The stored picture of the image item, decoded, with its MIME type.
    std::pair<TPicture, std::string> Stored(int itemId)
    {
        std::unique_ptr<TTolvexObject> image = site.Program().Root().Catalog().GetObjectFactory().GetObjectTyped(
            itemId, 5, site.Connection(), TImportSite::kCode);
        std::ostringstream bytes;
        TBinaryDataInfo info;
        EXPECT_TRUE(image->GetBinaryData("ImageData", "XXX", bytes, 0, &info));
        return {TPictureFile::Decode(bytes.str()), info.MimeType};
    }

    TImportSite site;
};

TEST_F(StyleImagesTest, APictureBecomesTheImageNamedAfterItsFileAndAgainReplacesItsPicture)
{
    EXPECT_EQ(TImportMedia::StyleImageName("/pictures/Logo Blue.gif"), "LogoBlue");
    EXPECT_EQ(TImportMedia::StyleImageName("/pictures/top-bar_2.v1.png"), "top-bar_2v1");

    const TImportMedia::TResult first = Import({Picture("Logo Blue.gif", TPictureKind::Gif, 6, 4)});
    EXPECT_EQ(first.Imported, 1);
    const int folderId = ImportedFolder();
    ASSERT_NE(folderId, 0);
    const std::vector<int> images = site.ItemsOfType(301, folderId);
    ASSERT_EQ(images.size(), 1u);
    const int id = images.front();
    EXPECT_GT(id, 600000);
    EXPECT_LT(id, 690000);
    EXPECT_EQ(site.Text(id, 1, 1, "EN"), "LogoBlue");
    EXPECT_EQ(site.Text(id, 1, 1, "XXX"), "LogoBlue");
    EXPECT_EQ(site.Text(id, 1, 2, "XXX"), "LogoBlue");
    EXPECT_EQ(Stored(id).first.Width(), 6);
    EXPECT_EQ(Stored(id).second, "image/gif");

    // The same name again, from a PNG this time: the same item, a new picture, no second folder.
    const std::size_t folders = site.ItemsOfType(2, 3).size();
    const TImportMedia::TResult again = Import({Picture("Logo Blue.png", TPictureKind::Png, 9, 7)});
    EXPECT_EQ(again.Imported, 1);
    EXPECT_EQ(ImportedFolder(), folderId);
    EXPECT_EQ(site.ItemsOfType(2, 3).size(), folders);
    EXPECT_EQ(site.ItemsOfType(301, folderId), images);
    const auto [picture, mimeType] = Stored(id);
    EXPECT_EQ(picture.Width(), 9);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(mimeType, "image/png");
}

TEST_F(StyleImagesTest, FilesWithoutAUsableNameOrPictureAreSkippedLeavingNothingBehind)
{
    const int page = site.AddItem(401, 1);
    site.SetAltFileName(page, "Banner");
    const std::string broken = folder.File("Broken.gif");
    std::ofstream(broken) << "GIF89a but nothing more";
    const std::vector<std::string> refused = {broken, Picture("2024.png", TPictureKind::Png, 2, 2),
                                              Picture("Banner.png", TPictureKind::Png, 2, 2),
                                              Picture("%%%.png", TPictureKind::Png, 2, 2)};

    // Nothing usable: no item and no folder are made.
    TImportMedia::TResult result = Import(refused);
    EXPECT_EQ(result.Imported, 0);
    EXPECT_EQ(result.Skipped, refused);
    EXPECT_EQ(log.size(), refused.size());
    EXPECT_EQ(ImportedFolder(), 0);

    std::vector<std::string> files = refused;
    files.push_back(Picture("Arrow.png", TPictureKind::Png, 3, 3));
    log.clear();
    result = Import(files);
    EXPECT_EQ(result.Imported, 1);
    EXPECT_EQ(result.Skipped, refused);
    const std::vector<int> images = site.ItemsOfType(301, ImportedFolder());
    ASSERT_EQ(images.size(), 1u) << "a refused name leaves no item behind";
    EXPECT_EQ(site.Text(images.front(), 1, 2, "XXX"), "Arrow");
    EXPECT_EQ(log.size(), files.size());
}

}  // namespace
