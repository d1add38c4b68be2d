// Local publishing of a catalog of a shipped type in the runner window: once
// the run has ended, Preview opens the site's index page with the desktop's
// opener (a stand-in "xdg-open" on PATH records what it was asked to open)
// and closes the window.
#include "QtTestApplication.h"

#include "generation/StyleFixture.h"

#include "publishing/PublishLocally.h"
#include "publishing/ui/frmDetailProcess.h"
#include "support/RecordingOpener.h"
#include "support/TempFolder.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(RunnerWindowPreview, PreviewAfterLocalPublishingOpensTheSite)
{
    EnsureQtApplication();
    TStyleProgram program{1};
    TTempFolder site;
    TRecordingOpener opener;
    TfrmDetailProcess::TEnvironment environment;
    environment.Gui = &program.fixture.Gui();
    QPointer<TfrmDetailProcess> window = new TfrmDetailProcess(environment);
    window->CreatePublisher(
        {"Path=" + site.Path(), "LangCode=", "IndexFileName=index.html"},
        [&](std::vector<std::string>& params, TAbstractDBConnection* connection, TPublisherRunner& runner) {
            return std::make_unique<TPublishLocally>(
                params, *connection, TPublisherEnvironment{program.fixture.Gui(), nullptr, &runner, &program.Root()});
        },
        &program.Connection());
    window->StartProcess();
    for (int i = 0; i < 1000 && !window->IsFinished(); ++i)
        QTest::qWait(10);
    ASSERT_TRUE(window->IsFinished());
    ASSERT_TRUE(window->GetPublisher()->Succeeded()) << window->LogView()->toPlainText().toStdString();
    ASSERT_TRUE(window->PreviewButton()->isVisible());

    window->PreviewButton()->click();
    const std::string opened = opener.Opened();
    EXPECT_EQ(opened, site.Path() + "/index.html");
    EXPECT_TRUE(fs::exists(opened));
    // The index page leads to the home page of the default language, which was written.
    std::ifstream index(opened);
    const std::string redirect(std::istreambuf_iterator<char>(index), {});
    const std::string lang = program.Data().GetDefaultLangCode();
    EXPECT_NE(redirect.find(lang + "/index.html"), std::string::npos) << redirect;
    EXPECT_TRUE(fs::exists(fs::path(site.Path()) / lang / "index.html"));
    // Preview closes the window (a finished window may be freed at once); the
    // closing is posted, and the opener may have run before it was handled.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull() || !window->isVisible(); }, 5000));
    delete window.data();
}

}  // namespace
