#pragma once
// One node of a tree manager's tree. A node that stands for an item owns
// its TItemDescription; a node without one is a placeholder (the single
// empty child that gives a collapsed node its expand button). The tree is
// held in memory, owned from the manager's invisible root node down.
#include "common/ItemDescription.h"

#include <memory>
#include <string>
#include <vector>

class TTreeNode {
public:
    std::string Caption;
    // The image shown: a cached image name, or "DotLine" when there is none.
    std::string ImageName;
    std::unique_ptr<TItemDescription> Data;
    TTreeNode* Parent = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> Children;
    bool Expanded = false;
    bool Selected = false;

    bool IsItem() const { return Data != nullptr; }
    bool IsPlaceholder() const { return Data == nullptr && Caption.empty(); }
    int ItemId() const { return Data ? Data->ItemId : 0; }
    // The position among the parent's children; 0 for the root.
    int Index() const
    {
        if (!Parent)
            return 0;
        for (std::size_t i = 0; i < Parent->Children.size(); ++i)
            if (Parent->Children[i].get() == this)
                return static_cast<int>(i);
        return 0;
    }
    TTreeNode* FirstChild() const { return Children.empty() ? nullptr : Children.front().get(); }
    // The sibling after or before this node; null at the ends.
    TTreeNode* NextSibling() const
    {
        if (!Parent)
            return nullptr;
        const int index = Index() + 1;
        return index < static_cast<int>(Parent->Children.size()) ? Parent->Children[index].get() : nullptr;
    }
    TTreeNode* PreviousSibling() const
    {
        if (!Parent)
            return nullptr;
        const int index = Index();
        return index > 0 ? Parent->Children[index - 1].get() : nullptr;
    }
};
