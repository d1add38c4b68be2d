// The rules of the table, hyperlink and page dialogs and of the HTML change
// sink, without widgets.
#include "editors/site/html/dialogs/DialogParams.h"
#include "editors/site/html/HtmlEventHandler.h"
#include "editors/site/html/dialogs/HyperlinkForm.h"
#include "editors/site/html/dialogs/InsertTableAnswers.h"
#include "editors/site/html/dialogs/SelectPageForm.h"

#include "catalog/TreeManager.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogParams, NamesIgnoreCaseAndTheFirstLineWins)
{
    TDialogParams params({"InitURL=a=b", "initurl=second", "AllowItemType=100", "AllowItemType=200", "plain"});
    EXPECT_EQ(params.Value("INITURL"), "a=b");
    EXPECT_EQ(params.Values("AllowItemType"), (std::vector<std::string>{"100", "200"}));
    EXPECT_FALSE(params.Has("plain"));
    params.Set("InitUrl", "c");
    EXPECT_EQ(params.Value("InitURL"), "c");
    params.Remove("InitURL");
    EXPECT_FALSE(params.Has("InitURL"));
    params.Set("Rows", " 12 ");
    EXPECT_EQ(params.Number("Rows"), 12);
    params.Set("Rows", "12x");
    EXPECT_EQ(params.Number("Rows"), 0);
}

TEST(InsertTableAnswers, WritesWhatWasFilledIn)
{
    TInsertTableAnswers answers;
    answers.NumberRows = "2";
    answers.NumberColumns = "3";
    answers.Width = "50";
    answers.WidthInPercent = true;
    answers.TableCaption = "  ";
    answers.Attributes = " valign=top ";
    answers.CellSpacing = "4";
    answers.FixedWidthColumns = true;
    TDialogParams params;
    answers.Save(params);
    EXPECT_EQ(params.Lines(), (std::vector<std::string>{"NumberRows=2", "NumberColumns=3", "Width=50%",
                                                        "CellSpaceing=4", "Attributes= valign=top ",
                                                        "FixedWidthColumns=yes"}));

    answers.Width = "40%";
    TDialogParams again;
    answers.Save(again);
    EXPECT_EQ(again.Value("Width"), "40%") << "a width that has its per cent sign is kept as typed";
}

TEST(HyperlinkForm, StartValuesSplitTheProtocol)
{
    THyperlinkForm form;
    form.Init(TDialogParams({"InitURL=mailto:shop@example.com", "InitCaption=Write", "NewWindow=yes"}));
    EXPECT_EQ(form.Protocol, 1);
    EXPECT_EQ(form.Address, "shop@example.com");
    EXPECT_TRUE(form.CaptionEdited);
    EXPECT_TRUE(form.NewWindow);

    form.Init(TDialogParams({"InitURL=https://example.com"}));
    EXPECT_EQ(form.Protocol, THyperlinkForm::kNoProtocol) << "other schemes match no protocol";
    EXPECT_EQ(form.Address, "https://example.com");
    EXPECT_FALSE(form.CaptionEdited);
}

TEST(HyperlinkForm, CaptionFollowsTheAddressUntilTyped)
{
    THyperlinkForm form;
    form.Init(TDialogParams());
    EXPECT_TRUE(form.AddressChanged("example.com"));
    EXPECT_EQ(form.Caption, "example.com");
    form.CaptionTyped("Home ");
    EXPECT_FALSE(form.AddressChanged("example.org"));
    EXPECT_EQ(form.Caption, "Home ");
}

struct THyperlinkCase {
    const char* name;
    int protocol;
    std::string address;
    std::string caption;
    bool hidden;
    std::vector<std::string> written;
};

std::ostream& operator<<(std::ostream& out, const THyperlinkCase& c) { return out << c.name; }

class HyperlinkSave : public ::testing::TestWithParam<THyperlinkCase> {};

