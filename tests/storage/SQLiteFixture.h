#pragma once
// Shared set-up of the SQLite module tests: a temporary folder with a
// database "shop.sqlite" holding LocalSequences and a small Items table, a
// scripted GUI, an in-memory ini file and a module context with a short busy
// timeout.
#include "common/Exceptions.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/SQLiteModule.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Fills "$1", "$2" ... as the translation service does (without translating).
inline std::string FillArguments(const std::string& text, const std::vector<std::string>& args)
{
    std::string result = text;
    for (std::size_t i = args.size(); i >= 1; --i) {
        const std::string mark = "$" + std::to_string(i);
        for (std::size_t at = result.find(mark); at != std::string::npos; at = result.find(mark, at + args[i - 1].size()))
            result.replace(at, mark.size(), args[i - 1]);
    }
    return result;
}

class SQLiteFixture : public ::testing::Test {
protected:
    SQLiteFixture()
    {
        context.gui = &gui;
        context.formatMessage = FillArguments;
        context.programFolder = folder.Path();
        context.tempFolder = folder.File("temp");
        std::filesystem::create_directories(context.tempFolder);
        context.backupFolder = [this] { return backupSetting; };
        context.setBackupFolder = [this](const std::string& f) { backupSetting = f; };
        context.backupKeep = [this] { return keep; };
        context.readIni = [this](const std::string& s, const std::string& k) { return ini[s + "/" + k]; };
        context.writeIni = [this](const std::string& s, const std::string& k, const std::string& v) {
            ini[s + "/" + k] = v;
        };
        context.now = [this] { return now; };
        context.busyTimeoutMs = 200;
        now.tm_year = 2004 - 1900;
        now.tm_mon = 2;
        now.tm_mday = 15;
        now.tm_hour = 14;
        now.tm_min = 30;
        dir = folder.File("db");
        std::filesystem::create_directories(dir);
    }

    std::unique_ptr<TSQLiteConnectionFactory> MakeFactory()
    {
        return std::make_unique<TSQLiteConnectionFactory>("SQLite", "", context);
    }

    // Creates Dir/Name.sqlite with the test schema and opens a factory on it.
    std::unique_ptr<TSQLiteConnectionFactory> CreateAndOpen(const std::string& name = "shop")
    {
        auto factory = MakeFactory();
        EXPECT_TRUE(factory->CreateDatabase(dir, "", name, "", "", 0));
        EXPECT_TRUE(factory->OpenDatabase(dir, name, "", ""));
        Exec(factory->GetConnection(),
             "CREATE TABLE LocalSequences (CatalogCode TEXT(50) COLLATE NOCASE, "
             "SequenceName TEXT(50) COLLATE NOCASE, LastId LONG)");
        Exec(factory->GetConnection(),
             "CREATE TABLE Items (ItemId INTEGER PRIMARY KEY, Name TEXT(100), Price CURRENCY, "
             "Visible BIT DEFAULT 1, Modified DATETIME, Picture LONGBINARY)");
        return factory;
    }

    static void Exec(TAbstractDBConnection& connection, const std::string& sql,
                     const std::vector<std::pair<std::string, TVariant>>& params = {})
    {
        TQueryGuard query(connection);
        query->SetSQL(sql);
        for (const auto& [name, value] : params)
            query->SetParam(name, value);
        query->ExecSQL();
    }

    // The first field of the first row of a SELECT.
    static TVariant Scalar(TAbstractDBConnection& connection, const std::string& sql)
    {
        TQueryGuard query(connection);
        query->SetSQL(sql);
        TAbstractRecordset& rows = query->Open(true);
        return rows.Eof() ? TVariant() : rows.Field(0);
    }

    static std::int64_t Count(TAbstractDBConnection& connection, const std::string& table)
    {
        return Scalar(connection, "SELECT COUNT(*) FROM " + table).AsInteger();
    }

    TTempFolder folder;
    TScriptedGui gui;
    TDatabaseModuleContext context;
    std::string dir;
    std::string backupSetting;
    int keep = 5;
    std::map<std::string, std::string> ini;
    std::tm now{};
};
