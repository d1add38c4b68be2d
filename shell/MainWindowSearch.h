#pragma once
// The main window's search: the search box with its history and the kinds
// of its drop-down, and the search results shown in the editor pane (found
// items open through the action processor and may be dragged onto the web
// tree).
#include <QObject>

#include <string>

class TActionProcessor;
class TCommonGui;
class TFrameSearchResult;
class TGUIControl;
class TOpenCatalog;
class TTreePaneCommands;
class TfrmMain;

class TMainWindowSearch : public QObject {
public:
    // All must outlive the object.
    TMainWindowSearch(TOpenCatalog& open, TCommonGui& gui, TfrmMain& window, TGUIControl& control,
                      TActionProcessor& processor, TTreePaneCommands& trees);

    // Runs a search with the search box's text and checked kind.
    void RunSearch();
    // Shows the results that the action string asks for in the editor pane,
    // once the item being edited has left it; false while no catalog is open.
    bool ShowSearchResult(const std::string& action);
    // The search results the editor pane shows; null when it shows none.
    TFrameSearchResult* SearchResult() const;
    TTreePaneCommands& Trees() { return trees_; }

private:
    TOpenCatalog& open_;
    TCommonGui& gui_;
    TfrmMain& window_;
    TGUIControl& control_;
    TActionProcessor& processor_;
    TTreePaneCommands& trees_;
};
