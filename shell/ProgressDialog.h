#pragma once
// "Progress": runs one job modally with a bar, two text lines and
// "Cancel". Shown, it posts its start message to itself; handling it runs
// the job and closes the window with OK when the job answered true, with
// Cancel otherwise (also without a job). "Cancel" asks the job to stop;
// the window closes when the job returns.
#include <QDialog>

#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class TAbstractDBConnection;
class TAbstractProgress;

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    // Hands the job its context (the window's labels and bar) and keeps it.
    void SetJob(TAbstractProgress* job, const std::string& catalogCode, TAbstractDBConnection* connection);
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* StepLabel() const { return details_; }
    QLabel* ItemLabel() const { return caption_; }
    QProgressBar* Bar() const { return bar_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    TAbstractProgress* job_ = nullptr;
    QLabel* details_;
    QLabel* caption_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool started_ = false;
};
