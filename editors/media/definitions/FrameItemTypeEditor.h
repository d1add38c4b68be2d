#pragma once
// The "Item Type Properties" tab of an item-type definition in a style
// catalog: the type's number, sort group and description; its item manager,
// tree image, tabs, parameters and flag word; the template folder of each
// template kind; and the lists of its editors, UI elements and allowed
// child types, with Add, Edit and Delete (the editors and UI elements
// through their dialogs, the child types through the item-type choice).
// Every list change and template choice is undoable until the save; the
// decisions are TItemTypeDefinitionModel's.
#include "editors/framework/TolvexFrameEditor.h"
#include "gui/UndoTarget.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TFrameSite;
class TItemTypeDefinitionModel;

class TFrameItemTypeEditor : public QWidget, public TTolvexFrameEditor, public TUndoStackTarget {
public:
    explicit TFrameItemTypeEditor(TFrameSite& site);
    ~TFrameItemTypeEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void Undo() override;
    void Redo() override;

protected:
    void SetNameEditText(const std::string& name) override;

private:
    // One of the three lists with its buttons.
    struct TList {
        QTreeWidget* View = nullptr;
        QPushButton* Add = nullptr;
        QPushButton* Edit = nullptr;
        QPushButton* Delete = nullptr;
    };
    enum TListKind { kEditors, kUIElements, kChildren };

    QLineEdit* NewEdit(const char* name, QWidget* parent);
    QWidget* ListPage(TListKind kind, const char* name, const QStringList& columns);
    void FieldsEdited();
    void ShowFields();
    void FillLists(TListKind kind, int selectKey);
    void FillTemplates();
    void UpdateButtons();
    int SelectedKey(TListKind kind) const;
    int SelectedRow(TListKind kind) const;
    void AddOrEdit(TListKind kind, bool edit);
    void Delete(TListKind kind);
    // Shows the dialog of a frame plug-in over the list; true on OK.
    bool RunDialog(const std::string& frameName, std::vector<std::string>& params);
    void Changed(TListKind kind, int selectKey);

    std::unique_ptr<TItemTypeDefinitionModel> model_;
    QLineEdit* edtName_ = nullptr;
    QLineEdit* edtItemId_ = nullptr;
    QTabWidget* pcItemType_ = nullptr;
    QLineEdit* edtItemTypeId_ = nullptr;
    QLineEdit* edtCreateOrder_ = nullptr;
    QLineEdit* edtDescription_ = nullptr;
    QComboBox* cbManager_ = nullptr;
    QComboBox* cbImageCode_ = nullptr;
    QLineEdit* edtParentItemId_ = nullptr;
    QLineEdit* edtDefaultTab_ = nullptr;
    QLineEdit* edtNewItemTab_ = nullptr;
    QLineEdit* edtEditItemTab_ = nullptr;
    QLineEdit* edtParams_ = nullptr;
    std::vector<std::pair<QCheckBox*, int>> flagBoxes_;
    std::vector<QComboBox*> templateCombos_;
    TList lists_[3];
};
