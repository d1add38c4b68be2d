#include "PublishSiteFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "catalog/Tolvex.h"
#include "publishing/WorkerPageGeneration.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void Exec(TAbstractDBConnection& connection, const std::string& sql, const std::vector<std::pair<std::string, TVariant>>& params)
{
    TQueryGuard query(connection);
    query->SetSQL(sql);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    query->ExecSQL();
}

}  // namespace

TPublishSite::TPublishSite(const std::map<int, int>& flagsByType)
{
    // The definition is read when the catalog is created: change it before.
    if (!flagsByType.empty()) {
        const std::string file = SQLiteDatabaseFileName(root_.Home().File("databases"), "catalog_1");
        std::string sql;
        for (const auto& [type, flags] : flagsByType)
            sql += "UPDATE CNumbers SET NumberValue = " + std::to_string(flags) +
                   " WHERE ClassId = 807 AND MemberId = 8 AND ItemId = (SELECT ItemId FROM CNumbers WHERE "
                   "ClassId = 810 AND MemberId = 1 AND NumberValue = " + std::to_string(type) + ");\n";
        ExecOnFile(file, sql);
    }
    if (!root_.CreateCatalog(kCode, 1))
        throw std::runtime_error("cannot create the catalog");
    const std::string error = root_.Open(kCode, "admin", "secret");
    if (!error.empty() || !root_.Data())
        throw std::runtime_error("cannot open the catalog: " + error);
    // German after English.
    TQueryGuard query(Connection());
    query->SetSQL("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                  "MemberType, StringValue) SELECT CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, "
                  "IndexId + 1, MemberType, 'DE' FROM CStrings WHERE CatalogCode = :CatalogCode AND ItemId = 601 "
                  "AND ClassId = 601 AND MemberId = 1 ORDER BY IndexId DESC LIMIT 1");
    query->SetParam("CatalogCode", std::string(kCode));
    query->ExecSQL();
    query.Release();
    Data().LoadLanguages(Connection());
}

TAbstractDBConnection& TPublishSite::Connection()
{
    return Data().GetPageGeneration().GetMainConnection();
}

int TPublishSite::AddItem(int itemType, int parentId)
{
    return root_.Root().Catalog().CreateItem(itemType, parentId, 0, kCode, Connection(), 0);
}

void TPublishSite::SetName(int itemId, const std::string& en, const std::string& de)
{
    TTolvexObjectFactory& factory = root_.Root().Catalog().GetObjectFactory();
    std::unique_ptr<TTolvexObject> names = factory.GetObjectTyped(itemId, 1, Connection(), kCode);
    if (names->GetInstanceId() == 0)
        names = factory.CreateObjectTyped(itemId, 1, 0, Connection(), kCode);
    names->SetLangString("ItemName", "EN", en, 0);
    names->SetLangString("ItemName", "DE", de, 0);
    names->Save();
}

void TPublishSite::SetAltFileName(int itemId, const std::string& name)
{
    Exec(Connection(),
         "INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
         "StringValue) VALUES (:CatalogCode, :ItemId, 1, 999, 2, 'XXX', 0, 1, :Name)",
         {{"CatalogCode", std::string(kCode)}, {"ItemId", itemId}, {"Name", name}});
}

void TPublishSite::SetSource(int itemId, const std::string& classTag, const std::string& text)
{
    const int classId = root_.Root().ObjectContext().GetClassId(classTag);
    TTolvexObjectFactory& factory = root_.Root().Catalog().GetObjectFactory();
    std::unique_ptr<TTolvexObject> object = factory.GetObjectTyped(itemId, classId, Connection(), kCode);
    if (object->GetInstanceId() == 0)
        object = factory.CreateObjectTyped(itemId, classId, 0, Connection(), kCode);
    object->SetLangString("SourceCode", "XXX", text, 0);
    object->Save();
}

void TPublishSite::AddBinary(int itemId, int classId, const std::string& mimeType, const std::string& bytes,
                             const std::string& originalFileName)
{
    // The object first, so that its value row belongs to an object instance.
    TTolvexObjectFactory& factory = root_.Root().Catalog().GetObjectFactory();
    std::unique_ptr<TTolvexObject> object = factory.CreateObjectTyped(itemId, classId, 0, Connection(), kCode);
    if (!originalFileName.empty()) {
        object->SetLangString("BinaryDataFileName", Data().GetCurrentLangCode(), originalFileName, 0);
        object->Save();
    }
    Exec(Connection(),
         "INSERT INTO CBinary (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, "
         "DataBlob, DataBytes, DataMimeType) VALUES (:CatalogCode, :ItemId, :ClassId, :InstanceId, 6, 'XXX', 0, 252, "
         ":Blob, :Bytes, :Mime)",
         {{"CatalogCode", std::string(kCode)},
          {"ItemId", itemId},
          {"ClassId", classId},
          {"InstanceId", object->GetInstanceId()},
          {"Blob", TVariant(TBytes{bytes})},
          {"Bytes", static_cast<int>(bytes.size())},
          {"Mime", mimeType}});
}

std::vector<std::string> TPublishSite::Params(const std::string& langCode) const
{
    return {"Path=" + site_.Path(), "LangCode=" + langCode, "IndexFileName=index.html"};
}

std::unique_ptr<TWorkerPageGeneration> TPublishSite::MakeWorker(TSharedServicesLock& lock, const std::string& workDir)
{
    return std::make_unique<TWorkerPageGeneration>(Data().GetPageGeneration(), Data(),
                                                   Program().Root().ObjectContext(), lock, workDir,
                                                   std::vector<std::string>{"EN"});
}

std::unique_ptr<TPublishLocally> TPublishSite::Make(std::vector<std::string>& params)
{
    return std::make_unique<TPublishLocally>(
        params, Connection(), TPublisherEnvironment{root_.Gui(), nullptr, &runner_, &root_.Root(), nullptr});
}

std::map<std::string, std::string> TPublishSite::Files() const
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(site_.Path()))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), site_.Path()).string()] = TTempFolder::Read(entry.path().string());
    return files;
}
