// Image members edited in the running program: the company's logo (select
// through the image dialog, save, reopen shows it; Cancel brings the old
// logo back and takes the new image away), and the image member tabs, one
// image ("LinkedImage...", "...CommonImageEditor" configured by its editor's
// parameters) and a list of images.
#include "ImageDialogFixture.h"

#include "catalog/CatalogData.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/media/images/CommonImageEditor.h"
#include "editors/media/images/FrameImageContainer.h"
#include "editors/media/images/FrameImageSource.h"
#include "editors/media/images/FrameImageDataEditor.h"
#include "editors/media/images/FrameMultipleImageDataEditor.h"
#include "editors/media/images/ImageMemberModel.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

constexpr int kCompany = 2001;

class ImageMemberTabsTest : public TImageDialogFixture {
protected:
    void OpenCompany()
    {
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kHome, f.Editor().GetItemType(), "", ""));
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kCompany, kCompany, "", ""));
        QCoreApplication::processEvents();
        ASSERT_TRUE(f.Editor().Container()->ActivateTabByName("CompanyEditor-basic"));
    }
    // Chooses the picture file in the image dialog the button opens.
    void ChooseLogo(const std::string& file)
    {
        Gui().QueueInput(file);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnSearch");
            window.btnContainerOk->click();
        });
        QTest::mouseClick(f.EditorPane()->findChild<QPushButton*>("btnSelectLogo"), Qt::LeftButton);
    }
    // The logo the company item holds, read through the main connection.
    int StoredLogo()
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :Code AND ItemId = 2001 AND ClassId = 3 "
                      "AND MemberId = 3");
        query->SetParam("Code", Code());
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? 0 : FieldInteger(rows, "NumberValue");
    }
    std::string ShownCaption()
    {
        auto* preview = f.EditorPane()->findChild<TFrameImageContainer*>("prvLogo");
        return preview ? preview->Model().CaptionText() : "(no preview)";
    }
};

}  // namespace

TEST_F(ImageMemberTabsTest, TheCompanyLogoIsKeptBySaveAndRestoredByCancel)
{
    OpenCompany();
    EXPECT_EQ(ShownCaption(), "(no preview)");
    ChooseLogo(Folder().Write("acme.png", Png(180, 60)));
    EXPECT_TRUE(f.Editor().Context()->IsModified());
    EXPECT_EQ(ShownCaption().rfind("acme (url: ../images/", 0), 0u) << ShownCaption();
    Shoot(f, "company-logo");
    PressSave(f);
    const int logo = StoredLogo();
    ASSERT_GT(logo, 0);

    OpenCompany();
    EXPECT_EQ(ShownCaption(), "acme (url: ../images/" + std::to_string(logo) + ".png)") << "reopened, it shows";

    ChooseLogo(Folder().Write("other.gif", Gif(50, 50)));
    EXPECT_EQ(ShownCaption().rfind("other", 0), 0u);
    const int images = ImageCount();
    PressCancel(f);
    EXPECT_EQ(StoredLogo(), logo);
    EXPECT_EQ(ImageCount(), images - 1) << "the image made for the cancelled logo is gone";
    EXPECT_EQ(ShownCaption().rfind("acme", 0), 0u) << "the old logo shows again";
}

namespace {

// The product's list of additional images, as a product tab would configure it.
class TAdditionalImagesFrame : public TFrameMultipleImageDataEditor {
public:
    explicit TAdditionalImagesFrame(TFrameSite& site) : TFrameMultipleImageDataEditor(site)
    {
        Config.ClassTag = "MultipleAdditionalImages";
        Config.Member = "AdditionalImage";
        Config.FolderName = "Products";
    }
};

void RegisterAdditionalImages(TInternalPluginsManager& registry)
{
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TAdditionalImagesFrame>>(
        "TestAdditionalImages", "TAdditionalImagesFrame", "Photos", "Photos-basic", false));
    // A catalog definition's image tab for the company's logo, with its parameters.
    registry.RegisterPluginClass("TestLogo", pkItemEditor, [](const std::string& name, const std::string&) {
        return std::unique_ptr<TAbstractPluginClass>(new TCommonImageEditor(
            name, "class=CommonCompanyInfo&member=CompanyLogoImage&savelarge=yes&foldername=Logos&itemid=2001& "
                  "tabcaption = Logo "));
    });
}

class ImageMemberFramesTest : public TImageDialogFixture {
protected:
    ImageMemberFramesTest() : TImageDialogFixture(RegisterAdditionalImages) {}

    // The home page opened in the main editor with that one editor.
    void OpenWith(const std::string& editor)
    {
        const int type = f.Data().GetItemDescription(kHome, Code(), f.Main()).ItemType;
        ASSERT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(kCompany, kCompany, "", ""));
        f.Editor().PrepareOpen(0, 0, "", "");
        ASSERT_TRUE(f.Editor().OpenItemWithEditor(kHome, kHome, type, editor, "", nullptr));
        QCoreApplication::processEvents();
    }
    // Presses Button and stores the file in the image dialog it opens; the dialog's parameters seen.
    void AddThrough(const char* button, const std::string& file, std::vector<std::string>* seen = nullptr)
    {
        Gui().QueueInput(file);
        WhenShown([&, seen](TfrmFrameContainer& window) {
            if (seen)
                *seen = *window.findChild<TFrameImageSource*>()->GetContext()->GetParams();
            Click(window, "btnSearch");
            window.btnContainerOk->click();
        });
        QTest::mouseClick(f.EditorPane()->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    std::vector<int> StoredMember(int itemId, int classId, int memberId)
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT NumberValue FROM CNumbers WHERE CatalogCode = :Code AND ItemId = :Id AND ClassId = :C "
                      "AND MemberId = :M ORDER BY IndexId");
        query->SetParam("Code", Code());
        query->SetParam("Id", itemId);
        query->SetParam("C", classId);
        query->SetParam("M", memberId);
        std::vector<int> values;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            values.push_back(FieldInteger(rows, "NumberValue"));
        return values;
    }
};

}  // namespace

