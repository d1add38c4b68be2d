#include "editors/media/images/edit/FrameEditImages.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/ImageSave.h"
#include "common/CommonGui.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/WellKnownIds.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/PictureImage.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/CatalogTables.h"
#include "storage/ObjectCollection.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstdlib>

using UiText::Q;
using UiText::S;

namespace {

constexpr const char* kPictureFiles =
    "Pictures (*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico)|*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico";

}  // namespace

TRgb TFrameEditImages::TColorFields::Value() const
{
    return {Red->value(), Green->value(), Blue->value()};
}

void TFrameEditImages::TColorFields::Set(TRgb color) const
{
    Red->setValue(color.Red);
    Green->setValue(color.Green);
    Blue->setValue(color.Blue);
}

TFrameEditImages::TFrameEditImages(TFrameSite& site)
{
    setObjectName("TFrameEditImages");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameEditImages::~TFrameEditImages() = default;

QSpinBox* TFrameEditImages::Spin(const QString& name, int minimum, int maximum, int value)
{
    auto* spin = new QSpinBox(this);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

TFrameEditImages::TColorFields TFrameEditImages::AddColorRow(QFormLayout* form, const QString& caption,
                                                             const QString& name, TRgb initial)
{
    TColorFields fields;
    auto* row = new QHBoxLayout;
    fields.Red = Spin(name + "Red", 0, 255, initial.Red);
    fields.Green = Spin(name + "Green", 0, 255, initial.Green);
    fields.Blue = Spin(name + "Blue", 0, 255, initial.Blue);
    auto* swatch = new QLabel(this);
    swatch->setFixedSize(18, 18);
    auto* choose = new QPushButton("...", this);
    choose->setObjectName(name + "Choose");
    choose->setFixedWidth(28);
    for (QSpinBox* spin : {fields.Red, fields.Green, fields.Blue}) {
        spin->setMinimumWidth(56);
        row->addWidget(spin);
    }
    row->addWidget(swatch);
    row->addWidget(choose);
    // The caption on a line of its own: the three fields need the whole width.
    form->addRow(new QLabel(caption, this));
    form->addRow(row);
    const auto paint = [fields, swatch] {
        swatch->setStyleSheet(QString("background: rgb(%1,%2,%3); border: 1px solid gray")
                                  .arg(fields.Red->value())
                                  .arg(fields.Green->value())
                                  .arg(fields.Blue->value()));
    };
    paint();
    for (QSpinBox* spin : {fields.Red, fields.Green, fields.Blue})
        connect(spin, &QSpinBox::valueChanged, swatch, [paint, this] {
            paint();
            Preview();
        });
    connect(choose, &QPushButton::clicked, this, [this, fields] {
        const TRgb now = fields.Value();
        const QColor color = QColorDialog::getColor(QColor(now.Red, now.Green, now.Blue), this);
        if (color.isValid())
            fields.Set({color.red(), color.green(), color.blue()});
    });
    return fields;
}

QString TFrameEditImages::PageTitle(TPage page) const
{
    switch (page) {
    case TPage::Type: return tr("Image Type");
    case TPage::Sizes: return tr("Image Sizes");
    case TPage::Border: return tr("Border");
    case TPage::Crop: return tr("Crop");
    case TPage::Effects: return tr("Effects");
    case TPage::Monochrome: return tr("Monochrome");
    }
    return {};
}

// ---- the pages ---------------------------------------------------------------------------------

QWidget* TFrameEditImages::MakeTypePage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    cmbFormat_ = new QComboBox(page);
    cmbFormat_->setObjectName("cmbFormat");
    cmbFormat_->addItem("JPEG", 1);
    cmbFormat_->addItem("GIF", 2);
    cmbFormat_->addItem("BMP", 3);
    cmbFormat_->addItem("PNG", 4);
    form->addRow(tr("Format"), cmbFormat_);
    layout->addLayout(form);

    pnlJpeg_ = new QWidget(page);
    auto* jpeg = new QFormLayout(pnlJpeg_);
    jpeg->setContentsMargins(0, 0, 0, 0);
    sldQuality_ = new QSlider(Qt::Horizontal, pnlJpeg_);
    sldQuality_->setObjectName("sldQuality");
    sldQuality_->setRange(1, 100);
    sldQuality_->setValue(90);
    auto* quality = new QLabel("90", pnlJpeg_);
    jpeg->addRow(tr("Quality"), sldQuality_);
    jpeg->addRow(QString(), quality);
    connect(sldQuality_, &QSlider::valueChanged, quality, [quality](int value) { quality->setNum(value); });
    layout->addWidget(pnlJpeg_);

    pnlGif_ = new QWidget(page);
    auto* gif = new QFormLayout(pnlGif_);
    gif->setContentsMargins(0, 0, 0, 0);
    chkTransparent_ = new QCheckBox(tr("Transparent"), pnlGif_);
    chkTransparent_->setObjectName("chkTransparent");
    gif->addRow(chkTransparent_);
    transparentColor_ = AddColorRow(gif, tr("Color"), "transparent", {255, 255, 255});
    layout->addWidget(pnlGif_);

    chkBackground_ = new QCheckBox(tr("Background image"), page);
    chkBackground_->setObjectName("chkBackgroundImage");
    layout->addWidget(chkBackground_);
    layout->addStretch();

    connect(cmbFormat_, &QComboBox::currentIndexChanged, this, [this] {
        const int format = cmbFormat_->currentData().toInt();
        pnlJpeg_->setVisible(format == 1);
        pnlGif_->setVisible(format == 2);
        if (!filling_)
            SetModified();
        Preview();
    });
    connect(sldQuality_, &QSlider::valueChanged, this, [this] { Preview(); });
    connect(chkTransparent_, &QCheckBox::toggled, this, [this] { Preview(); });
    connect(chkBackground_, &QCheckBox::toggled, this, [this] {
        if (!filling_)
            SetModified();
    });
    return page;
}

QWidget* TFrameEditImages::MakeSizesPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    spnWidth_ = Spin("spnWidth", 1, 1'000'000, 1);
    spnHeight_ = Spin("spnHeight", 1, 1'000'000, 1);
    spnWidthPercent_ = Spin("spnWidthPercent", 1, 10000, 100);
    spnHeightPercent_ = Spin("spnHeightPercent", 1, 10000, 100);
    spnWidthPercent_->setSuffix(" %");
    spnHeightPercent_->setSuffix(" %");
    form->addRow(tr("Width (pixels)"), spnWidth_);
    form->addRow(QString(), spnWidthPercent_);
    form->addRow(tr("Height (pixels)"), spnHeight_);
    form->addRow(QString(), spnHeightPercent_);
    chkAspect_ = new QCheckBox(tr("Maintain Aspect Ratio"), page);
    chkAspect_->setObjectName("chkAspect");
    chkAspect_->setChecked(true);
    form->addRow(chkAspect_);
    layout->addLayout(form);
    auto* turns = new QGridLayout;
    const std::pair<QString, void (TImageEditModel::*)()> buttons[] = {
        {tr("Rotate Left"), &TImageEditModel::RotateLeft},
        {tr("Rotate Right"), &TImageEditModel::RotateRight},
        {tr("Flip Horizontal"), &TImageEditModel::FlipHorizontal},
        {tr("Flip Vertical"), &TImageEditModel::FlipVertical}};
    int index = 0;
    for (const auto& [caption, operation] : buttons) {
        auto* button = new QPushButton(caption, page);
        turns->addWidget(button, index / 2, index % 2);
        ++index;
        connect(button, &QPushButton::clicked, this, [this, operation] {
            (model_.*operation)();
            SizeFieldsFromModel();
            ShowWorkingCopy();
        });
    }
    layout->addLayout(turns);
    layout->addStretch();
    connect(chkAspect_, &QCheckBox::toggled, this, [this](bool on) { model_.Sizes.KeepAspect = on; });
    const auto typed = [this](QSpinBox* spin, void (TImageEditModel::*operation)(int)) {
        connect(spin, &QSpinBox::valueChanged, this, [this, operation](int value) {
            if (filling_)
                return;
            (model_.*operation)(value);
            SizeFieldsFromModel();
        });
    };
    typed(spnWidth_, &TImageEditModel::WidthTyped);
    typed(spnHeight_, &TImageEditModel::HeightTyped);
    typed(spnWidthPercent_, &TImageEditModel::WidthPercentTyped);
    typed(spnHeightPercent_, &TImageEditModel::HeightPercentTyped);
    return page;
}

