// The image item's editor in the running program: the editing tab crops,
// turns, resamples, applies an effect and changes JPEG to GIF, and Save
// stores that picture (offering to make the copies again), Cancel gives the
// old one back; "Update From File" keeps the new picture in the item until
// Save and detaches the copies; leaving the editing tab with a preview not
// applied asks first.
#include "../../ImageDialogFixture.h"

#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/media/images/edit/FrameEditImages.h"
#include "editors/media/images/edit/FrameImageEditor.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectFactory.h"

#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

namespace {

constexpr int kImageType = 301;

class ImageItemEditorTest : public TImageDialogFixture {
protected:
    TFrameEditImages* OpenEditingTab(int imageId)
    {
        EXPECT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(imageId, kImageType, "", ""));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.Editor().Container()->ActivateTabByName("ImageEditor-editor"));
        QCoreApplication::processEvents();
        return FrameOfTab<TFrameEditImages>(f, "ImageEditor-editor");
    }
    int StoredNumber(int itemId, const char* member)
    {
        const std::unique_ptr<TAbstractCObject> image =
            f.Root().Catalog().GetObjectFactory().GetObject(itemId, kImageClassId, f.Main(), Code());
        return image ? image->GetLangInteger(member, kNoLanguageCode, 0) : -1;
    }
    // Crop, turn and resample, darken, then GIF.
    void EditEverything(TFrameEditImages& frame)
    {
        frame.ShowPage(TFrameEditImages::TPage::Crop);
        frame.findChild<QSpinBox*>("spnLeft")->setValue(11);
        frame.findChild<QSpinBox*>("spnTop")->setValue(11);
        frame.findChild<QSpinBox*>("spnRight")->setValue(160);
        frame.findChild<QSpinBox*>("spnBottom")->setValue(90);
        Shoot(f, "image-crop");
        ASSERT_TRUE(frame.ApplyPage());
        frame.ShowPage(TFrameEditImages::TPage::Sizes);
        frame.Model().RotateRight();
        frame.findChild<QSpinBox*>("spnWidth")->setValue(40);
        EXPECT_EQ(frame.findChild<QSpinBox*>("spnHeight")->value(), 75);
        ASSERT_TRUE(frame.ApplyPage());
        frame.ShowPage(TFrameEditImages::TPage::Effects);
        frame.findChild<QListWidget*>("lstEffects")->setCurrentRow(6);  // Darkness
        ASSERT_TRUE(frame.ApplyPage());
        frame.ShowPage(TFrameEditImages::TPage::Type);
        auto* format = frame.findChild<QComboBox*>("cmbFormat");
        format->setCurrentIndex(format->findText("GIF"));
        ASSERT_TRUE(frame.ApplyPage());
    }
};

}  // namespace

TEST_F(ImageItemEditorTest, EditedPictureIsStoredBySaveAndDroppedByCancel)
{
    const int image = StoreImage("Boat", Jpeg(200, 100));
    const int thumbnail = StoredNumber(image, "ThumbnailItemId");
    ASSERT_GT(thumbnail, 0);
    const std::string before = StoredRows(image);

    TFrameEditImages* frame = OpenEditingTab(image);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Model().Picture().Width(), 200);
    EditEverything(*frame);
    Shoot(f, "image-editing");
    PressCancel(f);
    EXPECT_EQ(StoredRows(image), before) << "Cancel leaves the stored picture as it was";
    EXPECT_EQ(StoredSize(image), "200 x 100");

    frame = OpenEditingTab(image);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Model().Picture().Width(), 200) << "after Cancel the old picture shows again";
    EditEverything(*frame);
    Gui().QueueAnswer(6);  // make the copies again
    PressSave(f);
    EXPECT_EQ(StoredSize(image), "40 x 75");
    EXPECT_EQ(StoredMimeType(image), "image/gif");
    EXPECT_EQ(StoredNumber(image, "ImageWidth"), 40);
    EXPECT_EQ(StoredNumber(image, "ThumbnailItemId"), thumbnail) << "the copy keeps its item";
    EXPECT_EQ(StoredSize(thumbnail), "10 x 20") << "the thumbnail is made again from the turned picture";
    bool offered = false;
    for (const std::string& question : Gui().Messages("question"))
        offered = offered || question.find("copies again") != std::string::npos;
    EXPECT_TRUE(offered);
}

TEST_F(ImageItemEditorTest, UpdateFromFileWaitsForSaveAndDetachesTheCopies)
{
    const int image = StoreImage("Boat", Jpeg(200, 100));
    const int thumbnail = StoredNumber(image, "ThumbnailItemId");
    ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(image, kImageType, "", ""));
    QCoreApplication::processEvents();
    auto* frame = FrameOfTab<TFrameImageEditor>(f, "ImageEditor-basic");
    ASSERT_NE(frame, nullptr);
    const std::string file = Folder().Write("new.png", Png(64, 48));

    ASSERT_TRUE(frame->UpdateFromFile(file));
    EXPECT_EQ(StoredSize(image), "200 x 100") << "nothing is written before Save";
    Shoot(f, "image-item");
    PressCancel(f);
    EXPECT_EQ(StoredSize(image), "200 x 100");
    EXPECT_EQ(StoredNumber(image, "ThumbnailItemId"), thumbnail);

    ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(image, kImageType, "", ""));
    QCoreApplication::processEvents();
    frame = FrameOfTab<TFrameImageEditor>(f, "ImageEditor-basic");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->UpdateFromFile(file));
    PressSave(f);
    EXPECT_EQ(StoredSize(image), "64 x 48");
    EXPECT_EQ(StoredMimeType(image), "image/png");
    EXPECT_EQ(StoredNumber(image, "ThumbnailItemId"), 0);
    EXPECT_TRUE(ItemExists(thumbnail)) << "the detached copy stays in the library";
}

TEST_F(ImageItemEditorTest, LeavingTheTabWithAPreviewNotAppliedAsks)
{
    const int image = StoreImage("Boat", Jpeg(120, 80));
    TFrameEditImages* frame = OpenEditingTab(image);
    ASSERT_NE(frame, nullptr);
    frame->ShowPage(TFrameEditImages::TPage::Effects);
    frame->findChild<QListWidget*>("lstEffects")->setCurrentRow(4);  // Contrast
    ASSERT_TRUE(frame->Model().HasPendingPreview());
    Shoot(f, "image-effects");

    Gui().QueueAnswer(2);  // stay
    f.Editor().Container()->ActivateTabByName("ImageEditor-basic");
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Editor().Container()->GetActiveTabName(), "ImageEditor-editor");
    EXPECT_TRUE(frame->Model().HasPendingPreview());

    Gui().QueueAnswer(6);  // apply, then leave
    f.Editor().Container()->ActivateTabByName("ImageEditor-basic");
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Editor().Container()->GetActiveTabName(), "ImageEditor-basic");
    EXPECT_TRUE(frame->Model().PictureChanged());
    EXPECT_TRUE(f.Editor().Context()->IsModified());
}
