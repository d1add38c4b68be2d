// Converting catalogs of the previous program generation when they are
// opened: old files built from SQL text in fixtures/old-catalogs, converted
// over the shipped catalog types through the catalog object, then read back
// with plain queries and opened with the converted login.
#include "CatalogCreationFixture.h"
#include "support/TestPaths.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogUpgrader.h"
#include "catalog/conversion/ConversionProgress.h"
#include "catalog/conversion/OldCatalogConversion.h"
#include "common/CommonFunctions.h"
#include "common/CommonGui.h"
#include "common/FileContent.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/CatalogTables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Fixture(const std::string& name)
{
    return ReadFileContent(TestSourceDir() + "/catalog/fixtures/old-catalogs/" + name).value();
}

// Stops the conversion at the first log line that begins with Prefix.
class TCancelAt : public TConversionProgress {
public:
    explicit TCancelAt(std::string prefix) : prefix_(std::move(prefix)) {}
    void Log(const std::string& line) override
    {
        if (line.rfind(prefix_, 0) == 0)
            cancelled_ = true;
    }
    bool Cancelled() override { return cancelled_; }

private:
    std::string prefix_;
    bool cancelled_ = false;
};

class OldCatalogConversion : public ::testing::Test {
protected:
    // Writes the old catalog Code from the table definitions and Data.
    void MakeOldCatalog(const std::string& code, const std::string& data)
    {
        env.Exec(code, Fixture("tables.sql") + Fixture(data));
    }

    // Opens Code as the user does; a yes to the offer to convert.
    std::string OpenAndConvert(const std::string& code, const std::string& password)
    {
        env.Gui().QueueAnswer(mrYes);
        return env.Open(code, "someone", password);
    }

    std::string BackupFile(const std::string& code) const
    {
        const fs::path programFolder = fs::path(env.ProgramDatabase("x")).parent_path().parent_path();
        return (programFolder / "backup" / (code + "_bak.sqlite")).string();
    }

    std::vector<std::string> Errors()
    {
        std::vector<std::string> errors;
        for (const TShownBox& box : env.Gui().Shown())
            if (box.kind == "error")
                errors.push_back(box.message);
        return errors;
    }

    // The values of a member (class and member by tag) as "a|b|c", in the
    // order of item, language and index; Where narrows the rows.
    std::string Values(const std::string& classTag, const std::string& memberTag, const std::string& where = "1 = 1",
                       const std::string& code = "acme")
    {
        const int classId = env.Context().GetClassId(classTag);
        TAbstractCClassDefinition* definition = env.Context().GetClassDefinition(classId);
        const int memberId = definition ? definition->GetMemberId(memberTag) : 0;
        const int type = definition ? definition->GetMemberType(memberId) : 0;
        const std::string table = TCatalogTables::ValueTable(type);
        const std::string column = table == "CStrings" ? "StringValue" : table == "CText" ? "TextValue"
                                 : table == "CNumbers" ? "NumberValue" : "DataMimeType";
        return env.Value(code, "SELECT GROUP_CONCAT(x, '|') FROM (SELECT " + column + " AS x FROM " + table +
                                   " WHERE ClassId = " + std::to_string(classId) + " AND MemberId = " +
                                   std::to_string(memberId) + " AND (" + where +
                                   ") ORDER BY ItemId, LangCode, IndexId)");
    }

    std::string Value(const std::string& sql) { return env.Value("acme", sql); }

    TCreationEnvironment env;
};

TEST_F(OldCatalogConversion, AProductCatalogConvertsOnOpenAndOpensWithTheOldPassword)
{
    MakeOldCatalog("acme", "products.sql");
    EXPECT_EQ(OpenAndConvert("acme", "old-secret"), "reopen");
    EXPECT_EQ(Errors(), std::vector<std::string>{});
    ASSERT_EQ(env.Host().login.CatalogCode, "acme");
    EXPECT_EQ(env.Host().login.UserName, "Administrator");
    EXPECT_EQ(env.Host().login.Password, "old-secret");
    // The old file went to the backup folder; nothing else is left beside the new one.
    EXPECT_TRUE(fs::exists(BackupFile("acme")));
    EXPECT_EQ(env.DatabaseFiles(), std::vector<std::string>{"acme.sqlite"});

    // The password is kept scrambled, as the login reads it.
    EXPECT_EQ(env.Open("acme", "Administrator", "old-secret"), "");
    env.Catalog().Close();
    EXPECT_NE(Value("SELECT StringValue FROM CStrings WHERE ItemId = 602 AND ClassId = 602 AND MemberId = 2"),
              "old-secret");
}

}  // namespace
