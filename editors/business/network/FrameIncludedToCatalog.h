#pragma once
// The list of catalogs a catalog belongs to ("Catalogs"), or the list of
// intermediate catalogs of a catalog of catalogs: the codes, sorted, with
// an edit for a new code, Add and Delete. Each change goes to the object at
// once (TIncludedToCatalogsModel); the item's save writes it.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TFrameSite;
class TIncludedToCatalogsModel;

class TFrameIncludedToCatalog : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameIncludedToCatalog(TFrameSite& site);
    ~TFrameIncludedToCatalog() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool /*languageSwitch*/) override {}

private:
    void Add();
    void DeleteSelected();
    void ShowCodes(const std::string& select);
    void UpdateButtons();

    std::unique_ptr<TIncludedToCatalogsModel> model_;
    QLabel* lblCaption_ = nullptr;
    QTreeWidget* lvCodes_ = nullptr;
    QLineEdit* edtNewCode_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};
