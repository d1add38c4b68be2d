// Member values of a catalog object in memory: the normalisation of
// languages and indexes, the fallbacks of language-dependent members, and
// the rules of setting, removing and reordering values.
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

namespace {

enum : int {
    kName = 1,         // text per language, default language shows through
    kCode = 2,         // text for every language, InitValue "none"
    kTags = 3,         // multiple text
    kKeywords = 4,     // multiple text, no two equal values
    kTitle = 5,        // text per language, no fallback
    kCaption = 6,      // text per language with fallback and InitValue "Untitled"
    kDescription = 50, // long text per language
    kCount = 101,      // integer, InitValue "7"
    kPrice = 102,      // number per language, default language shows through
    kAvailable = 103,  // Boolean
    kAmounts = 104,    // multiple number
    kRatio = 105,      // number of a type without a text form in value lists
    kCreated = 200,    // date
};

class ObjectValuesTest : public ::testing::Test {
protected:
    ObjectValuesTest()
    {
        catalog.DeclareClass(10, "Product")
            .Member(kName, "Name", 1, mfIsMultiLang | mfUseDefLangForNull)
            .Member(kCode, "Code", 1, 0, "none")
            .Member(kTags, "Tags", 1, mfIsMultiple)
            .Member(kKeywords, "Keywords", 1, mfIsMultiple | mfIsUniqueInArray)
            .Member(kTitle, "Title", 1, mfIsMultiLang)
            .Member(kCaption, "Caption", 1, mfIsMultiLang | mfUseDefLangForNull, "Untitled")
            .Member(kDescription, "Description", 51, mfIsMultiLang)
            .Member(kCount, "Count", 101, 0, "7")
            .Member(kPrice, "Price", 152, mfIsMultiLang | mfUseDefLangForNull)
            .Member(kAvailable, "Available", 104)
            .Member(kAmounts, "Amounts", 152, mfIsMultiple)
            .Member(kRatio, "Ratio", 151)
            .Member(kCreated, "Created", 201);
        catalog.AddItem(1001);
    }

    std::unique_ptr<TTolvexObject> Object()
    {
        return factory.GetObjectTyped(1001, 10, catalog.Connection(), "");
    }

    // The object after a save and a fresh read from the database.
    std::unique_ptr<TTolvexObject> Stored(TTolvexObject& object)
    {
        object.Save();
        return Object();
    }

