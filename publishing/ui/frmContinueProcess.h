#pragma once
// The continue dialog: after a failed step of a long operation it shows the
// error and offers Retry, Ignore and Cancel; nobody answering, it presses
// Retry by itself when its countdown (TContinueCountdown) runs out. It
// cannot be closed but by one of its buttons.
#include "publishing/ContinueCountdown.h"
#include "publishing/PublisherRunner.h"

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TTranslation;

class TfrmContinueProcess : public QDialog {
    Q_OBJECT
public:
    // TickMs: the countdown's step (a second; tests shorten it).
    TfrmContinueProcess(const std::string& errorText, const TTranslation* translation, QWidget* parent = nullptr,
                        int tickMs = 1000);

    // Shows the dialog modally; the button pressed and whether it was pressed by the countdown.
    TContinueResult Ask();

    QPushButton* RetryButton() const { return retry_; }
    QPushButton* IgnoreButton() const { return ignore_; }
    QPushButton* CancelButton() const { return cancel_; }
    QString CountdownText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void TimerStep();
    void UpdateCountdownLabel();
    void Press(int answer, bool automatic);
    QString Tr(const char* text) const;

    const TTranslation* translation_;
    TContinueCountdown countdown_;
    TContinueResult result_;
    QLabel* countdownLabel_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* retry_ = nullptr;
    QPushButton* ignore_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer_ = nullptr;
};
