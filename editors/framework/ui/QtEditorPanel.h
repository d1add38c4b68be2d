#pragma once
// The host panel of an item's editors on a widget: the page control or the
// single frame site fills the widget's layout while an item is open; the
// widget's other children (an "empty" label) are hidden meanwhile.
#include "editors/framework/EditorPanel.h"

class QWidget;
class TEditorTabWidget;
class TQtFrameSite;

class TQtEditorPanel : public TEditorPanel {
public:
    // Host must have a layout and outlive the panel.
    explicit TQtEditorPanel(QWidget& host, QWidget* emptyLabel = nullptr);
    ~TQtEditorPanel() override;

    TEditorPages& CreatePages() override;
    TEditorPages* Pages() override;
    TFrameSite& CreateSingleSite() override;
    void Clear() override;
    void FocusFirstControl() override;
    void RevealControl(void* control) override;

    TEditorTabWidget* TabWidget() { return pages_; }
    QWidget& Host() { return host_; }

private:
    void Showing(QWidget* widget);

    QWidget& host_;
    QWidget* emptyLabel_;
    TEditorTabWidget* pages_ = nullptr;
    TQtFrameSite* single_ = nullptr;
};
