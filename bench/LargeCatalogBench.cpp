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
#include "BenchProgram.h"

#include "catalog/TreeManager.h"

#include <QElapsedTimer>

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
    bench_program::TProgram program(argc, argv, home);
    const std::string error = program.Open();
    if (!error.empty()) {
        std::printf("error opening: %s\n", error.c_str());
        return 1;
    }
    const int homePage = program.Root().GetHomePageId();
    QCoreApplication::processEvents();
    if (!program.EditorShows(homePage))
        program.Shell().CatalogUI()->WebTree()->LocateItem(homePage, nullptr);
    QElapsedTimer waited;
    waited.start();
    while (!program.EditorShows(homePage) && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double shownAt = MillisecondsSinceStart();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (!program.EditorShows(homePage)) {
        std::printf("the home page's editor did not show\n");
        return 1;
    }
    std::printf("shown %.1f %ld\n", shownAt, usage.ru_maxrss);
    return 0;
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
    bench_program::PrepareProgramFolder(home.Path(), catalogFolder);
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--open")
        return OpenProcess(argc, argv, argv[2]);
    const int items = argc > 1 ? std::max(200, std::atoi(argv[1])) : 100000;
    const auto start = bench_site::TClock::now();
    bool made = false;
    const fs::path folder = bench_program::KeptCatalog(items, &made);
    if (made)
        std::printf("%-44s %9.1f s (kept in %s)\n", "catalog made:", bench_site::Seconds(start), folder.c_str());
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
