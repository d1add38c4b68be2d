#pragma once
// A grid of the item's sub-objects of one class, one row per object, with
// the columns, the class and the Add/Edit dialog's item type read from the
// catalog definition under the UI editor's plug-in name. Add and Edit show
// the dialog (again, with what was typed, while its frames ask for it);
// Delete asks first. Every change is undoable and redoable (Edit / Undo and
// Redo reach the model's undo stack while the focus is in the frame) until
// the save and reaches the item's objects only when the frame stores;
// Cancel restores the rows. The decisions are TFrameListDataModel's.
#include "editors/framework/TolvexFrameEditor.h"
#include "gui/UndoTarget.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QTreeWidget;
class TFrameListDataModel;
class TFrameSite;

class TFrameListData : public QWidget, public TTolvexFrameEditor, public TUndoStackTarget {
public:
    explicit TFrameListData(TFrameSite& site);
    ~TFrameListData() override;

    void Undo() override;
    void Redo() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    virtual void AddItem() { AddOrEditItem(false); }
    virtual void EditItem() { AddOrEditItem(true); }
    virtual void DeleteItem();
    virtual void AddOrEditItem(bool edit);
    virtual void UpdateButtons();

private:
    void NewModel();
    void Fill(int selectRow);
    int SelectedRow() const;
    void Changed(int selectRow);

    std::unique_ptr<TFrameListDataModel> model_;
    QTreeWidget* lvListData_;
    QWidget* pnlListDataBottom_;
    QPushButton* btnListDataAdd_;
    QPushButton* btnListDataEdit_;
    QPushButton* btnListDataDelete_;
};
