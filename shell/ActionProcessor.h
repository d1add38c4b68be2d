#pragma once
// The dispatcher of action strings. An action string is a list of
// name=value pairs joined by "&" (split and URL-decoded as TParamList
// does); its pair "Action" names a verb. The processor runs a string at
// once, posts an action id to the main window, or queues a string to run
// after the current event, and tells whether an add-new action is possible.
//
// Key names are compared without regard to case, verb names exactly. The
// verbs ProgramSettings and NewCatalogFromHost run with or without an open
// catalog; every other verb needs one. An unknown verb is reported to the
// user and does nothing else.
//
// No widgets: it acts through TActionHost.
#include "shell/TolvexItemCommand.h"

#include <map>
#include <string>
#include <vector>

class TActionHost;
struct TEditorOpening;
class TParamList;

class TActionProcessor {
public:
    explicit TActionProcessor(TActionHost& host);

    // Runs the string now. With Check (or the pair Check=yes) and an open
    // catalog, the current editor must agree to be left first.
    void ExecuteAction(const std::string& action, bool check);
    // Runs the definition's string of the id; an unknown id does nothing.
    void ExecuteActionById(int actionId, bool check);
    std::string GetActionString(int actionId);

    // Deferred forms: they return at once; the main window runs the action
    // from its event loop. Nothing is posted or queued while no catalog is
    // open, or when Check is set and the editor refuses to be left.
    void PostActionById(int actionId, bool check);
    void QueueAction(const std::string& action, bool check);
    // Runs a queued string (without the check: it was asked when queuing)
    // and removes it from the queue; an unknown number does nothing.
    void RunQueuedAction(int queueNumber);
    void PostEditItem(int itemId, int treeItemId);
    // Number of queued strings that have not run yet.
    size_t QueuedCount() const { return queue_.size(); }

    // The click handler of every entry built from the catalog definition.
    void ItemClick(const TTolvexItemCommand& command, TClickedEntryKind kind);
    // The same without asking the editor (the language menu).
    void ItemClickWithoutCheck(const TTolvexItemCommand& command, TClickedEntryKind kind);

    // Whether an add-new action can add its item at the current web-tree
    // position; true for every other string, for an empty one and while no
    // catalog is open.
    bool IsActionPossible(const std::string& action);
    bool IsActionPossibleById(int actionId);

    // Opening items and editors in the editor pane; false when the editor
    // may not be left or there is no item editor.
    bool OpenItemInMainEditor(int itemId, int treeItemId, int itemType, int parentItemId,
                              const std::string& tabName, const std::string& action);
    bool OpenInMainEditor(const TEditorOpening& opening);

    // The verbs the processor knows, in the order they are matched.
    static const std::vector<std::string>& Verbs();

private:
    struct TRequest;
    using THandler = void (TActionProcessor::*)(const TRequest&);
    struct TVerb {
        const char* Name;
        THandler Handler;
    };
    static const TVerb kVerbs[];

    void Click(const TTolvexItemCommand& command, TClickedEntryKind kind, bool check);
    std::string Format(const std::string& tmpl, const std::vector<std::string>& args);
    void NotAvailable(const std::string& what);
    void OpenInBrowser(const std::string& url);

    // Verbs.
    void ProgramSettings(const TRequest& r);
    void NewCatalogFromHost(const TRequest& r);
    void MainPageEditor(const TRequest& r);
    void NewWindowEditor(const TRequest& r);
    void LastWebTreeItem(const TRequest& r);
    void AddNewItem(const TRequest& r);
    void AddNewLinkedItem(const TRequest& r);
    void ChangeLang(const TRequest& r);
    void PostEditItemVerb(const TRequest& r);
    void NewFromSelected(const TRequest& r);
    void TreeVerb(const TRequest& r);
    void SelectTree(const TRequest& r);
    void Publishing(const TRequest& r);
    void PreviewOnTolvex(const TRequest& r);
    void PreviewOnFtp(const TRequest& r);
    void PreviewLocally(const TRequest& r);
    void Import(const TRequest& r);
    void Export(const TRequest& r);
    void RefreshMainPageEditor(const TRequest& r);
    void Refresh(const TRequest& r);
    void ApplyNewStyle(const TRequest& r);
    void ApplyNewStyleForChildren(const TRequest& r);
    void AccessWebServices(const TRequest& r);
    void UpdateReportMenu(const TRequest& r);
    void EditingCancelled(const TRequest& r);

    TActionHost& host_;
    int queueCount_ = 0;
    std::map<int, std::string> queue_;
};
