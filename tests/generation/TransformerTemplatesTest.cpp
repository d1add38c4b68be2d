// The templates service as the transformer and the editors use it: the
// templates list, default templates, sources, the files of a
// transformation, the rules read back from them, language resources, the
// comparison with the style catalog and the link previews.
#include "TransformerTestCatalog.h"

#include "common/CommonFunctions.h"
#include "generation/GenerationRule.h"
#include "generation/Templates.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <filesystem>
#include <fstream>

namespace {

// A template with rules: Rules are the elements inside xsl:stylesheet.
std::string WithRules(const std::string& rules, const std::string& ns = "urn:tolvex:xml-generation")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<xsl:stylesheet version=\"1.0\" "
           "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" xmlns:tolvex=\"" + ns + "\">\n" + rules +
           "\n</xsl:stylesheet>\n";
}

class TransformerTemplatesTest : public ::testing::Test {
protected:
    TransformerTemplatesTest() { catalog.AddSmallSite(); }

    TTemplates& Templates() { return catalog.GetTemplates(); }
    TAbstractDBConnection& Connection() { return catalog.Fixture().Connection(); }

    std::vector<std::string> List(int folder)
    {
        std::vector<std::string> list{"stale"};
        Templates().GetTemplateList(list, folder, Connection());
        return list;
    }

    std::vector<std::string> Rules(const std::string& predicate = "")
    {
        std::vector<std::string> rules;
        Templates().ReadRules(rules, predicate);
        return rules;
    }

    void WriteWorkFile(const std::string& name, const std::string& text)
    {
        std::ofstream(catalog.GetPreviewDir() + "/" + name) << text;
    }

    TTransformerTestCatalog catalog;
};

// ---- the templates list ------------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, TheListHoldsTheTemplatesOfAFolderButNoFolders)
{
    catalog.AddItem(600030, 2, 600010);  // a sub-folder of the master templates
    catalog.Name(600030, "XXX", "Dark");
    catalog.AddTemplate(600103, 501, 600030, "Night", "<x/>");
    catalog.AddTemplate(600104, 501, 600010, "", "<x/>");
    catalog.Name(600104, "EN", "Day");
    catalog.Name(600104, "DE", "Tag");

    EXPECT_EQ(List(600010), (std::vector<std::string>{"Plain=600101", "Day=600104"}));
    EXPECT_EQ(List(600030), (std::vector<std::string>{"Night=600103"})) << "nested under its own parent";
    EXPECT_EQ(List(5), (std::vector<std::string>{"Common templates=600301", "English=600401"}));

    catalog.AddTemplate(600105, 501, 600010, "Late", "<x/>");
    EXPECT_EQ(List(600010).size(), 2u) << "the tree is read once";
    Templates().ResetTemplateList();
    EXPECT_EQ(List(600010).size(), 3u);
}

TEST_F(TransformerTemplatesTest, AParentLinkRunningInACircleEndsTheList)
{
    // The root itself hangs below one of its descendants.
    catalog.AddItem(5, 2, 600010);
    EXPECT_EQ(List(600010), (std::vector<std::string>{"Plain=600101"}));
}

// ---- default and page templates --------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, TheFirstTemplateOfAFolderBecomesItsStoredDefault)
{
    catalog.AddTemplate(600102, 501, 600010, "Second", "<x/>");
    EXPECT_EQ(Templates().GetDefaultTemplateId(3001, 0, Connection()), 600101);
    EXPECT_EQ(catalog.Fixture().Scalar("SELECT NumberValue FROM CNumbers WHERE ItemId = 600010 AND ClassId = 513"),
              TVariant(600101.0));
    catalog.Fixture().Exec("DELETE FROM Items WHERE ItemId = 600101");
    EXPECT_EQ(Templates().GetDefaultTemplateId(3001, 0, Connection()), 600101) << "the stored default answers";

    catalog.PutNumber(600020, kFolderClass, 1, "XXX", 600299);
    EXPECT_EQ(Templates().GetDefaultTemplateId(3001, 1, Connection()), 600299);

    catalog.SetTemplateFolder(3002, 0, 600050);
    catalog.AddItem(600050, 2, 5);
    EXPECT_EQ(Templates().GetDefaultTemplateId(3002, 0, Connection()), 0) << "an empty folder";
    EXPECT_EQ(Templates().GetDefaultTemplateId(4444, 0, Connection()), 0) << "a type without a folder";
}

