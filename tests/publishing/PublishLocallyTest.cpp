// Publishing a catalog's site into a folder: the whole tree of files in two
// languages, names and bytes; further pages found in a page's links; output
// kinds by the item type's flags; a single page; cancelling; pages that
// cannot be generated; names that must not lead out of the site folder.
#include "PublishSiteFixture.h"

#include "publishing/PublishParameters.h"
#include "publishing/SiteFolder.h"
#include "publishing/WorkFolder.h"

#include "catalog/CatalogPageGeneration.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "common/WellKnownIds.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectFactory.h"
#include "storage/ObjectCollection.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "storage/ObjectFactory.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kImageItemType = 301;
constexpr int kBinaryItemType = 304;
constexpr int kScriptItemType = 506;
constexpr int kHtmlSourcePage = 401;
constexpr int kAspSourcePage = 402;
constexpr int kStoryPage = 3002;
constexpr int kInformationPage = 3001;
constexpr int kReportPage = 7001;
constexpr int kHtmlReportPage = 7003;

const std::string kGif("GIF89a-logo-bytes");
const std::string kPdf("%PDF-1.4 manual");

std::set<std::string> Names(const std::map<std::string, std::string>& files)
{
    std::set<std::string> names;
    for (const auto& [name, bytes] : files)
        names.insert(name);
    return names;
}

std::string Redirect(const std::string& target)
{
    return "<HTML><BODY>\r\n<SCRIPT LANGUAGE=JavaScript>window.location=\"" + target +
           "\";</SCRIPT>\r\nFollow the link to reach main page <A HREF=\"" + target + "\">" + target +
           "</A>\r\n</BODY></HTML>\r\n";
}

// The page as the page generator gives it for publishing, generated apart from the run.
std::string GeneratedPage(TPublishSite& site, int itemId, int itemType, const std::string& lang)
{
    TObjectCollection collection(site.Program().Root().ObjectContext());
    collection.Open(TPublishSite::kCode, site.Connection());
    TTransformer transformer(site.Data().GetPageGeneration(), TPublishSite::kCode, nullptr);
    transformer.SetOutputKind(true, "html");
    transformer.SetPublishMode("locally");
    transformer.SetPageNumber(1);
    EXPECT_TRUE(transformer.GeneratePage(itemId, itemId, itemType, lang, collection, site.Connection(), ""));
    return transformer.GetResultHtml();
}

// What the fixture catalog gains for the whole-site test.
std::string SourcePageText(int id)
{
    const std::string text = std::to_string(id);
    return "<p><a href=\"" + text + "-2.html\">2</a> <a href=\"" + text + "-3.HTML\">3</a> <a href=\"" + text +
           "-0.html\">0</a> <a href=\"9" + text + "-7.html\">other</a></p>";
}

struct TAddedItems {
    int logo = 0, manual = 0, script = 0, sourcePage = 0;
};

TAddedItems AddSiteContent(TPublishSite& site)
{
    TAddedItems added;
    added.logo = site.AddItem(kImageItemType, 3);
    site.AddBinary(added.logo, 5, "image/gif", kGif);
    site.SetAltFileName(added.logo, "logo");
    added.manual = site.AddItem(kBinaryItemType, 4);
    site.AddBinary(added.manual, 304, "application/pdf", kPdf, "Manual v2.pdf");
    site.SetAltFileName(added.manual, "manual");
    added.script = site.AddItem(kScriptItemType, 5);
    site.SetSource(added.script, "JavaScript", "var a = 1;\nvar b = 2;");
    site.SetAltFileName(added.script, "menu");
    site.SetAltFileName(site.HomePageId(), "start");
    added.sourcePage = site.AddItem(kHtmlSourcePage, site.HomePageId());
    site.SetName(added.sourcePage, "Offers", "Angebote");
    site.SetSource(added.sourcePage, "HtmlData", SourcePageText(added.sourcePage));
    return added;
}

