#include "publishing/ui/frmContinueProcess.h"

#include "common/Translation.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfrmContinueProcess::TfrmContinueProcess(const std::string& errorText, const TTranslation* translation,
                                         QWidget* parent, int tickMs)
    : QDialog(parent), translation_(translation)
{
    setWindowTitle(Tr("Error"));
    setModal(true);
    // No close button in the title bar: only the three buttons answer.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                   ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));

    auto* top = new QHBoxLayout;
    auto* caption = new QLabel(Tr("Error Description"), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    countdownLabel_ = new QLabel(this);
    countdownLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->addWidget(caption);
    top->addStretch();
    top->addWidget(countdownLabel_);

    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setPlainText(QString::fromStdString(errorText));

    retry_ = new QPushButton(Tr("Retry"), this);
    ignore_ = new QPushButton(Tr("Ignore"), this);
    cancel_ = new QPushButton(Tr("Cancel"), this);
    retry_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(retry_);
    buttons->addWidget(ignore_);
    buttons->addStretch();
    buttons->addWidget(cancel_);
    connect(retry_, &QPushButton::clicked, this, [this] { Press(caRetry, false); });
    connect(ignore_, &QPushButton::clicked, this, [this] { Press(caIgnore, false); });
    connect(cancel_, &QPushButton::clicked, this, [this] { Press(caCancel, false); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(460, 240);

    // The countdown took its first step when it was made: it reads 10 now.
    UpdateCountdownLabel();
    timer_ = new QTimer(this);
    timer_->setInterval(tickMs);
    connect(timer_, &QTimer::timeout, this, &TfrmContinueProcess::TimerStep);
    timer_->start();
}

TContinueResult TfrmContinueProcess::Ask()
{
    exec();
    return result_;
}

QString TfrmContinueProcess::CountdownText() const
{
    return countdownLabel_->text();
}

void TfrmContinueProcess::TimerStep()
{
    if (countdown_.Step()) {
        timer_->stop();
        Press(caRetry, true);
        return;
    }
    UpdateCountdownLabel();
}

void TfrmContinueProcess::UpdateCountdownLabel()
{
    const std::string seconds = std::to_string(countdown_.SecondsLeft());
    const std::string text = translation_
                                 ? translation_->Format(TContinueCountdown::LabelTemplate(), {seconds})
                                 : TTranslation().Format(TContinueCountdown::LabelTemplate(), {seconds}, false);
    countdownLabel_->setText(QString::fromStdString(text));
}

void TfrmContinueProcess::Press(int answer, bool automatic)
{
    timer_->stop();
    countdown_.Answer();
    result_ = {answer, automatic};
    done(answer);
}

void TfrmContinueProcess::closeEvent(QCloseEvent* event)
{
    if (countdown_.CanClose())
        event->accept();
    else
        event->ignore();
}

void TfrmContinueProcess::reject()
{
    // Escape and the window manager's close request do nothing until a button was pressed.
    if (countdown_.CanClose())
        QDialog::reject();
}

QString TfrmContinueProcess::Tr(const char* text) const
{
    return QString::fromStdString(translation_ ? translation_->Translate(text) : std::string(text));
}
