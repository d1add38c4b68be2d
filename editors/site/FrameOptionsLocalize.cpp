#include "editors/site/options/FrameOptionsLocalize.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/company/CompanyInfoModel.h"
#include "editors/site/options/FrameInitEditorModel.h"
#include "editors/site/options/FrameOptionsLocalizeModel.h"
#include "editors/site/options/LanguageItemDelegate.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/References.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

// The refresh flag that makes the catalog read its languages after the save.
constexpr int kReloadLanguages = 1;

QComboBox* CodeCombo(QWidget* parent, const char* name, const std::vector<TCompanyInfoModel::TChoice>& choices)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const TCompanyInfoModel::TChoice& choice : choices)
        combo->addItem(Q(choice.Caption), Q(choice.Code));
    return combo;
}

void Select(QComboBox* combo, const std::string& code)
{
    combo->setCurrentIndex(combo->findData(Q(code)));
}

}  // namespace

TFrameOptionsLocalize::TFrameOptionsLocalize(TFrameSite& site)
{
    setObjectName("TFrameOptionsLocalize");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameOptionsLocalize::~TFrameOptionsLocalize() = default;

void TFrameOptionsLocalize::InitControls()
{
    lvLanguages_ = new QTreeWidget(this);
    lvLanguages_->setObjectName("lvLanguages");
    lvLanguages_->setHeaderLabels({tr("Language"), tr("Default")});
    lvLanguages_->setRootIsDecorated(false);
    lvLanguages_->setAllColumnsShowFocus(true);
    lvLanguages_->setItemDelegateForColumn(0, new TLanguageItemDelegate(lvLanguages_));
    lvLanguages_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvLanguages_->header()->setStretchLastSection(false);

    cbLanguage_ = new QComboBox(this);
    cbLanguage_->setObjectName("cbLanguage");
    // "(Not specified)" stands for no language chosen to add.
    for (const auto& [name, code] : TFrameInitEditorModel::LanguageChoices(true))
        cbLanguage_->addItem(Q(name), Q(code));
    btnAdd_ = new QPushButton(tr("&Add"), this);
    btnAdd_->setObjectName("btnAdd");
    btnRemove_ = new QPushButton(tr("&Remove"), this);
    btnRemove_->setObjectName("btnRemove");
    btnSetDefault_ = new QPushButton(tr("Set &Default"), this);
    btnSetDefault_->setObjectName("btnSetDefault");

    TReferences& references = RootObject->References();
    cbCurrency_ = CodeCombo(this, "cbCurrency", TCompanyInfoModel::CodeNameChoices(references.GetCurrencies()));
    cbDimensionUnit_ =
        CodeCombo(this, "cbDimensionUnit", TCompanyInfoModel::CodeNameChoices(references.GetDimensionUnits()));
    cbWeightUnit_ = CodeCombo(this, "cbWeightUnit", TCompanyInfoModel::CodeNameChoices(references.GetWeightUnits()));

    auto* languages = new QGroupBox(tr("Catalog Languages"), this);
    auto* addRow = new QHBoxLayout;
    auto* languageLabel = new QLabel(tr("&Language:"), languages);
    languageLabel->setBuddy(cbLanguage_);
    addRow->addWidget(languageLabel);
    addRow->addWidget(cbLanguage_, 1);
    addRow->addWidget(btnAdd_);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(btnSetDefault_);
    listButtons->addWidget(btnRemove_);
    listButtons->addStretch();
    auto* languageLayout = new QVBoxLayout(languages);
    languageLayout->addWidget(lvLanguages_, 1);
    languageLayout->addLayout(listButtons);
    languageLayout->addLayout(addRow);

    auto* defaults = new QGroupBox(tr("Defaults"), this);
    auto* form = new QFormLayout(defaults);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("&Currency:"), cbCurrency_);
    form->addRow(tr("D&imension unit:"), cbDimensionUnit_);
    form->addRow(tr("&Weight unit:"), cbWeightUnit_);
    for (QComboBox* combo : {cbCurrency_, cbDimensionUnit_, cbWeightUnit_})
        static_cast<QLabel*>(form->labelForField(combo))->setBuddy(combo);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(languages, 1);
    layout->addWidget(defaults);
    setTabOrder(lvLanguages_, btnSetDefault_);
    setTabOrder(btnSetDefault_, btnRemove_);
    setTabOrder(btnRemove_, cbLanguage_);
    setTabOrder(cbLanguage_, btnAdd_);
    setTabOrder(btnAdd_, cbCurrency_);
    setTabOrder(cbCurrency_, cbDimensionUnit_);
    setTabOrder(cbDimensionUnit_, cbWeightUnit_);

    connect(lvLanguages_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(cbLanguage_, &QComboBox::currentIndexChanged, this, [this] { UpdateButtons(); });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddLanguage(); });
    connect(btnRemove_, &QPushButton::clicked, this, [this] { RemoveLanguage(); });
    connect(btnSetDefault_, &QPushButton::clicked, this, [this] { SetDefaultLanguage(); });
    for (QComboBox* combo : {cbCurrency_, cbDimensionUnit_, cbWeightUnit_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { UnitChanged(); });
}

