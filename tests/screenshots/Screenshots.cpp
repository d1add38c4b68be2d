// The pictures of README.md, made again by scripts/screenshots: a new
// catalog in a temporary program folder, the main window with its home page
// open, the same page's preview tab, and the site published locally as a
// phone shows it (375 pixels wide). The pictures go into the folder that
// TOLVEX_SCREENSHOT_DIR names; the program fails without it.
#include "../editors/framework/MainWindowFixture.h"
#include "../editors/site/EditorPaneHelpers.h"

#include "editors/framework/Registration.h"
#include "editors/site/preview/FrameWebPreview.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/preview/WebPreviewWidget.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmPublishParameters.h"
#include "gui/MainWindowMessages.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kHomePage = 100001;
constexpr const char* kPreviewTab = "WebPreviewViewer-preview";
constexpr int kPhoneWidth = 375;
constexpr int kLongestPhonePicture = 2000;

QString Folder()
{
    const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR");
    return dir ? QString::fromLocal8Bit(dir) : QString();
}

// Saves the widget's picture as <folder>/<name>.png after a moment for web views to paint.
void Save(QWidget& widget, const char* name)
{
    QTest::qWait(500);
    const QString file = QString("%1/%2.png").arg(Folder(), name);
    ASSERT_TRUE(widget.grab().save(file)) << file.toStdString();
}

bool Loaded(QWebEngineView& view)
{
    return QTest::qWaitFor([&] { return !view.url().isEmpty() && !view.page()->isLoading(); }, 30000);
}

// Starts the parameters dialog of the local publishing once it shows.
void StartWhenAsked()
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll] {
        auto* dialog = qobject_cast<TfrmPublishParameters*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        dialog->StartButton()->click();
    });
    poll->start();
}

TEST(Screenshots, OfTheProgramAndAPublishedSite)
{
    ASSERT_FALSE(Folder().isEmpty()) << "TOLVEX_SCREENSHOT_DIR names no folder";
    std::filesystem::create_directories(Folder().toStdString());
    TMainWindowFixture f(RegisterFrameworkClasses);
    ASSERT_EQ(f.CreateAndOpen(), "");
    f.Window().resize(1100, 720);

    // The home page in the visual editor.
    f.Shell().CatalogUI()->SelectWebTreeItem(kHomePage);
    QCoreApplication::processEvents();
    ASSERT_NE(f.Editor().Context(), nullptr);
    auto* editor = f.EditorPane()->findChild<THtmlEditorWidget*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->IsReady(); }, 30000));
    Save(f.Window(), "main-window");

    // Its preview.
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(kPreviewTab));
    auto* preview = FrameOfTab<TFrameWebPreview>(f, kPreviewTab);
    ASSERT_TRUE(preview && preview->Preview());
    QWebEngineView& shown = *preview->Preview()->View();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.url().scheme() == "tolvex"; }, 30000));
    ASSERT_TRUE(Loaded(shown));
    Save(f.Window(), "preview");

    // The site published into a folder, as a phone shows its start page.
    TTempFolder site;
    f.Shell().Dialogs().SetFolderChooser([&](const std::string&, const std::string&) { return site.Path(); });
    StartWhenAsked();
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    std::vector<TfrmDetailProcess*> runners;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            runners = TfrmDetailProcess::ProcessWindows();
            return runners.size() == 1 && runners.front()->IsFinished();
        },
        120000));
    ASSERT_TRUE(runners.front()->GetPublisher()->Succeeded()) << runners.front()->LogView()->toPlainText().toStdString();
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    ASSERT_TRUE(QTest::qWaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }, 10000));

    QWebEngineView phone;
    phone.resize(kPhoneWidth, 800);
    phone.show();
    phone.load(QUrl::fromLocalFile(QString::fromStdString(site.Path() + "/index.html")));
    ASSERT_TRUE(Loaded(phone));
    // A start page that forwards to its language's page: that one, once loaded.
    QTest::qWait(1000);
    ASSERT_TRUE(Loaded(phone));
    const int height = EvaluateInPage(*phone.page(), "document.documentElement.scrollHeight").toInt();
    phone.resize(kPhoneWidth, std::clamp(height, 600, kLongestPhonePicture));
    Save(phone, "site-phone");
}

}  // namespace
