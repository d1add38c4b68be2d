#pragma once
// The "Advanced" tab of the catalog options: the live-chat service with its
// id and the page transition effects with their times. The values are
// TFrameAdvancedOptionsModel's, written into the company item's objects.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLineEdit;
class TFrameAdvancedOptionsModel;
class TFrameSite;

class TFrameAdvancedOptions : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameAdvancedOptions(TFrameSite& site);
    ~TFrameAdvancedOptions() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void ControlsChanged();

    std::unique_ptr<TFrameAdvancedOptionsModel> model_;
    QComboBox* cbChat_ = nullptr;
    QLineEdit* edtChatId_ = nullptr;
    QComboBox* cbEnterEffect_ = nullptr;
    QComboBox* cbEnterTime_ = nullptr;
    QComboBox* cbExitEffect_ = nullptr;
    QComboBox* cbExitTime_ = nullptr;
};