TEST_F(TransformerTemplatesTest, APageTakesItsOwnTemplatesOrItsTypesDefaults)
{
    TObjectCollection& collection = catalog.Collection();
    int master = -1;
    int body = -1;
    Templates().GetPageTemplates(*collection.GetObject(100001, "CommonWebPage"), 3001, master, body, Connection());
    EXPECT_EQ(std::make_pair(master, body), std::make_pair(600101, 600201));

    catalog.PutNumber(100002, kWebPageClass, 2, "XXX", 600777);
    Templates().GetPageTemplates(*collection.GetObject(100002, "CommonWebPage"), 3001, master, body, Connection());
    EXPECT_EQ(std::make_pair(master, body), std::make_pair(600101, 600777));
}

// ---- sources -------------------------------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, SourcesAreReadFromTheirClassesInTheGivenCatalog)
{
    catalog.AddItem(600701, 504, 5);
    catalog.PutText(600701, 504, 1, "XXX", "body { color: red }");
    catalog.AddTemplate(600101, 501, 600010, "Plain", "<styles/>", "t#1");

    EXPECT_EQ(Templates().GetTemplateCss(600701, "", Connection()), "body { color: red }");
    EXPECT_EQ(Templates().GetTemplateXsl(600701, "", Connection()), "") << "no XSL source";
    EXPECT_EQ(Templates().GetItemText(600701, "", Connection()), "body { color: red }");
    EXPECT_EQ(Templates().GetTemplateXsl(600101, "t#1", Connection()), "<styles/>");
    EXPECT_EQ(Templates().GetTemplateXslOfType(512, "", Connection()), TTransformerTestCatalog::SmallCommon);
    EXPECT_EQ(Templates().GetTemplateXslOfType(518, "", Connection()), "");
}

TEST_F(TransformerTemplatesTest, VersionsStylesAndCountsHaveTheirDefaults)
{
    const struct {
        const char* stored;
        double version;
    } versions[] = {{"1.25", 1.25}, {" 2 ", 2}, {"1,5", 0}, {"new", 0}};
    for (const auto& v : versions) {
        catalog.PutString(600101, kVersionTestClass, 1, "XXX", v.stored);
        EXPECT_EQ(Templates().GetTemplateVersion(600101, "", Connection()), v.version) << v.stored;
    }
    EXPECT_EQ(Templates().GetTemplateVersion(600201, "", Connection()), 0) << "no version";

    int color = -1, font = -1, background = -1;
    Templates().GetStyleSchemes(600101, color, font, background, Connection());
    EXPECT_EQ(color + font + background, 0);
    catalog.PutNumber(600101, kMasterClass, 1, "XXX", 504001);
    catalog.PutNumber(600101, kMasterClass, 2, "XXX", 505001);
    catalog.PutNumber(600101, kMasterClass, 3, "XXX", 610001);
    Templates().GetStyleSchemes(600101, color, font, background, Connection());
    EXPECT_EQ(std::vector<int>({color, font, background}), std::vector<int>({504001, 505001, 610001}));

    EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 9);
    catalog.PutNumber(600201, kBodyClass, 1, "XXX", 0);
    EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 9);
    catalog.PutNumber(600201, kBodyClass, 1, "XXX", 24);
    EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 24);
}

