// The picture and binary-object libraries in the program: a picture used by
// a product or named in a page of any language cannot be deleted, an unused
// one goes with the Save and comes back with Cancel, "Delete All
// Unreferenced" keeps what is used and copies in use, and a binary object
// stored through its dialog exports byte-identical.
#include "ImageDialogFixture.h"
#include "../business/BusinessPaneHelpers.h"

#include "catalog/media/MediaFiles.h"
#include "editors/media/images/library/FrameMediaLibrary.h"
#include "editors/site/lists/TreeDataView.h"
#include "common/FileContent.h"
#include "shell/PublishingCommands.h"

#include <QApplication>
#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <regex>

namespace {

class MediaLibraryTest : public TImageDialogFixture {
protected:
    // The images manager in the editor pane, with its library frame.
    TFrameMediaLibrary& OpenManager(const char* editorName = "ImagesManager", const char* frameName = "TFrameImageDB")
    {
        f.Shell().ExecuteAction(std::string("Action=MainPageEditor&EditorName=") + editorName, false);
        QCoreApplication::processEvents();
        auto* frame = f.Window().findChild<TFrameMediaLibrary*>(frameName);
        EXPECT_NE(frame, nullptr);
        return *frame;
    }
    void Select(TFrameMediaLibrary& frame, int itemId)
    {
        frame.findChild<TTreeDataView*>("tvTreeData")->Select(itemId);
        QCoreApplication::processEvents();
    }
    bool Shown(TFrameMediaLibrary& frame, int itemId)
    {
        return frame.findChild<TTreeDataView*>("tvTreeData")->IndexOf(itemId).isValid();
    }
    void Exec(const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& values)
    {
        TQueryGuard query(f.Main());
        query->SetSQL(sql);
        for (const auto& [name, value] : values)
            query->SetParam(name, value);
        query->ExecSQL();
    }
    // A product's member of type 106 holds the picture's id.
    void ProductShows(int imageId)
    {
        static int index = 0;
        ++index;
        Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
             "NumberValue) VALUES (:Code, 999001, 4004, 1, 40, 'XXX', :Index, 106, :Id)",
             {{"Code", Code()}, {"Id", imageId}, {"Index", index}});
    }
    void PageNames(const std::string& lang, const std::string& html)
    {
        Exec("INSERT INTO CText (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
             "TextValue) VALUES (:Code, :Home, 4, 1, 90, :Lang, 0, 52, :Html)",
             {{"Code", Code()}, {"Home", kHome}, {"Lang", lang}, {"Html", html}});
    }
    void SetAltName(int itemId, const std::string& name)
    {
        Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
             "StringValue) VALUES (:Code, :Id, 1, 1, 2, 'XXX', 0, 1, :Name)",
             {{"Code", Code()}, {"Id", itemId}, {"Name", name}});
    }
    int ThumbnailOf(int imageId)
    {
        TImageSave save({f.Root().Catalog(), f.Data(), f.Root().Catalog().GetObjectFactory(), &f.Data().GetFolders()},
                        f.Main());
        return save.GetThumbnailItemId(imageId);
    }
};

TEST_F(MediaLibraryTest, APictureInUseIsRefusedAndAnUnusedOneGoesWithSaveAndComesBackWithCancel)
{
    const int product = StoreImage("On a product", Jpeg(40, 30));
    const int named = StoreImage("Named in a page", Jpeg(40, 30));
    SetAltName(named, "harbour");
    const int unused = StoreImage("Unused", Jpeg(40, 30));
    ProductShows(product);
    PageNames("DE", "<p><img src=\"../images/Harbour.jpeg\"></p>");

    TFrameMediaLibrary& frame = OpenManager();
    for (const int used : {product, named}) {
        Gui().Clear();
        Select(frame, used);
        EXPECT_TRUE(frame.findChild<QPushButton*>("btnDelete")->isEnabled()) << "a picture goes with its copies";
        Gui().QueueAnswer(mrYes);
        Click(frame, "btnDelete");
        EXPECT_EQ(Gui().Messages("error"),
                  std::vector<std::string>{"Cannot delete the image because there is a link to it in catalog"});
        EXPECT_TRUE(Shown(frame, used));
    }

    Select(frame, unused);
    Gui().QueueAnswer(mrYes);
    Click(frame, "btnDelete");
    EXPECT_FALSE(Shown(frame, unused));
    EXPECT_TRUE(ItemExists(unused)) << "written by the Save only";
    PressCancel(f);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Shown(frame, unused)) << "Cancel brings it back";

    const int unusedCopy = ThumbnailOf(unused);
    Select(frame, unused);
    Gui().QueueAnswer(mrYes);
    Click(frame, "btnDelete");
    Shot(*f.Window().window(), "images-manager");
    PressSave(f);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ItemExists(unused));
    EXPECT_FALSE(ItemExists(unusedCopy)) << "its copy went with it";
    for (const int kept : {product, named})
        EXPECT_TRUE(ItemExists(kept));
}

