#pragma once
// The custom field definitions ("Custom Fields" of the catalog): a list of
// the fields' names with "Add", "Edit" and "Delete". The decisions are
// TNamedItemsModel's: a new field is made at once (Cancel removes it), a new
// name and a deletion wait for the save, empty and taken names are refused,
// and a field that products fill in cannot be deleted.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QTreeWidget;
class TFrameSite;
class TNamedItemsModel;

class TFrameAdditionalFields : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameAdditionalFields(TFrameSite& site);
    ~TFrameAdditionalFields() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;
    void AfterSave() override;
    void Cancel() override;

private:
    void Fill(int selectId);
    int SelectedId() const;
    void AddField();
    void EditField();
    void DeleteField();
    void UpdateButtons();

    std::unique_ptr<TNamedItemsModel> model_;
    QTreeWidget* lvFields_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};
