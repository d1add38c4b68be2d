#pragma once
// The tree of one code system, read lazily: the first level at once, a
// node's children when it is first expanded. Locating a code loads the
// branches on its way; a keyword search keeps its hits in tree order, so
// that the first hit, and the next one after any node, are found without
// loading the branches of the others.
#include "catalog/codes/CodeDatabase.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

struct TCodeNode {
    TCodeRow Row;
    // 0 for the first level; -1 for the tree's invisible root.
    int Level = -1;
    TCodeNode* Parent = nullptr;
    std::vector<std::unique_ptr<TCodeNode>> Children;
    // The children were read (a node without children counts as read).
    bool Loaded = false;

    // The place of the node among its parent's children.
    int Index() const { return Row_; }

private:
    friend class TCodeTree;
    int Row_ = 0;
};

class TCodeTree {
public:
    // Loads children into a node: the tree's Expand, or a caller's wrapper
    // around it that announces the new rows.
    using TExpand = std::function<void(TCodeNode&)>;

    // Database: not owned. Reads the first level.
    explicit TCodeTree(TCodeDatabase& database);

    TCodeDatabase& Database() { return database_; }
    TCodeNode& Root() { return root_; }
    // Drops every node and the hits, and reads the first level again.
    void Reload();

    // The rows a node's expansion adds, read but not yet attached.
    std::vector<TCodeRow> ReadChildren(const TCodeNode& node);
    // Makes Rows the node's children; the node counts as read.
    void Attach(TCodeNode& node, std::vector<TCodeRow> rows);
    // Reads and attaches the children unless they were read.
    void Expand(TCodeNode& node);
    // Removes a node with its subtree.
    void Remove(TCodeNode& node);

    // The node of Code, loading every branch on its way with Expand; null
    // when the tree has no such node.
    TCodeNode* Locate(const std::string& code, const TExpand& expand);
    TCodeNode* Locate(const std::string& code);

    // Whether an item may be given the node's code: a UNSPSC commodity, a
    // six-digit Harmonized subheading, an eBay or partner category without
    // children.
    bool IsChoosable(const TCodeNode& node) const;

    // ---- search ------------------------------------------------------------------------------
    // Finds the codes whose names hold every keyword; returns how many. The
    // hits of an earlier search are dropped.
    std::size_t Search(const std::string& keywords);
    void ClearHits();
    bool IsHit(const std::string& code) const { return hitSet_.count(code) > 0; }
    // The codes found, in tree order.
    const std::vector<std::string>& Hits() const { return hits_; }
    // The first hit after Node in tree order, the first of all for null;
    // empty when none follows.
    std::string NextHit(const TCodeNode* after) const;

private:
    // Per level from the top: the name folded as the tree sorts it, and the code.
    using TTreeKey = std::vector<std::pair<std::string, std::string>>;

    std::pair<std::string, std::string> KeyPart(const TCodeRow& row) const;
    TTreeKey KeyOf(const TCodeNode& node) const;
    // The codes from the top of the tree down to Code; empty when a row on
    // the way is missing.
    std::vector<std::string> PathTo(const std::string& code);

    TCodeDatabase& database_;
    TCodeNode root_;
    std::vector<std::string> hits_;
    std::vector<TTreeKey> hitKeys_;
    std::unordered_set<std::string> hitSet_;
};
