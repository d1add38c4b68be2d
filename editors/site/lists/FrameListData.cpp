#include "editors/site/lists/FrameListData.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "common/ParamList.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/lists/DefinitionValues.h"
#include "editors/site/lists/FrameListDataModel.h"
#include "gui/FrameShortcut.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using UiText::Q;

}  // namespace

TFrameListData::TFrameListData(TFrameSite& site)
{
    setObjectName("TFrameListData");
    lvListData_ = new QTreeWidget(this);
    lvListData_->setObjectName("lvListData");
    lvListData_->setRootIsDecorated(false);
    lvListData_->setAllColumnsShowFocus(true);
    lvListData_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvListData_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pnlListDataBottom_ = new QWidget(this);
    btnListDataAdd_ = new QPushButton(tr("&Add..."), pnlListDataBottom_);
    btnListDataAdd_->setObjectName("btnListDataAdd");
    btnListDataEdit_ = new QPushButton(tr("&Edit..."), pnlListDataBottom_);
    btnListDataEdit_->setObjectName("btnListDataEdit");
    btnListDataDelete_ = new QPushButton(tr("&Delete"), pnlListDataBottom_);
    btnListDataDelete_->setObjectName("btnListDataDelete");
    auto* bottom = new QHBoxLayout(pnlListDataBottom_);
    bottom->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {btnListDataAdd_, btnListDataEdit_, btnListDataDelete_})
        bottom->addWidget(button);
    bottom->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);  // the frame's site has margins of its own
    layout->addWidget(lvListData_, 1);
    layout->addWidget(pnlListDataBottom_);
    setTabOrder(lvListData_, btnListDataAdd_);
    setTabOrder(btnListDataAdd_, btnListDataEdit_);
    setTabOrder(btnListDataEdit_, btnListDataDelete_);

    connect(lvListData_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(lvListData_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnListDataEdit_->isVisible() && btnListDataEdit_->isEnabled())
            EditItem();
    });
    connect(btnListDataAdd_, &QPushButton::clicked, this, [this] { AddItem(); });
    connect(btnListDataEdit_, &QPushButton::clicked, this, [this] { EditItem(); });
    connect(btnListDataDelete_, &QPushButton::clicked, this, [this] { DeleteItem(); });
    AddFrameShortcut(this, QKeySequence::Delete, [this] { DeleteItem(); });
    AddFrameShortcut(this, QKeySequence::New, [this] {
        if (btnListDataAdd_->isVisible())
            AddItem();
    });
    TQtFrameSite::PlaceInto(site, this);
}

TFrameListData::~TFrameListData()
{
    SetUndoStack(nullptr);
}

void TFrameListData::NewModel()
{
    const std::string plugin = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    model_ = std::make_unique<TFrameListDataModel>(SiteModelContextOf(*this),
                                                   DefinitionValues(RootObject->Catalog(), plugin));
    SetUndoStack(&model_->UndoStack());
}

void TFrameListData::InitControls()
{
    NewModel();
    btnListDataAdd_->setVisible(model_->ShowsAddAndEdit());
    btnListDataEdit_->setVisible(model_->ShowsAddAndEdit());
    QStringList captions;
    for (const TFrameListDataModel::TColumn& column : model_->Columns())
        captions << UiText::Tr(column.Caption);
    lvListData_->setColumnCount(static_cast<int>(captions.size()));
    lvListData_->setHeaderLabels(captions);
    lvListData_->setHeaderHidden(captions.isEmpty());
}

void TFrameListData::LoadFromObjects(bool /*languageSwitch*/)
{
    // A new model: the content language may have changed.
    NewModel();
    model_->Load();
    Fill(0);
}

void TFrameListData::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !model_->IsModified())
        return;
    const int selected = SelectedRow();
    model_->Store();
    Fill(selected);
}

void TFrameListData::Fill(int selectRow)
{
    lvListData_->clear();
    for (const TFrameListDataModel::TRow& row : model_->Rows()) {
        QStringList texts;
        for (const std::string& text : row.Texts)
            texts << Q(text);
        lvListData_->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    for (int column = 0; column < lvListData_->columnCount(); ++column)
        lvListData_->resizeColumnToContents(column);
    const int count = lvListData_->topLevelItemCount();
    if (count > 0) {
        QTreeWidgetItem* item = lvListData_->topLevelItem(std::clamp(selectRow, 0, count - 1));
        lvListData_->setCurrentItem(item);
    }
    UpdateButtons();
}

int TFrameListData::SelectedRow() const
{
    QTreeWidgetItem* item = lvListData_->currentItem();
    return item && item->isSelected() ? lvListData_->indexOfTopLevelItem(item) : -1;
}

void TFrameListData::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    btnListDataEdit_->setEnabled(selected);
    btnListDataDelete_->setEnabled(selected);
}

void TFrameListData::Changed(int selectRow)
{
    Fill(selectRow);
    SetModified();
}

void TFrameListData::AddOrEditItem(bool edit)
{
    const int row = edit ? SelectedRow() : -1;
    if (!model_ || (edit && row < 0) || model_->DialogItemType() == 0)
        return;
    std::vector<std::string> params;
    // The row's values start the first pass only: a dialog shown again
    // keeps what the user typed.
    if (edit)
        for (const std::string& line : model_->EditParams(row))
            editor_params::SetValue(params, TParamList::NameOf(line), TParamList::ValueOf(line));
    TTolvexControlClass& context = *GetContext();
    for (;;) {
        editor_params::SetValue(params, "reedit", "");
        bool ok = false;
        {
            TTolvexItemEditor dialog(context.Services(), nullptr);
            dialog.SetConnection(&context.GetConnection());
            dialog.PrepareOpen(0, 0, "", "");
            ok = dialog.OpenItem(-1, -1, model_->DialogItemType(), &params, 0);
        }
        if (!ok)
            break;
        if (model_->ApplyDialog(row, params)) {
            if (model_->IsModified())
                Changed(edit ? row : static_cast<int>(model_->Rows().size()) - 1);
            break;
        }
        if (ValueOfName(params, "reedit").empty())
            break;
    }
    UpdateButtons();
}

void TFrameListData::DeleteItem()
{
    const int row = SelectedRow();
    if (!model_ || row < 0)
        return;
    if (CommonProcedures->Gui().AskQuestion(model_->DeleteQuestion(), "", false) != mrYes)
        return;
    model_->Delete(row);
    Changed(row);
}

void TFrameListData::Undo()
{
    const int selected = SelectedRow();
    TUndoStackTarget::Undo();
    if (model_)
        Fill(selected);
}

void TFrameListData::Redo()
{
    const int selected = SelectedRow();
    TUndoStackTarget::Redo();
    if (model_)
        Fill(selected);
}
