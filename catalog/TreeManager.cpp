// Loading and display of a tree manager: the children query, captions,
// images, expanding and collapsing, drawing, refreshing and sorting.
#include "catalog/TreeManager.h"

#include "catalog/CatalogItemsSql.h"
#include "catalog/CatalogQueriesRows.h"
#include "catalog/TreeManagerHost.h"
#include "catalog/TreeManagerObserver.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "storage/AbstractDBConnection.h"

#include <algorithm>

using catalog_sql::IntOf;
using catalog_sql::TextOf;
using std::to_string;

namespace {

// The name, child-count and visibility columns of every node statement.
const char* const kNodeColumns =
    "(SELECT Max( StringValue ) FROM CStrings AS c WHERE c.CatalogCode = a.CatalogCode AND "
    "c.ItemId = a.LinkedItemId AND c.ClassId = 1 AND c.MemberId = 1 AND "
    "(c.LangCode = :LangCode OR c.LangCode = :AllLangCode)) AS NodeName, "
    "(SELECT COUNT(*) FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = a.ItemId) "
    "AS NumChilds, "
    "(SELECT MAX( NotVisible ) FROM Items AS d WHERE d.CatalogCode = a.CatalogCode AND "
    "d.ItemId = a.LinkedItemId) AS ItemNotVisible ";

const std::vector<std::string> kRowFields{
    "ItemId",         "ItemType",        "ParentItemId",       "LinkedItemId",     "OrderNum",
    "DontDelete",     "DontSort",        "IsSynchronized",     "ExpandedImageCode", "CollapsedImageCode",
    "UserPriority",   "NodeName",        "NumChilds",          "ItemNotVisible"};

const char* const kNoName = "(No name for the language)";

// Keeps the hourglass for the lifetime of the object, also when a query raises.
class THostWait {
public:
    explicit THostWait(TTreeManagerHost& host) : host_(host) { host_.BeginWait(); }
    ~THostWait() { host_.EndWait(); }
    THostWait(const THostWait&) = delete;
    THostWait& operator=(const THostWait&) = delete;

private:
    TTreeManagerHost& host_;
};

}  // namespace


TTreeManager::TTreeManager(TTreeManagerHost& host) : host_(host) {}

TTreeManager::~TTreeManager()
{
    // A view still attached is emptied first; it must not outlive the manager.
    Clear();
    observer_ = nullptr;
}

void TTreeManager::Attach(TAbstractDBConnection& connection, const std::string& captionLangCode,
                          const std::string& catalogCode)
{
    connection_ = &connection;
    captionLang_ = captionLangCode;
    catalogCode_ = catalogCode;
}

bool TTreeManager::SetHiddenItemTypes(const std::vector<int>& itemTypes)
{
    hiddenItemTypes_ = itemTypes;
    return !hiddenItemTypes_.empty();
}

std::string TTreeManager::GetLangCode()
{
    return host_.GetCurrentLangCode();
}

std::string TTreeManager::CaptionLanguage()
{
    if (!captionLang_.empty())
        return captionLang_;
    if (options_ & toDefaultLanguage)
        return host_.GetDefaultLangCode();
    return host_.GetCurrentLangCode();
}

TAbstractDBConnection& TTreeManager::GetConnection()
{
    if (!connection_)
        throw EDeveloperTolvexException("The tree manager is not attached to a connection");
    return *connection_;
}

void TTreeManager::Setup(int rootItemId, std::uint16_t options, int initialItemId,
                         const std::vector<std::string>* parameters)
{
    rootItemId_ = rootItemId;
    options_ = options;
    initialItemId_ = initialItemId;
    if (parameters)
        parameters_.insert(parameters_.end(), parameters->begin(), parameters->end());
    Reload(nullptr);
}

// ---- the node tree ------------------------------------------------------------------------

TTreeNode* TTreeManager::AppendChild(TTreeNode* parent, std::unique_ptr<TTreeNode> node)
{
    TTreeNode* into = parent ? parent : &root_;
    node->Parent = into;
    const int row = static_cast<int>(into->Children.size());
    if (observer_)
        observer_->BeginInsert(into, row, row);
    into->Children.push_back(std::move(node));
    if (observer_)
        observer_->EndInsert();
    return into->Children.back().get();
}

void TTreeManager::AddPlaceholder(TTreeNode* parent)
{
    AppendChild(parent, std::make_unique<TTreeNode>());
}

