// The catalog options' models on a real catalog: properties written only
// with the save, the size and cart rules, the password change as the login
// sees it, the language list with its default, the effect times, and the
// product feed's settings.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/options/FrameAdvancedOptionsModel.h"
#include "editors/site/options/FrameOptionsEditorModel.h"
#include "editors/site/options/FrameOptionsLocalizeModel.h"
#include "editors/site/options/FrameFroogleModel.h"
#include "publishing/FroogleSettings.h"

#include <gtest/gtest.h>

namespace {

using TBasic = TFrameOptionsEditorModel;

class OptionsModels : public ::testing::Test {
protected:
    TBasic Basic(int role = 0) { return TBasic(site.Context(8), "admin", role); }

    TSiteModelFixture site;
};

TEST_F(OptionsModels, SizesAreWrittenOnlyWhenTheyArePositiveNumbersAndOnlyWithTheSave)
{
    TBasic model = Basic();
    model.Load();
    const std::string mainSize = site.Property(702);
    TBasic::TValues values = model.Values();
    values.MainImageSize = "0";
    values.ThumbnailImageSize = "abc";
    values.LogoImageSize = " 120 ";
    values.StoreDefaultSize = true;
    values.FullImageSize = "800";
    model.SetValues(values);
    EXPECT_TRUE(model.IsFullSizeEnabled());
    model.Store();
    EXPECT_NE(site.Property(704), "120") << "nothing committed yet";
    site.Save();
    EXPECT_EQ(site.Property(702), mainSize);
    EXPECT_EQ(site.Property(704), "120");
    EXPECT_EQ(site.Property(703), "800");

    // Ticking "original size" unticks "default size", which stores 0.
    TBasic again = Basic();
    again.Load();
    EXPECT_TRUE(again.Values().StoreDefaultSize);
    values = again.Values();
    values.StoreOriginalSize = true;
    again.SetValues(values);
    EXPECT_FALSE(again.Values().StoreDefaultSize);
    EXPECT_FALSE(again.IsFullSizeEnabled());
    again.Store();
    site.Save();
    EXPECT_EQ(site.Property(703), "0");
    EXPECT_EQ(site.Property(732), "yes");
}

TEST_F(OptionsModels, AnUnknownCartIsAnOtherCartWhoseNameSurvivesASave)
{
    site.Catalog().SetCatalogProperty(731, "mycart", site.MainConnection(), TSiteModelFixture::kCode);
    TBasic model = Basic();
    model.Load();
    EXPECT_EQ(model.Values().Cart, TBasic::ctOther);
    EXPECT_EQ(model.Values().OtherCartName, "mycart");
    EXPECT_TRUE(model.IsOtherCartNameEnabled());
    EXPECT_FALSE(model.IsPayPalAccountEnabled());
    model.SetValues(model.Values());
    model.Store();
    site.Save();
    EXPECT_EQ(site.Property(731), "mycart");

    TBasic::TValues values = model.Values();
    values.Cart = TBasic::ctPayPalBuyItNow;
    values.PayPalAccount = "pay@acme.test";
    model.SetValues(values);
    EXPECT_TRUE(model.IsPayPalAccountEnabled());
    model.Store();
    site.Cancel();
    EXPECT_EQ(site.Property(731), "mycart") << "cancel drops the change";
    EXPECT_EQ(TBasic::CartChoices(false).size(), 2u);
    EXPECT_EQ(TBasic::CartChoices(true).size(), 6u);
}

TEST_F(OptionsModels, TabsAndSavingFollowTheRole)
{
    EXPECT_EQ(TBasic::TabNames(false, 0),
              (std::vector<std::string>{"OptionsEditor-options", "OptionsEditor-localize", "OptionsEditor-users"}));
    EXPECT_EQ(TBasic::TabNames(true, 1), (std::vector<std::string>{"OptionsEditor-options", "OptionsEditor-localize",
                                                                    "OptionsEditor-advanced"}));
    EXPECT_TRUE(TBasic::CanSave(1));
    EXPECT_FALSE(TBasic::CanSave(3));
    EXPECT_FALSE(Basic(1).CanChangePassword());
    EXPECT_EQ(Basic().PasswordButtonCaption(), "Change password for user \"admin\"");
    EXPECT_EQ(Basic().DefaultPageName(), site.Data().GetItemName(100001, site.Connection(), "EN"));
}

TEST_F(OptionsModels, AChangedPasswordLogsInAfterTheSaveAndACancelKeepsTheOldOne)
{
    std::string error;
    std::string information;
    {
        TBasic model = Basic();
        model.Load();
        EXPECT_EQ(model.ChangePassword("abc", information), "Password must be at least 5 chars");
        ASSERT_EQ(model.ChangePassword("opensesame", information), "");
        model.Store();
        site.Cancel();
    }
    site.Data().CheckUser(TSiteModelFixture::kCode, "admin", "secret", site.MainConnection(), error);
    EXPECT_EQ(error, "") << "the cancelled change left the old password";
    EXPECT_EQ(site.Program().GetPassword(), "secret");

    TBasic model = Basic();
    model.Load();
    ASSERT_EQ(model.ChangePassword("opensesame", information), "");
    EXPECT_NE(information.find("Vendor Control Panel"), std::string::npos);
    model.Store();
    site.Save();
    model.AfterSave();
    EXPECT_EQ(site.Program().GetPassword(), "opensesame");
    site.Data().CheckUser(TSiteModelFixture::kCode, "admin", "opensesame", site.MainConnection(), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CStrings WHERE CatalogCode = :CatalogCode AND ClassId = 602 "
                               "AND StringValue LIKE '%opensesame%'"), 0);
}

