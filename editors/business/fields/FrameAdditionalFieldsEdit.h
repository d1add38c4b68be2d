#pragma once
// The "Custom Fields" tab of a product: one row per custom field of the
// catalog, its name and the product's value, typed into the value column.
// A catalog without custom fields shows a note instead, whose click opens
// the custom fields' editor. The values are TAdditionalFieldsEditModel's;
// a cell still being edited counts as typed when the product is saved.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QTableWidget;
class TAdditionalFieldsEditModel;
class TFrameSite;

class TFrameAdditionalFieldsEdit : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameAdditionalFieldsEdit(TFrameSite& site);
    ~TFrameAdditionalFieldsEdit() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    std::unique_ptr<TAdditionalFieldsEditModel> model_;
    QTableWidget* sgFields_ = nullptr;
    QLabel* lblNoFields_ = nullptr;
    bool filling_ = false;
};
