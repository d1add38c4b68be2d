#include "shell/SelectType.h"

#include "gui/UiText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

namespace {

int NumberOr0(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

}  // namespace

TfrmSelectType::TfrmSelectType(const std::vector<std::pair<std::string, std::string>>& entries,
                               const std::string& selected, bool showIdPanel, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmSelectType");
    setWindowTitle(Tr("Create New Item"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Tr("Select Item Type"), this));
    list_ = new QListWidget(this);
    for (const auto& [caption, value] : entries) {
        auto* item = new QListWidgetItem(Q(caption), list_);
        item->setData(Qt::UserRole, Q(value));
        if (value == selected)
            list_->setCurrentItem(item);
    }
    layout->addWidget(list_, 1);
    if (showIdPanel) {
        auto* panel = new QGroupBox(this);
        auto* grid = new QGridLayout(panel);
        single_ = new QRadioButton(Tr("Create item with ID"), panel);
        range_ = new QRadioButton(Tr("Create item in range of ID's"), panel);
        id_ = new QLineEdit(panel);
        from_ = new QLineEdit(panel);
        to_ = new QLineEdit(panel);
        grid->addWidget(single_, 0, 0, 1, 4);
        grid->addWidget(new QLabel(Tr("Item ID"), panel), 1, 0);
        grid->addWidget(id_, 1, 1, 1, 3);
        grid->addWidget(range_, 2, 0, 1, 4);
        grid->addWidget(new QLabel(Tr("From"), panel), 3, 0);
        grid->addWidget(from_, 3, 1);
        grid->addWidget(new QLabel(Tr("To"), panel), 3, 2);
        grid->addWidget(to_, 3, 3);
        connect(single_, &QRadioButton::toggled, this, &TfrmSelectType::EnableEdits);
        connect(range_, &QRadioButton::toggled, this, &TfrmSelectType::EnableEdits);
        layout->addWidget(panel);
        EnableEdits();
    } else {
        resize(width(), 180);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TfrmSelectType::EnableEdits()
{
    id_->setEnabled(single_->isChecked());
    from_->setEnabled(range_->isChecked());
    to_->setEnabled(range_->isChecked());
}

std::string TfrmSelectType::SelectedValue() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? S(item->data(Qt::UserRole).toString()) : std::string();
}

void TfrmSelectType::Ids(int& first, int& last) const
{
    first = last = 0;
    if (single_ && single_->isChecked()) {
        first = last = NumberOr0(id_);
    } else if (range_ && range_->isChecked()) {
        first = NumberOr0(from_);
        last = NumberOr0(to_);
    }
}
