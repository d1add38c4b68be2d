// The image dialog's internet tab against web servers on 127.0.0.1, plain
// and TLS (a certificate the test makes with openssl and tells the client
// to trust): JPEG, GIF and PNG are stored under their own type, a picture
// at an address without extension under the type the server sent, so that
// publishing gives its file a matching extension; a 404, an HTML answer and
// an ftp address store nothing.
#include "ImageDialogFixture.h"

#include "publishing/ui/frmDetailProcess.h"

#include <QTabWidget>

#include <httplib.h>

#include <cstdlib>
#include <thread>

namespace {

// A web server on 127.0.0.1 (TLS when given a certificate) answering the
// pictures of the test.
class TPictureServer {
public:
    TPictureServer(const std::string& certificate = {}, const std::string& key = {})
    {
        if (certificate.empty())
            server_ = std::make_unique<httplib::Server>();
        else
            server_ = std::make_unique<httplib::SSLServer>(certificate.c_str(), key.c_str());
        Serve("/photo.jpg", "image/jpeg", TImageDialogFixture::Jpeg(64, 48));
        Serve("/anim.gif", "image/gif", TImageDialogFixture::Gif(30, 20));
        Serve("/shot.png", "image/png", TImageDialogFixture::Png(50, 40));
        Serve("/picture", "image/png", TImageDialogFixture::Png(25, 20));
        Serve("/page.png", "text/html", "<html><body>Not here</body></html>");
        port_ = server_->bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_->listen_after_bind(); });
    }
    ~TPictureServer()
    {
        server_->stop();
        thread_.join();
    }
    std::string Url(const std::string& scheme, const std::string& path) const
    {
        return scheme + "://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void Serve(const std::string& path, const std::string& type, const std::string& body)
    {
        server_->Get(path, [type, body](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, type);
        });
    }

    std::unique_ptr<httplib::Server> server_;
    int port_ = 0;
    std::thread thread_;
};

class ImageFromInternetTest : public TImageDialogFixture {
protected:
    // Types the address on the internet tab, loads it and presses OK when a
    // picture came (Cancel when none did: the runner window, which shows the
    // failure, is closed as the user would). The dialog's answers.
    std::vector<std::string> Download(const std::string& address, bool* stored = nullptr)
    {
        std::vector<std::string> params;
        bool loaded = false;
        WhenShown([&](TfrmFrameContainer& window) {
            window.findChild<QTabWidget*>()->setCurrentIndex(2);
            QCoreApplication::processEvents();
            Find<QLineEdit>(window, "edtURL")->setText(QString::fromStdString(address));
            CloseFailedRunner();
            Click(window, "btnLoadFromInternet");
            loaded = window.btnContainerOk->isEnabled();
            if (loaded)
                Shot(window, "image-dialog-inet");
            (loaded ? window.btnContainerOk : window.btnContainerCancel)->click();
        });
        const bool ok = RunDialog("image", params);
        if (stored)
            *stored = ok && loaded;
        return params;
    }
    // Closes the next runner window that ends without success.
    static void CloseFailedRunner()
    {
        auto* poll = new QTimer;
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [poll] {
            for (TfrmDetailProcess* runner : TfrmDetailProcess::ProcessWindows())
                if (runner->IsFinished() && runner->isVisible()) {
                    Shot(*runner, "image-dialog-inet-failed");
                    runner->CancelButton()->click();
                    poll->stop();
                    poll->deleteLater();
                }
        });
        QTimer::singleShot(15000, poll, [poll] { poll->deleteLater(); });
        poll->start();
    }
};

}  // namespace

TEST_F(ImageFromInternetTest, PicturesAreStoredUnderTheirTypeAndFailuresStoreNothing)
{
    TPictureServer server;
    struct Case { const char* path; const char* mimeType; const char* size; const char* name; };
    const Case cases[] = {
        {"/photo.jpg", "image/jpeg", "64 x 48", "photo"},
        {"/anim.gif", "image/gif", "30 x 20", "anim"},
        {"/shot.png", "image/png", "50 x 40", "shot"},
        {"/picture", "image/png", "25 x 20", "picture"},  // no extension: the server's type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::vector<std::string> params = Download(server.Url("http", c.path));
        const int image = Number(params, "ImageItemId");
        ASSERT_GT(image, 0);
        EXPECT_EQ(ValueOfName(params, "ImageMimeType"), c.mimeType);
        EXPECT_EQ(StoredMimeType(image), c.mimeType);
        EXPECT_EQ(StoredSize(image), c.size);
        EXPECT_EQ(ItemName(image), c.name);
        EXPECT_EQ(TCommonImages::GetImageFileName(image, f.Main(), Code()).substr(std::to_string(image).size()),
                  std::string(".") + (c.mimeType + 6))
            << "published with a matching extension";
    }

    const int images = ImageCount();
    for (const std::string& address :
         {server.Url("http", "/missing.jpg"), server.Url("http", "/page.png"), std::string("ftp://127.0.0.1/a.jpg")}) {
        SCOPED_TRACE(address);
        bool stored = true;
        const std::vector<std::string> params = Download(address, &stored);
        EXPECT_FALSE(stored);
        EXPECT_EQ(Number(params, "ImageItemId"), 0);
    }
    EXPECT_EQ(ImageCount(), images);
    EXPECT_EQ(Gui().Messages("error").back(), "Unsupported protocol");
}

TEST_F(ImageFromInternetTest, HttpsWorksWithAServerTheClientTrusts)
{
    const std::string certificate = Folder().Path() + "/cert.pem";
    const std::string key = Folder().Path() + "/key.pem";
    const std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
                                "-addext subjectAltName=IP:127.0.0.1 -keyout " + key + " -out " + certificate +
                                " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "openssl made no certificate";
    TPictureServer server(certificate, key);

    bool stored = true;
    Download(server.Url("https", "/photo.jpg"), &stored);
    EXPECT_FALSE(stored) << "a certificate nobody trusts is refused";

    setenv("SSL_CERT_FILE", certificate.c_str(), 1);
    const std::vector<std::string> params = Download(server.Url("https", "/shot.png"));
    unsetenv("SSL_CERT_FILE");
    EXPECT_EQ(StoredSize(Number(params, "ImageItemId")), "50 x 40");
}
