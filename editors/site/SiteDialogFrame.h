#pragma once
// A frame of a small dialog editor: it reads its start values from the
// opened editor's parameters and writes its answers into them on OK. What
// it asks of the window around it (caption, OK caption, OK enabled, OK
// pressed) it says through signals, so that it can sit in any dialog
// window (TSiteDialog now, the editor window of the item editors later).
#include "editors/site/html/dialogs/DialogParams.h"

#include <QWidget>

class TSiteDialogFrame : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The tab caption when the frame shares its window with others.
    virtual QString TabCaption() const = 0;
    virtual void InitControls(const TDialogParams& params) = 0;
    virtual void Save(TDialogParams& params) = 0;

signals:
    void CaptionChanged(const QString& caption);
    void OkCaptionChanged(const QString& caption);
    void OkEnabledChanged(bool enabled);
    // The user changed something (also enables OK).
    void Modified();
    void OkPressed();
};
