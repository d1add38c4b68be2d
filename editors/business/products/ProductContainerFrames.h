#pragma once
// Frames that hold a second editor of the same product: the "Product" tab
// (editor kind 1) and the "Images" tab of the product's editor (kind 3),
// each filled with the editors the catalog definition lists for the
// product's item type under that kind. The nested editor shares the item's
// editing context, so it is saved and cancelled with the product; the frame
// itself loads and stores nothing.
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/page/FrameWebPageContainer.h"

#include <QWidget>

class TFrameSite;

class TProductContainerFrame : public QWidget, private TNestedEditorPanelHolder, public TTolvexFrameViewer {
public:
    TProductContainerFrame(TFrameSite& site, const char* objectName, int editorKind);
    ~TProductContainerFrame() override;

    void InitControls() override;

private:
    int editorKind_;
};

class TFrameProduct : public TProductContainerFrame {
public:
    static constexpr int kEditorKind = 1;
    explicit TFrameProduct(TFrameSite& site) : TProductContainerFrame(site, "TFrameProduct", kEditorKind) {}
};

class TFrameProductAllImages : public TProductContainerFrame {
public:
    static constexpr int kEditorKind = 3;
    explicit TFrameProductAllImages(TFrameSite& site)
        : TProductContainerFrame(site, "TFrameProductAllImages", kEditorKind)
    {
    }
};
