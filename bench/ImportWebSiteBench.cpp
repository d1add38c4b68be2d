// Importing a generated web site from a server on 127.0.0.1 into a catalog
// of the shipped catalog type 1, as File / Import / Web Site does it: pages
// in a tree five links deep (each page links to five below it, to its
// parent and to the start page), each with two of twenty shared pictures
// and the site's one style sheet and script. Figures: the time of the
// import, pages per second, and the process's resident memory sampled
// while the import runs (at the start and after every further fifth of the
// pages), which stays flat however many pages there are.
//
// Arguments: the number of pages (500 unless given; five links deep hold 781 at most).
#include "ImportFixture.h"

#include "common/Picture.h"
#include "common/PictureCodec.h"
#include "publishing/ImportWebSite.h"
#include "support/LocalWebServer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kDepth = 5;
constexpr int kBranches = 5;
constexpr int kPictures = 20;

// The resident set of the process in MiB.
double ResidentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096.0 / (1024 * 1024);
}

std::string PageText(int number, int parent, int pages)
{
    std::string html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Page " + std::to_string(number) +
                       "</title><link rel=\"stylesheet\" href=\"/site.css\"><script src=\"/menu.js\"></script></head>"
                       "<body><nav><a href=\"/p0.html\">Home</a> <a href=\"/p" + std::to_string(parent) +
                       ".html\">Up</a></nav><h1>Page " + std::to_string(number) + "</h1>";
    for (int i = 0; i < 8; ++i)
        html += "<p>Harbour goods, rope and sailcloth, paragraph " + std::to_string(i) +
                " of a page that is about as long as a shop's page is. Prices include tax.</p>";
    html += "<img src=\"/img/" + std::to_string(number % kPictures) + ".png\"><img src=\"/img/" +
            std::to_string((number * 7 + 3) % kPictures) + ".png\"><ul>";
    for (int b = 1; b <= kBranches; ++b) {
        const int child = number * kBranches + b;
        if (child < pages)
            html += "<li><a href=\"/p" + std::to_string(child) + ".html\">Page " + std::to_string(child) + "</a></li>";
    }
    return html + "</ul></body></html>";
}

}  // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::atoi(argv[1]) : 500;
    TLocalWebServer web;
    // Pages numbered breadth first: page n links to n*5+1 .. n*5+5.
    for (int n = 0; n < pages; ++n)
        web.Serve("/p" + std::to_string(n) + ".html", PageText(n, n == 0 ? 0 : (n - 1) / kBranches, pages));
    for (int i = 0; i < kPictures; ++i) {
        TPicture picture(64, 48);
        picture.Fill({static_cast<std::uint8_t>(i * 12), 90, 160, 255});
        web.Serve("/img/" + std::to_string(i) + ".png", TPictureCodec::ForKind(TPictureKind::Png).Encode(picture),
                  "image/png");
    }
    web.Serve("/site.css", "body { font-family: serif; background: url(img/0.png) }", "text/css");
    web.Serve("/menu.js", "function menu() { return 1; }", "application/javascript");

    TImportSite catalog;
    std::vector<double> samples{ResidentMiB()};
    int loads = 0;
    std::size_t seen = 0;
    const int step = std::max(1, pages / 5);
    catalog.Runner().onProcessMessages = [&] {
        const auto& lines = catalog.Runner().lines;
        if (lines.size() == seen)
            return;
        seen = lines.size();
        if (lines.back().Text.rfind("Loading data: " + web.Url("/p"), 0) == 0 && ++loads % step == 0)
            samples.push_back(ResidentMiB());
    };
    std::vector<std::string> params{"URL=" + web.Url("/p0.html"), "DownloadDepth=" + std::to_string(kDepth),
                                    "MaxPages=" + std::to_string(pages), "StartItemId=0", "ParentItemId=1",
                                    "CatalogCode=shop"};
    const auto start = std::chrono::steady_clock::now();
    auto import = catalog.Run<TImportWebSite>(params);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!import->Succeeded()) {
        std::fprintf(stderr, "the import failed: %s\n", catalog.Runner().Last().c_str());
        return 1;
    }
    std::printf("web-site import, depth %d: %d pages stored of %d served, %zu requests\n", kDepth,
                import->StoredPages(), pages, web.Requests().size());
    std::printf("time %.2f s, %.1f pages/s\n", seconds, import->StoredPages() / seconds);
    std::printf("resident memory (MiB) at the start and after every %d pages:", step);
    for (double sample : samples)
        std::printf(" %.1f", sample);
    std::printf("\n");
    return 0;
}
