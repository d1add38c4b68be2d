#include "editors/site/html/dialogs/InsertTableFrame.h"

#include "editors/site/html/dialogs/InsertTableAnswers.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>

using UiText::S;
using UiText::Tr;

TInsertTableFrame::TInsertTableFrame(QWidget* parent) : TSiteDialogFrame(parent)
{
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    caption_ = AddEdit({});
    rows_ = AddEdit(QStringLiteral("1"));
    columns_ = AddEdit(QStringLiteral("1"));
    padding_ = AddEdit({});
    spacing_ = AddEdit({});
    width_ = AddEdit({});
    border_ = AddEdit({});
    attributes_ = AddEdit({});
    for (QLineEdit* number : {rows_, columns_, padding_, spacing_, border_})
        number->setValidator(new QIntValidator(0, 9999, number));
    unit_ = new QComboBox(this);
    // Entries carry their value after "===" in the program's lists; here the
    // value rides along as the item's data.
    unit_->addItem(Tr("pixels"), 1);
    unit_->addItem(Tr("percents"), 2);
    connect(unit_, &QComboBox::currentIndexChanged, this, &TSiteDialogFrame::Modified);
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(width_, 1);
    widthRow->addWidget(unit_);
    fixed_ = new QCheckBox(Tr("Fixed width columns"), this);
    connect(fixed_, &QCheckBox::toggled, this, &TSiteDialogFrame::Modified);

    form->addRow(Tr("Table Caption"), caption_);
    form->addRow(Tr("Number Rows"), rows_);
    form->addRow(Tr("Number Columns"), columns_);
    form->addRow(Tr("Cell Padding"), padding_);
    form->addRow(Tr("Cell Spacing"), spacing_);
    form->addRow(Tr("Width"), widthRow);
    form->addRow(Tr("Border Thickness"), border_);
    form->addRow(Tr("Cell Attributes"), attributes_);
    form->addRow(QString(), fixed_);
}

QLineEdit* TInsertTableFrame::AddEdit(const QString& text)
{
    auto* edit = new QLineEdit(text, this);
    connect(edit, &QLineEdit::textEdited, this, &TSiteDialogFrame::Modified);
    return edit;
}

QString TInsertTableFrame::TabCaption() const { return Tr("Insert Table"); }

void TInsertTableFrame::InitControls(const TDialogParams&)
{
    emit CaptionChanged(Tr("Insert Table"));
    emit OkCaptionChanged(Tr("Insert"));
    // OK is available at once: the defaults make a table.
    emit Modified();
}

void TInsertTableFrame::Save(TDialogParams& params)
{
    TInsertTableAnswers answers;
    answers.TableCaption = S(caption_->text());
    answers.NumberRows = S(rows_->text());
    answers.NumberColumns = S(columns_->text());
    answers.CellPadding = S(padding_->text());
    answers.CellSpacing = S(spacing_->text());
    answers.Width = S(width_->text());
    answers.WidthInPercent = unit_->currentData().toInt() == 2;
    answers.BorderThickness = S(border_->text());
    answers.Attributes = S(attributes_->text());
    answers.FixedWidthColumns = fixed_->isChecked();
    answers.Save(params);
}
