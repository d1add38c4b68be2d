// The PDF report of a catalog's products: a catalog of the shipped type 1
// with 200 products (unless told), the shipped "Product list (PDF)" report
// template, the whole run (page generation, the XSL-FO processor, the PDF
// checked). Prints the seconds of the generation and of the whole run and
// the PDF's size, and exits non-zero when the run fails or takes 15 s or more.
#include "PublishSiteFixture.h"

#include "publishing/ImportedItems.h"
#include "publishing/PublishReport.h"
#include "storage/AbstractDBConnection.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    const int products = argc > 1 ? std::atoi(argv[1]) : 200;
    TPublishSite site;
    {
        TImportedItems items(site.Program().Root(), site.Connection(), TPublishSite::kCode, site.Program().Gui());
        site.Connection().BeginTrans();
        for (int i = 0; i < products; ++i) {
            const int id = items.Create(4002, 11);
            const std::string name = "Product number " + std::to_string(i + 1);
            items.SetName(id, name);
            items.SetText(id, "Product", "XXX", "P-" + std::to_string(1000 + i), "Code");
            items.SetText(id, "Product", "EN", name, "Name");
        }
        site.Connection().CommitTrans();
    }
    TTempFolder out;
    const std::string file = out.Path() + "/products.pdf";
    std::vector<std::string> params{"ItemId=600402", "LangCode=EN", "ReportFileName=" + file, "NotOpenReport=yes",
                                    "NoMessageBoxes=yes"};
    TPublishReport report(params, site.Connection(),
                          TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner(),
                                                &site.Program().Root(), nullptr});
    const auto start = std::chrono::steady_clock::now();
    double generated = 0;
    site.Runner().onProcessMessages = [&] {
        if (generated == 0 && site.Runner().Last() == "XSL-FO transformation to PDF ...")
            generated = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    report.Run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!report.Succeeded() || !IsPdfFile(file)) {
        for (const std::string& line : site.Runner().Texts())
            std::fprintf(stderr, "%s\n", line.c_str());
        std::fprintf(stderr, "the report failed\n");
        return 1;
    }
    std::printf("products: %d\ngeneration: %.2f s\nwhole run (with the XSL-FO processor): %.2f s (limit 15 s)\n"
                "PDF: %lld bytes\n",
                products, generated, seconds, static_cast<long long>(std::filesystem::file_size(file)));
    return seconds < 15.0 ? 0 : 2;
}
