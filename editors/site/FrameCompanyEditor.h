#pragma once
// The "Basic" tab of the company editors: name, description, and the logo
// and icon chosen among the catalog's images.
#include "editors/site/company/CompanyFrameBase.h"

class QLabel;
class QPushButton;
class TFrameCompanyEditorModel;

class TFrameCompanyEditor : public TCompanyFrameBase {
public:
    explicit TFrameCompanyEditor(TFrameSite& site);

protected:
    std::unique_ptr<TCompanyInfoModel> CreateModel(const TSiteModelContext& context) override;
    void AddExtraRows(QFormLayout& form) override;
    void LoadExtra() override;

private:
    TFrameCompanyEditorModel& Company() const;
    void SelectImage(bool logo);
    void DeleteImage(bool logo);

    QLabel* lblLogo_ = nullptr;
    QLabel* lblIcon_ = nullptr;
    QPushButton* btnSelectLogo_ = nullptr;
    QPushButton* btnDeleteLogo_ = nullptr;
    QPushButton* btnSelectIcon_ = nullptr;
    QPushButton* btnDeleteIcon_ = nullptr;
};
