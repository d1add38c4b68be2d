#include "catalog/ui/frmConversionProgress.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <thread>

void TConversionRunState::Log(const std::string& line)
{
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(line);
}

std::vector<std::string> TConversionRunState::TakeLines()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> lines;
    lines.swap(lines_);
    return lines;
}

TfrmConversionProgress::TfrmConversionProgress(const QString& catalogCode, TConversionRunState& state, QWidget* parent)
    : QDialog(parent), state_(state)
{
    setObjectName("frmConversionProgress");
    setWindowTitle(tr("Converting \"%1\"").arg(catalogCode));
    setModal(true);
    resize(520, 340);
    status_ = new QLabel(tr("Converting the catalog \"%1\" to the new format ...").arg(catalogCode), this);
    status_->setObjectName("lblConversionStatus");
    status_->setWordWrap(true);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("pbConversion");
    progress_->setRange(0, 0);  // the amount of work is not known beforehand
    log_ = new QPlainTextEdit(this);
    log_->setObjectName("memConversionLog");
    log_->setReadOnly(true);
    log_->setMaximumBlockCount(5000);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::rejected, this, &TfrmConversionProgress::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addWidget(log_, 1);
    layout->addWidget(buttons_);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TfrmConversionProgress::Poll);
    timer->start(50);
}

void TfrmConversionProgress::reject()
{
    // The window stays until the conversion has stopped.
    if (state_.Cancelled())
        return;
    state_.Cancel();
    buttons_->button(QDialogButtonBox::Cancel)->setEnabled(false);
    status_->setText(tr("Stopping the conversion ..."));
}

void TfrmConversionProgress::Poll()
{
    // Finished is read first: every line logged before the end is then shown.
    const bool finished = state_.IsFinished();
    for (const std::string& line : state_.TakeLines())
        log_->appendPlainText(QString::fromStdString(line));
    if (finished)
        accept();
}

void TQtConversionWindow::Run(const std::string& catalogCode, const std::function<void(TConversionProgress&)>& work)
{
    TConversionRunState state;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(state);
        } catch (...) {
            failure = std::current_exception();
        }
        state.Finish();
    });
    {
        TfrmConversionProgress window(QString::fromStdString(catalogCode), state, parent_);
        window.exec();
    }
    // A window closed any other way stops the conversion too.
    if (!state.IsFinished())
        state.Cancel();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
