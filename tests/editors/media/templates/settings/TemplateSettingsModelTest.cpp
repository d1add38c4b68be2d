// The settings of a template taken from its settings form on a real
// catalog: fields become settings objects (class 518) in UTF-8, existing
// ones are updated, the form's "submit" button is no setting.
#include "editors/site/SiteModelFixture.h"

#include "common/WellKnownIds.h"
#include "editors/media/templates/settings/TemplateSettingsModel.h"
#include "storage/QueryGuard.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Name -> value of the committed settings of the item.
std::map<std::string, std::string> CommittedSettings(TSiteModelFixture& site, int itemId)
{
    TQueryGuard query(site.MainConnection());
    query->SetSQL("SELECT n.StringValue AS Name, v.StringValue AS Value FROM CStrings AS n JOIN CStrings AS v ON "
                  "v.CatalogCode = n.CatalogCode AND v.ItemId = n.ItemId AND v.InstanceId = n.InstanceId AND "
                  "v.ClassId = 518 AND v.MemberId = 2 AND v.LangCode = 'XXX' WHERE n.CatalogCode = :CatalogCode "
                  "AND n.ItemId = " + std::to_string(itemId) + " AND n.ClassId = 518 AND n.MemberId = 1 AND "
                  "n.LangCode = 'XXX'");
    query->SetParam("CatalogCode", std::string(TSiteModelFixture::kCode));
    std::map<std::string, std::string> settings;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        settings[FieldText(rows, "Name")] = FieldText(rows, "Value");
    return settings;
}

TEST(TemplateSettingsModel, FormFieldsBecomeSettingsDecodedAsUtf8)
{
    TSiteModelFixture site;
    const int master = site.Catalog().FindFirstItemOfType(kMasterTemplateType, site.kCode, site.Connection());
    {
        TTemplateSettingsModel model(site.Context(master));
        EXPECT_EQ(model.SettingsItemId(), 0) << "no shipped master template has a settings page";
        model.ApplySubmittedData("Title=Caf%C3%A9+%26+Bar&Colour=red&submit=Save&Colour=blue&bad=%ZZ");
        site.Save();
    }
    EXPECT_EQ(CommittedSettings(site, master), (std::map<std::string, std::string>{
                                                   {"Title", "Caf\xc3\xa9 & Bar"}, {"Colour", "blue"}, {"bad", "%ZZ"}}));

    // A second save updates the settings in place; a stored "submit" is a setting like any other.
    {
        TTemplateSettingsModel model(site.Context(master));
        model.ApplySubmittedData("Title=Bistro");
        site.Save();
    }
    {
        TTemplateSettingsModel model(site.Context(master));
        model.ApplySubmittedData("Colour=green");
        site.Save();
    }
    EXPECT_EQ(CommittedSettings(site, master),
              (std::map<std::string, std::string>{{"Title", "Bistro"}, {"Colour", "green"}, {"bad", "%ZZ"}}));
}

TEST(TemplateSettingsModel, AFirstSettingsPageIsFoundAndOnlyItsOwnAddressMayLoad)
{
    TSiteModelFixture site;
    const int master = site.Catalog().FindFirstItemOfType(kMasterTemplateType, site.kCode, site.Connection());
    const int first = site.AddItem(TTemplateSettingsModel::kSettingsPageType, master, "First");
    site.AddItem(TTemplateSettingsModel::kSettingsPageType, master, "Second");
    TTemplateSettingsModel model(site.Context(master));
    EXPECT_EQ(model.SettingsItemId(), first);
    const TTemplateSettingsModel::TFormPage page = model.Generate();
    EXPECT_FALSE(page.Generated) << "the new settings page has no source";
    EXPECT_EQ(page.Url, "tolvex://preview/EN/13.html");
    EXPECT_TRUE(model.IsAllowedNavigation(page.Url));
    EXPECT_TRUE(model.IsAllowedNavigation("about:blank"));
    EXPECT_FALSE(model.IsAllowedNavigation("tolvex://preview/EN/index.html"));
    EXPECT_FALSE(model.IsAllowedNavigation("http://example.test/savesettings?x=1"));
}

}  // namespace
