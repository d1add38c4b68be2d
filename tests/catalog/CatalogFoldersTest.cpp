// Folders, names and image items on a real catalog database: folders found
// by their name in one language, item names in the current and default
// languages, unique names, pictures imported from files and from the web
// (a scripted client, and a real one against a server on 127.0.0.1), and
// no image item left behind when a picture cannot be stored.
#include "catalog/CatalogFolders.h"
#include "catalog/CatalogQueries.h"
#include "common/CommonImages.h"
#include "common/Exceptions.h"
#include "common/GlobalSettings.h"
#include "common/PictureCodec.h"
#include "storage/AbstractCClassDefinition.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace {

// A picture of Width x Height encoded as Kind.
std::string EncodedPicture(TPictureKind kind, int width = 3, int height = 2)
{
    TPicture picture(width, height);
    picture.Fill({200, 40, 10, 255});
    return TPictureCodec::ForKind(kind).Encode(picture);
}

// An HTTP server on 127.0.0.1 that answers a given number of GET requests:
// 200 with Body for Path, 404 for any other path. Every wait is bounded.
class TLocalHttpServer {
public:
    TLocalHttpServer(std::string path, std::string contentType, std::string body, int requests)
        : path_(std::move(path)), contentType_(std::move(contentType)), body_(std::move(body))
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_, 4) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("no local port");
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this, requests] {
            for (int i = 0; i < requests; ++i)
                if (!Answer())
                    break;
        });
    }
    ~TLocalHttpServer()
    {
        thread_.join();
        ::close(listener_);
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    bool Answer()
    {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 10000) != 1)
            return false;
        const int client = ::accept(listener_, nullptr, nullptr);
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd reading{client, POLLIN, 0};
            const ssize_t got = ::poll(&reading, 1, 10000) == 1 ? ::recv(client, buffer, sizeof buffer, 0) : 0;
            if (got <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        const bool found = request.rfind("GET " + path_ + " ", 0) == 0;
        const std::string body = found ? body_ : "missing";
        const std::string reply = std::string(found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                                  "\r\nContent-Type: " + (found ? contentType_ : "text/plain") +
                                  "\r\nContent-Length: " + std::to_string(body.size()) +
                                  "\r\nConnection: close\r\n\r\n" + body;
        ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(client);
        return true;
    }

    std::string path_;
    std::string contentType_;
    std::string body_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

class CatalogFoldersTest : public ::testing::Test {
protected:
    CatalogFoldersTest()
    {
        env.Db().DeclareClass(5, "Image")
            .Member(1, "ImageWidth", 101)
            .Member(2, "ImageHeight", 101)
            .Member(6, "ImageData", 252);
    }

    TAbstractDBConnection& Db() { return env.Connection(); }
    std::string NameOf(int itemId, const std::string& lang)
    {
        const TVariant name = env.Db().Scalar("SELECT StringValue FROM CStrings WHERE ItemId = :Id AND ClassId = 1 "
                                              "AND MemberId = 1 AND LangCode = :Lang", {{"Id", itemId}, {"Lang", lang}});
        return name.IsNull() ? "(none)" : name.AsText();
    }
    int ParentOf(int itemId)
    {
        return static_cast<int>(
            env.Db().Scalar("SELECT ParentItemId FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).AsInteger());
    }
    std::string MimeTypeOf(int itemId)
    {
        return env.Db().Scalar("SELECT DataMimeType FROM CBinary WHERE ItemId = :Id", {{"Id", itemId}}).AsText();
    }
    double NumberOf(int itemId, int memberId)
    {
        return env.Db().Scalar("SELECT NumberValue FROM CNumbers WHERE ItemId = :Id AND ClassId = 5 AND MemberId = :M",
                               {{"Id", itemId}, {"M", memberId}}).AsFloat();
    }
    int ImageItems() { return env.Db().Count("Items", "ItemType = 301"); }
    int ImportFile(const std::string& name, const std::string& subfolder = "")
    {
        return folders.ImportImageFromFile(pictures.Path(), name, subfolder, Db());
    }
    int ImportUrl(const std::string& url, const TCatalogFolders::THttpReply& reply)
    {
        return folders.ImportImageFromUrl(url, [&](const std::string&) { return reply; }, "", Db());
    }

    TCatalogEnvironment env;  // code "shop", languages EN and DE, default EN
    TTempFolder pictures;
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TCatalogFolders folders{{env.Db(), env.Catalog(), queries, env.Db().Context(), env.Gui(), env.Settings()}};
};

}  // namespace

// ---- folders and names ------------------------------------------------------------------------

TEST_F(CatalogFoldersTest, AFolderIsFoundByItsNameInOneLanguageOrCreated)
{
    EXPECT_EQ(folders.FindOrCreateFolder(1, "Downloads", false, Db(), "EN"), 0) << "not created unless asked";
    const int folder = folders.FindOrCreateFolder(1, "Downloads", true, Db(), "EN");
    ASSERT_NE(folder, 0);
    EXPECT_EQ(ParentOf(folder), 1);
    EXPECT_EQ(NameOf(folder, "EN"), "Downloads");
    EXPECT_EQ(NameOf(folder, "DE"), "(none)") << "the current language is the default one";

    env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, StringValue) VALUES ('shop', :Id, 1, 1, 1, 'DE', 0, 1, 'Herunterladen')",
                  {{"Id", folder}});
    EXPECT_EQ(folders.FindOrCreateFolder(1, "Downloads", true, Db(), "EN"), folder)
        << "whatever its other languages are called";
    EXPECT_NE(folders.FindOrCreateFolder(7, "Downloads", true, Db(), "EN"), folder) << "another parent";
    EXPECT_EQ(folders.FindOrCreateFolder(1, "", true, Db(), "EN"), 0);
    EXPECT_EQ(folders.FindOrCreateFolder(1, "Downloads", true, Db(), ""), 0);

    env.Db().SetCurrentLangCode("DE");
    const int other = folders.FindOrCreateFolder(1, "Bilder", true, Db(), "DE");
    EXPECT_EQ(NameOf(other, "DE"), "Bilder");
    EXPECT_EQ(NameOf(other, "EN"), "Bilder") << "also in the default language while editing another";
}

