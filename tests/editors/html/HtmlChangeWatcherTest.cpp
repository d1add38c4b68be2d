// The form change sink on a real web page: a checkbox click marks the editor
// modified once; a click into a text field does not; page scripts switched
// off do not stop the watcher.
#include "../PageScript.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/HtmlChangeWatcher.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include <gtest/gtest.h>

namespace {

const char* const kForm = R"(<html><body><form>
<input id="name" type="text"><input id="secret" type="password"><input id="plain">
<input id="agree" type="checkbox"><select id="size"><option>S</option><option>M</option></select>
</form></body></html>)";

class HtmlChangeWatcherTest : public ::testing::Test {
protected:
    HtmlChangeWatcherTest()
    {
        EnsureQtApplication();
        page = std::make_unique<QWebEnginePage>();
        page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        handler = std::make_unique<THtmlEventHandler>([this] { ++modified; });
        new THtmlChangeWatcher(*page, *handler);
        QSignalSpy loaded(page.get(), &QWebEnginePage::loadFinished);
        page->setHtml(QString::fromUtf8(kForm), QUrl(QStringLiteral("tolvex://preview/EN/form.html")));
        EXPECT_TRUE(loaded.wait(20000));
        // The script connects its channel after the document is ready.
        QTest::qWait(300);
    }
    ~HtmlChangeWatcherTest() override
    {
        // The engine finishes with the page in the event loop, as in the program.
        page.reset();
        QTest::qWait(100);
    }
    // Runs a statement as the user's action would, from outside the page's scripts.
    void Do(const QString& statement)
    {
        EvaluateInPage(*page, statement);
        QTest::qWait(100);
    }

    std::unique_ptr<QWebEnginePage> page;
    std::unique_ptr<THtmlEventHandler> handler;
    int modified = 0;
};

TEST_F(HtmlChangeWatcherTest, ACheckBoxClickFiresOnce)
{
    Do("document.getElementById('name').click(); document.getElementById('secret').click();"
       "document.getElementById('plain').click();");
    EXPECT_EQ(modified, 0) << "clicks into text fields change nothing";
    Do("document.getElementById('agree').click();");
    EXPECT_TRUE(QTest::qWaitFor([&] { return modified == 1; }, 5000));
    EXPECT_TRUE(handler->Fired());
    Do("document.getElementById('agree').click();");
    EXPECT_EQ(modified, 1) << "the second click does nothing more while fired";

    handler->ClearFired();
    Do("var f = document.getElementById('name'); f.value = 'x'; f.dispatchEvent(new Event('change'));");
    EXPECT_TRUE(QTest::qWaitFor([&] { return modified == 2; }, 5000)) << "leaving a changed text field fires";
}

}  // namespace
