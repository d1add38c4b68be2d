// Every item type of a style catalog opened through File / Styles outside its
// web and templates trees (those are opened by the site editors' acceptance
// test): the definition's records, item types, initialisation lists, styles,
// catalog properties and the catalog records, one item of each, plus an
// error message and a style preview page, which the shipped definitions have
// none of. Each opens in the editor pane, every tab is visited, and a page
// that only stands for one of the definition editors fails the case; other
// placeholders (pictures...) are only printed.
#include "../../framework/MainWindowFixture.h"
#include "../../framework/PlaceholderPages.h"

#include "catalog/Catalog.h"
#include "common/XmlPtr.h"
#include "editors/framework/Registration.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <set>

namespace {

// The definition editors and their frames: each must open as a real editor.
const std::set<std::string> kDefinitionEditorClasses = {
    "TPreddefinedStyleEditor", "TFramePreDefinedStyle", "TStyleItemTypeEditor", "TFrameItemTypeEditor",
    "TStyleKeyValueEditor", "TFrameKeyValue", "TStyleActionEditor", "TFrameActionEditor", "TFrameErrorMessage",
    "TFrameCatalogType", "TStyleInitializeEditor", "TFrameInitializeEditor", "TFrameObjectEditor",
    "TFrameEditorContainer", "ErrorMessageEditor", "CatalogTypeEditor", "StyleActionEditor"};

// Types the shipped definitions have no item of, made under a parent for the case.
const std::map<int, int> kMadeUnder = {{811, 8}, {516, 510}};

constexpr int kStyleCatalogType = 1;

// The item types of the style catalog's items outside the trees of roots 1
// and 5, as its source file holds them, and the types made for the cases.
std::vector<int> CaseTypes()
{
    const std::string file =
        ShippedDataSourceDir() + "/catalogtypes/catalog_" + std::to_string(kStyleCatalogType) + ".xml";
    TXmlDocPtr doc(xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET));
    std::map<int, int> parentOf;
    std::map<int, int> typeOf;
    if (doc)
        for (xmlNode* item = xmlDocGetRootElement(doc.get())->children; item; item = item->next) {
            if (item->type != XML_ELEMENT_NODE)
                continue;
            const auto attribute = [item](const char* name) {
                TXmlStringPtr text(xmlGetProp(item, reinterpret_cast<const xmlChar*>(name)));
                return text ? std::atoi(reinterpret_cast<const char*>(text.get())) : 0;
            };
            parentOf[attribute("id")] = attribute("parent");
            typeOf[attribute("id")] = attribute("type");
        }
    std::set<int> types;
    for (const auto& [id, type] : typeOf) {
        int at = id;
        for (int steps = 0; steps < 64 && at > 99; ++steps)
            at = parentOf.count(at) ? parentOf[at] : 0;
        if (id > 99 && at != 1 && at != 5)
            types.insert(type);
    }
    for (const auto& [type, parent] : kMadeUnder)
        types.insert(type);
    types.erase(2);  // folders: a container with an item-properties tab
    return {types.begin(), types.end()};
}

class EveryDefinitionItemTypeOpensItsEditors : public testing::TestWithParam<int> {};

TEST_P(EveryDefinitionItemTypeOpensItsEditors, WithoutAMissingDefinitionEditor)
{
    const int itemType = GetParam();
    TMainWindowFixture f(RegisterFrameworkClasses);
    f.OpenStyleCatalog(kStyleCatalogType);
    ASSERT_TRUE(f.Root().Catalog().IsOpen());
    const std::string code = f.Data().GetCatalogCode();

    int itemId = 0;
    {
        TQueryGuard query(f.Main());
        query->SetSQL("SELECT MIN(ItemId) AS Id FROM Items WHERE CatalogCode = :Code AND ItemType = :Type "
                      "AND ItemId > 99");
        query->SetParam("Code", code);
        query->SetParam("Type", itemType);
        TAbstractRecordset& rows = query->Open(true);
        itemId = rows.Eof() ? 0 : FieldInteger(rows, "Id");
    }
    if (itemId == 0 && kMadeUnder.count(itemType))
        itemId = f.Root().Catalog().CreateItem(itemType, kMadeUnder.at(itemType), 0, code, f.Main(), 0);
    ASSERT_NE(itemId, 0) << "the style catalog has no item of type " << itemType;

    try {
        f.Shell().ExecuteAction("Action=MainPageEditor&ItemId=" + std::to_string(itemId), false);
        QCoreApplication::processEvents();
        ASSERT_NE(f.Editor().Context(), nullptr) << "the item's editor did not open";
        ASSERT_EQ(f.Editor().Context()->GetItemType(), itemType);
        VisitEveryTab(*f.EditorPane());
        if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
            f.Window().resize(1100, 720);
            QCoreApplication::processEvents();
            f.Window().grab().save(QString("%1/definition-%2.png").arg(dir).arg(itemType));
        }
        for (const std::string& what : PlaceholdersShown(*f.EditorPane())) {
            if (kDefinitionEditorClasses.count(StandsFor(what)))
                ADD_FAILURE() << "the definition editor " << what << " is still a placeholder";
            else
                std::cout << "[ other placeholder ] " << what << "\n";
        }
    } catch (const std::exception& e) {
        FAIL() << "opening the item raised: " << e.what();
    }
    EXPECT_EQ(f.Boxes().Messages("error"), std::vector<std::string>{});
    EXPECT_EQ(f.Boxes().Messages("warning"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(StyleCatalog, EveryDefinitionItemTypeOpensItsEditors, testing::ValuesIn(CaseTypes()),
                         [](const testing::TestParamInfo<int>& info) { return "Type" + std::to_string(info.param); });

}  // namespace
