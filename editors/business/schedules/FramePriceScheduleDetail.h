#pragma once
// One price schedule's detail ("Schedule Detail"): its name, currency, who
// sees its prices, and for a calculated schedule how its prices follow from
// its base schedule. The values are TPriceScheduleDetailModel's; a name that
// another schedule holds refuses the save, focusing the name.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class TFrameSite;
class TPriceScheduleDetailModel;

class TFramePriceScheduleDetail : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFramePriceScheduleDetail(TFrameSite& site);
    ~TFramePriceScheduleDetail() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    void ReadControls();
    void Changed();

    std::unique_ptr<TPriceScheduleDetailModel> model_;
    QLineEdit* edtName_ = nullptr;
    QComboBox* cbCurrency_ = nullptr;
    QButtonGroup* visibility_ = nullptr;
    QGroupBox* gbCalculated_ = nullptr;
    QComboBox* cbCalculatedType_ = nullptr;
    QLineEdit* edtCalculatedValue_ = nullptr;
};
