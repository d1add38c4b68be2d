// Images and binary objects stored in a catalog database: loading them as
// pictures and bytes, their file names, the images and binary objects a
// catalog uses, and replacing image references by catalog addresses.
#include "SQLiteFixture.h"

#include "common/CRC32.h"
#include "common/CommonBinary.h"
#include "common/CommonImages.h"
#include "common/PictureCodec.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <sstream>

namespace {

constexpr const char* Catalog = "shop";

class StoredImageTest : public SQLiteFixture {
protected:
    void SetUp() override
    {
        factory = MakeFactory();
        ASSERT_TRUE(factory->CreateDatabase(dir, "", "catalog", "", "", 0));
        ASSERT_TRUE(factory->OpenDatabase(dir, "catalog", "", ""));
        CreateCatalogTables(Main());
    }
    TAbstractDBConnection& Main() { return factory->GetConnection(); }

    void AddItem(int itemId, int linkedItemId, const std::string& catalog = Catalog)
    {
        Exec(Main(),
             "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId) "
             "VALUES (:Code, :Id, 301, 3, :Linked)",
             {{"Code", catalog}, {"Id", itemId}, {"Linked", linkedItemId}});
    }

    void AddInstance(int itemId, int classId, int instanceId, int parentInstanceId = 0,
                     const std::string& catalog = Catalog)
    {
        Exec(Main(),
             "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
             "VALUES (:Code, :Id, :Class, :Parent, :Instance)",
             {{"Code", catalog}, {"Id", itemId}, {"Class", classId}, {"Parent", parentInstanceId},
              {"Instance", instanceId}});
    }

    void AddBinary(int itemId, int instanceId, const std::string& mimeType, const std::string& bytes,
                   const std::string& lang = "XXX", int memberId = 6, const std::string& catalog = Catalog)
    {
        Exec(Main(),
             "INSERT INTO CBinary (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
             "MemberType, DataBlob, DataCrc, DataBytes, DataMimeType) "
             "VALUES (:Code, :Id, 5, :Instance, :Member, :Lang, 0, 252, :Blob, :Crc, :Bytes, :Mime)",
             {{"Code", catalog}, {"Id", itemId}, {"Instance", instanceId}, {"Member", memberId}, {"Lang", lang},
              {"Blob", TBytes{bytes}}, {"Crc", static_cast<std::int64_t>(TCRC32::CalcStringCRC(bytes))},
              {"Bytes", static_cast<std::int64_t>(bytes.size())}, {"Mime", mimeType}});
    }

    // An image item as the catalog stores it: the item, its image object and the data.
    void AddImage(int itemId, const std::string& mimeType, const std::string& bytes)
    {
        AddItem(itemId, itemId);
        AddInstance(itemId, 5, 1);
        AddBinary(itemId, 1, mimeType, bytes);
    }

