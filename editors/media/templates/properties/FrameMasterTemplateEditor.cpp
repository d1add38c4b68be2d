#include "editors/media/templates/properties/FrameMasterTemplateEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogPageGeneration.h"
#include "common/CommonImages.h"
#include "common/Picture.h"
#include "common/PictureScaler.h"
#include "common/WellKnownIds.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/images/PictureImage.h"
#include "editors/media/templates/properties/TemplatePropertiesModel.h"
#include "generation/Templates.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"
#include "storage/AbstractDBConnectionFactory.h"

#include <QComboBox>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

using UiText::Q;
using UiText::S;
using namespace ControlOperations;

namespace {

constexpr int kColorSchemeKind = 2;
constexpr int kFontSchemeKind = 3;
constexpr int kPictureSide = 160;

void Fill(QComboBox* combo, const std::vector<TTemplatePropertiesModel::TChoice>& choices)
{
    combo->clear();
    for (const TTemplatePropertiesModel::TChoice& choice : choices)
        AddComboBoxItem(combo, Q(choice.Caption), Q(choice.Value));
}

// The picture in a square of the box's size: a large one shrunk, a small
// one (a background's tile) repeated as the page would show it.
QPixmap Thumbnail(const TPicture& picture)
{
    if (picture.IsEmpty())
        return {};
    const int longer = std::max(picture.Width(), picture.Height());
    const TPicture small = longer > kPictureSide
                               ? TPictureScaler::Scale(picture, std::max(1, picture.Width() * kPictureSide / longer),
                                                       std::max(1, picture.Height() * kPictureSide / longer))
                               : picture;
    const QImage image = PictureImage(small);
    if (longer > kPictureSide / 2)
        return QPixmap::fromImage(image);
    QPixmap tiled(kPictureSide - 2, kPictureSide - 2);
    tiled.fill(Qt::transparent);
    QPainter painter(&tiled);
    painter.drawTiledPixmap(tiled.rect(), QPixmap::fromImage(image));
    return tiled;
}

}  // namespace

TFrameMasterTemplateEditor::TFrameMasterTemplateEditor(TFrameSite& site)
    : TTemplateFrameBase(site, "TFrameMasterTemplateEditor", true)
{
}

std::string TFrameMasterTemplateEditor::StyleCatalogCode() const
{
    return GetContext()->Data()->GetPageGeneration().GetStyleCatalogCode();
}

void TFrameMasterTemplateEditor::InitControls()
{
    InitSharedControls();
    TTolvexControlClass& context = *GetContext();
    cbColorScheme_ = new QComboBox(this);
    cbColorScheme_->setObjectName("cbColorScheme");
    cbFontScheme_ = new QComboBox(this);
    cbFontScheme_->setObjectName("cbFontScheme");
    cbBackground_ = new QComboBox(this);
    cbBackground_->setObjectName("cbBackgroundImage");
    imgBackground_ = new QLabel(this);
    imgBackground_->setObjectName("imgBackground");
    imgBackground_->setFixedSize(kPictureSide, kPictureSide);
    imgBackground_->setAlignment(Qt::AlignCenter);
    imgBackground_->setFrameShape(QFrame::StyledPanel);
    Form()->addRow(tr("&Colour Scheme:"), cbColorScheme_);
    Form()->addRow(tr("&Font Scheme:"), cbFontScheme_);
    Form()->addRow(tr("&Background Image:"), cbBackground_);
    Form()->addRow(QString(), imgBackground_);

    TCatalogPageGeneration& generation = context.Data()->GetPageGeneration();
    TTemplates& templates = generation.GetTemplates();
    const std::string none = context.Translate("(none)");
    for (auto [combo, kind] : {std::pair{cbColorScheme_, kColorSchemeKind}, std::pair{cbFontScheme_, kFontSchemeKind}}) {
        std::vector<std::string> lines;
        const int folder = generation.GetItemTypeTemplateId(context.GetItemType(), kind);
        if (folder != 0)
            templates.GetTemplateList(lines, folder, context.GetConnection());
        Fill(combo, TTemplatePropertiesModel::SchemeChoices(lines, none));
        connect(combo, &QComboBox::activated, this, [this] { Changed(); });
    }
    FillBackgrounds();
    connect(cbBackground_, &QComboBox::activated, this, [this] {
        ShowBackground();
        Changed();
    });
}

