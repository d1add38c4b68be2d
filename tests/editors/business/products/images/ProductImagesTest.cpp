// The product's "Main Image" tab in the running program: a main image
// chosen with "Use main image for thumbnail" brings its thumbnail copy, is
// saved and published with it; a thumbnail copy made for a main image that
// had none, and every other change, goes again with Cancel; deleting the
// main image while the box is checked takes the thumbnail with it.
#include "../../BusinessPaneHelpers.h"
#include "../../../media/ImageDialogFixture.h"

#include "editors/framework/Registration.h"
#include "support/TempFolder.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using namespace business_test;

namespace {

class ProductImagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(f.CreateAndOpen(), "");
        product_ = AddProduct(f, "LM-1", "Lamp");
        OpenItem(f, product_.Placement, "ProductBasicEditor-allimages");
        ASSERT_NE(Find<QPushButton>(f, "btnSelectMainImage"), nullptr) << "the Main Image tab shows";
    }

    // "Select..." of the main image, the image dialog answered with the file.
    void ChooseMain(const std::string& file)
    {
        f.Boxes().QueueInput(file);
        WhenShown([](TfrmFrameContainer& dialog) {
            dialog.findChild<QPushButton*>("btnSearch")->click();
            QCoreApplication::processEvents();
            dialog.btnContainerOk->click();
        });
        QTest::mouseClick(Find<QPushButton>(f, "btnSelectMainImage"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    QCheckBox* UseMain() { return Find<QCheckBox>(f, "chkUseMainImageForThumbnail"); }
    // The committed ProductImages member (1 main, 2 thumbnail); 0 when none.
    int Stored(int memberId)
    {
        const std::string value =
            Committed(f, "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                             std::to_string(product_.Data) + " AND ClassId = 4007 AND MemberId = " +
                             std::to_string(memberId));
        return value == "(none)" ? 0 : std::stoi(value);
    }
    int ParentOf(int itemId)
    {
        return f.Data().GetItemDescription(itemId, f.Data().GetCatalogCode(), f.Main()).ParentItemId;
    }
    int Images()
    {
        return std::stoi(Committed(f, "SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = 301"));
    }

    TMainWindowFixture f{RegisterFrameworkClasses};
    TTempFolder folder_;
    TProduct product_;
};

}  // namespace

TEST_F(ProductImagesTest, MainImageForThumbnailIsSavedAndPublishedWithItsThumbnail)
{
    ASSERT_TRUE(UseMain()->isChecked()) << "the main image gives the thumbnail by default";
    EXPECT_FALSE(Find<QPushButton>(f, "btnSelectThumbnail")->isEnabled());
    ChooseMain(folder_.Write("lamp.png", TImageDialogFixture::Png(500, 400)));
    EXPECT_NE(Find<QWidget>(f, "prvMainImage"), nullptr);
    EXPECT_NE(Find<QWidget>(f, "prvThumbnailImage"), nullptr);
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    Shoot(f, "product-main-image");
    PressSave(f);
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});

    const int main = Stored(1);
    const int thumbnail = Stored(2);
    ASSERT_GT(main, 0);
    ASSERT_GT(thumbnail, 0);
    EXPECT_EQ(ParentOf(thumbnail), main) << "the thumbnail is the main image's copy";
    TTempFolder site;
    PublishLocally(f, site.Path());
    for (const int image : {main, thumbnail})
        EXPECT_TRUE(std::filesystem::exists(site.Path() + "/images/" + std::to_string(image) + ".png")) << image;
}

TEST_F(ProductImagesTest, CancelRestoresThePicturesAndTakesAwayTheCopiesMade)
{
    ChooseMain(folder_.Write("first.png", TImageDialogFixture::Png(320, 240)));
    PressSave(f);
    const int first = Stored(1);
    const int firstThumbnail = Stored(2);
    ASSERT_GT(firstThumbnail, 0);
    const int images = Images();

    // A second main image chosen without a thumbnail copy, then the box
    // checked again: the tab makes the copy itself.
    UseMain()->click();
    EXPECT_TRUE(Find<QPushButton>(f, "btnSelectThumbnail")->isEnabled());
    ChooseMain(folder_.Write("second.png", TImageDialogFixture::Png(320, 240)));
    const int chosen = Images();
    EXPECT_GT(chosen, images);
    UseMain()->click();
    EXPECT_EQ(Images(), chosen + 1) << "the thumbnail copy made for the new main image";
    EXPECT_NE(Find<QWidget>(f, "prvThumbnailImage"), nullptr);

    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(Images(), images) << "the new image and its copy are gone";
    EXPECT_EQ(Stored(1), first);
    EXPECT_EQ(Stored(2), firstThumbnail);
    EXPECT_TRUE(UseMain()->isChecked());
}

TEST_F(ProductImagesTest, DeletingTheMainImageTakesTheThumbnailAlongAndSavesBothAsNone)
{
    ChooseMain(folder_.Write("lamp.png", TImageDialogFixture::Png(320, 240)));
    PressSave(f);
    ASSERT_GT(Stored(2), 0);
    QTest::mouseClick(Find<QPushButton>(f, "btnDeleteMainImage"), Qt::LeftButton);
    EXPECT_EQ(Find<QWidget>(f, "prvMainImage"), nullptr);
    EXPECT_EQ(Find<QWidget>(f, "prvThumbnailImage"), nullptr);
    EXPECT_FALSE(UseMain()->isChecked());
    EXPECT_FALSE(Find<QPushButton>(f, "btnDeleteMainImage")->isEnabled());
    PressSave(f);
    EXPECT_EQ(Stored(1), 0);
    EXPECT_EQ(Stored(2), 0);
}
