#include "shell/TreeCommands.h"

#include "catalog/CatalogData.h"
#include "catalog/TreeManager.h"
#include "common/CommonGui.h"
#include "common/ItemDescription.h"
#include "common/Translation.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/IdRanges.h"

#include <charconv>
#include <memory>

namespace {

constexpr int kStoryItemType = 3002;
constexpr int kProductItemType = 4002;
// The product's name (member 2, per language) and its code (member 1, for every language).
constexpr int kProductClassId = 4004;
constexpr int kProductNameMemberId = 2;
constexpr int kProductCodeMemberId = 1;
constexpr const char* kAllLanguages = "XXX";

// Answers of the two-choice box.
constexpr int kPageOnly = 101;
constexpr int kPageAndItem = 102;

int DecimalOrZero(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

bool IsOwnPlacement(const TItemDescription& data)
{
    return data.LinkedItemId == 0 || data.LinkedItemId == data.ItemId;
}

// A connection of its own for a change made of several deletions: rolled
// back unless Commit was called, and freed in any case.
class TOwnUnit {
public:
    explicit TOwnUnit(TCatalogData& data) : connection_(data.GetConnectionFactory().OpenSecondConnection()) {}
    ~TOwnUnit()
    {
        if (!done_)
            Rollback();
    }
    TOwnUnit(const TOwnUnit&) = delete;
    TOwnUnit& operator=(const TOwnUnit&) = delete;

    TAbstractDBConnection& Connection() { return *connection_; }
    void Commit()
    {
        connection_->CommitTrans();
        done_ = true;
    }
    void Rollback() noexcept
    {
        done_ = true;
        try {
            connection_->RollbackTrans();
        } catch (...) {
            // The connection is freed next; SQLite drops what it still holds.
        }
    }

private:
    std::unique_ptr<TAbstractDBConnection> connection_;
    bool done_ = false;
};

}  // namespace

TTreeCommands::TTreeCommands(TServices services) : s_(std::move(services)) {}

std::string TTreeCommands::Translate(const std::string& text) const
{
    return TTranslation::OrEnglish(s_.Translation).Translate(text);
}

std::string TTreeCommands::Format(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(s_.Translation).Format(text, {arg});
}

bool TTreeCommands::MayLeave() const
{
    return !s_.CanLeave || s_.CanLeave();
}

// ---- web tree ---------------------------------------------------------------------------

std::string TTreeCommands::ItemNameForQuestion(const TTreeNode& node)
{
    if (node.Data->ItemType != kProductItemType)
        return node.Caption;
    TCatalogQueries& queries = s_.Data->GetQueries();
    TAbstractDBConnection& connection = s_.WebTree->GetConnection();
    const int product = node.Data->LinkedItemId;
    return queries.ReadStringMember(product, kProductClassId, kProductNameMemberId, s_.Data->GetCurrentLangCode(),
                                    connection) +
           " (" + queries.ReadStringMember(product, kProductClassId, kProductCodeMemberId, kAllLanguages, connection) +
           ")";
}

bool TTreeCommands::DeletePage()
{
    TTreeNode* chosen = s_.WebTree ? s_.WebTree->GetSelectedNode() : nullptr;
    if (!chosen || !chosen->IsItem() || !s_.Data)
        return false;
    const int chosenId = chosen->ItemId();
    // The editor's unsaved work is dropped below: the user decides about it
    // first. Saving it may load the tree anew and free its nodes: the page
    // is the selected node still showing the same item, or nothing.
    if (!MayLeave())
        return false;
    TTreeNode* node = s_.WebTree->GetSelectedNode();
    if (!node || !node->IsItem() || node->ItemId() != chosenId)
        return false;
    const TItemDescription data = *node->Data;
    int choice = kPageOnly;
    std::string cannotDeleteItem;
    if (IsOwnPlacement(data)) {
        if (s_.Gui->AskQuestion(Format("Do you really want to delete \"$1\"?", node->Caption), Translate("Question"),
                                false) != mrYes)
            return false;
    } else {
        const std::string name = ItemNameForQuestion(*node);
        std::string second = "Delete the page from web tree and also the item \"$1\" from the database?";
        cannotDeleteItem = "Cannot delete the item \"$1\" from the database. Continue anyway?";
        if (data.ItemType == kStoryItemType) {
            second = "Delete the page from web tree and also the story \"$1\" from the database?";
            cannotDeleteItem = "Cannot delete the story \"$1\" from the database. Continue anyway?";
        } else if (data.ItemType == kProductItemType) {
            second = "Delete the page from web tree and also the product \"$1\" from the database?";
            cannotDeleteItem = "Cannot delete the product \"$1\" from the database. Continue anyway?";
        }
        choice = s_.Gui->AskChoice(Translate("Delete the page from web tree?"), Format(second, name),
                                   Translate("Question"));
        if (choice != kPageOnly && choice != kPageAndItem)
            return false;
        cannotDeleteItem = Format(cannotDeleteItem, name);
    }

    TOwnUnit unit(*s_.Data);
    if (s_.CancelEditor)
        s_.CancelEditor(false);
    if (!s_.Data->DeleteItem(data.ItemId, unit.Connection(), true, true, TDeleteChildren::Refuse)) {
        s_.Gui->ShowError("Cannot delete the item.");
        unit.Rollback();
        if (s_.CancelEditor)
            s_.CancelEditor(true);
        return false;
    }
    if (choice == kPageAndItem &&
        !s_.Data->DeleteItem(data.LinkedItemId, unit.Connection(), true, true, TDeleteChildren::Refuse) &&
        s_.Gui->AskQuestion(cannotDeleteItem, Translate("Question"), false) != mrYes)
        return false;  // the unit rolls back
    unit.Commit();
    // The node may have been replaced while the questions were open.
    if (TTreeNode* same = s_.WebTree->GetSelectedNode(); same && same->ItemId() == data.ItemId)
        s_.WebTree->DeleteNode(same);
    else
        s_.WebTree->RefreshItemNodes(data.ParentItemId, s_.WebTree->GetConnection());
    return true;
}

void TTreeCommands::ToggleSort()
{
    if (s_.WebTree)
        s_.WebTree->ToggleSort(s_.WebTree->GetSelectedNode());
}

bool TTreeCommands::MoveUp()
{
    return s_.WebTree && s_.WebTree->MoveUp(s_.WebTree->GetSelectedNode());
}

bool TTreeCommands::MoveDown()
{
    return s_.WebTree && s_.WebTree->MoveDown(s_.WebTree->GetSelectedNode());
}

void TTreeCommands::ForceRepublish()
{
    if (s_.WebTree)
        s_.WebTree->ForceRepublish(s_.WebTree->GetSelectedNode());
}

std::string TTreeCommands::NodeInfo(const TTreeNode* node)
{
    if (!node || !node->IsItem())
        return {};
    const TItemDescription& d = *node->Data;
    return "TreeItemId: " + std::to_string(d.ItemId) + "\r\nLinkedItemId: " + std::to_string(d.LinkedItemId) +
           "\r\nParentItemId: " + std::to_string(d.ParentItemId) + "\r\nItemType: " + std::to_string(d.ItemType) +
           "\r\nOrderNum: " + std::to_string(d.OrderNum);
}

// ---- templates tree ---------------------------------------------------------------------

bool TTreeCommands::DeleteTemplate()
{
    TTreeNode* node = s_.TemplatesTree ? s_.TemplatesTree->GetSelectedNode() : nullptr;
    if (!node || !node->IsItem() || !s_.Data)
        return false;
    if (s_.Gui->AskQuestion(Format("Do you really want to delete \"$1\"?", node->Caption), Translate("Question"),
                            false) != mrYes)
        return false;
    TAbstractDBConnection& connection = s_.Data->GetConnectionFactory().GetConnection();
    if (!s_.Data->DeleteItem(node->ItemId(), connection, true, true, TDeleteChildren::Refuse)) {
        s_.Gui->ShowError("Cannot delete the item.");
        return false;
    }
    s_.TemplatesTree->DeleteNode(node);
    if (s_.TemplatesChanged)
        s_.TemplatesChanged();
    return true;
}

int TTreeCommands::CopyToNewTemplate()
{
    if (!s_.TemplatesTree || !MayLeave())
        return 0;
    const int copy = s_.TemplatesTree->CopyItemNode(nullptr, 0);
    if (copy != 0 && s_.TemplatesChanged)
        s_.TemplatesChanged();
    return copy;
}

// ---- adding items -----------------------------------------------------------------------

bool TTreeCommands::CanAddNewItem(int itemType, int linkMarker, bool possibleOnly, int rangeStart, int rangeEnd)
{
    if (itemType == 0 || !s_.WebTree)
        return false;
    if (rangeStart != 0 || rangeEnd != 0)
        return s_.WebTree->CanAddChildEx(rangeStart, rangeEnd, itemType, linkMarker, possibleOnly);
    return s_.WebTree->CanAddChild(itemType, possibleOnly);
}

bool TTreeCommands::AddNewItem(int itemType, int linkMarker, bool possibleOnly, int rangeStart, int rangeEnd,
                               int parentItemId)
{
    if (!s_.WebTree)
        return false;
    int singleId = 0;
    if (itemType == 0 && s_.ChooseItemType) {
        int first = 0;
        int last = 0;
        int chosen = 0;
        if (s_.ChooseItemType(chosen, first, last)) {
            itemType = chosen;
            if (first == last) {
                singleId = first;
            } else {
                rangeStart = first;
                rangeEnd = last;
            }
        }
    }
    if (itemType == 0)
        return false;
    bool added = false;
    if (singleId != 0)
        added = s_.WebTree->CreateChildItem(singleId, itemType, linkMarker, parentItemId, possibleOnly);
    else if (rangeStart != 0 || rangeEnd != 0)
        added = s_.WebTree->CreateChildItemInRange(rangeStart, rangeEnd, itemType, linkMarker, parentItemId,
                                                   possibleOnly);
    else
        added = s_.WebTree->AddNewItemNode(itemType, linkMarker, parentItemId, possibleOnly);
    if (!added)
        s_.Gui->ShowError("You cannot create a new item without first saving your current one.");
    return added;
}

int TTreeCommands::CopySelected(bool templatesTree, const std::string& newIdText)
{
    TTreeManager* tree = templatesTree ? s_.TemplatesTree : s_.WebTree;
    if (!tree)
        return 0;
    const int copy = tree->CopyItemNode(nullptr, DecimalOrZero(newIdText));
    if (copy != 0 && templatesTree && s_.TemplatesChanged)
        s_.TemplatesChanged();
    return copy;
}

// ---- placing found items -----------------------------------------------------------------

bool TTreeCommands::CanPlace(TTreeNode* target, const std::vector<TEntry>& entries) const
{
    if (!s_.WebTree || !target || entries.empty())
        return false;
    for (const TEntry& entry : entries)
        if (!s_.WebTree->CanPlaceItem(target, entry.ItemId, entry.ItemType, true))
            return false;
    return true;
}

int TTreeCommands::Place(TTreeNode* target, const std::vector<TEntry>& entries)
{
    if (!s_.WebTree || !target)
        return 0;
    int placed = 0;
    for (const TEntry& entry : entries) {
        // The target's children are loaded by the first placement; ask again each time.
        if (!s_.WebTree->CanPlaceItem(target, entry.ItemId, entry.ItemType, true))
            continue;
        s_.WebTree->LinkItemUnderNode(target, entry.ItemId, entry.ItemType, entry.Caption);
        ++placed;
    }
    return placed;
}

// ---- selecting and refreshing ---------------------------------------------------------------

bool TTreeCommands::SelectLastItem()
{
    if (!s_.WebTree || s_.WebTree->GetCurrentItemId() == 0)
        return false;
    s_.WebTree->LocateItem(s_.WebTree->GetCurrentItemId(), nullptr);
    return true;
}

void TTreeCommands::SelectFirstItem()
{
    if (s_.WebTree && s_.HomePageId)
        s_.WebTree->SelectItem(s_.HomePageId());
}

void TTreeCommands::LocateOnWebTree(int itemId)
{
    if (s_.WebTree)
        s_.WebTree->LocateOtherPlace(itemId);
}

void TTreeCommands::RevealOnWebTree(int treeItemId)
{
    if (s_.WebTree)
        s_.WebTree->LocateItem(treeItemId, nullptr);
}

void TTreeCommands::SelectTemplatesRoot(int rootItemId)
{
    if (s_.TemplatesTree && rootItemId != 0)
        s_.TemplatesTree->Setup(rootItemId, kSelectedTreeOptions, 0, nullptr);
}

void TTreeCommands::Refresh(bool templatesTree, int itemId)
{
    TTreeManager* tree = templatesTree ? s_.TemplatesTree : s_.WebTree;
    if (tree)
        tree->RefreshItem(itemId, tree->GetConnection());
}
