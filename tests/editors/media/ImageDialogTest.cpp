// The image dialog in the running program, on the connection of the page
// editor that opens it: a picture from disk stored with its copies (whole,
// committed through the page editor, kept by its Save and taken back by its
// Cancel, never keeping other editors from saving), a broken or over-size
// file refused with a message while the image it would replace and the
// pages using it stay as they were, the name per language and the answers
// the caller reads.
#include "ImageDialogFixture.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/media/images/FrameImageSource.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

class ImageDialogTest : public TImageDialogFixture {};

// Each dialog name opens the image dialog with the catalog's sizes it calls
// for; the library tab is left out when the caller asks; the icon dialog's
// file dialog lists icons only; Cancel stores nothing and leaves the
// caller's list as it was built, with the added sizes.
TEST_F(ImageDialogTest, EachDialogNameAddsItsSizesAndCancelStoresNothing)
{
    for (const auto& [property, value] : {std::pair{702, "400"}, {703, "1000"}, {704, "150"}, {705, "120"}})
        f.Data().SetCatalogProperty(property, value, f.Main());
    const std::string photo = Folder().Write("boat.jpg", Jpeg(60, 40));
    const std::string disk = "Image From Disk", library = "Image From Database", inet = "Image From Internet";
    struct Case {
        std::string name;
        std::vector<std::string> params;
        std::vector<std::string> added;
        std::vector<std::string> tabs;
    };
    const Case cases[] = {
        {"Image", {"FolderName=Boats"}, {"MainImageSize=400", "ThumbnailImageSize=120", "LargeImageSize=1000"},
         {disk, library, inet}},
        {"imagethumbnail", {}, {"MainImageSize=120", "DontNeedLargeCopy=yes"}, {disk, library, inet}},
        {"logoimage", {"DontShowDatabaseList=yes"}, {"MainImageSize=150", "DontNeedLargeCopy=yes"}, {disk, inet}},
        {"htmlimage", {}, {"ShowHtmlAttributes=yes"}, {disk, library, inet}},
        {"iconimage", {}, {"OnlyImageFormat=Icon files (*.ico)|*.ico"}, {disk, library, inet}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> params = c.params;
        std::vector<std::string> tabs;
        const int images = ImageCount();
        Gui().Clear();
        Gui().QueueInput(photo);
        WhenShown([&](TfrmFrameContainer& window) {
            const auto* pages = window.findChild<QTabWidget*>();
            for (int i = 0; pages && i < pages->count(); ++i)
                tabs.push_back(pages->tabText(i).remove('&').toStdString());
            Click(window, "btnSearch");
            Shot(window, ("image-dialog-" + c.name).c_str());
            window.btnContainerCancel->click();
        });
        EXPECT_FALSE(RunDialog(c.name, params));
        EXPECT_EQ(tabs, c.tabs);
        std::vector<std::string> expected = c.params;
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(params, expected) << "the caller's list, with the added sizes alone";
        EXPECT_EQ(ImageCount(), images);
        ASSERT_FALSE(Gui().Shown().empty());
        EXPECT_EQ(Gui().Shown().back().message,
                  c.name == "iconimage" ? "Icon files (*.ico)|*.ico"
                                        : "Pictures (*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico)|*.jpg;*.jpeg;*.gif;*.png;"
                                          "*.bmp;*.ico|All files (*.*)|*")
            << "the filter of the file dialog";
    }
}

TEST_F(ImageDialogTest, APictureFromDiskIsStoredWithBothCopiesAndTheCallerDecides)
{
    const std::string photo = Folder().Write("Harbour view.jpg", Jpeg(1600, 1200));
    std::vector<std::string> params = HtmlPictureParams();
    Gui().QueueInput(photo);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnSearch");
        EXPECT_EQ(Find<QLineEdit>(window, "edtImageName")->text(), "Harbour view");
        EXPECT_TRUE(Find<QCheckBox>(window, "chkScaleImage")->isChecked()) << "1600 x 1200 exceeds 400";
        EXPECT_TRUE(Find<QCheckBox>(window, "chkSaveLarge")->isChecked()) << "it exceeds the main size";
        EXPECT_TRUE(Find<QCheckBox>(window, "chkScaleLarge")->isChecked()) << "and the large size";
        EXPECT_FALSE(Find<QCheckBox>(window, "chkSaveThumbnail")->isChecked()) << "offered, not ticked";
        Find<QCheckBox>(window, "chkSaveThumbnail")->setChecked(true);
        EXPECT_TRUE(Find<QCheckBox>(window, "chkScaleThumbnail")->isVisible());
        Find<QCheckBox>(window, "chkScaleThumbnail")->setChecked(true);
        EXPECT_EQ(Find<QLineEdit>(window, "edtAlt")->text(), "Harbour view") << "the alternate text follows the name";
        TypeOver(Find<QLineEdit>(window, "edtAltFileName"), "my pic!.jpg");
        EXPECT_EQ(Find<QLineEdit>(window, "edtAltFileName")->text(), "mypicjpg");
        Shot(window, "image-dialog-disk");
        window.btnContainerOk->click();
    });
    ASSERT_TRUE(RunDialog("htmlimage", params));

    const int main = Number(params, "ImageItemId");
    const int thumbnail = Number(params, "ThumbnailImageItemId");
    const int large = Number(params, "LargeImageItemId");
    ASSERT_GT(main, 0);
    EXPECT_EQ(Answers(params, {"ImageWidth", "ImageHeight", "ImageMimeType", "AltFileName", "Alt", "Caption"}),
              "400|300|image/jpeg|mypicjpg|Harbour view|Harbour view");
    EXPECT_EQ(Answers(params, {"ThumbnailImageWidth", "LargeImageWidth", "LargeImageHeight", "LargeAltFileName"}),
              "200|1000|750|mypicjpg_large");
    EXPECT_EQ(StoredSize(thumbnail), "200 x 150");
    EXPECT_EQ(StoredSize(large), "1000 x 750");
    EXPECT_EQ(ItemName(ParentOf(main)), "Design images");
    EXPECT_TRUE(ItemExists(main)) << "committed: the main connection sees it";
    AnotherEditorSaves();

    f.Editor().Context()->SetModified(true);
    PressCancel(f);
    for (const int item : {main, thumbnail, large})
        EXPECT_FALSE(ItemExists(item)) << "the page's Cancel leaves no new image item";
    EXPECT_FALSE(ItemExists(ParentOf(main))) << "nor the folder made for it";
}

