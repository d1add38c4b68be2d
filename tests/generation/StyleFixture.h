#pragma once
// A started program (root object over a temporary program folder with the
// shipped databases, scripted GUI and shell) with a catalog created from
// its type's definition and opened, for the tests of the style manager:
// whole-file dumps of the catalog and definition databases, and pages of
// the open catalog generated through the transformer.
#include "catalog/CatalogDataFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "common/CommonImages.h"
#include "generation/StyleManager.h"
#include "generation/Templates.h"
#include "generation/Transformer.h"
#include "storage/ConfiguredDatabase.h"
#include "storage/ObjectCollection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Every row of every table of a database file, tables by name and rows
// sorted, blobs as hexadecimal: two equal dumps are two databases with the same rows.
inline std::string DumpDatabase(const std::string& fileName)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + fileName);
    std::vector<std::string> tables;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    std::ostringstream dump;
    for (const std::string& table : tables) {
        dump << "[" << table << "]\n";
        std::vector<std::string> rows;
        sqlite3_prepare_v2(db, ("SELECT * FROM \"" + table + "\"").c_str(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::ostringstream row;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                if (sqlite3_column_type(stmt, i) == SQLITE_BLOB) {
                    const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(stmt, i));
                    for (int b = 0; b < sqlite3_column_bytes(stmt, i); ++b)
                        row << "0123456789abcdef"[bytes[b] >> 4] << "0123456789abcdef"[bytes[b] & 15];
                } else if (const unsigned char* text = sqlite3_column_text(stmt, i)) {
                    row << text;
                } else {
                    row << "NULL";
                }
                row << "|";
            }
            rows.push_back(row.str());
        }
        sqlite3_finalize(stmt);
        std::sort(rows.begin(), rows.end());
        for (const std::string& row : rows)
            dump << row << "\n";
    }
    sqlite3_close(db);
    return dump.str();
}

class TStyleProgram {
public:
    // Creates and opens the catalog Code of the type.
    explicit TStyleProgram(int catalogType, const std::string& code = "shop") : code_(code)
    {
        if (!fixture.CreateCatalog(code, catalogType))
            throw std::runtime_error("cannot create a catalog of type " + std::to_string(catalogType));
        const std::string error = fixture.Open(code, "admin", "secret");
        if (!error.empty() || !fixture.Data())
            throw std::runtime_error("cannot open the catalog: " + error);
        fixture.Log().Clear();
    }

    TTolvex& Root() { return fixture.Root(); }
    TStyleManager& Manager() { return fixture.Root().StyleManager(); }
    TCatalogData& Data() { return *fixture.Data(); }
    TAbstractDBConnection& Connection() { return Data().GetConnectionFactory().GetConnection(); }
    TStyleScript& Dialog() { return fixture.Shell().style; }
    const std::string& Code() const { return code_; }
    std::string CatalogFile() { return SQLiteDatabaseFileName(fixture.DatabaseDir(), code_); }
    std::string DefinitionFile()
    {
        return SQLiteDatabaseFileName(DatabasesFolder(fixture.Home().Path()),
                                      "catalog_" + std::to_string(Data().GetCatalogType()));
    }
    std::string StyleCode() { return TStyleManager::GetStyleCatalogCode(Data().GetCatalogType()); }

    // Chooses the style with its own sheets and background through the
    // dialog and handles the reopening the manager asks for.
    void ApplyStyle(int styleId)
    {
        Dialog().answers = {true};
        Dialog().styleId = styleId;
        ASSERT_TRUE(Manager().SelectStyle(1, true));
        ASSERT_TRUE(fixture.Log().Has("PostReopenCatalog"));
        fixture.Log().Clear();
        Root().ReopenCatalog();
        ASSERT_NE(fixture.Data(), nullptr) << "the catalog opens again";
    }

    // The first value of a SELECT on the catalog file ("" when none).
    std::string CatalogValue(const std::string& sql)
    {
        const std::vector<std::string> values = ColumnOfFile(CatalogFile(), sql);
        return values.empty() ? std::string() : values.front();
    }
    std::string DefinitionValue(const std::string& sql)
    {
        const std::vector<std::string> values = ColumnOfFile(DefinitionFile(), sql);
        return values.empty() ? std::string() : values.front();
    }

    // The home page in the default language, as a publishing run generates it.
    std::string GenerateHomePage()
    {
        TCatalogPageGeneration& pages = Data().GetPageGeneration();
        TObjectCollection collection(Root().ObjectContext());
        collection.Open(code_, Connection());
        const int home = Root().GetHomePageId();
        const int type = Data().GetQueries().GetItemType(home, code_, Connection());
        TTransformer transformer(pages, code_, nullptr);
        transformer.SetPublishMode("publish");
        const bool generated = transformer.GeneratePage(home, home, type, Data().GetDefaultLangCode(), collection,
                                                        Connection(), "");
        EXPECT_TRUE(generated && !transformer.TransformFailed()) << transformer.GetErrorText();
        return transformer.GetResultHtml();
    }
    std::string StyleSheet(int itemId)
    {
        return Data().GetPageGeneration().GetTemplates().GetTemplateCss(itemId, "", Connection());
    }
    std::string ImageBytes(int itemId)
    {
        std::ostringstream bytes;
        std::int64_t size = 0;
        std::string mime;
        TCommonImages::LoadImageToStream(code_, itemId, bytes, size, mime, Connection());
        return bytes.str();
    }

    TRootFixture fixture;

private:
    std::string code_;
};
