#pragma once
// The general "Properties" tab any item type may list: the item's name, id,
// alternative file name, version, item type and tree image code. The values
// are TFrameItemPropertiesModel's; a renamed item tells the item editor its
// new name, so that the tree nodes follow.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class TFrameItemPropertiesModel;
class TFrameSite;

class TFrameItemProperties : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameItemProperties(TFrameSite& site);
    ~TFrameItemProperties() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    void Changed();
    void ShowMemberTexts(const std::string& member, QLabel* label, QLineEdit* edit, const QString& caption);

    std::unique_ptr<TFrameItemPropertiesModel> model_;
    QLineEdit* edtItemPropertiesName_ = nullptr;
    QLineEdit* edtItemPropertiesId_ = nullptr;
    QLineEdit* edtItemPropertiesAltFileName_ = nullptr;
    QLineEdit* edtItemPropertiesVersion_ = nullptr;
    QLabel* lblItemPropertiesType_ = nullptr;
    QLineEdit* edtItemPropertiesImageCode_ = nullptr;
    QLabel* lblName_ = nullptr;
    QLabel* lblAltFileName_ = nullptr;
};
