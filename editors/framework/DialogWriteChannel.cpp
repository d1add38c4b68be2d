#include "editors/framework/DialogWriteChannel.h"

#include "catalog/Catalog.h"
#include "catalog/Tolvex.h"
#include "editors/framework/TolvexControlClass.h"
#include "storage/AbstractDBConnection.h"
#include "storage/ItemRowsSnapshot.h"

#include <map>
#include <memory>

namespace {

// The owners of the open connections. Editing contexts live on the GUI thread.
std::map<const TAbstractDBConnection*, TTolvexControlClass*>& Owners()
{
    static std::map<const TAbstractDBConnection*, TTolvexControlClass*> owners;
    return owners;
}

}  // namespace

TTolvexControlClass* TDialogWriteChannel::OwnerOf(const TAbstractDBConnection& connection)
{
    const auto found = Owners().find(&connection);
    return found == Owners().end() ? nullptr : found->second;
}

void TDialogWriteChannel::SetOwner(const TAbstractDBConnection& connection, TTolvexControlClass* owner)
{
    if (owner)
        Owners()[&connection] = owner;
    else
        Owners().erase(&connection);
}

void TDialogWriteChannel::Commit(const TWrite& write, TWrite undo)
{
    context_.CommitNow(write);
    context_.AddUndoAction(std::move(undo));
}

std::vector<int> TDialogWriteChannel::CommitItems(const std::vector<int>& changedItems, const TItemWrite& write)
{
    const std::string code = context_.GetCatalogCode();
    auto before = std::make_shared<TItemRowsSnapshot>(
        TItemRowsSnapshot::Take(context_.GetConnection(), code, changedItems));
    std::vector<int> created;
    context_.CommitNow([&](TAbstractDBConnection& connection) { created = write(connection); });
    TCatalog& catalog = context_.Services().Root.Catalog();
    context_.AddUndoAction([&catalog, code, created, before](TAbstractDBConnection& connection) {
        // Newest first: a copy goes before the image it was made for.
        for (auto item = created.rbegin(); item != created.rend(); ++item)
            catalog.DeleteItem(*item, code, connection, false, false, TDeleteChildren::Cascade);
        before->Restore(connection);
    });
    return created;
}
