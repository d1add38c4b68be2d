// Reports made from the shipped report templates of a new catalog: an HTML
// page, and a PDF made by the XSL-FO processor; the processor's failures
// and a cancel.
#include "ImportFixture.h"

#include "common/ParamList.h"
#include "publishing/FopRunner.h"
#include "publishing/ImportedItems.h"
#include "publishing/PublishReport.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr int kPdfTemplate = 600402;
constexpr int kHtmlTemplate = 600403;
constexpr int kProductsRoot = 11;

void AddProduct(TImportSite& site, const std::string& code, const std::string& name)
{
    TImportedItems items(site.Program().Root(), site.Connection(), TPublishSite::kCode, site.Program().Gui());
    const int id = items.Create(4002, kProductsRoot);
    items.SetName(id, name);
    items.SetText(id, "Product", "XXX", code, "Code");
    items.SetText(id, "Product", "EN", name, "Name");
}

std::vector<std::string> ReportParams(int itemId, const std::string& fileName)
{
    return {"ItemId=" + std::to_string(itemId), "LangCode=EN", "ReportFileName=" + fileName, "NotOpenReport=yes",
            "NoMessageBoxes=yes"};
}

// The text of a PDF as pdftotext reads it.
std::string PdfText(const std::string& pdf)
{
    const std::string command = "pdftotext -layout '" + pdf + "' -";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddProduct(site, "P-100", "Copper kettle");
        AddProduct(site, "P-200", "Oak chair");
    }
    TImportSite site;
    TTempFolder out;
};

}  // namespace

TEST_F(ReportTest, AnHtmlTemplateMakesAnHtmlReportItemAndPage)
{
    const std::string file = out.Path() + "/Stock list.html";
    std::vector<std::string> params = ReportParams(kHtmlTemplate, file);
    auto report = site.Run<TPublishReport>(params);
    ASSERT_TRUE(report->Succeeded()) << ::testing::PrintToString(site.Runner().Texts());
    const std::string html = TTempFolder::Read(file);
    EXPECT_NE(html.find("Copper kettle"), std::string::npos);
    EXPECT_NE(html.find("P-200"), std::string::npos);
    EXPECT_NE(html.find("<h1>Stock list</h1>"), std::string::npos) << "named after the chosen file";
    // The new report is an HTML report below the reports root, of the template.
    const std::vector<int> reports = site.ItemsOfType(TPublishReport::kHtmlReportType, TPublishReport::kReportsRootId);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports.front(), report->ReportItemId());
    EXPECT_EQ(site.Name(reports.front()), "Stock list");
    EXPECT_TRUE(report->CreatedReport());

    // Run again from the report item itself: no second item.
    std::vector<std::string> again = ReportParams(reports.front(), out.Path() + "/again.html");
    EXPECT_TRUE(site.Run<TPublishReport>(again)->Succeeded());
    EXPECT_EQ(site.ItemsOfType(TPublishReport::kHtmlReportType).size(), 1u);
}

