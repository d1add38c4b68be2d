#pragma once
// A tree of the open catalog in the main window's left pane: the catalog
// tree view that Edit / Find and Find Next search. The search is the tree
// manager's: the next item below or after the selected node whose name
// contains the text, in the whole tree in the database (nodes not loaded
// yet included), selected when found.
#include "catalog/ui/CatalogTreeView.h"
#include "gui/FindReplace.h"

class TCommonGui;

class TMainTreeView : public TCatalogTreeView, public TFindTarget {
public:
    // Gui (where "Cannot find" is said) must outlive the view.
    TMainTreeView(TTreeManager& manager, std::function<QIcon(const QString&)> images, TCommonGui& gui,
                  QWidget* parent = nullptr);

    // Selects the next item whose name contains the text (the direction and
    // the letter case play no part); when there is none the user is told
    // here, so the result is always true.
    bool FindText(const QString& text, bool down, bool matchCase) override;

private:
    TCommonGui& gui_;
};
