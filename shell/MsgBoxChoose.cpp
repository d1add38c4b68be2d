#include "gui/MsgBoxChoose.h"

#include "common/CommonGui.h"
#include "gui/UiText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using UiText::Tr;

TfrmMsgBoxChoose::TfrmMsgBoxChoose(const QString& first, const QString& second, const QString& caption,
                                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmMsgBoxChoose");
    setWindowTitle(caption.isEmpty() ? Tr("Question") : caption);
    auto* layout = new QVBoxLayout(this);
    first_ = new QRadioButton(first, this);
    second_ = new QRadioButton(second, this);
    first_->setChecked(true);
    layout->addWidget(first_);
    layout->addWidget(second_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->setCenterButtons(true);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmMsgBoxChoose::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmMsgBoxChoose::reject);
    layout->addWidget(buttons);
}

void TfrmMsgBoxChoose::accept()
{
    done(first_->isChecked() ? mrFirstChoice : mrSecondChoice);
}

void TfrmMsgBoxChoose::reject()
{
    done(mrCancel);
}
