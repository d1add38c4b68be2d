// The item properties model on a real catalog: name for every language,
// filtered file name, version and the tree image code, and the rename the
// tree learns of after each save.
#include "editors/site/SiteModelFixture.h"

#include "common/WellKnownIds.h"
#include "editors/site/page/FrameItemPropertiesModel.h"

#include <gtest/gtest.h>

namespace {

void AddVersion(TSiteModelFixture& site, int item, const std::string& text)
{
    std::unique_ptr<TTolvexObject> version = site.Catalog().GetObjectFactory().CreateObjectTyped(
        item, kVersionClass, 0, site.MainConnection(), TSiteModelFixture::kCode);
    version->SetLangString("Version", site.Data().GetDefaultLangCode(), text, 0);
    version->Save();
}

TEST(ItemPropertiesModel, NameFileNameVersionAndImageCodeReachTheCatalogWithTheSave)
{
    TSiteModelFixture site;
    const int item = site.AddItem(506, 5, "Script");
    AddVersion(site, item, "1.0");
    TFrameItemPropertiesModel model(site.Context(item));
    model.Load();
    EXPECT_TRUE(model.HasNames());
    EXPECT_EQ(model.Name(), "Script");
    EXPECT_EQ(model.Version(), "1.0");
    EXPECT_EQ(model.MemberTexts("AltFileName").Caption, "Alternative File Name");
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

TEST(ItemPropertiesModel, AnItemWithoutAVersionHasOnlyItsImageCodeHandled)
{
    TSiteModelFixture site;
    const int item = site.AddItem(2, 5, "Folder");
    TFrameItemPropertiesModel model(site.Context(item));
    model.Load();
    EXPECT_FALSE(model.HasNames());
    EXPECT_EQ(model.Name(), "");
    model.SetName("Renamed");
    model.SetVersion("2");
    model.SetImageCode("3");
    std::string renamed;
    model.Store(&renamed);
    site.Save();
    EXPECT_EQ(renamed, "");
    EXPECT_EQ(site.Committed(item, 1)->GetLangString("ItemName", site.Data().GetDefaultLangCode(), 0), "Folder");
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                               std::to_string(item) + " AND ClassId = 505"),
              0)
        << "no version object is made";
    EXPECT_EQ(site.Catalog().GetExpandedImageCode(item, TSiteModelFixture::kCode, site.MainConnection()), "3");
}

}  // namespace
