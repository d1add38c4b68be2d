// The wire format of the hosting service: the multipart body, the replies,
// and the HTTP client's POST against a server on 127.0.0.1.
#include "common/Exceptions.h"
#include "publishing/HostReply.h"
#include "publishing/HostRequest.h"
#include "publishing/HttpClient.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <sstream>
#include <thread>

namespace {

TEST(HostRequest, TheBodyIsAPartPerFieldThenTheDataThenTheClosingLine)
{
    THostRequest request(THostRequest::MakeBoundary("42"));
    EXPECT_EQ(request.Boundary(), "----=_NextPart_000_000C_01C2E358.66EED2F0.42");
    EXPECT_EQ(request.Body(), "") << "an empty request gets no closing line";
    request.AddField("action", "xmldata");
    request.AddField("note", "two\r\nlines");
    request.SetDataPart("xmldata", std::string("\x78\x9c\0bytes", 8));
    const std::string b = "--" + request.Boundary();
    EXPECT_EQ(request.Body(),
              b + "\r\nContent-Disposition: form-data; name=\"action\"\r\n\r\nxmldata\r\n" + b +
                  "\r\nContent-Disposition: form-data; name=\"note\"\r\n\r\ntwo\r\nlines\r\n" + b +
                  "\r\nContent-Disposition: form-data; name=\"xmldata\"; filename=\"xmldata\"\r\n"
                  "Content-type: application/octet-stream\r\n\r\n" + std::string("\x78\x9c\0bytes", 8) + "\r\n" + b +
                  "--\r\n");
    EXPECT_EQ(request.ContentType(), "multipart/form-data; boundary=" + request.Boundary());
}

TEST(HostRequest, ValuesThatWouldBreakTheFramingAreRefused)
{
    THostRequest request(THostRequest::MakeBoundary("7"));
    const std::string line = "--" + request.Boundary();
    EXPECT_THROW(request.AddField("passwd", "x\r\n" + line + "\r\nContent-Disposition: form-data; name=\"action\""),
                 EPublisherTolvexException);
    EXPECT_THROW(request.AddField("na\"me", "v"), EPublisherTolvexException);
    EXPECT_THROW(request.AddField("name\r\n", "v"), EPublisherTolvexException);
    EXPECT_THROW(request.SetDataPart("xmldata", "a" + line), EPublisherTolvexException);
    EXPECT_TRUE(request.Fields().empty());
    request.AddField("passwd", "--not-the-boundary");
    EXPECT_EQ(request.Field("passwd"), "--not-the-boundary");
}

TEST(HostReply, PrefixesDecideAndFieldsAreDecoded)
{
    struct TCase {
        const char* body;
        THostReply::TKind kind;
        const char* text;
    };
    const TCase cases[] = {
        {"Error: no such catalog", THostReply::TKind::Error, " no such catalog"},
        {"Error:", THostReply::TKind::Error, ""},
        {"Warning:slow", THostReply::TKind::Warning, "slow"},
        {"Message: hello", THostReply::TKind::Message, " hello"},
        {"Registered=yes", THostReply::TKind::Plain, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.body);
        const THostReply reply(c.body);
        EXPECT_EQ(reply.Kind(), c.kind);
        EXPECT_EQ(reply.Text(), c.text);
    }
    for (const char* body : {"StartId=5&EndId=9", "\r\nStartId=5\r\nEndId=9\r\n", "StartId=5\nEndId=9"}) {
        THostReply reply(body);
        ASSERT_TRUE(reply.ReadFields()) << body;
        EXPECT_EQ(reply.Field("StartId"), "5");
        EXPECT_EQ(reply.Field("endid"), "9");
    }
    THostReply encoded("Name=A+b%26c%3d");
    ASSERT_TRUE(encoded.ReadFields());
    EXPECT_EQ(encoded.Field("Name"), "A b&c=");
    THostReply malformed("StartId=%zz&EndId=9");
    EXPECT_FALSE(malformed.ReadFields());
    EXPECT_EQ(malformed.Field("EndId"), "");
    EXPECT_FALSE(THostReply("0123456789").CarriesData());
    EXPECT_TRUE(THostReply("0123456789A").CarriesData());
}

// A server that echoes what a POST carried.
class TEchoServer {
public:
    TEchoServer()
    {
        server_.Post("/echo", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.get_header_value("Content-Type") + "|" + request.body, "text/plain");
        });
        server_.Post("/refuse", [](const httplib::Request&, httplib::Response& response) {
            response.status = 403;
            response.set_content("no", "text/plain");
        });
        server_.Post("/big", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(5000, 'x'), "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~TEchoServer()
    {
        server_.stop();
        thread_.join();
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

TEST(HttpClientPost, SendsTheBodyWithItsTypeUnderTheSameLimitsAsGet)
{
    TEchoServer server;
    THttpClient client("", 0);
    const std::string body("a\0b\r\n", 5);
    std::ostringstream answer;
    std::int64_t sent = 0;
    client.OnDataSent = [&](std::int64_t count) { sent += count; };
    EXPECT_EQ(client.Post(server.Url("/echo"), "application/x-test; part=1", body, answer).StatusCode, 200);
    EXPECT_EQ(answer.str(), "application/x-test; part=1|" + body);

    std::ostringstream refused;
    EXPECT_THROW(client.Post(server.Url("/refuse"), "text/plain", "x", refused), EPublisherTolvexException);
    client.SetLimits(1000, 10);
    std::ostringstream big;
    EXPECT_THROW(client.Post(server.Url("/big"), "text/plain", "x", big), EPublisherTolvexException);
    std::ostringstream other;
    EXPECT_THROW(client.Post("ftp://127.0.0.1/x", "text/plain", "x", other), EPublisherTolvexException)
        << "only http and https";
}

}  // namespace
