// The property values of template items on a real catalog: the choice lists
// of a master template's style, where a background value points, and what
// is written for master and body templates.
#include "editors/site/SiteModelFixture.h"

#include "common/WellKnownIds.h"
#include "editors/media/templates/properties/TemplatePropertiesModel.h"
#include "storage/TolvexObject.h"

#include <gtest/gtest.h>

namespace {

using TChoice = TTemplatePropertiesModel::TChoice;

TEST(TemplatePropertiesModel, BackgroundsOfTheStyleCatalogsAreOfferedOnlyUnderCaptionsNotOfferedYet)
{
    const std::vector<TChoice> choices = TTemplatePropertiesModel::BackgroundChoices(
        {{"Meadow background", "30"}, {"Harbor background", "31"}},
        {{"Harbor background", "s31"}, {"Atelier background", "s40"}},
        {{"Atelier background", "a40"}, {"Zebra", "a41"}}, "(none)");
    EXPECT_EQ(choices, (std::vector<TChoice>{{"(none)", "0"},
                                             {"Atelier background", "s40"},
                                             {"Harbor background", "31"},
                                             {"Meadow background", "30"},
                                             {"Zebra", "a41"}}));
}

TEST(TemplatePropertiesModel, ABackgroundValueNamesItsCatalog)
{
    struct TCase {
        std::string value;
        std::string catalog;
        int id;
        bool fromStyles;
    };
    for (const TCase& c : std::vector<TCase>{{"12", "shop", 12, false},
                                             {"s12", "t#1", 12, true},
                                             {"a7", "t#0", 7, true},
                                             {"0", "shop", 0, false},
                                             {"sx", "t#1", 0, false},
                                             {"", "shop", 0, false}}) {
        const TTemplatePropertiesModel::TBackground b = TTemplatePropertiesModel::ParseBackground(c.value, "shop", "t#1");
        EXPECT_EQ(b.CatalogCode, c.catalog) << c.value;
        EXPECT_EQ(b.Id, c.id) << c.value;
        EXPECT_EQ(b.FromStyles, c.fromStyles) << c.value;
    }
}

TEST(TemplatePropertiesModel, SchemeListsStartWithNoneAndKeepNamesHoldingEquals)
{
    EXPECT_EQ(TTemplatePropertiesModel::SchemeChoices({"Harbor colours=41", "A=B=42"}, "(none)"),
              (std::vector<TChoice>{{"(none)", "0"}, {"Harbor colours", "41"}, {"A=B", "42"}}));
}

TEST(TemplatePropertiesModel, TheCatalogsBackgroundPicturesAreListedByName)
{
    TSiteModelFixture site;
    const std::vector<TChoice> open =
        TTemplatePropertiesModel::BackgroundImages(site.Connection(), site.kCode, "EN", "");
    ASSERT_FALSE(open.empty());
    bool harbor = false;
    for (const TChoice& choice : open)
        harbor = harbor || choice.Caption == "Harbor background";
    EXPECT_TRUE(harbor);
}

TEST(TemplatePropertiesModel, AMasterNameGoesIntoXxxAndTheLanguageEditedABodyNameIntoXxxOnly)
{
    TSiteModelFixture site;
    const int master = site.Catalog().FindFirstItemOfType(kMasterTemplateType, site.kCode, site.Connection());
    const int body = site.Catalog().FindFirstItemOfType(kBodyTemplateType, site.kCode, site.Connection());
    ASSERT_NE(master, 0);
    ASSERT_NE(body, 0);

    TTemplatePropertiesModel masterModel(site.Context(master), true);
    ASSERT_TRUE(masterModel.Load());
    masterModel.Name = "Renamed master";
    masterModel.ColorScheme = "0";
    masterModel.Background = "s77";
    const TTemplatePropertiesModel::TBackground import = masterModel.Store(false, "t#1");
    EXPECT_TRUE(import.FromStyles);
    EXPECT_EQ(import.Id, 77);
    EXPECT_EQ(import.CatalogCode, "t#1");

    const bool bodyHadEnglishName = [&] {
        const std::unique_ptr<TTolvexObject> names = site.Committed(body, kNamesClassId);
        names->Load();
        return names->HasValue("ItemName", "EN");
    }();
    TTemplatePropertiesModel bodyModel(site.Context(body), false);
    ASSERT_TRUE(bodyModel.Load());
    bodyModel.Name = "Renamed body";
    bodyModel.HasPaging = true;
    bodyModel.ItemsOnPage = "12";
    EXPECT_FALSE(bodyModel.Store(false, "t#1").FromStyles);
    site.Save();

    const std::unique_ptr<TTolvexObject> masterNames = site.Committed(master, kNamesClassId);
    masterNames->Load();
    EXPECT_EQ(masterNames->GetLangString("ItemName", "XXX", 0), "Renamed master");
    EXPECT_EQ(masterNames->GetLangString("ItemName", "EN", 0), "Renamed master");
    const std::unique_ptr<TTolvexObject> style = site.Committed(master, kMasterTemplateClass);
    style->Load();
    EXPECT_EQ(style->GetInteger("BackgroundImageCode", 0), 77);
    EXPECT_EQ(style->GetInteger("ColorScheme", 0), 0);

    const std::unique_ptr<TTolvexObject> bodyNames = site.Committed(body, kNamesClassId);
    bodyNames->Load();
    EXPECT_EQ(bodyNames->GetLangString("ItemName", "XXX", 0), "Renamed body");
    if (!bodyHadEnglishName) {
        EXPECT_FALSE(bodyNames->HasValue("ItemName", "EN")) << "a body template's name is written in XXX only";
    }
    const std::unique_ptr<TTolvexObject> paging = site.Committed(body, kBodyTemplateClass);
    paging->Load();
    EXPECT_TRUE(paging->GetBoolean("HasItemOnPage", 0));
    EXPECT_EQ(paging->GetInteger("ItemOnPage", 0), 12);
}

}  // namespace
