#include "editors/media/definitions/FrameObjectEditor.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/media/definitions/ObjectEditorModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameObjectEditor::TFrameObjectEditor(TFrameSite& site)
{
    setObjectName("TFrameObjectEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameObjectEditor::~TFrameObjectEditor() = default;

void TFrameObjectEditor::InitControls()
{
    const std::string editorName = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    classTag_ = RootObject->Catalog().GetDefinition().GetFilterValue(editorName, "ClassXmlTag");
    grdObject_ = new QTableWidget(0, 2, this);
    grdObject_->setObjectName("grdObject");
    grdObject_->setHorizontalHeaderLabels({Q(classTag_), tr("Value")});
    grdObject_->verticalHeader()->hide();
    grdObject_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // The two columns share the width.
    grdObject_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdObject_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdObject_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    connect(grdObject_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        // The member names are not selectable: the value of the row is.
        if (column == 0 && row >= 0)
            grdObject_->setCurrentCell(row, 1);
    });
    connect(grdObject_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!TrackChanges || !model_ || column != 1)
            return;
        model_->SetText(row, S(grdObject_->item(row, 1)->text()));
        SetModified();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grdObject_);
}

void TFrameObjectEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TObjectEditorModel>(SiteModelContextOf(*this), classTag_);
    model_->Load();
    Fill();
    TrackChanges = true;
}

void TFrameObjectEditor::Fill()
{
    grdObject_->setRowCount(0);
    const auto& rows = model_->Rows();
    grdObject_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* member = new QTableWidgetItem(Q(rows[i].Member));
        member->setFlags(Qt::ItemIsEnabled);
        auto* value = new QTableWidgetItem(Q(rows[i].Text));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!rows[i].ReadOnly)
            flags |= Qt::ItemIsEditable;
        else
            value->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        value->setFlags(flags);
        grdObject_->setItem(i, 0, member);
        grdObject_->setItem(i, 1, value);
    }
    if (!rows.empty())
        grdObject_->setCurrentCell(0, 1);
}

void TFrameObjectEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !model_->IsModified())
        return;
    model_->Store();
    TrackChanges = false;
    const int row = grdObject_->currentRow();
    Fill();
    if (row >= 0 && row < grdObject_->rowCount())
        grdObject_->setCurrentCell(row, 1);
    TrackChanges = true;
}
