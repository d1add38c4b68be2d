// Publishing a whole site into a folder, as the program does it: a catalog
// of the shipped catalog type 1 with its own templates and page builder,
// grown to the given number of pages (10000 unless given: the home page, 99
// sections below it and story pages below the sections), published in
// English by TPublishLocally. Figures: pages per second of the run.
//
// Then the same site again with the default number of worker threads into a
// second folder, compared with the first byte for byte.
//
// Beside it, in the same run: xsltproc on the same page documents (every
// page's document is kept apart from the run, then all are transformed in
// one xsltproc run with the style sheet compiled once), and Hugo on an
// equivalent site of plain pages (99 sections, a menu of the sections on
// every page) when the program "hugo" is installed; a line says so when
// either is absent.
//
// The parallel run and Hugo share the machine with whatever else runs on
// it and their times swing most: each runs three times (into fresh
// folders) and the median counts; every time is printed.
//
// Arguments: the number of pages; "--keep" leaves the folders in place;
// "--publish-only" times the publishing alone (for profiling);
// "--parallel-only" the publishing with the workers alone; "--copy-site
// DIR" copies the published site and the preview folder's work files into
// DIR (to compare the output of two builds).
#include "PublishBenchSite.h"
#include "PublishSiteFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"
#include "storage/TolvexObjectContext.h"
#include "storage/UnitOfWorkScope.h"

#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {


using bench_site::GrowCatalog;
using bench_site::kSections;
using bench_site::Seconds;
using bench_site::TClock;

void Figure(const char* what, int pages, double seconds)
{
    std::printf("%-52s %6d pages  %9.1f ms  %9.1f pages/s\n", what, pages, seconds * 1000.0, pages / seconds);
}

// How often the parallel run and Hugo run; the median counts.
constexpr int kRepeats = 3;

// "label: a, b, c ms" for the repeated times.
void PrintTimes(const char* what, const std::vector<double>& seconds)
{
    std::printf("%-52s", what);
    for (std::size_t i = 0; i < seconds.size(); ++i)
        std::printf("%s%.1f", i == 0 ? " " : ", ", seconds[i] * 1000.0);
    std::printf(" ms\n");
}

