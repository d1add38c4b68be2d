#pragma once
// The republishing dialog's page: whose templates the host uses when it
// publishes every member again. Its Save puts the choice into the dialog's
// parameter list as "memberid" (TCoCManagementModel).
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

class QComboBox;
class TFrameSite;

class TFrameCoCManagement : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameCoCManagement(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;

private:
    QComboBox* cbTemplates_ = nullptr;
};
