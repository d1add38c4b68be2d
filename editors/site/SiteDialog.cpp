#include "editors/site/html/dialogs/SiteDialog.h"

#include "editors/site/html/dialogs/SiteDialogFrame.h"
#include "gui/UiText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TSiteDialog::TSiteDialog(std::vector<TSiteDialogFrame*> frames, QSize preferredSize, QWidget* parent)
    : QDialog(parent), frames_(std::move(frames))
{
    auto* layout = new QVBoxLayout(this);
    if (frames_.size() == 1) {
        layout->addWidget(frames_.front(), 1);
    } else {
        tabs_ = new QTabWidget(this);
        for (TSiteDialogFrame* frame : frames_)
            tabs_->addTab(frame, frame->TabCaption());
        layout->addWidget(tabs_, 1);
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons_->button(QDialogButtonBox::Ok);
    ok_->setText(UiText::Tr("Ok"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(UiText::Tr("Cancel"));
    ok_->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
    for (TSiteDialogFrame* frame : frames_) {
        connect(frame, &TSiteDialogFrame::CaptionChanged, this, &QWidget::setWindowTitle);
        connect(frame, &TSiteDialogFrame::OkCaptionChanged, ok_, &QPushButton::setText);
        connect(frame, &TSiteDialogFrame::OkEnabledChanged, ok_, &QPushButton::setEnabled);
        connect(frame, &TSiteDialogFrame::Modified, ok_, [this] { ok_->setEnabled(true); });
        connect(frame, &TSiteDialogFrame::OkPressed, this, [this] {
            if (ok_->isEnabled())
                accept();
        });
    }
    if (preferredSize.isValid())
        resize(preferredSize);
}

void TSiteDialog::Init(const TDialogParams& params)
{
    for (TSiteDialogFrame* frame : frames_)
        frame->InitControls(params);
    // The first frame's caption stands for the window.
    if (tabs_)
        tabs_->setCurrentIndex(0);
}

void TSiteDialog::SaveAnswers(TDialogParams& params)
{
    TSiteDialogFrame* shown = tabs_ ? static_cast<TSiteDialogFrame*>(tabs_->currentWidget()) : frames_.front();
    shown->Save(params);
}

bool TSiteDialog::Run(TDialogParams& params)
{
    Init(params);
    if (exec() != QDialog::Accepted)
        return false;
    SaveAnswers(params);
    return true;
}