bool Installed(const std::string& program)
{
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Every page's document and the last style sheet, generated apart from the
// run into Folder; the number of documents.
int KeepPageDocuments(TPublishSite& site, const std::vector<int>& ids, const std::string& folder)
{
    fs::create_directories(folder);
    TObjectCollection collection(site.Program().Root().ObjectContext());
    collection.Open(TPublishSite::kCode, site.Connection());
    TTemplates::TRun run(site.Data().GetPageGeneration().GetTemplates());
    int kept = 0;
    for (const int id : ids) {
        const int type = site.Data().GetQueries().GetItemType(id, TPublishSite::kCode, site.Connection());
        TTransformer transformer(site.Data().GetPageGeneration(), TPublishSite::kCode, nullptr);
        transformer.SetOutputKind(true, "html");
        transformer.SetPublishMode("locally");
        transformer.SetPageNumber(1);
        if (!transformer.GeneratePage(id, id, type, "EN", collection, site.Connection(), ""))
            continue;
        fs::copy_file(transformer.GetWorkDir() + "/out.xml", folder + "/" + std::to_string(id) + ".xml",
                      fs::copy_options::overwrite_existing);
        ++kept;
    }
    return kept;
}

// Seconds taken; 0 when xsltproc is not installed.
double TimeXsltproc(const std::string& workDir, const std::string& documents, int count)
{
    if (!Installed("xsltproc")) {
        std::printf("xsltproc: not installed, skipped\n");
        return 0;
    }
    // Every page's result goes to one file: xsltproc compiles the style
    // sheet once and applies it to each document in turn.
    const std::string out = documents + "-html";
    const std::string command = "cd " + Quoted(workDir) + " && xsltproc out.xsl " + Quoted(documents) +
                                "/*.xml > " + Quoted(out) + " 2> " + Quoted(out + ".log");
    const auto start = TClock::now();
    const int status = std::system(command.c_str());
    const double seconds = Seconds(start);
    if (status != 0) {
        std::ifstream log(out + ".log");
        std::string line;
        std::getline(log, line);
        std::printf("xsltproc: failed (status %d): %s\n", status, line.c_str());
    }
    Figure("xsltproc, style sheet compiled once:", count, seconds);
    return status == 0 ? seconds : 0;
}

// A Hugo site like the published one: 99 sections with their pages, every
// page in a layout with a menu of the sections.
void WriteHugoSite(const std::string& folder, int pages)
{
    fs::create_directories(folder + "/layouts/_default");
    std::ofstream(folder + "/hugo.toml") << "baseURL = 'http://localhost/'\ntitle = 'Bench'\n"
                                            "disableKinds = ['taxonomy', 'term', 'RSS', 'sitemap']\n";
    const std::string page =
        "<!DOCTYPE html><html><head><title>{{ .Title }}</title></head><body><nav><ul>"
        "{{ range .Site.Menus.main }}<li><a href=\"{{ .URL }}\">{{ .Name }}</a></li>{{ end }}</ul></nav>"
        "<main><h1>{{ .Title }}</h1>{{ .Content }}<ul>{{ range .Pages }}<li><a href=\"{{ .RelPermalink }}\">"
        "{{ .Title }}</a></li>{{ end }}</ul></main></body></html>\n";
    std::ofstream(folder + "/layouts/_default/single.html") << page;
    std::ofstream(folder + "/layouts/_default/list.html") << page;
    std::ofstream(folder + "/layouts/index.html") << page;
    int written = 1;
    for (int s = 1; s <= kSections && written < pages; ++s, ++written) {
        const std::string section = folder + "/content/s" + std::to_string(s);
        fs::create_directories(section);
        std::ofstream(section + "/_index.md") << "---\ntitle: Section " << s << "\nmenu: main\n---\nSection " << s
                                              << ".\n";
    }
    for (int i = 0; written < pages; ++i, ++written) {
        const int s = i % kSections + 1;
        std::ofstream(folder + "/content/s" + std::to_string(s) + "/p" + std::to_string(i + 1) + ".md")
            << "---\ntitle: Story " << i + 1 << "\n---\nStory " << i + 1 << " of section " << s << ".\n";
    }
}

// The median of the seconds taken, each build into a fresh folder; 0 when
// hugo is not installed or fails.
double TimeHugo(const std::string& folder, int pages)
{
    if (!Installed("hugo")) {
        std::printf("hugo: not installed, skipped\n");
        return 0;
    }
    WriteHugoSite(folder, pages);
    std::vector<double> times;
    for (int run = 0; run < kRepeats; ++run) {
        const auto start = TClock::now();
        const int status = std::system(("cd " + Quoted(folder) + " && hugo --quiet -d public" + std::to_string(run) +
                                        " > /dev/null 2>&1").c_str());
        times.push_back(Seconds(start));
        if (status != 0) {
            std::printf("hugo: failed (status %d)\n", status);
            return 0;
        }
    }
    PrintTimes("hugo, each run:", times);
    Figure("hugo, equivalent site (median):", pages, Median(times));
    return Median(times);
}

// Whether the two folders hold the same files with the same bytes.
bool SameTree(const std::string& first, const std::string& second)
{
    std::map<std::string, std::string> files[2];
    const std::string roots[2] = {first, second};
    for (int i = 0; i < 2; ++i)
        for (const auto& entry : fs::recursive_directory_iterator(roots[i]))
            if (entry.is_regular_file())
                files[i][fs::relative(entry.path(), roots[i]).string()] = TTempFolder::Read(entry.path().string());
    return files[0] == files[1];
}

}  // namespace