    TCatalogFixture catalog;
    TTolvexObjectFactory factory{catalog.Context()};
};

TEST_F(ObjectValuesTest, ANonMultipleMemberKeepsOneValueAtIndexZero)
{
    auto object = Object();
    object->SetStringById(kCode, "EN", "first", 0);
    object->SetStringById(kCode, "DE", "second", 5);
    EXPECT_EQ(object->GetValueCountById(kCode, "XXX"), 1);
    EXPECT_EQ(object->GetStringById(kCode, "XXX", 0), "second");
    // Not language-dependent: every language reads the one value.
    for (const char* lang : {"EN", "DE", "XXX", "FR"})
        EXPECT_EQ(object->GetStringById(kCode, lang, 3), "second") << lang;
}

TEST_F(ObjectValuesTest, AMultipleMemberAppendsAtTheHighestIndexPlusOne)
{
    auto object = Object();
    object->SetStringById(kTags, "XXX", "a", -1);
    object->SetStringById(kTags, "XXX", "b", -1);
    object->SetStringById(kTags, "XXX", "c", 7);  // no value at 7: appended at 2
    object->SetStringById(kTags, "XXX", "B", 1);  // an existing index is replaced
    std::vector<std::string> indexes, values;
    object->GetValuesById(kTags, "XXX", &indexes, values);
    EXPECT_EQ(indexes, (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(values, (std::vector<std::string>{"a", "B", "c"}));
}

TEST_F(ObjectValuesTest, AUniqueMultipleMemberTakesNoSecondEqualValue)
{
    auto object = Object();
    object->SetStringById(kKeywords, "XXX", "red", -1);
    object->SetStringById(kKeywords, "XXX", "red", -1);
    object->SetStringById(kKeywords, "XXX", "Red", -1);  // letter case counts
    EXPECT_EQ(object->GetValueCountById(kKeywords, "XXX"), 2);
}

TEST_F(ObjectValuesTest, SettingAnEqualValueLeavesTheObjectUnmodified)
{
    auto object = Object();
    object->SetStringById(kCode, "XXX", "abc", 0);
    object->SetNumberById(kCount, "XXX", 3, 0);
    auto stored = Stored(*object);
    stored->SetStringById(kCode, "XXX", "abc", 0);
    stored->SetNumberById(kCount, "XXX", 3, 0);
    stored->SetStringById(kTitle, "EN", "", 0);  // empty where nothing is: nothing added
    stored->SetBooleanById(kAvailable, "XXX", false, 0);
    EXPECT_FALSE(stored->IsModified());
    stored->SetStringById(kCode, "XXX", "ABC", 0);
    EXPECT_TRUE(stored->IsModified());
}

struct TStringCase {
    const char* why;
    int member;
    std::vector<std::pair<std::string, std::string>> stored;  // language, text
    const char* readLang;
    const char* expected;
};

TEST_F(ObjectValuesTest, TextLookupsFallBackAsTheMemberAllows)
{
    const TStringCase cases[] = {
        {"own language", kName, {{"EN", "Apple"}, {"DE", "Apfel"}}, "DE", "Apfel"},
        {"default language shows through", kName, {{"EN", "Apple"}}, "DE", "Apple"},
        {"then the value of no language", kName, {{"XXX", "Generic"}}, "DE", "Generic"},
        {"the default language reads XXX too", kName, {{"XXX", "Generic"}}, "EN", "Generic"},
        {"an InitValue ends the fallback before XXX", kCaption, {{"XXX", "Generic"}}, "DE", "Untitled"},
        {"no fallback without the flag", kTitle, {{"EN", "Title"}}, "DE", ""},
        {"InitValue of a member that is not multiple", kCode, {}, "DE", "none"},
        {"a multiple member has no InitValue", kTags, {}, "XXX", ""},
    };
    for (const TStringCase& c : cases) {
        auto object = Object();
        for (const auto& [lang, text] : c.stored)
            object->SetStringById(c.member, lang, text, 0);
        EXPECT_EQ(object->GetStringById(c.member, c.readLang, 0), c.expected) << c.why;
    }
}

TEST_F(ObjectValuesTest, NumberLookupsFallBackToTheDefaultLanguageAndTheInitValue)
{
    auto object = Object();
    object->SetNumberById(kPrice, "EN", 5.5, 0);
    EXPECT_EQ(object->GetNumberById(kPrice, "DE", 0), 5.5);
    EXPECT_EQ(object->GetNumberById(kCount, "XXX", 0), 7) << "InitValue";
    object->SetNumberById(kCount, "XXX", 3, 0);
    object->SetNumberById(kCount, "XXX", 0, 0);
    EXPECT_EQ(object->GetNumberById(kCount, "XXX", 0), 7) << "a stored 0 counts as no value";
    object->SetNumberById(kPrice, "XXX", 9, 0);
    EXPECT_EQ(object->GetNumberById(kPrice, "FR", 0), 5.5) << "numbers have no XXX step";
    EXPECT_EQ(object->GetIntegerById(kPrice, "EN", 0), 5);
}

TEST_F(ObjectValuesTest, ASecondLanguageThatRepeatsTheDefaultStoresTheEmptyText)
{
    auto object = Object();
    object->SetStringById(kName, "EN", "Apple", 0);
    object->SetStringById(kName, "DE", "Apple", 0);  // added: stored unchanged
    EXPECT_FALSE(object->IsDefaultLangValueById(kName, "DE", 0));
    object->SetStringById(kName, "DE", "Apfel", 0);
    object->SetStringById(kName, "DE", "Apple", 0);  // replaced by the default's text
    EXPECT_TRUE(object->IsDefaultLangValueById(kName, "DE", 0));
    EXPECT_EQ(object->GetStringById(kName, "DE", 0), "Apple");
    auto stored = Stored(*object);
    EXPECT_FALSE(stored->HasValueById(kName, "DE")) << "the empty text is not stored";
    EXPECT_EQ(stored->GetStringById(kName, "DE", 0), "Apple");
}

TEST_F(ObjectValuesTest, TheDefaultLanguageCarriesItsTextIntoXXX)
{
    auto object = Object();
    object->SetStringById(kName, "XXX", "Generic", 0);
    object->SetStringById(kName, "EN", "Apple", 0);
    object->SetStringById(kName, "EN", "Pear", 0);  // existing: XXX follows
    EXPECT_EQ(object->GetStringById(kName, "XXX", 0), "Pear");
}

TEST_F(ObjectValuesTest, ChangingALanguageEmptiesValuesOfLanguagesTheCatalogLacks)
{
    auto object = Object();
    object->SetStringById(kTitle, "FR", "Titre", 0);
    object->SetStringById(kTitle, "DE", "Titel", 0);
    object->SetStringById(kTitle, "DE", "Neuer Titel", 0);
    EXPECT_EQ(object->GetStringById(kTitle, "FR", 0), "");
    EXPECT_EQ(object->GetStringById(kTitle, "DE", 0), "Neuer Titel");
}

TEST_F(ObjectValuesTest, ValuesAreRemovedByIndexByValueOrByMember)
{
    auto object = Object();
    for (const char* tag : {"a", "b", "a", "c"})
        object->SetStringById(kTags, "XXX", tag, -1);
    object->DeleteValueById(kTags, "XXX", 1);
    std::vector<std::string> values;
    object->GetValuesById(kTags, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"a", "a", "c"}));
    EXPECT_TRUE(object->DeleteStringValueById(kTags, "XXX", "a", 99));
    object->GetValuesById(kTags, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"c"}));

    object->SetStringById(kTitle, "EN", "one", 0);
    object->SetStringById(kTitle, "DE", "eins", 0);
    object->ClearMemberById(kTitle, "DE");
    EXPECT_TRUE(object->HasValueById(kTitle, "EN"));
    object->ClearMemberById(kTitle, "");
    EXPECT_FALSE(object->HasValueById(kTitle, "EN"));
    EXPECT_TRUE(object->DeleteNumberValueById(kAmounts, "XXX", 4, 0));
}

