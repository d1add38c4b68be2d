#pragma once
// The page control of an item's editor: one page per tab, created on the
// host panel by the container. A change of the active page is first put to
// the listener, which may refuse it (a frame that cannot be left); a
// refused change leaves the active page as it was. The Qt side implements
// it with a tab widget, the tests with a list.
#include <string>

class TFrameSite;

class TEditorPagesListener {
public:
    virtual ~TEditorPagesListener() = default;
    // Whether the active page may change now.
    virtual bool PageChanging() = 0;
    // The active page changed.
    virtual void PageChanged() = 0;
};

class TEditorPages {
public:
    virtual ~TEditorPages() = default;

    virtual void SetListener(TEditorPagesListener* listener) = 0;
    // Appends a page with the caption; its index.
    virtual int AddPage(const std::string& caption) = 0;
    // The site of a page, for the frame created on it.
    virtual TFrameSite& PageSite(int index) = 0;
    virtual int PageCount() const = 0;
    // The active page; -1 when there is none.
    virtual int ActivePage() const = 0;
    // Asks the listener, then makes the page active and tells the listener;
    // false when the change was refused or the index is out of range. Making
    // the active page active again only tells the listener of the change.
    virtual bool ActivatePage(int index) = 0;
    // Hides the tabs (wizard mode: pages are walked with Prev and Next).
    virtual void SetTabsHidden(bool hidden) = 0;
};