TEST_P(HyperlinkSave, Answers)
{
    const THyperlinkCase& c = GetParam();
    THyperlinkForm form;
    form.Protocol = c.protocol;
    form.Address = c.address;
    form.Caption = c.caption;
    form.CaptionHidden = c.hidden;
    TDialogParams params;
    form.Save(params);
    EXPECT_EQ(params.Lines(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HyperlinkSave,
    ::testing::Values(
        THyperlinkCase{"BlankAddressWritesNothing", 0, "  ", "x", false, {}},
        THyperlinkCase{"ProtocolPutBeforeATypedAddress", 0, " example.com ", "", false,
                       {"URL=http://example.com", "Caption=example.com", "NewWindow=no"}},
        THyperlinkCase{"AddressWithSchemeKeptAsTyped", 0, "news:comp.lang", "", false,
                       {"URL=news:comp.lang", "Caption=news:comp.lang", "NewWindow=no"}},
        THyperlinkCase{"NoneAddsNothing", THyperlinkForm::kNoProtocol, "page.html", "", false,
                       {"URL=page.html", "Caption=page.html", "NewWindow=no"}},
        THyperlinkCase{"TrailingBlankOfTheCaption", 1, "a@b.example", "Home ", false,
                       {"URL=mailto:a@b.example", "AddSpaceAtTheEnd=yes", "Caption=Home", "NewWindow=no"}},
        THyperlinkCase{"HiddenCaptionIsTheAddress", 0, "example.com", "Picture", true,
                       {"URL=http://example.com", "Caption=example.com", "NewWindow=no"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectPageForm, TreeOptionsAndCaptionsFromTheParameters)
{
    TSelectPageForm pages;
    pages.Init(TDialogParams({"ExpandFirstLevel=yes", "InitCaption=Shop", "TreeCaption=Products"}));
    EXPECT_EQ(pages.TreeOptions, toPageTypesOnly | toSelectInitial | toExpandFirst | toExpandTopLevel);
    EXPECT_EQ(pages.RootItemId, 1);
    EXPECT_EQ(pages.TreeCaption, "Products");
    EXPECT_EQ(pages.DialogCaption, "Select Page");
    EXPECT_TRUE(pages.CaptionEdited);
    EXPECT_FALSE(pages.NodeSelected("Shoes"));

    TSelectPageForm all;
    all.Init(TDialogParams({"ShowAllItems=yes", "RootItemId=10", "Caption=Select Story"}));
    EXPECT_EQ(all.TreeOptions, toSelectInitial | toExpandFirst);
    EXPECT_EQ(all.RootItemId, 10);
    EXPECT_EQ(all.DialogCaption, "Select Story");
    EXPECT_TRUE(all.NodeSelected("Shoes"));
    EXPECT_EQ(all.Caption, "Shoes");

    TSelectPageForm allowed;
    allowed.Init(TDialogParams({"AllowItemType=100", "ShowAllItems=yes", "RootItemId=0"}));
    EXPECT_EQ(allowed.TreeOptions, toAllowedTypesOnly | toSelectInitial | toExpandFirst);
    EXPECT_EQ(allowed.RootItemId, 1);
}

TEST(SelectPageForm, AnswersKeepTheCaptionUntrimmed)
{
    TSelectPageForm form;
    form.Init(TDialogParams({"ShowCaptionPanel=yes"}));
    form.CaptionTyped("Home ");
    form.Title = "Start";
    TDialogParams params;
    form.Save({100001, 100, "Home page", "index.html"}, params);
    EXPECT_EQ(params.Lines(),
              (std::vector<std::string>{"PageLink=yes", "URL=index.html", "PageId=100001", "PageType=100",
                                        "PageName=Home page", "NewWindow=no", "AddSpaceAtTheEnd=yes",
                                        "Caption=Home ", "ATitle=Start"}));

    TSelectPageForm noPanel;
    noPanel.Init(TDialogParams({"InitCaption=x"}));
    TDialogParams without;
    noPanel.Save({5, 2, "Folder", "5.html"}, without);
    EXPECT_FALSE(without.Has("Caption"));
    TDialogParams nothing;
    noPanel.Save({0, 0, "", ""}, nothing);
    EXPECT_TRUE(nothing.Lines().empty());

    EXPECT_NE(TSelectPageForm::NotFoundMessage(12).find("no item"), std::string::npos);
    EXPECT_NE(TSelectPageForm::NotFoundMessage(0).find("no page"), std::string::npos);
}

TEST(HtmlEventHandler, FiresOnceOnAFieldChange)
{
    int modified = 0;
    THtmlEventHandler handler([&] { ++modified; });
    EXPECT_FALSE(handler.HandleEvent("click", "input", std::string("text")));
    EXPECT_FALSE(handler.HandleEvent("click", "INPUT", std::string("Password")));
    EXPECT_FALSE(handler.HandleEvent("click", "INPUT", std::nullopt)) << "no type attribute";
    EXPECT_FALSE(handler.HandleEvent("click", "DIV", std::string("checkbox")));
    EXPECT_TRUE(handler.HandleEvent("click", "input", std::string("checkbox")));
    EXPECT_FALSE(handler.HandleEvent("click", "input", std::string("checkbox")));
    EXPECT_FALSE(handler.HandleEvent("change", "textarea", std::nullopt));
    EXPECT_EQ(modified, 1);
    handler.ClearFired();
    EXPECT_TRUE(handler.HandleEvent("change", "input", std::string("text")));
    EXPECT_TRUE(THtmlEventHandler::Qualifies("click", "select", std::string("select-one")));
    EXPECT_EQ(modified, 2);
}

}  // namespace
