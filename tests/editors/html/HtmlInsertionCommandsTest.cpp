// The insertion commands: the dialog each opens with its pairs, and what a
// cancelled or incomplete answer inserts (nothing).
#include "editors/site/html/HtmlInsertionCommands.h"
#include "support/ScriptedGui.h"

#include <gtest/gtest.h>

namespace {

class HtmlInsertionCommandsTest : public ::testing::Test {
protected:
    THtmlInsertionCommands Commands()
    {
        THtmlInsertionCommands::TServices services;
        services.RunDialog = [this](const std::string& name, TDialogParams& pairs) {
            opened = name;
            sent = pairs.Lines();
            for (const std::string& line : answers)
                pairs.Set(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
            return ok;
        };
        services.CatalogOption = [](int option) { return option == 702 ? "400" : "800"; };
        services.PageFileName = [](int id, int type) { return std::to_string(id) + "-" + std::to_string(type) + ".html"; };
        services.Gui = &gui;
        return THtmlInsertionCommands(std::move(services));
    }

    TScriptedGui gui;
    bool ok = true;
    std::vector<std::string> answers;
    std::string opened;
    std::vector<std::string> sent;
};

TEST_F(HtmlInsertionCommandsTest, PictureAndPopupSendTheirSizesAndFolders)
{
    answers = {"ImageItemId=3001", "ImageMimeType=image/png", "Alt=Logo"};
    EXPECT_EQ(Commands().InsertPicture(), "<IMG SRC=\"../images/3001.png\" ALT=\"Logo\" BORDER=\"0\" STYLE=\"\" />");
    EXPECT_EQ(opened, "HtmlImage");
    EXPECT_EQ(sent, (std::vector<std::string>{"MainImageSize=400", "LargeImageSize=800", "CanLargeCopy=yes",
                                              "ThumbnailImageSize=800", "CanThumbnailCopy=yes",
                                              "FolderName=Design images"}));

    answers = {"ImageItemId=3002", "ImageMimeType=image/jpeg", "Caption=Map"};
    std::string caption;
    EXPECT_EQ(Commands().PopupImageAddress(caption), "../images/3002.jpeg");
    EXPECT_EQ(opened, "Image");
    EXPECT_EQ(sent, (std::vector<std::string>{"MainImageSize=400", "FolderName=Pop-up images"}));
    EXPECT_EQ(caption, "Map");

    ok = false;
    EXPECT_EQ(Commands().InsertPicture(), "") << "cancelled";
    EXPECT_EQ(Commands().InsertTable(), "");
}

TEST_F(HtmlInsertionCommandsTest, LinksOfEachKind)
{
    THtmlInsertionCommands::TSelection text{false, "our shop", "http://old.example", "Old"};
    std::string address;
    answers = {"URL=http://shop.example", "Caption=our shop"};
    EXPECT_EQ(Commands().InsertLink(1, text, address), "<A href=\"http://shop.example\">our shop</A>");
    EXPECT_EQ(opened, "EnterHyperlink");
    EXPECT_EQ(sent, (std::vector<std::string>{"InitCaption=our shop", "InitTitle=Old", "InitURL=http://old.example"}));

    answers = {"PageId=1005", "PageType=100", "Caption=Shoes"};
    EXPECT_EQ(Commands().InsertLink(0, text, address), "<A href=\"1005-100.html\">Shoes</A>");
    EXPECT_EQ(opened, "SelectPage");
    EXPECT_EQ(sent.back(), "ShowCaptionPanel=yes");
    answers = {"PageId=0"};
    EXPECT_EQ(Commands().InsertLink(0, text, address), "") << "no page chosen";

    THtmlInsertionCommands::TSelection picture{true, "", "", ""};
    answers = {"URL=http://shop.example"};
    EXPECT_EQ(Commands().InsertLink(1, picture, address), "");
    EXPECT_EQ(address, "http://shop.example") << "the editor links the picture itself";
    EXPECT_EQ(sent.front(), "DontShowCaption=yes");

    gui.QueueInput("top");
    EXPECT_EQ(Commands().InsertLink(2, text, address), "<A name=\"top\">our shop</A>");
    gui.QueueInput("", true);
    EXPECT_EQ(Commands().InsertLink(2, text, address), "<A name=\"\">our shop</A>") << "an empty anchor name";
}

TEST_F(HtmlInsertionCommandsTest, SourceOfEveryLanguageGoesOutAndOnlyTheChangedComesBack)
{
    std::map<std::string, std::string> html{{"EN", "<p>Hi</p>\r\n<p>two</p>"}, {"FR", "<p>Salut</p>"}};
    answers = {"SourceHtml_FR=<p>Bonjour</p>"};
    ASSERT_TRUE(Commands().EditHtmlSource(html));
    EXPECT_EQ(opened, "EditHtmlSource");
    EXPECT_EQ(sent, (std::vector<std::string>{"SourceHtml_EN=<p>Hi</p>\r\n<p>two</p>", "SourceHtml_FR=<p>Salut</p>"}));
    EXPECT_EQ(html, (std::map<std::string, std::string>{{"FR", "<p>Bonjour</p>"}}))
        << "a value for another language lands in that language; the unchanged one is not written back";
    ok = false;
    EXPECT_FALSE(Commands().EditHtmlSource(html));
}

}  // namespace
