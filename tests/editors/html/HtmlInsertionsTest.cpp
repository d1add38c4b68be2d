// The markup each insertion of the HTML editor produces from its dialog's
// answers: one table of cases, each with the answers, the markup and why.
#include "editors/site/html/HtmlInsertions.h"

#include <gtest/gtest.h>

namespace {

struct TInsertionCase {
    const char* name;
    std::vector<std::string> answers;
    std::string markup;
};

std::ostream& operator<<(std::ostream& out, const TInsertionCase& c) { return out << c.name; }

class PictureMarkup : public ::testing::TestWithParam<TInsertionCase> {};

TEST_P(PictureMarkup, FromTheAnswers)
{
    EXPECT_EQ(THtmlInsertions().Picture(TDialogParams(GetParam().answers)), GetParam().markup);
}

const std::string kImg = "<IMG SRC=\"../images/";

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureMarkup,
    ::testing::Values(
        TInsertionCase{"NoPictureChosen", {"ImageItemId=", "Alt=x"}, ""},
        TInsertionCase{"PlainByIdWithSubtype",
                       {"ImageItemId=3001", "ImageMimeType=image/jpeg", "Alt=Logo"},
                       kImg + "3001.jpeg\" ALT=\"Logo\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"IconUnderTheExtensionPublishingWritesItWith",
                       {"ImageItemId=3001", "ImageMimeType=application/x-ico", "Alt=i"},
                       kImg + "3001.ico\" ALT=\"i\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"AlternativeNameIsUrlEncoded",
                       {"ImageItemId=3001", "AltFileName=my logo&", "ImageMimeType=image/png"},
                       kImg + "my+logo%26.png\" ALT=\"\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"CaptionStandsInForAltAndIsEscaped",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Caption=Tom \"&\" Jerry"},
                       kImg + "7.gif\" ALT=\"Tom &quot;&amp;&quot; Jerry\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"SizeOf2048BytesInBytes",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "ImageBytes=2048"},
                       kImg + "7.gif\" ALT=\"Image size 2048 bytes\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"SizeOf3000BytesInKb",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "ImageBytes=3000"},
                       kImg + "7.gif\" ALT=\"Image size 2 Kb\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"SizesAlignmentSpacingAndBorder",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "ImageWidth=120", "ImageHeight=80",
                        "Alignment=left", "HorizontalSpacing=4", "VerticalSpacing=x", "BorderThinkness=2",
                        "BorderColor=#ff0000"},
                       kImg + "7.gif\" ALT=\"a\" BORDER=\"2\" STYLE=\" border-color: #ff0000;\" WIDTH=\"120\" "
                              "HEIGHT=\"80\" ALIGN=\"left\" HSPACE=\"4\"/>"},
        TInsertionCase{"BorderColorWithoutBorderGivesNoStyle",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "BorderColor=red"},
                       kImg + "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\" />"},
        TInsertionCase{"DescriptionWithoutAlignmentIsATableOnly",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "Description=Our <shop>"},
                       "<TABLE BORDER=\"0\"><TR><TD>" + kImg +
                           "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\" /></TD></TR><TR><TD CLASS=\"textColor "
                           "smallFontBold\">Our &lt;shop&gt;</TD></TR></TABLE>"},
        TInsertionCase{"DescriptionWithAlignmentIsWrappedInADiv",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "Description=d", "Alignment=right"},
                       "<DIV ALIGN=\"right\"><TABLE BORDER=\"0\"><TR><TD>" + kImg +
                           "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\"  ALIGN=\"right\"/></TD></TR><TR><TD "
                           "CLASS=\"textColor smallFontBold\">d</TD></TR></TABLE></DIV>"},
        TInsertionCase{"PopupLargeLinksTheLargeCopy",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "PopupLarge=yes",
                        "LargeImageItemId=8", "LargeAltFileName=big", "LargeImageMimeType=image/jpeg"},
                       "<A HREF=\"../images/big.jpeg\" TARGET=\"_blank\">" + kImg +
                           "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\" /></A>"},
        TInsertionCase{"PopupLargeWithoutLargeIdHasAnEmptyName",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "PopupLarge=yes"},
                       "<A HREF=\"../images/.\" TARGET=\"_blank\">" + kImg +
                           "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\" /></A>"},
        TInsertionCase{"AttributeValuesCannotLeaveTheirQuotes",
                       {"ImageItemId=7", "ImageMimeType=image/gif", "Alt=a", "Alignment=\"><script>"},
                       kImg + "7.gif\" ALT=\"a\" BORDER=\"0\" STYLE=\"\"  ALIGN=\"&quot;&gt;&lt;script&gt;\"/>"}),
    [](const auto& info) { return std::string(info.param.name); });

