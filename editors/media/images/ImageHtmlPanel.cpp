#include "editors/media/images/ImageHtmlPanel.h"

#include "common/CaptionValue.h"
#include "editors/media/images/ImageHtmlAttributes.h"
#include "gui/UiText.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cstdlib>

using UiText::Q;
using UiText::S;

TImageHtmlPanel::TImageHtmlPanel(TImageHtmlAttributes& values, QWidget* parent)
    : QGroupBox(tr("HTML Attributes"), parent), values_(values)
{
    setObjectName("pnlHtml");
    auto* form = new QFormLayout(this);
    edtDescription_ = new QLineEdit(this);
    edtDescription_->setObjectName("edtDescription");
    edtAlt_ = new QLineEdit(this);
    edtAlt_->setObjectName("edtAlt");
    cbAlignment_ = new QComboBox(this);
    cbAlignment_->setObjectName("cbAlignment");
    for (const std::string& entry : TImageHtmlAttributes::AlignmentItems())
        cbAlignment_->addItem(UiText::Tr(CaptionValue::CaptionOf(entry)), Q(CaptionValue::ValueOf(entry)));
    edtBorder_ = new QSpinBox(this);
    edtBorder_->setObjectName("edtBorder");
    edtBorder_->setRange(0, 100);
    btnColor_ = new QPushButton(tr("C&olor..."), this);
    btnColor_->setObjectName("btnColor");
    edtColor_ = new QLineEdit(tr("None"), this);
    edtColor_->setObjectName("edtColor");
    edtColor_->setReadOnly(true);
    auto* color = new QHBoxLayout;
    color->addWidget(edtColor_, 1);
    color->addWidget(btnColor_);
    edtHorizontal_ = new QSpinBox(this);
    edtHorizontal_->setObjectName("edtHorizontal");
    edtHorizontal_->setRange(0, 1000);
    edtVertical_ = new QSpinBox(this);
    edtVertical_->setObjectName("edtVertical");
    edtVertical_->setRange(0, 1000);
    auto* spacing = new QHBoxLayout;
    spacing->addWidget(new QLabel(tr("Horizontal:"), this));
    spacing->addWidget(edtHorizontal_);
    spacing->addWidget(new QLabel(tr("Vertical:"), this));
    spacing->addWidget(edtVertical_);
    spacing->addStretch();
    form->addRow(tr("Image Caption:"), edtDescription_);
    form->addRow(tr("Alternate Text:"), edtAlt_);
    form->addRow(tr("Alignment:"), cbAlignment_);
    auto* border = new QHBoxLayout;
    border->addWidget(edtBorder_);
    border->addStretch();
    form->addRow(tr("Border Thickness:"), border);
    form->addRow(tr("Border Color:"), color);
    form->addRow(tr("Spacing:"), spacing);

    connect(edtDescription_, &QLineEdit::textChanged, this,
            [this](const QString& text) { values_.Description = S(text); });
    connect(edtAlt_, &QLineEdit::textEdited, this, [this] { altTyped_ = true; });
    connect(edtAlt_, &QLineEdit::textChanged, this, [this](const QString& text) { values_.Alt = S(text); });
    connect(cbAlignment_, &QComboBox::currentIndexChanged, this,
            [this] { values_.Alignment = S(cbAlignment_->currentData().toString()); });
    connect(edtBorder_, &QSpinBox::valueChanged, this,
            [this](int value) { values_.BorderThickness = std::to_string(value); });
    connect(btnColor_, &QPushButton::clicked, this, &TImageHtmlPanel::ChooseColor);
    for (QSpinBox* box : {edtHorizontal_, edtVertical_})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            values_.HorizontalSpacing = std::to_string(edtHorizontal_->value());
            values_.VerticalSpacing = std::to_string(edtVertical_->value());
            values_.SpacingEdited = true;
        });
}

void TImageHtmlPanel::ShowValues()
{
    const QSignalBlocker horizontal(edtHorizontal_);
    const QSignalBlocker vertical(edtVertical_);
    const QSignalBlocker alignment(cbAlignment_);
    edtHorizontal_->setValue(std::atoi(values_.HorizontalSpacing.c_str()));
    edtVertical_->setValue(std::atoi(values_.VerticalSpacing.c_str()));
    for (int i = 0; i < cbAlignment_->count(); ++i)
        if (S(cbAlignment_->itemData(i).toString()) == values_.Alignment)
            cbAlignment_->setCurrentIndex(i);
}

void TImageHtmlPanel::ProposeAlt(const QString& text)
{
    if (!altTyped_)
        edtAlt_->setText(text);
}

void TImageHtmlPanel::ChooseColor()
{
    const QColor start = values_.BorderColor.empty() ? QColor(Qt::black) : QColor(Q(values_.BorderColor));
    const QColor chosen = QColorDialog::getColor(start, this, tr("Border Color"));
    if (!chosen.isValid())
        return;
    values_.BorderColor = TImageHtmlAttributes::ColorText(chosen.red(), chosen.green(), chosen.blue());
    edtColor_->setText(Q(values_.BorderColor));
    edtColor_->setStyleSheet(QString("background-color: %1; color: %2;")
                                 .arg(Q(values_.BorderColor), chosen.lightness() < 128 ? "white" : "black"));
    if (edtBorder_->value() == 0)
        edtBorder_->setValue(1);
}