TEST_F(ImageDialogTest, ABrokenOrOverSizeFileLeavesTheImageItWouldReplace)
{
    const int image = StoreImage("Logo", Jpeg(300, 200));
    const std::string before = StoredRows(image);
    const std::string whole = Jpeg(800, 600);
    const std::string truncated = Folder().Write("cut.jpg", whole.substr(0, whole.size() * 2 / 3));
    const std::string huge = Folder().Path() + "/huge.jpg";
    {
        std::ofstream(huge) << "\xFF\xD8\xFF";
        std::filesystem::resize_file(huge, TPictureFile::MaxBytes + 1);
    }
    for (const std::string& file : {truncated, huge}) {
        SCOPED_TRACE(file);
        std::vector<std::string> params = {"ParentItemId=" + std::to_string(image)};
        Gui().QueueInput(file);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnSearch");
            EXPECT_FALSE(window.btnContainerOk->isEnabled()) << "no picture to store";
            window.btnContainerCancel->click();
        });
        EXPECT_FALSE(RunDialog("image", params));
        ASSERT_FALSE(Gui().Messages("error").empty());
        EXPECT_NE(Gui().Messages("error").back().find(file == huge ? "too large" : "cannot be read"), std::string::npos)
            << Gui().Messages("error").back();
        EXPECT_EQ(StoredRows(image), before) << "the old picture, its names and copies stay";
    }
}