TEST_F(TransformerTemplatesTest, ARunReadsTemplateValuesOnceAndTheNextRunSeesEdits)
{
    catalog.PutNumber(600201, kBodyClass, 1, "XXX", 12);
    catalog.PutNumber(600101, kMasterClass, 1, "XXX", 504001);
    int color = 0, font = 0, background = 0;
    {
        TTemplates::TRun run(Templates());
        EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 12);
        Templates().GetStyleSchemes(600101, color, font, background, Connection());
        ASSERT_TRUE(Templates().WriteTemplateFiles(3001, 600101, Connection(), "", 600201));
        Rules();  // reads the work files back, as a page does
        catalog.PutNumber(600201, kBodyClass, 1, "XXX", 30);
        catalog.PutNumber(600101, kMasterClass, 1, "XXX", 504002);
        catalog.PutText(600101, 503, 1, "XXX", "<edited-master/>");
        EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 12) << "read once in a run";
        { TTemplates::TRun inner(Templates()); }
        EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 12) << "an inner run ends nothing";
        Templates().GetStyleSchemes(600101, color, font, background, Connection());
        EXPECT_EQ(color, 504001);
        ASSERT_TRUE(Templates().WriteTemplateFiles(3001, 600101, Connection(), "", 600201));
        EXPECT_NE(catalog.WorkFile("master.xsl"), "<edited-master/>\r\n");
    }
    EXPECT_EQ(Templates().GetCountOnPage(600201, Connection()), 30) << "the next run sees the edit";
    Templates().GetStyleSchemes(600101, color, font, background, Connection());
    EXPECT_EQ(color, 504002);
    ASSERT_TRUE(Templates().WriteTemplateFiles(3001, 600101, Connection(), "", 600201));
    EXPECT_EQ(catalog.WorkFile("master.xsl"), "<edited-master/>\r\n");
}

TEST_F(TransformerTemplatesTest, ATemplateIsSavedToAFileWithCrLfLineEnds)
{
    TTempFolder folder;
    EXPECT_TRUE(Templates().SaveTemplateToFile(600401, folder.File("en.xml"), Connection()));
    EXPECT_EQ(TTempFolder::Read(folder.File("en.xml")),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
              "<resources lang=\"EN\"><text id=\"made\">Made with care</text></resources>\r\n");
    EXPECT_FALSE(Templates().SaveTemplateToFile(100001, folder.File("none.xml"), Connection()));
    EXPECT_FALSE(std::filesystem::exists(folder.File("none.xml")));
}

// ---- files of a transformation ------------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, TheTemplateFilesAreWrittenOnlyWhenMasterAndCommonTemplatesExist)
{
    catalog.SetTypeBodyTemplate("<type-body/>");
    ASSERT_TRUE(Templates().WriteTemplateFiles(3001, 600101, Connection(), "", 0));
    EXPECT_EQ(catalog.WorkFile("body.xsl"), "<type-body/>\r\n") << "the catalog type's body template";
    EXPECT_EQ(catalog.WorkFile("common.xsl").find("name=\"footer\"") != std::string::npos, true);

    for (const char* file : {"master.xsl", "body.xsl", "common.xsl"})
        std::filesystem::remove(catalog.GetPreviewDir() + "/" + file);
    EXPECT_FALSE(Templates().WriteTemplateFiles(3001, 600999, Connection(), "", 600201)) << "no master";
    EXPECT_FALSE(Templates().WriteTemplateFiles(7001, 600101, Connection(), "", 600201)) << "no report common";
    EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/master.xsl"));

    catalog.AddTemplate(600302, 518, 5, "Report common", "<report-common/>");
    ASSERT_TRUE(Templates().WriteTemplateFiles(7001, 600101, Connection(), "", 600201));
    EXPECT_EQ(catalog.WorkFile("common.xsl"), "<report-common/>\r\n");
}

