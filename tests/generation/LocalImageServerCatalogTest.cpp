// The local image server in the program: listening while a catalog of a type
// above 0 (only) is open, on the catalog's images, and not listening once the
// catalog closes; a taken port is logged and the catalog opens all the same.
#include "catalog/CatalogDataFixture.h"
#include "common/CommonFunctions.h"
#include "generation/TolvexHttpServer.h"
#include "support/FreePort.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <string>

namespace {

const int kOpenClosePort = FreeLocalPort();
const int kTakenPort = FreeLocalPort();
const int kTypeZeroPort = FreeLocalPort();

// The status of "GET Path" to 127.0.0.1:Port; 0 when nothing listens.
int GetStatus(int port, const std::string& path)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    int status = 0;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof(server)) == 0) {
        const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
        send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char head[32] = {};
        if (recv(fd, head, sizeof(head) - 1, MSG_WAITALL) > 12 && std::string(head).rfind("HTTP/1.1 ", 0) == 0)
            status = std::stoi(std::string(head + 9, 3));
    }
    close(fd);
    return status;
}

// A catalog "shop" of type 1 with the image item 55.
void MakeShopWithImage(TRootFixture& fixture)
{
    const std::string file = fixture.MakeCatalog({.code = "shop"});
    ExecOnFile(file,
               "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, OrderNum) "
               "VALUES ('shop', 55, 301, 3, 55, 0);"
               "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
               "VALUES ('shop', 55, 5, 0, 1);"
               "INSERT INTO CBinary (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
               "MemberType, DataBlob, DataMimeType) VALUES ('shop', 55, 5, 1, 6, 'XXX', 0, 252, X'474946383961', "
               "'image/gif');");
}

TEST(LocalImageServerCatalogTest, ListensFromOpeningToClosingOfTheCatalog)
{
    TRootFixture fixture(true, kOpenClosePort);
    MakeShopWithImage(fixture);
    EXPECT_EQ(GetStatus(kOpenClosePort, "/55.gif"), 0) << "no catalog open";

    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(GetStatus(kOpenClosePort, "/55.gif"), 200);
    EXPECT_EQ(GetStatus(kOpenClosePort, "/56.gif"), 404);

    ASSERT_TRUE(fixture.Root().CloseCatalog());
    EXPECT_EQ(GetStatus(kOpenClosePort, "/55.gif"), 0) << "stopped with the catalog";

    ASSERT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_EQ(GetStatus(kOpenClosePort, "/55.gif"), 200) << "and started again with the next opening";
}

TEST(LocalImageServerCatalogTest, CatalogOfTypeZeroIsNotServed)
{
    TRootFixture fixture(true, kTypeZeroPort);
    fixture.MakeCatalog({.code = "zero", .type = 0, .styleVersion = "-"});
    ASSERT_EQ(fixture.Open("zero", "admin", "secret", kOpenAcceptTypeZero), "");
    EXPECT_EQ(GetStatus(kTypeZeroPort, "/1.gif"), 0);
}

TEST(LocalImageServerCatalogTest, TakenPortIsLoggedAndTheCatalogOpens)
{
    const int holder = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kTakenPort);
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    ASSERT_EQ(bind(holder, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(holder, 1), 0);

    TRootFixture fixture(true, kTakenPort);
    MakeShopWithImage(fixture);
    EXPECT_EQ(fixture.Open("shop", "admin", "secret"), "");
    EXPECT_TRUE(fixture.Root().Catalog().IsOpen());
    const std::string log = TCommonFunctions::LoadStringFromFile(fixture.Root().Settings().GetTempDir() + "/" +
                                                                 TTolvexHttpServer::kLogFileName);
    EXPECT_NE(log.find(std::to_string(kTakenPort)), std::string::npos) << log;
    EXPECT_TRUE(fixture.Gui().Shown().empty()) << "nothing is shown for it";
    close(holder);
}

}  // namespace
