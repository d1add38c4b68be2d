#include "editors/site/SiteDatabaseWrites.h"

#include "catalog/Catalog.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteModelContext.h"

TSiteDatabaseWrites TSiteDatabaseWrites::Direct(const TSiteModelContext& context)
{
    TCatalog* catalog = &context.Catalog;
    TAbstractDBConnection* connection = &context.Connection;
    const std::string code = context.CatalogCode;
    TSiteDatabaseWrites writes;
    writes.get_ = [connection, code](int id) { return TCatalog::GetCatalogProperty(id, *connection, code); };
    writes.set_ = [catalog, connection, code](int id, const std::string& value) {
        catalog->SetCatalogProperty(id, value, *connection, code);
    };
    writes.write_ = [connection](const std::string&, TWrite write) { write(*connection); };
    return writes;
}

TSiteDatabaseWrites TSiteDatabaseWrites::Deferred(TTolvexControlClass& context)
{
    TTolvexControlClass* owner = &context;
    TSiteDatabaseWrites writes;
    writes.get_ = [owner](int id) { return owner->GetCatalogOption(id); };
    writes.set_ = [owner](int id, const std::string& value) { owner->SetCatalogOption(id, value); };
    writes.write_ = [owner](const std::string& key, TWrite write) { owner->DeferUntilSave(key, std::move(write)); };
    return writes;
}