TEST_F(CatalogFoldersTest, ItemNamesGoIntoTheCurrentAndTheDefaultLanguage)
{
    env.Db().AddItem(1000, 100, 1);
    const auto caption = [] { return std::string("New Item"); };

    EXPECT_EQ(folders.SetItemName(1000, {}, "Shoes", Db()), "") << "nothing without an item manager";
    EXPECT_EQ(NameOf(1000, "EN"), "(none)");

    EXPECT_EQ(folders.SetItemName(1000, caption, "", Db()), "New Item");
    EXPECT_EQ(NameOf(1000, "EN"), "New Item");
    env.Db().SetCurrentLangCode("DE");
    EXPECT_EQ(folders.SetItemName(1000, caption, "Schuhe", Db()), "Schuhe");
    EXPECT_EQ(NameOf(1000, "DE"), "Schuhe");
    EXPECT_EQ(NameOf(1000, "EN"), "Schuhe");
}

TEST_F(CatalogFoldersTest, UniqueNamesCountUpInParentheses)
{
    EXPECT_EQ(folders.MakeUniqueItemName("photo", Db()), "photo");
    env.Db().AddItem(1000, 100, 1);
    env.Db().AddItem(1001, 100, 1);
    folders.SetItemName(1000, [] { return std::string(); }, "photo", Db());
    EXPECT_EQ(folders.MakeUniqueItemName("Photo", Db()), "Photo (1)") << "names compare without case";
    folders.SetItemName(1001, [] { return std::string(); }, "photo (1)", Db());
    EXPECT_EQ(folders.MakeUniqueItemName("photo", Db()), "photo (2)");
}

// ---- images from files ---------------------------------------------------------------------------

TEST_F(CatalogFoldersTest, APictureFileBecomesAnImageItem)
{
    pictures.Write("photo.png", EncodedPicture(TPictureKind::Png));

    const int first = ImportFile("photo.png");
    ASSERT_NE(first, 0);
    EXPECT_EQ(ParentOf(first), 3) << "the images folder";
    EXPECT_EQ(NameOf(first, "EN"), "photo");
    EXPECT_EQ(NumberOf(first, 1), 3);
    EXPECT_EQ(NumberOf(first, 2), 2);
    EXPECT_EQ(MimeTypeOf(first), "image/png");
    TPicture stored;
    std::int64_t size = 0;
    std::string mimeType;
    ASSERT_TRUE(TCommonImages::LoadImageToPicture("shop", first, stored, size, mimeType, Db()));
    EXPECT_EQ(stored.Width(), 3);
    EXPECT_EQ(folders.GetImageFileUrl(first, Db()), "../images/" + std::to_string(first) + ".png");

    EXPECT_EQ(NameOf(ImportFile("photo.png"), "EN"), "photo (1)");
    EXPECT_EQ(NameOf(ImportFile("photo.png"), "EN"), "photo (2)");
}

