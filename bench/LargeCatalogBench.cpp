// Starting the program over a large catalog: a catalog of the shipped type
// 1 grown to 100,000 items (unless given: the home page, 99 sections, story
// pages with their names in English and German, and a picture item with its
// stored picture for every hundredth story) is opened by a fresh process of
// the program with its main window: the root object starts, the catalog is
// opened as the login opens it (user "admin"), the web tree shows, and the
// home page is located in the tree and opens in its editor. Figures: the
// time from the process's start (as the kernel counts it) to the editor
// showing, and the process's peak memory (its largest resident size), each
// the median of three processes, against the targets (1.5 s, 300 MB).
//
// The catalog is made once and kept in the bench's build folder
// ("large-catalog-<items>"); each process opens a fresh copy of it in a
// program folder of its own. The main window runs on the platform Qt is
// given (offscreen or under xvfb-run).
//
// Arguments: the number of items; "--open HOME" is the measured process.
#include "PublishBenchSite.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "common/GlobalSettings.h"
#include "common/WellKnownIds.h"
#include "editors/framework/Registration.h"
#include "catalog/TreeManager.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/ui/frmFrameContainer.h"
#include "generation/ui/PreviewScheme.h"
#include "shell/CatalogWindowUI.h"
#include "shell/QtShell.h"
#include "shell/TolvexApplication.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/ShippedData.h"
#include "storage/SQLiteModule.h"
#include "support/ScriptedGui.h"
#include "support/SharedTestData.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kCode = "shop";

// Milliseconds since this process started, as the kernel counts it.
double MillisecondsSinceStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name, which ends with the last ')'.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22)
            startTicks = std::stoull(field);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The measured process: the program over Home, whose catalog is ready.
int OpenProcess(int argc, char** argv, const std::string& home)
{
    RegisterPreviewScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TTolvexApplication app(argc, argv);
    CreateSingletons(home, RegisterFrameworkClasses);
    TScriptedGui gui;
    CommonProcedures->SetGui(&gui);
    int result = 1;
    {
        TQtShell shell(gui, nullptr, &app);
        TTolvex::TEnvironment environment;
        environment.Shell = &shell;
        environment.DataDir = TShippedData::BuildTreeDataDir();
        TTolvex root(environment);
        RootObject = &root;
        root.Start();
        shell.ShowMainWindow(false);
        QCoreApplication::processEvents();

        // A window the opening shows (the catalog's first settings) is confirmed with OK.
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, &app, [&] {
            if (auto* window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget()))
                window->btnContainerOk->click();
        });
        answer.start();
        std::string error;
        root.OpenCatalog("", SQLiteModuleName, "", kCode, "admin", "secret", 0, error);
        QCoreApplication::processEvents();
        TCatalogWindowUI* ui = shell.CatalogUI();
        if (!error.empty() || !ui || !ui->WebTree()) {
            std::printf("error opening: %s\n", error.c_str());
        } else {
            const int home = root.GetHomePageId();
            const auto homeShown = [&] {
                TTolvexItemEditor* editor = ui->MainEditor();
                return editor && editor->Context() && editor->Context()->GetItemId() == home &&
                       editor->Container() != nullptr;
            };
            QCoreApplication::processEvents();
            if (!homeShown())
                ui->WebTree()->LocateItem(home, nullptr);
            QElapsedTimer waited;
            waited.start();
            while (!homeShown() && waited.elapsed() < 30000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const double shownAt = MillisecondsSinceStart();
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            if (homeShown()) {
                std::printf("shown %.1f %ld\n", shownAt, usage.ru_maxrss);
                result = 0;
            } else {
                std::printf("the home page's editor did not show\n");
            }
        }
        answer.stop();
        root.Destroy();
        RootObject = nullptr;
    }
    FreeSingletons();
    return result;
}

// Makes the catalog of Items items into Folder ("<Folder>/shop.sqlite").
void MakeCatalog(int items, const fs::path& folder)
{
    TPublishSite site;
    const std::vector<int> ids = bench_site::GrowCatalog(site, items - items / 100);
    // A picture item below every hundredth story, under the same section.
    TAbstractDBConnection& connection = site.Connection();
    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    int pictures = 0;
    for (std::size_t i = 1 + bench_site::kSections; i < ids.size() && pictures < items / 100; i += 100, ++pictures) {
        const int parent = site.Data().GetParentItemId(ids[i], kCode, connection);
        const int id = site.AddItem(kImageItemType, parent);
        site.SetName(id, "Picture " + std::to_string(pictures + 1), "Bild " + std::to_string(pictures + 1));
        site.AddBinary(id, 5, "image/gif", "GIF89a-picture-" + std::to_string(pictures));
    }
    unit.Commit();
    const std::string file =
        SQLiteDatabaseFileName(site.Program().Root().Settings().GetDatabasePath(), kCode);
    site.Program().Root().CloseCatalog();
    fs::create_directories(folder);
    fs::copy_file(file, folder / "shop.sqlite.partial", fs::copy_options::overwrite_existing);
    fs::rename(folder / "shop.sqlite.partial", folder / "shop.sqlite");
}

struct TProcess {
    double shownMs = 0;
    long peakKb = 0;
    bool ok = false;
};

// One measured process over a fresh program folder with a copy of the catalog.
TProcess RunProcess(const fs::path& catalogFolder)
{
    TTempFolder home;
    SharedTestData::InstallShippedDatabases(home.Path());
    const fs::path databases = fs::path(home.Path()) / "UserData";
    fs::create_directories(databases);
    fs::copy_file(catalogFolder / "shop.sqlite", databases / "shop.sqlite");
    const std::string output = home.File("process.out");
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args{self, "--open", home.Path()};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    TProcess process;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        std::ifstream in(output);
        std::string word;
        while (in >> word)
            if (word == "shown" && in >> process.shownMs >> process.peakKb)
                process.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!process.ok)
            std::printf("the process failed: %s\n", TTempFolder::Read(output).c_str());
    }
    posix_spawn_file_actions_destroy(&actions);
    return process;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--open")
        return OpenProcess(argc, argv, argv[2]);
    const int items = argc > 1 ? std::max(200, std::atoi(argv[1])) : 100000;
    const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path() / ("large-catalog-" + std::to_string(items));
    if (!fs::exists(folder / "shop.sqlite")) {
        const auto start = bench_site::TClock::now();
        MakeCatalog(items, folder);
        std::printf("%-44s %9.1f s (kept in %s)\n", "catalog made:", bench_site::Seconds(start), folder.c_str());
    }
    std::printf("catalog of %d items, %.0f MB\n", items, fs::file_size(folder / "shop.sqlite") / 1048576.0);
    std::vector<double> shown;
    std::vector<double> peak;
    for (int run = 0; run < 3; ++run) {
        const TProcess process = RunProcess(folder);
        if (!process.ok)
            return 1;
        shown.push_back(process.shownMs);
        peak.push_back(process.peakKb / 1024.0);
        std::printf("  process %d: home page's editor at %7.1f ms, peak %6.1f MB\n", run + 1, process.shownMs,
                    process.peakKb / 1024.0);
    }
    std::printf("%-44s %9.1f ms  (target under 1500 ms)\n", "process start to the editor (median):", Median(shown));
    std::printf("%-44s %9.1f MB  (target under 300 MB)\n", "peak memory (median):", Median(peak));
    return 0;
}