    void AddValue(const std::string& table, int memberType, const TVariant& value,
                  const std::string& catalog = Catalog)
    {
        const std::string column = table == "CText" ? "TextValue" : "NumberValue";
        Exec(Main(),
             "INSERT INTO " + table + " (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
             "MemberType, " + column + ") VALUES (:Code, :Id, 9, 1, 1, 'XXX', 0, :Type, :Value)",
             {{"Code", catalog}, {"Id", ++nextValueItem}, {"Type", memberType}, {"Value", value}});
    }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
    int nextValueItem = 5000;
};

TPicture Sample()
{
    TPicture picture(24, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            picture.SetPixel(x, y, {static_cast<std::uint8_t>(x * 10), static_cast<std::uint8_t>(y * 15), 90,
                                    static_cast<std::uint8_t>(x < 2 ? 0 : 255)});
    return picture;
}

// The MIME type the first bytes of a file show.
std::string MimeTypeOfBytes(const std::string& bytes)
{
    const std::pair<std::string, const char*> magics[] = {
        {"\xFF\xD8\xFF", "image/jpeg"}, {"\x89PNG\r\n\x1A\n", "image/png"}, {"GIF87a", "image/gif"},
        {"GIF89a", "image/gif"},        {"BM", "image/bmp"},              {std::string("\0\0\1\0", 4), "application/x-ico"},
    };
    for (const auto& [magic, type] : magics)
        if (bytes.compare(0, magic.size(), magic) == 0)
            return type;
    return "unknown";
}

}  // namespace

// ---- loading stored images --------------------------------------------------------------

TEST_F(StoredImageTest, EncodedPicturesAreStoredUnderTheTypeOfTheirBytesAndLoadBack)
{
    struct Case { const char* requested; const char* extension; };
    const Case cases[] = {
        {"image/jpeg", "jpeg"}, {"image/gif", "gif"}, {"image/bmp", "bmp"},
        {"image/png", "png"},   {"application/x-ico", "ico"}, {"image/jpg", "jpeg"},
    };
    int itemId = 1000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        TPicture picture = Sample();
        std::ostringstream encoded;
        int width = 0, height = 0;
        std::int64_t bytes = 0;
        std::string written;
        ASSERT_TRUE(TCommonImages::SavePictureToStream(picture, c.requested, true, 12, TImageScaleType::Maximal,
                                                       encoded, width, height, bytes, written));
        ASSERT_EQ(MimeTypeOfBytes(encoded.str()), written) << "the type stored with the bytes is theirs";
        AddImage(++itemId, written, encoded.str());

        TPicture loaded;
        std::int64_t size = 0;
        std::string mimeType;
        ASSERT_TRUE(TCommonImages::LoadImageToPicture(Catalog, itemId, loaded, size, mimeType, Main()));
        EXPECT_EQ(mimeType, written);
        EXPECT_EQ(size, bytes);
        EXPECT_EQ(loaded.Width(), 12);
        EXPECT_EQ(loaded.Height(), 8);

        std::ostringstream copy;
        ASSERT_TRUE(TCommonImages::LoadImageToStream(Catalog, itemId, copy, size, mimeType, Main()));
        EXPECT_EQ(copy.str(), encoded.str()) << "the stored bytes come back unchanged";
        EXPECT_EQ(TCommonImages::GetImageFileName(itemId, Main(), Catalog),
                  std::to_string(itemId) + "." + c.extension);
    }
}

TEST_F(StoredImageTest, JpegStoredAsImageJpgGivesItsBytesButNoPicture)
{
    const std::string jpeg = TPictureCodec::ForKind(TPictureKind::Jpeg).Encode(Sample());
    AddImage(1001, "image/jpg", jpeg);
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    EXPECT_FALSE(TCommonImages::LoadImageToPicture(Catalog, 1001, picture, size, mimeType, Main()))
        << "the extension jpg has no decoder";
    EXPECT_EQ(mimeType, "image/jpg");
    std::ostringstream copy;
    EXPECT_TRUE(TCommonImages::LoadImageToStream(Catalog, 1001, copy, size, mimeType, Main()));
    EXPECT_EQ(copy.str(), jpeg);
    EXPECT_EQ(TCommonImages::GetImageFileName(1001, Main(), Catalog), "1001.jpg");
}

TEST_F(StoredImageTest, StoredBytesThatDoNotDecodeGiveFalseWithoutError)
{
    AddImage(1002, "image/png", "not a picture at all");
    TPicture picture(3, 3);
    std::int64_t size = 0;
    std::string mimeType;
    EXPECT_FALSE(TCommonImages::LoadImageToPicture(Catalog, 1002, picture, size, mimeType, Main()));
    EXPECT_EQ(picture.Width(), 3) << "the picture is left as it was";
    EXPECT_EQ(size, 20);
}

TEST_F(StoredImageTest, FurtherPlacementShowsTheImageOfItsDataItem)
{
    AddImage(1003, "image/bmp", TPictureCodec::ForKind(TPictureKind::Bitmap).Encode(Sample()));
    AddItem(2003, 1003);
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    EXPECT_TRUE(TCommonImages::LoadImageToPicture(Catalog, 2003, picture, size, mimeType, Main()));
    EXPECT_EQ(picture.Width(), 24);
    EXPECT_EQ(TCommonImages::GetImageFileName(2003, Main(), Catalog), "2003.bmp");
}