int main(int argc, char** argv)
{
    int pages = 10000;
    bool keep = false;
    bool publishOnly = false;
    bool parallelOnly = false;
    std::string copySite;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keep")
            keep = true;
        else if (arg == "--publish-only")
            publishOnly = true;
        else if (arg == "--parallel-only")
            parallelOnly = true;
        else if (arg == "--copy-site" && i + 1 < argc)
            copySite = argv[++i];
        else
            pages = std::max(1, std::atoi(arg.c_str()));
    }
    const fs::path scratch = fs::temp_directory_path() / ("tolvex-publish-bench-" + std::to_string(::getpid()));
    int failed = 0;
    {
        TPublishSite site;
        auto start = TClock::now();
        const std::vector<int> ids = GrowCatalog(site, pages);
        Figure("catalog grown:", static_cast<int>(ids.size()), Seconds(start));

        // One thread, then the default number of workers into a second
        // folder; the two sites must be the same byte for byte.
        std::vector<std::string> params = site.Params("EN");
        std::unique_ptr<TPublishLocally> publish = site.Make(params);
        if (parallelOnly) {
            start = TClock::now();
            publish->Run();
            Figure(("publish, " + std::to_string(publish->GetWorkers()) + " workers:").c_str(),
                   static_cast<int>(ids.size()), Seconds(start));
            return publish->GetFailedPages() == 0 ? 0 : 1;
        }
        publish->SetWorkers(1);
        start = TClock::now();
        publish->Run();
        const double serial = Seconds(start);
        failed = publish->GetFailedPages();
        if (!publish->Succeeded())
            std::printf("publishing did not succeed: %s\n", site.Runner().Last().c_str());
        const int count = static_cast<int>(ids.size());
        Figure("publish, one thread:", count, serial);
        std::printf("%-52s %6d\n", "pages that could not be generated:", failed);
        if (!copySite.empty()) {
            fs::create_directories(copySite + "/work");
            fs::copy(site.Site().Path(), copySite + "/site", fs::copy_options::recursive);
            for (const char* name : {"out.xml", "out.xsl", "out.html", "master.xsl", "body.xsl", "common.xsl"})
                fs::copy_file(site.Data().GetPageGeneration().GetPreviewDir() + "/" + name,
                              copySite + "/work/" + name, fs::copy_options::overwrite_existing);
        }
        if (publishOnly)
            return failed == 0 ? 0 : 1;

        std::vector<double> parallelTimes;
        int workers = 0;
        for (int run = 0; run < kRepeats; ++run) {
            const std::string parallelSite = (scratch / ("parallel" + std::to_string(run))).string();
            fs::create_directories(parallelSite);
            std::vector<std::string> parallelParams = params;
            parallelParams.front() = "Path=" + parallelSite;
            std::unique_ptr<TPublishLocally> parallelPublish = site.Make(parallelParams);
            workers = parallelPublish->GetWorkers();
            start = TClock::now();
            parallelPublish->Run();
            parallelTimes.push_back(Seconds(start));
            if (run == 0)
                std::printf("%-52s %s\n", "parallel site equals the one-thread site:",
                            SameTree(site.Site().Path(), parallelSite) ? "yes, byte for byte" : "NO");
        }
        const double parallel = Median(parallelTimes);
        PrintTimes(("publish, " + std::to_string(workers) + " workers, each run:").c_str(), parallelTimes);
        Figure(("publish, " + std::to_string(workers) + " workers (median):").c_str(), count, parallel);

        const std::string documents = (scratch / "documents").string();
        const int kept = KeepPageDocuments(site, ids, documents);
        const double xsltproc = TimeXsltproc(site.Data().GetPageGeneration().GetPreviewDir(), documents, kept);
        const double hugo = TimeHugo((scratch / "hugo").string(), count);
        std::printf("\nratios (time per page against the other's; below 1 is faster):\n");
        if (xsltproc > 0) {
            std::printf("  one thread / xsltproc:        %5.2f  (target 1.5 at most)\n", (serial / count) / (xsltproc / kept));
            std::printf("  %d workers / xsltproc:         %5.2f\n", workers, (parallel / count) / (xsltproc / kept));
        }
        if (hugo > 0) {
            std::printf("  one thread / hugo:            %5.2f\n", serial / hugo);
            std::printf("  %d workers / hugo:             %5.2f  (target 0.5 at most)\n", workers, parallel / hugo);
        }
        // How much of the workers' count the run gains over one thread.
        std::printf("  speed-up / %d workers:          %5.2f  (%.2f times one thread; target 0.70 at least)\n", workers,
                    serial / parallel / workers, serial / parallel);
    }
    if (!keep)
        fs::remove_all(scratch);
    else
        std::printf("kept: %s\n", scratch.c_str());
    return failed == 0 ? 0 : 1;
}
