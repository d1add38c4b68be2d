#include "editors/business/products/wizard/FrameWizardProductPrice.h"

#include "editors/business/products/RetailPriceModel.h"
#include "editors/business/products/wizard/ProductWizardModel.h"
#include "editors/business/products/wizard/WizardPage.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameWizardProductPrice::TFrameWizardProductPrice(TFrameSite& site)
{
    setObjectName("TFrameWizardProductPrice");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameWizardProductPrice::InitControls()
{
    cbSchedule_ = new QComboBox(this);
    cbSchedule_->setObjectName("cbPriceSchedule");
    cbCurrency_ = new QComboBox(this);
    cbCurrency_->setObjectName("cbCurrency");
    cbCurrency_->setEnabled(false);
    edtPrice_ = new QLineEdit(this);
    edtPrice_->setObjectName("edtPrice");
    edtQuantity_ = new QLineEdit(this);
    edtQuantity_->setObjectName("edtQuantity");
    for (QWidget* field : {static_cast<QWidget*>(cbSchedule_), static_cast<QWidget*>(cbCurrency_),
                           static_cast<QWidget*>(edtPrice_), static_cast<QWidget*>(edtQuantity_)})
        field->setMaximumWidth(320);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        form->addRow(label, widget);
    };
    row(tr("Price &Schedule:"), cbSchedule_);
    row(tr("Currency:"), cbCurrency_);
    row(tr("&Price:"), edtPrice_);
    row(tr("&Quantity in Stock:"), edtQuantity_);
    QVBoxLayout* layout = wizard_page::PageLayout(*this, tr("Enter product price and quantity at stock"));
    layout->addLayout(form);

    const std::vector<TProductWizardModel::TSchedule> schedules =
        TProductWizardModel(SiteModelContextOf(*this)).Schedules();
    for (const TProductWizardModel::TSchedule& schedule : schedules) {
        cbSchedule_->addItem(Q(schedule.Caption), schedule.ItemId);
        cbSchedule_->setItemData(cbSchedule_->count() - 1, Q(schedule.CurrencyCode), Qt::UserRole + 1);
    }
    if (schedules.empty()) {
        auto* none = new QLabel(tr("The catalog has no price schedule: the product is created without a price."),
                                this);
        none->setObjectName("lblNoSchedule");
        none->setWordWrap(true);
        layout->addWidget(none);
        for (QWidget* field : {static_cast<QWidget*>(cbSchedule_), static_cast<QWidget*>(edtPrice_),
                               static_cast<QWidget*>(edtQuantity_)})
            field->setEnabled(false);
    }
    layout->addStretch();

    connect(cbSchedule_, &QComboBox::currentIndexChanged, this, [this] {
        ShowCurrency();
        if (TrackChanges)
            SetModified();
    });
    connect(edtPrice_, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(edtQuantity_, &QLineEdit::textEdited, this, [this] { SetModified(); });
}

void TFrameWizardProductPrice::ShowCurrency()
{
    cbCurrency_->clear();
    const std::string code = S(cbSchedule_->currentData(Qt::UserRole + 1).toString());
    if (code.empty())
        return;
    const std::optional<std::string> name = TRetailPriceModel::CurrencyName(code);
    cbCurrency_->addItem(Q(name ? *name + " (" + code + ")" : code), Q(code));
}

void TFrameWizardProductPrice::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    using Keys = TProductWizardModel;
    const int index = cbSchedule_->findData(std::atoi(wizard_page::Value(*this, Keys::kSchedule).c_str()));
    cbSchedule_->setCurrentIndex(index >= 0 ? index : (cbSchedule_->count() > 0 ? 0 : -1));
    ShowCurrency();
    edtPrice_->setText(Q(wizard_page::Value(*this, Keys::kPrice)));
    edtQuantity_->setText(Q(wizard_page::Value(*this, Keys::kQuantity)));
    TrackChanges = true;
}

void TFrameWizardProductPrice::StoreToObjects(bool /*languageSwitch*/)
{
    using Keys = TProductWizardModel;
    const int schedule = cbSchedule_->currentIndex() >= 0 ? cbSchedule_->currentData().toInt() : 0;
    wizard_page::SetValue(*this, Keys::kSchedule, schedule != 0 ? std::to_string(schedule) : std::string());
    wizard_page::SetValue(*this, Keys::kPrice, S(edtPrice_->text()));
    wizard_page::SetValue(*this, Keys::kQuantity, S(edtQuantity_->text()));
}

bool TFrameWizardProductPrice::Save()
{
    StoreToObjects(false);
    const std::vector<std::string>* params = wizard_page::Params(*this);
    if (!params)
        return TTolvexFrameEditor::Save();
    const TProductWizardModel::TRefusal refusal = TProductWizardModel(SiteModelContextOf(*this)).CheckPrice(*params);
    if (!refusal.Message.empty()) {
        ShowFrameError(refusal.Message);
        GetUIEditor()->SetInvalidControl(refusal.Field == TProductWizardModel::TField::Quantity
                                             ? edtQuantity_
                                             : edtPrice_);
        return false;
    }
    return TTolvexFrameEditor::Save();
}