QWidget* TFrameEditImages::MakeBorderPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    spnBorderOffset_ = Spin("spnBorderOffset", 0, 10000, 0);
    form->addRow(tr("Border Offset (pixels)"), spnBorderOffset_);
    borderColor_ = AddColorRow(form, tr("Color"), "border", {0, 0, 0});
    spnBorderTransparency_ = Spin("spnBorderTransparency", 0, 100, 0);
    form->addRow(tr("Border Transparency"), spnBorderTransparency_);
    for (QSpinBox* spin : {spnBorderOffset_, spnBorderTransparency_})
        connect(spin, &QSpinBox::valueChanged, this, [this] { Preview(); });
    return page;
}

QWidget* TFrameEditImages::MakeCropPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    spnLeft_ = Spin("spnLeft", 1, 1'000'000, 1);
    spnTop_ = Spin("spnTop", 1, 1'000'000, 1);
    spnRight_ = Spin("spnRight", 1, 1'000'000, 1);
    spnBottom_ = Spin("spnBottom", 1, 1'000'000, 1);
    form->addRow(tr("Left"), spnLeft_);
    form->addRow(tr("Top"), spnTop_);
    form->addRow(tr("Right"), spnRight_);
    form->addRow(tr("Bottom"), spnBottom_);
    for (QSpinBox* spin : {spnLeft_, spnTop_, spnRight_, spnBottom_})
        connect(spin, &QSpinBox::valueChanged, this, [this] { Preview(); });
    return page;
}

