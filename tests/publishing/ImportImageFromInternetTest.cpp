// Downloading one picture from a real HTTP server on 127.0.0.1: the answers
// that succeed, the ones that fail with "Error: ..." lines, the limits on
// size and time, and a cancel during the transfer.
#include "ScriptedRunner.h"

#include "common/Exceptions.h"
#include "publishing/HttpClient.h"
#include "publishing/ImportImageFromInternet.h"
#include "storage/NameValueLines.h"
#include "support/CatalogFixture.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <sstream>
#include <thread>

namespace {

const std::string kPng("\x89PNG\r\n\x1a\n-picture-bytes", 22);

// A picture server on a free port of 127.0.0.1, stopped with the object.
class TPictureServer {
public:
    TPictureServer()
    {
        server_.Get("/a.png", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kPng, "image/png");
        });
        server_.Get("/caps.png", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kPng, "IMAGE/PNG");
        });
        server_.Get("/empty.png", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("", "image/png");
        });
        server_.Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<html>error</html>", "text/html");
        });
        server_.Get("/missing.png", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("nothing here", "text/plain");
        });
        server_.Get("/nocontent.png", [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
        server_.Get("/moved.png", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/a.png", 302);
        });
        server_.Get("/big.png", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(300000, 'x'), "image/png");
        });
        server_.Get("/slow.png", [this](const httplib::Request&, httplib::Response& res) {
            // Bounded: at most 3 seconds, less when the test is done.
            for (int i = 0; i < 30 && !stopping_; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            res.set_content(kPng, "image/png");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TPictureServer()
    {
        stopping_ = true;
        server_.stop();
        thread_.join();
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    httplib::Server server_;
    std::atomic<bool> stopping_{false};
    int port_ = 0;
    std::thread thread_;
};

class ImportImageFromInternetTest : public testing::Test {
protected:
    TPictureServer server;
    TCatalogFixture db;
    TScriptedGui gui;
    TScriptedRunner runner;
    std::vector<std::string> params;

    std::unique_ptr<TImportImageFromInternet> Make(const std::string& path)
    {
        params = {"URL=" + server.Url(path)};
        return std::make_unique<TImportImageFromInternet>(params, db.Connection(),
                                                          TPublisherEnvironment{gui, nullptr, &runner, nullptr, nullptr});
    }
    static std::string Body(TImportImageFromInternet& operation)
    {
        std::ostringstream body;
        body << operation.GetResponseStream()->rdbuf();
        return body.str();
    }
};

TEST_F(ImportImageFromInternetTest, APictureIsDownloadedWithItsType)
{
    for (const char* path : {"/a.png", "/caps.png"}) {
        auto operation = Make(path);
        operation->Run();
        EXPECT_TRUE(operation->Succeeded()) << path;
        EXPECT_EQ(Body(*operation), kPng);
        EXPECT_FALSE(ValueOfName(params, "ContentType").empty());
        EXPECT_EQ(runner.Last(), "Successfully imported.");
        EXPECT_TRUE(operation->AutoClose());
        EXPECT_EQ(runner.received, static_cast<long long>(kPng.size()));
        EXPECT_EQ(gui.WaitDepth(), 0) << "the cursor is restored";
        runner.lines.clear();
    }
    EXPECT_EQ(ValueOfName(params, "ContentType"), "IMAGE/PNG");
}

TEST_F(ImportImageFromInternetTest, FailedAnswersAreLoggedAndRaised)
{
    struct TCase { const char* path; const char* message; };
    for (const TCase c : {TCase{"/empty.png", "Empty data stream"}, TCase{"/page.html", "Unsupported image type"},
                          TCase{"/missing.png", "Not Found"}}) {
        SCOPED_TRACE(c.path);
        runner.lines.clear();
        auto operation = Make(c.path);
        EXPECT_THROW(operation->Run(), EPublisherTolvexException);
        EXPECT_FALSE(operation->Succeeded());
        EXPECT_EQ(runner.Last(), std::string("Error: ") + c.message);
        EXPECT_FALSE(ValueOfName(params, "URL").empty());
        EXPECT_EQ(ValueOfName(params, "ContentType"), "");
        EXPECT_EQ(gui.WaitDepth(), 0);
    }
}

TEST_F(ImportImageFromInternetTest, AnswersWithoutPictureEndUnsuccessfulWithoutErrorLine)
{
    for (const char* path : {"/nocontent.png", "/moved.png"}) {
        SCOPED_TRACE(path);
        runner.lines.clear();
        auto operation = Make(path);
        operation->Run();
        EXPECT_FALSE(operation->Succeeded());
        EXPECT_EQ(runner.Last(), "Errors occurred during the import operation");
        for (const std::string& line : runner.Texts())
            EXPECT_NE(line.rfind("Error: ", 0), 0u) << line;
    }
}

TEST_F(ImportImageFromInternetTest, SizeAndTimeLimitsEndTheDownload)
{
    auto big = Make("/big.png");
    big->GetHttpClient()->SetLimits(100000, 10);
    EXPECT_THROW(big->Run(), EPublisherTolvexException);
    EXPECT_NE(runner.Last().find("larger than 100000 bytes"), std::string::npos) << runner.Last();

    auto slow = Make("/slow.png");
    slow->GetHttpClient()->SetLimits(100000, 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(slow->Run(), EPublisherTolvexException);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(runner.Last().rfind("Error: ", 0), 0u);
}

TEST_F(ImportImageFromInternetTest, ACancelDuringTheTransferWritesNoErrorLine)
{
    auto operation = Make("/slow.png");
    bool cancelled = false;
    runner.onProcessMessages = [&] {
        if (!cancelled && operation->GetHttpClient()) {
            cancelled = true;
            operation->Cancel();
        }
    };
    EXPECT_THROW(operation->Run(), EPublisherTolvexException);
    EXPECT_TRUE(operation->IsCancelled());
    for (const std::string& line : runner.Texts())
        EXPECT_NE(line.rfind("Error: ", 0), 0u) << line;
    EXPECT_EQ(gui.WaitDepth(), 0);
}

TEST(HttpClient, OnlyHttpAddressesAreFetched)
{
    THttpClient client("", 0);
    std::ostringstream body;
    EXPECT_THROW(client.Get("file:///etc/passwd", body), EPublisherTolvexException);
    EXPECT_TRUE(body.str().empty());
}

}  // namespace