TEST_F(StoredImageTest, ItemWithoutImageDataGivesFalseAndNoFileName)
{
    const std::string gif = TPictureCodec::ForKind(TPictureKind::Gif).Encode(Sample());
    AddItem(1010, 1010);  // no objects
    AddItem(1011, 1011);
    AddInstance(1011, 5, 1);  // an image object without data
    AddItem(1012, 1012);
    AddInstance(1012, 5, 1);
    AddBinary(1012, 1, "image/gif", gif, "EN");  // not where the language-independent member lives
    AddItem(1013, 1013);
    AddInstance(1013, 5, 1);
    AddBinary(1013, 1, "image/gif", gif, "XXX", 7);  // another member
    AddItem(1014, 1014);
    AddInstance(1014, 5, 1, 9);  // a sub-object, not the item's image object
    AddBinary(1014, 1, "image/gif", gif);
    AddItem(1015, 1015, "other");
    AddInstance(1015, 5, 1, 0, "other");
    AddBinary(1015, 1, "image/gif", gif, "XXX", 6, "other");  // another catalog's image
    for (int itemId : {999, 1010, 1011, 1012, 1013, 1014, 1015, 0}) {
        TPicture picture;
        std::int64_t size = -1;
        std::string mimeType = "unset";
        std::ostringstream copy;
        EXPECT_FALSE(TCommonImages::LoadImageToPicture(Catalog, itemId, picture, size, mimeType, Main())) << itemId;
        EXPECT_FALSE(TCommonImages::LoadImageToStream(Catalog, itemId, copy, size, mimeType, Main())) << itemId;
        EXPECT_EQ(mimeType, "unset") << itemId;
        EXPECT_EQ(TCommonImages::GetImageFileName(itemId, Main(), Catalog), "") << itemId;
    }
    EXPECT_EQ(TCommonImages::GetImageFileName(1015, Main(), "other"), "1015.gif") << "found in its own catalog";
}

// ---- what a catalog uses --------------------------------------------------------------------

TEST_F(StoredImageTest, UsedImagesComeFromReferenceMembersAndHtmlTexts)
{
    AddValue("CNumbers", 106, 1000004.0);
    AddValue("CNumbers", 106, 1000004.0);
    AddValue("CNumbers", 106, 17.0);
    AddValue("CNumbers", 102, 55.0);  // an item reference, not an image
    AddValue("CNumbers", 106, 99.0, "other");
    AddValue("CText", 52, R"(<img src="../images/300.gif"><img src="../images/logo_main.png">)");
    AddValue("CText", 53, R"(<xsl:if><img src="../images/{@Id}.gif"/><img src="../images/"/></xsl:if>)");
    AddValue("CText", 52, "../images/[x].gif ../images/<b>.gif ../Images/301.JPG ../images/302");
    AddValue("CText", 51, R"(<img src="../images/303.gif">)");  // plain long text, not HTML
    AddValue("CText", 52, "../images/304.gif", "other");

    std::vector<std::string> list{"kept"};
    TCommonImages::GetUsedImageIds(Catalog, list, Main());
    std::sort(list.begin() + 1, list.end());
    const std::vector<std::string> expected{"kept", "1000004", "17", "300", "301", "logo_main"};
    EXPECT_EQ(list, expected) << "reference members once each; names up to their dot, any case; "
                                 "placeholders after \"{\", \"[\", \"<\" and a quote skipped; no dot, no name";
}

TEST_F(StoredImageTest, UsedBinaryObjectsAreTheNamesAfterBinFolderLinks)
{
    AddValue("CText", 52, R"(<a href="../bin/2001.pdf">a</a> <a href="../bin/price_list.xls">b</a>)");
    AddValue("CText", 53, R"(<a href="../bin/{@Id}.zip">)");
    AddValue("CText", 52, R"(<img src="../images/5.gif">)");
    std::vector<std::string> list;
    TCommonBinary::GetUsedBinaryIds(Catalog, list, Main());
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::string>{"2001", "price_list", "{@Id}"})) << "nothing is skipped after ../bin/";
}

// ---- replacing references ---------------------------------------------------------------------

TEST_F(StoredImageTest, ReferencesAreReplacedByCatalogAddressesOfTheirImages)
{
    AddImage(5, "image/gif", "g");
    AddImage(7, "image/jpeg", "j");
    AddImage(12, "application/x-ico", "i");
    struct Case { std::string html; std::vector<std::string> entries; std::string expected; const char* why; };
    const Case cases[] = {
        {R"(<img src="a.gif"><td background="a.gif">)", {"5=a.gif"},
         R"(<img src="../images/5.gif"><td background="../images/5.gif">)", "every occurrence"},
        {R"(<img src="img/a.gif"><img src="a.gif">)", {"5=a.gif", "7=img/a.gif"},
         R"(<img src="../images/7.jpeg"><img src="../images/5.gif">)", "the longest reference wins at a place"},
        {R"(<img src="a.gif"><img src="5.gif">)", {"5=a.gif", "7=5.gif"},
         R"(<img src="../images/5.gif"><img src="../images/7.jpeg">)", "an inserted address is not replaced again"},
        {R"(<img src="a.gif">)", {"x=a.gif", "99=a.gif", "5=", "5"}, R"(<img src="a.gif">)",
         "no number, no image, an empty or missing reference: nothing replaced"},
        {R"(<img src="A.GIF">)", {"5=a.gif"}, R"(<img src="A.GIF">)", "references compare with their case"},
        {"url(pics/x=1.png)", {"12=pics/x=1.png"}, "url(../images/12.ico)", "the reference is all after the first ="},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TCommonImages::ReplaceImageUrls(c.html, c.entries, Main(), Catalog), c.expected) << c.why;
}

