#pragma once
// The modal dialog "Import Web Site": the start address, the depth, the
// largest number of pages and whether only the pages below the start
// address are taken (TWebSiteImportRequest). "Import" checks the answers
// and stays open with the reason when they cannot run.
#include "publishing/WebSiteImportRequest.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TTranslation;

class TfrmImportWebSite : public QDialog {
    Q_OBJECT
public:
    TfrmImportWebSite(const TWebSiteImportRequest& request, const TTranslation* translation,
                      QWidget* parent = nullptr);

    TWebSiteImportRequest Request() const;

    QLineEdit* AddressEdit() const { return url_; }
    QSpinBox* DepthBox() const { return depth_; }
    QSpinBox* PagesBox() const { return pages_; }
    QCheckBox* UnderlyingBox() const { return underlying_; }
    QPushButton* ImportButton() const { return import_; }
    QLabel* ProblemLabel() const { return problem_; }

private:
    void Confirm();

    const TTranslation* translation_;
    QLineEdit* url_ = nullptr;
    QSpinBox* depth_ = nullptr;
    QSpinBox* pages_ = nullptr;
    QCheckBox* underlying_ = nullptr;
    QLabel* problem_ = nullptr;
    QPushButton* import_ = nullptr;
};
