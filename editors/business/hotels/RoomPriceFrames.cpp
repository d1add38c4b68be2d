#include "editors/business/hotels/RoomPriceFrames.h"

#include "catalog/CatalogData.h"
#include "editors/business/ItemNames.h"
#include "editors/business/ItemTypeDialog.h"
#include "editors/business/hotels/HospitalityFields.h"
#include "editors/business/hotels/PriceDialogModel.h"
#include "editors/business/hotels/RoomPricesModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/AbstractObjectCollection.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

namespace {

bool IsAssociation(TTolvexControlClass* context)
{
    TCatalogData* data = context ? context->Data() : nullptr;
    return data && data->GetCatalogType() == hospitality_fields::kAssociationCatalogType;
}

}  // namespace

// ---- the room's prices ------------------------------------------------------------------

TFrameZOZRoom::TFrameZOZRoom(TFrameSite& site)
{
    setObjectName("TFrameZOZRoom");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameZOZRoom::~TFrameZOZRoom() = default;

bool TFrameZOZRoom::Association() const { return IsAssociation(GetContext()); }

void TFrameZOZRoom::InitControls()
{
    pnlName_ = new QWidget(this);
    pnlName_->setObjectName("pnlName");
    lblName_ = new QLabel(tr("Room &name:"), pnlName_);
    edtName_ = new QLineEdit(pnlName_);
    edtName_->setObjectName("edtRoomName");
    lblName_->setBuddy(edtName_);
    NameEdit = edtName_;
    auto* nameRow = new QHBoxLayout(pnlName_);
    nameRow->setContentsMargins(0, 0, 0, 0);
    nameRow->addWidget(lblName_);
    nameRow->addWidget(edtName_, 1);
    connect(edtName_, &QLineEdit::textEdited, this, [this] {
        nameChanged_ = true;
        if (TrackChanges)
            SetModified();
    });
    pnlName_->setVisible(!Association());

    QStringList columns{tr("Season Name"), tr("Currency"), tr("Single")};
    if (Association())
        columns << tr("Twin") << tr("Double") << tr("Triple") << tr("Quadro");
    else
        columns << tr("Double") << tr("Extra Person");
    sgPrices_ = new QTableWidget(0, static_cast<int>(columns.size()), this);
    sgPrices_->setObjectName("sgPrices");
    sgPrices_->setHorizontalHeaderLabels(columns);
    sgPrices_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPrices_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgPrices_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgPrices_->verticalHeader()->hide();
    sgPrices_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgPrices_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    sgPrices_->horizontalHeader()->resizeSection(0, 200);
    btnNew_ = new QPushButton(tr("&New..."), this);
    btnNew_->setObjectName("btnNewPrice");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditPrice");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeletePrice");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* grid = new QHBoxLayout;
    grid->addWidget(sgPrices_, 1);
    grid->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnlName_);
    layout->addWidget(new QLabel(tr("Prices per season:"), this));
    layout->addLayout(grid, 1);
    connect(btnNew_, &QPushButton::clicked, this, [this] { NewOrEdit(false); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { NewOrEdit(true); });
    connect(sgPrices_, &QTableWidget::cellDoubleClicked, this, [this] { NewOrEdit(true); });
    connect(sgPrices_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] {
        const int price = SelectedPrice();
        if (!model_ || price == 0)
            return;
        model_->Delete(price);
        SetModified();
        Fill();
    });
}

void TFrameZOZRoom::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    const TSiteModelContext context = SiteModelContextOf(*this);
    edtName_->setText(Q(TItemNames::NameOf(context.Objects, context.ItemId, context.LangCode)));
    nameChanged_ = false;
    model_ = std::make_unique<TRoomPricesModel>(context);
    model_->Load();
    Fill();
    TrackChanges = true;
}

void TFrameZOZRoom::StoreToObjects(bool /*languageSwitch*/)
{
    if (!IsModified() || !nameChanged_)
        return;
    const TSiteModelContext context = SiteModelContextOf(*this);
    const std::string name = S(edtName_->text());
    TItemNames::SetName(context.Objects, context.ItemId, context.LangCode, name);
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", name);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetTreeItemId()));
    }
}

void TFrameZOZRoom::SetNameEditText(const std::string& name)
{
    edtName_->setText(Q(name));
    nameChanged_ = true;
}

void TFrameZOZRoom::Fill()
{
    const int selected = SelectedPrice();
    sgPrices_->setRowCount(0);
    for (const TRoomPricesModel::TRow& row : model_->Rows()) {
        const int at = sgPrices_->rowCount();
        sgPrices_->insertRow(at);
        std::vector<std::string> cells{row.SeasonName, row.Currency, row.Single};
        if (Association())
            cells.insert(cells.end(), {row.Extra, row.Double, row.Triple, row.Quadro});
        else
            cells.insert(cells.end(), {row.Double, row.Extra});
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(Q(cells[column]));
            cell->setData(Qt::UserRole, row.InstanceId);
            if (column >= 2)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sgPrices_->setItem(at, static_cast<int>(column), cell);
        }
        if (row.InstanceId == selected)
            sgPrices_->selectRow(at);
    }
    UpdateButtons();
}