TEST_F(TransformerTemplatesTest, RulesAreReadFromTheMasterThenTheBodyInDocumentOrder)
{
    WriteWorkFile("master.xsl", WithRules(
        "<tolvex:xml-generation-rule><TagName>B</TagName><Action>Object</Action></tolvex:xml-generation-rule>\n"
        "<xsl:template match=\"/\"><tolvex:xml-generation-rule isLink=\"1\"><TagName>Menu</TagName>"
        "</tolvex:xml-generation-rule></xsl:template>"));
    WriteWorkFile("body.xsl", WithRules(
        "<tolvex:xml-generation-rule>\n  <!-- the pages below -->\n  <TagName> A </TagName>\n"
        "  <ItemId>currenttree</ItemId>\n</tolvex:xml-generation-rule>\n"
        "<tolvex:xml-generation-rule>text only</tolvex:xml-generation-rule>\n"
        "<tolvex:xml-generation-rule/>"));
    EXPECT_EQ(Rules(), (std::vector<std::string>{"TagName=B&Action=Object&", "TagName=Menu&",
                                                 "#comment= the pages below &TagName= A &ItemId=currenttree&"}))
        << "values as they stand, blank text between the keys left out";
    EXPECT_EQ(Rules("[@isLink = 1]"), (std::vector<std::string>{"TagName=Menu&"}));
}

// The rules as the builder receives them: a line break inside a value ends
// the value, and what follows is a field of its own.
TEST_F(TransformerTemplatesTest, ALineBreakInsideARuleValueEndsTheValue)
{
    WriteWorkFile("master.xsl", WithRules(""));
    WriteWorkFile("body.xsl", WithRules(
        "<tolvex:xml-generation-rule><TagName>Top\nItemId=5</TagName><Action>\n  Object\n</Action>"
        "<ClassXmlTag>CommonNames\r\n</ClassXmlTag></tolvex:xml-generation-rule>"));
    const std::vector<std::string> rules = Rules();
    ASSERT_EQ(rules.size(), 1u);
    const TGenerationRule rule(rules[0]);
    EXPECT_EQ(rule.Value("TagName"), "Top");
    EXPECT_EQ(rule.Value("ItemId"), "5") << "the text after the break, a field with a key";
    EXPECT_EQ(rule.Value("Action"), "") << "the value ends at its first break";
    EXPECT_EQ(rule.Values("ClassXmlTag"), std::vector<std::string>{"CommonNames"});
    EXPECT_EQ(rule.Fields(), (std::vector<std::string>{"TagName=Top", "ItemId=5", "Action=", "  Object", "",
                                                       "ClassXmlTag=CommonNames", ""}));
}

TEST_F(TransformerTemplatesTest, RulesNeedTheirNamespaceAndTemplatesThatLoad)
{
    const std::string rule = "<tolvex:xml-generation-rule><TagName>A</TagName></tolvex:xml-generation-rule>";
    WriteWorkFile("master.xsl", WithRules(rule, "urn:someone:else"));
    WriteWorkFile("body.xsl", WithRules(rule));
    EXPECT_EQ(Rules(), (std::vector<std::string>{"TagName=A&"}));

    WriteWorkFile("master.xsl", "<xsl:stylesheet");
    EXPECT_EQ(Rules(), std::vector<std::string>{}) << "a master that does not load";
    WriteWorkFile("master.xsl", WithRules(rule));
    std::filesystem::remove(catalog.GetPreviewDir() + "/body.xsl");
    EXPECT_EQ(Rules(), std::vector<std::string>{}) << "no body";
}

TEST_F(TransformerTemplatesTest, TheResourceOfALanguageIsWrittenWhenThereIsOne)
{
    EXPECT_TRUE(Templates().WriteResourceFile("EN", Connection()));
    EXPECT_NE(catalog.WorkFile("EN.xml").find("Made with care"), std::string::npos);
    EXPECT_FALSE(Templates().WriteResourceFile("DE", Connection()));
    EXPECT_FALSE(std::filesystem::exists(catalog.GetPreviewDir() + "/DE.xml"));
    for (const char* lookAlike : {"E_", "%", "E%"})
        EXPECT_FALSE(Templates().WriteResourceFile(lookAlike, Connection())) << lookAlike << " is no language EN";
}

