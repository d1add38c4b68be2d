#include "editors/media/images/FrameImageSource.h"

#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/FrameImageContainer.h"
#include "editors/media/images/ImageHtmlPanel.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

using UiText::Q;
using UiText::S;

namespace {

constexpr int kMostPixels = 100000;

QSpinBox* SizeBox(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, kMostPixels);
    return box;
}

QComboBox* ScaleTypeBox(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    // In the order of TImageScaleType.
    box->addItems({QObject::tr("Maximal"), QObject::tr("Vertical"), QObject::tr("Horizontal")});
    return box;
}

// A check box, its size and its scale type in one row.
QHBoxLayout* ScaleRow(QCheckBox* check, QSpinBox* size, QComboBox* type)
{
    auto* row = new QHBoxLayout;
    row->addWidget(check);
    row->addWidget(size);
    row->addWidget(type);
    row->addStretch();
    return row;
}

void SetChecked(QCheckBox* box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

}  // namespace

TFrameImageSource::TFrameImageSource(TFrameSite& site)
{
    TQtFrameSite::PlaceInto(site, this);
}

TFrameImageSource::~TFrameImageSource() = default;

// ---- building ---------------------------------------------------------------------------------------

void TFrameImageSource::InitControls()
{
    TTolvexControlClass& context = *GetContext();
    context.SetCaption(S(tr("Insert Image")));
    auto* layout = new QVBoxLayout(this);
    BuildSourceRow(*layout);
    BuildBody(*layout);

    const std::vector<std::string> params = context.GetParams() ? *context.GetParams() : std::vector<std::string>{};
    model_.ReadParams(params, &context);
    edtMainSize_->setValue(model_.MainSize);
    edtThumbnailSize_->setValue(model_.ThumbnailSize);
    edtLargeSize_->setValue(model_.LargeSize);
    pnlHtml_->ShowValues();
    ShowControls();

    const std::string initFile = ValueOfName(params, "InitFileName");
    if (!initFile.empty()) {
        nameLang_ = context.GetCurrentLangCode();
        LoadFile(initFile);
        model_.SetName(nameLang_, S(edtImageName_->text()));
    }
}