TEST(PublishLocally, TheWholeSiteInTwoLanguagesIsTheExpectedTreeOfFiles)
{
    TPublishSite site;
    const TAddedItems added = AddSiteContent(site);
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    publish->Run();
    ASSERT_EQ(site.Runner().Last(), "Successfully published.");
    EXPECT_TRUE(publish->Succeeded());

    const std::string logo = std::to_string(added.logo), manual = std::to_string(added.manual);
    const std::string script = std::to_string(added.script), source = std::to_string(added.sourcePage);
    std::set<std::string> expected{"index.html",       "css/600111.css",   "css/600112.css",
                                   "js/" + script + ".js", "js/menu.js",   "images/600121.png",
                                   "images/" + logo + ".gif", "images/logo.gif", "bin/" + manual + ".pdf",
                                   "bin/manual.pdf"};
    for (const std::string lang : {"EN", "DE"}) {
        for (const std::string page : {"index", "100001", "start", "100002", "100003", "100004"})
            expected.insert(lang + "/" + page + ".html");
        for (const std::string& page : {source, source + "-2", source + "-3"})
            expected.insert(lang + "/" + page + ".html");
    }
    const std::map<std::string, std::string> files = site.Files();
    EXPECT_EQ(Names(files), expected);

    EXPECT_EQ(files.at("index.html"), Redirect("EN/index.html")) << "the default language when both are published";
    EXPECT_EQ(files.at("images/logo.gif"), kGif);
    EXPECT_EQ(files.at("images/" + logo + ".gif"), kGif);
    EXPECT_EQ(files.at("bin/manual.pdf"), kPdf);
    EXPECT_EQ(files.at("js/menu.js"), "var a = 1;\r\nvar b = 2;\r\n");
    EXPECT_EQ(files.at("js/" + script + ".js"), files.at("js/menu.js"));
    // Style sheets are text files: their lines end with CR LF.
    std::string css = site.Data().GetPageGeneration().GetTemplates().GetTemplateCss(600111, "", site.Connection());
    ASSERT_FALSE(css.empty());
    for (std::size_t at = css.find('\n'); at != std::string::npos; at = css.find('\n', at + 2))
        css.replace(at, 1, "\r\n");
    EXPECT_EQ(files.at("css/600111.css"), css);
    // The home page under its three names, with the same bytes, in each language.
    for (const std::string lang : {"EN", "DE"}) {
        EXPECT_EQ(files.at(lang + "/index.html"), files.at(lang + "/100001.html"));
        EXPECT_EQ(files.at(lang + "/start.html"), files.at(lang + "/100001.html"));
        EXPECT_EQ(files.at(lang + "/" + source + "-3.html"), files.at(lang + "/" + source + ".html"));
    }
    EXPECT_NE(files.at("EN/index.html"), files.at("DE/index.html"));
    // Every web page is the page the generator gives for it; the source page is its text as stored.
    for (const std::string lang : {"EN", "DE"}) {
        for (const int id : {100001, 100002, 100003, 100004}) {
            const TItemDescription item = site.Data().GetItemDescription(id, TPublishSite::kCode, site.Connection());
            EXPECT_EQ(files.at(lang + "/" + std::to_string(id) + ".html"),
                      GeneratedPage(site, id, item.ItemType, lang))
                << lang << "/" << id;
        }
        EXPECT_EQ(files.at(lang + "/" + source + ".html"), SourcePageText(added.sourcePage));
    }
    EXPECT_NE(files.at("DE/100002.html").find("<html lang=\"de\""), std::string::npos);

    // The log: one line per template, image, binary object and page in each language; further pages announced.
    const std::vector<std::string> lines = site.Runner().Texts();
    auto count = [&](const std::string& text) { return std::count(lines.begin(), lines.end(), text); };
    EXPECT_EQ(count("Publishing image " + logo + ".gif"), 1);
    EXPECT_EQ(count("Publishing binary object " + manual + ".pdf"), 1);
    EXPECT_EQ(count("Publishing EN/Offers page"), 1);
    EXPECT_EQ(count("Publishing DE/Offers page"), 1);
    EXPECT_EQ(count("  Page 2"), 2);
    EXPECT_EQ(count("  Page 3"), 2);
    EXPECT_EQ(count("  Page 7"), 0) << "a link of another item";
    EXPECT_FALSE(fs::exists(site.Site().File("publish.info"))) << "no file logging when publishing locally";
}

TEST(PublishLocally, OneChosenLanguageIsTheOnlyFolderAndTheRedirectTarget)
{
    TPublishSite site;
    std::vector<std::string> params = site.Params("DE");
    site.Make(params)->Run();
    const std::map<std::string, std::string> files = site.Files();
    EXPECT_EQ(files.at("index.html"), Redirect("DE/index.html"));
    EXPECT_TRUE(files.count("DE/index.html"));
    EXPECT_FALSE(fs::exists(site.Site().File("EN")));
}

