// The local image server over a real loopback socket and a real catalog
// database: images by item id for requests from 127.0.0.1, not found for
// everything else (another loopback address of the machine included), a
// taken port written to "http.log", and reading through a connection of its
// own while the program's connection holds uncommitted writes.
#include "PreviewCatalogFixture.h"

#include "common/CommonFunctions.h"
#include "generation/TolvexHttpServer.h"
#include "storage/AbstractDBConnection.h"
#include "support/CatalogFixture.h"
#include "support/FreePort.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

// Ports of these tests, free when the test program starts, one per test.
const int kServePort = FreeLocalPort();
const int kPeerPort = FreeLocalPort();
const int kTakenPort = FreeLocalPort();
const int kOwnConnectionPort = FreeLocalPort();
const int kRestartPort = FreeLocalPort();

std::string Bytes(const std::string& text)
{
    return std::string("\xff\xd8\0", 3) + text;
}

// An open socket, closed when it goes.
class TSocket {
public:
    TSocket() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {}
    ~TSocket()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

sockaddr_in Address(const std::string& ip, int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, ip.c_str(), &address.sin_addr);
    return address;
}

struct THttpAnswer {
    bool connected = false;
    int status = 0;
    std::string headers;
    std::string body;
};

// One request to 127.0.0.1:Port from the local address From, read to the end
// (the server closes the connection; every read waits at most 5 seconds).
THttpAnswer Request(int port, const std::string& method, const std::string& path,
                    const std::string& from = "127.0.0.1")
{
    THttpAnswer answer;
    TSocket client;
    const sockaddr_in source = Address(from, 0);
    if (bind(client.Fd(), reinterpret_cast<const sockaddr*>(&source), sizeof(source)) != 0)
        return answer;
    timeval timeout{5, 0};
    setsockopt(client.Fd(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    const sockaddr_in server = Address("127.0.0.1", port);
    if (connect(client.Fd(), reinterpret_cast<const sockaddr*>(&server), sizeof(server)) != 0)
        return answer;
    answer.connected = true;
    const std::string request = method + " " + path +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    if (send(client.Fd(), request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
        return answer;
    std::string received;
    char buffer[4096];
    for (int reads = 0; reads < 10000; ++reads) {
        const ssize_t n = recv(client.Fd(), buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t headerEnd = received.find("\r\n\r\n");
    if (received.rfind("HTTP/1.1 ", 0) != 0 || headerEnd == std::string::npos)
        return answer;
    answer.status = std::stoi(received.substr(9, 3));
    answer.headers = received.substr(0, headerEnd);
    answer.body = received.substr(headerEnd + 4);
    return answer;
}

class LocalImageServerTest : public ::testing::Test {
protected:
    LocalImageServerTest() : rows(db)
    {
        rows.Image("shop", 55, Bytes("image 55"), "image/jpeg");
        rows.Image("shop", 56, Bytes("image 56"), "image/png");
        rows.Image("other", 57, Bytes("image of another catalog"), "image/gif");
        rows.Item("shop", 77, 304);
    }

    TTolvexHttpServer::TConnectionOpener Opener()
    {
        return [this] { return db.OpenSecondConnection(); };
    }
    std::string LogFile() const { return temp.File(TTolvexHttpServer::kLogFileName); }

    TCatalogFixture db{"shop"};
    TPreviewRows rows;
    TTempFolder temp;
};

TEST_F(LocalImageServerTest, AnswersImagesByItemIdToTheLocalMachine)
{
    TTolvexHttpServer server(temp.Path(), kServePort);
    ASSERT_TRUE(server.Start("shop", Opener()));
    EXPECT_TRUE(server.IsRunning());

    struct TCase {
        std::string method;
        std::string path;
        int status;
        std::string body;
        const char* why;
    } cases[] = {
        {"GET", "/55.jpg", 200, Bytes("image 55"), "the image of item 55"},
        {"GET", "/55", 200, Bytes("image 55"), "no extension"},
        {"GET", "/images/55.gif", 200, Bytes("image 55"), "any folder and extension"},
        {"GET", "/55.tar.gz", 200, Bytes("image 55"), "cut before the first dot"},
        {"POST", "/56.png", 200, Bytes("image 56"), "post answers too"},
        {"HEAD", "/55.jpg", 200, "", "head has no body"},
        {"GET", "/57.gif", 404, "", "an image of another catalog"},
        {"GET", "/77.jpg", 404, "", "an item without image data"},
        {"GET", "/99.jpg", 404, "", "no such item"},
        {"GET", "/logo.jpg", 404, "", "a name that is no number"},
        {"GET", "/0.jpg", 404, "", "item 0"},
        {"GET", "/", 404, "", "no name"},
        {"GET", "/55.jpg/x", 404, "", "the file name is the last part"},
    };
    for (const TCase& c : cases) {
        const THttpAnswer answer = Request(kServePort, c.method, c.path);
        ASSERT_TRUE(answer.connected) << c.path;
        EXPECT_EQ(answer.status, c.status) << c.method << " " << c.path << ": " << c.why;
        if (c.status == 200) {
            EXPECT_EQ(answer.body, c.body) << c.path << ": " << c.why;
        }
    }
    EXPECT_NE(Request(kServePort, "GET", "/56").headers.find("Content-Type: image/png"), std::string::npos)
        << "the stored MIME type";
    server.Stop();
    EXPECT_FALSE(server.IsRunning());
    EXPECT_FALSE(Request(kServePort, "GET", "/55.jpg").connected) << "nothing listens after Stop";
}

TEST_F(LocalImageServerTest, AnotherAddressOfTheMachineIsNotFound)
{
    TTolvexHttpServer server(temp.Path(), kPeerPort);
    ASSERT_TRUE(server.Start("shop", Opener()));
    // 127.0.0.0/8 is all loopback: a client bound to 127.0.0.2 reaches the
    // server with a peer address other than 127.0.0.1.
    const THttpAnswer fromOther = Request(kPeerPort, "GET", "/55.jpg", "127.0.0.2");
    ASSERT_TRUE(fromOther.connected);
    EXPECT_EQ(fromOther.status, 404);
    EXPECT_EQ(fromOther.body.find("image 55"), std::string::npos);
    EXPECT_EQ(Request(kPeerPort, "GET", "/55.jpg", "127.0.0.1").status, 200) << "the same request from 127.0.0.1";
}

TEST_F(LocalImageServerTest, TakenPortIsLoggedAndLeavesTheServerStopped)
{
    TSocket holder;
    const int yes = 1;
    setsockopt(holder.Fd(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    const sockaddr_in address = Address("127.0.0.1", kTakenPort);
    ASSERT_EQ(bind(holder.Fd(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(holder.Fd(), 1), 0);

    TTolvexHttpServer server(temp.Path(), kTakenPort);
    EXPECT_FALSE(server.Start("shop", Opener())) << "no exception, only the answer";
    EXPECT_FALSE(server.IsRunning());
    const std::string first = TCommonFunctions::LoadStringFromFile(LogFile());
    EXPECT_NE(first.find(std::to_string(kTakenPort)), std::string::npos) << first;

    EXPECT_FALSE(server.Start("shop", Opener()));
    const std::string second = TCommonFunctions::LoadStringFromFile(LogFile());
    EXPECT_EQ(second, first) << "the log holds the last error only, not one per start";

    // A second server of the program on a taken port fails the same way.
    TTolvexHttpServer running(temp.Path(), kTakenPort + 100);
    ASSERT_TRUE(running.Start("shop", Opener()));
    TTolvexHttpServer clash(temp.Path(), kTakenPort + 100);
    EXPECT_FALSE(clash.Start("shop", Opener())) << "the port is not shared between servers";
    EXPECT_EQ(Request(kTakenPort + 100, "GET", "/55.jpg").status, 200) << "the first one still answers";
}

TEST_F(LocalImageServerTest, ReadsThroughItsOwnConnection)
{
    TTolvexHttpServer server(temp.Path(), kOwnConnectionPort);
    ASSERT_TRUE(server.Start("shop", Opener()));

    // The program's editor writes an image and has not saved it yet: the
    // server neither waits for it nor sees it.
    std::unique_ptr<TAbstractDBConnection> editor = db.OpenSecondConnection();
    TPreviewRows(*editor).Image("shop", 58, Bytes("unsaved image"), "image/jpeg");
    EXPECT_EQ(Request(kOwnConnectionPort, "GET", "/58.jpg").status, 404) << "not committed";
    EXPECT_EQ(Request(kOwnConnectionPort, "GET", "/55.jpg").status, 200) << "not blocked by the writer";

    editor->CommitTrans();
    const THttpAnswer saved = Request(kOwnConnectionPort, "GET", "/58.jpg");
    EXPECT_EQ(saved.status, 200) << "committed images are served at once";
    EXPECT_EQ(saved.body, Bytes("unsaved image"));
}

TEST_F(LocalImageServerTest, StartsAgainForAnotherCatalog)
{
    TTolvexHttpServer server(temp.Path(), kRestartPort);
    ASSERT_TRUE(server.Start("shop", Opener()));
    EXPECT_EQ(Request(kRestartPort, "GET", "/57.gif").status, 404);
    ASSERT_TRUE(server.Start("other", Opener())) << "a running server is stopped first";
    EXPECT_EQ(Request(kRestartPort, "GET", "/57.gif").status, 200);
    EXPECT_EQ(Request(kRestartPort, "GET", "/55.jpg").status, 404);
    server.Stop();
    server.Stop();
    EXPECT_FALSE(Request(kRestartPort, "GET", "/57.gif").connected);
}

}  // namespace
