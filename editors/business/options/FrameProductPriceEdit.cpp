#include "editors/business/options/FrameProductPriceEdit.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/business/options/OptionCombinations.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameProductPriceEdit::TFrameProductPriceEdit(TFrameSite& site)
{
    setObjectName("TFrameProductPriceEdit");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameProductPriceEdit::InitControls()
{
    cbSchedule_ = new QComboBox(this);
    cbSchedule_->setObjectName("cbSchedule");
    lblPrice_ = new QLabel(this);
    edtPrice_ = new QLineEdit(this);
    edtPrice_->setObjectName("edtPrice");
    lblPrice_->setBuddy(edtPrice_);
    edtStock_ = new QLineEdit(this);
    edtStock_->setObjectName("edtStock");
    chkAnyQuantity_ = new QCheckBox(tr("The price for &any quantity"), this);
    chkAnyQuantity_->setObjectName("chkAnyQuantity");
    lblMinimum_ = new QLabel(tr("&Minimum quantity:"), this);
    edtMinimum_ = new QLineEdit(this);
    edtMinimum_->setObjectName("edtMinimum");
    lblMinimum_->setBuddy(edtMinimum_);
    chkRequestForQuote_ = new QCheckBox(tr("&Request For Quote"), this);
    chkRequestForQuote_->setObjectName("chkRequestForQuote");
    // Digits, and the separators an amount may have; the model reads what the user meant.
    edtPrice_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.,' ]*"), edtPrice_));
    for (QLineEdit* edit : {edtStock_, edtMinimum_})
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), edit));

    pnlOption_ = new QGroupBox(this);
    pnlOption_->setObjectName("pnlOption");
    chkIncludeAll_ = new QCheckBox(tr("&Include All Options"), pnlOption_);
    chkIncludeAll_->setObjectName("chkIncludeAll");
    lblOption_ = new QLabel(tr("O&ption:"), pnlOption_);
    edtOption_ = new QLineEdit(pnlOption_);
    edtOption_->setObjectName("edtOption");
    edtOption_->setReadOnly(true);
    lblOption_->setBuddy(edtOption_);
    btnOption_ = new QPushButton(tr("..."), pnlOption_);
    btnOption_->setObjectName("btnOption");
    btnOption_->setToolTip(tr("Choose the combination of option values"));
    btnOption_->setMaximumWidth(btnOption_->fontMetrics().horizontalAdvance("...") + 24);
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(lblOption_);
    optionRow->addWidget(edtOption_, 1);
    optionRow->addWidget(btnOption_);
    auto* optionLayout = new QVBoxLayout(pnlOption_);
    optionLayout->addWidget(chkIncludeAll_);
    optionLayout->addLayout(optionRow);

    auto* form = new QFormLayout;
    form->addRow(tr("Price &schedule:"), cbSchedule_);
    form->addRow(lblPrice_, edtPrice_);
    form->addRow(tr("&Quantity in stock:"), edtStock_);
    form->addRow(chkAnyQuantity_);
    form->addRow(lblMinimum_, edtMinimum_);
    form->addRow(chkRequestForQuote_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pnlOption_);
    layout->addStretch();

    std::vector<std::string> params;
    if (std::vector<std::string>* given = GetContext()->GetParams())
        params = *given;
    std::vector<std::string> schedules;
    if (TCatalogData* data = GetContext()->Data())
        schedules = [&] {
            std::vector<std::string> list;
            data->GetQueries().ListSubtree(12, list, 0, GetContext()->GetConnection());
            return list;
        }();
    model_.Init(params, schedules);

    filling_ = true;
    for (const TPriceEditModel::TSchedule& schedule : model_.Schedules()) {
        // Indented by depth: a schedule derived from another stands below it.
        QString caption = Q(schedule.Caption);
        if (caption.startsWith(' '))
            caption.remove(0, 1);
        cbSchedule_->addItem(caption, schedule.ItemId);
    }
    cbSchedule_->setCurrentIndex(model_.ScheduleIndex());
    edtPrice_->setText(Q(model_.PriceText));
    edtStock_->setText(Q(model_.StockText));
    edtMinimum_->setText(Q(model_.MinimumText));
    chkAnyQuantity_->setChecked(model_.AnyQuantity);
    chkRequestForQuote_->setChecked(model_.RequestForQuote);
    chkRequestForQuote_->setVisible(RootObject && RootObject->IsAdvancedMode());
    pnlOption_->setVisible(model_.OptionPanelVisible());
    chkIncludeAll_->setEnabled(model_.IncludeAllEnabled());
    if (TCatalogData* data = GetContext()->Data()) {
        std::string names;
        for (int id : TOptionCombinations::IdsOf(model_.OptionItems))
            names += (names.empty() ? "" : ", ") +
                     data->GetItemName(id, GetContext()->GetConnection(), GetContext()->GetCurrentLangCode());
        edtOption_->setText(Q(names));
    }
    filling_ = false;
    UpdateControls();

    auto changed = [this] {
        if (filling_)
            return;
        ReadControls();
        UpdateControls();
        SetModified();
    };
    connect(cbSchedule_, &QComboBox::currentIndexChanged, this, changed);
    for (QLineEdit* edit : {edtPrice_, edtStock_, edtMinimum_})
        connect(edit, &QLineEdit::textEdited, this, changed);
    for (QCheckBox* box : {chkAnyQuantity_, chkRequestForQuote_})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(chkIncludeAll_, &QCheckBox::toggled, this, [this, changed](bool checked) {
        if (checked)
            edtOption_->clear();
        changed();
    });
    connect(btnOption_, &QPushButton::clicked, this, [this] { ChooseOption(); });
    // Ok is offered at once.
    SetModified();
}