TEST(PublishLocally, OutputKindsFollowTheItemTypeFlags)
{
    // Information pages html and PDF (0x81), stories every kind (0x1F).
    TPublishSite site({{kInformationPage, 0x81}, {kStoryPage, 0x1F}});
    const int story = site.AddItem(kStoryPage, site.HomePageId());
    const int asp = site.AddItem(kAspSourcePage, site.HomePageId());
    site.SetSource(asp, "ASPData", "<% Response.Write(1) %>");
    const int report = site.AddItem(kReportPage, site.HomePageId());
    std::vector<std::vector<std::string>> reportParams;
    struct TCase { bool serverSide; };
    for (const bool serverSide : {false, true}) {
        SCOPED_TRACE(serverSide ? "with server-side kinds" : "without server-side kinds");
        fs::remove_all(site.Site().Path());
        fs::create_directories(site.Site().Path());
        std::vector<std::string> params = site.Params("EN");
        if (serverSide)
            params.push_back("MakeServerSideScripts=yes");
        auto publish = site.Make(params);
        // A report operation that writes its file.
        publish->SetReportFactory([&](std::vector<std::string>& p, TAbstractDBConnection& c) {
            reportParams.push_back(p);
            struct TWriter : TTolvexPublisher {
                using TTolvexPublisher::TTolvexPublisher;
                void Execute() override
                {
                    std::ofstream(Param("ReportFileName")) << "%PDF report";
                    success_ = true;
                }
            };
            return std::make_unique<TWriter>(p, c, TPublisherEnvironment{site.Program().Gui(), nullptr, &site.Runner()});
        });
        publish->Run();
        EXPECT_EQ(site.Runner().Last(), "Successfully published.");
        const std::set<std::string> names = Names(site.Files());
        const std::string s = "EN/" + std::to_string(story), a = "EN/" + std::to_string(asp);
        EXPECT_TRUE(names.count("EN/100003.html")) << "0x81 gives the html page";
        EXPECT_FALSE(names.count("EN/100003.pdf")) << "and no PDF";
        EXPECT_TRUE(names.count(s + ".html"));
        EXPECT_TRUE(names.count("EN/" + std::to_string(report) + ".pdf")) << "0x80 alone: a report";
        for (const char* kind : {".jsp", ".php", ".asp", ".shtml"})
            EXPECT_EQ(names.count(s + kind), serverSide ? 1u : 0u) << kind;
        EXPECT_EQ(names.count(a + ".asp"), serverSide ? 1u : 0u);
    }
    ASSERT_EQ(reportParams.size(), 2u);
    const std::vector<std::string> expected{"ReportFileName=" + site.Site().File("EN/" + std::to_string(report) + ".pdf"),
                                            "LangCode=EN",
                                            "ItemId=" + std::to_string(report),
                                            "ItemType=7001",
                                            "NotCustomize=yes",
                                            "NotOpenReport=yes",
                                            "NoMessageBoxes=yes"};
    EXPECT_EQ(reportParams.front(), expected);
}

TEST(PublishLocally, ReportPagesWithoutReportsAreCountedAsFailedPages)
{
    TPublishSite site;
    const int report = site.AddItem(kReportPage, site.HomePageId());
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    publish->Run();
    EXPECT_EQ(publish->GetFailedPages(), 2);
    EXPECT_TRUE(site.Runner().Has("Cannot create \"" + std::to_string(report) + ".pdf\" page"));
    EXPECT_EQ(site.Runner().Last(), "Published and 2 error(s) occur");
}

TEST(PublishLocally, APageThatCannotBeGeneratedIsLoggedCountedAndTheRunGoesOn)
{
    TPublishSite site;
    // An HTML report page without its report object.
    const int broken = site.AddItem(kHtmlReportPage, site.HomePageId());
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    publish->Run();
    const std::string fileName = std::to_string(broken) + ".html";
    EXPECT_TRUE(site.Runner().Has("Cannot create \"" + fileName + "\" page"));
    EXPECT_EQ(publish->GetFailedPages(), 2);
    EXPECT_EQ(site.Runner().Last(), "Published and 2 error(s) occur");
    EXPECT_EQ(site.Program().Gui().Messages("error").size(), 1u);
    const std::set<std::string> names = Names(site.Files());
    EXPECT_FALSE(names.count("EN/" + fileName));
    EXPECT_TRUE(names.count("EN/100004.html")) << "the pages after it are published";
}

TEST(PublishLocally, ASinglePageIsWrittenAloneWithoutStyleSheetsOrChildren)
{
    TPublishSite site;
    const int child = site.AddItem(kStoryPage, 100002);
    std::vector<std::string> params = site.Params();
    params.push_back("PublishPage=100002");
    site.Make(params)->Run();
    const std::set<std::string> names = Names(site.Files());
    const std::set<std::string> expected{"index.html", "images/600121.png", "EN/100002.html", "DE/100002.html"};
    EXPECT_EQ(names, expected) << "child " << child << " is not published";
    EXPECT_EQ(site.Runner().Last(), "Successfully published.");
}

TEST(PublishLocally, CancellingDuringTheImagesStopsBeforeBinaryObjectsAndPages)
{
    TPublishSite site;
    const int manual = site.AddItem(kBinaryItemType, 4);
    site.AddBinary(manual, 304, "application/pdf", kPdf);
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    site.Runner().onProcessMessages = [&] {
        if (!publish->IsCancelled() && site.Runner().Last().rfind("Publishing image", 0) == 0)
            publish->Cancel();
    };
    publish->Run();
    EXPECT_EQ(site.Runner().Last(), "Operation was canceled by user.");
    EXPECT_FALSE(publish->Succeeded());
    EXPECT_FALSE(fs::exists(site.Site().File("bin/" + std::to_string(manual) + ".pdf")));
    EXPECT_FALSE(fs::exists(site.Site().File("EN")));
    EXPECT_TRUE(site.Program().Gui().Messages("error").empty());
}

