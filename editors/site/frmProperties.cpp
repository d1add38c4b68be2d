#include "editors/site/html/frmProperties.h"

#include "gui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TfrmProperties::TfrmProperties(const std::string& tag, std::vector<std::pair<std::string, std::string>> specified,
                               bool showAll, QWidget* parent)
    : QDialog(parent), tag_(tag), specified_(std::move(specified))
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(Tr("Properties"));
    setMinimumSize(360, 320);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    element_ = new QLineEdit(this);
    element_->setReadOnly(true);
    top->addRow(Tr("Element:"), element_);
    layout->addLayout(top);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({Tr("Attribute"), Tr("Value")});
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->resizeSection(0, 130);
    list_->header()->setStretchLastSection(true);
    layout->addWidget(list_, 1);
    auto* bottom = new QFormLayout;
    value_ = new QLineEdit(this);
    bottom->addRow(Tr("Value:"), value_);
    layout->addLayout(bottom);
    showAll_ = new QCheckBox(Tr("Show all possible attributes"), this);
    showAll_->setChecked(showAll);
    layout->addWidget(showAll_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    buttons->button(QDialogButtonBox::Help)->setText(Tr("Help"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        const QSignalBlocker blocker(value_);
        value_->setText(item ? item->text(1) : QString());
        value_->setEnabled(item != nullptr);
    });
    connect(value_, &QLineEdit::textEdited, this, [this](const QString& text) {
        QTreeWidgetItem* item = list_->currentItem();
        if (!item)
            return;
        item->setText(1, text);
        properties_.SetValue(static_cast<std::size_t>(list_->indexOfTopLevelItem(item)), S(text));
    });
    connect(showAll_, &QCheckBox::toggled, this, [this] {
        showAllChanged_ = true;
        FillList();
    });
    FillList();
    setTabOrder(list_, value_);
    setTabOrder(value_, showAll_);
}

bool TfrmProperties::ShowAll() const { return showAll_->isChecked(); }

void TfrmProperties::FillList()
{
    properties_.Fill(tag_, specified_, showAll_->isChecked());
    element_->setText(Q(properties_.Tag()));
    list_->clear();
    for (const TElementProperties::TRow& row : properties_.Rows())
        list_->addTopLevelItem(new QTreeWidgetItem({Q(row.Name), Q(row.Value)}));
    value_->clear();
    value_->setEnabled(false);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}
