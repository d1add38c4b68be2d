#include "editors/business/services/ServicePackageFrames.h"

#include "editors/business/ItemTypeDialog.h"
#include "editors/business/services/ServicePackagesModel.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameServicePackages::TFrameServicePackages(TFrameSite& site)
{
    setObjectName("TFrameServicePackages");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameServicePackages::~TFrameServicePackages() = default;

void TFrameServicePackages::InitControls()
{
    chkIsPackage_ = new QCheckBox(tr("This is a package"), this);
    chkIsPackage_->setObjectName("chkIsPackage");
    lvServices_ = new QTreeWidget(this);
    lvServices_->setObjectName("lvServices");
    lvServices_->setRootIsDecorated(false);
    lvServices_->setHeaderLabels(
        {tr("Service GUID"), tr("Name"), tr("Restrictions"), tr("Free Trial Restrictions"), tr("Trial Restrictions")});
    lvServices_->header()->resizeSection(0, 260);
    btnAdd_ = new QPushButton(tr("&Add..."), this);
    btnAdd_->setObjectName("btnAddService");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditService");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteService");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(lvServices_, 1);
    list->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkIsPackage_);
    layout->addLayout(list, 1);
    connect(chkIsPackage_, &QCheckBox::clicked, this, [this] {
        if (model_)
            model_->SetPackage(chkIsPackage_->isChecked());
        SetModified();
        UpdateEnabling();
    });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddOrEdit(false); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { AddOrEdit(true); });
    connect(lvServices_, &QTreeWidget::itemDoubleClicked, this, [this] { AddOrEdit(true); });
    connect(lvServices_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateEnabling(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] {
        const int entry = SelectedEntry();
        if (!model_ || entry == 0 || !chkIsPackage_->isChecked())
            return;
        model_->Delete(entry);
        SetModified();
        Fill();
    });
}

void TFrameServicePackages::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TServicePackagesModel>(SiteModelContextOf(*this));
    model_->Load();
    chkIsPackage_->setChecked(model_->IsPackage());
    Fill();
    if (lvServices_->topLevelItemCount() > 0)
        lvServices_->setCurrentItem(lvServices_->topLevelItem(0));
    TrackChanges = true;
    UpdateEnabling();
}

void TFrameServicePackages::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}

void TFrameServicePackages::Fill()
{
    const int selected = SelectedEntry();
    lvServices_->clear();
    for (const TServicePackagesModel::TEntry& entry : model_->Entries()) {
        auto* row = new QTreeWidgetItem(lvServices_, {Q(entry.Guid), Q(entry.Name), Q(entry.Restrictions),
                                                      Q(entry.FreeTrialRestrictions), Q(entry.TrialRestrictions)});
        row->setData(0, Qt::UserRole, entry.InstanceId);
        if (entry.InstanceId == selected)
            lvServices_->setCurrentItem(row);
    }
    // The entry just added (or the first) is the one the buttons act on.
    if (!lvServices_->currentItem() && lvServices_->topLevelItemCount() > 0)
        lvServices_->setCurrentItem(lvServices_->topLevelItem(lvServices_->topLevelItemCount() - 1));
    for (int column = 1; column < lvServices_->columnCount(); ++column)
        lvServices_->resizeColumnToContents(column);
    UpdateEnabling();
}

int TFrameServicePackages::SelectedEntry() const
{
    QTreeWidgetItem* row = lvServices_->currentItem();
    return row ? row->data(0, Qt::UserRole).toInt() : 0;
}

void TFrameServicePackages::UpdateEnabling()
{
    const bool package = chkIsPackage_->isChecked();
    lvServices_->setEnabled(package);
    btnAdd_->setEnabled(package);
    btnEdit_->setEnabled(package && SelectedEntry() != 0);
    btnDelete_->setEnabled(package && SelectedEntry() != 0);
}

void TFrameServicePackages::AddOrEdit(bool edit)
{
    const int entry = SelectedEntry();
    if (!model_ || !chkIsPackage_->isChecked() || (edit && entry == 0))
        return;
    std::vector<std::string> params = edit ? model_->EditParams(entry) : std::vector<std::string>{};
    if (!RunNamedDialog(*this, "PackageEdit", params))
        return;
    const std::string error = model_->Apply(edit ? entry : 0, params);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    SetModified();
    Fill();
}

// ---- the entry dialog ----------------------------------------------------------------------

TFramePackageEdit::TFramePackageEdit(TFrameSite& site)
{
    setObjectName("TFramePackageEdit");
    TQtFrameSite::PlaceInto(site, this);
}

void TFramePackageEdit::InitControls()
{
    SetModified();
    cbService_ = new QComboBox(this);
    cbService_->setObjectName("cbService");
    for (const auto& [guid, name] : TServicePackagesModel::Candidates(SiteModelContextOf(*this)))
        cbService_->addItem(Q(name), Q(guid));
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        return line;
    };
    edtRestrictions_ = edit("edtRestrictions");
    edtFreeTrialRestrictions_ = edit("edtFreeTrialRestrictions");
    edtTrialRestrictions_ = edit("edtTrialRestrictions");
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("&Service:"), cbService_);
    form->addRow(tr("&Restrictions:"), edtRestrictions_);
    form->addRow(tr("&Free trial restrictions:"), edtFreeTrialRestrictions_);
    form->addRow(tr("&Trial restrictions:"), edtTrialRestrictions_);
    std::vector<std::string> none;
    const std::vector<std::string>& params = GetContext()->GetParams() ? *GetContext()->GetParams() : none;
    edtRestrictions_->setText(Q(ValueOfName(params, "Restrictions")));
    edtFreeTrialRestrictions_->setText(Q(ValueOfName(params, "FreeTrialRestrictions")));
    edtTrialRestrictions_->setText(Q(ValueOfName(params, "TrialRestrictions")));
    cbService_->setCurrentIndex(cbService_->findData(Q(ValueOfName(params, "ServiceGUID"))));
}

bool TFramePackageEdit::Save()
{
    const bool saved = TTolvexFrameViewer::Save();
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "Restrictions", S(edtRestrictions_->text()));
        editor_params::SetValue(*params, "FreeTrialRestrictions", S(edtFreeTrialRestrictions_->text()));
        editor_params::SetValue(*params, "TrialRestrictions", S(edtTrialRestrictions_->text()));
        editor_params::SetValue(*params, "ServiceGUID", S(cbService_->currentData().toString()));
    }
    return saved;
}