void TTreeManager::RemoveChild(TTreeNode* parent, int index)
{
    TTreeNode* into = parent ? parent : &root_;
    if (observer_)
        observer_->BeginRemove(into, index, index);
    // The node leaves the tree before it is freed, so that no notification
    // of the freeing can reach it.
    std::unique_ptr<TTreeNode> gone = std::move(into->Children[index]);
    into->Children.erase(into->Children.begin() + index);
    if (observer_)
        observer_->EndRemove();
}

void TTreeManager::RemoveChildren(TTreeNode* node)
{
    TTreeNode* into = node ? node : &root_;
    if (into->Children.empty())
        return;
    if (observer_)
        observer_->BeginRemove(into, 0, static_cast<int>(into->Children.size()) - 1);
    std::vector<std::unique_ptr<TTreeNode>> gone = std::move(into->Children);
    into->Children.clear();
    if (observer_)
        observer_->EndRemove();
}

std::vector<TTreeNode*> TTreeManager::AllNodes() const
{
    std::vector<TTreeNode*> nodes;
    std::vector<TTreeNode*> stack;
    for (auto it = root_.Children.rbegin(); it != root_.Children.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        TTreeNode* node = stack.back();
        stack.pop_back();
        nodes.push_back(node);
        for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it)
            stack.push_back(it->get());
    }
    return nodes;
}

bool TTreeManager::InScope(TTreeNode* node) const
{
    for (TTreeNode* up = node; up; up = up->Parent)
        if (up == &root_)
            return true;
    return false;
}

void TTreeManager::Clear()
{
    if (observer_)
        observer_->BeginReset();
    root_.Children.clear();
    if (observer_)
        observer_->EndReset();
}

// ---- loading ---------------------------------------------------------------------------------

std::string TTreeManager::ChildrenSql(int parentItemId) const
{
    std::string filter;
    auto typeList = [](const std::vector<int>& types) {
        std::string list;
        for (int type : types)
            list += (list.empty() ? "" : ", ") + to_string(type);
        return " AND ItemType IN (" + list + ")";
    };
    if (options_ & toPageTypesOnly) {
        const std::vector<int> types = host_.GetPageItemTypes();
        filter += types.empty() ? std::string(" AND 0") : typeList(types);
    }
    if (options_ & toAllowedTypesOnly) {
        // Only numbers reach the statement text: a parameter that is not one is left out.
        std::vector<int> types;
        for (const std::string& line : parameters_) {
            const auto eq = line.find('=');
            if (eq == std::string::npos || !common_detail::SameText(line.substr(0, eq), "AllowItemType"))
                continue;
            try {
                std::size_t used = 0;
                const std::string value = line.substr(eq + 1);
                const int type = std::stoi(value, &used);
                if (used == value.size())
                    types.push_back(type);
            } catch (const std::exception&) {
            }
        }
        if (!types.empty())
            filter += typeList(types);
    }
    if (options_ & toDataItemsOnly)
        filter += " AND a.ItemId = a.LinkedItemId";
    return std::string("SELECT * FROM (SELECT *,") + kNodeColumns +
           "FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = " + to_string(parentItemId) +
           filter + ") ORDER BY OrderNum, NodeName";
}

std::string TTreeManager::ItemSql(int itemId) const
{
    return std::string("SELECT *,") + kNodeColumns + "FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND a.ItemId = " +
           to_string(itemId);
}

std::vector<TTreeManager::TRow> TTreeManager::ReadRows(TAbstractDBConnection& connection, const std::string& sql)
{
    const auto rows = catalog_queries::Rows(connection, sql, catalogCode_, kRowFields,
                                            {{"LangCode", CaptionLanguage()}, {"AllLangCode", "XXX"}});
    std::vector<TRow> result;
    result.reserve(rows.size());
    for (const auto& r : rows) {
        TRow row;
        row.ItemId = IntOf(r[0]);
        row.ItemType = IntOf(r[1]);
        row.ParentItemId = IntOf(r[2]);
        row.LinkedItemId = IntOf(r[3]);
        row.OrderNum = IntOf(r[4]);
        row.DontDelete = IntOf(r[5]) == 1;
        row.DontSort = IntOf(r[6]) == 1;
        row.Published = IntOf(r[7]) == 1;
        row.ExpandedImageCode = TextOf(r[8]);
        row.CollapsedImageCode = TextOf(r[9]);
        row.UserPriority = IntOf(r[10]);
        row.NodeName = TextOf(r[11]);
        row.NumChilds = IntOf(r[12]);
        row.NotVisible = IntOf(r[13]) == 1;
        result.push_back(std::move(row));
    }
    return result;
}