QWidget* TFrameEditImages::MakeEffectsPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    lstEffects_ = new QListWidget(page);
    lstEffects_->setObjectName("lstEffects");
    for (const TImageEditModel::TEffect& effect : TImageEditModel::Effects()) {
        auto* row = new QListWidgetItem(tr(effect.Caption), lstEffects_);
        row->setData(Qt::UserRole, effect.Id);
    }
    layout->addWidget(lstEffects_, 1);
    lblAmount_ = new QLabel(tr("Value"), page);
    sldAmount_ = new QSlider(Qt::Horizontal, page);
    sldAmount_->setObjectName("sldAmount");
    sldAmount_->setRange(1, 100);
    layout->addWidget(lblAmount_);
    layout->addWidget(sldAmount_);
    lblAmount_->setVisible(false);
    sldAmount_->setVisible(false);
    connect(lstEffects_, &QListWidget::currentRowChanged, this, [this](int row) {
        lblAmount_->setVisible(row >= 0);
        sldAmount_->setVisible(row >= 0);
        const QSignalBlocker block(sldAmount_);
        sldAmount_->setValue(sldAmount_->minimum());
        Preview();
    });
    connect(sldAmount_, &QSlider::valueChanged, this, [this] { Preview(); });
    return page;
}

QWidget* TFrameEditImages::MakeMonochromePage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    darkColor_ = AddColorRow(form, tr("Dark"), "dark", {0, 0, 0});
    lightColor_ = AddColorRow(form, tr("Light"), "light", {255, 255, 255});
    return page;
}

