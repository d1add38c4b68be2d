// A picture inserted into a page the way a user inserts it: the page's
// visual editor, Insert Picture, a large JPEG from disk with its main size
// and both copies, OK. The page shows it; after Save and a local publish the
// site's images/ holds the three files at their sizes, under the name the
// page links to; Cancel of the page instead leaves no new image item. A PDF
// inserted with Insert Object is published into bin/ byte for byte. A
// picture picked from the library tab carries the HTML attributes typed there.
#include "ImageDialogFixture.h"
#include "PublishIntoFolder.h"

#include "common/FileContent.h"
#include "editors/media/images/library/FrameMediaLibrary.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/FrameHtmlDataEditor.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/lists/TreeDataView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

namespace {

constexpr int kHtmlPageType = 401;

class InsertPictureIntoPageTest : public TImageDialogFixture {
protected:
    InsertPictureIntoPageTest()
    {
        page = f.Root().Catalog().CreateItem(kHtmlPageType, 1, 0, Code(), f.Main(), 0);
        for (const auto& [property, value] : {std::pair{702, "400"}, std::pair{703, "1000"}, std::pair{705, "200"}})
            f.Data().SetCatalogProperty(property, value, f.Main());
    }

    THtmlEditorWidget* OpenPage()
    {
        EXPECT_TRUE(f.Shell().CatalogUI()->OpenInMainEditor(page, kHtmlPageType, "", ""));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.Editor().Container()->ActivateTabByName("HTMLEditor-html"));
        auto* frame = FrameOfTab<TFrameHtmlPageEditor>(f, "HTMLEditor-html");
        if (!frame)
            return nullptr;
        THtmlEditorWidget* editor = frame->Editor();
        EXPECT_TRUE(QTest::qWaitFor([&] { return editor->IsReady(); }, 20000));
        return editor;
    }

    // Insert Picture with the photo, both copies ticked; the main image's id.
    int InsertPicture(THtmlEditorWidget& editor, const std::string& photo)
    {
        QString html;
        const auto pictures = [&] {
            html = EvaluateInPage(*editor.TopView()->page(), "document.body.innerHTML").toString();
            return html.count("<img");
        };
        const int before = pictures();
        Gui().QueueInput(photo);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnSearch");
            Find<QCheckBox>(window, "chkSaveThumbnail")->setChecked(true);
            Find<QCheckBox>(window, "chkScaleThumbnail")->setChecked(true);
            EXPECT_TRUE(Find<QCheckBox>(window, "chkSaveLarge")->isChecked());
            window.btnContainerOk->click();
        });
        // The caret at the end of the page, where the picture goes.
        EvaluateInPage(*editor.TopView()->page(),
                       "var range = document.createRange(); range.selectNodeContents(document.body);"
                       "range.collapse(false); var s = window.getSelection(); s.removeAllRanges(); s.addRange(range); 1");
        editor.TopView()->setFocus();
        editor.Actions().InsertPicture->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pictures() > before; }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
        EXPECT_EQ(Gui().Messages("error"), std::vector<std::string>{}) << html.toStdString();
        const int at = html.lastIndexOf("../images/");
        return at < 0 ? 0 : html.mid(at + 10).section('.', 0, 0).toInt();
    }

    // Publishes the site locally into Folder; the log when it fails.
    std::string Publish(const std::string& folder) { return PublishIntoFolder(f, folder); }

    int page = 0;
};

}  // namespace

TEST_F(InsertPictureIntoPageTest, StoredWithBothCopiesPublishedAfterSaveGoneAfterCancel)
{
    const std::string photo = Folder().Write("harbour.jpg", Jpeg(2400, 1600));
    THtmlEditorWidget* editor = OpenPage();
    ASSERT_NE(editor, nullptr);

    const int main = InsertPicture(*editor, photo);
    ASSERT_GT(main, 0) << "the page shows the picture";
    Shoot(f, "insert-picture-page");
    AnotherEditorSaves();
    PressSave(f);
    ASSERT_FALSE(f.Editor().Context()->IsModified());

    TTempFolder site;
    ASSERT_EQ(Publish(site.Path()), "");
    const auto sizeOf = [&](int itemId) {
        const std::string file = site.Path() + "/images/" + std::to_string(itemId) + ".jpeg";
        if (!std::filesystem::exists(file))
            return std::string("(missing)");
        const TPicture picture = TPictureFile::Load(file);
        return std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
    };
    TImageSave save({f.Root().Catalog(), f.Data(), f.Root().Catalog().GetObjectFactory()}, f.Main());
    EXPECT_EQ(sizeOf(main), "400 x 266");
    EXPECT_EQ(sizeOf(save.GetLargeItemId(main)), "1000 x 666");
    EXPECT_EQ(sizeOf(save.GetThumbnailItemId(main)), "200 x 133");

    const int images = ImageCount();
    Gui().QueueAnswer(mrNo);  // an image of that name exists: store another one
    const int other = InsertPicture(*editor, photo);
    ASSERT_GT(other, 0);
    EXPECT_EQ(ImageCount(), images + 3);
    PressCancel(f);
    EXPECT_FALSE(ItemExists(other)) << "Cancel of the page leaves no new image item";
    EXPECT_EQ(ImageCount(), images);
}