void TTreeManager::FillData(TItemDescription& data, const TRow& row) const
{
    data.ItemId = row.ItemId;
    data.ItemType = row.ItemType;
    data.ParentItemId = row.ParentItemId;
    data.LinkedItemId = row.LinkedItemId;
    data.OrderNum = row.OrderNum;
    data.Visible = !row.NotVisible;
    data.Flags = 0;
    if (row.DontDelete)
        data.Flags |= ifNotDeletable;
    if (!row.DontSort)
        data.Flags |= ifManualOrder;
    if (row.Published)
        data.Flags |= ifPublished;
    data.ExpandedImageCode = row.ExpandedImageCode;
    data.CollapsedImageCode = row.CollapsedImageCode;
    data.UserPriority = row.UserPriority;
    data.Stale = false;
}

std::string TTreeManager::CaptionOf(const TRow& row, TAbstractDBConnection& connection, bool tryGlobalName)
{
    std::string caption = row.NodeName;
    const std::string lang = CaptionLanguage();
    const std::string defaultLang = host_.GetDefaultLangCode();
    if (caption.empty() && !(options_ & toNoNameFallback) && !common_detail::SameText(defaultLang, lang))
        caption = host_.GetItemName(row.ItemId, connection, defaultLang);
    if (caption.empty() && tryGlobalName && (options_ & toGlobalIdNames))
        caption = host_.GetItemIdName(row.ItemId);
    if (caption.empty())
        caption = host_.Translate(kNoName);
    return caption;
}

void TTreeManager::SetNodeImages(TTreeNode& node)
{
    if (!node.Data)
        return;
    std::string name = node.Data->ExpandedImageCode;
    if (name.empty() || !host_.HasCachedImage(name)) {
        name = node.Data->ExpandedImageCode.empty() ? host_.GetItemTypeImageName(node.Data->ItemType) : "";
        if (name.empty() || !host_.HasCachedImage(name))
            name = "DotLine";
    }
    node.ImageName = name;
}

void TTreeManager::LoadChildren(int parentItemId, TTreeNode* parentNode, TAbstractDBConnection& connection)
{
    THostWait wait(host_);
    TTreeNode* into = parentNode ? parentNode : &root_;
    // A node added before the parent was first expanded is not loaded twice.
    int skipId = 0;
    if (into->FirstChild() && into->FirstChild()->IsItem())
        skipId = into->FirstChild()->ItemId();
    if ((options_ & toTemplateFolders) && parentNode && parentNode->IsItem())
        parentNode->Data->DefaultTemplateId = IntOf(catalog_sql::FirstField(
            connection,
            "SELECT NumberValue FROM CNumbers WHERE CatalogCode = :CatalogCode AND ItemId = " +
                to_string(parentItemId) + " AND ClassId = 513 AND MemberId = 1",
            catalogCode_, "NumberValue"));

    const std::vector<TRow> rows = ReadRows(connection, ChildrenSql(parentItemId));
    std::vector<std::unique_ptr<TTreeNode>> nodes;
    for (const TRow& row : rows) {
        if ((options_ & toHideEmptyFolders) && row.ItemType == 2 && row.NumChilds == 0)
            continue;
        if (std::find(hiddenItemTypes_.begin(), hiddenItemTypes_.end(), row.ItemType) != hiddenItemTypes_.end())
            continue;
        if (skipId != 0 && row.ItemId == skipId)
            continue;
        auto node = std::make_unique<TTreeNode>();
        node->Data = std::make_unique<TItemDescription>();
        FillData(*node->Data, row);
        node->Caption = CaptionOf(row, connection, true);
        SetNodeImages(*node);
        node->Parent = into;
        if (row.NumChilds > 0) {
            auto placeholder = std::make_unique<TTreeNode>();
            placeholder->Parent = node.get();
            node->Children.push_back(std::move(placeholder));
        }
        nodes.push_back(std::move(node));
    }
    if (nodes.empty())
        return;
    // One notification for the whole level: a level of many thousands of
    // children is added at once.
    const int first = static_cast<int>(into->Children.size());
    if (observer_)
        observer_->BeginInsert(into, first, first + static_cast<int>(nodes.size()) - 1);
    for (auto& node : nodes)
        into->Children.push_back(std::move(node));
    if (observer_)
        observer_->EndInsert();
}