TEST_F(MediaLibraryTest, DeleteAllUnreferencedKeepsWhatIsUsedAndACopyInUse)
{
    const int product = StoreImage("On a product", Jpeg(40, 30));
    const int unused = StoreImage("Unused", Jpeg(40, 30));
    const int copyUsed = StoreImage("Its copy is used", Jpeg(40, 30));
    const int unusedCopy = ThumbnailOf(unused);
    const int usedCopy = ThumbnailOf(copyUsed);
    ASSERT_GT(unusedCopy, 0);
    ASSERT_GT(usedCopy, 0);
    ProductShows(product);
    ProductShows(usedCopy);
    Exec("UPDATE Items SET DontDelete = 1 WHERE CatalogCode = :Code AND ItemType = 301 AND ItemId NOT IN "
         "(:A, :B, :C, :D, :E, :F)",
         {{"Code", Code()}, {"A", product}, {"B", unused}, {"C", copyUsed}, {"D", unusedCopy}, {"E", usedCopy},
          {"F", ThumbnailOf(product)}});

    TFrameMediaLibrary& frame = OpenManager();
    Gui().Clear();
    Gui().QueueAnswer(mrYes);
    Click(frame, "btnDeleteUnreferenced");
    // The unused picture with its thumbnail; a thumbnail its own picture names stays with it.
    EXPECT_EQ(Gui().Messages("information"),
              std::vector<std::string>{"Were deleted 2 unreferenced image(s) from the catalog."});
    PressSave(f);
    QCoreApplication::processEvents();
    EXPECT_FALSE(ItemExists(unused));
    EXPECT_FALSE(ItemExists(unusedCopy));
    for (const int kept : {product, copyUsed, usedCopy})
        EXPECT_TRUE(ItemExists(kept)) << kept;

    Gui().Clear();
    Gui().QueueAnswer(mrYes);
    Click(frame, "btnDeleteUnreferenced");
    EXPECT_EQ(Gui().Messages("information"),
              std::vector<std::string>{"There is no unreferenced images in the catalog."});
}

TEST_F(MediaLibraryTest, APublishAfterDeletingAllUnreferencedHasNoBrokenPictureLink)
{
    const int named = StoreImage("Named by its id", Jpeg(40, 30));
    const int unused = StoreImage("Unused", Jpeg(40, 30));
    const std::string file = std::to_string(named) + ".jpeg";
    // The home page's welcome text names it.
    Exec("UPDATE CText SET TextValue = TextValue || :Img WHERE CatalogCode = :Code AND ItemId = :Home AND "
         "TextValue LIKE '%Welcome to our web site%'",
         {{"Code", Code()}, {"Home", kHome}, {"Img", "<p><img src=\"../images/" + file + "\"></p>"}});

    TFrameMediaLibrary& frame = OpenManager();
    Gui().Clear();
    Gui().QueueAnswer(mrYes);
    Click(frame, "btnDeleteUnreferenced");
    PressSave(f);
    QCoreApplication::processEvents();
    ASSERT_FALSE(ItemExists(unused));
    ASSERT_TRUE(ItemExists(named));

    const TTempFolder site;
    business_test::PublishLocally(f, site.Path());
    // Every picture or object a published page links to was published.
    const std::regex link(R"re(\.\./(images|bin)/([^"'\s)?#]+))re");
    int pages = 0;
    bool namedLinked = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(site.Path())) {
        if (entry.path().extension() != ".html")
            continue;
        ++pages;
        const std::string html = business_test::ReadFile(entry.path());
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::filesystem::path target = std::filesystem::path(site.Path()) / (*it)[1].str() / (*it)[2].str();
            EXPECT_TRUE(std::filesystem::exists(target)) << entry.path() << " links to " << (*it)[0];
            namedLinked = namedLinked || (*it)[2].str() == file;
        }
    }
    EXPECT_GT(pages, 0);
    EXPECT_TRUE(namedLinked) << "the home page shows the picture it names";
}

