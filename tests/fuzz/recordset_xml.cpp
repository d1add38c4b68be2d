// Record-set documents as they come from the hosting service or from files.
// Any bytes are applied to a real SQLite catalog inside a unit of work
// (rolled back afterwards) or refused with the program's exception; the rows
// they left are written into a document again, which must parse; and every
// field name of the input that the writer accepts must come back from the
// written document unchanged.
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "storage/CatalogTables.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlDocument.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/XmlToRecordset.h"
#include "support/ScriptedGui.h"
#include "support/TempFolder.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

namespace {

// A catalog database with the catalog tables and one table of every kind of value.
class TFuzzDatabase {
public:
    TFuzzDatabase()
    {
        context_.gui = &gui_;
        context_.formatMessage = [](const std::string& text, const std::vector<std::string>&) { return text; };
        context_.programFolder = folder_.Path();
        context_.tempFolder = folder_.File("temp");
        context_.busyTimeoutMs = 200;
        std::filesystem::create_directories(context_.tempFolder);
        const std::string dir = folder_.File("db");
        std::filesystem::create_directories(dir);
        factory_ = std::make_unique<TSQLiteConnectionFactory>("SQLite", "", context_);
        FUZZ_CHECK(factory_->CreateDatabase(dir, "", "shop", "", "", 0));
        FUZZ_CHECK(factory_->OpenDatabase(dir, "shop", "", ""));
        CreateCatalogTables(factory_->GetConnection());
        TQueryGuard query(factory_->GetConnection());
        query->SetSQL("CREATE TABLE Kinds (CatalogCode TEXT(50) NOT NULL COLLATE NOCASE, Id INTEGER NOT NULL, "
                      "Name TEXT(100) COLLATE NOCASE, Note MEMO, Small SMALLINT, Amount DOUBLE, Price CURRENCY, "
                      "Flag BIT, Day DATE, Moment DATETIME, Data LONGBINARY, PRIMARY KEY (CatalogCode, Id))");
        query->ExecSQL();
        unit_ = factory_->OpenSecondConnection();
    }

    TAbstractDBConnection& Unit() { return *unit_; }

    TRecordsetXmlContext Context()
    {
        TRecordsetXmlContext context;
        context.functions = &functions_;
        context.primaryKeyInfo = [](const std::string& table) {
            for (const TCatalogTableDefinition& definition : TCatalogTables::Definitions())
                if (definition.TableName == table)
                    return std::string(definition.PrimaryKeyInfo);
            return table == "Kinds" ? std::string("CatalogCode,Id") : std::string();
        };
        context.catalogCode = "shop";
        return context;
    }

private:
    TTempFolder folder_;
    TScriptedGui gui_;
    TDatabaseModuleContext context_;
    std::unique_ptr<TSQLiteConnectionFactory> factory_;
    std::unique_ptr<TAbstractDBConnection> unit_;
    TCommonFunctions functions_;
};

// The rows of Kinds and Items written as a document, which must parse.
void WriteBack(TFuzzDatabase& db)
{
    TRecordsetToXml writer(db.Unit(), db.Context());
    for (const char* table : {"Kinds", "Items"}) {
        TQueryGuard query(db.Unit());
        query->SetSQL(std::string("SELECT * FROM ") + table);
        writer.AddRecordset(table, "insert", query->Open(true));
    }
    std::ostringstream out;
    writer.SaveToStream(out, false);
    TRecordsetXmlDocument::Parse(out.str());
}

// Every field name of the document's actions, put into a document of its
// own, comes back the same from its written form, or is refused.
void CheckNames(const TRecordsetXmlDocument& input)
{
    TRecordsetXmlDocument copy;
    xmlNodePtr action = TRecordsetXmlDocument::AddElement(copy.Root(), "Action");
    std::vector<std::string> names;
    for (xmlNodePtr element : TRecordsetXmlDocument::ChildElements(input.Root()))
        for (xmlNodePtr field : TRecordsetXmlDocument::ChildElements(element)) {
            const std::string name = TRecordsetXmlDocument::Name(field);
            try {
                TRecordsetXmlDocument::AddElement(action, name);
                names.push_back(name);
            } catch (const EDeveloperTolvexException&) {
                // a name the document cannot hold
            }
        }
    std::ostringstream out;
    copy.Save([&out](const char* data, std::size_t size) { out.write(data, static_cast<std::streamsize>(size)); });
    const TRecordsetXmlDocument back = TRecordsetXmlDocument::Parse(out.str());
    const auto actions = TRecordsetXmlDocument::ChildElements(back.Root());
    FUZZ_CHECK(actions.size() == 1);
    const auto fields = TRecordsetXmlDocument::ChildElements(actions[0]);
    FUZZ_CHECK(fields.size() == names.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        FUZZ_CHECK(TRecordsetXmlDocument::Name(fields[i]) == names[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzDatabase db;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        CheckNames(TRecordsetXmlDocument::Parse(bytes));
    } catch (const EPublisherTolvexException&) {
        return 0;  // no well-formed document: refused with the parser's reason
    }
    for (const std::uint8_t mode : {kRecordsetReadCatalog, kRecordsetReadGlobalExport}) {
        TXmlToRecordset reader(db.Unit(), db.Context());
        reader.SetMaxDocumentSize(1024 * 1024);
        std::istringstream in(bytes);
        try {
            reader.ApplyStream(in, false, mode);
            WriteBack(db);
        } catch (const ETolvexException&) {
            // an unknown table, a constraint, a value the database refuses
        }
        db.Unit().RollbackTrans();
        db.Unit().BeginTrans();
    }
    return 0;
}