class ObjectMarkup : public ::testing::TestWithParam<TInsertionCase> {};

TEST_P(ObjectMarkup, FromTheAnswers)
{
    EXPECT_EQ(THtmlInsertions().Object(TDialogParams(GetParam().answers)), GetParam().markup);
}

const std::string kFlash =
    "<OBJECT codeBase=\"https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=4,0,2,0\" "
    "height=\"60\" width=\"90\" classid=clsid:D27CDB6E-AE6D-11cf-96B8-444553540000><PARAM NAME=\"movie\" "
    "VALUE=\"../bin/5.swf\"><PARAM NAME=\"quality\" VALUE=\"high\"><embed src=\"../bin/5.swf\" quality=\"high\" "
    "pluginspage=\"https://www.adobe.com/products/flashplayer/\" type=\"application/x-shockwave-flash\" "
    "width=\"90\" height=\"60\"></OBJECT>";

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectMarkup,
    ::testing::Values(
        TInsertionCase{"NoObjectChosen", {"Caption=x"}, ""},
        TInsertionCase{"LinkWithTitle",
                       {"ObjectItemId=5", "Caption=Price list", "FileName=prices.pdf",
                        "ObjectMimeType=application/pdf"},
                       " <A HREF=\"../bin/5.pdf\" TITLE=\"Price list\">Price list</A> "},
        TInsertionCase{"LinkNamedAfterTheFileInBytes",
                       {"ObjectItemId=5", "AltFileName=prices", "FileName=my prices.pdf",
                        "ObjectMimeType=application/pdf", "ObjectBytes=100"},
                       " <A HREF=\"../bin/prices.pdf\">File: my+prices.pdf (100 bytes)</A> "},
        TInsertionCase{"LinkNamedAfterTheFileInKb",
                       {"ObjectItemId=5", "FileName=a.pdf", "ObjectMimeType=application/pdf", "ObjectBytes=5000"},
                       " <A HREF=\"../bin/5.pdf\">File: a.pdf (4 Kb)</A> "},
        TInsertionCase{"UpperCaseSwfIsAFlashObject",
                       {"ObjectItemId=5", "FileName=MOVIE.SWF", "ObjectMimeType=application/x-shockwave-flash",
                        "InsertAsObject=yes", "ObjectWidth=90", "ObjectHeight=60"},
                       kFlash},
        TInsertionCase{"JarIsAnApplet",
                       {"ObjectItemId=5", "FileName=game.jar", "ObjectMimeType=application/java-archive",
                        "InsertAsObject=yes", "ObjectWidth=9", "ObjectHeight=6"},
                       "<applet codebase=\".\" code=\"../bin/5.jar\" width=\"9\" height=\"6\" alt=\"Your browser "
                       "understands the &lt;APPLET&gt; tag but isn't running the applet, for some reason.\">Your "
                       "browser is completely ignoring the &lt;APPLET&gt; tag!</applet>"},
        TInsertionCase{"ExeAsObjectInsertsNothing",
                       {"ObjectItemId=5", "FileName=setup.exe", "ObjectMimeType=application/octet-stream",
                        "InsertAsObject=yes"},
                       ""}),
    [](const auto& info) { return std::string(info.param.name); });

class TableMarkup : public ::testing::TestWithParam<TInsertionCase> {};

