// The page links model on a real catalog: the link groups of the page's
// templates, custom links added, edited, moved and deleted in the page's
// objects, the group's style, and the levels of default entries.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/page/FramePageLinksModel.h"

#include <gtest/gtest.h>

namespace {

using TModel = TFramePageLinksModel;

std::vector<std::string> Captions(const TModel::TLinkGroup& group, bool customOnly)
{
    std::vector<std::string> captions;
    for (const TModel::TLinkEntry& entry : group.Entries)
        if (!customOnly || entry.IsCustomLink)
            captions.push_back(entry.Caption);
    return captions;
}

int FirstCustom(const TModel::TLinkGroup& group)
{
    for (std::size_t i = 0; i < group.Entries.size(); ++i)
        if (group.Entries[i].IsCustomLink)
            return static_cast<int>(i);
    return -1;
}

TEST(PageLinksModel, EntriesHangBelowTheGroupByTheirLevels)
{
    struct TCase {
        std::vector<std::string> lines;
        std::vector<int> depths;
        const char* why;
    };
    const TCase cases[] = {
        {{"1=a", "1=b", "1=c"}, {1, 1, 1}, "one level: siblings, the first entry sets the level"},
        {{"1=a", "2=b", "3=c", "1=d"}, {1, 2, 3, 1}, "a lower level goes up by the difference"},
        {{"3=a", "4=b", "2=c"}, {1, 2, 1}, "never above the group"},
        {{"1=a", "0=b", "-1=c"}, {1, 1, 1}, "level 0 or less hangs under the group"},
    };
    for (const TCase& c : cases) {
        std::vector<int> depths;
        for (const TModel::TLinkEntry& entry : TModel::ArrangeByLevel(c.lines, false))
            depths.push_back(entry.Depth);
        EXPECT_EQ(depths, c.depths) << c.why;
    }
    const auto parents = TModel::ArrangeByLevel({"1=1#Shop", "1=0#Hidden"}, true);
    EXPECT_EQ(parents[0].Caption, "Shop");
    EXPECT_TRUE(parents[0].Enabled);
    EXPECT_EQ(parents[1].Caption, "Hidden");
    EXPECT_FALSE(parents[1].Enabled) << "shown grey";
}

class PageLinks : public ::testing::Test {
protected:
    int Home() { return site.Program().GetHomePageId(); }
    TModel Opened()
    {
        TModel model(site.Context(Home()));
        model.Init();
        model.Load();
        return model;
    }

    TSiteModelFixture site;
};

TEST_F(PageLinks, CustomLinksAreAddedMovedAndDeletedInThePagesObjects)
{
    TModel model = Opened();
    ASSERT_FALSE(model.Groups().empty()) << "the shipped templates name link groups";
    const TModel::TLinkGroup& group = model.Groups()[0];
    EXPECT_EQ(group.Style, 0);
    EXPECT_EQ(model.ComboStyle(0), 0);
    EXPECT_NE(group.Caption.find("(Default links)"), std::string::npos) << group.Caption;
    EXPECT_FALSE(Captions(group, false).empty()) << "the template's default links";
    EXPECT_FALSE(model.AddLink(0, {})) << "no address: nothing added";

    ASSERT_TRUE(model.AddLink(0, {"http://example.test/", false, 0, "Example"}));
    const int page = site.AddItem(site.Context(Home()).ItemType, Home(), "Prices");
    ASSERT_TRUE(model.AddLink(0, {"page", true, page, ""}));
    EXPECT_EQ(Captions(model.Groups()[0], true), (std::vector<std::string>{"Example", "Prices"}));
    const int first = FirstCustom(model.Groups()[0]);
    EXPECT_EQ(model.Groups()[0].Entries[first].LinkTarget, "http://example.test/");
    EXPECT_FALSE(model.CanMoveUp(0, first)) << "the previous sibling is a default link";
    EXPECT_TRUE(model.CanMoveDown(0, first));
    EXPECT_FALSE(model.CanDelete(0, 0)) << "a default link is no custom link";

    const int moved = model.MoveUp(0, first + 1);
    EXPECT_EQ(moved, first);
    EXPECT_EQ(Captions(model.Groups()[0], true), (std::vector<std::string>{"Prices", "Example"}));
    EXPECT_EQ(model.EditStartValues(0, first), std::vector<std::string>{"PageId=" + std::to_string(page)});
    ASSERT_TRUE(model.EditLink(0, first + 1, {"http://example.test/new", false, 0, "New"}));
    EXPECT_EQ(model.EditStartValues(0, first + 1),
              (std::vector<std::string>{"InitURL=http://example.test/new", "InitCaption=New"}));
    EXPECT_TRUE(model.IsModified());
    site.Save();

    TModel reloaded = Opened();
    EXPECT_EQ(Captions(reloaded.Groups()[0], true), (std::vector<std::string>{"Prices", "New"}));
    const int custom = FirstCustom(reloaded.Groups()[0]);
    EXPECT_EQ(reloaded.DeleteQuestion(0, custom), "Do you really want to delete \"Prices\" link?");
    ASSERT_EQ(reloaded.DeleteLink(0, custom), "");
    ASSERT_EQ(reloaded.DeleteLink(0, FirstCustom(reloaded.Groups()[0])), "");
    EXPECT_TRUE(Captions(reloaded.Groups()[0], true).empty());
    EXPECT_FALSE(Captions(reloaded.Groups()[0], false).empty()) << "the default links stay";
    site.Save();
    EXPECT_TRUE(Captions(Opened().Groups()[0], true).empty());
}

TEST_F(PageLinks, TheStyleIsKeptPerGroupAndACancelDropsEveryChange)
{
    {
        TModel model = Opened();
        ASSERT_FALSE(model.Groups().empty());
        model.SetStyle(0, 3);
        EXPECT_TRUE(Captions(model.Groups()[0], false).empty()) << "only custom links, and there are none";
        site.Save();
    }
    TModel model = Opened();
    EXPECT_EQ(model.Groups()[0].Style, 3);
    model.SetStyle(0, 1);
    EXPECT_EQ(model.ComboStyle(0), -1) << "style 1 cannot be chosen in the combo";
    EXPECT_FALSE(Captions(model.Groups()[0], false).empty());
    model.AddLink(0, {"http://example.test/", false, 0, "Example"});
    site.Cancel();
    TModel after = Opened();
    EXPECT_EQ(after.Groups()[0].Style, 3);
    EXPECT_TRUE(Captions(after.Groups()[0], true).empty());
}

}  // namespace
