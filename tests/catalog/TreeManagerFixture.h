#pragma once
// A tree manager over a real catalog database: the catalog object with a
// small definition, the catalog's queries, item copier and bookkeeping
// behind TCatalogTreeHost, and a view side that records what it was told.
//
// Item types of the definition: 2 folder (holds folders, pages and
// products), 100 page (holds pages and products, produces pages), 200
// product (holds nothing; its data items live under item 3000).
#include "catalog/Catalog.h"
#include "catalog/CatalogBookkeeping.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogQueries.h"
#include "catalog/CatalogTreeHost.h"
#include "catalog/ItemCopier.h"
#include "catalog/TreeManager.h"
#include "catalog/TreeManagerObserver.h"
#include "storage/AbstractCClassDefinition.h"
#include "support/CatalogFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tree_test {

inline const char* const kDefinition = R"(
  <Item id="310001" type="810" parent="31" order="1">
    <Object class="810" instance="1"><Number member="1">2</Number></Object>
    <Object class="807" instance="2"><String member="7">Folder</String></Object>
    <Object class="805" instance="3"><Number member="2">2</Number></Object>
    <Object class="805" instance="4"><Number member="2">100</Number></Object>
    <Object class="805" instance="5"><Number member="2">200</Number></Object>
  </Item>
  <Item id="310002" type="810" parent="31" order="2">
    <Object class="810" instance="1"><Number member="1">100</Number></Object>
    <Object class="807" instance="2"><String member="7">Page</String><Number member="8">1</Number></Object>
    <Object class="805" instance="3"><Number member="2">100</Number></Object>
    <Object class="805" instance="4"><Number member="2">200</Number></Object>
  </Item>
  <Item id="310003" type="810" parent="31" order="3">
    <Object class="810" instance="1"><Number member="1">200</Number></Object>
    <Object class="807" instance="2"><String member="7">Product</String><Number member="6">3000</Number></Object>
  </Item>
)";

// Records the view notifications; answers IsShowing as set.
class TRecordingView : public TTreeManagerObserver {
public:
    bool showing = true;
    int resets = 0;
    int inserts = 0;
    int removes = 0;
    int reorders = 0;
    std::vector<TTreeNode*> edited;
    std::vector<TTreeNode*> revealed;

    void EndReset() override { ++resets; }
    void EndInsert() override { ++inserts; }
    void EndRemove() override { ++removes; }
    void EndReorder(TTreeNode*) override { ++reorders; }
    void EditCaption(TTreeNode* node) override { edited.push_back(node); }
    void MakeVisible(TTreeNode* node) override { revealed.push_back(node); }
    bool IsShowing() override { return showing; }
};

class TreeManagerTest : public ::testing::Test {
protected:
    TreeManagerTest()
    {
        env.Db().DeclareClass(1, "CommonNames").Member(1, "ItemName", 1, mfIsMultiLang | mfUseDefLangForNull);
        env.BuildDefinition(77, kDefinition);
        env.Catalog().GetDefinition().Load(77);
        tree.Attach(env.Connection(), "", "shop");
        tree.SetObserver(&view);
    }

    // An item row (published, automatic order) with its name under "XXX" when one is given.
    void Item(int itemId, int itemType, int parentItemId, const std::string& name = "", int linkedItemId = 0)
    {
        env.Db().AddItem(itemId, itemType, parentItemId, linkedItemId);
        env.Db().Exec("UPDATE Items SET DontSort = 1 WHERE ItemId = :Id", {{"Id", itemId}});
        if (!name.empty())
            Name(itemId, "XXX", name);
    }
    void Name(int itemId, const std::string& lang, const std::string& name)
    {
        env.Db().Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                      "MemberType, StringValue) VALUES ('shop', :Id, 1, 1, 1, :Lang, 0, 1, :Name)",
                      {{"Id", itemId}, {"Lang", lang}, {"Name", name}});
    }
    void Set(int itemId, const std::string& assignments)
    {
        env.Db().Exec("UPDATE Items SET " + assignments + " WHERE ItemId = :Id", {{"Id", itemId}});
    }
    int Column(int itemId, const std::string& column)
    {
        return static_cast<int>(
            env.Db().Scalar("SELECT " + column + " FROM Items WHERE ItemId = :Id", {{"Id", itemId}}).AsInteger());
    }
    // Manual order: the children of the item keep their order numbers.
    void Manual(int itemId) { Set(itemId, "DontSort = 0"); }

    void Open(std::uint16_t options = 0, int rootItemId = 1) { tree.Setup(rootItemId, options, 0, nullptr); }
    TTreeNode* Node(int itemId)
    {
        for (TTreeNode* node : tree.AllNodes())
            if (node->ItemId() == itemId)
                return node;
        return nullptr;
    }
    // The captions of the children of a node (the top level for null);
    // a placeholder shows as "-".
    std::vector<std::string> Captions(TTreeNode* node = nullptr)
    {
        std::vector<std::string> captions;
        for (auto& child : (node ? node : &tree.Root())->Children)
            captions.push_back(child->IsPlaceholder() ? "-" : child->Caption);
        return captions;
    }
    int SelectedId()
    {
        TTreeNode* node = tree.GetSelectedNode();
        return node ? node->ItemId() : 0;
    }

    TCatalogEnvironment env;
    TCatalogQueries queries{env.Db(), env.Db().Context()};
    TItemCopier copier{env.Db(), env.Db().Context()};
    TCatalogBookkeeping bookkeeping{env.Db(), env.Gui()};
    std::set<std::string> images{"Folder", "Page", "DotLine"};
    TCatalogTreeHost host{{env.Db(), env.Catalog(), queries, copier, bookkeeping, env.Gui(), nullptr, nullptr,
                           [this](const std::string& name) { return images.count(name) > 0; }}};
    TTreeManager tree{host};
    TRecordingView view;
};

}  // namespace tree_test
