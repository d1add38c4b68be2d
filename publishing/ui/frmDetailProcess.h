#pragma once
// The runner window of a long operation (TTolvexPublisher and its
// subclasses): it creates the operation with the caller's parameter list
// and a connection, starts it once it is on screen, and shows the log
// (levels 3 and 4 in red), the elapsed time, the transferred bytes and a
// progress bar. Cancel asks before it cancels; after the run the button
// reads Close and Preview is offered when the operation has a preview. The
// end is reported to the caller through OnSuccess or OnFailure, called when
// the window is freed.
//
// The operation runs on the GUI thread, as the core operations expect (they
// read the open catalog); every log line lets the window process its
// pending events, so the clock, Cancel and closing keep working during the
// run, and the operation sees a cancel at its next check.
//
// Three ways to run it:
//   modeless: window->CreatePublisher(...); window->StartProcess();
//             (freed by FreeProcessWindows once its operation has ended)
//   modal:    window.CreatePublisher(...); bool ok = window.ExecuteModal();
//   hidden:   window->CreatePublisher(...); window->PostStart();
#include "publishing/PublisherRunner.h"

#include <QDateTime>
#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;
class TAbstractDBConnection;
class TAbstractPublisher;
class TCommonGui;
class TTranslation;

class TfrmDetailProcess : public QDialog, public TPublisherRunner {
    Q_OBJECT
public:
    using TParams = std::vector<std::string>;
    // Makes the operation with the window's parameter list, the connection
    // (null when there is none) and the window as its runner.
    using TPublisherFactory = std::function<std::unique_ptr<TAbstractPublisher>(
        TParams& params, TAbstractDBConnection* connection, TPublisherRunner& runner)>;
    using TCompletionHandler = std::function<void(TParams& params)>;

    // What the window needs of the program. Not owned.
    struct TEnvironment {
        TCommonGui* Gui = nullptr;
        // Null: texts stay English.
        const TTranslation* Translation = nullptr;
        // A second connection of the open catalog, with its transaction begun;
        // null (or no function) when no catalog is open.
        std::function<std::unique_ptr<TAbstractDBConnection>()> OpenSecondConnection;
        // Main-window notices of the operation.
        std::function<void(int itemId, int kind)> DataChanged;
        std::function<void()> ReopenCatalog;
    };

    explicit TfrmDetailProcess(TEnvironment environment, QWidget* parent = nullptr);
    ~TfrmDetailProcess() override;

    // Keeps the parameter list and creates the operation. Without a
    // connection the window opens (and owns) a second connection of the open
    // catalog; with none open the operation gets no connection.
    void CreatePublisher(TParams params, const TPublisherFactory& factory,
                         TAbstractDBConnection* connection = nullptr);
    TAbstractPublisher* GetPublisher() const { return publisher_.get(); }
    TParams& GetParams() { return params_; }

    void SetOnSuccess(TCompletionHandler handler) { onSuccess_ = std::move(handler); }
    void SetOnFailure(TCompletionHandler handler) { onFailure_ = std::move(handler); }
    void ShowTransferPanel(bool show = true);

    // Modeless: shows the window and posts the start.
    void StartProcess();
    // Posts the start without showing the window (hidden runs).
    void PostStart();
    // Modal: shows the window, runs the operation; true when it succeeded.
    bool ExecuteModal();

    // Frees every runner window whose operation has ended (modal windows
    // are their callers'); a window still running is kept. The main window
    // calls it for its free-runner-windows notice; a finished modeless
    // window posts it itself.
    static void FreeProcessWindows();
    // Every runner window, shown or hidden, in creation order.
    static std::vector<TfrmDetailProcess*> ProcessWindows();

    bool IsFinished() const { return finished_; }
    bool IsRunning() const { return running_; }
    bool IsCancelPressed() const { return cancelPressed_; }

    // The parts tests and the shell reach.
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* PreviewButton() const { return previewButton_; }
    QTextEdit* LogView() const { return log_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QWidget* ProgressPanel() const { return progressPanel_; }
    QWidget* PreviewPanel() const { return previewPanel_; }
    QWidget* TransferPanel() const { return transferPanel_; }
    QString ElapsedText() const;
    QString SentText() const;
    QString ReceivedText() const;

    // ---- TPublisherRunner --------------------------------------------------------
    void AppendLogLine(const std::string& text, int level) override;
    void ProcessMessages() override;
    void SetProgressMax(int count) override;
    void StepProgress() override;
    void ShowTransferCounts(long long sent, long long received) override;
    TContinueResult AskContinue(const std::string& errorText) override;
    void PostDataChanged(int itemId, int kind) override;
    void PostReopenCatalog() override;
    void ShowWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLayout();
    void Start();
    void CancelOrClose();
    void PressPreview();
    void UpdateClock();
    void PostFreeProcessWindows();
    // Asks the operation's cancel question; true when the user said Yes and the run was cancelled.
    bool AskAndCancel();
    QString Tr(const std::string& text) const;

    TEnvironment environment_;
    bool cancelPressed_ = false;
    bool finished_ = false;
    bool running_ = false;
    bool modal_ = false;
    QDateTime startTime_;
    TParams params_;
    std::unique_ptr<TAbstractDBConnection> ownedConnection_;
    std::unique_ptr<TAbstractPublisher> publisher_;
    TCompletionHandler onSuccess_;
    TCompletionHandler onFailure_;

    QTextEdit* log_ = nullptr;
    QWidget* progressPanel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* clock_ = nullptr;
    QWidget* transferPanel_ = nullptr;
    QLabel* sent_ = nullptr;
    QLabel* received_ = nullptr;
    QWidget* previewPanel_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QTimer* clockTimer_ = nullptr;
};
