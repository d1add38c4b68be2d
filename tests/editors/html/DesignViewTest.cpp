// The visual editor's view on a real web page: the part shows in design
// mode with the page's style sheet, scripts in it stay inert, typing and
// inserted markup reach the HTML read back, and an empty editor stores
// nothing.
#include "../PageScript.h"
#include "DesignViewFixture.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/DesignDocument.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/HtmlInsertions.h"
#include "generation/PreviewContentHooks.h"
#include "support/ScriptedGui.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

namespace {

TEST(DesignDocument, WrapsThePartAndReadsItBack)
{
    EXPECT_EQ(TDesignDocument::BodyTag(true, ""),
              "<body class=\"pagebody bodyContent bgcolor0 color0 font0 size0 body bgImage topofpage\" >");
    EXPECT_EQ(TDesignDocument::BodyTag(false, "3001.gif"),
              "<body class=\"pagebody bodyContent bgcolor0 color0 font0 size0 body bgImage bottomofpage\"  "
              "background=\"../images/3001.gif\">");
    const std::string document = TDesignDocument::Document("<p>Hi</p>", "p { color: red } </style><script>", true, "");
    EXPECT_NE(document.find("<STYLE>p { color: red } <\\/style><script></STYLE>"), std::string::npos)
        << "the style sheet cannot close its element";
    EXPECT_NE(document.find("topofpage\" ><p>Hi</p></body></html>"), std::string::npos);

    for (const char* empty : {"", "\r\n", "<br>", " <p> &nbsp; </p>\r\n", "<P>&nbsp;</P>"})
        EXPECT_EQ(TDesignDocument::StoredBody(empty), "") << empty;
    EXPECT_EQ(TDesignDocument::StoredBody("<p>x</p>"), "<p>x</p>");
    EXPECT_EQ(TDesignDocument::ScriptString("a\"b\\c\n\u2028</script>"), "\"a\\\"b\\\\c\\n\\u2028</script>\"");
}

TEST(DesignDocument, ClassNamesOfTheStyleSheet)
{
    const std::string css = "/* a/b .hidden { } */ .Title, h1.big { color: red }\n"
                            "td .small,.title{x:1} /* .gone */ .menu:hover { }";
    EXPECT_EQ(TDesignDocument::CssClassNames(css), (std::vector<std::string>{"title", "small", "menu:hover"}))
        << "h1.big is no class selector of its own; comments and blocks never count";
}

class DesignViewTest : public TDesignViewFixture {
protected:
    void Load(const std::string& html)
    {
        LoadPart(html, kCss);
        QTest::qWait(200);
    }
    std::string Body()
    {
        std::string body;
        bool done = false;
        view->ReadBodyHtml([&](const std::string& html) {
            body = html;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
        return body;
    }
    QString Evaluate(const QString& script)
    {
        return EvaluateInPage(*view->page(), script).toString();
    }

    static constexpr const char* kCss =
        "body { font-family: sans-serif; background: #fdfaf0; } .topofpage h1 { color: #2a5d8f; }";
};

TEST_F(DesignViewTest, ScriptsInThePartStayInert)
{
    Load("<h1>Welcome</h1><script>document.title = 'ran'; document.body.innerHTML = '';</script>"
         "<img src=\"x\" onerror=\"document.title = 'ran'\">");
    EXPECT_EQ(Evaluate("document.designMode"), "on");
    EXPECT_NE(Evaluate("document.title"), "ran");
    EXPECT_NE(Body().find("<h1>Welcome</h1>"), std::string::npos) << "the part is kept as it was, script too";
}

TEST_F(DesignViewTest, ThePartNeverNavigatesAway)
{
    // A page that redirects itself, or a link followed, would leave the
    // document being edited, and its edits would be lost.
    Load("<meta http-equiv=\"refresh\" content=\"0; url=http://127.0.0.1:9/elsewhere.html\"><h1>Moved</h1>"
         "<a id=\"away\" href=\"http://127.0.0.1:9/link.html\">away</a>");
    QTest::qWait(1500);
    EXPECT_NE(Body().find("<h1>Moved</h1>"), std::string::npos) << Body();
    Evaluate("document.getElementById('away').click(); 1");
    QTest::qWait(500);
    EXPECT_NE(Body().find("<h1>Moved</h1>"), std::string::npos) << Body();
    // Loading a document is still the view's own.
    Load("<p>Next</p>");
    EXPECT_NE(Body().find("<p>Next</p>"), std::string::npos) << Body();
}

TEST_F(DesignViewTest, TypingAndInsertionsReachTheHtml)
{
    Load("<h1>Welcome</h1><p id=\"text\">to our shop</p>");
    QSignalSpy modified(view.get(), &TDesignView::Modified);
    // The caret at the end of the paragraph, as a click would put it.
    Evaluate("var range = document.createRange(); var p = document.getElementById('text');"
             "range.selectNodeContents(p); range.collapse(false); var s = window.getSelection();"
             "s.removeAllRanges(); s.addRange(range); 'ok'");
    view->setFocus();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view.get();
    QTest::keyClicks(target, " today");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Body().find("to our shop today") != std::string::npos; }, 5000))
        << Body();
    EXPECT_TRUE(QTest::qWaitFor([&] { return modified.count() > 0; }, 5000));