void TFrameEditImages::InitControls()
{
    filling_ = true;
    auto* layout = new QVBoxLayout(this);
    toolBar_ = new QToolBar(this);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolBar_);

    auto* info = new QFormLayout;
    edtCaption_ = new QLineEdit(this);
    edtCaption_->setObjectName("edtCaption");
    edtAltFileName_ = new QLineEdit(this);
    edtAltFileName_->setObjectName("edtAltFileName");
    info->addRow(tr("Caption"), edtCaption_);
    info->addRow(tr("Alternative File Name"), edtAltFileName_);
    lblDimensions_ = new QLabel(this);
    lblDimensions_->setObjectName("lblDimensions");
    lblFile_ = new QLabel(this);
    lblFile_->setObjectName("lblFile");
    auto* facts = new QHBoxLayout;
    facts->addWidget(lblDimensions_);
    facts->addSpacing(24);
    facts->addWidget(lblFile_);
    facts->addStretch();
    info->addRow(facts);
    layout->addLayout(info);
    for (QLineEdit* edit : {edtCaption_, edtAltFileName_})
        connect(edit, &QLineEdit::textEdited, this, [this] { SetModified(); });

    auto* body = new QHBoxLayout;
    auto* side = new QVBoxLayout;
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("pages");
    pages_->addWidget(MakeTypePage());
    pages_->addWidget(MakeSizesPage());
    pages_->addWidget(MakeBorderPage());
    pages_->addWidget(MakeCropPage());
    pages_->addWidget(MakeEffectsPage());
    pages_->addWidget(MakeMonochromePage());
    grpPage_ = new QGroupBox(this);
    grpPage_->setObjectName("grpPage");
    auto* pageBox = new QVBoxLayout(grpPage_);
    pageBox->addWidget(pages_);
    side->addWidget(grpPage_, 1);
    auto* apply = new QPushButton(tr("Apply"), this);
    apply->setObjectName("btnApply");
    side->addWidget(apply);
    auto* sidePanel = new QWidget(this);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(300);
    body->addWidget(sidePanel);
    area_ = new QScrollArea(this);
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Mid);
    canvas_ = new QLabel(area_);
    canvas_->setObjectName("imgArea");
    area_->setWidget(canvas_);
    body->addWidget(area_, 1);
    layout->addLayout(body, 1);
    connect(apply, &QPushButton::clicked, this, [this] { ApplyPage(); });

    const auto pageAction = [this](const QString& caption, const char* name, TPage page) {
        QAction* action = toolBar_->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, page] { ShowPage(page); });
    };
    QAction* open = toolBar_->addAction(tr("Open File..."));
    open->setObjectName("actOpenFile");
    connect(open, &QAction::triggered, this, &TFrameEditImages::OpenFile);
    toolBar_->addSeparator();
    pageAction(tr("Properties"), "actProperties", TPage::Type);
    pageAction(tr("Resample"), "actResample", TPage::Sizes);
    pageAction(tr("Crop"), "actCrop", TPage::Crop);
    pageAction(tr("Border"), "actBorder", TPage::Border);
    pageAction(tr("Monochrome"), "actMonochrome", TPage::Monochrome);
    pageAction(tr("Effects"), "actEffects", TPage::Effects);
    toolBar_->addSeparator();
    QAction* zoomOut = toolBar_->addAction(tr("Zoom Out"));
    zoomOut->setObjectName("actZoomOut");
    cmbZoom_ = new QComboBox(toolBar_);
    cmbZoom_->setObjectName("cmbZoom");
    cmbZoom_->setEditable(true);
    for (int step : TImageEditModel::ZoomSteps)
        cmbZoom_->addItem(QString::number(step));
    cmbZoom_->setCurrentText("100");
    toolBar_->addWidget(cmbZoom_);
    QAction* zoomIn = toolBar_->addAction(tr("Zoom In"));
    zoomIn->setObjectName("actZoomIn");
    connect(zoomIn, &QAction::triggered, this, [this] {
        model_.ZoomIn();
        SetZoom(model_.Zoom);
    });
    connect(zoomOut, &QAction::triggered, this, [this] {
        model_.ZoomOut();
        SetZoom(model_.Zoom);
    });
    connect(cmbZoom_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (filling_)
            return;
        model_.SetZoomText(S(text));
        ShowWorkingCopy();
    });

    pnlGif_->setVisible(false);
    pages_->setCurrentIndex(0);
    grpPage_->setTitle(PageTitle(TPage::Type));
    filling_ = false;

    TTolvexControlClass& context = *GetContext();
    if (context.GetItemType() == kImageItemType)
        imageItemId_ = context.GetItemId();
    else if (const std::vector<std::string>* params = context.GetParams())
        imageItemId_ = std::atoi(ValueOfName(*params, "CurrentImageItemId").c_str());
}

// ---- loading and storing -----------------------------------------------------------------------

