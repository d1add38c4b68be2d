#pragma once
// The window of a catalog conversion: the conversion runs on a thread of
// its own while this modal window shows its log lines as they come and
// keeps answering the user; Cancel asks the conversion to stop between two
// units of work (the conversion then leaves the old file in place and no
// new file) and the window closes once it has ended. Closing the window by
// its title bar is the same as Cancel.
//
// TQtConversionWindow is the program's TConversionWindow over it.
#include "catalog/conversion/ConversionProgress.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

// What the conversion thread and the window share.
class TConversionRunState : public TConversionProgress {
public:
    void Log(const std::string& line) override;
    bool Cancelled() override { return cancelled_; }
    void Cancel() { cancelled_ = true; }
    void Finish() { finished_ = true; }
    bool IsFinished() const { return finished_; }
    // The lines logged since the last call.
    std::vector<std::string> TakeLines();

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
};

class TfrmConversionProgress : public QDialog {
    Q_OBJECT
public:
    TfrmConversionProgress(const QString& catalogCode, TConversionRunState& state, QWidget* parent = nullptr);

    QDialogButtonBox* Buttons() const { return buttons_; }
    QPlainTextEdit* LogView() const { return log_; }

    void reject() override;

private:
    void Poll();

    TConversionRunState& state_;
    QLabel* status_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

class TQtConversionWindow : public TConversionWindow {
public:
    // Parent: the window the progress window belongs to (may be null).
    explicit TQtConversionWindow(QWidget* parent) : parent_(parent) {}
    void Run(const std::string& catalogCode, const std::function<void(TConversionProgress&)>& work) override;

private:
    QPointer<QWidget> parent_;
};
