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
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"
#include "gui/MainWindowMessages.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmDetailProcess.h"
#include "publishing/ui/frmPublishParameters.h"
#include "shell/QtShell.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace business_test {

inline constexpr int kSchedulesRoot = 12;
inline constexpr int kFieldsRoot = 18;
inline constexpr int kProductsRoot = 11;
inline constexpr int kHome = 100001;

// Committed objects of an item, written as another editor would have saved them.
inline void Write(TMainWindowFixture& f, int itemId, int classId, const std::function<void(TTolvexObject&)>& fill)
{
    std::unique_ptr<TTolvexObject> object =
        f.Root().Catalog().GetObjectFactory().CreateObjectTyped(itemId, classId, 0, f.Main(), "shop");
    fill(*object);
    object->Save();
}

// Makes the tab of that caption ("&" aside) current in the tab widget of
// the editor pane that holds it; false when none does.
inline bool ShowNestedTab(TMainWindowFixture& f, const QString& caption)
{
    for (QTabWidget* tabs : f.EditorPane()->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i).remove('&') == caption) {
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
                return true;
            }
    return false;
}

inline int AddNamedItem(TMainWindowFixture& f, int itemType, int parent, const std::string& name)
{
    const int id = f.Root().Catalog().CreateItem(itemType, parent, 0, "shop", f.Main(), 0);
    Write(f, id, 1, [&](TTolvexObject& names) { names.SetLangString("ItemName", "EN", name, 0); });
    return id;
}

struct TProduct {
    int Placement = 0;
    int Data = 0;
};

// A saved product under item 11, placed below the home page.
inline TProduct AddProduct(TMainWindowFixture& f, const std::string& code, const std::string& name)
{
    TProduct product;
    product.Data = AddNamedItem(f, 4002, kProductsRoot, name + " (" + code + ")");
    Write(f, product.Data, 4004, [&](TTolvexObject& object) {
        object.SetLangString("Code", "XXX", code, 0);
        object.SetLangString("Name", "EN", name, 0);
    });
    product.Placement = f.Root().Catalog().CreateItem(4002, kHome, product.Data, "shop", f.Main(), 0);
    f.Shell().CatalogUI()->WebTree()->Reload(&f.Main());
    return product;
}

// Opens the item in the editor pane as a click in the site tree does, on the tab when one is named.
inline void OpenItem(TMainWindowFixture& f, int itemId, const std::string& tab = {})
{
    f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId) +
                                (tab.empty() ? std::string() : "&TabName=" + tab),
                            false);
    QCoreApplication::processEvents();
}

inline void ShowTab(TMainWindowFixture& f, const char* tab)
{
    ASSERT_TRUE(f.Editor().Container()->ActivateTabByName(tab)) << tab;
    QCoreApplication::processEvents();
}

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

// The lines of After that Before lacks ("+ ") and those it lost ("- "): empty when the rows are the same.
inline std::string RowsChanged(const std::string& before, const std::string& after)
{
    const auto lines = [](const std::string& text) {
        std::multiset<std::string> set;
        // A text value may hold newlines of its own: a row starts with a table's name.
        std::string row;
        for (std::size_t at = 0; at < text.size();) {
            std::size_t next = text.find('\n', at);
            if (next == std::string::npos)
                next = text.size();
            const std::string line = text.substr(at, next - at);
            at = next + 1;
            const bool startsRow = line.starts_with("Items|") || line.starts_with("CObjectInstances|") ||
                                   line.starts_with("CStrings|") || line.starts_with("CText|") ||
                                   line.starts_with("CNumbers|") || line.starts_with("CDates|");
            if (startsRow && !row.empty()) {
                set.insert(row);
                row.clear();
            }
            row += (row.empty() ? "" : "\n") + line;
        }
        if (!row.empty())
            set.insert(row);
        return set;
    };
    const std::multiset<std::string> was = lines(before);
    const std::multiset<std::string> is = lines(after);
    std::string changed;
    for (const std::string& row : is)
        if (!was.count(row))
            changed += "+ " + row.substr(0, 200) + "\n";
    for (const std::string& row : was)
        if (!is.count(row))
            changed += "- " + row.substr(0, 200) + "\n";
    return changed;
}

// The whole file's bytes.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Publishes the site into Folder as File / Publish Locally does, with the dialog's defaults.
inline void PublishLocally(TMainWindowFixture& f, const std::string& folder)
{
    f.Shell().Dialogs().SetFolderChooser([folder](const std::string&, const std::string&) { return folder; });
    auto startWithDefaults = std::make_shared<std::function<void()>>();
    *startWithDefaults = [startWithDefaults] {
        if (auto* dialog = qobject_cast<TfrmPublishParameters*>(QApplication::activeModalWidget())) {
            dialog->StartButton()->click();
            *startWithDefaults = nullptr;  // ends the cycle of owners
        } else
            QTimer::singleShot(5, *startWithDefaults);
    };
    QTimer::singleShot(0, *startWithDefaults);
    f.Shell().ExecuteAction("Action=PublishLocally", false);
    QCoreApplication::processEvents();
    std::vector<TfrmDetailProcess*> windows = TfrmDetailProcess::ProcessWindows();
    ASSERT_EQ(windows.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return windows.front()->IsFinished(); }));
    EXPECT_TRUE(windows.front()->GetPublisher() && windows.front()->GetPublisher()->Succeeded());
    f.Window().PostMessage(WM_FREE_PROCESS_WINDOWS, 0, 0);
    ASSERT_TRUE(WaitFor([] { return TfrmDetailProcess::ProcessWindows().empty(); }));
}

}  // namespace business_test