TEST(PublishLocally, NamesThatWouldLeaveTheSiteFolderAreRefused)
{
    TPublishSite site;
    const int image = site.AddItem(kImageItemType, 3);
    site.AddBinary(image, 5, "image/gif", kGif);
    site.SetAltFileName(image, "../../escaped");
    site.SetAltFileName(100002, "../escaped-page");
    std::vector<std::string> params = site.Params();
    auto publish = site.Make(params);
    publish->Run();
    EXPECT_TRUE(site.Runner().Has("Invalid alternative file name \"../../escaped\""));
    EXPECT_FALSE(fs::exists(site.Site().File("../escaped.gif")));
    EXPECT_FALSE(fs::exists(site.Site().File("escaped-page.html")));
    EXPECT_TRUE(fs::exists(site.Site().File("EN/100002.html")));
    EXPECT_GE(publish->GetErrorCount(), 1);

    // A language code or an index file name that is no plain name.
    TTempFolder outside;
    std::vector<std::string> badLang = site.Params("../" + fs::path(outside.Path()).filename().string());
    site.Make(badLang)->Run();
    EXPECT_TRUE(fs::is_empty(outside.Path()));
    std::vector<std::string> badIndex = {"Path=" + site.Site().Path(), "IndexFileName=../index.html"};
    EXPECT_THROW(site.Make(badIndex)->Run(), EPublisherTolvexException);
}

// Names with blanks, accented letters and characters that mean something in
// an address are file names like any other: the redirect page and the
// copies under alternative names are written, and the run has no error.
TEST(PublishLocally, NamesWithBlanksAndAccentedLettersArePublished)
{
    TPublishSite site;
    const int image = site.AddItem(kImageItemType, 3);
    site.AddBinary(image, 5, "image/gif", kGif);
    site.SetAltFileName(image, "Logo gro\xc3\x9f");
    site.SetAltFileName(100002, "\xc3\x9c" "ber uns #1");
    std::vector<std::string> params = {"Path=" + site.Site().Path(), "LangCode=EN",
                                       "IndexFileName= Start seite.html"};
    auto publish = site.Make(params);
    publish->Run();
    EXPECT_EQ(site.Runner().Last(), "Successfully published.");
    EXPECT_EQ(publish->GetErrorCount(), 0);
    EXPECT_EQ(TTempFolder::Read(site.Site().File(" Start seite.html")), Redirect("EN/index.html"));
    EXPECT_EQ(TTempFolder::Read(site.Site().File("images/Logo gro\xc3\x9f.gif")), kGif);
    EXPECT_EQ(TTempFolder::Read(site.Site().File("EN/\xc3\x9c" "ber uns #1.html")),
              TTempFolder::Read(site.Site().File("EN/100002.html")));
}

TEST(CommonFunctions, FileNamesArePercentEncodedInLinks)
{
    EXPECT_EQ(TCommonFunctions::EncodeUrlPath("EN/\xc3\x9c" "ber uns #1 100%?.html"),
              "EN/%C3%9Cber%20uns%20%231%20100%25%3F.html");
    EXPECT_EQ(TCommonFunctions::EncodeUrlPath("a-b_c.d~/index.html"), "a-b_c.d~/index.html");
}

// The company's address names its country in the page's language, not by
// its code; a value that is no code is shown as it was typed.
TEST(PublishLocally, TheCompanysCountryIsShownByNameInThePagesLanguage)
{
    TPublishSite site;
    const int classId = site.Program().Root().ObjectContext().GetClassId("CommonCompanyInfo");
    TTolvexObjectFactory& factory = site.Program().Root().Catalog().GetObjectFactory();
    const auto setCountry = [&](const std::string& value) {
        std::unique_ptr<TTolvexObject> company =
            factory.GetObjectTyped(kCompanyItemId, classId, site.Connection(), TPublishSite::kCode);
        ASSERT_NE(company->GetInstanceId(), 0);
        for (const char* lang : {"EN", "DE"})
            company->SetLangString("CompanyCountry", lang, value, 0);
        company->Save();
    };
    setCountry("CA");
    std::vector<std::string> params = site.Params();
    site.Make(params)->Run();
    ASSERT_EQ(site.Runner().Last(), "Successfully published.");
    const std::string en = site.Files().at("EN/100004.html"), de = site.Files().at("DE/100004.html");
    EXPECT_NE(en.find("Canada<br>"), std::string::npos);
    EXPECT_NE(de.find("Kanada<br>"), std::string::npos);
    EXPECT_EQ(en.find(">CA<"), std::string::npos);
    EXPECT_EQ(en.find("CA<br>"), std::string::npos);

    setCountry("Lower Saxony");
    site.Make(params)->Run();
    EXPECT_NE(site.Files().at("DE/100004.html").find("Lower Saxony<br>"), std::string::npos);
}

