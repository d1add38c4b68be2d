#include "editors/business/hotels/SeasonFrames.h"

#include "editors/business/ItemTypeDialog.h"
#include "editors/business/ItemWrites.h"
#include "editors/business/hotels/HospitalityFields.h"
#include "editors/business/hotels/SeasonsModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/MemberValueText.h"
#include "storage/NameValueLines.h"

#include <QDate>
#include <QDateEdit>
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

// ---- the grid ------------------------------------------------------------------------------

TSeasonGrid::TSeasonGrid(QWidget& parent, TTolvexFrameEditor& frame) : QWidget(&parent), frame_(frame)
{
    setObjectName("pnlSeasons");
    sgSeasons_ = new QTableWidget(0, 3, this);
    sgSeasons_->setObjectName("sgSeasons");
    sgSeasons_->setHorizontalHeaderLabels({tr("Season Name"), tr("From Date"), tr("To Date")});
    sgSeasons_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgSeasons_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgSeasons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSeasons_->verticalHeader()->hide();
    sgSeasons_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgSeasons_->setMinimumHeight(sgSeasons_->fontMetrics().lineSpacing() * 6);
    btnNew_ = new QPushButton(tr("&New..."), this);
    btnNew_->setObjectName("btnNewSeason");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditSeason");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteSeason");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnNew_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sgSeasons_, 1);
    layout->addLayout(buttons);
    connect(btnNew_, &QPushButton::clicked, this, [this] { NewOrEdit(false); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { NewOrEdit(true); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { Delete(); });
    connect(sgSeasons_, &QTableWidget::cellDoubleClicked, this, [this] { NewOrEdit(true); });
    connect(sgSeasons_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
}

TSeasonGrid::~TSeasonGrid() = default;

void TSeasonGrid::Load()
{
    model_ = std::make_unique<TSeasonsModel>(SiteModelContextOf(frame_));
    model_->UseWrites(TItemWrites::Through(*frame_.GetContext()));
    model_->Load();
    Fill();
}

void TSeasonGrid::Saved()
{
    if (model_)
        model_->ForgetDeletions();
}

void TSeasonGrid::Fill()
{
    const int selected = SelectedSeason();
    sgSeasons_->setRowCount(0);
    for (const TSeasonsModel::TRow& row : model_->Rows()) {
        const int at = sgSeasons_->rowCount();
        sgSeasons_->insertRow(at);
        int column = 0;
        for (const std::string& text : {row.Name, row.From, row.To}) {
            auto* cell = new QTableWidgetItem(Q(text));
            cell->setData(Qt::UserRole, row.ItemId);
            sgSeasons_->setItem(at, column++, cell);
        }
        if (row.ItemId == selected)
            sgSeasons_->selectRow(at);
    }
    UpdateButtons();
}

int TSeasonGrid::SelectedSeason() const
{
    const QList<QTableWidgetItem*> selected = sgSeasons_->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(Qt::UserRole).toInt();
}

void TSeasonGrid::UpdateButtons()
{
    const bool chosen = SelectedSeason() != 0;
    btnEdit_->setEnabled(chosen);
    btnDelete_->setEnabled(chosen);
}

void TSeasonGrid::NewOrEdit(bool edit)
{
    const int season = SelectedSeason();
    if (!model_ || (edit && season == 0))
        return;
    std::vector<std::string> params = edit ? model_->EditParams(season) : std::vector<std::string>{};
    for (;;) {
        if (!RunItemTypeDialog(frame_, TSeasonsModel::kDialogType, params))
            return;
        int created = 0;
        const std::string error = edit ? model_->Change(season, params) : model_->Add(params, &created);
        if (error.empty()) {
            frame_.SetModified();
            Fill();
            if (created)
                for (int row = 0; row < sgSeasons_->rowCount(); ++row)
                    if (sgSeasons_->item(row, 0)->data(Qt::UserRole).toInt() == created)
                        sgSeasons_->selectRow(row);
            return;
        }
        ShowFrameError(error);
        // Shown again with what was typed.
        std::vector<std::string> again;
        for (const char* key : {"SeasonName", "FromMonth", "FromDay", "FromYear", "ToMonth", "ToDay", "ToYear"})
            again.push_back(std::string("Init") + key + "=" + ValueOfName(params, key));
        params = again;
    }
}

void TSeasonGrid::Delete()
{
    const int season = SelectedSeason();
    if (!model_ || season == 0)
        return;
    const std::string error = model_->Delete(season);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    frame_.SetModified();
    Fill();
}

// ---- the tabs ------------------------------------------------------------------------------

TFrameHotelSeasons::TFrameHotelSeasons(TFrameSite& site) : TFrameHotelSeasons(site, "TFrameHotelSeasons", {}) {}

TFrameHotelSeasons::TFrameHotelSeasons(TFrameSite& site, const char* objectName, std::vector<TMemberField> fields)
    : TFrameMemberForm(site, objectName, std::move(fields))
{
}

void TFrameHotelSeasons::InitControls()
{
    TFrameMemberForm::InitControls();
    Grid = new TSeasonGrid(*this, *this);
    auto* caption = new QLabel(tr("Seasons"), this);
    // The grid goes between the payment forms and the price notes, or alone.
    const int row = Form->rowCount() > 0 ? 1 : 0;
    Form->insertRow(row, caption, Grid);
    if (CatalogType() == hospitality_fields::kAssociationCatalogType && Form->rowCount() > 1) {
        Form->setRowVisible(Grid, false);
        HideField("memPriceNotes");
    }
}

void TFrameHotelSeasons::AfterLoad()
{
    Grid->Load();
}

void TFrameHotelSeasons::AfterSave()
{
    Grid->Saved();
}

TFrameZOZPayments::TFrameZOZPayments(TFrameSite& site)
    : TFrameHotelSeasons(site, "TFrameZOZPayments", hospitality_fields::Payments())
{
}

void TFrameZOZPayments::InitControls()
{
    TFrameHotelSeasons::InitControls();
}

// ---- the dialog ----------------------------------------------------------------------------

TFrameZOZEditSeason::TFrameZOZEditSeason(TFrameSite& site)
{
    setObjectName("TFrameZOZEditSeason");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameZOZEditSeason::InitControls()
{
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtSeasonName");
    auto date = [this](const char* name) {
        auto* edit = new QDateEdit(QDate::currentDate(), this);
        edit->setObjectName(name);
        edit->setDisplayFormat("dd MMMM yyyy");
        edit->setCalendarPopup(true);
        connect(edit, &QDateEdit::dateChanged, this, [this] { Validate(); });
        return edit;
    };
    dtFrom_ = date("dtFrom");
    dtTo_ = date("dtTo");
    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName("lblProblem");
    lblProblem_->setStyleSheet("color: #a00000");
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Season &name:"), edtName_);
    form->addRow(tr("&From:"), dtFrom_);
    form->addRow(tr("&To:"), dtTo_);
    form->addRow(QString(), lblProblem_);
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        edtName_->setText(Q(ValueOfName(*params, "InitSeasonName")));
        auto start = [&](QDateEdit* edit, const char* prefix) {
            const std::string p = prefix;
            const QDate value(TMemberValueText::ReadInteger(ValueOfName(*params, "Init" + p + "Year")),
                              TMemberValueText::ReadInteger(ValueOfName(*params, "Init" + p + "Month")),
                              TMemberValueText::ReadInteger(ValueOfName(*params, "Init" + p + "Day")));
            if (value.isValid())
                edit->setDate(value);
        };
        start(dtFrom_, "From");
        start(dtTo_, "To");
    }
    connect(edtName_, &QLineEdit::textChanged, this, [this] { Validate(); });
    Validate();
}

void TFrameZOZEditSeason::Validate()
{
    TSeasonsModel::TDates dates;
    dates.FromDay = dtFrom_->date().day();
    dates.FromMonth = dtFrom_->date().month();
    dates.FromYear = dtFrom_->date().year();
    dates.ToDay = dtTo_->date().day();
    dates.ToMonth = dtTo_->date().month();
    dates.ToYear = dtTo_->date().year();
    const std::string problem = TSeasonsModel::Check(S(edtName_->text()), dates);
    lblProblem_->setText(Q(problem));
    // The dialog's OK follows the modified state.
    ClearModified();
    if (problem.empty())
        SetModified();
    else
        GetContext()->SetModified(false);
}

bool TFrameZOZEditSeason::Save()
{
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "SeasonName", S(edtName_->text()));
        const QDate from = dtFrom_->date();
        const QDate to = dtTo_->date();
        editor_params::SetValue(*params, "FromDay", std::to_string(from.day()));
        editor_params::SetValue(*params, "FromMonth", std::to_string(from.month()));
        editor_params::SetValue(*params, "FromYear", std::to_string(from.year()));
        editor_params::SetValue(*params, "ToDay", std::to_string(to.day()));
        editor_params::SetValue(*params, "ToMonth", std::to_string(to.month()));
        editor_params::SetValue(*params, "ToYear", std::to_string(to.year()));
    }
    return true;
}
