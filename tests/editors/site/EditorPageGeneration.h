#pragma once
// A page generated as the main editor's preview generates it: with the
// values not saved yet, through the editor's own connection.
#include "../framework/MainWindowFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "editors/framework/TolvexControlClass.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"

#include <string>

inline std::string GeneratePage(TMainWindowFixture& f, int itemId)
{
    TTolvexControlClass& context = *f.Editor().Context();
    std::string html;
    context.WithUnsavedValues([&](TAbstractDBConnection& connection) {
        TTransformer transformer(f.Data().GetPageGeneration(), f.Data().GetCatalogCode(), nullptr);
        const int type = f.Data().GetQueries().GetItemType(itemId, f.Data().GetCatalogCode(), connection);
        transformer.GeneratePage(itemId, itemId, type, context.GetCurrentLangCode(), context.GetObjectCollection(),
                                 connection, "");
        html = transformer.GetResultHtml();
    });
    return html;
}
