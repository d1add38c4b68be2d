#include "common/ClassMember.h"
#include "common/XmlPtr.h"
#include "support/TestPaths.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/ClassesList.h"
#include "storage/TolvexObjectList.h"

#include "ProgramFolderFixture.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Classes of the tests, added to the shipped catalog description:
//  9001 TestThing: members in OrderNum order 3 Colour (list), 5 Name, 7 "0",
//       8 Segment (list from the UNSPSC database), 9 Local (list from the
//       open catalog), 10 Other (type 300, IsList 2: no flag);
//  9003 Swatch: 1 Shade (list), 2 Note;
//  members of class 9099, which has no class row.
const char* const kTestClasses = R"sql(
INSERT INTO GlobalClasses VALUES (9001, 'TestThing'), (9002, 'aardvark'), (9003, 'Swatch');
INSERT INTO GlobalClassMembers (ClassId, MemberId, MemberType, Additional, MemberXmlTag, InitValue, SqlText,
  IsRequired, IsList, IsOnlyList, IsMultiple, IsUniqueInArray, IsMultiLang, UseDefLangForNull, OrderNum) VALUES
  (9001, 5, 1, 0, 'Name', 'none', NULL, 1, 0, 0, 0, 0, 1, 1, 2),
  (9001, 3, 101, 0, 'Colour', NULL, NULL, 0, 1, 1, 0, 0, 0, 0, 1),
  (9001, 7, 51, 0, '0', NULL, NULL, 0, 0, 0, 1, 1, 0, 0, 3),
  (9001, 8, 1, 0, 'Segment', NULL,
     'unspsc:SELECT Segment AS DataCode, DataValue FROM unspsc WHERE Segment = ''10'' AND Family = ''00''',
     0, 1, 0, 0, 0, 0, 0, 4),
  (9001, 9, 1, 0, 'Local', NULL, 'mine:SELECT Code AS DataCode, Label AS DataValue FROM LocalChoices',
     0, 1, 0, 0, 0, 0, 0, 5),
  (9001, 10, 300, 0, 'Other', NULL, NULL, 0, 2, 0, 0, 0, 0, 0, 6),
  (9003, 1, 1, 0, 'Shade', NULL, NULL, 0, 1, 0, 0, 0, 0, 0, 1),
  (9003, 2, 1, 0, 'Note', 'n/a', NULL, 0, 0, 0, 0, 0, 0, 0, 2),
  (9099, 1, 1, 0, 'Orphan', NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 1);
INSERT INTO GlobalClassMemberList (ClassId, MemberId, LangCode, DataCode, DataValue, AltDataValue, AddDataValue, OrderNum)
VALUES
  (9001, 3, 'XXX', ' r ', 'Red', NULL, ' warm ', 1),
  (9001, 3, 'XXX', 'g', '', 'Green', '  ', 2),
  (9001, 3, 'XXX', 'b', 'Blue', NULL, NULL, 3),
  (9001, 3, 'DE', 'b', 'Blau', NULL, NULL, 4),
  (9003, 1, 'XXX', 'r', 'Red', NULL, 'warm', 1),
  (9003, 1, 'XXX', 'g', '', 'Green', NULL, 2),
  (9003, 1, 'DE', 'x', 'A' || char(7) || 'B', NULL, NULL, 3);
INSERT INTO GlobalClassMessages VALUES
  (9001, 5, 'XXX', 1, 'Name (any)'), (9001, 5, 'EN', 2, 'Hint EN'), (9001, 5, 'DE', 1, 'Name DE');
CREATE TABLE LocalChoices (Code TEXT, Label TEXT);
INSERT INTO LocalChoices VALUES ('k', 'from description');
)sql";

class ClassesListTest : public ::testing::Test {
protected:
    void SetUp() override { fixture_.Exec("catalogs", kTestClasses); }

    TTolvexClassDefinition& TestThing()
    {
        TTolvexClassDefinition* definition = classes_.GetClassDefinition(9001);
        if (!definition)
            throw std::runtime_error("class 9001 missing");
        return *definition;
    }

    TProgramFolderFixture fixture_;
    TClassesList classes_{fixture_.databases};
};