void TFrameEditImages::LoadPicture()
{
    TAbstractCObject* image =
        imageItemId_ ? GetContext()->GetObjectCollection().GetObject(imageItemId_, "Image") : nullptr;
    if (!image || !model_.LoadFromObject(*image))
        model_ = TImageEditModel();
    filling_ = true;
    chkBackground_->setChecked(image && image->GetLangBoolean("IsBackgroundImage", kNoLanguageCode, 0));
    filling_ = false;
    FillFromModel();
}

void TFrameEditImages::FillFromModel()
{
    filling_ = true;
    lblDimensions_->setText(model_.HasPicture() ? Q(model_.DimensionsText()) : tr("No picture"));
    lblFile_->setText(model_.HasPicture() ? Q(model_.FileText()) : QString());
    cmbFormat_->setCurrentIndex(cmbFormat_->findData(static_cast<int>(model_.Options.Format)));
    pnlJpeg_->setVisible(model_.Options.Format == TImageEditModel::TFormat::Jpeg);
    pnlGif_->setVisible(model_.Options.Format == TImageEditModel::TFormat::Gif);
    filling_ = false;
    ShowWorkingCopy();
}

void TFrameEditImages::LoadFromObjects(bool)
{
    TrackChanges = false;
    TTolvexControlClass& context = *GetContext();
    namesLang_ = context.GetCurrentLangCode();
    filling_ = true;
    edtCaption_->clear();
    edtAltFileName_->clear();
    if (TAbstractCObject* names =
            imageItemId_ ? context.GetObjectCollection().GetObject(imageItemId_, "CommonNames") : nullptr) {
        std::string caption = names->GetLangString("ItemName", namesLang_, 0);
        if (caption.empty())
            caption = names->GetLangString("ItemName", kNoLanguageCode, 0);
        edtCaption_->setText(Q(caption));
        std::string alt = names->GetLangString("AltFileName", kNoLanguageCode, 0);
        if (alt.empty())
            alt = names->GetLangString("AltFileName", namesLang_, 0);
        edtAltFileName_->setText(Q(alt));
    }
    filling_ = false;
    LoadPicture();
    TrackChanges = true;
}

void TFrameEditImages::StoreToObjects(bool)
{
    if (!IsModified() || imageItemId_ == 0)
        return;
    TObjectCollection& objects = GetContext()->GetObjectCollection();
    if (TAbstractCObject* names = objects.GetObject(imageItemId_, "CommonNames")) {
        names->SetLangString("ItemName", namesLang_, S(edtCaption_->text()), 0);
        names->SetLangString("AltFileName", kNoLanguageCode, S(edtAltFileName_->text()), 0);
    }
    if (TAbstractCObject* image = objects.GetObject(imageItemId_, "Image")) {
        shapeSaved_ = shapeSaved_ || (model_.PictureChanged() && model_.ShapeChanged());
        if (model_.PictureChanged())
            model_.Store(*image, chkBackground_->isChecked());
        else
            image->SetLangBoolean("IsBackgroundImage", kNoLanguageCode, chkBackground_->isChecked(), 0);
    }
}

void TFrameEditImages::TabShown()
{
    TTolvexFrameEditor::TabShown();
    filling_ = true;
    cmbZoom_->setCurrentText(QString::number(model_.Zoom));
    filling_ = false;
    TTolvexControlClass& context = *GetContext();
    if (context.GetItemType() == kImageItemType || !context.GetParams())
        return;
    const int current = std::atoi(ValueOfName(*context.GetParams(), "CurrentImageItemId").c_str());
    if (current == 0)
        return;
    StoreToObjects(false);
    imageItemId_ = current;
    LoadFromObjects(false);
}

bool TFrameEditImages::CanLeaveTab()
{
    if (!model_.HasPendingPreview())
        return true;
    const int answer = GetContext()->Services().Gui.AskQuestion(
        "The picture shows a change that is not applied. Apply it before leaving?", "", true, "", 3);
    if (answer == 2)
        return false;
    if (answer == 6)
        ApplyPage();
    else
        model_.ResetWorkingCopy();
    ShowWorkingCopy();
    return true;
}