TEST(PublishLocally, AMissingSiteFolderIsNotCreated)
{
    TPublishSite site;
    std::vector<std::string> params = {"Path=" + site.Site().File("missing"), "IndexFileName=index.html"};
    EXPECT_THROW(site.Make(params)->Run(), EPublisherTolvexException);
    EXPECT_FALSE(fs::exists(site.Site().File("missing")));
    std::vector<std::string> noPath = {"Path=", "IndexFileName=index.html"};
    EXPECT_THROW(site.Make(noPath)->Run(), EPublisherTolvexException);
}

TEST(PublishLocally, FileLoggingListsTheBinaryObjectsInPublishInfo)
{
    struct TLoggingPublish : TPublishLocally {
        TLoggingPublish(std::vector<std::string>& p, TAbstractDBConnection& c, const TPublisherEnvironment& e)
            : TPublishLocally(p, c, e)
        {
            fileLogging_ = true;
        }
    };
    TPublishSite site;
    const int manual = site.AddItem(kBinaryItemType, 4);
    site.AddBinary(manual, 304, "application/pdf", kPdf, "manual.pdf");
    site.SetAltFileName(manual, "manual");
    std::vector<std::string> params = site.Params("EN");
    TLoggingPublish publish(params, site.Connection(),
                            {site.Program().Gui(), nullptr, &site.Runner(), &site.Program().Root(), nullptr});
    publish.Run();
    EXPECT_EQ(TTempFolder::Read(site.Site().File("publish.info")),
              site.Site().File("bin/" + std::to_string(manual) + ".pdf") + "\r\n");
}

struct TLinkCase {
    const char* name;
    const char* html;
    std::vector<int> numbers;
};

class LinkedPages : public testing::TestWithParam<TLinkCase> {};

