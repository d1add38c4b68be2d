#pragma once
// A wait of an editor inside a nested event loop (a design view's answer
// to a read): the editor's frames, its context and its connection are on
// the stack until the wait ends, so nothing may replace the item in the
// editor or close the catalog meanwhile. A TEditorWait marks such a wait
// for as long as it lives. The main window's entry points that could
// replace the editor (a tree node selected, a posted message) ask Active()
// and hand their work to WhenOver, which runs it from the event loop once
// the last wait is over.
#include <QObject>

#include <functional>

class TEditorWait {
public:
    TEditorWait();
    ~TEditorWait();
    TEditorWait(const TEditorWait&) = delete;
    TEditorWait& operator=(const TEditorWait&) = delete;

    // Whether an editor waits now.
    static bool Active();
    // Runs Work from the event loop after the last wait has ended (at the
    // next turn of the loop when none runs); not at all when Context has
    // gone by then.
    static void WhenOver(QObject* context, std::function<void()> work);
};
