#include "editors/framework/ui/QtFrameSite.h"

#include <QLabel>
#include <QVBoxLayout>

TQtFrameSite::TQtFrameSite(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
}

void TQtFrameSite::ShowMessage(const std::string& text)
{
    if (!message_) {
        message_ = new QLabel(this);
        message_->setObjectName("lblFramePlaceholder");
        message_->setAlignment(Qt::AlignCenter);
        message_->setWordWrap(true);
        message_->setForegroundRole(QPalette::PlaceholderText);
        layout()->addWidget(message_);
    }
    message_->setText(QString::fromUtf8(text.c_str()));
}

void TQtFrameSite::Place(QWidget* frame)
{
    frame->setParent(this);
    layout()->addWidget(frame);
    frame->show();
}
