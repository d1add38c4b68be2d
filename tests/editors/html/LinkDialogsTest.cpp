// The table, hyperlink and page dialogs offscreen: what their fields start
// with, what typing does, and the answers they write on OK; the page picker
// on a real catalog tree.
#include "catalog/TreeManagerFixture.h"
#include "catalog/ui/CatalogTreeView.h"
#include "catalog/ui/TreeModel.h"
#include "editors/QtTestApplication.h"
#include "editors/site/html/dialogs/HyperlinkFrame.h"
#include "editors/site/html/dialogs/InsertTableFrame.h"
#include "editors/site/html/dialogs/SelectPageFrame.h"
#include "editors/site/html/dialogs/SiteDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LinkDialogs, TableDialogWritesTheFilledFields)
{
    EnsureQtApplication();
    auto* frame = new TInsertTableFrame;
    TSiteDialog dialog({frame}, QSize(290, 385));
    dialog.Init(TDialogParams());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Insert Table");
    EXPECT_EQ(dialog.OkButton()->text(), "Insert");
    EXPECT_TRUE(dialog.OkButton()->isEnabled()) << "the defaults make a table";

    QTest::keyClick(frame->ColumnsEdit(), Qt::Key_Backspace);
    QTest::keyClicks(frame->ColumnsEdit(), "3");
    QTest::keyClicks(frame->WidthEdit(), "50");
    frame->WidthUnit()->setCurrentIndex(1);
    frame->FixedWidthColumns()->setChecked(true);
    SaveWidgetPicture(dialog, "dialog-insert-table");
    TDialogParams answers;
    dialog.SaveAnswers(answers);
    EXPECT_EQ(answers.Lines(), (std::vector<std::string>{"NumberRows=1", "NumberColumns=3", "Width=50%",
                                                         "FixedWidthColumns=yes"}));
}

TEST(LinkDialogs, HyperlinkDialogSplitsTheProtocolAndFollowsTheAddress)
{
    EnsureQtApplication();
    auto* frame = new THyperlinkFrame;
    TSiteDialog dialog({frame}, QSize(340, 240));
    dialog.Init(TDialogParams({"InitURL=mailto:shop@example.com", "InitTitle=Write to us"}));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Insert Hyperlink");
    EXPECT_EQ(frame->ProtocolCombo()->currentText(), "mailto:");
    EXPECT_EQ(frame->AddressEdit()->text(), "shop@example.com");
    EXPECT_EQ(frame->CaptionEdit()->text(), "shop@example.com") << "no caption was given: it follows the address";
    EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "nothing was changed yet";

    frame->AddressEdit()->clear();
    QTest::keyClicks(frame->AddressEdit(), "sales@example.com");
    EXPECT_EQ(frame->CaptionEdit()->text(), "sales@example.com");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    frame->CaptionEdit()->clear();
    QTest::keyClicks(frame->CaptionEdit(), "Sales ");
    QTest::keyClicks(frame->AddressEdit(), "x");
    EXPECT_EQ(frame->CaptionEdit()->text(), "Sales ") << "a typed caption stays";
    SaveWidgetPicture(dialog, "dialog-hyperlink");

    TDialogParams answers;
    dialog.SaveAnswers(answers);
    EXPECT_EQ(answers.Lines(), (std::vector<std::string>{"URL=mailto:sales@example.comx", "AddSpaceAtTheEnd=yes",
                                                         "Caption=Sales", "ATitle=Write to us", "NewWindow=no"}));
}

TEST(LinkDialogs, HyperlinkDialogWithoutCaption)
{
    EnsureQtApplication();
    THyperlinkFrame frame;
    frame.InitControls(TDialogParams({"DontShowCaption=yes", "InitURL=https://example.com/a"}));
    frame.show();
    EXPECT_FALSE(frame.CaptionEdit()->isVisible());
    EXPECT_EQ(frame.ProtocolCombo()->currentIndex(), THyperlinkForm::kNoProtocol);
    TDialogParams answers;
    frame.Save(answers);
    EXPECT_EQ(answers.Value("URL"), "https://example.com/a");
    EXPECT_EQ(answers.Value("Caption"), "https://example.com/a");
}