// The lines of tests/storage/fixtures/named-classes.txt, split at tabs.
std::vector<std::vector<std::string>> NamedClasses()
{
    std::ifstream in(TestSourceDir() + "/storage/fixtures/named-classes.txt");
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TEST_F(ClassesListTest, AnswersEveryNamedClassAndMemberOfTheShippedDescription)
{
    const auto rows = NamedClasses();
    ASSERT_GT(rows.size(), 100u);
    int classes = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size() > 3 ? row[1] + " " + row[2] + " " + row[3] : row[1] + " " + row[2]);
        const int classId = std::stoi(row[1]);
        if (row[0] == "class") {
            ++classes;
            EXPECT_EQ(classes_.GetClassId(row[2]), classId);
            EXPECT_EQ(classes_.GetClassId(UpperCase(row[2])), classId);
            ASSERT_NE(classes_.GetClassDefinition(classId), nullptr);
            EXPECT_EQ(classes_.GetClassDefinition(classId)->GetClassXmlTag(), row[2]);
        } else {
            ASSERT_EQ(row[0], "member");
            TTolvexClassDefinition* definition = classes_.GetClassDefinition(classId);
            ASSERT_NE(definition, nullptr);
            const int memberId = std::stoi(row[2]);
            EXPECT_EQ(definition->GetMemberId(row[3]), memberId);
            EXPECT_EQ(definition->GetMemberXmlTag(memberId), row[3]);
            EXPECT_NE(definition->GetMemberType(memberId), 0);
        }
    }
    EXPECT_GT(classes, 50);
}

TEST_F(ClassesListTest, LooksClassesUpByTagInAnyCaseAndById)
{
    EXPECT_EQ(classes_.GetClassId("TESTTHING"), 9001);
    EXPECT_EQ(classes_.GetClassId("Aardvark"), 9002);
    EXPECT_EQ(classes_.GetClassId("NoSuchClass"), 0);
    EXPECT_EQ(classes_.GetClassId(""), 0);
    EXPECT_EQ(classes_.GetClassDefinition(424242), nullptr);
    // Members of a class without a class row are not loaded anywhere.
    EXPECT_EQ(classes_.GetClassDefinition(9099), nullptr);
}

TEST_F(ClassesListTest, LoadsMembersInOrderWithTheirFlags)
{
    TTolvexClassDefinition& thing = TestThing();
    ASSERT_EQ(thing.GetMemberCount(), 6);
    const int expectedOrder[] = {3, 5, 7, 8, 9, 10};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(thing.GetMemberIdByIndex(i), expectedOrder[i]);
    EXPECT_EQ(thing.GetMemberIdByIndex(-1), -1);
    EXPECT_EQ(thing.GetMemberIdByIndex(6), -1);

    EXPECT_EQ(thing.GetMemberFlags(5), mfIsRequired | mfIsMultiLang | mfUseDefLangForNull);
    EXPECT_EQ(thing.GetMemberFlags(3), mfIsList | mfIsOnlyList);
    EXPECT_EQ(thing.GetMemberFlags(7), mfIsMultiple | mfIsUniqueInArray);
    EXPECT_EQ(thing.GetMemberFlags(10), 0) << "IsList 2 is not a set flag";
    EXPECT_EQ(thing.GetMemberType(3), 101);
    EXPECT_EQ(thing.GetInitValue(5), "none");
    EXPECT_EQ(thing.GetMemberType(4), 0);
    EXPECT_EQ(thing.GetMemberFlags(0), 0);
    EXPECT_EQ(thing.GetMemberXmlTag(4), "");
    EXPECT_EQ(thing.GetInitValue(4), "");
    EXPECT_EQ(thing.GetAdditionalText(4), "");

    // Types 1, 51, 101 and 300 (which counts for none of the kinds).
    EXPECT_TRUE(thing.HasStrings());
    EXPECT_TRUE(thing.HasTexts());
    EXPECT_TRUE(thing.HasNumbers());
    EXPECT_FALSE(thing.HasDates());
    EXPECT_FALSE(thing.HasBinary());
}

TEST_F(ClassesListTest, MemberIdsByNameOrNumber)
{
    TTolvexClassDefinition& thing = TestThing();
    EXPECT_EQ(thing.GetMemberId("Name"), 5);
    EXPECT_EQ(thing.GetMemberId("name"), 0) << "member tags compare with letter case";
    EXPECT_EQ(thing.GetMemberId("12"), 12) << "a number is the member id itself, unchecked";
    EXPECT_EQ(thing.GetMemberId("0"), 7) << "0 is looked up as a tag";
    EXPECT_EQ(thing.GetMemberId("Nothing"), 0);
}