void TFrameEditImages::Cancel()
{
    shapeSaved_ = false;
    TTolvexFrameEditor::Cancel();
    Preview();
}

bool TFrameEditImages::Save()
{
    if (!TTolvexFrameEditor::Save())
        return false;
    if (!shapeSaved_)
        return true;
    shapeSaved_ = false;
    TTolvexControlClass& context = *GetContext();
    if (!context.Data() || imageItemId_ == 0)
        return true;
    TCatalogData& data = *context.Data();
    const TImageSave::TServices services{context.Services().Root.Catalog(), data, context.GetObjectFactory(),
                                         &data.GetFolders(), ::Translation};
    TImageSave reader(services, context.GetConnection());
    const int thumbnail = reader.UsableCopyId(imageItemId_, true);
    const int large = reader.UsableCopyId(imageItemId_, false);
    if (thumbnail == 0 && large == 0)
        return true;
    if (context.Services().Gui.AskQuestion("The picture was cropped, turned or resized. Make its thumbnail and large "
                                           "copies again from the new picture?") != 6)
        return true;
    // Each copy keeps its item and the longer side it had; only its picture
    // is made anew, inside the save's unit, so that the save stays whole.
    std::vector<std::string> names;
    if (!edtCaption_->text().isEmpty())
        names.push_back(namesLang_ + "=" + S(edtCaption_->text()));
    const auto longerSide = [&](int copyId) {
        TAbstractCObject* copy = context.GetObjectCollection().GetObject(copyId, "Image");
        return copy ? std::max(copy->GetLangInteger("ImageWidth", kNoLanguageCode, 0),
                               copy->GetLangInteger("ImageHeight", kNoLanguageCode, 0))
                    : 0;
    };
    const int thumbnailSide = thumbnail ? longerSide(thumbnail) : 0;
    const int largeSide = large ? longerSide(large) : 0;
    const TPicture picture = model_.Picture();
    const std::string mimeType = model_.MimeType();
    const std::string alt = S(edtAltFileName_->text());
    const int mainId = imageItemId_;
    context.DeferUntilSave([services, names, thumbnail, large, thumbnailSide, largeSide, picture, mimeType, alt,
                            mainId](TAbstractDBConnection& connection) {
        TImageSave save(services, connection);
        if (thumbnail) {
            std::string copyAlt = alt;
            save.SaveThumbnailCopy(mainId, picture, copyAlt, names,
                                   {thumbnailSide > 0, thumbnailSide, TImageScaleType::Maximal}, mimeType);
        }
        if (large) {
            std::string copyAlt = alt;
            save.SaveLargeCopy(mainId, picture, copyAlt, names, {largeSide > 0, largeSide, TImageScaleType::Maximal},
                               mimeType);
        }
    });
    return true;
}

// ---- the operations ---------------------------------------------------------------------------

void TFrameEditImages::ShowPage(TPage page)
{
    if (page == page_ && pages_->currentIndex() == static_cast<int>(page))
        return;
    page_ = page;
    pages_->setCurrentIndex(static_cast<int>(page));
    grpPage_->setTitle(PageTitle(page));
    filling_ = true;
    switch (page) {
    case TPage::Type: model_.ResetWorkingCopy(); break;
    case TPage::Sizes: model_.StartResample(); break;
    case TPage::Crop:
        model_.StartCrop();
        spnLeft_->setValue(1);
        spnTop_->setValue(1);
        spnRight_->setValue(model_.CropRect.Right);
        spnBottom_->setValue(model_.CropRect.Bottom);
        break;
    default: break;
    }
    filling_ = false;
    if (page == TPage::Sizes)
        SizeFieldsFromModel();
    if (page == TPage::Border || page == TPage::Monochrome || page == TPage::Effects)
        Preview();
    else
        ShowWorkingCopy();
}

void TFrameEditImages::SizeFieldsFromModel()
{
    filling_ = true;
    spnWidth_->setValue(model_.Sizes.Width);
    spnHeight_->setValue(model_.Sizes.Height);
    spnWidthPercent_->setValue(model_.Sizes.WidthPercent);
    spnHeightPercent_->setValue(model_.Sizes.HeightPercent);
    filling_ = false;
}