class SelectPageFrameTest : public tree_test::TreeManagerTest {
protected:
    SelectPageFrameTest()
    {
        EnsureQtApplication();
        Item(1001, 100, 1, "Shoes");
        Item(1002, 100, 1, "Socks");
        Item(1003, 100, 1001, "Boots");
    }
    TSelectPageFrame* MakeFrame(int catalogType = 0)
    {
        return new TSelectPageFrame({host, env.Connection(), "shop", catalogType, env.Gui(),
                                     [](int id, int type) { return std::to_string(id) + "-" + std::to_string(type) + ".html"; },
                                     {}});
    }
    QModelIndex IndexOf(TSelectPageFrame& frame, int itemId)
    {
        for (TTreeNode* node : frame.Manager().AllNodes())
            if (node->ItemId() == itemId)
                return frame.Tree()->Model().IndexOf(node);
        return {};
    }
};

TEST_F(SelectPageFrameTest, PicksAPageWithItsCaption)
{
    TSelectPageFrame* frame = MakeFrame();
    TSiteDialog dialog({frame}, QSize(360, 420));
    dialog.Init(TDialogParams({"ShowCaptionPanel=yes", "TreeCaption=Web pages"}));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Page");
    EXPECT_EQ(frame->TreeCaption()->text(), "Web pages");
    EXPECT_TRUE(frame->CaptionPanel()->isVisible());
    EXPECT_EQ(dialog.OkButton()->isEnabled(), frame->Manager().GetSelectedNode() != nullptr)
        << "OK is available exactly while a page is selected";

    const QModelIndex socks = IndexOf(*frame, 1002);
    ASSERT_TRUE(socks.isValid());
    frame->Tree()->setCurrentIndex(socks);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(frame->CaptionEdit()->text(), "Socks");
    QTest::keyClicks(frame->TitleEdit(), "Warm socks");
    frame->NewWindow()->setChecked(true);
    SaveWidgetPicture(dialog, "dialog-select-page");

    TDialogParams answers;
    dialog.SaveAnswers(answers);
    EXPECT_EQ(answers.Lines(),
              (std::vector<std::string>{"PageLink=yes", "URL=1002-100.html", "PageId=1002", "PageType=100",
                                        "PageName=Socks", "NewWindow=yes", "Caption=Socks", "ATitle=Warm socks"}));
}

TEST_F(SelectPageFrameTest, SearchesByNameAndSaysWhenNothingIsLeft)
{
    TSelectPageFrame* frame = MakeFrame(12);
    TSiteDialog dialog({frame}, QSize());
    dialog.Init(TDialogParams());
    dialog.show();
    EXPECT_FALSE(frame->GoButton()->isEnabled());
    QTest::keyClicks(frame->KeywordEdit(), "boo");
    ASSERT_TRUE(frame->GoButton()->isEnabled());
    QTest::mouseClick(frame->GoButton(), Qt::LeftButton);
    ASSERT_NE(frame->Manager().GetSelectedNode(), nullptr);
    EXPECT_EQ(frame->Manager().GetSelectedNode()->ItemId(), 1003) << "found below a collapsed page";
    EXPECT_TRUE(dialog.OkButton()->isEnabled());

    frame->KeywordEdit()->setText("nowhere");
    frame->Search();
    EXPECT_EQ(env.Gui().Messages("error"),
              std::vector<std::string>{
                  "The system has finished its search and no item with the name \"nowhere\" was found."});
    EXPECT_EQ(frame->Manager().GetSelectedNode()->ItemId(), 1003) << "the selection stays";
    frame->KeywordEdit()->setText("  ");
    frame->Search();
    EXPECT_EQ(env.Gui().Messages("error").back(), "Enter keyword for search");
}

TEST_F(SelectPageFrameTest, PageOrHyperlinkAnswersFromTheTabShown)
{
    auto* hyperlink = new THyperlinkFrame;
    TSelectPageFrame* page = MakeFrame();
    TSiteDialog dialog({hyperlink, page}, QSize(400, 440));
    dialog.Init(TDialogParams({"InitURL=http://example.com"}));
    dialog.show();
    ASSERT_NE(dialog.Tabs(), nullptr);
    EXPECT_EQ(dialog.Tabs()->tabText(0), "Enter Hyperlink");
    EXPECT_EQ(dialog.Tabs()->tabText(1), "Select Page");

    TDialogParams link;
    dialog.SaveAnswers(link);
    EXPECT_EQ(link.Value("URL"), "http://example.com");
    EXPECT_FALSE(link.Has("PageLink"));

    dialog.Tabs()->setCurrentIndex(1);
    page->Tree()->setCurrentIndex(IndexOf(*page, 1001));
    SaveWidgetPicture(dialog, "dialog-page-or-hyperlink");
    TDialogParams pageAnswers;
    dialog.SaveAnswers(pageAnswers);
    EXPECT_EQ(pageAnswers.Value("PageLink"), "yes");
    EXPECT_EQ(pageAnswers.Value("URL"), "1001-100.html");
}

}  // namespace
