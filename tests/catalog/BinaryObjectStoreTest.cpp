// Binary objects stored from files and exported again, on a real catalog:
// the bytes come back identical with the MIME type of their name, a caption
// finds the object to replace, a file over the cap or one that changes while
// it is read is refused before anything is written, and exported files get
// plain names whatever the stored names hold.
#include "catalog/Catalog.h"
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "catalog/media/BinaryObjectStore.h"
#include "catalog/media/MediaFiles.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "storage/ObjectFactory.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class BinaryObjectStoreTest : public ::testing::Test {
protected:
    BinaryObjectStoreTest()
    {
        env.Db().DeclareClass(1, "CommonNames")
            .Member(1, "ItemName", 1, mfIsMultiLang)
            .Member(2, "AltFileName", 1, mfIsMultiLang);
        env.Db().DeclareClass(304, "BinaryObject").Member(1, "BinaryDataFileName", 1).Member(2, "BinaryData", 251);
        env.Db().AddItem(4, 2, 0);
    }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = env.Db().Folder().Path() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    TBinaryObjectStore Store() { return TBinaryObjectStore({env.Catalog(), factory, &folders}, env.Connection(), "shop"); }

    TCatalogEnvironment env;
    TTolvexObjectFactory factory{env.Db().Context()};
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TCatalogFolders folders{{env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()}};
};

TEST_F(BinaryObjectStoreTest, StoredObjectsExportByteIdentical)
{
    std::string movie("FWS\x09\0\0\x01\xff", 8);
    movie += std::string(70000, '\x5a');  // more than one piece of the read
    const std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<<>>\nendobj\n";
    struct TCase {
        std::string Name, Bytes, MimeType;
    };
    for (const TCase& c : {TCase{"intro.swf", movie, "application/x-shockwave-flash"},
                           TCase{"manual.pdf", pdf, "application/pdf"}}) {
        TBinaryObjectStore::TRequest request;
        request.FileName = Write(c.Name, c.Bytes);
        request.Names = {"EN=" + c.Name};
        request.FolderName = "Documents";
        const TBinaryObjectStore::TResult stored = Store().Store(request);
        EXPECT_GT(stored.ItemId, 0);
        EXPECT_EQ(stored.MimeType, c.MimeType);
        EXPECT_EQ(stored.Bytes, static_cast<std::int64_t>(c.Bytes.size()));
        EXPECT_EQ(stored.FileName, c.Name);
        EXPECT_EQ(Store().FindByCaption(c.Name), stored.ItemId);
        // The first made the folder too; what a cancel takes away.
        EXPECT_EQ(stored.Created.size(), c.Name == "intro.swf" ? 2u : 1u);
        EXPECT_EQ(stored.Created.back(), stored.ItemId);

        const std::string exported = env.Db().Folder().Path() + "/out-" + c.Name;
        ASSERT_TRUE(TMediaFiles::ExportStored(env.Connection(), "shop", stored.ItemId, exported));
        EXPECT_EQ(ReadFileContent(exported).value_or(""), c.Bytes) << c.Name;
    }
    // Both went into one folder made under the library.
    EXPECT_EQ(env.Db().Count("Items", "ItemType = 304 AND ParentItemId IN (SELECT ItemId FROM Items WHERE "
                                      "ItemType = 2 AND ParentItemId = 4)"),
              2);
    EXPECT_FALSE(TBinaryObjectStore::IsEmbeddable("manual.pdf"));
    EXPECT_TRUE(TBinaryObjectStore::IsEmbeddable("Intro.SWF"));
}

TEST_F(BinaryObjectStoreTest, FilesOverTheCapOrChangingWhileReadAreRefused)
{
    const std::string file = Write("big.zip", std::string(2048, 'x'));
    EXPECT_NO_THROW(TMediaFiles::ReadObjectFile(file, 2048));
    try {
        TMediaFiles::ReadObjectFile(file, 2047);
        ADD_FAILURE() << "a file over the cap was read";
    } catch (const ECriticalTolvexException& error) {
        EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos) << error.what();
    }
    // A file that gives more bytes than its size said (as a file being written does).
    EXPECT_THROW(TMediaFiles::ReadObjectFile("/proc/self/status"), ECriticalTolvexException);
    EXPECT_THROW(TMediaFiles::ReadObjectFile(env.Db().Folder().Path()), ECriticalTolvexException);
    EXPECT_THROW(TMediaFiles::ReadObjectFile(env.Db().Folder().Path() + "/missing.pdf"), ECriticalTolvexException);

    TBinaryObjectStore::TRequest request;
    request.FileName = env.Db().Folder().Path() + "/missing.pdf";
    EXPECT_THROW(Store().Store(request), ECriticalTolvexException);
    EXPECT_EQ(env.Db().Count("Items", "ItemType = 304"), 0);
}

TEST_F(BinaryObjectStoreTest, ExportFileNamesArePlainNames)
{
    struct TCase {
        std::string Name, Fallback, Extension, Expected;
    };
    for (const TCase& c : {TCase{"Boat", "3001", "jpeg", "Boat.jpeg"}, TCase{"", "3001", "gif", "3001.gif"},
                           TCase{"../../etc/passwd", "1", "", "passwd"}, TCase{"a\\b\\..", "7", "png", "7.png"},
                           TCase{"re\nport\x01.pdf", "9", "", "report.pdf"}, TCase{"...", "", "", "export"},
                           TCase{"c:evil", "1", "x/../y", "cevil.y"}})
        EXPECT_EQ(TMediaFiles::ExportFileName(c.Name, c.Fallback, c.Extension), c.Expected) << c.Name;
}

}  // namespace