void TFrameEditImages::Preview()
{
    if (filling_ || !pages_ || !model_.HasPicture())
        return;
    model_.Options.Format = static_cast<TImageEditModel::TFormat>(cmbFormat_->currentData().toInt());
    model_.Options.Quality = sldQuality_->value();
    model_.Options.Transparent = chkTransparent_->isChecked();
    model_.Options.TransparentColor = transparentColor_.Value();
    switch (page_) {
    case TPage::Type: model_.PreviewType(); break;
    case TPage::Border:
        model_.PreviewBorder(spnBorderOffset_->value(), borderColor_.Value(), spnBorderTransparency_->value());
        break;
    case TPage::Monochrome: model_.PreviewMonochrome(darkColor_.Value(), lightColor_.Value()); break;
    case TPage::Effects:
        if (QListWidgetItem* row = lstEffects_->currentItem())
            model_.PreviewEffect(row->data(Qt::UserRole).toInt(), sldAmount_->value());
        else
            model_.ResetWorkingCopy();
        break;
    case TPage::Crop:
        model_.CropRect = {spnLeft_->value(), spnTop_->value(), spnRight_->value(), spnBottom_->value()};
        break;
    case TPage::Sizes: break;
    }
    ShowWorkingCopy();
}

bool TFrameEditImages::ApplyPage()
{
    std::string reason;
    bool applied = false;
    model_.Options.Format = static_cast<TImageEditModel::TFormat>(cmbFormat_->currentData().toInt());
    switch (page_) {
    case TPage::Type: applied = model_.ApplyType(&reason); break;
    case TPage::Sizes: applied = model_.ApplyResample(&reason); break;
    case TPage::Crop:
        model_.CropRect = {spnLeft_->value(), spnTop_->value(), spnRight_->value(), spnBottom_->value()};
        applied = model_.ApplyCrop(&reason);
        break;
    default: applied = model_.ApplyPreview(&reason); break;
    }
    PictureApplied(applied, reason);
    if (applied && page_ == TPage::Sizes)
        SizeFieldsFromModel();
    if (applied && page_ == TPage::Crop) {
        filling_ = true;
        spnRight_->setValue(model_.CropRect.Right);
        spnBottom_->setValue(model_.CropRect.Bottom);
        filling_ = false;
    }
    return applied;
}

void TFrameEditImages::PictureApplied(bool applied, const std::string& reason)
{
    if (!applied && !reason.empty())
        GetContext()->Services().Gui.ShowError(reason, false);
    if (applied)
        SetModified();
    FillFromModel();
}

void TFrameEditImages::OpenFile()
{
    std::string fileName;
    if (!GetContext()->Services().Gui.SelectOpenFile("Select Image", "", kPictureFiles, fileName))
        return;
    std::string reason;
    PictureApplied(model_.OpenFile(fileName, &reason), reason);
}

void TFrameEditImages::SetZoom(int zoom)
{
    model_.Zoom = zoom;
    filling_ = true;
    cmbZoom_->setCurrentText(QString::number(zoom));
    filling_ = false;
    ShowWorkingCopy();
}

void TFrameEditImages::ShowWorkingCopy()
{
    if (!canvas_)
        return;
    const TPicture& working = model_.WorkingCopy();
    if (working.IsEmpty()) {
        canvas_->setPixmap(QPixmap());
        canvas_->adjustSize();
        return;
    }
    QImage image = PictureImage(working);
    if (page_ == TPage::Crop)
        if (const auto rect = model_.CropPreview()) {
            QPainter painter(&image);
            painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
            painter.drawRect(rect->Left, rect->Top, rect->Right - rect->Left, rect->Bottom - rect->Top);
        }
    const int width = static_cast<int>(static_cast<long long>(working.Width()) * model_.Zoom / 100);
    const int height = static_cast<int>(static_cast<long long>(working.Height()) * model_.Zoom / 100);
    canvas_->setPixmap(QPixmap::fromImage(image.scaled(std::max(width, 1), std::max(height, 1))));
    canvas_->adjustSize();
}
