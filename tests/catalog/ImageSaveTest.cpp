// Storing pictures as image items with their scaled copies, on a real
// catalog database: where the items go and what they are called, that each
// copy is scaled from the original picture, which stored copy ids are used
// again, the language-neutral alternative file name, the MIME type of the
// bytes written, and that a picture that cannot be encoded writes nothing.
#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "catalog/ImageClassesFixture.h"
#include "catalog/ImageSave.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/PictureCodec.h"
#include "common/PictureScaler.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every pixel a colour of its own, so that each scaling shows in the result.
TPicture Pattern(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 5 + x / 3),
                                    static_cast<std::uint8_t>((x * y) >> 4), 255});
    return picture;
}

class ImageSaveTest : public ::testing::Test {
protected:
    ImageSaveTest()
    {
        DeclareImageClasses(env.Db());
    }

    TAbstractDBConnection& Db() { return env.Connection(); }
    TImageSave Save() { return TImageSave({env.Catalog(), env.Db(), factory, &folders, nullptr}, Db()); }

    std::string Name(int itemId, const std::string& lang, int memberId = 1)
    {
        const TVariant name = env.Db().Scalar("SELECT StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 1 "
                                              "AND MemberId = :M AND LangCode = :Lang",
                                              {{"Id", itemId}, {"M", memberId}, {"Lang", lang}});
        return name.IsNull() ? "(none)" : name.AsText();
    }
    int AltNameRows(int itemId) { return env.Db().Count("CStrings", "ItemId = " + std::to_string(itemId) + " AND MemberId = 2"); }
    double Number(int itemId, int memberId)
    {
        const TVariant value = env.Db().Scalar(
            "SELECT NumberValue FROM CNumbers WHERE ItemId = :Id AND ClassId = 5 AND MemberId = :M",
            {{"Id", itemId}, {"M", memberId}});
        return value.IsNull() ? -1 : value.AsFloat();
    }
    int Parent(int itemId)
    {
        return static_cast<int>(
            env.Db().Scalar("SELECT ParentItemId FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).AsInteger());
    }
    std::string MimeType(int itemId)
    {
        return env.Db().Scalar("SELECT DataMimeType FROM CBinary WHERE ItemId = :Id", {{"Id", itemId}}).AsText();
    }
    // The stored picture's pixels (as a bitmap, to compare with scaled ones).
    TPicture Stored(int itemId)
    {
        TPicture picture;
        std::int64_t size = 0;
        std::string mimeType;
        EXPECT_TRUE(TCommonImages::LoadImageToPicture("shop", itemId, picture, size, mimeType, Db())) << itemId;
        picture.SetKind(TPictureKind::Bitmap);
        return picture;
    }
    // Sets string member MemberId of the item's names in each "LANG=text" entry.
    void SetNames(int itemId, int memberId, const std::vector<std::pair<std::string, std::string>>& values)
    {
        const std::unique_ptr<TTolvexObject> names = factory.GetObjectTyped(itemId, 1, Db(), "shop");
        for (const auto& [lang, text] : values)
            names->SetStringById(memberId, lang, text, 0);
        names->Save();
    }
    int Images() { return env.Db().Count("Items", "ItemType = 301"); }
    // A stored image made the plain way, to overwrite.
    int StoredImage(int parent = 3)
    {
        TImageSave save = Save();
        TImageSave::TRequest request;
        request.FolderItemId = parent;
        request.Names = {"EN=Old"};
        request.MimeType = "image/png";
        return save.Write(request, TImageSave::Prepare(Pattern(20, 10), request)).Main.ItemId;
    }

    TCatalogEnvironment env;  // code "shop", languages EN and DE, default EN
    TTolvexObjectFactory factory{env.Db().Context()};
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TCatalogFolders folders{{env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()}};
};

}  // namespace

TEST_F(ImageSaveTest, ANewImageWithBothCopiesEachScaledFromTheOriginal)
{
    const TPicture original = Pattern(800, 600);
    TImageSave::TRequest request;
    request.FolderName = "Photos";
    request.Names = {"EN=Boat", "DE=Boot"};
    request.AltFileName = "logo";
    request.MimeType = "image/png";  // lossless: the pixels compare exactly
    request.IsBackground = true;
    request.Main = {true, 300, TImageScaleType::Maximal};
    request.Thumbnail = {true, {true, 200, TImageScaleType::Maximal}};
    request.Large = {true, {true, 1000, TImageScaleType::Maximal}};
    TImageSave save = Save();
    const TImageSave::TResult result = save.Write(request, TImageSave::Prepare(original, request));

    const int main = result.Main.ItemId;
    ASSERT_TRUE(result.Thumbnail && result.Large);
    const int thumbnail = result.Thumbnail->ItemId;
    const int large = result.Large->ItemId;
    EXPECT_EQ(Parent(Parent(main)), 3);
    EXPECT_EQ(Name(Parent(main), "XXX"), "Photos") << "the named folder under the images root";
    EXPECT_EQ(Parent(thumbnail), main);
    EXPECT_EQ(Parent(large), main);
    EXPECT_EQ(std::set<int>(save.CreatedItems().begin(), save.CreatedItems().end()),
              (std::set<int>{Parent(main), main, thumbnail, large}));

    EXPECT_EQ(Name(main, "DE"), "Boot");
    EXPECT_EQ(Name(thumbnail, "EN"), "Boat (thumbnail)");
    EXPECT_EQ(Name(thumbnail, "DE"), "Boot (thumbnail)");
    EXPECT_EQ(Name(large, "DE"), "Boot (large)");
    EXPECT_EQ(Name(main, "XXX", 2), "logo");
    EXPECT_EQ(Name(thumbnail, "XXX", 2), "logo_thumbnail");
    EXPECT_EQ(Name(large, "XXX", 2), "logo_large");
    EXPECT_EQ(result.Large->AltFileName, "logo_large");

    EXPECT_EQ(Number(main, 3), thumbnail);
    EXPECT_EQ(Number(main, 4), large);
    EXPECT_EQ(Number(main, 7), 1);
    EXPECT_EQ(Number(main, 1), 300);
    EXPECT_EQ(Number(main, 2), 225);
    EXPECT_EQ(Number(thumbnail, 1), 200);
    EXPECT_EQ(Number(large, 1), 800) << "a picture that fits is never enlarged";
    EXPECT_EQ(result.Main.MimeType, "image/png");

    // Scaled from the original: a thumbnail made from the 300-pixel main
    // picture would differ from this one.
    EXPECT_TRUE(Stored(thumbnail) == TPictureScaler::Scale(original, 200, 150));
    EXPECT_TRUE(Stored(main) == TPictureScaler::Scale(original, 300, 225));
    EXPECT_FALSE(TPictureScaler::Scale(TPictureScaler::Scale(original, 300, 225), 200, 150) ==
                 TPictureScaler::Scale(original, 200, 150))
        << "the fixture shows the difference";
}

TEST_F(ImageSaveTest, AStoredCopyIdIsUsedAgainOnlyWhenItIsAnImageBelowTheMainImage)
{
    struct Case { const char* what; int itemType; bool below; bool exists; bool reused; };
    const Case cases[] = {
        {"an image item below the main image", 301, true, true, true},
        {"an image item elsewhere", 301, false, true, false},
        {"a page below the main image", 100, true, true, false},
        {"an id that names no item", 301, true, false, false},
    };
    int otherId = 5000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int main = StoredImage();
        const int other = ++otherId;
        if (c.exists)
            env.Db().AddItem(other, c.itemType, c.below ? main : 3);
        const std::unique_ptr<TTolvexObject> image = factory.GetObjectTyped(main, 5, Db(), "shop");
        image->SetLangNumber("ThumbnailItemId", "XXX", other, 0);
        image->Save();
        const int before = Images();

        TImageSave::TRequest request;
        request.TargetItemId = main;
        request.MimeType = "image/png";
        request.Thumbnail = {true, {true, 5, TImageScaleType::Maximal}};
        TImageSave save = Save();
        const std::vector<int> changed = save.ItemsChangedBy(request);
        const TImageSave::TResult result = save.Write(request, TImageSave::Prepare(Pattern(40, 20), request));

        EXPECT_EQ(result.Thumbnail->ItemId == other, c.reused);
        EXPECT_EQ(Images(), before + (c.reused ? 0 : 1));
        EXPECT_EQ(Parent(result.Thumbnail->ItemId), main);
        EXPECT_EQ(changed, c.reused ? (std::vector<int>{main, other}) : std::vector<int>{main});
        EXPECT_EQ(Number(main, 3), result.Thumbnail->ItemId);
        EXPECT_EQ(env.Db().Count("CBinary", "ItemId = " + std::to_string(other)), c.reused ? 1 : 0)
            << "an item that is no copy of this image gets no picture";
    }
}