TEST_F(CatalogFoldersTest, FileNamesAndExtensionsThatAreRefused)
{
    pictures.Write("UPPER.PNG", EncodedPicture(TPictureKind::Png));
    pictures.Write("noextension", EncodedPicture(TPictureKind::Png));
    pictures.Write("notes.txt", "text");
    pictures.Write("sub/inner.gif", EncodedPicture(TPictureKind::Gif));

    EXPECT_NE(ImportFile("UPPER.PNG"), 0) << "extensions compare without case";
    EXPECT_EQ(NameOf(ImportFile("sub/inner.gif"), "EN"), "inner") << "the name after the last separator";
    EXPECT_EQ(ImportFile("noextension"), 0);
    EXPECT_EQ(ImportFile("notes.txt"), 0);
    EXPECT_EQ(ImportFile("missing.png"), 0);
    EXPECT_EQ(ImageItems(), 2);
}

TEST_F(CatalogFoldersTest, PicturesGoIntoANamedSubfolderOfTheImagesFolder)
{
    pictures.Write("a.bmp", EncodedPicture(TPictureKind::Bitmap));
    const int first = ImportFile("a.bmp", "Icons");
    const int second = ImportFile("a.bmp", "Icons");
    const int folder = ParentOf(first);
    EXPECT_EQ(ParentOf(folder), 3);
    EXPECT_EQ(NameOf(folder, "XXX"), "Icons");
    EXPECT_EQ(ParentOf(second), folder) << "the folder is found again";
    EXPECT_EQ(MimeTypeOf(first), "image/bmp");
}

TEST_F(CatalogFoldersTest, APictureThatCannotBeReadLeavesNoItem)
{
    pictures.Write("broken.png", "this is no picture");
    EXPECT_THROW(ImportFile("broken.png", "Icons"), ECriticalTolvexException);
    EXPECT_EQ(ImageItems(), 0);
    EXPECT_EQ(env.Db().Count("Items"), 0) << "nor a subfolder";
}

TEST_F(CatalogFoldersTest, ImageAddressNeedsImageData)
{
    env.Db().AddItem(1000, 301, 3);
    EXPECT_EQ(folders.GetImageFileUrl(1000, Db()), "");
    EXPECT_EQ(folders.GetImageFileUrl(0, Db()), "");
}

// ---- images from the web ----------------------------------------------------------------------------

TEST_F(CatalogFoldersTest, APictureFromTheWebIsNamedAfterItsAddress)
{
    const std::string jpeg = EncodedPicture(TPictureKind::Jpeg);
    const int item = ImportUrl("http://example.test/a/photo.jpg?size=2", {200, "image/jpg; q=1", jpeg});
    ASSERT_NE(item, 0);
    EXPECT_EQ(NameOf(item, "EN"), "photo.jpg");
    EXPECT_EQ(MimeTypeOf(item), "image/jpeg") << "the type of the bytes written";
    EXPECT_EQ(TTempFolder::Read(env.Settings().GetTempDir() + "/imp_img.jpg"), jpeg) << "the download stays";
    EXPECT_EQ(env.Gui().WaitDepth(), 0);
}

TEST_F(CatalogFoldersTest, RepliesThatAreNoPicturesImportNothing)
{
    const std::string png = EncodedPicture(TPictureKind::Png);
    struct TCase {
        TCatalogFolders::THttpReply reply;
        const char* why;
    } cases[] = {
        {{200, "text/html", png}, "not an image type"},
        {{200, "image/x-icon", png}, "not an image extension"},
        {{200, "image/png", ""}, "an empty body"},
        {{404, "image/png", png}, "an error status"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ImportUrl("http://example.test/p.png", c.reply), 0) << c.why;
    const auto failing = [](const std::string&) -> TCatalogFolders::THttpReply { throw std::runtime_error("down"); };
    EXPECT_EQ(folders.ImportImageFromUrl("http://example.test/p.png", failing, "", Db()), 0);
    EXPECT_EQ(ImageItems(), 0);
    EXPECT_EQ(env.Gui().WaitDepth(), 0);
}

TEST_F(CatalogFoldersTest, WithoutAClientOfItsOwnThePictureIsFetchedOverHttp)
{
    int item = 0;
    int missing = 0;
    {
        TLocalHttpServer server("/pics/logo.png", "image/png", EncodedPicture(TPictureKind::Png), 2);
        item = folders.ImportImageFromUrl(server.Url("/pics/logo.png"), {}, "", Db());
        missing = folders.ImportImageFromUrl(server.Url("/pics/none.png"), {}, "", Db());
    }
    ASSERT_NE(item, 0);
    EXPECT_EQ(NameOf(item, "EN"), "logo.png");
    EXPECT_EQ(MimeTypeOf(item), "image/png");
    EXPECT_EQ(missing, 0) << "404";
}