TEST_F(OptionsModels, TheLanguageListKeepsOneDefaultThatIsInTheList)
{
    TFrameOptionsLocalizeModel model(site.Context(8));
    model.Load();
    ASSERT_EQ(model.Languages().size(), 1u);
    EXPECT_TRUE(model.Languages()[0].IsDefault);
    EXPECT_FALSE(model.CanRemove(0)) << "the last language stays";
    EXPECT_FALSE(TFrameOptionsLocalizeModel::CanAdd("XXX"));
    const std::string first = model.Languages()[0].Code;
    ASSERT_EQ(model.Add("de"), "");
    EXPECT_EQ(model.Add("DE"), "The language already available");
    ASSERT_EQ(model.Add("FR"), "");
    // Remove the default: the first row takes the mark.
    for (int row = 0; row < 3; ++row)
        if (model.Languages()[row].IsDefault) {
            model.Remove(row);
            break;
        }
    EXPECT_TRUE(model.Languages()[0].IsDefault);
    const std::string expectedDefault = model.Languages()[0].Code;
    model.SetCurrency("EUR");
    EXPECT_TRUE(model.Store());
    site.Save();
    auto languages = site.Committed(601, 601);
    std::vector<std::string> codes;
    languages->GetValues("LangCode", nullptr, codes);
    EXPECT_EQ(codes.size(), 2u);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), first), 0);
    EXPECT_EQ(languages->GetString("DefaultLangCode", 0), expectedDefault);
    EXPECT_EQ(site.Property(706), "EUR");
}

TEST_F(OptionsModels, EffectTimesAreStoredAsTypedAndReloadedAsWholeSeconds)
{
    TFrameAdvancedOptionsModel model(site.Context(8));
    model.Load();
    TFrameAdvancedOptionsModel::TValues values = model.Values();
    values.BoldChat = true;
    values.ChatId = "12345";
    values.Enter = 1001;
    values.EnterTime = "3.5";
    values.ExitTime = "Long";
    model.SetValues(values);
    model.Store();
    site.Save();
    auto effects = site.Committed(2001, 14);
    EXPECT_EQ(effects->GetNumber("EnterTime", 0), 3.5);
    EXPECT_EQ(effects->GetNumber("ExitTime", 0), 6);
    EXPECT_EQ(site.Committed(2001, 15)->GetString("ChatName", 0), "boldchat");

    TFrameAdvancedOptionsModel again(site.Context(8));
    again.Load();
    EXPECT_EQ(again.Values().EnterTime, "3");
    EXPECT_EQ(again.Values().ExitTime, "Long");
    EXPECT_EQ(again.Values().Enter, 1001);
    EXPECT_EQ(again.Values().ChatId, "12345");
    values = again.Values();
    values.BoldChat = false;
    again.SetValues(values);
    EXPECT_FALSE(again.IsChatIdEnabled());
    again.Store();
    site.Save();
    EXPECT_EQ(site.Committed(2001, 15)->GetString("ChatId", 0), "");
}

TEST_F(OptionsModels, FeedSettingsCreateTheirItemOnlyWithTheSave)
{
    using TFeed = TFrameFroogleModel;
    const std::string settingsItem =
        "SELECT COUNT(*) FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = 1511 AND ItemType = 1511 "
        "AND ParentItemId = 0";
    ASSERT_EQ(site.CountOnMain(settingsItem), 0) << "a new catalog has no feed settings";
    TFeed model(site.Context(8));
    model.Load();
    EXPECT_EQ(model.Values(), (TFeed::TValues{TFroogleSettings::kDefaultFtpSite, "", ""}));
    model.Store();
    site.Save();
    EXPECT_EQ(site.CountOnMain(settingsItem), 0) << "nothing changed, nothing written";

    // Stored: not committed, but shown again by a reload until forgotten.
    const TFeed::TValues typed{"ftp://upload.example.com", "acme", "s3cret"};
    model.SetValues(typed);
    model.Store();
    EXPECT_EQ(site.CountOnMain(settingsItem), 0) << "nothing committed before the save";
    model.Load();
    EXPECT_EQ(model.Values(), typed);

    // Cancelled: no item, and the catalog's values again.
    site.Cancel();
    model.Forget();
    model.Load();
    EXPECT_EQ(site.CountOnMain(settingsItem), 0);
    EXPECT_EQ(model.Values().UserName, "");

    // Saved: the item under parent 0 with the values, as the export reads them in any language.
    model.SetValues(typed);
    model.Store();
    site.Save();
    EXPECT_EQ(site.CountOnMain(settingsItem), 1);
    for (const char* lang : {"EN", "DE"}) {
        const TFroogleSettings committed = TFroogleSettings::Load(site.Program(), site.MainConnection(), lang);
        EXPECT_EQ((TFeed::TValues{committed.FTPSite, committed.UserName, committed.Password}), typed) << lang;
    }

    // A later change rewrites the one item.
    TFeed again(site.Context(8));
    again.Load();
    EXPECT_EQ(again.Values(), typed);
    again.SetValues({typed.FTPSite, "acme2", typed.Password});
    again.Store();
    site.Save();
    EXPECT_EQ(site.CountOnMain(settingsItem), 1);
    EXPECT_EQ(TFroogleSettings::Load(site.Program(), site.MainConnection(), "EN").UserName, "acme2");
}

}  // namespace