TEST_P(TableMarkup, FromTheAnswers)
{
    const THtmlTable table = THtmlInsertions::TableFromAnswers(TDialogParams(GetParam().answers));
    EXPECT_EQ(THtmlInsertions::Table(table), GetParam().markup);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableMarkup,
    ::testing::Values(
        TInsertionCase{"NoRows", {"NumberRows=0", "NumberColumns=2"}, ""},
        TInsertionCase{"ColumnsNotANumber", {"NumberRows=2", "NumberColumns=two"}, ""},
        TInsertionCase{"OneCellWithTheClassOnly",
                       {"NumberRows=1", "NumberColumns=1"},
                       "<TABLE class=\"mainBody font sizeContent\"><TR><TD>&nbsp;</TD></TR></TABLE>"},
        TInsertionCase{"BorderWidthCaptionAndThreeFixedColumns",
                       {"NumberRows=2", "NumberColumns=3", "BorderThickness=1", "Width=80%",
                        "TableCaption=A & B", "Attributes=valign=\"top\"", "FixedWidthColumns=yes"},
                       "<TABLE border=\"1\"  width=\"80%\" class=\"mainBody font sizeContent\"><CAPTION>A &amp; "
                       "B</CAPTION>"
                       "<TR><TD valign=\"top\" width=\"33%\">&nbsp;</TD><TD valign=\"top\" width=\"33%\">&nbsp;</TD>"
                       "<TD valign=\"top\" width=\"33%\">&nbsp;</TD></TR>"
                       "<TR><TD valign=\"top\" width=\"33%\">&nbsp;</TD><TD valign=\"top\" width=\"33%\">&nbsp;</TD>"
                       "<TD valign=\"top\" width=\"33%\">&nbsp;</TD></TR></TABLE>"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TLinkCase {
    const char* name;
    THtmlLink link;
    std::string markup;
};

std::ostream& operator<<(std::ostream& out, const TLinkCase& c) { return out << c.name; }

class LinkMarkup : public ::testing::TestWithParam<TLinkCase> {};

TEST_P(LinkMarkup, AroundTheSelection) { EXPECT_EQ(THtmlInsertions::Link(GetParam().link), GetParam().markup); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkMarkup,
    ::testing::Values(
        TLinkCase{"NoAddressNoLink", {"href", "", "text", "", false, false}, ""},
        TLinkCase{"CaptionIsTheAddressWhenEmpty",
                  {"href", "http://a.example/?x=1&y=2", "", "", false, false},
                  "<A href=\"http://a.example/?x=1&amp;y=2\">http://a.example/?x=1&amp;y=2</A>"},
        TLinkCase{"TitleNewWindowAndSpace",
                  {"href", "12.html", "Our <shop>", "Go \"now\"", true, true},
                  "<A TARGET=\"_blank\" href=\"12.html\" TITLE=\"Go &quot;now&quot;\">Our &lt;shop&gt;</A> "},
        TLinkCase{"AnchorWithEmptyName", {"name", "", "here", "", false, false}, "<A name=\"\">here</A>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlInsertions, PopupImageLinksToThePictureInTheWholeWindow)
{
    const TDialogParams answers({"ImageItemId=3005", "ImageMimeType=image/png", "Caption=Map"});
    const std::string address = THtmlInsertions::PopupImageAddress(answers);
    EXPECT_EQ(address, "../images/3005.png");
    EXPECT_EQ(THtmlInsertions::PopupImageLink(address, "see <map>"),
              "<A HREF=\"../images/3005.png\" target=\"_top\">see &lt;map&gt;</A>");
    EXPECT_EQ(THtmlInsertions::PopupImageAddress(TDialogParams({"Caption=Map"})), "");
}

TEST(HtmlInsertions, AnswersOfTheLinkDialogsBecomeLinks)
{
    const TDialogParams hyperlink(
        {"URL=mailto:shop@example.com", "Caption=Mail us", "ATitle=t", "AddSpaceAtTheEnd=yes", "NewWindow=no"});
    EXPECT_EQ(THtmlInsertions::Link(THtmlInsertions::HyperlinkFromAnswers(hyperlink)),
              "<A href=\"mailto:shop@example.com\" TITLE=\"t\">Mail us</A> ");

    const TDialogParams page({"PageLink=yes", "PageId=1005", "PageType=100", "Caption=Shoes", "NewWindow=yes"});
    EXPECT_EQ(THtmlInsertions::Link(THtmlInsertions::PageLinkFromAnswers(page, "shoes.html")),
              "<A TARGET=\"_blank\" href=\"shoes.html\">Shoes</A>");
    EXPECT_EQ(THtmlInsertions::Link(THtmlInsertions::PageLinkFromAnswers(TDialogParams({"PageId=x"}), "1.html")),
              "")
        << "without a page nothing is inserted";
}

}  // namespace
