// The rules of the image dialog's disk and internet tabs without widgets:
// which boxes a loaded picture ticks for the dialog's sizes and offered
// copies, the alternative file name's characters, the addresses the
// internet tab accepts and the type a download is stored as.
#include "editors/media/images/ImageInsertModel.h"

#include <gtest/gtest.h>

namespace {

struct TRuleCase {
    const char* what;
    std::vector<std::string> params;
    int width, height;
    // Expected: main scale, save large, scale large, save thumbnail, scale thumbnail, large panel, thumbnail panel.
    bool mainScale, saveLarge, scaleLarge, saveThumbnail, scaleThumbnail, largePanel, thumbnailPanel;
};

}  // namespace

TEST(ImageInsertModel, ALoadedPictureTicksWhatItsSizeCallsFor)
{
    const TRuleCase cases[] = {
        {"larger than every size, large copy needed",
         {"MainImageSize=400", "LargeImageSize=1000", "NeedLargeCopy=yes"}, 1200, 900,
         true, true, true, false, false, true, false},
        {"smaller than every size",
         {"MainImageSize=400", "LargeImageSize=1000", "ThumbnailImageSize=200", "NeedLargeCopy=yes",
          "NeedThumbnailCopy=yes"}, 150, 100,
         false, false, false, true, false, false, true},
        {"a large copy only offered is still ticked for a picture over the main size",
         {"MainImageSize=400", "LargeImageSize=1000", "CanLargeCopy=yes"}, 800, 600,
         true, true, false, false, false, true, false},
        {"no main scaling by itself",
         {"MainImageSize=400", "LargeImageSize=1000", "NeedLargeCopy=yes", "DontDefaultMainScale=yes"}, 1200, 900,
         false, true, true, false, false, false, false},
        {"a thumbnail offered but not needed",
         {"ThumbnailImageSize=100", "CanThumbnailCopy=yes"}, 300, 200,
         false, false, false, false, false, false, true},
        {"a thumbnail without a thumbnail size is not offered",
         {"MustThumbnailCopy=yes"}, 300, 200,
         false, false, false, false, false, false, false},
    };
    for (const TRuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        TImageInsertModel model;
        model.ReadParams(c.params, nullptr);
        model.PictureLoaded(c.width, c.height);
        const TImageInsertModel::TControls& got = model.Controls();
        EXPECT_EQ(got.MainScale, c.mainScale);
        EXPECT_EQ(got.SaveLarge, c.saveLarge);
        EXPECT_EQ(got.ScaleLarge, c.scaleLarge);
        EXPECT_EQ(got.SaveThumbnail, c.saveThumbnail);
        EXPECT_EQ(got.ScaleThumbnail, c.scaleThumbnail);
        EXPECT_EQ(got.LargePanel, c.largePanel);
        EXPECT_EQ(got.ThumbnailPanel, c.thumbnailPanel);
    }

    // Unticking the main scaling takes the large copy's panel away; a
    // thumbnail the dialog must store stays ticked.
    TImageInsertModel model;
    model.ReadParams({"MainImageSize=400", "LargeImageSize=1000", "NeedLargeCopy=yes", "ThumbnailImageSize=50",
                      "MustThumbnailCopy=yes"},
                     nullptr);
    model.PictureLoaded(1200, 900);
    model.SetMainScale(false);
    EXPECT_FALSE(model.Controls().LargePanel);
    model.SetSaveThumbnail(false);
    EXPECT_TRUE(model.Controls().SaveThumbnail);
    EXPECT_FALSE(model.Controls().SaveThumbnailEnabled);
}

TEST(ImageInsertModel, NamesAndAddresses)
{
    EXPECT_EQ(TImageInsertModel::FilterAltFileName("my pic!.jpg"), "mypicjpg");
    EXPECT_EQ(TImageInsertModel::FilterAltFileName("Front_2-b"), "Front_2-b");
    EXPECT_EQ(TImageInsertModel::NameOfPath("C:\\Photos\\Boat.trip.jpg"), "Boat");
    EXPECT_EQ(TImageInsertModel::NameOfPath("http://example.com/img/shoe.png"), "shoe");
    EXPECT_EQ(TImageHtmlAttributes::ColorText(255, 0, 171), "#FF00AB");

    struct TAddress { const char* typed; const char* address; const char* error; };
    const TAddress addresses[] = {
        {"  example.com/a.jpg ", "http://example.com/a.jpg", ""},
        {"http://example.com/a.jpg", "http://example.com/a.jpg", ""},
        {"HTTPS://example.com/a.jpg", "HTTPS://example.com/a.jpg", ""},
        {"ftp://example.com/a.jpg", "", "Unsupported protocol"},
        {"   ", "", "Please, enter URL of an image first"},
    };
    for (const TAddress& a : addresses) {
        std::string error;
        EXPECT_EQ(TImageInsertModel::ImageAddress(a.typed, error), a.address) << a.typed;
        EXPECT_EQ(error, a.error) << a.typed;
    }

    struct TType { const char* address; const char* contentType; const char* stored; };
    const TType types[] = {
        {"http://example.com/a.gif", "image/png", "image/gif"},  // the extension names it
        {"http://example.com/pictures/7?size=big", "image/png", "image/png"},
        {"http://example.com/photo", "image/jpg", "image/jpg"},
        {"http://example.com.au/", "text/html", "application/octet-stream"},  // stored as JPEG
        {"http://example.com/a.JPG#top", "", "image/jpeg"},
    };
    for (const TType& t : types)
        EXPECT_EQ(TImageInsertModel::MimeTypeOfDownload(t.address, t.contentType), t.stored) << t.address;
}