    const std::string link = THtmlInsertions::Link(THtmlInsertions::HyperlinkFromAnswers(
        TDialogParams({"URL=http://example.com/?a=1&b=2", "Caption=our \"friends\""})));
    bool inserted = false;
    view->InsertHtml(link, [&](bool ok) { inserted = ok; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return inserted; }, 5000));
    const std::string body = Body();
    EXPECT_NE(body.find("href=\"http://example.com/?a=1&amp;b=2\""), std::string::npos) << body;
    EXPECT_NE(body.find("our \"friends\"</a>"), std::string::npos) << body;
    EXPECT_TRUE(gui.Shown().empty());
    SaveWidgetPicture(*view, "design-view");
}

TEST_F(DesignViewTest, AnEmptiedEditorStoresNothing)
{
    Load("<p>x</p>");
    Evaluate("document.body.innerHTML = '<p>&nbsp;</p>'; 'ok'");
    EXPECT_EQ(Body(), "");
}

}  // namespace

#include <QBuffer>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

namespace {

// Answers the preview host's addresses as the program's handler would: the
// hooked editor documents, pictures and style sheets.
class TPicturesHandler : public QWebEngineUrlSchemeHandler {
public:
    QStringList asked;
    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        asked << job->requestUrl().toString();
        // The editor's own document comes first, from the content hooks.
        if (auto document = TPreviewContentHooks::Global().Ask(job->requestUrl().toString(QUrl::FullyEncoded).toStdString())) {
            auto* page = new QBuffer(job);
            page->setData(QByteArray::fromStdString(*document));
            job->reply(QByteArray("text/html"), page);
            return;
        }
        static const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00"
                                    "\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
                                    43);
        const bool css = job->requestUrl().path().endsWith(QLatin1String(".css"));
        auto* body = new QBuffer(job);
        body->setData(css ? QByteArray("h1 { letter-spacing: 3px; }") : gif);
        job->reply(css ? QByteArray("text/css") : QByteArray("image/gif"), body);
    }
};

TEST_F(DesignViewTest, PicturesAndStyleSheetsComeFromThePreviewHost)
{
    TPicturesHandler handler;
    QWebEngineProfile::defaultProfile()->installUrlSchemeHandler("tolvex", &handler);
    Load("<link rel=\"stylesheet\" href=\"../css/88.css\"><h1>Hi</h1><img id=\"logo\" src=\"../images/55.gif\">");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Evaluate("String(document.getElementById('logo').naturalWidth)") == "1"; },
                                5000))
        << handler.asked.join(' ').toStdString();
    EXPECT_EQ(Evaluate("getComputedStyle(document.querySelector('h1')).letterSpacing"), "3px");
    EXPECT_TRUE(handler.asked.contains("tolvex://preview/images/55.gif")) << handler.asked.join(' ').toStdString();
    // The document itself was served through the scheme, at the part's address.
    EXPECT_TRUE(handler.asked.front().startsWith("tolvex://preview/EN/dhtmlTop.html?")) << handler.asked.join(' ').toStdString();
    view.reset();
    QTest::qWait(100);
    QWebEngineProfile::defaultProfile()->removeUrlSchemeHandler(&handler);
}

}  // namespace
