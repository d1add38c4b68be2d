#pragma once
// The "Initialize" tab of a definition's initialisation lists: on the left
// the style catalog's trees (read only) with ">" to add the selected item
// to the active list (or a double click) and "<" to remove the selected row
// (or a double click on a row); on the right the definition's data version
// and the three lists "Insert Initialy", "Update In Existing" and "Delete
// From Existing". Every change is undoable and written with the save; the
// decisions are TInitializationListsModel's, which refuses roots and
// well-known items in "Delete From Existing".
#include "editors/framework/TolvexFrameEditor.h"
#include "gui/UndoTarget.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TCatalogTreeHost;
class TCatalogTreeView;
class TFrameSite;
class TInitializationListsModel;
class TTreeManager;

class TFrameInitializeEditor : public QWidget, public TTolvexFrameEditor, public TUndoStackTarget {
public:
    explicit TFrameInitializeEditor(TFrameSite& site);
    ~TFrameInitializeEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void Undo() override;
    void Redo() override;

    TTreeManager* Tree() const { return manager_.get(); }
    // ">": the selected tree item into the active list.
    void AddSelected();
    // "<": the selected row out of the active list.
    void RemoveSelected();

private:
    int ActiveList() const;
    QTreeWidget* ListView(int list) const;
    void Fill(int list, int selectRow);
    void FillAll();

    std::unique_ptr<TCatalogTreeHost> treeHost_;
    std::unique_ptr<TTreeManager> manager_;
    std::unique_ptr<TInitializationListsModel> model_;
    TCatalogTreeView* tvItems_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnRemove_ = nullptr;
    QLineEdit* edtDataVersion_ = nullptr;
    QTabWidget* pcLists_ = nullptr;
    QTreeWidget* lists_[3] = {nullptr, nullptr, nullptr};
};