void TFrameImageSource::BuildBody(QBoxLayout& layout)
{
    auto* body = new QHBoxLayout;
    layout.addLayout(body, 1);

    // The options on the left, in a scroll area when the dialog is low.
    auto* options = new QWidget(this);
    auto* column = new QVBoxLayout(options);
    column->setContentsMargins(0, 0, 0, 0);

    pnlName_ = new QGroupBox(tr("Name"), options);
    pnlName_->setObjectName("pnlName");
    auto* names = new QFormLayout(pnlName_);
    edtImageName_ = new QLineEdit(pnlName_);
    edtImageName_->setObjectName("edtImageName");
    edtAltFileName_ = new QLineEdit(pnlName_);
    edtAltFileName_->setObjectName("edtAltFileName");
    edtAltFileName_->setToolTip(tr("Letters, digits, - and _ only"));
    chkBackground_ = new QCheckBox(tr("This is background image"), pnlName_);
    chkBackground_->setObjectName("chkBackground");
    names->addRow(tr("Image Name:"), edtImageName_);
    names->addRow(tr("Alternative File Name:"), edtAltFileName_);
    names->addRow(chkBackground_);
    column->addWidget(pnlName_);

    pnlMainScale_ = new QGroupBox(tr("Image"), options);
    pnlMainScale_->setObjectName("pnlMainScale");
    auto* main = new QVBoxLayout(pnlMainScale_);
    chkScaleImage_ = new QCheckBox(tr("Scale image to (pixels)"), pnlMainScale_);
    chkScaleImage_->setObjectName("chkScaleImage");
    edtMainSize_ = SizeBox(pnlMainScale_, "edtMainSize");
    cbMainScaleType_ = ScaleTypeBox(pnlMainScale_, "cbMainScaleType");
    main->addLayout(ScaleRow(chkScaleImage_, edtMainSize_, cbMainScaleType_));
    column->addWidget(pnlMainScale_);

    pnlThumbnail_ = new QGroupBox(tr("Thumbnail Copy"), options);
    pnlThumbnail_->setObjectName("pnlThumbnail");
    auto* thumbnail = new QVBoxLayout(pnlThumbnail_);
    chkSaveThumbnail_ = new QCheckBox(tr("Save thumbnail copy of the image"), pnlThumbnail_);
    chkSaveThumbnail_->setObjectName("chkSaveThumbnail");
    chkScaleThumbnail_ = new QCheckBox(tr("Scale thumbnail copy to (pixels)"), pnlThumbnail_);
    chkScaleThumbnail_->setObjectName("chkScaleThumbnail");
    edtThumbnailSize_ = SizeBox(pnlThumbnail_, "edtThumbnailSize");
    cbThumbnailScaleType_ = ScaleTypeBox(pnlThumbnail_, "cbThumbnailScaleType");
    thumbnail->addWidget(chkSaveThumbnail_);
    thumbnail->addLayout(ScaleRow(chkScaleThumbnail_, edtThumbnailSize_, cbThumbnailScaleType_));
    column->addWidget(pnlThumbnail_);

    pnlLarge_ = new QGroupBox(tr("Full Size Copy"), options);
    pnlLarge_->setObjectName("pnlLarge");
    auto* large = new QVBoxLayout(pnlLarge_);
    chkSaveLarge_ = new QCheckBox(tr("Save full size copy of the image"), pnlLarge_);
    chkSaveLarge_->setObjectName("chkSaveLarge");
    chkScaleLarge_ = new QCheckBox(tr("Scale full size copy to (pixels)"), pnlLarge_);
    chkScaleLarge_->setObjectName("chkScaleLarge");
    edtLargeSize_ = SizeBox(pnlLarge_, "edtLargeSize");
    cbLargeScaleType_ = ScaleTypeBox(pnlLarge_, "cbLargeScaleType");
    chkPopupLarge_ = new QCheckBox(tr("Pop-up large copy of the image"), pnlLarge_);
    chkPopupLarge_->setObjectName("chkPopupLarge");
    large->addWidget(chkSaveLarge_);
    large->addLayout(ScaleRow(chkScaleLarge_, edtLargeSize_, cbLargeScaleType_));
    large->addWidget(chkPopupLarge_);
    column->addWidget(pnlLarge_);

    // The size fields of the three pictures in one column.
    int checkWidth = 0;
    for (QCheckBox* box : {chkScaleImage_, chkScaleThumbnail_, chkScaleLarge_})
        checkWidth = std::max(checkWidth, box->sizeHint().width());
    for (QCheckBox* box : {chkScaleImage_, chkScaleThumbnail_, chkScaleLarge_})
        box->setMinimumWidth(checkWidth);

    pnlHtml_ = new TImageHtmlPanel(model_.Html, options);
    column->addWidget(pnlHtml_);
    column->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("sbOptions");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(options);
    scroll->setMinimumWidth(options->sizeHint().width() + 20);
    body->addWidget(scroll);
    sbOptions_ = scroll;

    // The picture on the right.
    pnlPreview_ = new QWidget(this);
    pnlPreview_->setObjectName("pnlPreview");
    auto* preview = new QVBoxLayout(pnlPreview_);
    preview->setContentsMargins(0, 0, 0, 0);
    // The picture and its facts in a sunken box, so that a small picture
    // still shows where the preview is.
    auto* box = new QFrame(pnlPreview_);
    box->setObjectName("pnlPreviewBox");
    box->setFrameShape(QFrame::StyledPanel);
    box->setFrameShadow(QFrame::Sunken);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(4, 4, 4, 4);
    preview_ = new TFrameImageContainer(box);
    preview_->Setup(TFrameImageContainer::TInfo::Bottom, TImagePreviewModel::ServicesOf(*GetContext()), true, true);
    preview_->setMinimumSize(220, 200);
    boxLayout->addWidget(preview_);
    preview->addWidget(box, 1);
    auto* turns = new QHBoxLayout;
    btnRotateLeft_ = new QPushButton(tr("Rotate &Left"), pnlPreview_);
    btnRotateLeft_->setObjectName("btnRotateLeft");
    btnRotateRight_ = new QPushButton(tr("Rotate &Right"), pnlPreview_);
    btnRotateRight_->setObjectName("btnRotateRight");
    turns->addStretch();
    turns->addWidget(btnRotateLeft_);
    turns->addWidget(btnRotateRight_);
    turns->addStretch();
    preview->addLayout(turns);
    body->addWidget(pnlPreview_, 1);
    pnlPreview_->hide();
    // Until a picture is loaded its place says how to get one.
    lblHint_ = new QLabel(HintText(), this);
    lblHint_->setObjectName("lblHint");
    lblHint_->setAlignment(Qt::AlignCenter);
    lblHint_->setWordWrap(true);
    lblHint_->setEnabled(false);
    body->addWidget(lblHint_, 1);

    connect(btnRotateLeft_, &QPushButton::clicked, this, [this] { Rotate(false); });
    connect(btnRotateRight_, &QPushButton::clicked, this, [this] { Rotate(true); });
    connect(edtImageName_, &QLineEdit::textChanged, this, &TFrameImageSource::NameEdited);
    connect(edtAltFileName_, &QLineEdit::textEdited, this, &TFrameImageSource::AltFileNameEdited);
    connect(chkBackground_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetBackground(on);
        SetModified();
    });
    connect(chkScaleImage_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetMainScale(on);
        ShowControls();
    });
    connect(chkSaveThumbnail_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetSaveThumbnail(on);
        ShowControls();
    });
    connect(chkScaleThumbnail_, &QCheckBox::toggled, this, [this](bool on) { model_.SetScaleThumbnail(on); });
    connect(chkSaveLarge_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetSaveLarge(on);
        ShowControls();
    });
    connect(chkScaleLarge_, &QCheckBox::toggled, this, [this](bool on) { model_.SetScaleLarge(on); });
    connect(chkPopupLarge_, &QCheckBox::toggled, this, [this](bool on) { model_.SetPopupLarge(on); });
    connect(edtMainSize_, &QSpinBox::valueChanged, this, [this](int value) { model_.MainSize = value; });
    connect(edtThumbnailSize_, &QSpinBox::valueChanged, this, [this](int value) { model_.ThumbnailSize = value; });
    connect(edtLargeSize_, &QSpinBox::valueChanged, this, [this](int value) { model_.LargeSize = value; });
    connect(cbMainScaleType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.MainType = static_cast<TImageScaleType>(index); });
    connect(cbThumbnailScaleType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.ThumbnailType = static_cast<TImageScaleType>(index); });
    connect(cbLargeScaleType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.LargeType = static_cast<TImageScaleType>(index); });
}

