// The item properties model on a real catalog: name for every language,
// filtered file name, version and the tree image code, and the rename the
// tree learns of after each save.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/FrameItemPropertiesModel.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemPropertiesModel, NameFileNameVersionAndImageCodeReachTheCatalogWithTheSave)
{
    TSiteModelFixture site;
    const int item = site.AddItem(506, 5, "Script");
    TFrameItemPropertiesModel model(site.Context(item));
    model.Load();
    EXPECT_EQ(model.Name(), "Script");
    EXPECT_EQ(model.ItemId(), item);
    EXPECT_EQ(model.ItemType(), 506);

    model.SetAltFileName("my script.v2!");
    model.SetVersion("1.2");
    model.SetImageCode(" 7 ");
    model.SetName("Menu");
    std::string renamed;
    model.Store(&renamed);
    EXPECT_EQ(renamed, "Menu");
    EXPECT_EQ(model.AltFileName(), "myscriptv2");
    EXPECT_EQ(site.Catalog().GetExpandedImageCode(item, TSiteModelFixture::kCode, site.MainConnection()), "")
        << "nothing before the save";
    site.Save();
    auto names = site.Committed(item, 1);
    EXPECT_EQ(names->GetLangString("ItemName", "XXX", 0), "Menu");
    EXPECT_EQ(names->GetLangString("ItemName", "EN", 0), "Menu");
    EXPECT_EQ(names->GetLangString("AltFileName", "EN", 0), "myscriptv2");
    EXPECT_EQ(site.Committed(item, 505)->GetString("Version", 0), "1.2");
    EXPECT_EQ(site.Catalog().GetExpandedImageCode(item, TSiteModelFixture::kCode, site.MainConnection()), "7");

    // A second rename in the same opening is reported again.
    model.SetName("Menu 2");
    model.Store(&renamed);
    EXPECT_EQ(renamed, "Menu 2");
    model.SetVersion("1.3");
    model.Store(&renamed);
    EXPECT_EQ(renamed, "") << "no rename this time";
}

}  // namespace
