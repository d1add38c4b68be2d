#pragma once
// Helpers for tests that drive the business editors in the main window's
// editor pane: the price schedules, the custom fields and a product opened
// as a user opens them, values typed as a user types them, and what the
// catalog holds for them once saved.
#include "../site/EditorPaneHelpers.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeNode.h"
#include "shell/CatalogWindowUI.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace business_test {

inline constexpr int kSchedulesRoot = 12;
inline constexpr int kFieldsRoot = 18;
inline constexpr int kProductsRoot = 11;

// Opens the item type's editor as the View menu does ("Price Schedules" 12, "Custom Fields" 18, "All Products" 11).
inline void OpenList(TMainWindowFixture& f, int itemType)
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemType=" + std::to_string(itemType) + "&Check=yes", false);
    QCoreApplication::processEvents();
}

// Clicks the button; an input box it opens gets Answer.
inline void ClickWithInput(TMainWindowFixture& f, const char* button, const std::string& answer)
{
    f.Boxes().QueueInput(answer);
    QTest::mouseClick(Find<QPushButton>(f, button), Qt::LeftButton);
    QCoreApplication::processEvents();
}

inline void ChooseData(QComboBox* combo, const QString& data)
{
    ASSERT_NE(combo, nullptr);
    const int index = combo->findData(data);
    ASSERT_GE(index, 0) << data.toStdString();
    combo->setCurrentIndex(index);
}

// The ids of the items of the type under the root, in tree order.
inline std::vector<int> ChildrenOfType(TMainWindowFixture& f, int root, int itemType)
{
    std::vector<std::string> ids;
    f.Data().GetQueries().GetChildIdsOfType(root, itemType, f.Main(), ids);
    std::vector<int> result;
    for (const std::string& id : ids)
        result.push_back(std::stoi(id));
    return result;
}

inline std::string NameOf(TMainWindowFixture& f, int itemId)
{
    return f.Data().GetItemName(itemId, f.Main(), f.Data().GetDefaultLangCode());
}

// What a fresh reader finds: the first row of a query with :CatalogCode, as text.
inline std::string Committed(TMainWindowFixture& f, const std::string& sql)
{
    TQueryGuard query(f.Main());
    query->SetSQL(sql);
    query->SetParam("CatalogCode", f.Data().GetCatalogCode());
    TAbstractRecordset& rows = query->Open(true);
    return rows.Eof() ? std::string("(none)") : FieldText(rows, rows.FieldName(0));
}

// Every value row of the catalog, one line each: what "writes nothing" compares.
inline std::string AllRows(TMainWindowFixture& f)
{
    std::string text;
    for (const char* table : {"Items", "CObjectInstances", "CStrings", "CText", "CNumbers", "CDates"}) {
        TQueryGuard query(f.Main());
        query->SetSQL(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2, 3, 4, 5");
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
            text += table;
            for (int i = 0; i < rows.FieldCount(); ++i)
                text += "|" + FieldText(rows, rows.FieldName(i));
            text += "\n";
        }
    }
    return text;
}

}  // namespace business_test
