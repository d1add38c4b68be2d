#include "editors/framework/ui/EditorWait.h"

#include <QPointer>
#include <QTimer>

#include <utility>
#include <vector>

namespace {

struct TPendingWork {
    QPointer<QObject> Context;
    std::function<void()> Work;
};

// Waits run on the GUI thread only, nested in one another.
int waits = 0;

std::vector<TPendingWork>& Pending()
{
    static std::vector<TPendingWork> pending;
    return pending;
}

void Post(TPendingWork pending)
{
    if (pending.Context)
        QTimer::singleShot(0, pending.Context.data(), std::move(pending.Work));
}

}  // namespace

TEditorWait::TEditorWait() { ++waits; }

TEditorWait::~TEditorWait()
{
    if (--waits > 0)
        return;
    // Posted in the order they came; each asks again whether a wait runs.
    std::vector<TPendingWork> pending = std::move(Pending());
    Pending().clear();
    for (TPendingWork& work : pending)
        Post(std::move(work));
}

bool TEditorWait::Active() { return waits > 0; }

void TEditorWait::WhenOver(QObject* context, std::function<void()> work)
{
    TPendingWork pending{context, std::move(work)};
    if (waits > 0)
        Pending().push_back(std::move(pending));
    else
        Post(std::move(pending));
}
