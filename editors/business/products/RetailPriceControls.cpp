#include "editors/business/products/RetailPriceControls.h"

#include "editors/business/products/RetailPriceModel.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

using UiText::Q;
using UiText::S;

TRetailPriceControls::TRetailPriceControls(QWidget& frame, bool withCurrencyAndStock)
    : QObject(&frame), frame_(frame), withCurrencyAndStock_(withCurrencyAndStock)
{
    lblPrice_ = new QLabel(tr("Retail Price:"), &frame);
    lblPrice_->setObjectName("lblRetailPrice");
    edtPrice_ = new QLineEdit(&frame);
    edtPrice_->setObjectName("edtRetailPrice");
    // Digits, a decimal comma or point, and what groups thousands.
    edtPrice_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QString::fromUtf8("[0-9.,' \u00A0]*")), edtPrice_));
    edtPrice_->setMaximumWidth(200);
    lblPrice_->setBuddy(edtPrice_);
    connect(edtPrice_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (loading_ || !model_)
            return;
        model_->SetPriceText(S(text));
        if (Changed)
            Changed();
    });
    if (withCurrencyAndStock) {
        lblCurrency_ = new QLabel(tr("Currency:"), &frame);
        cbCurrency_ = new QComboBox(&frame);
        cbCurrency_->setObjectName("cbCurrency");
        cbCurrency_->setEnabled(false);
        cbCurrency_->setMaximumWidth(320);
        lblStock_ = new QLabel(tr("&Quantity in Stock:"), &frame);
        edtStock_ = new QLineEdit(&frame);
        edtStock_->setObjectName("edtQuantityInStock");
        edtStock_->setValidator(new QIntValidator(0, 999999999, edtStock_));
        edtStock_->setMaximumWidth(200);
        lblStock_->setBuddy(edtStock_);
        connect(edtStock_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (loading_ || !model_)
                return;
            model_->SetStockText(S(text));
            if (Changed)
                Changed();
        });
    }
    lblNoSchedule_ = new QLabel(tr("Add a price schedule (View / Price Schedules) to give the product a price."), &frame);
    lblNoSchedule_->setObjectName("lblNoSchedule");
    lblNoSchedule_->setWordWrap(true);
    lblNoSchedule_->hide();
}

TRetailPriceControls::~TRetailPriceControls() = default;

void TRetailPriceControls::AddRows(QFormLayout& form)
{
    form.addRow(lblPrice_, edtPrice_);
    if (withCurrencyAndStock_) {
        form.addRow(lblCurrency_, cbCurrency_);
        form.addRow(lblStock_, edtStock_);
    }
    form.addRow(QString(), lblNoSchedule_);
}

void TRetailPriceControls::Load(const TSiteModelContext& context)
{
    loading_ = true;
    model_ = std::make_unique<TRetailPriceModel>(context);
    model_->Load();
    const bool enabled = model_->HasSchedule();
    for (QWidget* widget : {static_cast<QWidget*>(lblPrice_), static_cast<QWidget*>(edtPrice_),
                            static_cast<QWidget*>(lblCurrency_), static_cast<QWidget*>(lblStock_),
                            static_cast<QWidget*>(edtStock_)})
        if (widget)
            widget->setEnabled(enabled);
    lblNoSchedule_->setVisible(!enabled);
    if (enabled) {
        const QString name = Q(model_->ScheduleName());
        lblPrice_->setText(withCurrencyAndStock_ ? name + ":" : tr("Price (%1):").arg(name));
    }
    edtPrice_->setText(Q(model_->PriceText()));
    if (withCurrencyAndStock_) {
        cbCurrency_->clear();
        const std::string& code = model_->CurrencyCode();
        if (!code.empty())
            cbCurrency_->addItem(Q(TRetailPriceModel::CurrencyName(code).value_or(code) + " (" + code + ")"), Q(code));
        edtStock_->setText(Q(model_->StockText()));
    }
    loading_ = false;
}

std::string TRetailPriceControls::Validate(QWidget*& invalid) const
{
    const std::string error = model_ ? model_->Validate() : std::string();
    if (!error.empty())
        invalid = edtPrice_;
    return error;
}

void TRetailPriceControls::Store()
{
    if (!model_ || !model_->IsEdited())
        return;
    model_->Store();
    loading_ = true;
    edtPrice_->setText(Q(model_->PriceText()));
    loading_ = false;
}
