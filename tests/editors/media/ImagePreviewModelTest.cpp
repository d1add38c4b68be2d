// The picture preview's facts on a real catalog database: the three lines it
// shows for an image item (size, format and bytes, name with the address the
// published site serves it under), the name taken from the language-neutral
// entry when the editing language has none, and loads that cannot be done
// leaving what was shown.
#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "catalog/ImageClassesFixture.h"
#include "catalog/ImageSave.h"
#include "common/PictureCodec.h"
#include "editors/media/images/ImagePreviewModel.h"
#include "storage/ObjectFactory.h"
#include "support/CatalogFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TPicture Plain(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 9), static_cast<std::uint8_t>(y * 9), 90, 255});
    return picture;
}

class ImagePreviewModelTest : public ::testing::Test {
protected:
    ImagePreviewModelTest()
    {
        DeclareImageClasses(env.Db());
    }

    // An image item with those names ("LANG=name"), alternative file name and type.
    int Stored(const std::vector<std::string>& names, const std::string& altFileName, const std::string& mimeType)
    {
        TImageSave save({env.Catalog(), env.Db(), factory, &folders, nullptr}, env.Connection());
        TImageSave::TRequest request;
        request.Names = names;
        request.AltFileName = altFileName;
        request.MimeType = mimeType;
        return save.Write(request, TImageSave::Prepare(Plain(24, 16), request)).Main.ItemId;
    }
    TImagePreviewModel Preview()
    {
        return TImagePreviewModel({&env.Catalog(), &env.Connection(), "shop", [] { return std::string("EN"); }});
    }
    static std::string Lines(const TImagePreviewModel& preview)
    {
        return preview.DimensionsText() + "|" + preview.FileText().substr(0, preview.FileText().find(':')) + "|" +
               preview.CaptionText();
    }

    TCatalogEnvironment env;  // code "shop", languages EN and DE, default EN
    TTolvexObjectFactory factory{env.Db().Context()};
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TCatalogFolders folders{{env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()}};
};

}  // namespace

TEST_F(ImagePreviewModelTest, AnImageItemShowsItsNameAndThePublishedAddress)
{
    struct Case {
        std::vector<std::string> names;
        std::string altFileName;
        std::string mimeType;
        std::string expected;  // "$id" stands for the item id
    };
    const Case cases[] = {
        {{"EN=Boat", "DE=Boot"}, "front", "image/jpeg", "Image size: 24 x 16|JPEG|Boat (url: ../images/front.jpeg)"},
        {{"EN=Boat"}, "", "image/png", "Image size: 24 x 16|PNG|Boat (url: ../images/$id.png)"},
        {{"XXX=Anchor"}, "", "image/gif", "Image size: 24 x 16|GIF|Anchor (url: ../images/$id.gif)"},
        {{"DE=Boot"}, "", "image/jpeg", "Image size: 24 x 16|JPEG|"},
    };
    for (const Case& c : cases) {
        const int id = Stored(c.names, c.altFileName, c.mimeType);
        std::string expected = c.expected;
        if (const std::size_t at = expected.find("$id"); at != std::string::npos)
            expected.replace(at, 3, std::to_string(id));
        TImagePreviewModel preview = Preview();
        ASSERT_TRUE(preview.LoadImageItem(id, ""));
        EXPECT_EQ(Lines(preview), expected) << c.names[0];
        EXPECT_EQ(preview.ItemId(), id);
    }
}

TEST_F(ImagePreviewModelTest, ALoadThatCannotBeDoneLeavesWhatWasShown)
{
    const int id = Stored({"EN=Boat"}, "boat", "image/jpeg");
    TTempFolder folder;
    const std::string text = folder.Write("notes.txt", "no picture");
    const std::string png = TPictureCodec::ForKind(TPictureKind::Png).Encode(Plain(5, 4));

    TImagePreviewModel preview = Preview();
    ASSERT_TRUE(preview.LoadImageItem(id, ""));
    const std::string shown = Lines(preview);
    EXPECT_FALSE(preview.LoadFromFile(folder.Path() + "/missing.jpg"));
    EXPECT_FALSE(preview.LoadFromStream("<html></html>", "text/html"));
    EXPECT_FALSE(preview.LoadImageItem(id + 1000, ""));
    EXPECT_THROW(preview.LoadFromFile(text), std::exception) << "a file that is no picture is an error to show";
    EXPECT_EQ(Lines(preview), shown);

    // A downloaded picture of any image type is read by its bytes; it names no item.
    ASSERT_TRUE(preview.LoadFromStream(png, "image/png"));
    EXPECT_EQ(Lines(preview), "Image size: 5 x 4|PNG|");
    EXPECT_EQ(preview.ItemId(), 0);
}
