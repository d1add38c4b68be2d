#include "editors/site/html/DesignPage.h"

bool TDesignPage::acceptNavigationRequest(const QUrl&, NavigationType type, bool isMainFrame)
{
    // The view's own loads (load, setHtml) come as typed addresses; frames
    // inside the page load what they show.
    return !isMainFrame || type == NavigationTypeTyped;
}