TEST_F(InsertPictureIntoPageTest, AnObjectInsertedIntoThePageIsPublishedByteIdentical)
{
    const std::string pdf = std::string("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n") + std::string(5000, 'x') + "\n%%EOF\n";
    const std::string file = Folder().Write("manual.pdf", pdf);
    THtmlEditorWidget* editor = OpenPage();
    ASSERT_NE(editor, nullptr);

    Gui().QueueInput(file);
    WhenShown([&](TfrmFrameContainer& window) {
        Click(window, "btnChoose");
        window.btnContainerOk->click();
    });
    QString html;
    const auto objects = [&] {
        html = EvaluateInPage(*editor->TopView()->page(), "document.body.innerHTML").toString();
        return html.count("../bin/");
    };
    EvaluateInPage(*editor->TopView()->page(),
                   "var range = document.createRange(); range.selectNodeContents(document.body);"
                   "range.collapse(false); var s = window.getSelection(); s.removeAllRanges(); s.addRange(range); 1");
    editor->TopView()->setFocus();
    editor->Actions().InsertObject->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return objects() > 0; }, 10000)) << html.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.Editor().Context()->IsModified(); }, 5000));
    const int at = html.indexOf("../bin/");
    const QString name = html.mid(at + 7).section('"', 0, 0);
    ASSERT_TRUE(name.endsWith(".pdf")) << name.toStdString();
    PressSave(f);
    ASSERT_FALSE(f.Editor().Context()->IsModified());

    TTempFolder site;
    ASSERT_EQ(Publish(site.Path()), "");
    EXPECT_EQ(ReadFileContent(site.Path() + "/bin/" + name.toStdString()).value_or("(missing)"), pdf);
}

TEST_F(InsertPictureIntoPageTest, APictureFromTheLibraryTabGetsTheAttributesTypedThere)
{
    const int image = StoreImage("Lighthouse", Jpeg(120, 80));
    THtmlEditorWidget* editor = OpenPage();
    ASSERT_NE(editor, nullptr);

    WhenShown([&](TfrmFrameContainer& window) {
        auto* tabs = window.findChild<QTabWidget*>();
        for (int i = 0; tabs && i < tabs->count(); ++i)
            if (tabs->tabText(i).remove('&') == "Image From Database")
                tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        auto* library = window.findChild<TFrameMediaLibrary*>("TFrameImageDB");
        ASSERT_NE(library, nullptr);
        library->findChild<TTreeDataView*>("tvTreeData")->Select(image);
        QCoreApplication::processEvents();
        auto* alt = library->findChild<QLineEdit*>("edtAlt");
        ASSERT_NE(alt, nullptr) << "the library tab has the HTML attributes";
        EXPECT_TRUE(alt->isVisible());
        TypeOver(alt, "Lit at dusk");
        auto* alignment = library->findChild<QComboBox*>("cbAlignment");
        alignment->setCurrentIndex(alignment->findData("Right"));
        Shot(window, "image-dialog-library-html");
        window.btnContainerOk->click();
    });
    QString html;
    const auto pictures = [&] {
        html = EvaluateInPage(*editor->TopView()->page(), "document.body.innerHTML").toString();
        return html.count("<img");
    };
    EvaluateInPage(*editor->TopView()->page(),
                   "var range = document.createRange(); range.selectNodeContents(document.body);"
                   "range.collapse(false); var s = window.getSelection(); s.removeAllRanges(); s.addRange(range); 1");
    editor->TopView()->setFocus();
    editor->Actions().InsertPicture->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictures() > 0; }, 10000)) << html.toStdString();
    EXPECT_TRUE(html.contains("../images/" + QString::number(image) + ".jpeg")) << html.toStdString();
    EXPECT_TRUE(html.contains("alt=\"Lit at dusk\"", Qt::CaseInsensitive)) << html.toStdString();
    EXPECT_TRUE(html.contains("align=\"Right\"", Qt::CaseInsensitive)) << html.toStdString();
    EXPECT_EQ(f.Data().GetCatalogProperty(728, f.Main()), "Right") << "the next picture's default";
}
