#include "shell/ProgressDialog.h"

#include "shell/MainWindowEvent.h"
#include "shell/TolvexProgress.h"
#include "gui/UiText.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;

TfrmProgress::TfrmProgress(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmProgress");
    setWindowTitle(Tr("Progress"));
    auto* layout = new QVBoxLayout(this);
    details_ = new QLabel(this);
    details_->setObjectName("lblProgressDetails");
    caption_ = new QLabel(this);
    caption_->setObjectName("lblProgressCaption");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("pbProgress");
    layout->addWidget(details_);
    layout->addWidget(caption_);
    layout->addWidget(bar_);
    auto* buttons = new QHBoxLayout;
    cancel_ = new QPushButton(Tr("Cancel"), this);
    buttons->addStretch(1);  // the button stays centred however the window is sized
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (job_)
            job_->Cancel();
    });
    setMinimumWidth(360);
}

void TfrmProgress::SetJob(TAbstractProgress* job, const std::string& catalogCode, TAbstractDBConnection* connection)
{
    job_ = job;
    if (!job_)
        return;
    job_->Init(catalogCode, connection, details_, caption_, bar_);
    std::string caption;
    job_->GetCaption(caption);
    if (!caption.empty())
        setWindowTitle(Q(caption));
}

void TfrmProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        QCoreApplication::postEvent(this, new TMainWindowEvent(WM_START_PROCESS, 0, 0));
    }
}

bool TfrmProgress::event(QEvent* event)
{
    if (TMainWindowEvent::MessageOf(event->type()) == WM_START_PROCESS) {
        const bool ok = job_ && job_->Run();
        done(ok ? QDialog::Accepted : QDialog::Rejected);
        return true;
    }
    return QDialog::event(event);
}
