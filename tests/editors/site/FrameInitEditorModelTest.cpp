// The initial settings model on a real catalog: OK without changes saves
// what is shown and marks the settings done; the language replaces the list
// of a one-language catalog and joins that of a multi-language one once.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/options/FrameInitEditorModel.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> LanguageCodes(TSiteModelFixture& site)
{
    std::vector<std::string> codes;
    site.Committed(601, 601)->GetValues("LangCode", nullptr, codes);
    return codes;
}

TEST(InitEditorModel, OkWithoutChangesSavesTheShownValuesAndMarksTheSettingsDone)
{
    TSiteModelFixture site;
    TFrameInitEditorModel model(site.Context(601));
    model.Load();
    EXPECT_TRUE(model.IsModified());
    EXPECT_EQ(model.CompanyName(), "Acme Ltd");
    EXPECT_EQ(model.Language(), site.Data().GetDefaultLangCode());
    EXPECT_FALSE(TFrameInitEditorModel::CurrencyChoices().empty());
    EXPECT_FALSE(TFrameInitEditorModel::CountryChoices().empty());
    for (const auto& [caption, code] : TFrameInitEditorModel::LanguageChoices())
        EXPECT_NE(code, "XXX") << "not specified is no catalog language";
    const std::vector<std::string> before = LanguageCodes(site);
    EXPECT_TRUE(model.Store());
    site.Save();
    EXPECT_EQ(site.Property(707), "yes");
    EXPECT_EQ(LanguageCodes(site), before);
}

TEST(InitEditorModel, ALanguageReplacesTheListOfAOneLanguageCatalogAndJoinsAListOnce)
{
    TSiteModelFixture site;
    TFrameInitEditorModel model(site.Context(601));
    model.Load();
    model.SetLanguage(" de ");
    model.SetCurrency("EUR");
    model.SetCountry("DE");
    model.SetCompanyName("Acme GmbH");
    model.Store();
    site.Save();
    EXPECT_EQ(LanguageCodes(site), std::vector<std::string>{"DE"});
    EXPECT_EQ(site.Committed(601, 601)->GetString("DefaultLangCode", 0), "DE");
    EXPECT_EQ(site.Property(706), "EUR");
    EXPECT_EQ(site.Committed(2001, 3)->GetValueText("CompanyCountry", "EN", 0, false), "DE");
    EXPECT_EQ(site.Committed(2001, 3)->GetLangString("CompanyName", "EN", 0), "Acme GmbH");

    // Two languages now; choosing one of them again lists it once.
    auto languages = site.Committed(601, 601);
    languages->SetString("LangCode", "FR", 1);
    languages->Save();
    site.Cancel();  // a new opening reads the languages afresh
    TFrameInitEditorModel again(site.Context(601));
    again.Load();
    again.SetLanguage("FR");
    again.Store();
    site.Save();
    EXPECT_EQ(LanguageCodes(site), (std::vector<std::string>{"DE", "FR"}));
    EXPECT_EQ(site.Committed(601, 601)->GetString("DefaultLangCode", 0), "FR");
}

}  // namespace
