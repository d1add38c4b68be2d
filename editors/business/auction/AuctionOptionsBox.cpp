#include "editors/business/auction/AuctionOptionsBox.h"

#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

namespace {

QComboBox* Choices(QWidget* parent, const char* name, const char* member)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumWidth(180);
    for (const TMemberField::TChoice& choice : TAuctionOptions::Choices(member))
        combo->addItem(Q(choice.Caption), Q(choice.Code));
    return combo;
}

void Select(QComboBox* combo, const std::string& code)
{
    combo->setCurrentIndex(code.empty() ? -1 : combo->findData(Q(code)));
}

std::string Code(const QComboBox* combo)
{
    return S(combo->currentData().toString());
}

}  // namespace

TAuctionOptionsBox::TAuctionOptionsBox(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlAuctionOptions");
    cbSite_ = Choices(this, "cbSite", "SiteId");
    cbCounter_ = Choices(this, "cbCounter", "CounterType");
    cbDuration_ = Choices(this, "cbDuration", "Duration");
    auto box = [this](const char* name, const char* caption) {
        auto* check = new QCheckBox(tr(caption), this);
        check->setObjectName(name);
        connect(check, &QCheckBox::clicked, this, [this] {
            UpdateEnabling();
            emit Changed();
        });
        return check;
    };
    chkAuctionPayment_ = box("chkEbayPayment", "eBay Payment (See In Description)");
    chkPayPal_ = box("chkPayPal", "PayPal");
    chkCashOnDelivery_ = box("chkCashOnDelivery", "Cash On Delivery");
    chkPersonalChecks_ = box("chkPersonalChecks", "Personal Checks");
    edtAccount_ = new QLineEdit(this);
    edtAccount_->setObjectName("edtAccount");
    lblAccount_ = new QLabel(tr("Account e-&mail:"), this);
    lblAccount_->setBuddy(edtAccount_);
    for (QComboBox* combo : {cbSite_, cbCounter_, cbDuration_})
        connect(combo, &QComboBox::activated, this, [this] { emit Changed(); });
    connect(edtAccount_, &QLineEdit::textEdited, this, [this] { emit Changed(); });

    form_ = new QFormLayout;
    form_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form_->addRow(tr("eBay &site:"), cbSite_);
    form_->addRow(tr("&Counter:"), cbCounter_);
    form_->addRow(tr("&Duration in days:"), cbDuration_);
    auto* payments = new QGroupBox(tr("Payment methods"), this);
    auto* paymentsLayout = new QVBoxLayout(payments);
    auto* account = new QHBoxLayout;
    // The account belongs to the payment service above it.
    account->addSpacing(24);
    account->addWidget(lblAccount_);
    account->addWidget(edtAccount_, 1);
    for (QCheckBox* box : {chkAuctionPayment_, chkPayPal_, chkCashOnDelivery_, chkPersonalChecks_}) {
        paymentsLayout->addWidget(box, 0, Qt::AlignLeft);
        if (box == chkPayPal_)
            paymentsLayout->addLayout(account);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form_);
    layout->addWidget(payments);
    UpdateEnabling();
}

void TAuctionOptionsBox::Show(const TAuctionOptions& options)
{
    Select(cbSite_, options.Site);
    Select(cbCounter_, options.Counter);
    Select(cbDuration_, options.Duration);
    chkAuctionPayment_->setChecked(options.AuctionPayment);
    chkPayPal_->setChecked(options.PayPal);
    chkCashOnDelivery_->setChecked(options.CashOnDelivery);
    chkPersonalChecks_->setChecked(options.PersonalChecks);
    edtAccount_->setText(options.PayPal ? Q(options.Account) : QString());
    UpdateEnabling();
}

TAuctionOptions TAuctionOptionsBox::Read() const
{
    TAuctionOptions options;
    options.Site = Code(cbSite_);
    options.Counter = Code(cbCounter_);
    options.Duration = Code(cbDuration_);
    options.AuctionPayment = chkAuctionPayment_->isChecked();
    options.PayPal = chkPayPal_->isChecked();
    options.CashOnDelivery = chkCashOnDelivery_->isChecked();
    options.PersonalChecks = chkPersonalChecks_->isChecked();
    options.Account = S(edtAccount_->text().trimmed());
    return options;
}

void TAuctionOptionsBox::SetLocked(bool locked)
{
    locked_ = locked;
    UpdateEnabling();
}

void TAuctionOptionsBox::UpdateEnabling()
{
    for (QWidget* control : std::initializer_list<QWidget*>{cbSite_, cbCounter_, cbDuration_, chkAuctionPayment_,
                                                            chkPayPal_, chkCashOnDelivery_, chkPersonalChecks_}) {
        control->setEnabled(!locked_);
        if (QWidget* label = form_ ? form_->labelForField(control) : nullptr)
            label->setEnabled(!locked_);
    }
    const bool account = !locked_ && chkPayPal_->isChecked();
    lblAccount_->setEnabled(account);
    edtAccount_->setEnabled(account);
}
