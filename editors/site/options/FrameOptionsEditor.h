#pragma once
// The "Basic" tab of the catalog options: image sizes, the default web page,
// the shopping cart with its PayPal account, and the logged-in user's
// password. The rules are TFrameOptionsEditorModel's; the catalog properties
// it writes are deferred until the options item is saved.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TFrameOptionsEditorModel;
class TFrameSite;

class TFrameOptionsEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameOptionsEditor(TFrameSite& site);
    ~TFrameOptionsEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void AfterSave() override;

private:
    void CreateModel();
    void ShowValues();
    // The boxes' ticks and which fields are enabled.
    void ShowState();
    void ControlsChanged();
    void SelectPage();
    void ChangePassword();

    std::unique_ptr<TFrameOptionsEditorModel> model_;
    QLineEdit* edtMainImageSize_ = nullptr;
    QLineEdit* edtThumbnailImageSize_ = nullptr;
    QLineEdit* edtLogoImageSize_ = nullptr;
    QCheckBox* chkOriginalSize_ = nullptr;
    QCheckBox* chkDefaultSize_ = nullptr;
    QLineEdit* edtFullImageSize_ = nullptr;
    QLineEdit* edtDefaultPage_ = nullptr;
    QToolButton* btnSelectPage_ = nullptr;
    QButtonGroup* grpCart_ = nullptr;
    QLineEdit* edtOtherCart_ = nullptr;
    QLineEdit* edtPayPalAccount_ = nullptr;
    QPushButton* btnChangePassword_ = nullptr;
};