TEST_F(ObjectValuesTest, ExchangingIndexesSwapsThemInEveryLanguageAndSorts)
{
    auto object = Object();
    for (const char* tag : {"zero", "one", "two"})
        object->SetStringById(kTags, "XXX", tag, -1);
    object->ExchangeIndexesById(kTags, 0, 2);
    std::vector<std::string> indexes, values;
    object->GetValuesById(kTags, "XXX", &indexes, values);
    EXPECT_EQ(indexes, (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(values, (std::vector<std::string>{"two", "one", "zero"}));
}

TEST_F(ObjectValuesTest, ValueTextsOfNumbersFollowTheMemberType)
{
    auto object = Object();
    object->SetNumberById(kCount, "XXX", 42.9, 0);
    object->SetNumberById(kAmounts, "XXX", 1.25, -1);
    object->SetNumberById(kAmounts, "XXX", 1e20, -1);
    object->SetNumberById(kCreated, "XXX", 38000.5, 0);  // 2004-01-14 12:00
    object->SetNumberById(kAvailable, "XXX", 1, 0);
    object->SetNumberById(kRatio, "XXX", 0.5, 0);
    std::vector<std::string> indexes, values;
    object->GetValuesById(kCount, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"42"}));
    object->GetValuesById(kAmounts, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"1.25", "1E20"}));
    object->GetValuesById(kCreated, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"2004-01-14"}));
    object->GetValuesById(kAvailable, "XXX", nullptr, values);
    EXPECT_EQ(values, (std::vector<std::string>{"1"}));
    object->GetValuesById(kRatio, "XXX", &indexes, values);
    EXPECT_TRUE(values.empty()) << "type 151 has no text here";
    EXPECT_EQ(indexes, (std::vector<std::string>{"0"}));

    EXPECT_EQ(object->GetValueText("Count", "XXX", 0, false), "42");
    EXPECT_EQ(object->GetValueText("Amounts", "XXX", 1, false), "1e+20");
    EXPECT_EQ(object->GetValueText("Created", "XXX", 0, false), "2004-01-14");
    EXPECT_EQ(object->GetValueText("Nothing", "XXX", 0, false), "");
}

TEST_F(ObjectValuesTest, ValuesAreSetFromTheirTextForm)
{
    auto object = Object();
    object->SetValueText("Count", "XXX", " 12 ", 0);
    object->SetValueText("Amounts", "XXX", "2.5", -1);
    object->SetValueText("Created", "XXX", "2004-01-14 12:00", 0);
    object->SetValueText("Name", "DE", "Birne", 0);
    EXPECT_EQ(object->GetIntegerById(kCount, "XXX", 0), 12);
    EXPECT_EQ(object->GetNumberById(kAmounts, "XXX", 0), 2.5);
    EXPECT_DOUBLE_EQ(object->GetNumberById(kCreated, "XXX", 0), 38000.5);
    EXPECT_EQ(object->GetStringById(kName, "DE", 0), "Birne");
    object->SetValueText("Count", "XXX", "12.5", 0);
    EXPECT_EQ(object->GetIntegerById(kCount, "XXX", 0), 7) << "no integer: 0, which reads as the InitValue";
}

TEST_F(ObjectValuesTest, AnUnknownMemberTagDoesNothing)
{
    auto object = Object();
    object->SetString("Unknown", "x", 0);
    EXPECT_TRUE(object->IsEmpty());
    EXPECT_EQ(object->GetString("Unknown", 0), "");
    EXPECT_TRUE(object->DeleteStringValue("Unknown", "EN", "x", 0));
    EXPECT_TRUE(object->DeleteNumberValue("Unknown", "EN", 1, 0));
    // The current-language operations use the catalog's editing language.
    catalog.SetCurrentLangCode("DE");
    object->SetString("Name", "Birne", 0);
    EXPECT_EQ(object->GetStringById(kName, "DE", 0), "Birne");
}

}  // namespace
