#include "publishing/ui/frmPublishTolvex.h"

#include "gui/HelpRequests.h"
#include "gui/UiText.h"
#include "publishing/ui/PublishDialogParts.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using PublishDialogParts::Tr;

TfrmPublishTolvex::TfrmPublishTolvex(const TTranslation* translation, THelpRequests* help, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmPublishTolvex");
    setWindowTitle(Tr(translation, "Connect"));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    text_ = new QLabel(Tr(translation, "You are about to contact your Tolvex server to synchronize your local database "
                                       "with server database.  Please connect to the internet and click \"Continue\""),
                       frame);
    text_->setObjectName("lblText");
    text_->setWordWrap(true);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(12, 12, 12, 12);
    frameLayout->addWidget(text_);

    auto* buttons = new QDialogButtonBox(this);
    continue_ = buttons->addButton(Tr(translation, "Continue"), QDialogButtonBox::AcceptRole);
    continue_->setObjectName("btnContinue");
    continue_->setDefault(true);
    advancedButton_ = buttons->addButton(Tr(translation, "Advanced Options"), QDialogButtonBox::ActionRole);
    advancedButton_->setObjectName("btnAdvanced");
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    QPushButton* helpButton = buttons->addButton(QDialogButtonBox::Help);
    helpButton->setText(Tr(translation, "Help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(advancedButton_, &QPushButton::clicked, this, [this] {
        advanced_ = true;
        accept();
    });
    connect(buttons, &QDialogButtonBox::helpRequested, this, [help] {
        if (help)
            help->ShowHelpForAlias("frmPublishTolvex");
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

void TfrmPublishTolvex::SetText(const std::string& text)
{
    text_->setText(UiText::Q(text));
}

void TfrmPublishTolvex::HideAdvancedOptions()
{
    advancedButton_->hide();
}
