#include "publishing/ui/frmDetailProcess.h"

#include "common/CommonGui.h"
#include "common/Translation.h"
#include "publishing/AbstractPublisher.h"
#include "publishing/ui/frmContinueProcess.h"
#include "storage/AbstractDBConnection.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace {

// Every runner window, in creation order (the screen's list of forms).
std::vector<QPointer<TfrmDetailProcess>>& Windows()
{
    static std::vector<QPointer<TfrmDetailProcess>> windows;
    return windows;
}

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

TfrmDetailProcess::TfrmDetailProcess(TEnvironment environment, QWidget* parent)
    : QDialog(parent), environment_(std::move(environment)), startTime_(QDateTime::currentDateTime())
{
    Windows().emplace_back(this);
    setWindowTitle(Tr("Process ..."));
    BuildLayout();
    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &TfrmDetailProcess::UpdateClock);
    clockTimer_->start();
}

TfrmDetailProcess::~TfrmDetailProcess()
{
    auto& windows = Windows();
    std::erase_if(windows, [this](const QPointer<TfrmDetailProcess>& w) { return w.isNull() || w == this; });
    // The caller hears of the end first, while everything is still there.
    if (publisher_) {
        if (publisher_->Succeeded()) {
            if (onSuccess_)
                onSuccess_(params_);
        } else if (onFailure_) {
            onFailure_(params_);
        }
    }
    // The operation works on the parameter list and the connection: it goes first.
    publisher_.reset();
    ownedConnection_.reset();
}

void TfrmDetailProcess::BuildLayout()
{
    log_ = new QTextEdit(this);
    log_->setReadOnly(true);
    log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log_->setLineWrapMode(QTextEdit::WidgetWidth);

    progressPanel_ = new QWidget(this);
    progress_ = new QProgressBar(progressPanel_);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    auto* progressLayout = new QHBoxLayout(progressPanel_);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressLayout->addWidget(progress_);
    progressPanel_->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(log_, 1);
    left->addWidget(progressPanel_);

    clock_ = new QLabel(QStringLiteral("00:00:00"), this);
    QFont clockFont = clock_->font();
    clockFont.setPointSize(clockFont.pointSize() + 4);
    clock_->setFont(clockFont);

    transferPanel_ = new QWidget(this);
    sent_ = new QLabel(QStringLiteral("0"), transferPanel_);
    received_ = new QLabel(QStringLiteral("0"), transferPanel_);
    auto* transferLayout = new QVBoxLayout(transferPanel_);
    transferLayout->setContentsMargins(0, 8, 0, 0);
    transferLayout->addWidget(BoldLabel(Tr("Sent (bytes)"), transferPanel_));
    transferLayout->addWidget(sent_);
    transferLayout->addWidget(BoldLabel(Tr("Received (bytes)"), transferPanel_));
    transferLayout->addWidget(received_);
    transferPanel_->hide();

    previewPanel_ = new QWidget(this);
    previewButton_ = new QPushButton(Tr("Preview"), previewPanel_);
    auto* previewLayout = new QVBoxLayout(previewPanel_);
    previewLayout->setContentsMargins(0, 8, 0, 0);
    previewLayout->addWidget(previewButton_);
    previewPanel_->hide();
    connect(previewButton_, &QPushButton::clicked, this, &TfrmDetailProcess::PressPreview);

    cancelButton_ = new QPushButton(Tr("Cancel"), this);
    cancelButton_->setDefault(true);
    connect(cancelButton_, &QPushButton::clicked, this, &TfrmDetailProcess::CancelOrClose);

    auto* right = new QVBoxLayout;
    right->addWidget(BoldLabel(Tr("Time Elapsed"), this));
    right->addWidget(clock_);
    right->addWidget(transferPanel_);
    right->addWidget(previewPanel_);
    right->addStretch(1);
    right->addWidget(cancelButton_);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    resize(600, 360);
}

void TfrmDetailProcess::CreatePublisher(TParams params, const TPublisherFactory& factory,
                                        TAbstractDBConnection* connection)
{
    params_ = std::move(params);
    if (!connection && environment_.OpenSecondConnection) {
        ownedConnection_ = environment_.OpenSecondConnection();
        connection = ownedConnection_.get();
    }
    publisher_ = factory(params_, connection, *this);
}

void TfrmDetailProcess::ShowTransferPanel(bool show)
{
    transferPanel_->setVisible(show);
}

void TfrmDetailProcess::StartProcess()
{
    show();
    PostStart();
}

void TfrmDetailProcess::PostStart()
{
    QMetaObject::invokeMethod(this, &TfrmDetailProcess::Start, Qt::QueuedConnection);
}

bool TfrmDetailProcess::ExecuteModal()
{
    modal_ = true;
    PostStart();
    const int result = exec();
    return result == QDialog::Accepted;
}

void TfrmDetailProcess::Start()
{
    cancelPressed_ = false;
    finished_ = false;
    if (!publisher_) {
        finished_ = true;
        clockTimer_->stop();
        cancelButton_->setText(Tr("Close"));
        return;
    }
    progressPanel_->setVisible(publisher_->ShowProgressBar());
    running_ = true;
    bool returned = false;
    std::string failure;
    try {
        publisher_->Run();
        returned = true;
    } catch (const std::exception& e) {
        failure = e.what();
    }
    running_ = false;
    if (returned && ((publisher_->AutoClose() && publisher_->Succeeded()) || !isVisible())) {
        finished_ = true;
        if (modal_)
            done(publisher_->Succeeded() ? QDialog::Accepted : QDialog::Rejected);
        else
            PostFreeProcessWindows();
    }
    finished_ = true;
    clockTimer_->stop();
    cancelButton_->setText(Tr("Close"));
    if (!returned) {
        // What the operation raised reaches the user as the program's other errors do.
        if (environment_.Gui)
            environment_.Gui->ShowError(failure, false);
        if (!isVisible() && !modal_)
            PostFreeProcessWindows();
        return;
    }
    if (publisher_->HasPreview() && isVisible())
        previewPanel_->show();
}

