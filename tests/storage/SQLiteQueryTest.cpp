// Queries on an SQLite connection: the pool, named parameters, typed field
// values and updatable record sets.
#include "SQLiteFixture.h"

#include "storage/SQLiteDBConnection.h"
#include "storage/SQLiteFieldTypes.h"
#include "storage/SqlIdentifier.h"

namespace {

class SQLiteQueryTest : public SQLiteFixture {
protected:
    void SetUp() override { factory = CreateAndOpen(); }
    TAbstractDBConnection& Main() { return factory->GetConnection(); }

    std::unique_ptr<TSQLiteConnectionFactory> factory;
};

// ---- the pool ---------------------------------------------------------------------

TEST_F(SQLiteQueryTest, PoolReusesReleasedQueriesAndRejectsMisuse)
{
    TAbstractDBQuery& first = Main().AcquireQuery();
    TAbstractDBQuery& second = Main().AcquireQuery();
    EXPECT_NE(&first, &second);
    Main().ReleaseQuery(first);
    Main().ReleaseQuery(second);
    EXPECT_EQ(&Main().AcquireQuery(), &first);

    try {
        Main().ReleaseQuery(second);
        Main().ReleaseQuery(second);
        ADD_FAILURE() << "a second release was accepted";
    } catch (const EDeveloperTolvexException& e) {
        EXPECT_STREQ(e.what(), "DB Query already has been released");
    }
    auto editor = factory->OpenSecondConnection();
    TAbstractDBQuery& foreign = editor->AcquireQuery();
    try {
        Main().ReleaseQuery(foreign);
        ADD_FAILURE() << "a query of another connection was accepted";
    } catch (const EDeveloperTolvexException& e) {
        EXPECT_STREQ(e.what(), "DB Query does not exists");
    }
    editor->ReleaseQuery(foreign);
    Main().ReleaseQuery(first);
}

TEST_F(SQLiteQueryTest, GuardGivesTheQueryBackWhenAnExceptionPasses)
{
    TAbstractDBQuery* used = nullptr;
    try {
        TQueryGuard query(Main());
        used = &*query;
        query->SetSQL("SELECT * FROM NoSuchTable");
        query->Open(true);
    } catch (const ECriticalTolvexException& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos);
    }
    EXPECT_EQ(&Main().AcquireQuery(), used) << "the query is free in the pool again";
}

// ---- parameters -------------------------------------------------------------------

TEST_F(SQLiteQueryTest, NamedParametersAreBoundNeverPasted)
{
    const std::string hostile = "x'); DROP TABLE Items; --";
    Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (:Id, :Name)", {{"Id", 1}, {"Name", hostile}});
    Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (:id, ':Name is text')", {{"ID", 2}});

    TQueryGuard query(Main());
    query->SetSQL("SELECT Name FROM Items WHERE ItemId = :Id OR ItemId = :Id + 1 ORDER BY ItemId");
    query->SetParam(":Id", 1);
    TAbstractRecordset& rows = query->Open(true);
    EXPECT_EQ(rows.Field("Name"), TVariant(hostile));
    rows.Next();
    EXPECT_EQ(rows.Field("name"), TVariant(":Name is text"));
    rows.Next();
    EXPECT_TRUE(rows.Eof());
}

TEST_F(SQLiteQueryTest, ALikeLiteralMatchesTheNameAsItIsWritten)
{
    const char* const names[] = {"50%", "500", "a_b", "axb", "c\\d", "c\\\\d", "cd", "e'f"};
    int id = 0;
    for (const char* name : names)
        Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (:Id, :Name)",
             {{"Id", ++id}, {"Name", "<a href=\"" + std::string(name) + ".html\">"}});
    for (const char* name : names) {
        TQueryGuard query(Main());
        query->SetSQL(std::string("SELECT Name FROM Items WHERE Name LIKE :Pattern") + kLikeEscapeClause);
        query->SetParam("Pattern", "%\"" + LikeLiteral(name) + ".%");
        std::vector<std::string> found;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            found.push_back(rows.Field("Name").AsText());
        EXPECT_EQ(found, std::vector<std::string>{"<a href=\"" + std::string(name) + ".html\">"}) << name;
    }
}