TEST_F(ClassesListTest, ValueListsWithAlternativeAndAdditionalTextsAndLanguageFallback)
{
    TTolvexClassDefinition& thing = TestThing();
    EXPECT_EQ(thing.GetListValues(3),
              (std::vector<std::string>{"r-XXX=Red", "g-XXX=Green", "b-XXX=Blue", "b-DE=Blau"}));
    EXPECT_EQ(thing.GetAddListValues(3), (std::vector<std::string>{"r-XXX=warm"}));

    struct {
        std::string lang, code, text;
    } cases[] = {
        {"DE", "b", "Blau"},   // the language's own row
        {"FR", "b", "Blue"},   // no row of the language: the "XXX" row
        {"DE", "r", "Red"},    // the code trimmed
        {"XXX", "G", "Green"}, // line names without regard to case; empty value: AltDataValue
        {"EN", "z", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(thing.GetListText(3, c.lang, c.code), c.text) << c.lang << " " << c.code;
    EXPECT_EQ(thing.GetAddListText(3, "EN", "r"), "warm");
    EXPECT_EQ(thing.GetAddListText(3, "EN", "g"), "") << "a blank additional text is not kept";
    EXPECT_EQ(thing.GetListText(4, "EN", "r"), "");
    EXPECT_TRUE(thing.GetListValues(4).empty());
}

// Publishing workers share the class definitions: the first look at the
// classes, the value lists and the messages, from several threads at once,
// read each once over the shared connection and every thread sees the whole.
TEST_F(ClassesListTest, ThreadsReadingForTheFirstTimeAllSeeTheWholeDefinition)
{
    for (int round = 0; round < 20; ++round) {
        TClassesList classes(fixture_.databases);
        std::vector<std::string> seen(8);
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&classes, &seen, i] {
                TTolvexClassDefinition* thing = classes.GetClassDefinition(9001);
                TTolvexClassDefinition* swatch = classes.GetClassDefinition(9003);
                seen[i] = thing->GetListText(3, "DE", "b") + "," + std::to_string(thing->GetListValues(3).size()) +
                          "," + swatch->GetListText(1, "EN", "g") + "," + thing->GetMessage(5, 1, "DE");
            });
        for (std::thread& thread : threads)
            thread.join();
        for (const std::string& text : seen)
            ASSERT_EQ(text, "Blau,4,Green,Name DE") << "round " << round;
    }
}

TEST_F(ClassesListTest, ListChoicesComeFromTheListTableInTheMembersLanguage)
{
    std::vector<std::string> choices = {"stale"};
    TTolvexClassDefinition* restaurant = classes_.GetClassDefinition(classes_.GetClassId("Restaurant"));
    ASSERT_NE(restaurant, nullptr);
    const int payments = restaurant->GetMemberId("Payments");
    restaurant->FillListChoices(payments, "EN", choices);
    ASSERT_FALSE(choices.empty());
    EXPECT_EQ(choices.front(), "cash=Cash");
    restaurant->FillListChoices(payments, "XXX", choices);
    EXPECT_TRUE(choices.empty()) << "a language-dependent list is read in the asked language";

    // Not language-dependent: read under "XXX" whatever the language.
    TestThing().FillListChoices(3, "DE", choices);
    EXPECT_EQ(choices, (std::vector<std::string>{" r =Red", "g=", "b=Blue"}));
    TestThing().FillListChoices(5, "EN", choices);
    EXPECT_TRUE(choices.empty()) << "not a list member";
}

TEST_F(ClassesListTest, MessagesFallBackToXXXThenEN)
{
    TTolvexClassDefinition& thing = TestThing();
    EXPECT_EQ(thing.GetMessage(5, 1, "DE"), "Name DE");
    EXPECT_EQ(thing.GetMessage(5, 1, "FR"), "Name (any)");
    EXPECT_EQ(thing.GetMessage(5, 2, "FR"), "Hint EN");
    EXPECT_EQ(thing.GetMessage(5, 3, "DE"), "");
    EXPECT_EQ(thing.GetMessage(3, 1, "EN"), "");
}

TEST_F(ClassesListTest, MemberStatementsRunOnTheDatabaseTheirPrefixNames)
{
    const std::string segmentTitle = ColumnOfFile(
        fixture_.DatabaseFile("unspsc"), "SELECT DataValue FROM unspsc WHERE Segment = '10' AND Family = '00'")[0];
    EXPECT_EQ(TestThing().GetListValues(8), (std::vector<std::string>{"10-XXX=" + segmentTitle}));
    // Any other prefix: the catalog description while no catalog is open ...
    EXPECT_EQ(TestThing().GetListValues(9), (std::vector<std::string>{"k-XXX=from description"}));

    // ... and the open catalog's database when one is open.
    std::unique_ptr<TAbstractDBConnectionFactory> shop = CreateSQLiteConnectionFactory(SQLiteModuleName, "");
    ASSERT_TRUE(shop->CreateDatabase(fixture_.folder.Path(), "", "shop", "", "", 0));
    ASSERT_TRUE(shop->OpenDatabase(fixture_.folder.Path(), "shop", "", ""));
    ExecOnFile(fixture_.folder.File("shop.sqlite"),
               "CREATE TABLE LocalChoices (Code TEXT, Label TEXT); INSERT INTO LocalChoices VALUES ('k', 'from catalog');");
    fixture_.databases.SetCatalogSource([&] { return &shop->GetConnection(); });
    TClassesList fresh(fixture_.databases);
    EXPECT_EQ(fresh.GetClassDefinition(9001)->GetListValues(9), (std::vector<std::string>{"k-XXX=from catalog"}));
}

