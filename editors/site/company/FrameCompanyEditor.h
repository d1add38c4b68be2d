#pragma once
// The "Basic" tab of the company editors: name, description, and the logo
// and icon chosen among the catalog's images (or added through the image
// dialog), each shown in a picture preview.
#include "editors/site/company/CompanyFrameBase.h"

class QLabel;
class QPushButton;
class TFrameCompanyEditorModel;
class TFrameImageContainer;

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
    // The image's preview on its panel, made afresh; none for image 0.
    void ShowImage(bool logo, int imageId);

    QWidget* pnlLogo_ = nullptr;
    QWidget* pnlIcon_ = nullptr;
    TFrameImageContainer* logoPreview_ = nullptr;
    TFrameImageContainer* iconPreview_ = nullptr;
    QPushButton* btnSelectLogo_ = nullptr;
    QPushButton* btnDeleteLogo_ = nullptr;
    QPushButton* btnSelectIcon_ = nullptr;
    QPushButton* btnDeleteIcon_ = nullptr;
};
