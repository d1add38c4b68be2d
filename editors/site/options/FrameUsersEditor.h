#pragma once
// The "Users" tab of the catalog options: the login users with their
// description and role, and the buttons to update, set the password of,
// remove and add a user. The decisions are TFrameUsersEditorModel's; its
// changes are written at the options item's save, and the list is read
// again once that save is committed.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TFrameSite;
class TFrameUsersEditorModel;

class TFrameUsersEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameUsersEditor(TFrameSite& site);
    ~TFrameUsersEditor() override;

    bool Save() override;
    void AfterSave() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void FillList(int selectRow);
    void RowSelected();
    void UpdateButtons();
    int SelectedRow() const;
    void Changed();
    void AddUser();
    void UpdateUser();
    void SetPassword();
    void RemoveUser();

    std::unique_ptr<TFrameUsersEditorModel> model_;
    QTreeWidget* lvUsers_;
    QLineEdit* edtDescription_;
    QComboBox* cbRole_;
    QPushButton* btnUpdate_;
    QPushButton* btnSetPassword_;
    QPushButton* btnRemove_;
    QPushButton* btnAddUser_;
};