TEST_F(ImageSaveTest, TheAlternativeFileNameIsOneForEveryLanguage)
{
    const int main = StoredImage();
    SetNames(main, 2, {{"EN", "front"}, {"DE", "vorne"}});
    TImageSave::TRequest request;
    request.TargetItemId = main;
    request.MimeType = "image/png";

    Save().Write(request, TImageSave::Prepare(Pattern(20, 10), request));
    EXPECT_EQ(AltNameRows(main), 2) << "an empty name keeps the overwritten image's names: pages link to them";

    request.AltFileName = "cover";
    const TImageSave::TResult result = Save().Write(request, TImageSave::Prepare(Pattern(20, 10), request));
    EXPECT_EQ(AltNameRows(main), 1);
    EXPECT_EQ(Name(main, "XXX", 2), "cover");
    EXPECT_EQ(env.Catalog().GetAltFileName(main, &Db(), "shop"), "cover") << "the name publishing writes";
    EXPECT_EQ(result.Main.AltFileName, "cover");
}

TEST_F(ImageSaveTest, APictureThatCannotBeEncodedWritesNothing)
{
    // An icon holds at most 256 pixels a side.
    TImageSave::TRequest request;
    request.MimeType = "application/x-ico";
    request.Main = {true, 100, TImageScaleType::Maximal};
    request.Large = {true, {false, 0, TImageScaleType::Maximal}};
    try {
        TImageSave::Prepare(Pattern(300, 300), request);
        FAIL() << "the large copy cannot be an icon";
    } catch (const ECriticalTolvexException& error) {
        EXPECT_NE(std::string(error.what()).find("The large copy cannot be stored"), std::string::npos) << error.what();
    }
    EXPECT_THROW(TImageSave::Prepare(TPicture(), TImageSave::TRequest{}), ECriticalTolvexException);

    const int main = StoredImage();
    const int before = Images();
    std::string alt = "x";
    TImageSave save = Save();
    EXPECT_FALSE(save.SaveThumbnailCopy(main, Pattern(300, 300), alt, {"EN=Big"}, {}, "application/x-ico"))
        << "a copy that could not be made is no success";
    EXPECT_EQ(Images(), before);
    EXPECT_EQ(alt, "x");
}

