#include "common/Translation.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class TCatalogThing {
public:
    virtual ~TCatalogThing() = default;
};
class TDerivedThing : public TCatalogThing {};

std::vector<TFormatArg> Args(size_t count)
{
    std::vector<TFormatArg> args;
    for (size_t i = 1; i <= count; ++i)
        args.emplace_back("a" + std::to_string(i));
    return args;
}

}  // namespace

TEST(Translation, WithoutDictionaryTextsPassUnchanged)
{
    TTranslation translation;
    EXPECT_EQ(translation.Translate("First line\r\nSecond line"), "First line\r\nSecond line");
    EXPECT_EQ(translation.Translate("Don\\`t"), "Don't");
    translation.SetAppDir("/nonexistent/folder");
    translation.LoadLanguage("DE");
    EXPECT_EQ(translation.DictionarySize(), 0u);
    EXPECT_EQ(translation.Translate("Save"), "Save");
}

TEST(Translation, WithoutAServiceTheEnglishPassThroughAnswers)
{
    const TTranslation& english = TTranslation::OrEnglish(nullptr);
    EXPECT_EQ(&english, &TTranslation::OrEnglish(nullptr)) << "one shared pass-through";
    EXPECT_EQ(english.Translate("Cannot open \\`x\\`"), "Cannot open 'x'");
    EXPECT_EQ(english.Format("Item $1 of $2", {3, "shop"}), "Item 3 of shop");
    const TTranslation own;
    EXPECT_EQ(&TTranslation::OrEnglish(&own), &own);
}

TEST(Translation, DictionaryFilesOfTheLanguage)
{
    TTempFolder folder;
    folder.Write("de.lng", "\xEF\xBB\xBF" "Save=Speichern\r\nOpen=Öffnen\r\n");
    folder.Write("DE.extra.LNG", "Close=Schließen\rSave=Sichern\n");
    folder.Write("DE.xlng", "Cut=Ausschneiden");
    folder.Write("DEU.lng", "Copy=Kopieren\n");      // another code
    folder.Write("DE.lngx", "Paste=Einfügen\n");     // does not end with lng
    folder.Write("DE.txt", "Delete=Löschen\n");
    folder.Write("sub/DE.lng", "Find=Suchen\n");     // not in the program folder
    TTranslation translation(folder.Path());
    translation.LoadLanguage("De");
    EXPECT_EQ(translation.Translate("SAVE"), "Sichern");  // first read wins: "DE.extra.LNG" < "de.lng"
    EXPECT_EQ(translation.Translate("open"), "Öffnen");
    EXPECT_EQ(translation.Translate("Close"), "Schließen");
    EXPECT_EQ(translation.Translate("Cut"), "Ausschneiden");
    for (const char* untouched : {"Copy", "Paste", "Delete", "Find"})
        EXPECT_EQ(translation.Translate(untouched), untouched);

    translation.LoadLanguage("FR");  // replaces the dictionary
    EXPECT_EQ(translation.DictionarySize(), 0u);
    EXPECT_EQ(translation.Translate("Open"), "Open");
}

TEST(Translation, EntriesAndMultiLineTexts)
{
    TTempFolder folder;
    folder.Write("DE.lng",
                 "Line one\\nLine two=Zeile eins\\nZeile zwei\n"
                 "Empty=\n"
                 "No separator here\n"
                 "=nameless\n"
                 "It\\`s=Es ist\\`s\n"
                 "a=b=c\n");
    TTranslation translation(folder.Path());
    translation.LoadLanguage("DE");
    // Missing text: its real line break comes back.
    EXPECT_EQ(translation.Translate("Line one\r\nLine three"), "Line one\r\nLine three");
    // Found: the stored text with its "\n" still two characters.
    EXPECT_EQ(translation.Translate("Line one\r\nLine two"), "Zeile eins\\nZeile zwei");
    EXPECT_EQ(translation.Translate("Line one\nLine two"), "Zeile eins\\nZeile zwei");
    EXPECT_EQ(translation.FormatMessage("Line one\nLine two", {}, true), "Zeile eins\r\nZeile zwei");
    EXPECT_EQ(translation.Translate("Empty"), "Empty");  // an empty translation counts as missing
    EXPECT_EQ(translation.Translate("No separator here"), "No separator here");
    EXPECT_EQ(translation.Translate(""), "");
    EXPECT_EQ(translation.Translate("It\\`s"), "Es ist's");
    EXPECT_EQ(translation.Translate("a"), "b=c");  // the source ends at the first "="
}

