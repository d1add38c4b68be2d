#pragma once
// "Advanced Options" of the synchronisation: the direction (merge, local to
// server, server to local) with the delete box that goes with each of the
// two copies, when changes are applied, page regeneration, and the packet
// size. The values live in a THostSyncChoices; the control rule keeps a
// delete box enabled only under its direction and the packet size only
// while packets are sent.
#include "publishing/HostPublishParameters.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class THelpRequests;
class TTranslation;

class TfrmPublishTolvexAdvanced : public QDialog {
    Q_OBJECT
public:
    // Help may be null.
    TfrmPublishTolvexAdvanced(const THostSyncChoices& choices, const TTranslation* translation, THelpRequests* help,
                              QWidget* parent = nullptr);

    // The values as the controls hold them (the packet size 0 when not a number).
    THostSyncChoices Choices() const;

    QRadioButton* MergeRadio() const { return merge_; }
    QRadioButton* LocalToHostRadio() const { return localToHost_; }
    QRadioButton* HostToLocalRadio() const { return hostToLocal_; }
    QCheckBox* DeleteHostBox() const { return deleteHost_; }
    QCheckBox* DeleteLocalBox() const { return deleteLocal_; }
    QCheckBox* StartPagesBox() const { return startPages_; }
    QCheckBox* SendInPacketsBox() const { return packets_; }
    QLineEdit* PacketSizeEdit() const { return packetSize_; }

private:
    void ApplyControlRule();

    THostSyncChoices given_;
    QRadioButton* merge_ = nullptr;
    QRadioButton* localToHost_ = nullptr;
    QRadioButton* hostToLocal_ = nullptr;
    QCheckBox* deleteHost_ = nullptr;
    QCheckBox* deleteLocal_ = nullptr;
    QCheckBox* applyHost_ = nullptr;
    QCheckBox* applyLocal_ = nullptr;
    QCheckBox* startPages_ = nullptr;
    QCheckBox* forcePages_ = nullptr;
    QCheckBox* packets_ = nullptr;
    QLabel* packetLabel_ = nullptr;
    QLineEdit* packetSize_ = nullptr;
};
