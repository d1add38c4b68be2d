#pragma once
// The "CoC Member Info" tab of a member catalog: its catalog code, the
// catalog type and site the host knows it by, whether the host publishes
// its page again when the member's data changes, and the refresh of its
// data from the host. The decisions are TVendorInfoModel's.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFrameSite;
class TVendorInfoModel;

class TFrameVendorInfo : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameVendorInfo(TFrameSite& site);
    ~TFrameVendorInfo() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

    // Runs the refresh from the host (the button's command).
    void RefreshFromHost();

private:
    void CodeEdited(const QString& text);
    void ShowDerived();

    std::unique_ptr<TVendorInfoModel> model_;
    QLineEdit* edtCatalogCode_ = nullptr;
    QLabel* lblCatalogType_ = nullptr;
    QLabel* lblWebSiteCaption_ = nullptr;
    QLabel* lblWebSite_ = nullptr;
    QCheckBox* cbRegenerate_ = nullptr;
    QPushButton* btnRefresh_ = nullptr;
};