TEST(Translation, PlaceholdersAndEscapes)
{
    TTranslation translation;
    struct Case {
        const char* tmpl;
        size_t argCount;  // arguments "a1", "a2", ...
        const char* expected;
    };
    const Case cases[] = {
        {"$1 and $2", 2, "a1 and a2"},
        {"$2$1$2", 2, "a2a1a2"},
        {"$10", 1, "a10"},         // two digits above the count: one digit
        {"$10", 10, "a10"},        // the tenth argument
        {"[$10]", 10, "[a10]"},
        {"$12", 12, "a12"},
        {"$99", 2, "$99"},
        {"$05", 5, "a5"},
        {"$05", 3, "$05"},
        {"$0", 1, "$0"},
        {"$3", 2, "$3"},
        {"$1", 0, "$1"},
        {"cost $", 1, "cost $"},
        {"$$1", 1, "$a1"},
        {"$x", 1, "$x"},
        {"\\$1", 1, "$1"},
        {"a\\\\b", 0, "a\\b"},
        {"don\\`t", 0, "don't"},
        {"one\\ntwo", 0, "one\r\ntwo"},
        {"C:\\temp", 0, "C:\\temp"},
        {"ends with \\", 0, "ends with \\"},
        {"Directory \"$1\" doesn\\`t exist. Create it?", 1, "Directory \"a1\" doesn't exist. Create it?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translation.FormatMessage(c.tmpl, Args(c.argCount), false), c.expected) << c.tmpl;
}

TEST(Translation, FormatTranslatesTheTemplateFirst)
{
    TTempFolder folder;
    folder.Write("DE.lng", "File $1 not found=Datei $1 fehlt\n");
    TTranslation translation(folder.Path());
    translation.LoadLanguage("DE");
    EXPECT_EQ(translation.Format("File $1 not found", {"a.txt"}), "Datei a.txt fehlt");
    EXPECT_EQ(translation.Format("File $1 not found", {"a.txt"}, false), "File a.txt not found");
}

TEST(Translation, ArgumentKinds)
{
    TTranslation translation;
    TDerivedThing thing;
    const TCatalogThing& base = thing;
    EXPECT_EQ(translation.Format("$1|$2|$3|$4|$5", {true, false, 'x', -42, std::int64_t{1} << 40}, false),
              "T|F|x|-42|1099511627776");
    EXPECT_EQ(translation.Format("[$1] value", {TFormatArg::Null()}, false), "[Null] value");
    EXPECT_EQ(translation.Format("$1 $2", {base, TFormatArg::ClassName("TCatalog")}, false),
              "TDerivedThing TCatalog");
    EXPECT_EQ(translation.Format("$1$2", {std::string("text"), std::string_view("view")}, false), "textview");
    EXPECT_EQ(TFormatArg(42u).Kind(), TFormatArgKind::Int64);
    EXPECT_EQ(TFormatArg(7).Kind(), TFormatArgKind::Integer);
}

TEST(Translation, FloatArguments)
{
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, "0"},
        {1.5, "1.5"},
        {-2.25, "-2.25"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {0.00001, "0.00001"},
        {0.0000012, "1.2E-6"},
        {9.9999999999999999, "10"},
        {std::numeric_limits<double>::infinity(), "INF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TFormatArg(c.value).Text(), c.expected) << c.expected;
}

TEST(Translation, CaptionValueLists)
{
    TTempFolder folder;
    folder.Write("DE.lng", "Visitor=Besucher\nOwner=Eigentümer\n");
    TTranslation translation(folder.Path());
    translation.LoadLanguage("DE");
    std::vector<std::string> lines = {"Visitor===visitor", "Owner", "Owner===Owner===x", "===raw", "Other===1"};
    translation.TranslateCaptionValueList(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Besucher===visitor", "Eigentümer", "Eigentümer===Owner===x",
                                               "===raw", "Other===1"}));
}