TEST_F(ImageSaveTest, CopiesOfAStoredImage)
{
    const int source = StoredImage();
    SetNames(source, 1, {{"EN", "Boat"}, {"DE", "Boot"}});
    SetNames(source, 2, {{"XXX", "boat"}});

    TImageSave save = Save();
    ASSERT_TRUE(save.CreateMainFromImage(source, 8));
    const int main = save.LastItemId;
    EXPECT_EQ(Parent(main), source);
    EXPECT_EQ(Name(main, "EN"), "Boat (thumbnail)");
    EXPECT_EQ(Name(main, "DE"), "Boot (thumbnail)");
    EXPECT_EQ(Name(main, "XXX", 2), "boat_main");
    EXPECT_EQ(Number(main, 4), source) << "the source becomes the large copy";
    EXPECT_EQ(save.LastWidth, 8);
    EXPECT_EQ(save.LastHeight, 4);

    ASSERT_TRUE(save.CreateThumbnailFromImage(source));
    EXPECT_EQ(save.LastWidth, 20) << "without a thumbnail size the copy keeps the picture's size";
    EXPECT_FALSE(save.CreateMainFromImage(4711, 8)) << "an item without a picture";

    std::string alt;
    ASSERT_TRUE(save.SaveLargeCopy(source, Pattern(30, 30), alt, {"EN=Boat"}, {}, "application/octet-stream"));
    EXPECT_EQ(MimeType(save.LastItemId), "image/jpeg") << "the type of the bytes, which publishing names the file by";
    EXPECT_EQ(AltNameRows(save.LastItemId), 0) << "an empty alternative name stores nothing";
    EXPECT_EQ(save.GetLargeItemId(source), 0) << "the copy calls leave the main image alone";
}