void TFrameOptionsLocalize::LoadFromObjects(bool languageSwitch)
{
    // The list is the same in every editing language.
    if (languageSwitch && model_)
        return;
    TrackChanges = false;
    model_ = std::make_unique<TFrameOptionsLocalizeModel>(SiteModelContextOf(*this));
    model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    model_->Load();
    languagesStored_ = false;
    FillList(std::string());
    cbLanguage_->setCurrentIndex(std::max(0, cbLanguage_->findData("XXX")));
    Select(cbCurrency_, model_->Currency());
    Select(cbDimensionUnit_, model_->DimensionUnit());
    Select(cbWeightUnit_, model_->WeightUnit());
    UpdateButtons();
    TrackChanges = true;
}

void TFrameOptionsLocalize::FillList(const std::string& selectCode)
{
    lvLanguages_->clear();
    for (const TFrameOptionsLocalizeModel::TLanguageRow& row : model_->Languages()) {
        auto* item = new QTreeWidgetItem({Q(row.Caption), row.IsDefault ? tr("Default") : QString()});
        item->setData(0, TLanguageItemDelegate::CodeRole, Q(row.Code));
        item->setData(0, TLanguageItemDelegate::NativeNameRole, Q(row.NativeName));
        lvLanguages_->addTopLevelItem(item);
        if (row.Code == selectCode)
            lvLanguages_->setCurrentItem(item);
    }
    lvLanguages_->resizeColumnToContents(1);
    UpdateButtons();
}

int TFrameOptionsLocalize::SelectedRow() const
{
    QTreeWidgetItem* item = lvLanguages_->currentItem();
    return item && item->isSelected() ? lvLanguages_->indexOfTopLevelItem(item) : -1;
}

void TFrameOptionsLocalize::UpdateButtons()
{
    if (!model_)
        return;
    const int row = SelectedRow();
    btnAdd_->setEnabled(TFrameOptionsLocalizeModel::CanAdd(S(cbLanguage_->currentData().toString())));
    btnRemove_->setEnabled(model_->CanRemove(row));
    btnSetDefault_->setEnabled(model_->CanSetDefault(row));
}

void TFrameOptionsLocalize::AddLanguage()
{
    const std::string code = S(cbLanguage_->currentData().toString());
    const std::string error = model_->Add(code);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    FillList(S(Q(code).toUpper()));
    SetModified();
}

void TFrameOptionsLocalize::RemoveLanguage()
{
    const int row = SelectedRow();
    if (!model_->CanRemove(row))
        return;
    model_->Remove(row);
    FillList(std::string());
    SetModified();
}

void TFrameOptionsLocalize::SetDefaultLanguage()
{
    const int row = SelectedRow();
    if (!model_->CanSetDefault(row))
        return;
    const std::string code = model_->Languages()[row].Code;
    model_->SetDefault(row);
    FillList(code);
    SetModified();
}

void TFrameOptionsLocalize::UnitChanged()
{
    if (!TrackChanges || !model_)
        return;
    // A combo whose stored code is not listed shows nothing and keeps it.
    auto code = [](QComboBox* combo) { return S(combo->currentData().toString()); };
    if (cbCurrency_->currentIndex() >= 0 && code(cbCurrency_) != model_->Currency())
        model_->SetCurrency(code(cbCurrency_));
    if (cbDimensionUnit_->currentIndex() >= 0 && code(cbDimensionUnit_) != model_->DimensionUnit())
        model_->SetDimensionUnit(code(cbDimensionUnit_));
    if (cbWeightUnit_->currentIndex() >= 0 && code(cbWeightUnit_) != model_->WeightUnit())
        model_->SetWeightUnit(code(cbWeightUnit_));
    SetModified();
}

void TFrameOptionsLocalize::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified() && model_->Store())
        languagesStored_ = true;
}

bool TFrameOptionsLocalize::Save()
{
    const bool saved = TTolvexFrameEditor::Save();
    // Also when the languages were written before (a preview): this save commits them.
    if (saved && languagesStored_)
        GetContext()->AddRefreshFlag(kReloadLanguages);
    return saved;
}

void TFrameOptionsLocalize::AfterSave()
{
    languagesStored_ = false;
}