TEST_F(TransformerTemplatesTest, TheDefaultCustomTemplatesAreSixEmptyNamedTemplates)
{
    const std::string xsl = TTemplates::GetDefaultCustomXsl();
    EXPECT_EQ(xsl.substr(xsl.size() - 23), "\r\n\r\n</xsl:stylesheet>\r\n");
    xmlDocPtr doc = xmlReadMemory(xsl.data(), static_cast<int>(xsl.size()), nullptr, nullptr, 0);
    ASSERT_NE(doc, nullptr);
    xmlNodePtr root = xmlDocGetRootElement(doc);
    std::vector<std::string> names;
    for (xmlNodePtr child = root->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE) {
            xmlChar* name = xmlGetProp(child, reinterpret_cast<const xmlChar*>("name"));
            names.emplace_back(reinterpret_cast<const char*>(name));
            xmlFree(name);
        }
    EXPECT_EQ(names, (std::vector<std::string>{"custom", "custom1", "custom2", "custom3", "custom4", "custom5"}));
    EXPECT_NE(xmlSearchNsByHref(doc, root, reinterpret_cast<const xmlChar*>("urn:tolvex:xml-generation")), nullptr);
    xmlFreeDoc(doc);
}

// ---- the style catalog -----------------------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, ATemplateIsComparedWithItsCopyInTheStyleCatalog)
{
    catalog.AddTemplate(600101, 501, 600010, "Plain", std::string(TTransformerTestCatalog::SmallMaster), "t#1");
    std::string message;
    const auto compare = [&] {
        Templates().CompareWithStyles(600101, "", message, Connection());
        return message;
    };
    std::string withCrLf;
    for (const char c : std::string(TTransformerTestCatalog::SmallMaster))
        withCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    catalog.PutText(600101, kXslClass, 1, "XXX", withCrLf + " \t\r\n\r\n");
    EXPECT_EQ(compare(), "Templates not differ");

    catalog.PutText(600101, kXslClass, 1, "XXX", "<changed/>");
    EXPECT_EQ(compare(), "Templates differ");
    catalog.PutString(600101, kVersionTestClass, 1, "XXX", "1.1");
    catalog.PutString(600101, kVersionTestClass, 1, "XXX", "1.0", "t#1");
    EXPECT_EQ(compare(), "Templates differ. Catalog version of template is newer");
    catalog.PutString(600101, kVersionTestClass, 1, "XXX", "1.2", "t#1");
    EXPECT_EQ(compare(), "Templates differ. Catalog version of template is older");
}

TEST_F(TransformerTemplatesTest, ATemplateIsImportedFromTheStyleCatalog)
{
    Templates().ImportTemplateItem(600101, "t#1", Connection());
    EXPECT_EQ(catalog.Imports(), std::vector<std::string>{"600101 from t#1"});
}

// ---- link previews ------------------------------------------------------------------------------------------

TEST_F(TransformerTemplatesTest, LinkPreviewsShowTheLinksOfALinkGroup)
{
    catalog.SetRuleOutput(
        "<CommonNames><ItemName LanguageCode=\"EN\">Home</ItemName><ItemName LanguageCode=\"DE\">Start</ItemName>"
        "</CommonNames><CommonNames indent=\"1\"><ItemName LanguageCode=\"EN\">Shop</ItemName></CommonNames>"
        "<LinkGroup><LinkGroup>MainMenu</LinkGroup>"
        "<Link indent=\"2\"><LinkObject><IsPageLink>1</IsPageLink><PageItemId><CommonNames>"
        "<ItemName LanguageCode=\"EN\">Offers</ItemName></CommonNames></PageItemId></LinkObject></Link>"
        "<Link><LinkObject><IsPageLink>0</IsPageLink><Caption LanguageCode=\"EN\">Blog</Caption></LinkObject></Link>"
        "<Link><LinkObject><IsPageLink>0</IsPageLink><Caption LanguageCode=\"DE\">Nur deutsch</Caption></LinkObject>"
        "</Link></LinkGroup>");
    const std::vector<std::string> rules = {"TagName=Menu&LinkGroup=MainMenu&Action=Childs&",
                                            "TagName=Footer&LinkGroup=FooterLinks&Action=Childs&"};
    std::vector<std::string> list{"stale"};
    Templates().GetDefaultLinks(100001, 100001, "shop", catalog.Collection(), Connection(), rules, list, "MainMenu",
                                "EN", 3001);
    EXPECT_EQ(list, (std::vector<std::string>{"0=Home", "1=Shop"}));
    EXPECT_EQ(catalog.ProcessedRules(), std::vector<std::string>{rules[0]}) << "only the group's rules run";

    Templates().GetParentLinks(100001, 100001, "shop", catalog.Collection(), Connection(), rules, list, "MainMenu",
                               "EN", 3001);
    EXPECT_EQ(list, (std::vector<std::string>{"0=1#Home", "1=1#Shop", "2=1#Offers", "0=0#Blog"}));

    Templates().GetDefaultLinks(100001, 100001, "shop", catalog.Collection(), Connection(), rules, list, "Sidebar",
                                "EN", 3001);
    EXPECT_EQ(list, std::vector<std::string>{}) << "no rule of the group";
}

