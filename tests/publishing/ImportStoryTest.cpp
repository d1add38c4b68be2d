// A story from an HTML file: its body and name in the default language, its
// pictures from the file's folder (never from outside it), the question when
// a story of that name exists, and an empty file.
#include "publishing/ImportStory.h"

#include "ImportFixture.h"

#include "common/CommonGui.h"
#include "common/Picture.h"
#include "common/PictureCodec.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Png()
{
    TPicture picture(4, 3);
    picture.Fill({10, 200, 40, 255});
    return TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);
}

class ImportStoryTest : public ::testing::Test {
protected:
    ImportStoryTest()
    {
        disk.Write("outside.png", Png());
        disk.Write("site/pics/apple.png", Png());
        disk.Write("site/pics/broken.png", "not a picture");
        fs::create_symlink(disk.Path() + "/outside.png", disk.Path() + "/site/pics/link.png");
    }
    std::unique_ptr<TImportStory> Import(const std::string& file)
    {
        std::vector<std::string> params{"FileName=" + file};
        return site.Run<TImportStory>(params);
    }
    std::vector<int> Stories() { return site.ItemsOfType(TImportStory::kStoryItemType, TImportStory::kStoriesRootId); }
    std::string Body(int story) { return site.Text(story, 4, 1, "EN"); }

    TTempFolder disk;
    TImportSite site;
};

TEST_F(ImportStoryTest, AStoryComesWithThePicturesInsideItsFolderOnly)
{
    const std::string absolute = disk.Path() + "/outside.png";
    const std::string file = disk.Write(
        "site/spring.html",
        "<html><head><title>x</title><meta charset=\"iso-8859-1\"></head><body><h1>Fr\xFChling</h1>"
        "<img src=\"pics/apple.png\"><img src=\"pics/apple.png\"><img src=\"../outside.png\">"
        "<img src=\"" + absolute + "\"><img src=\"file://" + absolute + "\"><img src=\"pics/link.png\">"
        "<img src=\"pics/gone.png\"><img src=\"pics/broken.png\"></body></html>");
    const std::vector<int> before = site.ItemsOfType(301);
    auto import = Import(file);
    ASSERT_TRUE(import->Succeeded()) << site.Runner().Last();

    const std::vector<int> stories = Stories();
    ASSERT_EQ(stories.size(), 1u);
    EXPECT_EQ(site.Name(stories[0]), "spring");
    const std::string body = Body(stories[0]);
    EXPECT_NE(body.find("<h1>Frühling</h1>"), std::string::npos) << "decoded to UTF-8: " << body;
    EXPECT_EQ(body.find("<title>"), std::string::npos) << body;
    EXPECT_EQ(site.Text(stories[0], 4, 1, "DE"), "") << "the default language only";

    std::vector<int> pictures = site.ItemsOfType(301);
    ASSERT_EQ(pictures.size(), before.size() + 1) << "one picture, imported once; nothing from outside the folder";
    const int apple = pictures.back();
    EXPECT_EQ(site.Name(site.ParentOf(apple)), "spring story");
    EXPECT_EQ(site.ParentOf(site.ParentOf(apple)), 3) << "under the images root";
    EXPECT_EQ(body.find("pics/apple.png"), std::string::npos) << body;
    EXPECT_NE(body.find("../images/" + std::to_string(apple) + ".png"), std::string::npos) << body;
    for (const std::string kept : {"../outside.png", "pics/link.png", "pics/gone.png", "pics/broken.png"})
        EXPECT_NE(body.find("\"" + kept + "\""), std::string::npos) << kept << " stays as written: " << body;
    EXPECT_TRUE(site.Runner().Has("Image file \"pics/apple.png\" imported"));
    EXPECT_EQ(site.Runner().dataChanged, (std::vector<std::pair<int, int>>{{0, 5}})) << "the stories changed";
}

TEST_F(ImportStoryTest, AStoryOfTheSameNameIsReplacedKeptOrLeftAsTheUserAnswers)
{
    const std::string file = disk.Write("site/news.html", "<html><body><p>first</p></body></html>");
    ASSERT_TRUE(Import(file)->Succeeded());
    const int first = Stories().at(0);

    disk.Write("site/news.html", "<html><body><p>second</p></body></html>");
    site.Program().Gui().QueueAnswer(mrNo);
    ASSERT_TRUE(Import(file)->Succeeded());
    ASSERT_EQ(Stories().size(), 2u);
    EXPECT_EQ(site.Name(Stories()[1]), "news (1)");
    EXPECT_EQ(Body(first), "<p>first</p>");

    disk.Write("site/news.html", "<html><body><p>third</p></body></html>");
    site.Program().Gui().QueueAnswer(mrYes);
    ASSERT_TRUE(Import(file)->Succeeded());
    EXPECT_EQ(Stories().size(), 2u);
    EXPECT_EQ(Body(first), "<p>third</p>");

    site.Program().Gui().QueueAnswer(mrCancel);
    auto cancelled = Import(disk.Write("site/news.html", "<html><body><p>fourth</p></body></html>"));
    EXPECT_FALSE(cancelled->Succeeded());
    EXPECT_TRUE(cancelled->IsCancelled());
    EXPECT_EQ(Body(first), "<p>third</p>");
    EXPECT_EQ(site.Program().Gui().Messages("question").back(), "Story with name \"news\" already exists. Replace it?");
}

TEST_F(ImportStoryTest, AnEmptyOrMissingFileImportsNothing)
{
    auto empty = Import(disk.Write("site/empty.html", "<html><body> \n </body></html>"));
    EXPECT_FALSE(empty->Succeeded());
    EXPECT_TRUE(site.Runner().Has("Empty HTML file"));
    auto missing = Import(disk.Path() + "/site/missing.html");
    EXPECT_FALSE(missing->Succeeded());
    EXPECT_TRUE(Stories().empty());
}

}  // namespace