void TFrameProductPriceEdit::ReadControls()
{
    model_.SetScheduleIndex(cbSchedule_->currentIndex());
    model_.PriceText = S(edtPrice_->text());
    model_.StockText = S(edtStock_->text());
    model_.MinimumText = S(edtMinimum_->text());
    model_.AnyQuantity = chkAnyQuantity_->isChecked();
    model_.RequestForQuote = chkRequestForQuote_->isChecked() && chkRequestForQuote_->isVisibleTo(this);
    model_.IncludeAll = chkIncludeAll_->isChecked();
    if (model_.IncludeAll)
        model_.OptionItems.clear();
}

std::string TFrameProductPriceEdit::CurrencyOfSelected()
{
    const int id = model_.ScheduleId();
    TAbstractCObject* schedule = id ? GetContext()->GetObjectCollection().GetObject(id, "CommonPriceSchedule") : nullptr;
    return schedule ? schedule->GetLangString("CurrencyCode", GetContext()->GetCurrentLangCode(), 0) : std::string();
}

void TFrameProductPriceEdit::UpdateControls()
{
    lblPrice_->setText(Q(TPriceEditModel::PriceLabel(CurrencyOfSelected())));
    edtPrice_->setEnabled(model_.PriceEnabled());
    edtStock_->setEnabled(model_.PriceEnabled());
    chkAnyQuantity_->setEnabled(model_.PriceEnabled());
    lblMinimum_->setEnabled(model_.MinimumEnabled());
    edtMinimum_->setEnabled(model_.MinimumEnabled());
    lblOption_->setEnabled(model_.OptionEnabled());
    edtOption_->setEnabled(model_.OptionEnabled());
    btnOption_->setEnabled(model_.OptionEnabled());
}

void TFrameProductPriceEdit::ChooseOption()
{
    std::vector<std::string> params;
    const std::vector<std::string>* given = GetContext()->GetParams();
    editor_params::SetValue(params, "ProductItemId", given ? ValueOfName(*given, "ProductItemId") : "");
    if (given && !ValueOfName(*given, "ProductOptions").empty())
        editor_params::SetValue(params, "ProductOptions", ValueOfName(*given, "ProductOptions"));
    if (!GetContext()->RunDialog("selectitemoption", params) || ValueOfName(params, "OptionItems").empty())
        return;
    model_.OptionItems = ValueOfName(params, "OptionItems");
    edtOption_->setText(Q(ValueOfName(params, "OptionNames")));
    SetModified();
}

bool TFrameProductPriceEdit::Save()
{
    ReadControls();
    std::vector<std::string>* params = GetContext()->GetParams();
    if (!params)
        return true;
    const std::string error = model_.Save(*params);
    if (!error.empty()) {
        ShowFrameError(error);
        GetUIEditor()->SetInvalidControl(edtPrice_);
        return false;
    }
    return true;
}