TEST_F(ImageDialogTest, AnImageOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo)
{
    const int existing = StoreImage("Boat", Jpeg(40, 30));
    const std::string photo = Folder().Write("Boat.png", Png(60, 40));
    struct Case { int answer; const char* what; };
    for (const Case c : {Case{mrCancel, "cancel stores nothing"}, Case{mrNo, "no stores a second image"},
                         Case{mrYes, "yes replaces it"}}) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> params;
        const int images = ImageCount();
        Gui().QueueInput(photo);
        Gui().QueueAnswer(c.answer);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnSearch");
            window.btnContainerOk->click();
        });
        EXPECT_TRUE(RunDialog("image", params));
        const int stored = Number(params, "ImageItemId");
        if (c.answer == mrCancel) {
            EXPECT_EQ(stored, 0);
            EXPECT_EQ(ImageCount(), images);
        } else if (c.answer == mrNo) {
            EXPECT_NE(stored, existing);
            EXPECT_EQ(ImageCount(), images + 1);
        } else {
            EXPECT_EQ(stored, existing);
            EXPECT_EQ(StoredSize(existing), "60 x 40");
            EXPECT_EQ(StoredMimeType(existing), "image/png");
        }
    }
}

// The user names the picture in each language by switching the dialog's
// editing language: the name field shows that language's name, and every
// name typed is stored in its own language.
TEST_F(ImageDialogTest, TheNameIsTypedAndStoredInEachLanguage)
{
    AddDataLanguage(f, "DE");
    const std::string photo = Folder().Write("Boat.jpg", Jpeg(60, 40));
    std::vector<std::string> params;
    Gui().QueueInput(photo);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnSearch");
        auto* name = Find<QLineEdit>(window, "edtImageName");
        TTolvexControlClass* context = window.findChild<TFrameImageSource*>()->GetContext();
        EXPECT_EQ(name->text(), "Boat");
        context->SetCurrentLangCode("DE");
        EXPECT_EQ(name->text(), "") << "no German name yet";
        TypeOver(name, "Boot");
        context->SetCurrentLangCode("EN");
        EXPECT_EQ(name->text(), "Boat");
        TypeOver(name, "Sailing boat");
        context->SetCurrentLangCode("DE");
        EXPECT_EQ(name->text(), "Boot");
        window.btnContainerOk->click();
    });
    ASSERT_TRUE(RunDialog("image", params));
    const int image = Number(params, "ImageItemId");
    ASSERT_GT(image, 0);
    EXPECT_EQ(f.Data().GetItemName(image, f.Main(), "EN"), "Sailing boat");
    EXPECT_EQ(f.Data().GetItemName(image, f.Main(), "DE"), "Boot");
    EXPECT_EQ(ValueOfName(params, "Caption"), "Boot") << "the name field as OK found it";
}

// The HTML attributes come back as answers, and the spacing and alignment
// the user chose become the catalog's defaults for the next picture.
TEST_F(ImageDialogTest, TheLayoutChosenForAPictureIsTheNextPicturesDefault)
{
    const std::string photo = Folder().Write("dock.png", Png(80, 60));
    std::vector<std::string> params;
    Gui().QueueInput(photo);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnSearch");
        Find<QSpinBox>(window, "edtHorizontal")->setValue(6);
        Find<QSpinBox>(window, "edtBorder")->setValue(2);
        auto* alignment = Find<QComboBox>(window, "cbAlignment");
        alignment->setCurrentIndex(alignment->findData("Right"));
        TypeOver(Find<QLineEdit>(window, "edtDescription"), "The dock");
        window.btnContainerOk->click();
    });
    ASSERT_TRUE(RunDialog("htmlimage", params));
    EXPECT_EQ(Answers(params, {"HorizontalSpacing", "VerticalSpacing", "Alignment", "BorderThinkness", "BorderColor",
                               "Description", "Alt", "PopupLarge"}),
              "6|0|Right|2|None|The dock|dock|no");
    EXPECT_EQ(f.Data().GetCatalogProperty(726, f.Main()), "6") << "committed with the picture";
    EXPECT_EQ(f.Data().GetCatalogProperty(728, f.Main()), "Right");

    params.clear();
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_EQ(Find<QSpinBox>(window, "edtHorizontal")->value(), 6);
        EXPECT_EQ(Find<QComboBox>(window, "cbAlignment")->currentData().toString(), "Right");
        window.btnContainerCancel->click();
    });
    EXPECT_FALSE(RunDialog("htmlimage", params));
}

