#include "editors/business/products/FrameProductSpecs.h"

#include "catalog/CatalogData.h"
#include "common/MemberTypes.h"
#include "editors/business/BusinessIds.h"
#include "editors/business/products/ProductSpecsControls.h"
#include "editors/business/products/ProductSpecsModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameProductSpecs::TFrameProductSpecs(TFrameSite& site)
{
    setObjectName("TFrameProductSpecs");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameProductSpecs::~TFrameProductSpecs() = default;

QString TFrameProductSpecs::DominantHex(const QColor& color)
{
    return QString::asprintf("%02X%02X%02X", color.blue(), color.green(), color.red());
}

QColor TFrameProductSpecs::FromDominantHex(const QString& hex)
{
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (hex.size() != 6 || !ok)
        return {};
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

void TFrameProductSpecs::InitControls()
{
    const bool numeric = GetContext()->Data()->GetCatalogType() == business_ids::kSupplierCatalogType;
    controls_ = new TProductSpecsControls(
        *this, {"Length", "Width", "Height", "Diameter", "DimensionsUnit", "Weight", "WeightUnit", "Material",
                "PackingDetails"},
        numeric);
    notes_ = new TProductSpecsControls(*this, {"Keywords", "Comments"}, numeric);
    for (TProductSpecsControls* controls : {controls_, notes_})
        controls->Changed = [this] { Changed(); };

    edtDominantColor_ = new QLineEdit(this);
    edtDominantColor_->setObjectName("edtDominantColor");
    edtDominantColor_->setMaxLength(kMaxShortTextLength);
    connect(edtDominantColor_, &QLineEdit::textEdited, this, [this] { Changed(); });
    btnColor_ = new QPushButton(tr("..."), this);
    btnColor_->setObjectName("btnDominantRGB");
    btnColor_->setToolTip(tr("Pick the dominant colour"));
    btnColor_->setFixedWidth(btnColor_->fontMetrics().horizontalAdvance("....") + 16);
    connect(btnColor_, &QPushButton::clicked, this, [this] { PickColor(); });
    lblColorSample_ = new QLabel(this);
    lblColorSample_->setObjectName("lblColorSample");
    lblColorSample_->setFixedSize(btnColor_->sizeHint().height() * 2, btnColor_->sizeHint().height());
    lblColorSample_->setFrameShape(QFrame::Box);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(edtDominantColor_, 1);
    colorRow->addWidget(btnColor_);
    colorRow->addWidget(lblColorSample_);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    controls_->AddRows(*form);
    auto* colorLabel = new QLabel(tr("Dominant &Color (Pantone):"), this);
    colorLabel->setBuddy(edtDominantColor_);
    form->addRow(colorLabel, colorRow);
    notes_->AddRows(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
}

void TFrameProductSpecs::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TProductSpecsModel>(SiteModelContextOf(*this));
    model_->Load();
    controls_->Load(*model_);
    notes_->Load(*model_);
    edtDominantColor_->setText(Q(model_->Value("DominantColor")));
    ShowSample();
    TrackChanges = true;
}

void TFrameProductSpecs::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    controls_->Read(*model_);
    notes_->Read(*model_);
    model_->SetValue("DominantColor", S(edtDominantColor_->text()));
    model_->Store();
}

void TFrameProductSpecs::PickColor()
{
    if (!model_)
        return;
    const QColor start = FromDominantHex(Q(model_->DominantRGB()));
    const QColor chosen = QColorDialog::getColor(start.isValid() ? start : QColor(Qt::white), this,
                                                 tr("Dominant Color"));
    if (!chosen.isValid())
        return;
    model_->SetDominantRGB(S(DominantHex(chosen)));
    ShowSample();
    Changed();
}

void TFrameProductSpecs::ShowSample()
{
    const QColor color = FromDominantHex(Q(model_->DominantRGB()));
    lblColorSample_->setVisible(color.isValid());
    if (color.isValid())
        lblColorSample_->setStyleSheet(QString("background-color: %1;").arg(color.name()));
}

void TFrameProductSpecs::Changed()
{
    if (TrackChanges)
        SetModified();
}
