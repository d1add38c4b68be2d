#include "editors/business/ItemWrites.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteModelContext.h"

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