int TFrameZOZRoom::SelectedPrice() const
{
    const QList<QTableWidgetItem*> selected = sgPrices_->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(Qt::UserRole).toInt();
}

void TFrameZOZRoom::UpdateButtons()
{
    const bool chosen = SelectedPrice() != 0;
    btnEdit_->setEnabled(chosen);
    btnDelete_->setEnabled(chosen);
}

void TFrameZOZRoom::NewOrEdit(bool edit)
{
    const int price = SelectedPrice();
    if (!model_ || (edit && price == 0))
        return;
    std::vector<std::string> params = edit ? model_->EditParams(price) : std::vector<std::string>{};
    for (;;) {
        if (!RunItemTypeDialog(*this, TRoomPricesModel::kDialogType, params))
            return;
        const std::string error = model_->Apply(edit ? price : 0, params);
        if (error.empty()) {
            SetModified();
            Fill();
            return;
        }
        // Shown again with what was typed.
        ShowFrameError(error);
    }
}

// ---- the dialog ------------------------------------------------------------------------------

TFrameZOZEditPrice::TFrameZOZEditPrice(TFrameSite& site)
{
    setObjectName("TFrameZOZEditPrice");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameZOZEditPrice::~TFrameZOZEditPrice() = default;

void TFrameZOZEditPrice::InitControls()
{
    const bool association = IsAssociation(GetContext());
    model_ = std::make_unique<TPriceDialogModel>(SiteModelContextOf(*this), association);
    cbSeason_ = new QComboBox(this);
    cbSeason_->setObjectName("cbSeason");
    for (const auto& [caption, code] : model_->Seasons())
        cbSeason_->addItem(Q(caption), Q(code));
    cbCurrency_ = new QComboBox(this);
    cbCurrency_->setObjectName("cbCurrency");
    for (const auto& [caption, code] : model_->Currencies())
        cbCurrency_->addItem(Q(caption), Q(code));
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMaximumWidth(160);
        connect(line, &QLineEdit::textChanged, this, [this] { Validate(); });
        return line;
    };
    edtSingle_ = edit("edtSingle");
    edtDouble_ = edit("edtDouble");
    edtTriple_ = edit("edtTriple");
    edtQuadro_ = edit("edtQuadro");
    edtExtra_ = edit("edtExtra");
    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName("lblProblem");
    lblProblem_->setStyleSheet("color: #a00000");
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Season:"), cbSeason_);
    form->addRow(tr("&Currency:"), cbCurrency_);
    form->addRow(tr("Price Single:"), edtSingle_);
    form->addRow(tr("Price Double:"), edtDouble_);
    form->addRow(association ? tr("Price Twin:") : tr("Price Extra Person:"), edtExtra_);
    form->addRow(tr("Price Triple:"), edtTriple_);
    form->addRow(tr("Price Quadro:"), edtQuadro_);
    form->setRowVisible(edtTriple_, association);
    form->setRowVisible(edtQuadro_, association);
    form->addRow(QString(), lblProblem_);

    const TPriceDialogModel::TValues start = model_->Start(GetContext()->GetParams());
    cbSeason_->setCurrentIndex(cbSeason_->findData(Q(start.Season)));
    if (!start.Currency.empty() && cbCurrency_->findData(Q(start.Currency)) < 0)
        cbCurrency_->addItem(Q(start.Currency), Q(start.Currency));
    cbCurrency_->setCurrentIndex(cbCurrency_->findData(Q(start.Currency)));
    edtSingle_->setText(Q(start.Single));
    edtDouble_->setText(Q(start.Double));
    edtTriple_->setText(Q(start.Triple));
    edtQuadro_->setText(Q(start.Quadro));
    edtExtra_->setText(Q(start.Extra));
    connect(cbSeason_, &QComboBox::currentIndexChanged, this, [this] { Validate(); });
    connect(cbCurrency_, &QComboBox::currentIndexChanged, this, [this] { Validate(); });
    Validate();
}

void TFrameZOZEditPrice::Validate()
{
    TPriceDialogModel::TValues values;
    values.Season = S(cbSeason_->currentData().toString());
    values.Currency = S(cbCurrency_->currentData().toString());
    values.Single = S(edtSingle_->text());
    values.Double = S(edtDouble_->text());
    values.Triple = S(edtTriple_->text());
    values.Quadro = S(edtQuadro_->text());
    values.Extra = S(edtExtra_->text());
    const std::string problem = model_->Refusal(values);
    lblProblem_->setText(Q(problem));
    // The dialog's OK follows the modified state.
    ClearModified();
    if (problem.empty())
        SetModified();
    else
        GetContext()->SetModified(false);
}

bool TFrameZOZEditPrice::Save()
{
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        TPriceDialogModel::TValues values;
        values.Season = S(cbSeason_->currentData().toString());
        values.Currency = S(cbCurrency_->currentData().toString());
        values.Single = S(edtSingle_->text());
        values.Double = S(edtDouble_->text());
        values.Triple = S(edtTriple_->text());
        values.Quadro = S(edtQuadro_->text());
        values.Extra = S(edtExtra_->text());
        TPriceDialogModel::Answer(values, *params);
    }
    return true;
}