// A caller that names the file has it loaded when the dialog opens, with OK
// enabled at once; "This is background image" shows only when offered.
TEST_F(ImageDialogTest, AFileNamedByTheCallerIsLoadedAndMayBeABackground)
{
    const std::string photo = Folder().Write("sand.jpg", Jpeg(90, 30));
    std::vector<std::string> params = {"InitFileName=" + photo, "CanBackground=yes"};
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_EQ(Find<QLineEdit>(window, "edtFileName")->text().toStdString(), photo);
        EXPECT_EQ(Find<QLineEdit>(window, "edtImageName")->text(), "sand");
        EXPECT_TRUE(window.btnContainerOk->isEnabled());
        auto* background = Find<QCheckBox>(window, "chkBackground");
        EXPECT_TRUE(background->isVisible());
        EXPECT_FALSE(background->isChecked());
        background->setChecked(true);
        window.btnContainerOk->click();
    });
    ASSERT_TRUE(RunDialog("image", params));
    const int image = Number(params, "ImageItemId");
    ASSERT_GT(image, 0);
    EXPECT_EQ(Answers(params, {"IsBackground", "ImageWidth", "ImageHeight"}), "yes|90|30");
    const std::unique_ptr<TTolvexObject> stored =
        f.Root().Catalog().GetObjectFactory().GetObjectTyped(image, 5, f.Main(), Code());
    EXPECT_TRUE(stored->GetLangBoolean("IsBackgroundImage", "XXX", 0));

    params = {"InitFileName=" + photo};
    WhenShown([&](TfrmFrameContainer& window) {
        EXPECT_FALSE(Find<QCheckBox>(window, "chkBackground")->isVisible()) << "not offered";
        window.btnContainerCancel->click();
    });
    EXPECT_FALSE(RunDialog("image", params));
}

TEST_F(ImageDialogTest, ATurnedPictureIsStoredTurnedAndTheThumbnailCannotBeUnticked)
{
    const std::string photo = Folder().Write("tall.gif", Gif(120, 60));
    std::vector<std::string> params = {"MustThumbnailCopy=yes", "ThumbnailImageSize=30", "MainImageSize=1000"};
    Gui().QueueInput(photo);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnSearch");
        auto* thumbnail = Find<QCheckBox>(window, "chkSaveThumbnail");
        EXPECT_TRUE(thumbnail->isChecked());
        EXPECT_FALSE(thumbnail->isEnabled());
        EXPECT_FALSE(Find<QCheckBox>(window, "chkScaleImage")->isChecked()) << "a picture that fits is not scaled";
        Click(window, "btnRotateRight");
        Shot(window, "image-dialog-turned");
        window.btnContainerOk->click();
    });
    ASSERT_TRUE(RunDialog("image", params));
    EXPECT_EQ(Answers(params, {"ImageWidth", "ImageHeight", "ImageMimeType"}), "60|120|image/gif");
    EXPECT_EQ(StoredSize(Number(params, "ThumbnailImageItemId")), "15 x 30");
}

}  // namespace

namespace {

TEST_F(ImageDialogTest, AnOverwrittenImageOrItsThumbnailComesBackWithThePagesCancel)
{
    const int image = StoreImage("Logo", Jpeg(300, 200));
    TImageSave reader({f.Root().Catalog(), f.Data(), f.Root().Catalog().GetObjectFactory()}, f.Main());
    const int thumbnail = reader.GetThumbnailItemId(image);
    ASSERT_GT(thumbnail, 0);
    const std::string before = StoredRows(image);
    const std::string photo = Folder().Write("new logo.png", Png(90, 60));
    struct Case { std::vector<std::string> params; int replaced; const char* size; };
    const Case cases[] = {
        {{"ParentItemId=" + std::to_string(image)}, image, "90 x 60"},
        {{"ParentItemId=" + std::to_string(image), "SaveAsThumbnail=yes"}, thumbnail, "90 x 60"},
    };
    for (Case c : cases) {
        Gui().QueueInput(photo);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnSearch");
            window.btnContainerOk->click();
        });
        ASSERT_TRUE(RunDialog("image", c.params));
        EXPECT_EQ(Number(c.params, "ImageItemId"), c.replaced);
        EXPECT_EQ(StoredSize(c.replaced), c.size);
        EXPECT_NE(StoredRows(image), before);
        AnotherEditorSaves();
        f.Editor().Context()->SetModified(true);
        PressCancel(f);
        EXPECT_EQ(StoredRows(image), before) << "the old picture, names and copy are back";
    }
}

}  // namespace
