#include "storage/ObjectFactory.h"

#include "storage/AbstractCatalog.h"
#include "storage/AbstractDBConnection.h"
#include "storage/IdRanges.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"

std::string TTolvexObjectFactory::CodeOrOpenCatalog(const std::string& catalogCode) const
{
    if (!catalogCode.empty() || !context_.GetOpenCatalog())
        return catalogCode;
    return context_.GetOpenCatalog()->GetCatalogCode();
}

std::unique_ptr<TAbstractCObject> TTolvexObjectFactory::GetObject(int itemId, int classId,
                                                                  TAbstractDBConnection& connection,
                                                                  const std::string& catalogCode)
{
    return GetObjectTyped(itemId, classId, connection, catalogCode);
}

std::unique_ptr<TAbstractCObject> TTolvexObjectFactory::GetObjectByInstance(int itemId, int instanceId,
                                                                            TAbstractDBConnection& connection,
                                                                            const std::string& catalogCode)
{
    return GetObjectByInstanceTyped(itemId, instanceId, connection, catalogCode);
}

std::unique_ptr<TAbstractCObject> TTolvexObjectFactory::CreateObject(int itemId, int classId, int parentInstanceId,
                                                                     TAbstractDBConnection& connection,
                                                                     const std::string& catalogCode)
{
    return CreateObjectTyped(itemId, classId, parentInstanceId, connection, catalogCode);
}

std::unique_ptr<TTolvexObject> TTolvexObjectFactory::GetObjectTyped(int itemId, int classId,
                                                                    TAbstractDBConnection& connection,
                                                                    const std::string& catalogCode)
{
    if (classId == 0)
        return nullptr;
    const std::string code = CodeOrOpenCatalog(catalogCode);
    const int instanceId = FindInstanceId(itemId, classId, kTopLevelParentInstanceId, connection, code);
    return std::make_unique<TTolvexObject>(context_, itemId, classId, instanceId, code, connection);
}

int TTolvexObjectFactory::FindInstanceId(int itemId, int classId, int parentInstanceId,
                                         TAbstractDBConnection& connection, const std::string& catalogCode)
{
    TQueryGuard query(connection);
    // The subquery is not correlated, so that SQLite looks the data item up
    // once and then searches its instances by index.
    query->SetSQL("SELECT a.InstanceId FROM CObjectInstances a WHERE a.CatalogCode = :CatalogCode AND a.ItemId IN "
                  "(SELECT b.LinkedItemId FROM Items b WHERE b.CatalogCode = :CatalogCode AND b.ItemId = :ItemId) "
                  "AND a.ClassId = :ClassId AND a.ParentInstanceId = :ParentInstanceId");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    query->SetParam("ClassId", classId);
    query->SetParam("ParentInstanceId", parentInstanceId);
    TAbstractRecordset& rows = query->Open(true);
    const int instanceId = rows.Eof() ? 0 : object_fields::ToInt(rows.Field("InstanceId"));
    query->Close();
    return instanceId;
}

std::unique_ptr<TTolvexObject> TTolvexObjectFactory::GetObjectByInstanceTyped(int itemId, int instanceId,
                                                                              TAbstractDBConnection& connection,
                                                                              const std::string& catalogCode)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    TQueryGuard query(connection);
    query->SetSQL(itemId != 0 ? "SELECT * FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = "
                                ":ItemId AND InstanceId = :InstanceId"
                              : "SELECT * FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND InstanceId = "
                                ":InstanceId");
    query->SetParam("CatalogCode", code);
    if (itemId != 0)
        query->SetParam("ItemId", itemId);
    query->SetParam("InstanceId", instanceId);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof()) {
        query->Close();
        return nullptr;
    }
    const int rowItemId = object_fields::ToInt(rows.Field("ItemId"));
    const int classId = object_fields::ToInt(rows.Field("ClassId"));
    const int rowInstanceId = object_fields::ToInt(rows.Field("InstanceId"));
    query->Close();
    return std::make_unique<TTolvexObject>(context_, rowItemId, classId, rowInstanceId, code, connection);
}

std::unique_ptr<TTolvexObject> TTolvexObjectFactory::CreateObjectTyped(int itemId, int classId,
                                                                       int parentInstanceId,
                                                                       TAbstractDBConnection& connection,
                                                                       const std::string& catalogCode)
{
    const std::string code = CodeOrOpenCatalog(catalogCode);
    const int instanceId = NewInstanceRow(itemId, classId, parentInstanceId, connection, code);
    auto object = std::make_unique<TTolvexObject>(context_, itemId, classId, instanceId, code, connection);
    object->MarkLoaded();
    return object;
}

int TTolvexObjectFactory::NewInstanceRow(int itemId, int classId, int parentInstanceId,
                                         TAbstractDBConnection& connection, const std::string& catalogCode)
{
    if (itemId == 0)
        return 0;
    TTolvexObjectInstanceIds& ids = context_.PendingInstanceIds();
    int instanceId = 0;
    if (context_.GetOpenCatalog()) {
        // Ids that item caches hold for objects not yet saved count as taken.
        instanceId = ids.NextAfterHighest(connection, catalogCode, itemId);
    } else {
        auto draw = [&] { return LocalIdFromSequence(connection.NextSequenceId(catalogCode, kInstanceSequence)); };
        instanceId = ids.DrawFree(draw, connection, catalogCode, itemId);
    }
    TQueryGuard query(connection);
    query->SetSQL("INSERT INTO CObjectInstances( CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId ) "
                  "VALUES( :CatalogCode, :ItemId, :ClassId, :ParentInstanceId, :InstanceId )");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    query->SetParam("ClassId", classId);
    query->SetParam("ParentInstanceId", parentInstanceId);
    query->SetParam("InstanceId", instanceId);
    query->ExecSQL();
    return instanceId;
}