TEST_P(LinkedPages, AreTheNumberedLinksOfTheItem)
{
    EXPECT_EQ(LinkedPageNumbers(GetParam().html, 1234), GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkedPages,
    testing::Values(TLinkCase{"Plain", "<a href=\"1234-2.html\">", {2}},
                    TLinkCase{"UpperCaseExtension", "<a href=\"1234-3.HTML\">", {3}},
                    TLinkCase{"PageZeroIgnored", "<a href=\"1234-0.html\">", {}},
                    TLinkCase{"OtherItemPrefix", "<a href=\"91234-2.html\">", {}},
                    TLinkCase{"AtTheStartNeedsACharacterBefore", "1234-2.html", {}},
                    TLinkCase{"OtherExtension", "x1234-2.htm x1234-4.php", {}},
                    TLinkCase{"NoDigits", "x1234-.html", {}},
                    TLinkCase{"HugeNumberCapped", "x1234-99999999999999.html", {TPublishLocally::kMaxPagesPerItem + 1}},
                    TLinkCase{"InOrder", "x1234-5.html x1234-2.html x1234-5.html", {5, 2, 5}}),
    [](const testing::TestParamInfo<TLinkCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST(PublishParameters, OfferTheCatalogsLanguagesAndItsIndexFileName)
{
    TPublishSite site;
    TPublishParameters choices = TPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr);
    ASSERT_EQ(choices.Languages.size(), 3u);
    EXPECT_EQ(choices.Languages[0], "[All possible]===");
    EXPECT_EQ(choices.Languages[1].substr(choices.Languages[1].find("===")), "===EN");
    EXPECT_EQ(choices.Languages[2].substr(choices.Languages[2].find("===")), "===DE");
    EXPECT_NE(choices.Languages[1], "===EN") << "a language shows its name";
    EXPECT_EQ(choices.IndexFileName, "index.html");
    site.Data().SetCatalogProperty(711, "start.htm", site.Connection());
    EXPECT_EQ(TPublishParameters::ForOpenCatalog(site.Program().Root(), nullptr).IndexFileName, "start.htm");

    EXPECT_EQ(TPublishParameters::RunParameters("/site", "", "index.html", false, 0),
              (std::vector<std::string>{"Path=/site", "LangCode=", "IndexFileName=index.html"}));
    EXPECT_EQ(TPublishParameters::RunParameters("/site", "DE", "start.htm", true, 100002),
              (std::vector<std::string>{"Path=/site", "LangCode=DE", "IndexFileName=start.htm",
                                        "MakeServerSideScripts=yes", "PublishPage=100002"}));
}

}  // namespace

namespace {

struct TNameCase {
    const char* name;
    std::string text;
    bool plain;
};

class PlainNames : public testing::TestWithParam<TNameCase> {};

TEST_P(PlainNames, AreSinglePathComponentsThatStayInTheSiteFolder)
{
    EXPECT_EQ(TSiteFolder::IsPlainName(GetParam().text), GetParam().plain) << GetParam().text;
}

class SafeNames : public testing::TestWithParam<TNameCase> {};

// What a file system and a browser accept is a name of the site; only what
// leads elsewhere or cannot name a file is refused.
TEST_P(SafeNames, AreTheNamesAFileOfTheSiteMayHave)
{
    EXPECT_EQ(TSiteFolder::IsSafeName(GetParam().text), GetParam().plain) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SafeNames,
    testing::Values(TNameCase{"Empty", "", false}, TNameCase{"Dot", ".", false}, TNameCase{"DotDot", "..", false},
                    TNameCase{"Slash", "a/b", false}, TNameCase{"Backslash", "..\\x", false},
                    TNameCase{"Nul", std::string("a\0b", 3), false}, TNameCase{"LineBreak", "a\nb", false},
                    TNameCase{"TooLong", std::string(256, 'a'), false},
                    TNameCase{"OwnTemporary", ".a.html.tolvex-tmp-AbC123", false},
                    TNameCase{"Blanks", "  my page .html", true}, TNameCase{"Accented", "\xc3\x9c" "ber uns", true},
                    TNameCase{"UrlCharacters", "#1 100%?.html", true}, TNameCase{"Hidden", ".htaccess", true},
                    TNameCase{"DotsInside", "a..b", true}, TNameCase{"Longest", std::string(255, 'a'), true}),
    [](const testing::TestParamInfo<TNameCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainNames,
    testing::Values(TNameCase{"Empty", "", false}, TNameCase{"Dot", ".", false}, TNameCase{"DotDot", "..", false},
                    TNameCase{"Hidden", ".htaccess", false}, TNameCase{"Slash", "a/b", false},
                    TNameCase{"Backslash", "a\\b", false}, TNameCase{"Space", "a b", false},
                    TNameCase{"NonAscii", "caf\xc3\xa9", false}, TNameCase{"TooLong", std::string(256, 'a'), false},
                    TNameCase{"FileName", "ok-1_2.css", true}, TNameCase{"LanguageCode", "EN", true},
                    TNameCase{"Subtype", "1234.svg+xml", true}, TNameCase{"Longest", std::string(255, 'a'), true}),
    [](const testing::TestParamInfo<TNameCase>& info) { return std::string(info.param.name); });

}  // namespace

// A run keeps its pages' work files and menus back: the work folder ends as
// the last page left it, and what a run kept is read again by the next run.
TEST(PublishLocally, WorkFilesAreTheLastPagesAndTheNextRunSeesEdits)
{
    TPublishSite site;
    std::vector<std::string> params = site.Params("EN");
    site.Make(params)->Run();
    ASSERT_EQ(site.Runner().Last(), "Successfully published.");
    const std::string work = site.Data().GetPageGeneration().GetPreviewDir();
    const std::string xml = TTempFolder::Read(work + "/out.xml");
    const std::size_t at = xml.find("TreeItemId=\"");
    ASSERT_NE(at, std::string::npos);
    const int last = std::stoi(xml.substr(at + 12));
    const std::string lastFile = last == site.HomePageId() ? "EN/index.html" : "EN/" + std::to_string(last) + ".html";
    EXPECT_EQ(TTempFolder::Read(work + "/out.html"), TCommonFunctions::WithCrLfLines(site.Files().at(lastFile)));
    // The same page generated by itself writes the same work files.
    const int type = site.Data().GetQueries().GetItemType(last, TPublishSite::kCode, site.Connection());
    GeneratedPage(site, last, type, "EN");
    EXPECT_EQ(TTempFolder::Read(work + "/out.xml"), xml);

    // Another page's menu names the page renamed between the runs.
    EXPECT_EQ(site.Files().at("EN/100003.html").find("Who We Are"), std::string::npos);
    site.SetName(100002, "Who We Are", "Wer wir sind");
    site.Make(params)->Run();
    EXPECT_NE(site.Files().at("EN/100003.html").find("Who We Are"), std::string::npos);
}

// What a run leaves behind: the site's files, the runner's log, the counts
// and the preview folder's work files.
struct TRunOutcome {
    std::map<std::string, std::string> files;
    std::vector<std::string> log;
    int errors = 0, failed = 0;
    std::map<std::string, std::string> workFiles;
    bool operator==(const TRunOutcome&) const = default;
};

// CancelAt: the log line at which the user cancels; none when empty.
TRunOutcome PublishWith(TPublishSite& site, int workers, const std::string& cancelAt = "")
{
    const std::string work = site.Data().GetPageGeneration().GetPreviewDir();
    for (const auto& entry : fs::directory_iterator(site.Site().Path()))
        fs::remove_all(entry.path());
    for (const auto& entry : fs::directory_iterator(work))
        fs::remove_all(entry.path());
    site.Runner().lines.clear();
    std::vector<std::string> params = site.Params();
    params.push_back("MakeServerSideScripts=yes");
    auto publish = site.Make(params);
    publish->SetWorkers(workers);
    site.Runner().onProcessMessages = [&] {
        if (cancelAt.empty() || site.Runner().Last() != cancelAt || publish->IsCancelled())
            return;
        // Workers have the time to go on to later pages (in the other language too).
        if (workers > 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        publish->Cancel();
    };
    publish->Run();
    site.Runner().onProcessMessages = nullptr;
    TRunOutcome outcome{site.Files(), site.Runner().Texts(), publish->GetErrorCount(), publish->GetFailedPages(), {}};
    for (const auto& entry : fs::directory_iterator(work))
        outcome.workFiles[entry.path().filename().string()] = TTempFolder::Read(entry.path().string());
    return outcome;
}

// Pages generated by several threads give exactly what one thread gives:
// every file byte for byte, the log line for line, the counts and the work
// files, with further pages, server-side kinds, alternative names and a
// page that cannot be generated among them.
TEST(PublishLocally, SeveralWorkersLeaveWhatOneWorkerLeaves)
{
    TPublishSite site(std::map<int, int>{{kStoryPage, 0x1F}});
    AddSiteContent(site);
    const int section = site.AddItem(kInformationPage, site.HomePageId());
    site.SetAltFileName(section, "section");
    for (int i = 0; i < 12; ++i)
        site.SetName(site.AddItem(kStoryPage, section), "Story " + std::to_string(i), "Geschichte " + std::to_string(i));
    site.AddItem(kHtmlReportPage, section);

    const TRunOutcome inOrder = PublishWith(site, 1);
    EXPECT_EQ(inOrder.failed, 2);
    EXPECT_GT(inOrder.files.size(), 100u);
    EXPECT_TRUE(inOrder.workFiles.count("out.xml") && inOrder.workFiles.count("master.xsl"));
    for (const int workers : {2, 5}) {
        const TRunOutcome parallel = PublishWith(site, workers);
        EXPECT_TRUE(parallel == inOrder) << workers << " workers";
        EXPECT_EQ(parallel.log, inOrder.log) << workers << " workers";
        EXPECT_EQ(parallel.workFiles, inOrder.workFiles) << workers << " workers";
    }
}

TEST(PublishLocally, CancellingAParallelRunStopsItsWorkers)
{
    TPublishSite site;
    const int section = site.AddItem(kInformationPage, site.HomePageId());
    for (int i = 0; i < 40; ++i)
        site.AddItem(kStoryPage, section);
    std::vector<std::string> params = site.Params("EN");
    auto publish = site.Make(params);
    publish->SetWorkers(4);
    int pages = 0;
    site.Runner().onProcessMessages = [&] {
        if (site.Runner().Last().rfind("Publishing EN/", 0) == 0 && ++pages == 3)
            publish->Cancel();
    };
    publish->Run();
    EXPECT_TRUE(publish->IsCancelled());
    EXPECT_EQ(site.Runner().Last(), "Operation was canceled by user.");
    std::size_t written = 0;
    for (const auto& [name, bytes] : site.Files())
        written += name.rfind("EN/", 0) == 0;
    EXPECT_LT(written, 10u) << "the pages after the cancel are not written";
}

// The folder of the story pages' master templates has no default yet: the
// first page that needs it stores the folder's first template as its default.
// Workers store it as one thread does, through the catalog's own connection,
// and the site is the same.
TEST(PublishLocally, AFolderWithoutDefaultTemplateGetsItsFirstTemplateAlsoFromWorkers)
{
    TPublishSite site;
    const int section = site.AddItem(kInformationPage, site.HomePageId());
    for (int i = 0; i < 16; ++i)
        site.AddItem(kStoryPage, section);
    TCatalogPageGeneration& pages = site.Data().GetPageGeneration();
    const int folder = pages.GetItemTypeTemplateId(kStoryPage, kMasterTemplateKind);
    ASSERT_NE(folder, 0);
    const auto defaultOfFolder = [&] {
        auto object = pages.GetObjectFactory().GetObject(folder, kTemplateFolderClass, site.Connection(), "");
        object->Load();
        return object->GetInteger("TemplateItemId", 0);
    };
    const int stored = defaultOfFolder();
    ASSERT_NE(stored, 0);
    const auto forget = [&] {
        auto object = pages.GetObjectFactory().GetObject(folder, kTemplateFolderClass, site.Connection(), "");
        object->Load();
        object->SetNumber("TemplateItemId", 0, 0);
        object->Save();
        ASSERT_EQ(defaultOfFolder(), 0);
    };

    forget();
    const TRunOutcome inOrder = PublishWith(site, 1);
    EXPECT_EQ(defaultOfFolder(), stored);
    EXPECT_EQ(inOrder.failed, 0);
    forget();
    const TRunOutcome parallel = PublishWith(site, 4);
    EXPECT_EQ(defaultOfFolder(), stored);
    EXPECT_TRUE(parallel == inOrder);
    EXPECT_FALSE(site.Connection().InTransaction());
}

// A run cancelled at a page leaves the site, the log and the preview
// folder's work files as one thread cancelled at the same page does, though
// the workers have generated pages past it, with other templates, by then:
// the last page is German, the English resource was last written for the
// English page before it and by a worker again for a later page.
TEST(PublishLocally, ACancelledParallelRunLeavesWhatOneThreadLeaves)
{
    TPublishSite site;
    const int section = site.AddItem(kInformationPage, site.HomePageId());
    for (int i = 0; i < 30; ++i) {
        const int story = site.AddItem(i % 3 == 0 ? kInformationPage : kStoryPage, section);
        site.SetName(story, "Page " + std::to_string(i), "Seite " + std::to_string(i));
    }
    const std::string cancelAt = "Publishing EN/Page 10 page";
    const TRunOutcome inOrder = PublishWith(site, 1, cancelAt);
    ASSERT_EQ(inOrder.log.back(), "Operation was canceled by user.");
    ASSERT_TRUE(inOrder.workFiles.count("out.xml") && inOrder.workFiles.count("master.xsl"));
    EXPECT_NE(inOrder.workFiles.at("out.xml").find("Page 9"), std::string::npos) << "the last page finished";
    const TRunOutcome parallel = PublishWith(site, 4, cancelAt);
    EXPECT_EQ(parallel.log, inOrder.log);
    EXPECT_EQ(parallel.workFiles, inOrder.workFiles);
    EXPECT_TRUE(parallel == inOrder);
}

namespace {

// Writes Name into Folder in a child process that the file size limit kills
// part-way through the write, as a run is killed while it writes a file.
void KillWhileWriting(const std::string& folder, const std::string& name)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit size{64 * 1024, 64 * 1024}, core{0, 0};
        setrlimit(RLIMIT_CORE, &core);
        setrlimit(RLIMIT_FSIZE, &size);
        signal(SIGXFSZ, SIG_DFL);
        TSiteFolder(folder).WriteFile(name, std::string(1 << 20, 'x'));
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the child was not killed while writing";
}

std::set<std::string> NamesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

void Backdate(const std::string& path)
{
    const auto past = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    fs::last_write_time(path, past);
}

}  // namespace

// A run that was killed leaves the file it was writing under a temporary
// name in the site folder, and its workers' folders in the system's
// temporary folder. The next run removes them, and nothing else: look-alike
// names of the user's, and the folders of a run still going on, stay.
TEST(PublishLocally, ARunRemovesWhatAKilledRunLeftAndNothingElse)
{
    TTempFolder site, temp;
    site.Write("index.html", "old");
    // Before the fixture: the child is forked while this process has no other thread.
    KillWhileWriting(site.Path(), "index.html");
    std::set<std::string> left = NamesIn(site.Path());
    left.erase("index.html");
    ASSERT_EQ(left.size(), 1u);
    const std::string killed = *left.begin();
    EXPECT_EQ(killed.rfind(".index.html.", 0), 0u) << killed;
    site.Write("css/.600111.css.tolvex-tmp-Ab12Cd", "half a style sheet");
    const std::vector<std::string> usersOwn{".notes.tmp-123456", "keep.tolvex-tmp-abcdef", ".x.tolvex-tmp-abc",
                                            "css/.y.tolvex-tmp-abcdefg"};
    for (const std::string& name : usersOwn)
        site.Write(name, "the user's");

    const std::string abandoned = temp.Write("tolvex-publish-AbCdEf/out.xsl", "work");
    Backdate(fs::path(abandoned).parent_path().string());
    temp.Write("tolvex-publish-NeW123/out.xsl", "a run that has just begun");
    TWorkFolder running(temp.Path());
    Backdate(running.Path());
    const char* oldTemp = std::getenv("TMPDIR");
    const std::string savedTemp = oldTemp ? oldTemp : "";
    setenv("TMPDIR", temp.Path().c_str(), 1);

    TPublishSite fixture;
    std::vector<std::string> params = fixture.Params();
    params.front() = "Path=" + site.Path();
    auto publish = fixture.Make(params);
    publish->SetWorkers(2);
    publish->Run();
    if (oldTemp)
        setenv("TMPDIR", savedTemp.c_str(), 1);
    else
        unsetenv("TMPDIR");

    EXPECT_TRUE(publish->Succeeded()) << fixture.Runner().Last();
    const std::vector<std::string> log = fixture.Runner().Texts();
    EXPECT_NE(std::find(log.begin(), log.end(), "Removed 2 unfinished file(s) of an earlier run"), log.end());
    EXPECT_FALSE(fs::exists(site.File(killed)));
    EXPECT_FALSE(fs::exists(site.File("css/.600111.css.tolvex-tmp-Ab12Cd")));
    for (const std::string& name : usersOwn)
        EXPECT_TRUE(fs::exists(site.File(name))) << name;
    EXPECT_NE(TTempFolder::Read(site.File("index.html")), "old");
    std::set<std::string> workFolders;
    for (const std::string& name : NamesIn(temp.Path()))
        if (name.rfind(TWorkFolder::kPrefix, 0) == 0)
            workFolders.insert(name);
    EXPECT_EQ(workFolders,
              (std::set<std::string>{"tolvex-publish-NeW123", fs::path(running.Path()).filename().string()}));
}