// ---- showing the model ----------------------------------------------------------------------------------

void TFrameImageSource::ShowControls()
{
    const TImageInsertModel::TControls& c = model_.Controls();
    pnlPreview_->setVisible(c.PreviewVisible);
    lblHint_->setVisible(!c.PreviewVisible);
    // Before a picture is loaded the options column may have nothing to show.
    sbOptions_->setVisible(c.NamePanel || c.HtmlPanel);
    pnlName_->setVisible(c.NamePanel);
    chkBackground_->setVisible(c.BackgroundVisible);
    SetChecked(chkBackground_, c.Background);
    pnlMainScale_->setVisible(c.MainPanel);
    SetChecked(chkScaleImage_, c.MainScale);
    pnlThumbnail_->setVisible(c.ThumbnailPanel);
    SetChecked(chkSaveThumbnail_, c.SaveThumbnail);
    chkSaveThumbnail_->setEnabled(c.SaveThumbnailEnabled);
    SetChecked(chkScaleThumbnail_, c.ScaleThumbnail);
    chkScaleThumbnail_->setVisible(c.ThumbnailScaleVisible);
    edtThumbnailSize_->setVisible(c.ThumbnailScaleVisible);
    cbThumbnailScaleType_->setVisible(c.ThumbnailTypeVisible);
    pnlLarge_->setVisible(c.LargePanel);
    SetChecked(chkSaveLarge_, c.SaveLarge);
    SetChecked(chkScaleLarge_, c.ScaleLarge);
    for (QWidget* widget : {static_cast<QWidget*>(chkScaleLarge_), static_cast<QWidget*>(edtLargeSize_),
                            static_cast<QWidget*>(cbLargeScaleType_)})
        widget->setVisible(c.LargeScaleVisible);
    chkPopupLarge_->setVisible(c.HtmlPanel && c.PopupLargeVisible);
    SetChecked(chkPopupLarge_, c.PopupLarge);
    pnlHtml_->setVisible(c.HtmlPanel);
}