// ---- expanding and collapsing ---------------------------------------------------------------

void TTreeManager::Expanding(TTreeNode* node)
{
    if (!node || !node->IsItem() || node->Children.empty())
        return;
    for (int i = static_cast<int>(node->Children.size()) - 1; i >= 0; --i)
        if (node->Children[i]->IsPlaceholder())
            RemoveChild(node, i);
    if (node->Children.empty() || node->FirstChild()->IsItem())
        LoadChildren(node->ItemId(), node, GetConnection());
}

void TTreeManager::Collapsed(TTreeNode* node)
{
    if (!node || !node->IsItem() || node->Children.empty())
        return;
    RemoveChildren(node);
    AddPlaceholder(node);
}

void TTreeManager::Expand(TTreeNode* node)
{
    if (!node || node->Expanded || node->Children.empty())
        return;
    Expanding(node);
    node->Expanded = !node->Children.empty();
    if (observer_)
        observer_->ExpandedChanged(node);
}

void TTreeManager::Collapse(TTreeNode* node)
{
    if (!node || !node->Expanded)
        return;
    node->Expanded = false;
    // Selected nodes below go with the subtree: the node itself takes the selection.
    bool selectedBelow = false;
    std::vector<TTreeNode*> stack(1, node);
    while (!stack.empty()) {
        TTreeNode* n = stack.back();
        stack.pop_back();
        for (auto& child : n->Children) {
            selectedBelow = selectedBelow || child->Selected;
            stack.push_back(child.get());
        }
    }
    if (observer_)
        observer_->ExpandedChanged(node);
    Collapsed(node);
    if (selectedBelow)
        SetSelected(node);
}

void TTreeManager::ExpandAll(TTreeNode* node)
{
    // Level by level, without recursion: a deep tree cannot exhaust the stack.
    std::vector<TTreeNode*> pending;
    for (auto& child : (node ? node : &root_)->Children)
        pending.push_back(child.get());
    while (!pending.empty()) {
        TTreeNode* n = pending.back();
        pending.pop_back();
        // A damaged catalog whose parents form a loop shows an item below
        // itself again; it is not expanded a second time, or this would never end.
        bool again = false;
        for (TTreeNode* up = Parent(n); up && !again; up = Parent(up))
            again = up->ItemId() == n->ItemId();
        if (again)
            continue;
        Expand(n);
        for (auto& child : n->Children)
            pending.push_back(child.get());
    }
}

void TTreeManager::Reload(TAbstractDBConnection* connection)
{
    Clear();
    LoadChildren(rootItemId_, nullptr, connection ? *connection : GetConnection());
    if (options_ & toExpandAll)
        ExpandAll(nullptr);
    else if ((options_ & toExpandFirst) && root_.FirstChild())
        Expand(root_.FirstChild());
    if (options_ & toSelectInitial)
        SelectItem(initialItemId_);
    if (options_ & toExpandTopLevel)
        for (auto& node : root_.Children)
            Expand(node.get());
}

// ---- order -------------------------------------------------------------------------------------

bool TTreeManager::NodeLess(const TTreeNode& a, const TTreeNode& b)
{
    if (a.IsItem() && b.IsItem() && a.Data->OrderNum != b.Data->OrderNum)
        return a.Data->OrderNum < b.Data->OrderNum;
    return common_detail::LowerCase(a.Caption) < common_detail::LowerCase(b.Caption);
}

void TTreeManager::SortChildren(TTreeNode* node)
{
    if (node)
        Expand(node);
    SortLoaded(node);
}

// ---- drawing ------------------------------------------------------------------------------------

