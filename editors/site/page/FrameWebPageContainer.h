#pragma once
// The "Web Page" tab: a second item editor of the same page on the tab's
// panel, filled with the editors the catalog definition lists for the
// page's item type under the nested editor kind. The nested editor shares
// the page's editing connection, so it is saved and cancelled with it.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class TQtEditorPanel;
class TFrameSite;

// Holds the panel the nested editor builds on; a base placed before
// TTolvexFrameEditor, so that the panel outlives the nested editors the
// frame base frees.
struct TNestedEditorPanelHolder {
    std::unique_ptr<TQtEditorPanel> NestedPanel;
    ~TNestedEditorPanelHolder();
};

class TFrameWebPageContainer : public QWidget, private TNestedEditorPanelHolder, public TTolvexFrameEditor {
public:
    // The editor kind of the editors shown inside the tab.
    static constexpr int kNestedEditorKind = 100;

    explicit TFrameWebPageContainer(TFrameSite& site);
    ~TFrameWebPageContainer() override;

    void InitControls() override;
    // The nested editor loads and stores its own frames.
    void LoadFromObjects(bool /*languageSwitch*/) override {}
    void StoreToObjects(bool /*languageSwitch*/) override {}

private:
    QWidget* client_ = nullptr;
};