TEST_F(ImageMemberFramesTest, OneImageIsSelectedDeletedAndCancelledAsTheEditorSays)
{
    OpenWith("LinkedImageGallery");
    auto* frame = f.EditorPane()->findChild<TFrameImageDataEditor*>();
    ASSERT_NE(frame, nullptr);
    auto* remove = f.EditorPane()->findChild<QPushButton*>("btnDelete");
    EXPECT_FALSE(remove->isEnabled()) << "nothing to delete yet";

    std::vector<std::string> seen;
    AddThrough("btnSelect", Folder().Write("front.jpg", Jpeg(120, 80)), &seen);
    EXPECT_EQ(ValueOfName(seen, "FolderName"), "Imported");
    EXPECT_EQ(ValueOfName(seen, "NeedLargeCopy"), "") << "the LinkedImage tab asks for no copy";
    EXPECT_TRUE(remove->isEnabled());
    Shoot(f, "linked-image");
    PressSave(f);
    const std::vector<int> stored = StoredMember(kHome, 307, 1);
    ASSERT_EQ(stored.size(), 1u);
    const int image = stored[0];

    QTest::mouseClick(remove, Qt::LeftButton);
    Shoot(f, "linked-image-none");
    PressSave(f);
    EXPECT_EQ(StoredMember(kHome, 307, 1), std::vector<int>{}) << "0, which is no value";
    EXPECT_TRUE(ItemExists(image)) << "the image stays in the library";

    AddThrough("btnSelect", Folder().Write("back.jpg", Jpeg(60, 40)));
    const int added = ImageCount();
    PressCancel(f);
    EXPECT_EQ(StoredMember(kHome, 307, 1), std::vector<int>{}) << "the member keeps its stored value";
    EXPECT_EQ(ImageCount(), added - 1) << "and the image stored in the dialog goes with the Cancel";
}

TEST_F(ImageMemberFramesTest, AnImageTabConfiguredByItsParametersEditsTheCompanyLogo)
{
    OpenWith("TestLogo");
    EXPECT_EQ(f.EditorPane()->findChild<QTabWidget*>()->tabText(0), "Logo");
    std::vector<std::string> seen;
    AddThrough("btnSelect", Folder().Write("logo.png", Png(300, 100)), &seen);
    EXPECT_EQ(ValueOfName(seen, "FolderName"), "Logos");
    EXPECT_EQ(ValueOfName(seen, "NeedLargeCopy"), "yes");
    PressSave(f);
    const std::vector<int> logo = StoredMember(kCompany, 3, 3);
    ASSERT_EQ(logo.size(), 1u);
    EXPECT_EQ(ItemName(ParentOf(logo[0])), "Logos");
}

TEST_F(ImageMemberFramesTest, AListOfImagesIsStoredInRowOrder)
{
    OpenWith("TestAdditionalImages");
    auto* frame = f.EditorPane()->findChild<TFrameMultipleImageDataEditor*>();
    ASSERT_NE(frame, nullptr);
    for (const char* name : {"first.jpg", "second.jpg", "third.jpg"})
        AddThrough("btnNew", Folder().Write(name, Jpeg(40, 30)));
    ASSERT_EQ(frame->List()->topLevelItemCount(), 3);
    EXPECT_EQ(frame->List()->topLevelItem(2)->text(0), "third");
    Shoot(f, "additional-images");
    PressSave(f);
    const std::vector<int> three = StoredMember(kHome, 4012, 1);
    ASSERT_EQ(three.size(), 3u);

    frame->List()->setCurrentItem(frame->List()->topLevelItem(1));
    Gui().QueueAnswer(mrYes);
    QTest::mouseClick(f.EditorPane()->findChild<QPushButton*>("btnDelete"), Qt::LeftButton);
    PressSave(f);
    EXPECT_EQ(StoredMember(kHome, 4012, 1), (std::vector<int>{three[0], three[2]}));
    EXPECT_TRUE(ItemExists(three[1]));

    // In another language each image shows its name there, else the default language's.
    f.Editor().Context()->CommitNow([&](TAbstractDBConnection& connection) {
        const std::unique_ptr<TTolvexObject> names =
            f.Root().Catalog().GetObjectFactory().GetObjectTyped(three[2], 1, connection, Code());
        names->SetStringById(1, "DE", "dritte", 0);
        names->Save();
    });
    AddDataLanguage(f, "DE");
    f.Shell().ActionHost().SetCurrentLangCode("DE");
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Editor().Context()->GetCurrentLangCode(), "DE");
    ASSERT_EQ(frame->List()->topLevelItemCount(), 2);
    EXPECT_EQ(frame->List()->topLevelItem(0)->text(0), "first");
    EXPECT_EQ(frame->List()->topLevelItem(1)->text(0), "dritte");
}