TNodeStyle TTreeManager::CustomDrawItem(TTreeNode* node, bool drawnSelected)
{
    TNodeStyle style;
    if (!node || !node->IsItem())
        return style;
    TItemDescription& data = *node->Data;
    if (data.Stale) {
        node->Caption = host_.GetItemName(data.ItemId, GetConnection(), CaptionLanguage());
        data.Stale = false;
    }
    if (!(options_ & toNoUnpublishedColor) && !(data.Flags & ifPublished))
        style.FontColor = kUnpublishedColor;
    style.StrikeOut = !data.Visible;
    if (!drawnSelected) {
        if (data.UserPriority == 2)
            style.Background = kWarningBackground;
        else if (data.UserPriority == 4)
            style.Background = kErrorBackground;
    }
    if (locatedItemId_ != 0 && data.LinkedItemId == locatedItemId_) {
        style.ButtonFace = true;
        style.Background.reset();
    }
    if (options_ & toTemplateFolders) {
        TTreeNode* parent = Parent(node);
        style.Bold = parent && parent->IsItem() && parent->Data->DefaultTemplateId == data.ItemId;
    }
    return style;
}

// ---- refreshing ---------------------------------------------------------------------------------

void TTreeManager::RefreshNode(TTreeNode* node, TAbstractDBConnection* connection)
{
    if (!node || !node->IsItem() || !InScope(node))
        return;
    TAbstractDBConnection& db = connection ? *connection : GetConnection();
    const std::vector<TRow> rows = ReadRows(db, ItemSql(node->ItemId()));
    if (rows.empty() || ((options_ & toHideEmptyFolders) && rows[0].ItemType == 2 && rows[0].NumChilds == 0)) {
        if (node->Selected)
            SetSelected(nullptr);
        DeleteNode(node);
        return;
    }
    const TRow& row = rows[0];
    FillData(*node->Data, row);
    node->Caption = CaptionOf(row, db, false);
    SetNodeImages(*node);
    if (node->Children.empty() && row.NumChilds > 0)
        AddPlaceholder(node);
    if (observer_)
        observer_->NodeChanged(node);
    // Only template folders draw their default template.
    if (row.ParentItemId != 0 && (options_ & toTemplateFolders)) {
        TTreeNode* parent = Parent(node);
        if (parent && parent->IsItem())
            parent->Data->DefaultTemplateId = host_.GetDefaultTemplateId(row.ParentItemId, db);
    }
}

bool TTreeManager::RefreshItem(int itemId, TAbstractDBConnection& connection)
{
    TTreeNode* node = FindLoaded(itemId);
    if (!node)
        return false;
    const bool wasExpanded = node->Expanded;
    Collapse(node);
    RefreshNode(node, &connection);
    if (wasExpanded && InScope(node))
        Expand(node);
    return true;
}

bool TTreeManager::RefreshItemNodes(int itemId, TAbstractDBConnection& connection)
{
    std::vector<TTreeNode*> nodes = AllNodes();
    bool any = false;
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        TTreeNode* node = *it;
        // From the last node to the first: a refresh that removes a node
        // frees only nodes after it in view order, which are done already.
        if (node->IsItem() && (node->Data->ItemId == itemId || node->Data->LinkedItemId == itemId)) {
            RefreshNode(node, &connection);
            any = true;
        }
    }
    return any;
}

void TTreeManager::InvalidateAll()
{
    for (TTreeNode* node : AllNodes())
        if (node->IsItem())
            node->Data->Stale = true;
    if (observer_)
        observer_->Repaint();
}

void TTreeManager::UpdateSelectedCaption(int itemId, TAbstractDBConnection& connection)
{
    TTreeNode* node = GetSelectedNode();
    if (!node || !node->IsItem() || node->ItemId() != itemId)
        return;
    node->Caption = host_.ReadOwnName(itemId, connection, host_.GetCurrentLangCode());
    if (observer_)
        observer_->NodeChanged(node);
}

// ---- selection and the current node -------------------------------------------------------

TTreeNode* TTreeManager::GetSelectedNode() const
{
    for (TTreeNode* node : AllNodes())
        if (node->Selected)
            return node;
    return nullptr;
}

void TTreeManager::SetSelected(TTreeNode* node, bool add)
{
    if (!(add && (options_ & toMultiSelect)))
        for (TTreeNode* n : AllNodes())
            n->Selected = false;
    if (node)
        node->Selected = true;
    if (observer_)
        observer_->SelectionChanged();
}

int TTreeManager::SetCurrentNode(TTreeNode* node)
{
    if (!node || !node->IsItem())
        return 0;
    currentItemId_ = node->ItemId();
    return currentItemId_;
}

int TTreeManager::GetCurrentItemId() const
{
    if (currentItemId_ != 0)
        return currentItemId_;
    TTreeNode* first = root_.FirstChild();
    return first && first->IsItem() ? first->ItemId() : 0;
}
