#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <stdexcept>

namespace {

// A real SQLite file opened with the C API.
class TSqliteFile {
public:
    explicit TSqliteFile(const std::string& path)
    {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
    }
    ~TSqliteFile() { sqlite3_close(db_); }
    sqlite3* Handle() const { return db_; }

    // Runs a statement; the SQLite result code.
    int Exec(const std::string& sql) const { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

    // The first column of every row of a SELECT.
    std::vector<std::string> Column(const std::string& sql, int column = 0) const
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        std::vector<std::string> values;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, column);
            values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        sqlite3_finalize(stmt);
        return values;
    }

private:
    sqlite3* db_ = nullptr;
};

// Just enough of a query to run statements on the SQLite file.
class TExecOnlyQuery : public TAbstractDBQuery {
public:
    explicit TExecOnlyQuery(const TSqliteFile& file) : file_(file) {}
    void SetSQL(const std::string& text) override { sql_ = text; }
    void AddSQL(const std::string& line) override { sql_ += "\n" + line; }
    std::string GetErrorText() const override { return {}; }
    void ExecSQL() override
    {
        if (file_.Exec(sql_) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(file_.Handle()));
    }
    TAbstractRecordset& Open(bool) override { throw std::logic_error("not needed"); }
    void Close() override {}
    void SetParam(const std::string&, const TVariant&) override { throw std::logic_error("not needed"); }
    std::string ShowSQL() const override { return sql_; }

private:
    const TSqliteFile& file_;
    std::string sql_;
};

// A connection with one query, counting how it is borrowed.
class TExecOnlyConnection : public TAbstractDBConnection {
public:
    explicit TExecOnlyConnection(const TSqliteFile& file) : query_(file) {}
    TAbstractDBQuery& AcquireQuery() override
    {
        ++acquired;
        return query_;
    }
    void ReleaseQuery(TAbstractDBQuery& query) override
    {
        EXPECT_EQ(&query, &query_);
        ++released;
    }
    void Reconnect() override {}
    void BeginTrans() override {}
    void CommitTrans() override {}
    void RollbackTrans() override {}
    bool InTransaction() const override { return false; }
    void Connect() override {}
    void Disconnect() override {}
    int NextSequenceId(const std::string&, const std::string&) override { return 0; }

    int acquired = 0;
    int released = 0;

private:
    TExecOnlyQuery query_;
};

class CatalogTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file_ = std::make_unique<TSqliteFile>(temp_.File("catalog.sqlite"));
        connection_ = std::make_unique<TExecOnlyConnection>(*file_);
        CreateCatalogTables(*connection_);
    }

    std::string Columns(const std::string& table) const
    {
        std::string joined;
        for (const std::string& name : file_->Column("PRAGMA table_info(" + table + ")", 1))
            joined += (joined.empty() ? "" : ",") + name;
        return joined;
    }

    TTempFolder temp_;
    std::unique_ptr<TSqliteFile> file_;
    std::unique_ptr<TExecOnlyConnection> connection_;
};

const char* const kValueKey = "CatalogCode,ItemId,ClassId,InstanceId,MemberId,LangCode,IndexId,MemberType,";

}  // namespace

TEST_F(CatalogTablesTest, CreatesEveryTableWithItsColumns)
{
    const std::map<std::string, std::string> expected = {
        {"Items", "CatalogCode,ItemId,ItemType,ParentItemId,LinkedItemId,NotVisible,"
                  "ExpandedImageCode,CollapsedImageCode,OrderNum,DontDelete,DontSort,"
                  "IsSynchronized,DateModified,UserPriority"},
        {"CObjectInstances", "CatalogCode,ItemId,ClassId,ParentInstanceId,InstanceId"},
        {"CStrings", std::string(kValueKey) + "StringValue"},
        {"CText", std::string(kValueKey) + "TextValue"},
        {"CNumbers", std::string(kValueKey) + "NumberValue"},
        {"CDates", std::string(kValueKey) + "DateValue"},
        {"CBinary", std::string(kValueKey) + "DataBlob,DataCrc,DataBytes,DataMimeType"},
        {"LocalSettings", "CatalogCode,DataKey,DataValue"},
        {"LocalLog", "CatalogCode,ActionDate,LogLevel,UserName,Description"},
        {"LocalSequences", "CatalogCode,SequenceName,LastId"},
        {"DeletedItems", "CatalogCode,ItemId,DateModified"},
        {"SyncItems", "CatalogCode,ItemId,DateModified"},
        {"HostDeletedItems", "CatalogCode,ItemId,DateModified"},
        {"ItemSizes", "CatalogCode,ItemId,BinarySize,TextCount"},
    };
    std::vector<std::string> tables =
        file_->Column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    EXPECT_EQ(tables.size(), expected.size());
    for (const auto& [table, columns] : expected)
        EXPECT_EQ(Columns(table), columns) << table;
    EXPECT_EQ(connection_->acquired, 1);
    EXPECT_EQ(connection_->released, 1);
}

TEST_F(CatalogTablesTest, PrimaryKeyInfoNamesTheCreatedKeys)
{
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions()) {
        if (definition.DataType != "table")
            continue;
        std::string key;
        // PRAGMA table_info: column 5 is the position in the primary key.
        std::vector<std::string> names = file_->Column("PRAGMA table_info(" + definition.TableName + ")", 1);
        std::vector<std::string> positions = file_->Column("PRAGMA table_info(" + definition.TableName + ")", 5);
        std::map<int, std::string> ordered;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (positions[i] != "0")
                ordered[std::stoi(positions[i])] = names[i];
        for (const auto& [position, name] : ordered)
            key += (key.empty() ? "" : ",") + name;
        EXPECT_EQ(key, definition.PrimaryKeyInfo) << definition.TableName;
    }
}

