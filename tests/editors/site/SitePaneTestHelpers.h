#pragma once
// What the tests of the site editors in the main window's editor pane share.
#include "../framework/MainWindowFixture.h"

#include "catalog/CatalogPageGeneration.h"
#include "editors/framework/TolvexControlClass.h"
#include "generation/Transformer.h"
#include "storage/ObjectCollection.h"

#include <cstdlib>
#include <string>

// A page generated as the main editor's preview generates it: with the
// values not saved yet, through the editor's own connection.
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

// Saves a picture of the main window as site-<name>.png when TOLVEX_SCREENSHOT_DIR is set.
inline void Shoot(TMainWindowFixture& f, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        f.Window().resize(1100, 720);
        QCoreApplication::processEvents();
        f.Window().grab().save(QString("%1/site-%2.png").arg(dir, name));
    }
}