// Group names, wrapper tags and language codes are texts of the catalog and
// the templates: any of them, quotes included, selects its own links.
TEST_F(TransformerTemplatesTest, LinkPreviewsTakeAnyGroupNameTagAndLanguage)
{
    const struct {
        std::string tag;
        std::string group;
        std::string lang;
    } cases[] = {
        {"Menu", "Tom's \"best\"", "EN"},
        {"Menu", "it's", "E'N"},
        {"x-y.z", "say \"hi\"", "E\"N"},
        {"Menu", "'] | //*[' ", "EN"},
    };
    for (const auto& c : cases) {
        const std::string lang = TCommonFunctions::EncodeXmlText(c.lang);
        catalog.SetRuleOutput("<CommonNames><ItemName LanguageCode=\"" + lang + "\">Home</ItemName>"
                              "<ItemName LanguageCode=\"XX\">Other</ItemName></CommonNames>"
                              "<LinkGroup><LinkGroup>" + TCommonFunctions::EncodeXmlText(c.group) + "</LinkGroup>"
                              "<Link><LinkObject><IsPageLink>0</IsPageLink><Caption LanguageCode=\"" + lang +
                              "\">Blog</Caption></LinkObject></Link></LinkGroup>"
                              "<LinkGroup><LinkGroup>Other</LinkGroup>"
                              "<Link><LinkObject><IsPageLink>0</IsPageLink><Caption LanguageCode=\"" + lang +
                              "\">Wrong</Caption></LinkObject></Link></LinkGroup>");
        const std::vector<std::string> rules = {"TagName=" + c.tag + "&LinkGroup=" + c.group + "&Action=Childs&"};
        std::vector<std::string> list;
        Templates().GetParentLinks(100001, 100001, "shop", catalog.Collection(), Connection(), rules, list,
                                   c.group, c.lang, 3001);
        EXPECT_EQ(list, (std::vector<std::string>{"0=1#Home", "0=0#Blog"})) << c.tag << " " << c.group << " " << c.lang;
    }
}

// Rules are read as the page builder reads them, without URL decoding: a "%"
// in one rule neither breaks the preview nor changes a group's name.
TEST_F(TransformerTemplatesTest, LinkPreviewsTakeRulesWithAPerCentSignAsTheyAre)
{
    catalog.SetRuleOutput("<CommonNames><ItemName LanguageCode=\"EN\">Home</ItemName></CommonNames>");
    const std::vector<std::string> rules = {"TagName=Footer&LinkGroup=FooterLinks&Condition=Discount>5%&",
                                            "TagName=Menu&LinkGroup=Sale%25+Offers&Action=Childs&"};
    std::vector<std::string> list;
    Templates().GetDefaultLinks(100001, 100001, "shop", catalog.Collection(), Connection(), rules, list,
                                "Sale%25+Offers", "EN", 3001);
    EXPECT_EQ(list, std::vector<std::string>{"0=Home"});
    EXPECT_EQ(catalog.ProcessedRules(), std::vector<std::string>{rules[1]});
}

}  // namespace
