#include "editors/business/products/ProductShippingControls.h"

#include "common/MemberTypes.h"
#include "editors/business/products/ProductShippingModel.h"
#include "gui/UiText.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

using UiText::Q;
using UiText::S;

namespace {

// Day numbers count from 1899-12-30; the picker's first day stands for "unknown".
const QDate kDayZero(1899, 12, 30);
const QDate kUnknown(1900, 1, 1);

}  // namespace

TProductShippingControls::TProductShippingControls(QWidget& frame, bool supplierCatalog)
    : QObject(&frame), frame_(frame), supplierCatalog_(supplierCatalog)
{
    auto line = [&](const char* name, bool numeric) {
        auto* edit = new QLineEdit(&frame);
        edit->setObjectName(name);
        edit->setMaxLength(kMaxShortTextLength);
        if (numeric) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*[.,]?[0-9]*"), edit));
            edit->setMaximumWidth(160);
        }
        connect(edit, &QLineEdit::textEdited, this, [this] { Edited(); });
        return edit;
    };
    edtMonthlyCapacity_ = line("edtMonthlyCapacity", supplierCatalog);
    edtPreparationTimeToShip_ = line("edtPreparationTimeToShip", supplierCatalog);
    edtStorageLocation_ = line("edtStorageLocation", false);
    edtTaxClass_ = line("edtTaxClass", false);
    dtpDateIntroduced_ = new QDateEdit(&frame);
    dtpDateIntroduced_->setObjectName("dtpDateIntroduced");
    dtpDateIntroduced_->setDisplayFormat("dd/MMM/yyyy");
    dtpDateIntroduced_->setMinimumDate(kUnknown);
    dtpDateIntroduced_->setSpecialValueText(tr("Unknown"));
    dtpDateIntroduced_->setCalendarPopup(true);
    dtpDateIntroduced_->setMaximumWidth(200);
    connect(dtpDateIntroduced_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (loading_)
            return;
        dateSet_ = date != kUnknown;
        Edited();
    });
}

void TProductShippingControls::Edited()
{
    if (!loading_ && Changed)
        Changed();
}

void TProductShippingControls::AddRows(QFormLayout& form)
{
    const std::pair<QString, QWidget*> rows[] = {
        {supplierCatalog_ ? tr("Monthly Production Container:") : tr("Monthly Production &Capacity:"),
         edtMonthlyCapacity_},
        {tr("Preparation &Time to Ship (days):"), edtPreparationTimeToShip_},
        {tr("&Storage Location:"), edtStorageLocation_},
        {tr("Ta&x Class:"), edtTaxClass_},
        {tr("Date &Introduced:"), dtpDateIntroduced_},
    };
    for (const auto& [caption, widget] : rows) {
        auto* label = new QLabel(caption, &frame_);
        label->setBuddy(widget);
        form.addRow(label, widget);
    }
}

void TProductShippingControls::Load(const TProductShippingModel& model)
{
    loading_ = true;
    edtMonthlyCapacity_->setText(Q(model.Value("MonthlyCapacity")));
    edtPreparationTimeToShip_->setText(Q(model.Value("PreparationTimeToShip")));
    edtStorageLocation_->setText(Q(model.Value("StorageLocation")));
    edtTaxClass_->setText(Q(model.Value("TaxClass")));
    const double days = model.DateIntroduced();
    dtpDateIntroduced_->setDate(days >= 1 ? kDayZero.addDays(static_cast<qint64>(days)) : kUnknown);
    dateSet_ = false;
    loading_ = false;
}

void TProductShippingControls::Read(TProductShippingModel& model) const
{
    model.SetValue("MonthlyCapacity", S(edtMonthlyCapacity_->text()));
    model.SetValue("PreparationTimeToShip", S(edtPreparationTimeToShip_->text()));
    model.SetValue("StorageLocation", S(edtStorageLocation_->text()));
    model.SetValue("TaxClass", S(edtTaxClass_->text()));
    if (dateSet_)
        model.SetDateIntroduced(static_cast<double>(kDayZero.daysTo(dtpDateIntroduced_->date())));
}
