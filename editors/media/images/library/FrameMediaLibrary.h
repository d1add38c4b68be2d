#pragma once
// The library frames of pictures ("TFrameImageDB", tree under item 3) and
// binary objects ("TFrameObjectDB", tree under item 4): the tree data
// frame's tree (new folders, renames in place, moves by drag and drop,
// deletions, each undoable until the save) with what the selected item
// shows on the right, and the library's own buttons. The decisions are
// TMediaLibraryModel's.
//
// Each frame plays one of two roles, told by the name of its UI editor:
// in a manager ("ImagesManager", "BinaryObjectsManager") the user organises
// the library (names, import, export, deletion of every unused item) and
// the item editor's Save writes it; in the insertion dialog the user picks
// an item, whose id and facts OK writes into the dialog's parameters, and
// the library is shown as it is (organising it is the manager's).
#include "editors/media/images/ImageHtmlAttributes.h"
#include "editors/media/images/library/MediaLibraryModel.h"
#include "editors/site/lists/FrameTreeDataEditor.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TFrameImageContainer;
class TImageHtmlPanel;

class TFrameMediaLibrary : public TFrameTreeDataEditor {
public:
    TFrameMediaLibrary(TFrameSite& site, TMediaKind kind);
    ~TFrameMediaLibrary() override;

    void InitControls() override;
    bool Save() override;
    void Cancel() override;
    void TabShown() override;
    bool CanLeaveTab() override;

    bool IsManager() const;
    TMediaLibraryModel* Library() const { return static_cast<TMediaLibraryModel*>(Model()); }

protected:
    TFrameTreeDataEditorModel::TSettings Settings() override;
    std::unique_ptr<TFrameTreeDataEditorModel> CreateModel(const TSiteModelContext& context,
                                                           TFrameTreeDataEditorModel::TSettings settings) override;
    void UpdateButtons() override;
    void DeleteSelected() override;
    void EditSelected() override {}
    void AddItem() override {}

private:
    void BuildRightPanel();
    void ShowSelected();
    // Keeps what was typed into the name fields for the item shown.
    void StoreNameEdits();
    void DeleteUnreferenced();
    void Export();
    void Import();
    bool SaveDialogAnswers();
    void ShowError(const std::string& text);

    TMediaKind kind_;
    int shownId_ = 0;
    bool loadingNames_ = false;
    QWidget* pnlRight_;
    QPointer<TFrameImageContainer> preview_;
    QWidget* pnlPreview_;
    QWidget* pnlInfo_;
    QLabel* lblOriginalFileName_;
    QLabel* lblFileSize_;
    QWidget* pnlNames_;
    QLineEdit* edtCaption_;
    QLineEdit* edtAltFileName_;
    QWidget* pnlOperations_;
    QPushButton* btnDelete_;
    QPushButton* btnExport_;
    QWidget* pnlFolder_;
    QPushButton* btnDeleteFolder_;
    QWidget* pnlScale_;
    QCheckBox* cbScale_;
    QSpinBox* sbScaleSize_;
    QComboBox* cbScaleType_;
    // The HTML attributes of a picture inserted into a page ("ShowHtmlAttributes").
    bool showHtml_ = false;
    TImageHtmlAttributes html_;
    TImageHtmlPanel* pnlHtml_;
    QWidget* pnlObject_;
    QCheckBox* cbInsertAsObject_;
    QSpinBox* sbObjectWidth_;
    QSpinBox* sbObjectHeight_;
    QPushButton* btnImport_;
    QPushButton* btnDeleteUnreferenced_;
};

// The picture library: the image dialog's "Image From Database" tab and
// the images manager's "Images Management" tab.
class TFrameImageDB : public TFrameMediaLibrary {
public:
    explicit TFrameImageDB(TFrameSite& site) : TFrameMediaLibrary(site, TMediaKind::Images) {}
};