TEST_F(MediaLibraryTest, BinaryObjectsAreStoredThroughTheirDialogAndExportByteIdentical)
{
    std::string movie("FWS\x09\0\0\x01\xff", 8);
    movie += std::string(3000, '\x33');
    const std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<int> stored;
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"intro.swf", movie}, {"manual.pdf", pdf}}) {
        const std::string file = Folder().Write(name, bytes);
        std::vector<std::string> params = {"FolderName=Documents"};
        Gui().QueueInput(file);
        WhenShown([&](TfrmFrameContainer& window) {
            Click(window, "btnChoose");
            EXPECT_EQ(Find<QLineEdit>(window, "edtCaption")->text().toStdString(), name);
            EXPECT_EQ(Find<QWidget>(window, "pnlObject")->isVisible(), name == "intro.swf");
            Shot(window, ("object-dialog-" + name).c_str());
            window.btnContainerOk->click();
        });
        ASSERT_TRUE(RunDialog("insertbinaryobject", params));
        const int id = Number(params, "ObjectItemId");
        ASSERT_GT(id, 0);
        EXPECT_EQ(ValueOfName(params, "ObjectBytes"), std::to_string(bytes.size()));
        const std::string exported = Folder().Path() + "/exported-" + name;
        ASSERT_TRUE(TMediaFiles::ExportStored(f.Main(), Code(), id, exported));
        EXPECT_EQ(ReadFileContent(exported).value_or(""), bytes);
        stored.push_back(id);
        stored.push_back(ParentOf(id));
    }
    EXPECT_EQ(ItemName(stored[1]), "Documents");
    // The page's Cancel takes the objects away, and the folder made for them.
    f.Editor().Context()->SetModified(true);
    PressCancel(f);
    for (const int item : stored)
        EXPECT_FALSE(ItemExists(item)) << item;
}

// Presses OK in the next Count image dialogs.
void AcceptDialogs(int count)
{
    if (count == 0)
        return;
    WhenShown([count](TfrmFrameContainer& window) {
        AcceptDialogs(count - 1);
        window.btnContainerOk->click();
    });
}

TEST_F(MediaLibraryTest, FileImportImagesBringsAFolderOfPicturesSkippingAnUndecodableOne)
{
    QMenu* import = f.Window().findChild<QMenu*>("miFileImport");
    ASSERT_NE(import, nullptr);
    QAction* images = f.Window().findChild<QAction*>("miFileImportImages");
    ASSERT_NE(images, nullptr);
    EXPECT_TRUE(import->actions().contains(images));

    const std::vector<std::string> files = {Folder().Write("Sea.png", Png(64, 48)), Folder().Write("broken.jpg", "no"),
                                            Folder().Write("Boat.jpg", Jpeg(80, 60))};
    const int before = ImageCount();
    Gui().Clear();
    AcceptDialogs(2);
    EXPECT_TRUE(f.Shell().Publishing().ImportImages(&files));
    EXPECT_EQ(Gui().Messages("warning").size(), 1u);
    EXPECT_NE(Gui().Messages("warning").front().find("broken.jpg"), std::string::npos);
    EXPECT_GE(ImageCount(), before + 2);
    TQueryGuard query(f.Main());
    query->SetSQL("SELECT COUNT(*) AS N FROM Items AS i WHERE i.CatalogCode = :Code AND i.ItemType = 301 AND "
                  "i.ParentItemId IN (SELECT ItemId FROM Items WHERE CatalogCode = :Code AND ItemType = 2 AND "
                  "ParentItemId = 3)");
    query->SetParam("Code", Code());
    EXPECT_EQ(FieldInteger(query->Open(true), "N"), 2) << "both in the import folder";
}

TEST_F(MediaLibraryTest, FileImportImagesInAStyleCatalogNamesEachPictureAfterItsFileWithoutADialog)
{
    f.OpenStyleCatalog(1);
    ASSERT_EQ(Code(), "t#1");
    const std::vector<std::string> files = {Folder().Write("Logo Blue.gif", Gif(12, 8))};
    // No dialog is answered here: a picture dialog would leave the import waiting.
    EXPECT_TRUE(f.Shell().Publishing().ImportImages(&files));
    const int id = f.Root().Catalog().FindItemByAltFileName("LogoBlue", f.Main(), Code(), 301);
    EXPECT_GT(id, 600000);
    EXPECT_LT(id, 690000);
    EXPECT_EQ(ItemName(id), "LogoBlue");
}

}  // namespace
