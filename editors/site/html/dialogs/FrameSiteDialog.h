#pragma once
// The small dialog frames (insert table, hyperlink, page picker) as pages
// of a named dialog's editor: the dialog frame starts from the dialog's
// parameters and writes its answers back into them when the dialog is
// saved; what it asks of the window (caption, OK caption, OK enabled, OK
// pressed) goes to the editing context.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class TCatalogTreeHost;
class TFrameSite;
class TSiteDialogFrame;

class TFrameSiteDialog : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameSiteDialog(TFrameSite& site);
    ~TFrameSiteDialog() override;

    void InitControls() override;
    void LoadFromObjects(bool) override {}
    void StoreToObjects(bool languageSwitch) override;

    TSiteDialogFrame* DialogFrame() const { return frame_; }

protected:
    virtual TSiteDialogFrame* CreateDialogFrame() = 0;

private:
    TSiteDialogFrame* frame_ = nullptr;
};

class TFrameInsertTableRef : public TFrameSiteDialog {
public:
    using TFrameSiteDialog::TFrameSiteDialog;

protected:
    TSiteDialogFrame* CreateDialogFrame() override;
};

class TFrameHyperlinkRef : public TFrameSiteDialog {
public:
    using TFrameSiteDialog::TFrameSiteDialog;

protected:
    TSiteDialogFrame* CreateDialogFrame() override;
};

class TFrameSelectPage : public TFrameSiteDialog {
public:
    explicit TFrameSelectPage(TFrameSite& site);
    ~TFrameSelectPage() override;

protected:
    TSiteDialogFrame* CreateDialogFrame() override;

private:
    // The tree rules of the open catalog for the picker's own tree.
    std::unique_ptr<TCatalogTreeHost> treeHost_;
};
