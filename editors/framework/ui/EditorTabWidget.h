#pragma once
// The page control of an item's editor: a tab widget whose pages are frame
// sites. A change of the current tab is first put to the listener; a
// refused change puts the previous tab back at once, before anything else
// sees it.
#include "editors/framework/EditorPages.h"

#include <QTabWidget>

#include <vector>

class TQtFrameSite;

class TEditorTabWidget : public QTabWidget, public TEditorPages {
    Q_OBJECT
public:
    explicit TEditorTabWidget(QWidget* parent = nullptr);

    void SetListener(TEditorPagesListener* listener) override { listener_ = listener; }
    int AddPage(const std::string& caption) override;
    TFrameSite& PageSite(int index) override;
    int PageCount() const override { return count(); }
    int ActivePage() const override { return currentIndex(); }
    bool ActivatePage(int index) override;
    void SetTabsHidden(bool hidden) override;

private:
    void CurrentChanged(int index);

    TEditorPagesListener* listener_ = nullptr;
    std::vector<TQtFrameSite*> sites_;
    int shown_ = -1;       // the page the listener last heard of
    bool quiet_ = false;   // changes made here, not by the user
};
