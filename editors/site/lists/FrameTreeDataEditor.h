#pragma once
// A frame that shows the items under a fixed root of the catalog (with
// folders) in a tree of its own, and lets the user add and open items in
// the main editor, and delete, rename (in place), move (drag and drop) and
// group them in new folders. Those four changes are kept by the frame's
// model, each undoable and redoable (Edit / Undo and Redo reach the frame's
// undo stack while the focus is in it) until the item is saved, written by
// the save and dropped by Cancel. The decisions are
// TFrameTreeDataEditorModel's; the tree view shows it through
// TTreeDataModel. Descendants give its settings (the stories list, the tree
// lists of the catalog definition).
#include "editors/framework/TolvexFrameViewer.h"
#include "editors/site/lists/FrameTreeDataEditorModel.h"
#include "gui/UndoTarget.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QPushButton;
class QSplitter;
class TEditorPanel;
class TFrameSite;
class TTreeDataModel;
class TTreeDataView;

// The panel of the right-hand editor. A base listed before the frame base,
// so that the panel outlives the nested editors the frame base owns.
struct TNestedEditorPanel {
    std::unique_ptr<TEditorPanel> NestedPanel;
    ~TNestedEditorPanel();
};

class TFrameTreeDataEditor : public QWidget,
                             private TNestedEditorPanel,
                             public TTolvexFrameViewer,
                             public TUndoStackTarget {
public:
    explicit TFrameTreeDataEditor(TFrameSite& site);
    ~TFrameTreeDataEditor() override;

    void InitControls() override;
    // The tree's changes; nothing while a caption is being edited.
    void Undo() override;
    void Redo() override;
    void LoadFromObjects(bool languageSwitch) override;
    bool Save() override;
    void Cancel() override;
    void AfterSave() override;
    void TabShown() override;
    void ExecuteCommand(const std::string& command) override;
    void ReleaseControls() override;

protected:
    // The descendant's configuration; the default leaves the tree empty.
    virtual TFrameTreeDataEditorModel::TSettings Settings();
    virtual void UpdateButtons();
    virtual void EditSelected();
    virtual void AddItem();
    virtual void DeleteSelected();

    TFrameTreeDataEditorModel* Model() const { return model_.get(); }
    // The descendant's model; the default is the base model.
    virtual std::unique_ptr<TFrameTreeDataEditorModel> CreateModel(const TSiteModelContext& context,
                                                                   TFrameTreeDataEditorModel::TSettings settings);
    int SelectedId() const;
    bool IsEditingCaption() const;
    // Focuses the tree, selects the node and starts editing its caption in place.
    void EditCaption(int itemId);
    QPushButton* HelpButton() const { return btnTreeDataHelp_; }

private:
    // Shows a new model read from the catalog (dropping every unsaved change).
    void NewModel();
    // Reads the tree anew (Reload keeps the unsaved changes) and selects the item.
    void ReadAgain(bool reload, int selectId);
    const TFrameTreeDataEditorModel::TNode* SelectedNode() const;
    void SelectionChanged();
    void EditClicked();
    void NewFolder();
    void LocateToggled(bool checked);
    void ShowContextMenu(const QPoint& position);
    // After a change on the undo stack: the modified mark and the Save bar.
    void StackChanged();
    void ShowNested(const TFrameTreeDataEditorModel::TNode& node);

    std::unique_ptr<TFrameTreeDataEditorModel> model_;
    TTreeDataModel* treeModel_;
    bool firstLoadPending_ = true;
    // While the model reads the tree: its stack changes are no user's.
    bool reading_ = false;
    TTreeDataView* tvTreeData_;
    QWidget* pnlTreeDataTop_;
    QWidget* pnlTreeDataLocation_;
    QCheckBox* cbTreeDataLocateOnWebTree_;
    QWidget* pnlTreeDataBottom_;
    QPushButton* btnTreeDataNew_;
    QPushButton* btnTreeDataEdit_;
    QPushButton* btnTreeDataDelete_;
    QPushButton* btnTreeDataNewFolder_;
    QPushButton* btnTreeDataHelp_;
    QSplitter* splitter_;
    QWidget* pnlTreeViewClient_;
    class TTolvexItemEditor* nested_ = nullptr;
};
