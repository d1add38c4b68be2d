#pragma once
// The window of a small dialog editor: one frame, or several on tabs of
// which only the tab shown answers, with OK and Cancel. OK starts disabled
// until a frame marks itself modified or enables it.
#include "editors/site/html/dialogs/DialogParams.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;
class TSiteDialogFrame;

class TSiteDialog : public QDialog {
    Q_OBJECT
public:
    // The frames become the dialog's children.
    TSiteDialog(std::vector<TSiteDialogFrame*> frames, QSize preferredSize, QWidget* parent = nullptr);

    // Shows the frames with Params; on OK the shown frame writes its answers
    // into Params. True on OK.
    bool Run(TDialogParams& params);
    // The frames' start, without running the window (for a caller that shows it itself).
    void Init(const TDialogParams& params);
    // The shown frame's answers.
    void SaveAnswers(TDialogParams& params);

    QPushButton* OkButton() const { return ok_; }
    QTabWidget* Tabs() const { return tabs_; }

private:
    std::vector<TSiteDialogFrame*> frames_;
    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_;
    QPushButton* ok_;
};
