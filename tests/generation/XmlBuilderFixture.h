#pragma once
// The page XML builder's tests run rules against a small catalog in a real
// SQLite database:
//
//   1 (web root)
//   +- 100 Section A (type 10, order 1)
//   |   +- 110 Pen (type 20, order 1)
//   |   +- 111 Ink (type 20, order 2)
//   |   +- 112 Sub (type 10, order 3)
//   |       +- 120 Nib (type 20)
//   +- 200 Section B (type 10, order 2)
//   |   +- 210 Cap (type 20, hidden)
//   +- 300 a second placement of Pen (type 20, order 3, linked item 110)
//
// The class CommonNames (1) has no members, so its elements show only which
// items were written; the names above are its stored rows and order the
// listings. Product (10) carries values for conditions, groups and counts.
#include "XmlBuilderTestCatalog.h"
#include "common/Log.h"
#include "generation/XmlBuilder.h"
#include "storage/ObjectCollection.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <memory>
#include <string>

namespace xml_builder_test {

constexpr int kNames = 1;
constexpr int kProduct = 10;
constexpr int kPageLinks = 103;
constexpr int kMember = 40;
constexpr int kSection = 10;
constexpr int kArticle = 20;

class XmlBuilderFixture : public ::testing::Test {
protected:
    XmlBuilderFixture();
    ~XmlBuilderFixture() override;

    // An Items row with its order and, when Name is given, its name under "XXX".
    void AddItem(int itemId, int itemType, int parentId, int orderNum, const std::string& name = "",
                 int linkedItemId = 0, bool notVisible = false);
    void SetParent(int itemId, int parentId);
    // A CObjectInstances row.
    void AddInstance(int itemId, int classId, int instanceId, int parentInstanceId = 0);
    // A value row of an object (language "XXX" unless given).
    void AddString(int itemId, int classId, int instanceId, int memberId, const std::string& value, int index = 0,
                   const std::string& lang = "XXX");
    void AddNumber(int itemId, int classId, int instanceId, int memberId, double value, int index = 0);

    // Runs one rule for the page ItemId (its own tree item unless given) and
    // answers the XML inside the page's root element.
    std::string Run(const std::string& rule, int itemId = 110, int treeItemId = 0, int itemType = kArticle);
    // The XML inside the root element as built so far.
    std::string Page() const;
    // The TreeItemIds of the elements an XPath selects, joined by ",".
    std::string Written(const std::string& xpath) const;
    // Starts a new page document.
    void NewPage();

    TCatalogFixture catalog;
    TXmlBuilderTestCatalog generation{catalog};
    TObjectCollection collection{catalog.Context()};
    TLog log;
    xmlDoc* doc = nullptr;
    std::unique_ptr<TXmlBuilder> builder;
};

// "<CommonNames ItemId=.. TreeItemId=../>" for each id, with extra
// attributes written before the ids.
std::string Names(std::initializer_list<int> ids, const std::string& extra = "");
std::string Name(int id, const std::string& extra = "", int treeItemId = 0);

}  // namespace xml_builder_test