// ---- images of an object collection ----------------------------------------------------------

TEST(StoredImageCollection, PictureComesFromTheItemsImageObjectInTheCollection)
{
    TCatalogFixture catalog;
    catalog.DeclareClass(5, "Image").Member(6, "ImageData", 252);
    catalog.AddItem(1001, 301, 3);
    catalog.AddItem(2001, 301, 3, 1001);  // a further placement of 1001
    catalog.AddItem(1002, 301, 3);        // no image object
    const std::string png = TPictureCodec::ForKind(TPictureKind::Png).Encode(Sample());
    {
        TTolvexObjectFactory factory(catalog.Context());
        auto image = factory.CreateObject(1001, 5, 0, catalog.Connection(), "");
        std::istringstream in(png);
        image->SetBinaryData("ImageData", catalog.GetCurrentLangCode(), "image/png", in, 0, nullptr);
    }
    TObjectCollection collection(catalog.Context());
    collection.Open("shop", catalog.Connection());

    for (int itemId : {1001, 2001}) {
        TPicture picture;
        std::int64_t size = 0;
        std::string mimeType;
        ASSERT_TRUE(TCommonImages::LoadCollectionImageToPicture(itemId, picture, size, mimeType, collection)) << itemId;
        EXPECT_EQ(picture.Width(), 24) << itemId;
        EXPECT_EQ(picture.Kind(), TPictureKind::Png) << itemId;
        EXPECT_EQ(size, static_cast<std::int64_t>(png.size())) << itemId;
        EXPECT_EQ(mimeType, "image/png") << itemId;
    }
    TAbstractCObject* object = collection.GetObject(1001, "Image");
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    TCommonImages::LoadCollectionImageToPicture(1001, picture, size, mimeType, collection);
    EXPECT_EQ(collection.GetObject(1001, "Image"), object) << "the object stays in the collection";
    EXPECT_FALSE(TCommonImages::LoadCollectionImageToPicture(1002, picture, size, mimeType, collection));
    EXPECT_FALSE(TCommonImages::LoadCollectionImageToPicture(0, picture, size, mimeType, collection));

    // The rows the object wrote are the ones the database reads find.
    EXPECT_TRUE(TCommonImages::LoadImageToPicture("shop", 2001, picture, size, mimeType, catalog.Connection()));
    EXPECT_EQ(TCommonImages::GetImageFileName(1001, catalog.Connection(), "shop"), "1001.png");
}

// ---- blob fields to files ------------------------------------------------------------------------

TEST_F(StoredImageTest, BlobsAreWrittenOnlyIntoExistingFolders)
{
    const std::string existing = folder.File("site/images/5.gif");
    std::filesystem::create_directories(folder.File("site/images"));
    folder.Write("site/images/5.gif", "old contents that are longer");

    TCommonImages::SaveBlobToFile(existing, TVariant(TBytes{std::string("GIF\0data", 8)}));
    EXPECT_EQ(TTempFolder::Read(existing), std::string("GIF\0data", 8)) << "replaced, bytes kept";

    TCommonBinary::SaveBlobToFile(folder.File("site/bin/a.pdf"), TVariant(TBytes{"pdf"}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("site/bin"))) << "no folder, no file, no error";

    TCommonBinary::SaveBlobToFile(folder.File("site/images/empty.gif"), TVariant());
    EXPECT_TRUE(std::filesystem::exists(folder.File("site/images/empty.gif")));
    EXPECT_EQ(std::filesystem::file_size(folder.File("site/images/empty.gif")), 0u) << "a null field: an empty file";

    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.File("site/images")))
        ++files;
    EXPECT_EQ(files, 2u) << "no temporary file is left behind";
}