void TFrameMasterTemplateEditor::FillBackgrounds()
{
    TTolvexControlClass& context = *GetContext();
    const std::string lang = context.Data()->GetDefaultLangCode();
    std::vector<TTemplatePropertiesModel::TChoice> styles;
    std::vector<TTemplatePropertiesModel::TChoice> shared;
    if (TAbstractDBConnectionFactory* definition = context.GetDefinitionFactory()) {
        TAbstractDBConnection& connection = definition->GetConnection();
        styles = TTemplatePropertiesModel::BackgroundImages(connection, StyleCatalogCode(), lang, "s");
        shared = TTemplatePropertiesModel::BackgroundImages(
            connection, TTemplatePropertiesModel::kSharedStyleCatalog, lang, "a");
    }
    Fill(cbBackground_, TTemplatePropertiesModel::BackgroundChoices(
                            TTemplatePropertiesModel::BackgroundImages(context.GetConnection(),
                                                                       context.GetCatalogCode(), lang, ""),
                            styles, shared, context.Translate("(none)")));
}

void TFrameMasterTemplateEditor::ShowBackground()
{
    imgBackground_->clear();
    TTolvexControlClass& context = *GetContext();
    const TTemplatePropertiesModel::TBackground background = TTemplatePropertiesModel::ParseBackground(
        S(GetComboBoxValue(cbBackground_)), context.GetCatalogCode(), StyleCatalogCode());
    if (background.Id == 0)
        return;
    TAbstractDBConnectionFactory* definition = context.GetDefinitionFactory();
    if (background.FromStyles && !definition)
        return;
    TAbstractDBConnection& connection = background.FromStyles ? definition->GetConnection() : context.GetConnection();
    TPicture picture;
    std::int64_t size = 0;
    std::string mimeType;
    if (TCommonImages::LoadImageToPicture(background.CatalogCode, background.Id, picture, size, mimeType, connection))
        imgBackground_->setPixmap(Thumbnail(picture));
}

void TFrameMasterTemplateEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    if (LoadShared()) {
        SelectComboBoxValue(cbColorScheme_, Q(Model().ColorScheme), -1);
        SelectComboBoxValue(cbFontScheme_, Q(Model().FontScheme), -1);
        SelectComboBoxValue(cbBackground_, Q(Model().Background), -1);
        ShowBackground();
    }
    TrackChanges = true;
}

void TFrameMasterTemplateEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (!PrepareStore())
        return;
    Model().ColorScheme = S(GetComboBoxValue(cbColorScheme_));
    Model().FontScheme = S(GetComboBoxValue(cbFontScheme_));
    Model().Background = S(GetComboBoxValue(cbBackground_));
    const TTemplatePropertiesModel::TBackground import = Model().Store(VersionEditable(), StyleCatalogCode());
    // A picture of a style catalog is copied into the open catalog with the
    // save; after it the open catalog's own copy is the one chosen, so it is
    // copied once. Stored again (each preview stores the controls), the
    // last choice counts: a copy no longer chosen is not made.
    TTolvexControlClass& context = *GetContext();
    TTemplates& templates = context.Data()->GetPageGeneration().GetTemplates();
    copyPending_ = import.FromStyles;
    context.DeferUntilSave("MasterTemplateBackground:" + std::to_string(context.GetTreeItemId()),
                           [&templates, import](TAbstractDBConnection& connection) {
                               if (import.FromStyles)
                                   templates.ImportTemplateItem(import.Id, import.CatalogCode, connection);
                           });
}

void TFrameMasterTemplateEditor::AfterSave()
{
    if (!copyPending_ || !model_)
        return;
    copyPending_ = false;
    const bool tracking = TrackChanges;
    TrackChanges = false;
    Model().TakeStoredBackground();
    FillBackgrounds();
    SelectComboBoxValue(cbBackground_, Q(Model().Background), -1);
    ShowBackground();
    TrackChanges = tracking;
}

void TFrameMasterTemplateEditor::Cancel()
{
    // The copy was dropped with the other unsaved writes.
    copyPending_ = false;
    TTemplateFrameBase::Cancel();
}