TEST_F(SQLiteQueryTest, MissingParameterRaisesAndNewTextDropsOldValues)
{
    TQueryGuard query(Main());
    query->SetSQL("SELECT * FROM Items WHERE ItemId = :Id");
    EXPECT_THROW(query->Open(true), ECriticalTolvexException);
    query->SetParam("Id", 1);
    query->SetParam("Unused", 2);
    EXPECT_NO_THROW(query->Open(true));
    query->SetSQL("SELECT * FROM Items WHERE ItemId = :Id");
    EXPECT_THROW(query->Open(true), ECriticalTolvexException);
}

TEST_F(SQLiteQueryTest, ExecRunsEveryStatementOfTheText)
{
    TQueryGuard query(Main());
    query->SetSQL("INSERT INTO Items (ItemId) VALUES (:A);");
    query->AddSQL("INSERT INTO Items (ItemId) VALUES (:B);");
    query->SetParam("A", 1);
    query->SetParam("B", 2);
    query->ExecSQL();
    EXPECT_EQ(Count(Main(), "Items"), 2);
    EXPECT_EQ(query->ShowSQL(), "INSERT INTO Items (ItemId) VALUES (:A);\nINSERT INTO Items (ItemId) VALUES (:B);");
    EXPECT_THROW(query->Open(true), EDeveloperTolvexException) << "Open runs one statement";
}

// ---- field types and values ---------------------------------------------------------

