#pragma once
// The package tab of a service and its entry dialog:
//  - TFrameServicePackages: "This is a package" and the services it holds
//    (identifier, name, the three restrictions) with Add, Edit, Delete,
//    which work only while the service is a package;
//  - TFramePackageEdit: the dialog of one entry: the contained service and
//    its restrictions.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TFrameSite;
class TServicePackagesModel;

class TFrameServicePackages : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameServicePackages(TFrameSite& site);
    ~TFrameServicePackages() override;
    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void Fill();
    int SelectedEntry() const;
    void UpdateEnabling();
    void AddOrEdit(bool edit);

    std::unique_ptr<TServicePackagesModel> model_;
    QCheckBox* chkIsPackage_ = nullptr;
    QTreeWidget* lvServices_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};

class TFramePackageEdit : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFramePackageEdit(TFrameSite& site);
    void InitControls() override;
    bool Save() override;

private:
    QComboBox* cbService_ = nullptr;
    QLineEdit* edtRestrictions_ = nullptr;
    QLineEdit* edtFreeTrialRestrictions_ = nullptr;
    QLineEdit* edtTrialRestrictions_ = nullptr;
};
