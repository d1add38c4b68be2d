#pragma once
// The view side of a tree manager: told before and after every change of
// the node tree, so that a view can keep its rows in step, and asked to
// reveal nodes and start caption editing. Every notification does nothing
// by default; a manager without a view works the same.
class TTreeNode;

class TTreeManagerObserver {
public:
    virtual ~TTreeManagerObserver() = default;

    // The whole tree is replaced.
    virtual void BeginReset() {}
    virtual void EndReset() {}
    // Children First to Last of Parent are added or removed.
    virtual void BeginInsert(TTreeNode* /*parent*/, int /*first*/, int /*last*/) {}
    virtual void EndInsert() {}
    virtual void BeginRemove(TTreeNode* /*parent*/, int /*first*/, int /*last*/) {}
    virtual void EndRemove() {}
    // The children of Parent change their order (sorting, moving up or down).
    virtual void BeginReorder(TTreeNode* /*parent*/) {}
    virtual void EndReorder(TTreeNode* /*parent*/) {}
    // Caption, image or drawing state of the node changed.
    virtual void NodeChanged(TTreeNode* /*node*/) {}
    virtual void ExpandedChanged(TTreeNode* /*node*/) {}
    virtual void SelectionChanged() {}
    virtual void MakeVisible(TTreeNode* /*node*/) {}
    virtual void EditCaption(TTreeNode* /*node*/) {}
    // Every node is to be painted again.
    virtual void Repaint() {}
    // Whether the view and all its parents are shown.
    virtual bool IsShowing() { return true; }
    virtual bool IsReadOnly() { return false; }
};
