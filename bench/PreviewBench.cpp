// The preview of a page in the editor: in the program with its main window
// over the catalog of the large-catalog bench at 10,000 items (unless
// given), a story page opens in its editor and its "Preview" tab is shown;
// the figure is the time from the tab's activation to the page's load in the
// web engine (its loadFinished). The first showing starts the web engine
// and counts apart; then the tab is left and shown again, each time
// generating the page anew as after an unsaved edit, and the median of
// those showings counts (target: under 150 ms).
//
// Arguments: the number of items; the number of later showings (9).
#include "BenchProgram.h"

#include "catalog/CatalogData.h"
#include "editors/framework/ItemEditorContainer.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "editors/site/preview/WebPreviewWidget.h"

#include <QElapsedTimer>
#include <QTabWidget>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kPreviewTab = "WebPreviewViewer-preview";

}  // namespace

int main(int argc, char** argv)
{
    const int items = argc > 1 ? std::max(200, std::atoi(argv[1])) : 10000;
    const int showings = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    const std::filesystem::path catalog = bench_program::KeptCatalog(items);
    TTempFolder home;
    bench_program::PrepareProgramFolder(home.Path(), catalog);
    bench_program::TProgram program(argc, argv, home.Path());
    const std::string error = program.Open();
    if (!error.empty()) {
        std::printf("error opening: %s\n", error.c_str());
        return 1;
    }
    // The last story of the catalog: the deepest of the pages.
    TCatalogData& data = *program.Root().GetCatalogData();
    TAbstractDBConnection& main = data.GetConnectionFactory().GetConnection();
    int story = 0;
    {
        TQueryGuard query(main);
        query->SetSQL("SELECT MAX(ItemId) AS Id FROM Items WHERE ItemType = :Type");
        query->SetParam("Type", bench_site::kStoryType);
        TAbstractRecordset& r = query->Open(true);
        story = r.Eof() ? 0 : FieldInteger(r, "Id");
    }
    program.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(story) +
                                      "&ItemType=" + std::to_string(bench_site::kStoryType),
                                  false);
    QCoreApplication::processEvents();
    if (!program.EditorShows(story)) {
        std::printf("the story's editor did not open\n");
        return 1;
    }
    TItemEditorContainer& container = *program.Shell().CatalogUI()->MainEditor()->Container();
    QWidget* pane = program.Shell().Window().EditorPane();
    auto* tabs = pane->findChild<QTabWidget*>();

    // Milliseconds from the activation to the load; negative when it did not load.
    const auto show = [&]() -> double {
        bool loaded = false;
        QMetaObject::Connection connection;
        const auto listen = [&](TWebPreviewWidget* preview) {
            connection = QObject::connect(preview->View(), &QWebEngineView::loadFinished, preview,
                                          [&](bool ok) { loaded = ok; });
        };
        // The preview's widget is made when its tab is first shown.
        TWebPreviewWidget* preview = pane->findChild<TWebPreviewWidget*>();
        if (preview)
            listen(preview);
        QElapsedTimer timer;
        timer.start();
        if (!container.ActivateTabByName(kPreviewTab))
            return -1;
        if (!preview) {
            preview = pane->findChild<TWebPreviewWidget*>();
            if (!preview)
                return -1;
            listen(preview);
        }
        while (!loaded && timer.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QObject::disconnect(connection);
        return loaded ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1;
    };

    const double first = show();
    if (first < 0) {
        std::printf("the preview did not load\n");
        return 1;
    }
    std::vector<double> later;
    for (int i = 0; i < showings; ++i) {
        if (tabs)
            tabs->setCurrentIndex(tabs->currentIndex() == 0 ? 1 : 0);
        QCoreApplication::processEvents();
        const double ms = show();
        if (ms < 0) {
            std::printf("the preview did not load again\n");
            return 1;
        }
        later.push_back(ms);
    }
    std::printf("story page %d of a catalog of %d items\n", story, items);
    std::printf("%-44s %9.1f ms  (the web engine starts)\n", "first showing of the preview tab:", first);
    std::printf("%-44s", "later showings:");
    for (double ms : later)
        std::printf(" %.1f", ms);
    std::printf(" ms\n");
    std::printf("%-44s %9.1f ms  (target under 150 ms)\n", "activation to load (median):", Median(later));
    return 0;
}
