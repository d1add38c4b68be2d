#include "common/CaptionValue.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/AbstractDBConnectionFactory.h"

#include "ProgramFolderFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

class ReferencesTest : public ::testing::Test {
protected:
    TProgramFolderFixture fixture_;
    TReferences& references_ = fixture_.references;
};

std::vector<std::string> Names(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const std::string& line : lines)
        names.push_back(line.substr(0, line.find('=')));
    return names;
}

std::vector<std::string> Values(const std::vector<std::string>& lines)
{
    std::vector<std::string> values;
    for (const std::string& line : lines)
        values.push_back(line.substr(line.find('=') + 1));
    return values;
}

}  // namespace

TEST_F(ReferencesTest, FindsALanguageByItsTwoOrThreeLetterCodeInAnyForm)
{
    for (const std::string code : {"EN", "en", " en ", "ENG", "eng\t"}) {
        EXPECT_EQ(references_.GetLanguageName(code), "English") << "[" << code << "]";
        EXPECT_EQ(references_.GetLanguageCharset(code), "ANSI");
        EXPECT_EQ(references_.GetWebCharset(code), "utf-8");
    }
    EXPECT_EQ(references_.GetLanguageNativeName("DE"), "&#68;&#101;&#117;&#116;&#115;&#99;&#104;");
}

TEST_F(ReferencesTest, AnUnknownLanguageHasNoNamesAndTheDefaultWebCharset)
{
    EXPECT_EQ(references_.GetLanguageName("ZZ"), "");
    EXPECT_EQ(references_.GetLanguageNativeName("ZZ"), "");
    EXPECT_EQ(references_.GetLanguageCharset("ZZ"), "");
    EXPECT_EQ(references_.GetWebCharset("ZZ"), "iso-8859-1");
    fixture_.Exec("tolvex", "UPDATE Languages SET WebCharset = '' WHERE LanguageCode = 'DE'");
    TReferences fresh(fixture_.settings, SQLiteModules());
    EXPECT_EQ(fresh.GetWebCharset("DE"), "iso-8859-1") << "an empty charset too";
}

TEST_F(ReferencesTest, LanguagesAreListedByName)
{
    std::vector<std::string> list = {"stale"};
    references_.FillLanguages(list);
    ASSERT_GT(list.size(), 150u);
    EXPECT_NE(std::find(list.begin(), list.end(), "English===EN"), list.end());
    EXPECT_NE(std::find(list.begin(), list.end(), "(Not specified)===XXX"), list.end());
    std::vector<std::string> names;
    for (const std::string& line : list)
        names.push_back(CaptionValue::CaptionOf(line));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return common_detail::LowerCase(a) < common_detail::LowerCase(b);
    }));
}

TEST_F(ReferencesTest, ReferenceListsOfATypeAndLanguage)
{
    std::vector<std::string> list = {"stale"};
    references_.FillReferenceList(rtDocumentState, list, false, "");
    EXPECT_EQ(list, (std::vector<std::string>{"Static=Static", "Dynamic=Dynamic"})) << "empty language: EN, by OrderNum";
    references_.FillReferenceList(rtRobots, list, true, "EN");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "Index, follow===index,follow");
    references_.FillReferenceList(rtDocumentState, list, false, "en");
    EXPECT_TRUE(list.empty()) << "languages compare exactly";
    references_.FillReferenceList(rtEBayCurrencies, list, false, "XXX");
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0], "0=USD");
    references_.FillReferenceList(rtSeasons, list, false, "DE");
    EXPECT_EQ(list.size(), 12u);
}

TEST_F(ReferencesTest, CountriesAndCurrenciesAreOrderedByName)
{
    const std::vector<std::string>& currencies = references_.GetCurrencies();
    ASSERT_GT(currencies.size(), 100u);
    const std::vector<std::string> names = Values(currencies);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return common_detail::LowerCase(a) < common_detail::LowerCase(b);
    }));
    const std::vector<std::string> codes = Names(currencies);
    EXPECT_FALSE(std::is_sorted(codes.begin(), codes.end()));

    const std::vector<std::string>& countries = references_.GetCountries();
    ASSERT_GT(countries.size(), 200u);
    EXPECT_NE(std::find(countries.begin(), countries.end(), "DE=Germany"), countries.end());
    const std::vector<std::string> countryNames = Values(countries);
    EXPECT_TRUE(std::is_sorted(countryNames.begin(), countryNames.end(), [](const std::string& a, const std::string& b) {
        return common_detail::LowerCase(a) < common_detail::LowerCase(b);
    }));
}

TEST_F(ReferencesTest, UnitsOfType1AreDimensionsAndAllOthersWeights)
{
    fixture_.Exec("tolvex", "INSERT INTO Units (Id, UnitName, UnitType, OrderNum) VALUES "
                            "('st', 'Stones', 3, 15), ('pc', 'Pieces', NULL, 16), (' t ', ' Tonnes ', 2, 10)");
    EXPECT_EQ(references_.GetDimensionUnits(),
              (std::vector<std::string>{"cm=Centimeters", "mm=Millimeters", "m=Meters", "in=Inches", "ft=Feet"}));
    EXPECT_EQ(references_.GetWeightUnits(), (std::vector<std::string>{"t=Tonnes", "kg=Kilograms", "g=Grams",
                                                                      "lbs=Pounds", "oz=Ounces", "st=Stones",
                                                                      "pc=Pieces"}));
}

TEST_F(ReferencesTest, ListsAreReadOnceForTheRun)
{
    const std::string before = references_.GetLanguageName("EN");
    fixture_.Exec("tolvex", "UPDATE Languages SET LanguageName = 'Changed' WHERE LanguageCode = 'EN'");
    EXPECT_EQ(references_.GetLanguageName("EN"), before);
}

TEST(ReferencesDatabaseTest, AMissingReferenceDatabaseEndsTheProgram)
{
    TProgramFolderFixture fixture(false);
    try {
        fixture.references.GetLanguageName("EN");
        FAIL() << "no exception";
    } catch (const EFatalTolvexException& error) {
        EXPECT_STREQ(error.what(), "Cannot open reference database");
    }
    // A file that is no database ends it the same way.
    std::filesystem::create_directories(fixture.DatabasesDir());
    fixture.folder.Write("databases/tolvex.sqlite", "this is not a database");
    EXPECT_THROW(fixture.references.GetReferencesDatabase(), EFatalTolvexException);
}