// ---- loading ----------------------------------------------------------------------------------------------

bool TFrameImageSource::HasPicture() const
{
    return preview_->Model().HasPicture();
}

void TFrameImageSource::ShowLoadError(const std::string& message)
{
    GetContext()->Services().Gui.ShowError(message, false);
}

bool TFrameImageSource::LoadFile(const std::string& fileName)
{
    try {
        if (!preview_->LoadFromFile(fileName))
            return false;
    } catch (const ECriticalTolvexException& error) {
        ShowLoadError(error.what());
        return false;
    }
    PictureShown(TImageInsertModel::NameOfPath(fileName));
    FileLoaded(fileName);
    return true;
}

bool TFrameImageSource::LoadBytes(const std::string& bytes, const std::string& mimeType, const std::string& address)
{
    try {
        if (!preview_->LoadFromStream(bytes, mimeType))
            return false;
    } catch (const ECriticalTolvexException& error) {
        ShowLoadError(error.what());
        return false;
    }
    PictureShown(TImageInsertModel::NameOfPath(address));
    return true;
}

void TFrameImageSource::PictureShown(const std::string& proposedName)
{
    edtImageName_->setText(Q(proposedName));
    model_.PictureLoaded(preview_->Model().Width(), preview_->Model().Height());
    ShowControls();
    preview_->FitPicture();
    SetModified();
}

void TFrameImageSource::Rotate(bool right)
{
    if (right)
        preview_->RotateRight();
    else
        preview_->RotateLeft();
    SetModified();
}

// ---- fields ------------------------------------------------------------------------------------------------------

void TFrameImageSource::NameEdited(const QString& text)
{
    if (model_.Controls().HtmlPanel)
        pnlHtml_->ProposeAlt(text);
    SetModified();
}

void TFrameImageSource::AltFileNameEdited(const QString& text)
{
    if (filtering_)
        return;
    filtering_ = true;
    const QString kept = Q(TImageInsertModel::FilterAltFileName(S(text)));
    if (kept != text) {
        const int cursor = edtAltFileName_->cursorPosition() - static_cast<int>(text.size() - kept.size());
        edtAltFileName_->setText(kept);
        edtAltFileName_->setCursorPosition(std::max(0, cursor));
    }
    filtering_ = false;
    SetModified();
}

// ---- the editing protocol ---------------------------------------------------------------------------------------

void TFrameImageSource::TabShown()
{
    TTolvexFrameEditor::TabShown();
    // OK stores a picture: it is offered once there is one.
    GetContext()->SetModified(HasPicture());
}

void TFrameImageSource::StoreToObjects(bool)
{
    if (!nameLang_.empty())
        model_.SetName(nameLang_, S(edtImageName_->text()));
}

void TFrameImageSource::LoadFromObjects(bool)
{
    nameLang_ = GetContext()->GetCurrentLangCode();
    const bool tracking = TrackChanges;
    TrackChanges = false;
    edtImageName_->setText(Q(model_.NameIn(nameLang_)));
    TrackChanges = tracking;
}

bool TFrameImageSource::Save()
{
    if (!HasPicture())
        return TTolvexFrameEditor::Save();
    StoreToObjects(false);
    TImageInsertModel::TStoreRequest request;
    request.Picture = &preview_->Model().Picture();
    request.MimeType = StoredMimeType();
    request.AltFileName = S(edtAltFileName_->text());
    if (!model_.Store(*GetContext(), request, S(edtImageName_->text())))
        return false;
    return TTolvexFrameEditor::Save();
}
