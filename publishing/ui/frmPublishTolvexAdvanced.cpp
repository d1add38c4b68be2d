#include "publishing/ui/frmPublishTolvexAdvanced.h"

#include "gui/HelpRequests.h"
#include "publishing/ui/PublishDialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using PublishDialogParts::Tr;

namespace {

// A check box indented under the control it belongs to.
QHBoxLayout* Indented(QWidget* widget)
{
    auto* row = new QHBoxLayout;
    row->addSpacing(22);
    row->addWidget(widget, 1);
    return row;
}

}  // namespace

TfrmPublishTolvexAdvanced::TfrmPublishTolvexAdvanced(const THostSyncChoices& choices, const TTranslation* translation,
                                                     THelpRequests* help, QWidget* parent)
    : QDialog(parent), given_(choices)
{
    setObjectName("frmPublishTolvexAdvanced");
    setWindowTitle(Tr(translation, "Advanced Options"));

    auto* group = new QGroupBox(Tr(translation, " Synchronization Options "), this);
    merge_ = new QRadioButton(Tr(translation, "Merge changes of server and local databases"), group);
    merge_->setObjectName("rbMerge");
    localToHost_ = new QRadioButton(Tr(translation, "Copy changes in local database to server database"), group);
    localToHost_->setObjectName("rbLocalToHost");
    deleteHost_ = new QCheckBox(Tr(translation, "Delete server database first"), group);
    deleteHost_->setObjectName("cbDeleteHost");
    hostToLocal_ = new QRadioButton(Tr(translation, "Copy changes in server database to local database"), group);
    hostToLocal_->setObjectName("rbHostToLocal");
    deleteLocal_ = new QCheckBox(Tr(translation, "Delete local database first"), group);
    deleteLocal_->setObjectName("cbDeleteLocal");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(merge_);
    groupLayout->addWidget(localToHost_);
    groupLayout->addLayout(Indented(deleteHost_));
    groupLayout->addWidget(hostToLocal_);
    groupLayout->addLayout(Indented(deleteLocal_));

    applyHost_ = new QCheckBox(
        Tr(translation, "Apply changes immediately for every portion of data to server database"), this);
    applyHost_->setObjectName("cbApplyHost");
    applyLocal_ = new QCheckBox(
        Tr(translation, "Apply changes immediately for every portion of data to local database"), this);
    applyLocal_->setObjectName("cbApplyLocal");
    startPages_ = new QCheckBox(Tr(translation, "Start pages regeneration after synchronization"), this);
    startPages_->setObjectName("cbStartPages");
    forcePages_ = new QCheckBox(Tr(translation, "Force pages regeneration after synchronization"), this);
    forcePages_->setObjectName("cbForcePages");
    packets_ = new QCheckBox(Tr(translation, "Send data in packets"), this);
    packets_->setObjectName("cbSendInPackets");
    packetLabel_ = new QLabel(Tr(translation, "Packet size (Kbyte)"), this);
    packetSize_ = new QLineEdit(this);
    packetSize_->setObjectName("edtPacketSize");
    packetSize_->setValidator(new QIntValidator(0, 1000000, packetSize_));
    packetSize_->setMaximumWidth(90);
    packetLabel_->setBuddy(packetSize_);
    auto* packetRow = new QHBoxLayout;
    packetRow->addSpacing(22);
    packetRow->addWidget(packetLabel_);
    packetRow->addWidget(packetSize_);
    packetRow->addStretch(1);

    (choices.Direction == THostSyncChoices::LocalToHost   ? localToHost_
     : choices.Direction == THostSyncChoices::HostToLocal ? hostToLocal_
                                                          : merge_)
        ->setChecked(true);
    deleteHost_->setChecked(choices.DeleteHost);
    deleteLocal_->setChecked(choices.DeleteLocal);
    applyHost_->setChecked(choices.ApplyHostImmediately);
    applyLocal_->setChecked(choices.ApplyLocalImmediately);
    startPages_->setChecked(choices.StartPageGeneration);
    startPages_->setEnabled(choices.StartPageGenerationEnabled);
    forcePages_->setChecked(choices.ForcePageGeneration);
    packets_->setChecked(choices.SendInPackets);
    packetSize_->setText(QString::number(choices.PacketSizeKb));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* continueButton = buttons->addButton(Tr(translation, "Continue"), QDialogButtonBox::AcceptRole);
    continueButton->setObjectName("btnContinue");
    continueButton->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr(translation, "Cancel"));
    buttons->addButton(QDialogButtonBox::Help)->setText(Tr(translation, "Help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [help] {
        if (help)
            help->ShowHelpForAliases({"frmPublishTolvex.Advanced", "frmPublishTolvex"});
    });
    for (QAbstractButton* control : {static_cast<QAbstractButton*>(merge_), static_cast<QAbstractButton*>(localToHost_),
                                     static_cast<QAbstractButton*>(hostToLocal_),
                                     static_cast<QAbstractButton*>(packets_)})
        connect(control, &QAbstractButton::toggled, this, &TfrmPublishTolvexAdvanced::ApplyControlRule);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(applyHost_);
    layout->addWidget(applyLocal_);
    layout->addWidget(startPages_);
    layout->addWidget(forcePages_);
    layout->addWidget(packets_);
    layout->addLayout(packetRow);
    layout->addStretch(1);
    layout->addWidget(buttons);
    ApplyControlRule();
}

void TfrmPublishTolvexAdvanced::ApplyControlRule()
{
    const THostSyncChoices choices = Choices();
    deleteHost_->setEnabled(choices.DeleteHostEnabled());
    if (!choices.DeleteHostEnabled())
        deleteHost_->setChecked(false);
    deleteLocal_->setEnabled(choices.DeleteLocalEnabled());
    if (!choices.DeleteLocalEnabled())
        deleteLocal_->setChecked(false);
    packetSize_->setEnabled(packets_->isChecked());
    packetLabel_->setEnabled(packets_->isChecked());
}

THostSyncChoices TfrmPublishTolvexAdvanced::Choices() const
{
    THostSyncChoices choices = given_;
    choices.Direction = localToHost_->isChecked()   ? THostSyncChoices::LocalToHost
                        : hostToLocal_->isChecked() ? THostSyncChoices::HostToLocal
                                                    : THostSyncChoices::Merge;
    choices.DeleteHost = deleteHost_->isChecked();
    choices.DeleteLocal = deleteLocal_->isChecked();
    choices.ApplyHostImmediately = applyHost_->isChecked();
    choices.ApplyLocalImmediately = applyLocal_->isChecked();
    choices.StartPageGeneration = startPages_->isChecked();
    choices.ForcePageGeneration = forcePages_->isChecked();
    choices.SendInPackets = packets_->isChecked();
    bool number = false;
    const int size = packetSize_->text().toInt(&number);
    choices.PacketSizeKb = number ? size : 0;
    choices.Normalize();
    return choices;
}
