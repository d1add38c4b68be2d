#pragma once
// The simple "Properties" tab of a web page: name, file name (stored as
// typed), visibility, keywords with whether the parent's are included, and
// the description.
#include "editors/site/page/PagePropertiesFrameBase.h"

class QComboBox;
class QPlainTextEdit;
class TFrameSimplePagePropertiesModel;

class TFrameSimplePageProperties : public TPagePropertiesFrameBase {
public:
    explicit TFrameSimplePageProperties(TFrameSite& site);

protected:
    std::unique_ptr<TPagePropertiesModel> CreateModel(const TSiteModelContext& context) override;
    void AddRows(QFormLayout& form) override;
    void LoadRows() override;
    void StoreRows() override;
    int RenamedItemId() const override;

private:
    TFrameSimplePagePropertiesModel& Page() const;

    QPlainTextEdit* memKeywords_ = nullptr;
    QComboBox* cbParentKeywords_ = nullptr;
    QPlainTextEdit* memDescription_ = nullptr;
};