TEST_F(CatalogTablesTest, IndexNamesEndWithTheirTable)
{
    for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions()) {
        if (definition.DataType != "index")
            continue;
        std::vector<std::string> table = file_->Column(
            "SELECT tbl_name FROM sqlite_master WHERE type = 'index' AND name = '" + definition.TableName + "'");
        ASSERT_EQ(table.size(), 1u) << definition.TableName;
        EXPECT_TRUE(definition.TableName.ends_with("_" + table[0])) << definition.TableName;
    }
}

TEST_F(CatalogTablesTest, DoublyIssuedInstanceIdFailsLoudly)
{
    const std::string insert =
        "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) VALUES ";
    ASSERT_EQ(file_->Exec(insert + "('shop', 100001, 1, 0, 1)"), SQLITE_OK);
    // The same id within the item, even for another class or in another case
    // of the catalog code, is refused.
    EXPECT_EQ(file_->Exec(insert + "('shop', 100001, 7, 0, 1)"), SQLITE_CONSTRAINT);
    EXPECT_EQ(file_->Exec(insert + "('SHOP', 100001, 1, 0, 1)"), SQLITE_CONSTRAINT);
    // Other items and other catalogs number their objects on their own.
    EXPECT_EQ(file_->Exec(insert + "('shop', 100002, 1, 0, 1)"), SQLITE_OK);
    EXPECT_EQ(file_->Exec(insert + "('hotel', 100001, 1, 0, 1)"), SQLITE_OK);
}

TEST_F(CatalogTablesTest, KeysRefuseDuplicatesAndTextIgnoresCase)
{
    ASSERT_EQ(file_->Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType) VALUES ('shop', 5, 2)"), SQLITE_OK);
    EXPECT_EQ(file_->Exec("INSERT INTO Items (CatalogCode, ItemId, ItemType) VALUES ('Shop', 5, 3)"),
              SQLITE_CONSTRAINT);
    EXPECT_EQ(file_->Column("SELECT ItemType FROM Items WHERE CatalogCode = 'SHOP' AND ItemId = 5"),
              std::vector<std::string>{"2"});

    const std::string value = "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, "
                              "LangCode, IndexId, MemberType, StringValue) VALUES ";
    ASSERT_EQ(file_->Exec(value + "('shop', 5, 1, 1, 1, 'EN', 0, 1, 'Home')"), SQLITE_OK);
    EXPECT_EQ(file_->Exec(value + "('shop', 5, 1, 1, 1, 'en', 0, 1, 'Other')"), SQLITE_CONSTRAINT);
    EXPECT_EQ(file_->Exec(value + "('shop', 5, 1, 1, 1, 'XXX', 0, 1, 'Neutral')"), SQLITE_OK);
    EXPECT_EQ(file_->Exec(value + "('shop', 5, 1, 1, 1, 'EN', 1, 1, 'Second')"), SQLITE_OK);

    ASSERT_EQ(file_->Exec("INSERT INTO LocalSequences VALUES ('shop', 'Items', 1)"), SQLITE_OK);
    EXPECT_EQ(file_->Exec("INSERT INTO LocalSequences VALUES ('shop', 'items', 1)"), SQLITE_CONSTRAINT);
    ASSERT_EQ(file_->Exec("INSERT INTO DeletedItems VALUES ('shop', 77, 0)"), SQLITE_OK);
    EXPECT_EQ(file_->Exec("INSERT INTO DeletedItems VALUES ('shop', 77, 1)"), SQLITE_CONSTRAINT);
}

TEST_F(CatalogTablesTest, CreatingTwiceFailsAndGivesTheQueryBack)
{
    EXPECT_THROW(CreateCatalogTables(*connection_), std::runtime_error);
    EXPECT_EQ(connection_->acquired, 2);
    EXPECT_EQ(connection_->released, 2);
}

TEST(CatalogTables, ValueTableByMemberType)
{
    const std::pair<int, const char*> cases[] = {
        {0, ""},          {1, "CStrings"}, {49, "CStrings"}, {50, "CText"},     {99, "CText"},
        {100, "CNumbers"}, {150, "CNumbers"}, {199, "CNumbers"}, {200, "CDates"}, {249, "CDates"},
        {250, "CBinary"},  {299, "CBinary"},  {300, ""},          {-1, ""},
    };
    for (const auto& [type, table] : cases)
        EXPECT_EQ(TCatalogTables::ValueTable(type), table) << type;
}

TEST(IdRanges, BoundariesAreExclusiveWhereTheRulesSayAbove)
{
    EXPECT_FALSE(IsRootItemId(-2));
    EXPECT_TRUE(IsRootItemId(0));
    EXPECT_TRUE(IsRootItemId(99));
    EXPECT_FALSE(IsRootItemId(100));

    EXPECT_FALSE(IsLocalItemId(1000000));
    EXPECT_TRUE(IsLocalItemId(1000001));
    EXPECT_TRUE(IsLocalItemId(49999999));
    EXPECT_FALSE(IsLocalItemId(50000000));
    EXPECT_EQ(LocalIdFromSequence(1), 1000001);

    EXPECT_FALSE(IsTemplateImageId(600000));
    EXPECT_TRUE(IsTemplateImageId(600001));
    EXPECT_TRUE(IsTemplateImageId(699999));
    EXPECT_FALSE(IsTemplateImageId(700000));
}
