#include "catalog/codes/CodeTree.h"

#include "common/CommonFunctionsDetail.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {

// Deeper than any code system's tree: bounds the walks up a damaged table.
constexpr int kMaxDepth = 32;

}  // namespace

TCodeTree::TCodeTree(TCodeDatabase& database) : database_(database)
{
    Reload();
}

void TCodeTree::Reload()
{
    root_.Children.clear();
    root_.Loaded = false;
    root_.Row.HasChildren = true;
    ClearHits();
    Expand(root_);
}

std::vector<TCodeRow> TCodeTree::ReadChildren(const TCodeNode& node)
{
    if (node.Loaded || !node.Row.HasChildren)
        return {};
    return database_.Children(node.Row.Code, node.Level + 1);
}

void TCodeTree::Attach(TCodeNode& node, std::vector<TCodeRow> rows)
{
    node.Loaded = true;
    for (TCodeRow& row : rows) {
        auto child = std::make_unique<TCodeNode>();
        child->Row = std::move(row);
        child->Level = node.Level + 1;
        child->Parent = &node;
        child->Loaded = !child->Row.HasChildren;
        child->Row_ = static_cast<int>(node.Children.size());
        node.Children.push_back(std::move(child));
    }
}

void TCodeTree::Expand(TCodeNode& node)
{
    if (!node.Loaded)
        Attach(node, ReadChildren(node));
}

void TCodeTree::Remove(TCodeNode& node)
{
    if (!node.Parent)
        return;
    auto& siblings = node.Parent->Children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& n) { return n.get() == &node; }),
                   siblings.end());
    for (std::size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->Row_ = static_cast<int>(i);
}

std::vector<std::string> TCodeTree::PathTo(const std::string& code)
{
    const TCodeSystem system = database_.System();
    std::vector<std::string> path;
    if (!CodeSystemInfo(system).Numeric) {
        const int level = WrittenCodeLevel(system, code);
        if (level < 0)
            return {};
        for (int l = 0; l <= level; ++l)
            path.push_back(AncestorCode(system, code, l));
        return path;
    }
    std::string current = code;
    for (int depth = 0; depth < kMaxDepth && !current.empty(); ++depth) {
        if (std::find(path.begin(), path.end(), current) != path.end())
            return {};
        const std::optional<TCodeRow> row = database_.Find(current);
        if (!row)
            return {};
        path.push_back(current);
        current = row->ParentCode;
    }
    if (!current.empty())
        return {};
    std::reverse(path.begin(), path.end());
    return path;
}

TCodeNode* TCodeTree::Locate(const std::string& code, const TExpand& expand)
{
    TCodeNode* node = &root_;
    for (const std::string& step : PathTo(code)) {
        if (!node->Loaded)
            expand(*node);
        const auto found = std::find_if(node->Children.begin(), node->Children.end(),
                                        [&](const auto& child) { return child->Row.Code == step; });
        if (found == node->Children.end())
            return nullptr;
        node = found->get();
    }
    return node == &root_ ? nullptr : node;
}

TCodeNode* TCodeTree::Locate(const std::string& code)
{
    return Locate(code, [this](TCodeNode& node) { Expand(node); });
}

bool TCodeTree::IsChoosable(const TCodeNode& node) const
{
    switch (database_.System()) {
    case TCodeSystem::Unspsc: return node.Level == 3 && node.Row.Code.size() == 8 && node.Row.Code.substr(6) != "00";
    case TCodeSystem::Harmonized: return node.Level == 2 && node.Row.Code.size() == 6;
    default: return node.Level >= 0 && !node.Row.HasChildren;
    }
}

// ---- search ---------------------------------------------------------------------------------------

std::pair<std::string, std::string> TCodeTree::KeyPart(const TCodeRow& row) const
{
    std::string code = row.Code;
    // Category ids sort as numbers.
    if (CodeSystemInfo(database_.System()).Numeric && code.size() < 12)
        code.insert(0, 12 - code.size(), '0');
    // As SQLite's NOCASE compares: ASCII letters folded, other bytes as they are.
    return {common_detail::LowerCase(row.Name), code};
}

TCodeTree::TTreeKey TCodeTree::KeyOf(const TCodeNode& node) const
{
    TTreeKey key;
    for (const TCodeNode* n = &node; n && n->Level >= 0; n = n->Parent)
        key.push_back(KeyPart(n->Row));
    std::reverse(key.begin(), key.end());
    return key;
}

void TCodeTree::ClearHits()
{
    hits_.clear();
    hitKeys_.clear();
    hitSet_.clear();
}

std::size_t TCodeTree::Search(const std::string& keywords)
{
    ClearHits();
    std::vector<TCodeRow> rows = database_.Search(keywords);
    std::unordered_map<std::string, TCodeRow> known;
    for (const TCodeRow& row : rows)
        known.emplace(row.Code, row);
    // The row of an ancestor: from the hits or read once.
    const auto rowOf = [&](const std::string& code) -> const TCodeRow* {
        if (const auto found = known.find(code); found != known.end())
            return &found->second;
        const std::optional<TCodeRow> read = database_.Find(code);
        if (!read)
            return nullptr;
        return &known.emplace(code, *read).first->second;
    };
    std::vector<std::pair<TTreeKey, std::string>> keyed;
    keyed.reserve(rows.size());
    for (const TCodeRow& row : rows) {
        TTreeKey key{KeyPart(row)};
        const TCodeRow* current = &row;
        bool whole = true;
        for (int depth = 0; !current->ParentCode.empty(); ++depth) {
            current = depth < kMaxDepth ? rowOf(current->ParentCode) : nullptr;
            if (!current) {
                whole = false;
                break;
            }
            key.push_back(KeyPart(*current));
        }
        // A row whose ancestors the table lacks is not in the tree.
        if (!whole)
            continue;
        std::reverse(key.begin(), key.end());
        keyed.emplace_back(std::move(key), row.Code);
    }
    std::sort(keyed.begin(), keyed.end());
    for (auto& [key, code] : keyed) {
        if (!hitSet_.insert(code).second)
            continue;
        hitKeys_.push_back(std::move(key));
        hits_.push_back(std::move(code));
    }
    return hits_.size();
}

std::string TCodeTree::NextHit(const TCodeNode* after) const
{
    if (hits_.empty())
        return {};
    if (!after || after->Level < 0)
        return hits_.front();
    const auto next = std::upper_bound(hitKeys_.begin(), hitKeys_.end(), KeyOf(*after));
    return next == hitKeys_.end() ? std::string() : hits_[next - hitKeys_.begin()];
}
