#include "shell/frmTextMessage.h"

#include "shell/EnvironmentCheck.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::TrIf;

TfrmTextMessage::TfrmTextMessage(const QString& label, const QString& text, const QString& checkBoxText,
                                 bool translate, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmTextMessage");
    setWindowTitle(TrIf("Information", translate));
    auto* layout = new QVBoxLayout(this);
    lblTextMessage = new QLabel(label, this);
    QFont bold = lblTextMessage->font();
    bold.setBold(true);
    lblTextMessage->setFont(bold);
    layout->addWidget(lblTextMessage);
    memoTextMessage = new QPlainTextEdit(text, this);
    memoTextMessage->setObjectName("memoTextMessage");
    memoTextMessage->setReadOnly(true);
    QPalette palette = memoTextMessage->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window).lighter(104));
    memoTextMessage->setPalette(palette);
    layout->addWidget(memoTextMessage, 1);
    cbTextMessageDontShowAgain = new QCheckBox(checkBoxText.isEmpty() ? TrIf("Don't show the message again", translate)
                                                                      : checkBoxText,
                                               this);
    cbTextMessageDontShowAgain->setObjectName("cbTextMessageDontShowAgain");
    cbTextMessageDontShowAgain->setVisible(!checkBoxText.isEmpty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(TrIf("Ok", translate));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cbTextMessageDontShowAgain);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(520, 380);
}

bool TfrmTextMessage::ShowContinueDialog(const TEnvironmentCheck& check, QWidget* parent)
{
    TfrmTextMessage window("System Information", Q(check.InformationText()), "Continue anyway", false, parent);
    window.exec();
    return window.cbTextMessageDontShowAgain->isChecked();
}

void TfrmTextMessage::ShowInformation(const TEnvironmentCheck& check, QWidget* parent)
{
    TfrmTextMessage window(TrIf("System Information", true), Q(check.InformationText()), QString(), true, parent);
    window.exec();
}