void TfrmDetailProcess::CancelOrClose()
{
    if (finished_) {
        if (modal_)
            done(publisher_ && publisher_->Succeeded() ? QDialog::Accepted : QDialog::Rejected);
        else
            PostFreeProcessWindows();
        return;
    }
    if (!cancelPressed_)
        AskAndCancel();
}

bool TfrmDetailProcess::AskAndCancel()
{
    if (!publisher_ || !environment_.Gui)
        return false;
    if (environment_.Gui->AskYesNoCancel(publisher_->GetText(1)) != mrYes)
        return false;
    // Pressed again while the question was open: the run is cancelled once.
    if (cancelPressed_ || finished_)
        return true;
    cancelPressed_ = true;
    publisher_->Cancel();
    cancelButton_->setText(Tr("Close"));
    return true;
}

void TfrmDetailProcess::PressPreview()
{
    if (publisher_ && publisher_->Preview() == 1)
        CancelOrClose();
}

void TfrmDetailProcess::closeEvent(QCloseEvent* event)
{
    if (finished_ || !publisher_) {
        event->accept();
        // A finished window that is closed ends as by its Close button.
        if (finished_ && modal_)
            done(publisher_ && publisher_->Succeeded() ? QDialog::Accepted : QDialog::Rejected);
        else if (finished_)
            PostFreeProcessWindows();
        return;
    }
    if (cancelPressed_ || AskAndCancel()) {
        // Hidden, not freed: the run ends first, and then frees the window.
        event->accept();
        return;
    }
    event->ignore();
}

void TfrmDetailProcess::reject()
{
    // Escape and the window manager act as closing the window.
    close();
}

void TfrmDetailProcess::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // While the run lasts the window stays in front of the main window.
    if (event->type() == QEvent::ActivationChange && running_ && isVisible() && !isActiveWindow() &&
        !QApplication::activeModalWidget())
        raise();
}

void TfrmDetailProcess::UpdateClock()
{
    const qint64 seconds = startTime_.secsTo(QDateTime::currentDateTime());
    clock_->setText(QStringLiteral("%1:%2:%3")
                        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                        .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

QString TfrmDetailProcess::ElapsedText() const
{
    return clock_->text();
}

QString TfrmDetailProcess::SentText() const
{
    return sent_->text();
}

QString TfrmDetailProcess::ReceivedText() const
{
    return received_->text();
}

void TfrmDetailProcess::PostFreeProcessWindows()
{
    QTimer::singleShot(0, qApp, &TfrmDetailProcess::FreeProcessWindows);
}

void TfrmDetailProcess::FreeProcessWindows()
{
    for (const QPointer<TfrmDetailProcess>& window : std::vector(Windows())) {
        if (!window || window->modal_)
            continue;
        // A window whose operation is on the call stack, or that has not
        // run yet, stays; it frees itself when its run ends.
        if (window->running_ || !window->finished_)
            continue;
        window->hide();
        window->deleteLater();
    }
}

std::vector<TfrmDetailProcess*> TfrmDetailProcess::ProcessWindows()
{
    std::vector<TfrmDetailProcess*> windows;
    for (const QPointer<TfrmDetailProcess>& window : Windows())
        if (window)
            windows.push_back(window.data());
    return windows;
}

// ---- TPublisherRunner ---------------------------------------------------------------

void TfrmDetailProcess::AppendLogLine(const std::string& text, int level)
{
    QTextCharFormat format;
    format.setForeground(level == 3 || level == 4 ? QBrush(Qt::red) : palette().brush(QPalette::Text));
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    if (!log_->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(QString::fromStdString(text), format);
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void TfrmDetailProcess::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void TfrmDetailProcess::SetProgressMax(int count)
{
    progress_->setMaximum(count);
}

void TfrmDetailProcess::StepProgress()
{
    progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

void TfrmDetailProcess::ShowTransferCounts(long long sent, long long received)
{
    sent_->setText(QString::number(sent));
    received_->setText(QString::number(received));
}

TContinueResult TfrmDetailProcess::AskContinue(const std::string& errorText)
{
    TfrmContinueProcess dialog(errorText, environment_.Translation, isVisible() ? this : nullptr);
    return dialog.Ask();
}

void TfrmDetailProcess::PostDataChanged(int itemId, int kind)
{
    if (environment_.DataChanged)
        QTimer::singleShot(0, qApp, [notice = environment_.DataChanged, itemId, kind] { notice(itemId, kind); });
}

void TfrmDetailProcess::PostReopenCatalog()
{
    if (environment_.ReopenCatalog)
        QTimer::singleShot(0, qApp, environment_.ReopenCatalog);
}

void TfrmDetailProcess::ShowWindow()
{
    if (!isVisible()) {
        show();
        raise();
    }
}

QString TfrmDetailProcess::Tr(const std::string& text) const
{
    return QString::fromStdString(environment_.Translation ? environment_.Translation->Translate(text) : text);
}