TEST(SQLiteFieldTypes, DeclaredTypesMapToFieldTypes)
{
    struct Case {
        const char* declared;
        TFieldType type;
    };
    const Case cases[] = {
        {"TEXT(50) COLLATE NOCASE", TFieldType::String}, {"VARCHAR(255)", TFieldType::String},
        {"CHAR(2)", TFieldType::FixedChar},              {"TEXT", TFieldType::Memo},
        {"MEMO", TFieldType::Memo},                      {"LONGTEXT", TFieldType::Memo},
        {"INTEGER", TFieldType::Integer},                {"LONG", TFieldType::Integer},
        {"SMALLINT", TFieldType::Smallint},              {"BYTE", TFieldType::Smallint},
        {"COUNTER", TFieldType::AutoInc},                {"BIT", TFieldType::Boolean},
        {"YESNO", TFieldType::Boolean},                  {"DATETIME", TFieldType::DateTime},
        {"DATE", TFieldType::Date},                      {"CURRENCY", TFieldType::Currency},
        {"DOUBLE", TFieldType::Float},                   {"REAL", TFieldType::Float},
        {"NUMERIC(10,2)", TFieldType::Float},            {"LONGBINARY", TFieldType::Blob},
        {"BLOB", TFieldType::Blob},                      {"", TFieldType::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldTypeOfDeclaredType(c.declared), c.type) << c.declared;
}

TEST_F(SQLiteQueryTest, FieldValuesComeBackTypedByTheirColumns)
{
    const TBytes picture{std::string("\x89PNG\0\x01\xff", 7)};
    const TDateTime modified{38061.6041666};
    Exec(Main(),
         "INSERT INTO Items (ItemId, Name, Price, Visible, Modified, Picture) "
         "VALUES (:Id, :Name, :Price, :Visible, :Modified, :Picture)",
         {{"Id", 7}, {"Name", "Räder"}, {"Price", 12.5}, {"Visible", false}, {"Modified", modified},
          {"Picture", picture}});
    Exec(Main(), "INSERT INTO Items (ItemId, Modified) VALUES (8, '2004-03-15 14:30:00')");

    TQueryGuard query(Main());
    query->SetSQL("SELECT ItemId, Name, Price, Visible, Modified, Picture, COUNT(*) OVER () AS Total "
                  "FROM Items ORDER BY ItemId");
    TAbstractRecordset& rows = query->Open(true);
    const std::vector<TFieldType> types = {TFieldType::Integer, TFieldType::String,  TFieldType::Currency,
                                           TFieldType::Boolean, TFieldType::DateTime, TFieldType::Blob,
                                           TFieldType::Integer};
    ASSERT_EQ(rows.FieldCount(), 7);
    for (int i = 0; i < rows.FieldCount(); ++i)
        EXPECT_EQ(rows.FieldType(i), types[static_cast<std::size_t>(i)]) << rows.FieldName(i);
    EXPECT_EQ(rows.Field("ItemId"), TVariant(7));
    EXPECT_EQ(rows.Field("Name"), TVariant("Räder"));
    EXPECT_EQ(rows.Field("Price"), TVariant(12.5));
    EXPECT_EQ(rows.Field("Visible"), TVariant(false));
    EXPECT_EQ(rows.Field("Modified"), TVariant(modified));
    EXPECT_EQ(rows.Field("Picture"), TVariant(picture));
    EXPECT_EQ(rows.Field("Total"), TVariant(2));
    rows.Next();
    EXPECT_TRUE(rows.Field("Name").IsNull());
    EXPECT_TRUE(rows.Field("Visible").AsBoolean()) << "the column default";
    EXPECT_NEAR(rows.Field("Modified").AsDateTime().days, 38061 + 14.5 / 24, 1e-9) << "ISO text dates";
    EXPECT_THROW(rows.Field("Nothing"), EDeveloperTolvexException);
    EXPECT_FALSE(rows.HasField("Nothing"));
}

TEST_F(SQLiteQueryTest, EmptyResultIsAtEndWithNullFields)
{
    TQueryGuard query(Main());
    query->SetSQL("SELECT ItemId FROM Items");
    TAbstractRecordset& rows = query->Open(true);
    EXPECT_TRUE(rows.Eof());
    EXPECT_TRUE(rows.Field("ItemId").IsNull());
}

// ---- updatable record sets ------------------------------------------------------------

TEST_F(SQLiteQueryTest, EditAndAppendWriteBackAndShowTheStoredRow)
{
    Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (1, 'old')");
    TQueryGuard query(Main());
    query->SetSQL("SELECT ItemId, Name, Visible FROM Items WHERE ItemId >= :From");
    query->SetParam("From", 1);
    TAbstractRecordset& rows = query->Open(false);
    EXPECT_EQ(rows.FieldCount(), 3) << "the key column the record set adds stays hidden";
    rows.Edit();
    rows.SetField("Name", "new");
    EXPECT_EQ(rows.Field("Name"), TVariant("new"));
    rows.Post();

    rows.Append();
    rows.SetField("Name", "appended");
    rows.Post();
    EXPECT_EQ(rows.Field("ItemId"), TVariant(2)) << "the automatic number is read back";
    EXPECT_EQ(rows.Field("Visible"), TVariant(true)) << "so is the column default";

    rows.Append();
    rows.SetField("Name", "cancelled");
    rows.Cancel();

    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 1"), TVariant("new"));
    EXPECT_EQ(Scalar(Main(), "SELECT Name FROM Items WHERE ItemId = 2"), TVariant("appended"));
    EXPECT_EQ(Count(Main(), "Items"), 2);
}

TEST_F(SQLiteQueryTest, RowsWithoutPrimaryKeyAreUpdatedOneByOne)
{
    Exec(Main(), "CREATE TABLE CStrings (ItemId LONG, MemberId LONG, Value TEXT(255))");
    Exec(Main(), "INSERT INTO CStrings VALUES (1, 1, 'same'), (1, 1, 'same')");
    TQueryGuard query(Main());
    query->SetSQL("SELECT * FROM CStrings");
    TAbstractRecordset& rows = query->Open(false);
    rows.Next();
    rows.Edit();
    rows.SetField("Value", "second");
    rows.Next();  // scrolling posts the change
    EXPECT_EQ(Scalar(Main(), "SELECT group_concat(Value, ',') FROM (SELECT Value FROM CStrings ORDER BY rowid)"),
              TVariant("same,second"));
}

TEST_F(SQLiteQueryTest, TableWithoutRowidIsUpdatedByItsPrimaryKey)
{
    Exec(Main(), "CREATE TABLE LocalSettings (DataKey TEXT(50) PRIMARY KEY, DataValue TEXT(255)) WITHOUT ROWID");
    Exec(Main(), "INSERT INTO LocalSettings VALUES ('TolvexVersion', '2.0'), ('Other', 'x')");
    TQueryGuard query(Main());
    query->SetSQL("SELECT DataKey, DataValue FROM LocalSettings WHERE DataKey = 'TolvexVersion'");
    TAbstractRecordset& rows = query->Open(false);
    rows.Edit();
    rows.SetField("DataValue", "3.0.0");
    rows.Post();
    EXPECT_EQ(Scalar(Main(), "SELECT DataValue FROM LocalSettings WHERE DataKey = 'TolvexVersion'"),
              TVariant("3.0.0"));
    EXPECT_EQ(Scalar(Main(), "SELECT DataValue FROM LocalSettings WHERE DataKey = 'Other'"), TVariant("x"));

    query->SetSQL("SELECT DataValue FROM LocalSettings");
    EXPECT_THROW(query->Open(false).Edit(), EDeveloperTolvexException) << "the key is not selected";
}

TEST_F(SQLiteQueryTest, RecordSetsThatCannotBeWrittenBackRefuseToEdit)
{
    Exec(Main(), "INSERT INTO Items (ItemId, Name) VALUES (1, 'a')");
    Exec(Main(), "CREATE TABLE Prices (ItemId LONG, Amount CURRENCY)");
    Exec(Main(), "INSERT INTO Prices VALUES (1, 2.5)");
    struct Case {
        const char* sql;
        bool readOnly;
        const char* why;
    };
    const Case cases[] = {
        {"SELECT ItemId, Name FROM Items", true, "opened read-only"},
        {"SELECT i.Name, p.Amount FROM Items i JOIN Prices p ON p.ItemId = i.ItemId", false, "two tables"},
        {"SELECT COUNT(*) AS N FROM Items", false, "no table column"},
        {"SELECT DISTINCT Name FROM Items", false, "not a plain SELECT"},
    };
    for (const Case& c : cases) {
        TQueryGuard query(Main());
        query->SetSQL(c.sql);
        TAbstractRecordset& rows = query->Open(c.readOnly);
        EXPECT_THROW(rows.Edit(), EDeveloperTolvexException) << c.why;
        EXPECT_THROW(rows.SetField("Name", "x"), EDeveloperTolvexException) << c.why;
    }
    TQueryGuard query(Main());
    query->SetSQL("SELECT ItemId, Name || '!' AS Shout FROM Items");
    TAbstractRecordset& rows = query->Open(false);
    rows.Edit();
    EXPECT_THROW(rows.SetField("Shout", "x"), EDeveloperTolvexException) << "an expression column";
    EXPECT_THROW(rows.SetField("Missing", "x"), EDeveloperTolvexException);
}

TEST_F(SQLiteQueryTest, PostOnASecondConnectionIsPartOfItsUnitOfWork)
{
    auto editor = factory->OpenSecondConnection();
    {
        TQueryGuard query(*editor);
        query->SetSQL("SELECT ItemId, Name FROM Items");
        TAbstractRecordset& rows = query->Open(false);
        rows.Append();
        rows.SetField("Name", "unsaved");
        rows.Post();
    }
    EXPECT_EQ(Count(*editor, "Items"), 1);
    EXPECT_EQ(Count(Main(), "Items"), 0);
    EXPECT_TRUE(static_cast<TSQLiteDBConnection&>(*editor).HoldsWriteLock());
    editor->RollbackTrans();
    editor->BeginTrans();
    EXPECT_EQ(Count(*editor, "Items"), 0);
}

}  // namespace
