#include "editors/business/schedules/FramePriceScheduleDetail.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/MemberTypes.h"
#include "editors/business/schedules/PriceScheduleDetailModel.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/References.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFramePriceScheduleDetail::TFramePriceScheduleDetail(TFrameSite& site)
{
    setObjectName("TFramePriceScheduleDetail");
    TQtFrameSite::PlaceInto(site, this);
}

TFramePriceScheduleDetail::~TFramePriceScheduleDetail() = default;

void TFramePriceScheduleDetail::InitControls()
{
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtScheduleName");
    edtName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtName_;
    cbCurrency_ = new QComboBox(this);
    cbCurrency_->setObjectName("cbCurrencyCode");
    if (RootObject)
        for (const std::string& line : RootObject->References().GetCurrencies()) {
            const std::size_t equals = line.find('=');
            const std::string code = line.substr(0, equals);
            const std::string name = equals == std::string::npos ? code : line.substr(equals + 1);
            cbCurrency_->addItem(Q(name + " (" + code + ")"), Q(code));
        }

    auto* visibilityBox = new QGroupBox(tr("Price Visibility"), this);
    visibility_ = new QButtonGroup(this);
    auto* visibilityLayout = new QVBoxLayout(visibilityBox);
    const std::pair<QString, int> choices[] = {
        {tr("Show prices to &public"), TPriceScheduleDetailModel::pvPublic},
        {tr("Show prices to &approved buyers"), TPriceScheduleDetailModel::pvApprovedBuyers},
        {tr("Show prices to buyers &registered with the hosting service"),
         TPriceScheduleDetailModel::pvRegisteredBuyers},
        {tr("&Hidden price schedule"), TPriceScheduleDetailModel::pvHidden},
    };
    for (const auto& [caption, value] : choices) {
        auto* button = new QRadioButton(caption, visibilityBox);
        button->setObjectName(QString("rbVisibility%1").arg(value));
        visibility_->addButton(button, value);
        visibilityLayout->addWidget(button);
    }

    gbCalculated_ = new QGroupBox(tr("Calculated From Base Schedule"), this);
    gbCalculated_->setObjectName("gbCalculated");
    cbCalculatedType_ = new QComboBox(gbCalculated_);
    cbCalculatedType_->setObjectName("cbCalculatedType");
    cbCalculatedType_->addItems({tr("Add"), tr("Substract"), tr("Multiply"), tr("Divide")});
    edtCalculatedValue_ = new QLineEdit(gbCalculated_);
    edtCalculatedValue_->setObjectName("edtCalculatedValue");
    edtCalculatedValue_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("-?[0-9.,' ]*"), edtCalculatedValue_));
    auto* calculatedForm = new QFormLayout(gbCalculated_);
    calculatedForm->addRow(tr("Calculation:"), cbCalculatedType_);
    calculatedForm->addRow(tr("Value For Calculation:"), edtCalculatedValue_);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* nameLabel = new QLabel(tr("Schedule &Name:"), this);
    nameLabel->setBuddy(edtName_);
    form->addRow(nameLabel, edtName_);
    auto* currencyLabel = new QLabel(tr("&Currency Code:"), this);
    currencyLabel->setBuddy(cbCurrency_);
    form->addRow(currencyLabel, cbCurrency_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(visibilityBox);
    layout->addWidget(gbCalculated_);
    layout->addStretch();

    connect(edtName_, &QLineEdit::textEdited, this, [this] { Changed(); });
    connect(cbCurrency_, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(visibility_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Changed();
    });
    connect(cbCalculatedType_, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
    connect(edtCalculatedValue_, &QLineEdit::textEdited, this, [this] { Changed(); });
}

void TFramePriceScheduleDetail::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TPriceScheduleDetailModel>(SiteModelContextOf(*this));
    model_->Load();
    const TPriceScheduleDetailModel::TValues& values = model_->Values();
    edtName_->setText(Q(values.Name));
    cbCurrency_->setCurrentIndex(cbCurrency_->findData(Q(values.CurrencyCode)));
    if (QAbstractButton* button = visibility_->button(values.Visibility))
        button->setChecked(true);
    gbCalculated_->setVisible(values.Calculated);
    cbCalculatedType_->setCurrentIndex(values.CalculatedType >= 0 && values.CalculatedType < 4 ? values.CalculatedType : 0);
    edtCalculatedValue_->setText(Q(values.CalculatedValue));
    TrackChanges = true;
}

void TFramePriceScheduleDetail::ReadControls()
{
    TPriceScheduleDetailModel::TValues values = model_->Values();
    values.Name = S(edtName_->text());
    values.CurrencyCode = S(cbCurrency_->currentData().toString());
    values.Visibility = static_cast<TPriceScheduleDetailModel::TVisibility>(std::max(0, visibility_->checkedId()));
    values.CalculatedType = cbCalculatedType_->currentIndex();
    values.CalculatedValue = S(edtCalculatedValue_->text());
    model_->SetValues(values);
}

bool TFramePriceScheduleDetail::Save()
{
    if (model_ && IsModified()) {
        ReadControls();
        const std::string error = model_->Validate();
        if (!error.empty()) {
            ShowFrameError(error);
            GetUIEditor()->SetInvalidControl(edtName_);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}

void TFramePriceScheduleDetail::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    ReadControls();
    model_->Store();
}

void TFramePriceScheduleDetail::SetNameEditText(const std::string& name)
{
    edtName_->setText(Q(name));
}

void TFramePriceScheduleDetail::Changed()
{
    if (TrackChanges)
        SetModified();
}
