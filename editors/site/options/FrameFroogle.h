#pragma once
// The product feed's tab of the catalog options: the feed service's FTP
// site, user name and password (masked). The values are
// TFrameFroogleModel's, written into the settings item with the save; the
// feed export needs the user name.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class TFrameFroogleModel;
class TFrameSite;

class TFrameFroogle : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameFroogle(TFrameSite& site);
    ~TFrameFroogle() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void Cancel() override;
    void AfterSave() override;

private:
    void ControlsChanged();

    std::unique_ptr<TFrameFroogleModel> model_;
    QLineEdit* edtFtpSite_ = nullptr;
    QLineEdit* edtUserName_ = nullptr;
    QLineEdit* edtPassword_ = nullptr;
};
