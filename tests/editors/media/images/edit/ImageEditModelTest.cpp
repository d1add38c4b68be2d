// The image editing tab's decisions without widgets: the chain crop, turn,
// resample, effect and change of type gives stored bytes of the expected
// size and format; the size fields follow the aspect; sizes too large for
// the decoders (or for 32-bit arithmetic) are refused; a crop to the whole
// picture does nothing.
#include "editors/media/images/edit/ImageEditModel.h"

#include "common/PictureCodec.h"
#include "common/PictureFile.h"

#include <gtest/gtest.h>

namespace {

std::string Jpeg(int width, int height)
{
    TPicture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 2), 90, 255});
    return TPictureCodec::ForKind(TPictureKind::Jpeg).Encode(picture);
}

}  // namespace

TEST(ImageEditModelTest, CropTurnResampleEffectAndGifGiveTheExpectedStoredPicture)
{
    TImageEditModel model;
    ASSERT_TRUE(model.Load(Jpeg(200, 100), "image/jpeg"));
    EXPECT_EQ(model.Options.Format, TImageEditModel::TFormat::Jpeg);
    EXPECT_FALSE(model.PictureChanged());

    model.StartCrop();
    model.CropRect = {11, 11, 160, 90};
    ASSERT_TRUE(model.ApplyCrop(nullptr));
    EXPECT_EQ(model.Picture().Width(), 150);
    EXPECT_EQ(model.Picture().Height(), 80);

    model.StartResample();
    model.RotateRight();
    EXPECT_TRUE(model.HasPendingPreview());
    EXPECT_EQ(model.Sizes.Width, 80) << "a turn puts the new size into the fields";
    EXPECT_EQ(model.Sizes.Height, 150);
    model.WidthTyped(40);
    EXPECT_EQ(model.Sizes.Height, 75);
    EXPECT_EQ(model.Sizes.WidthPercent, 50);
    ASSERT_TRUE(model.ApplyResample(nullptr));
    EXPECT_FALSE(model.HasPendingPreview());

    model.PreviewEffect(7, 50);  // darkness 100
    EXPECT_LT(model.WorkingCopy().GetPixel(20, 20).Blue, model.Picture().GetPixel(20, 20).Blue);
    ASSERT_TRUE(model.ApplyPreview(nullptr));

    model.Options.Format = TImageEditModel::TFormat::Gif;
    ASSERT_TRUE(model.ApplyType(nullptr));
    EXPECT_EQ(model.MimeType(), "image/gif");
    EXPECT_TRUE(model.PictureChanged());
    EXPECT_TRUE(model.ShapeChanged());
    EXPECT_EQ(TPictureFile::KindOfBytes(model.StoredBytes()), TPictureKind::Gif);
    const TPicture stored = TPictureCodec::ForKind(TPictureKind::Gif).Decode(model.StoredBytes());
    EXPECT_EQ(stored.Width(), 40);
    EXPECT_EQ(stored.Height(), 75);
    EXPECT_EQ(model.FileText().rfind("GIF: ", 0), 0u);
}

TEST(ImageEditModelTest, SizeFieldsFollowTheAspectAndHugeSizesAreRefused)
{
    TImageEditModel model;
    ASSERT_TRUE(model.Load(Jpeg(200, 100), "image/jpeg"));
    model.StartResample();
    model.WidthTyped(50);
    EXPECT_EQ(model.Sizes.WidthPercent, 25);
    EXPECT_EQ(model.Sizes.Height, 25);
    EXPECT_EQ(model.Sizes.HeightPercent, 25);
    model.HeightPercentTyped(300);
    EXPECT_EQ(model.Sizes.Height, 300);
    EXPECT_EQ(model.Sizes.Width, 600);

    // 20000 x 20000 is over the decoders' limit; 70000 x 70000 also wraps
    // round in 32 bits to a size that would look small.
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{20000, 20000}, {70000, 70000}, {65536, 65537}}) {
        model.Sizes.Width = width;
        model.Sizes.Height = height;
        std::string reason;
        EXPECT_FALSE(model.ApplyResample(&reason)) << width << "x" << height;
        EXPECT_NE(reason.find("at most"), std::string::npos);
    }
    EXPECT_EQ(model.Picture().Width(), 200);
    EXPECT_FALSE(model.PictureChanged());
}

TEST(ImageEditModelTest, CropToTheWholePictureDoesNothing)
{
    TImageEditModel model;
    ASSERT_TRUE(model.Load(Jpeg(30, 20), "image/jpeg"));
    const std::string before = model.StoredBytes();
    model.StartCrop();
    EXPECT_EQ(model.CropRect.Right, 30);
    EXPECT_EQ(model.CropRect.Bottom, 20);
    EXPECT_FALSE(model.ApplyCrop(nullptr));
    model.CropRect = {0, -5, 99, 99};  // clamped to the picture: the whole of it again
    EXPECT_FALSE(model.ApplyCrop(nullptr));
    EXPECT_EQ(model.StoredBytes(), before);
    EXPECT_FALSE(model.PictureChanged());
}

TEST(ImageEditModelTest, ZoomStepsThroughTheListAndSmallNumbersMeanHundred)
{
    TImageEditModel model;
    model.SetZoomText("5");
    EXPECT_EQ(model.Zoom, 100);
    model.ZoomIn();
    EXPECT_EQ(model.Zoom, 150);
    model.SetZoomText("120");
    model.ZoomOut();
    EXPECT_EQ(model.Zoom, 100);
    model.SetZoomText("800");
    model.ZoomIn();
    EXPECT_EQ(model.Zoom, 800);
}

TEST(ImageEditModelTest, TurnsAndFlipsMoveTheCornerAndTurnsSwapTheSizeFields)
{
    // A 3 x 2 picture, black but for a red top-left corner.
    TPicture picture(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.SetPixel(x, y, {0, 0, 0, 255});
    picture.SetPixel(0, 0, {255, 0, 0, 255});
    const std::string png = TPictureCodec::ForKind(TPictureKind::Png).Encode(picture);

    struct TCase {
        const char* Name;
        void (TImageEditModel::*Step)();
        int Width, Height, RedX, RedY;
    };
    const TCase cases[] = {
        {"turn right", &TImageEditModel::RotateRight, 2, 3, 1, 0},
        {"turn left", &TImageEditModel::RotateLeft, 2, 3, 0, 2},
        {"flip horizontally", &TImageEditModel::FlipHorizontal, 3, 2, 2, 0},
        {"flip vertically", &TImageEditModel::FlipVertical, 3, 2, 0, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TImageEditModel model;
        ASSERT_TRUE(model.Load(png, "image/png"));
        model.StartResample();
        (model.*c.Step)();
        EXPECT_TRUE(model.HasPendingPreview());
        EXPECT_EQ(model.WorkingCopy().Width(), c.Width);
        EXPECT_EQ(model.WorkingCopy().Height(), c.Height);
        EXPECT_EQ(model.Sizes.Width, c.Width);
        EXPECT_EQ(model.Sizes.Height, c.Height);
        EXPECT_EQ(model.WorkingCopy().GetPixel(c.RedX, c.RedY).Red, 255);
    }
}
