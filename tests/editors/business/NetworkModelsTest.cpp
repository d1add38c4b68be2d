// The catalog network's models on a real catalog of catalogs, without
// widgets: the link code, the republishing choices and the plain list of
// catalogs a catalog belongs to.
#include "editors/site/SiteModelFixture.h"

#include "editors/business/ItemWrites.h"
#include "editors/business/network/CoCManagementModel.h"
#include "editors/business/network/IncludedToCatalogsModel.h"
#include "editors/business/network/LinkToCatalogModel.h"
#include "storage/AbstractCObject.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMembersRoot = 20;
constexpr int kMemberType = 5002;

TEST(NetworkModels, ALinkCodeIsStoredAsCodeCharactersAndNamesTheItem)
{
    TSiteModelFixture site(2);
    const int member = site.AddItem(kMemberType, kMembersRoot, "Old");
    std::vector<std::string> params;
    TLinkToCatalogModel link(site.Context(member), &params);
    link.Load();
    link.SetText("North Hub/2_b");
    EXPECT_EQ(link.Store(), "northhub2_b");
    EXPECT_EQ(site.Objects().GetObject(member, "CoCMember")->GetLangString("CatalogCode", "XXX", 0), "northhub2_b");
    EXPECT_EQ(site.Objects().GetObject(member, "CommonNames")->GetLangString("ItemName", site.Data().GetDefaultLangCode(), 0),
              "northhub2_b");
    EXPECT_EQ(params, (std::vector<std::string>{"NameChanged=northhub2_b", "NameChangedItemId=" + std::to_string(member)}));

    // A name given in the tree becomes the code; another item's name is not its business.
    EXPECT_FALSE(link.NameChanged(member + 1, "Other"));
    EXPECT_TRUE(link.NameChanged(member, "South Hub"));
    EXPECT_EQ(link.Text(), "southhub");
}

TEST(NetworkModels, TheRepublishingChoicesAreTheOwnTemplatesAndEachMemberOnce)
{
    TSiteModelFixture site(2);
    const auto values = [&] {
        std::vector<std::string> shown;
        for (const TCoCManagementModel::TChoice& choice : TCoCManagementModel(site.Context(1)).Choices())
            shown.push_back(choice.Caption + "=" + choice.Value);
        return shown;
    };
    EXPECT_EQ(values(), std::vector<std::string>{"(Original tolvex templates)=0"});

    const int zeta = site.AddItem(kMemberType, kMembersRoot, "Zeta");
    const int alpha = site.AddItem(kMemberType, kMembersRoot, "Alpha");
    // A link copy of a member in the web tree is the same member.
    site.Catalog().CreateItem(kMemberType, 100001, alpha, TSiteModelFixture::kCode, site.MainConnection(), 0);
    EXPECT_EQ(values(), (std::vector<std::string>{"(Original tolvex templates)=0", "Alpha=" + std::to_string(alpha),
                                                  "Zeta=" + std::to_string(zeta)}));

    std::vector<std::string> params{"memberid=9"};
    TCoCManagementModel::Store(params, std::to_string(alpha));
    EXPECT_EQ(params, std::vector<std::string>{"memberid=" + std::to_string(alpha)});
}

TEST(NetworkModels, ThePlainListBelongsToTheOpenedItemOrTheCompany)
{
    TSiteModelFixture site(2);
    TIncludedToCatalogsModel list(site.Context(2001, -1), TItemWrites::Direct(site.Context(2001, -1)), false);
    EXPECT_EQ(list.ListItemId(), 2001) << "no tree item: the company item";
    list.Load();
    std::string added;
    EXPECT_EQ(list.Add("  ", added), "");
    EXPECT_EQ(added, "") << "a code reduced to nothing adds nothing";
    EXPECT_EQ(list.Add("Big Hub", added), "");
    EXPECT_EQ(added, "bighub");
    EXPECT_EQ(list.Add("big hub", added), "\"bighub\" catalog code already included to the list");
    EXPECT_EQ(list.Add("second", added), "");
    site.Save();

    TIncludedToCatalogsModel again(site.Context(2001, -1), TItemWrites::Direct(site.Context(2001, -1)), false);
    again.Load();
    EXPECT_EQ(again.Codes(), (std::vector<std::string>{"bighub", "second"}));
    EXPECT_TRUE(again.Delete("bighub"));
    EXPECT_FALSE(again.Delete("bighub"));
    site.Save();
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 2001 AND "
                               "ClassId = 609"),
              1);
}

}  // namespace