TEST_F(ReportTest, AnXslFoTemplateMakesAPdfWhoseTextHasTheProducts)
{
    const std::string file = out.Path() + "/products.pdf";
    std::vector<std::string> params = ReportParams(kPdfTemplate, file);
    auto report = site.Run<TPublishReport>(params);
    ASSERT_TRUE(report->Succeeded()) << ::testing::PrintToString(site.Runner().Texts());
    EXPECT_TRUE(IsPdfFile(file));
    const std::string text = PdfText(file);
    EXPECT_NE(text.find("Copper kettle"), std::string::npos) << text;
    EXPECT_NE(text.find("P-100"), std::string::npos) << text;
    EXPECT_NE(text.find("products"), std::string::npos) << "the title is the report's name";
    EXPECT_EQ(site.ItemsOfType(TPublishReport::kPdfReportType, TPublishReport::kReportsRootId).size(), 1u);
    // Nothing but the PDF is left in the target's folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(out.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ReportTest, NonAsciiTextReachesThePdfWhateverEncodingTheTemplateWrites)
{
    // The XSL-FO document goes to the processor in the encoding its
    // declaration names (the template's output encoding), never relabelled.
    AddProduct(site, "P-300", "Crème brûlée dish – 5 €");
    AddProduct(site, "P-400", "Łódź mug");  // letters outside Latin-1
    TImportedItems items(site.Program().Root(), site.Connection(), TPublishSite::kCode, site.Program().Gui());
    for (const char* output : {"", "<xsl:output encoding=\"UTF-16\"/>", "<xsl:output encoding=\"iso-8859-1\"/>"}) {
        SCOPED_TRACE(output);
        const int fo = items.Create(TPublishReport::kReportTemplateType, 600005);
        items.SetText(fo, "XmlData", "XXX",
                      std::string("<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
                                  "xmlns:fo=\"http://www.w3.org/1999/XSL/Format\">") +
                          output +
                          "<xsl:template match=\"/\"><fo:root><fo:layout-master-set><fo:simple-page-master "
                          "master-name=\"p\"><fo:region-body/></fo:simple-page-master></fo:layout-master-set>"
                          "<fo:page-sequence master-reference=\"p\"><fo:flow flow-name=\"xsl-region-body\">"
                          "<fo:block>Café: Crème brûlée dish – 5 € Łódź</fo:block></fo:flow></fo:page-sequence></fo:root>"
                          "</xsl:template></xsl:stylesheet>");
        const std::string file = out.Path() + "/menu" + std::to_string(fo) + ".pdf";
        std::vector<std::string> params = ReportParams(fo, file);
        auto report = site.Run<TPublishReport>(params);
        ASSERT_TRUE(report->Succeeded()) << ::testing::PrintToString(site.Runner().Texts());
        const std::string text = PdfText(file);
        EXPECT_NE(text.find("Café: Crème brûlée dish – 5 € Łódź"), std::string::npos) << text;
    }
    // The shipped template too.
    const std::string file = out.Path() + "/Café list.pdf";
    std::vector<std::string> params = ReportParams(kPdfTemplate, file);
    ASSERT_TRUE(site.Run<TPublishReport>(params)->Succeeded()) << ::testing::PrintToString(site.Runner().Texts());
    const std::string text = PdfText(file);
    EXPECT_NE(text.find("Crème brûlée dish – 5 €"), std::string::npos) << text;
    EXPECT_NE(text.find("Łódź mug"), std::string::npos) << text;
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        fs::copy_file(file, std::string(dir) + "/report-products.pdf", fs::copy_options::overwrite_existing);
    EXPECT_NE(text.find("Café list"), std::string::npos) << text;
}

TEST_F(ReportTest, ABrokenFoDocumentGivesTheProcessorsMessageAndLeavesNoFile)
{
    // A template that writes an XSL-FO root without any page.
    TImportedItems items(site.Program().Root(), site.Connection(), TPublishSite::kCode, site.Program().Gui());
    const int broken = items.Create(TPublishReport::kReportTemplateType, 600005);
    items.SetText(broken, "XmlData", "XXX",
                  "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
                  "xmlns:fo=\"http://www.w3.org/1999/XSL/Format\"><xsl:template match=\"/\"><fo:root>"
                  "<fo:block>no page</fo:block></fo:root></xsl:template></xsl:stylesheet>");
    const std::string file = out.Write("old.pdf", "%PDF-1.4 an older report");
    std::vector<std::string> params = ReportParams(broken, file);
    auto report = site.Run<TPublishReport>(params);
    EXPECT_FALSE(report->Succeeded());
    EXPECT_FALSE(fs::exists(file)) << "the older report is gone, no new one came";
    EXPECT_TRUE(fs::is_empty(out.Path())) << "no temporary file is left";
    bool told = false;
    for (const auto& line : site.Runner().lines)
        if (line.Text.rfind("Report wasn`t generated\r\n", 0) == 0 && line.Text.size() > 30 && line.Level == 3)
            told = true;
    EXPECT_TRUE(told) << ::testing::PrintToString(site.Runner().Texts());
}

TEST(FopRunner, ACancelStopsTheProcessAtOnceAndAFailedExitIsNoSuccess)
{
    TFopRunner runner;
    const auto start = std::chrono::steady_clock::now();
    int polls = 0;
    const TFopRunner::TResult stopped = runner.RunProcess({"/bin/sh", "-c", "sleep 30; sleep 30"}, [&] {
        return ++polls < 4;
    });
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(stopped.Cancelled);
    EXPECT_FALSE(stopped.Exited0);
    EXPECT_LT(elapsed, std::chrono::seconds(5)) << "the whole process group was killed, not waited for";

    const TFopRunner::TResult failed = runner.RunProcess({"/bin/sh", "-c", "echo broken >&2; exit 3"}, {});
    EXPECT_FALSE(failed.Exited0);
    EXPECT_EQ(failed.Message, "broken");

    TFopRunner slow("", std::chrono::milliseconds(200));
    EXPECT_TRUE(slow.RunProcess({"/bin/sleep", "30"}, {}).TimedOut);

    EXPECT_FALSE(TFopRunner("/nonexistent/fop").MissingComponents().empty());
}
