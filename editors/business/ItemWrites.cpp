#include "editors/business/ItemWrites.h"

#include "catalog/Catalog.h"
#include "common/Exceptions.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteModelContext.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"

#include <memory>

namespace {

constexpr int kNamesClass = 1;

}  // namespace

TItemWrites TItemWrites::Direct(const TSiteModelContext& context)
{
    TAbstractDBConnection* connection = &context.Connection;
    TItemWrites writes;
    writes.commitNow_ = [connection](const TWrite& write, TWrite) { write(*connection); };
    writes.atSave_ = [connection](const std::string&, TWrite write) { write(*connection); };
    return writes;
}

TItemWrites TItemWrites::Through(TTolvexControlClass& context)
{
    TTolvexControlClass* owner = &context;
    TItemWrites writes;
    writes.commitNow_ = [owner](const TWrite& write, TWrite undo) {
        owner->CommitNow(write);
        owner->AddUndoAction(std::move(undo));
    };
    writes.atSave_ = [owner](const std::string& key, TWrite write) { owner->DeferUntilSave(key, std::move(write)); };
    return writes;
}

int TItemWrites::CreateNamedItem(const TSiteModelContext& context, int itemType, int parentId,
                                 const std::vector<std::string>& languages, const std::string& name) const
{
    TCatalog* catalog = &context.Catalog;
    const std::string code = context.CatalogCode;
    // The id is known once the write ran; the undo reads it then.
    auto created = std::make_shared<int>(0);
    CommitNow(
        [&, created](TAbstractDBConnection& connection) {
            *created = catalog->CreateItem(itemType, parentId, 0, code, connection, 0);
            std::unique_ptr<TTolvexObject> names =
                catalog->GetObjectFactory().CreateObjectTyped(*created, kNamesClass, 0, connection, code);
            for (const std::string& lang : languages)
                names->SetLangString("ItemName", lang, name, 0);
            names->Save();
        },
        [catalog, code, created](TAbstractDBConnection& connection) {
            catalog->DeleteItem(*created, code, connection, false, false, TDeleteChildren::Cascade);
        });
    return *created;
}

void TItemWrites::DeleteAtSave(const TSiteModelContext& context, const std::string& key, int itemId,
                               const std::string& refused) const
{
    TCatalog* catalog = &context.Catalog;
    const std::string code = context.CatalogCode;
    AtSave(key, [catalog, code, itemId, refused](TAbstractDBConnection& connection) {
        if (!catalog->DeleteItem(itemId, code, connection, true, true, TDeleteChildren::Refuse))
            throw ETolvexException(refused);
    });
}