TEST_F(ClassesListTest, StyleStatementsNeedTheOpenCatalogTypesDatabase)
{
    EXPECT_THROW(fixture_.databases.ConnectionFor("style"), EDeveloperTolvexException);
    TAbstractDBConnection& references = fixture_.databases.ConnectionFor("tolvex");
    fixture_.databases.SetStyleSource([&] { return &references; });
    EXPECT_EQ(&fixture_.databases.ConnectionFor("style"), &references);
}

TEST_F(ClassesListTest, WritesTheClassDescriptionXml)
{
    const TXmlDocPtr doc(xmlNewDoc(BAD_CAST "1.0"));
    xmlNode* root = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "Classes", nullptr);
    xmlDocSetRootElement(doc.get(), root);
    classes_.GetClassDefinition(9003)->WriteXml(doc.get(), root);
    xmlBuffer* buffer = xmlBufferCreate();
    xmlNodeDump(buffer, doc.get(), root, 0, 0);
    const std::string xml = reinterpret_cast<const char*>(xmlBufferContent(buffer));
    xmlBufferFree(buffer);
    EXPECT_EQ(xml,
              "<Classes><Swatch ClassId=\"9003\">"
              "<Shade MemberId=\"1\" MemberType=\"1\" InitValue=\"\">"
              "<ListValue AddData=\"warm\" Code=\"r\" LanguageCode=\"XXX\">Red</ListValue>"
              "<ListValue Code=\"g\" LanguageCode=\"XXX\">Green</ListValue>"
              "<ListValue Code=\"x\" LanguageCode=\"DE\">A B</ListValue>"
              "</Shade>"
              "<Note MemberId=\"2\" MemberType=\"1\" InitValue=\"n/a\"/>"
              "</Swatch></Classes>");
}

TEST_F(ClassesListTest, AFailedLoadIsReadAgainByTheNextLookup)
{
    fixture_.Exec("catalogs", "ALTER TABLE GlobalClassMembers RENAME TO Hidden");
    EXPECT_THROW(classes_.GetClassId("TestThing"), ETolvexException);
    fixture_.Exec("catalogs", "ALTER TABLE Hidden RENAME TO GlobalClassMembers");
    EXPECT_EQ(classes_.GetClassId("TestThing"), 9001);
    EXPECT_EQ(TestThing().GetMemberCount(), 6) << "the members are there, not a half-read list";
}

TEST(ClassDefinitionTest, MemberTypesSetTheKindsOfValuesTheClassStores)
{
    struct {
        int type;
        bool strings, texts, numbers, dates, binary;
    } cases[] = {
        {0, true, false, false, false, false},   {49, true, false, false, false, false},
        {50, false, true, false, false, false},  {99, false, true, false, false, false},
        {100, false, false, true, false, false}, {199, false, false, true, false, false},
        {200, false, false, false, true, false}, {249, false, false, false, true, false},
        {250, false, false, false, false, true}, {299, false, false, false, false, true},
        {300, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        TTolvexClassDefinition definition(1, "Probe");
        auto member = std::make_unique<TClassMember>();
        member->MemberId = 1;
        member->MemberType = c.type;
        definition.AddMember(std::move(member));
        SCOPED_TRACE(c.type);
        EXPECT_EQ(definition.HasStrings(), c.strings);
        EXPECT_EQ(definition.HasTexts(), c.texts);
        EXPECT_EQ(definition.HasNumbers(), c.numbers);
        EXPECT_EQ(definition.HasDates(), c.dates);
        EXPECT_EQ(definition.HasBinary(), c.binary);
    }
}

TEST(TolvexObjectListTest, FindSortedGivesTheFirstMatchingEntry)
{
    TTolvexObjectList<int> list;
    const TTolvexObjectList<int>::TCompare<int> compare = [](const int& entry, const int& key) { return entry - key; };
    EXPECT_EQ(list.FindSorted(compare, 3), nullptr);
    for (int value : {1, 3, 3, 3, 5, 8})
        list.Add(std::make_unique<int>(value));
    EXPECT_EQ(list.FindSorted(compare, 3), list.Items()[1].get());
    EXPECT_EQ(list.FindSorted(compare, 1), list.Items()[0].get());
    EXPECT_EQ(list.FindSorted(compare, 8), list.Items()[5].get());
    EXPECT_EQ(list.FindSorted(compare, 4), nullptr);
    EXPECT_EQ(list.FindSorted(compare, 0), nullptr);
    EXPECT_EQ(list.FindSorted(compare, 9), nullptr);
}
