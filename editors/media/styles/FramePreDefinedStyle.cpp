#include "editors/media/styles/FramePreDefinedStyle.h"

#include "common/CommonGui.h"
#include "common/CommonImages.h"
#include "common/CommonProcedures.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <sstream>

namespace {

using UiText::Q;

// The column of each list that holds the check box.
constexpr int kCheckColumn = 0;
// Where a row keeps its position in the model's list, and its item id.
constexpr int kRowRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;

QString NameOrId(const TPreDefinedStyleModel::TRow& row)
{
    return row.Name.empty() ? QString::number(row.ItemId) : Q(row.Name);
}

}  // namespace

TFramePreDefinedStyle::TFramePreDefinedStyle(TFrameSite& site)
{
    setObjectName("TFramePreDefinedStyle");
    TQtFrameSite::PlaceInto(site, this);
}

TFramePreDefinedStyle::~TFramePreDefinedStyle() = default;

QTreeWidget* TFramePreDefinedStyle::NewList(const char* name, const QStringList& columns)
{
    auto* list = new QTreeWidget(this);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderLabels(columns);
    list->setSortingEnabled(false);
    return list;
}

QWidget* TFramePreDefinedStyle::ListPage(const QString& label, QTreeWidget* list, QWidget* beside)
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* caption = new QLabel(label, page);
    caption->setBuddy(list);
    layout->addWidget(caption);
    if (!beside) {
        layout->addWidget(list, 1);
        return page;
    }
    auto* split = new QSplitter(Qt::Horizontal, page);
    split->addWidget(list);
    split->addWidget(beside);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    return page;
}

void TFramePreDefinedStyle::InitControls()
{
    pcStyle_ = new QTabWidget(this);
    pcStyle_->setObjectName("pcStyle");

    // "Style Values"
    auto* values = new QWidget(this);
    values->setObjectName("tabStyleValues");
    auto* form = new QFormLayout(values);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const std::pair<const char*, QString> combos[] = {{"cbMasterTemplate", tr("&Master Template:")},
                                                      {"cbColorCss", tr("&Color CSS:")},
                                                      {"cbFontCss", tr("&Font CSS:")},
                                                      {"cbBackgroundImage", tr("&Background Image:")}};
    QComboBox** targets[] = {&cbMasterTemplate_, &cbColorCss_, &cbFontCss_, &cbBackgroundImage_};
    for (std::size_t i = 0; i < std::size(combos); ++i) {
        auto* combo = new QComboBox(values);
        combo->setObjectName(combos[i].first);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        auto* label = new QLabel(combos[i].second, values);
        label->setBuddy(combo);
        form->addRow(label, combo);
        *targets[i] = combo;
        const TCombo which = static_cast<TCombo>(i);
        connect(combo, &QComboBox::activated, this, [this, which, combo](int index) {
            if (!TrackChanges || !model_ || index < 0)
                return;
            model_->Select(which, combo->itemData(index).toInt());
            SetModified();
        });
    }
    pcStyle_->addTab(values, tr("Style Values"));

    // "Load Items"
    lvLoadItems_ = NewList("lvLoadItems", {tr("ItemType"), tr("Item Name"), tr("Is Default")});
    btnSetDefault_ = new QPushButton(tr("Set &Default"), this);
    btnSetDefault_->setObjectName("btnSetDefault");
    QWidget* items = ListPage(tr("Check items you want to load"), lvLoadItems_);
    items->setObjectName("tabLoadItems");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSetDefault_);
    buttons->addStretch();
    static_cast<QVBoxLayout*>(items->layout())->addLayout(buttons);
    connect(btnSetDefault_, &QPushButton::clicked, this, [this] { SetDefault(); });
    pcStyle_->addTab(items, tr("Load Items"));

    // "Load Images"
    lvLoadImages_ = NewList("lvLoadImages", {tr("Image Name")});
    pnlImage_ = new QWidget(this);
    pnlImage_->setObjectName("pnlImage");
    auto* picture = new QVBoxLayout(pnlImage_);
    picture->setContentsMargins(0, 0, 0, 0);
    lblImageInfo_ = new QLabel(pnlImage_);
    lblImageInfo_->setObjectName("lblImageInfo");
    imgPicture_ = new QLabel(pnlImage_);
    imgPicture_->setObjectName("imgPicture");
    imgPicture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgPicture_->setMinimumSize(120, 120);
    imgPicture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    picture->addWidget(lblImageInfo_);
    picture->addWidget(imgPicture_, 1);
    tabLoadImages_ = ListPage(tr("Check images you want to load"), lvLoadImages_, pnlImage_);
    tabLoadImages_->setObjectName("tabLoadImages");
    pcStyle_->addTab(tabLoadImages_, tr("Load Images"));
    connect(lvLoadImages_, &QTreeWidget::currentItemChanged, this, [this] { ShowPicture(); });

    // The offered sheets and backgrounds.
    lvColorCss_ = NewList("lvColorCss", {tr("Color CSS Name")});
    lvFontCss_ = NewList("lvFontCss", {tr("Font CSS Name")});
    lvBackgrounds_ = NewList("lvBackgrounds", {tr("Background Image Name")});
    pcStyle_->addTab(ListPage(tr("Possible Colors"), lvColorCss_), tr("Color CSS"));
    pcStyle_->addTab(ListPage(tr("Possible fonts"), lvFontCss_), tr("Font CSS"));
    pcStyle_->addTab(ListPage(tr("Possible Backgrounds"), lvBackgrounds_), tr("Backgrounds"));

    for (TList list : {TList::Items, TList::Images, TList::Colors, TList::Fonts, TList::Backgrounds})
        connect(ListOf(list), &QTreeWidget::itemChanged, this,
                [this, list](QTreeWidgetItem* item, int column) {
                    if (column == kCheckColumn)
                        RowChecked(list, item);
                });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcStyle_);
    pcStyle_->setCurrentIndex(0);
    connect(pcStyle_, &QTabWidget::currentChanged, this, [this] { ShowPicture(); });
}

QTreeWidget* TFramePreDefinedStyle::ListOf(TList list) const
{
    switch (list) {
    case TList::Items: return lvLoadItems_;
    case TList::Images: return lvLoadImages_;
    case TList::Colors: return lvColorCss_;
    case TList::Fonts: return lvFontCss_;
    case TList::Backgrounds: return lvBackgrounds_;
    }
    return nullptr;
}

QComboBox* TFramePreDefinedStyle::ComboOf(TCombo combo) const
{
    switch (combo) {
    case TCombo::Master: return cbMasterTemplate_;
    case TCombo::Color: return cbColorCss_;
    case TCombo::Font: return cbFontCss_;
    case TCombo::Background: return cbBackgroundImage_;
    }
    return nullptr;
}

void TFramePreDefinedStyle::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    {
        const TWaitCursor wait(GetContext()->Services().Gui);
        model_ = std::make_unique<TPreDefinedStyleModel>(SiteModelContextOf(*this));
        model_->Load();
        for (TList list : {TList::Items, TList::Images, TList::Colors, TList::Fonts, TList::Backgrounds})
            FillList(list);
        for (TCombo combo : {TCombo::Master, TCombo::Color, TCombo::Font, TCombo::Background})
            FillCombo(combo);
    }
    ShowPicture();
    TrackChanges = true;
}

void TFramePreDefinedStyle::FillList(TList list)
{
    QTreeWidget* view = ListOf(list);
    view->clear();
    const std::vector<TPreDefinedStyleModel::TRow>& rows = model_->Rows(list);
    QList<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TPreDefinedStyleModel::TRow& row = rows[i];
        QStringList texts;
        if (list == TList::Items)
            texts << Q(row.TypeCaption) << NameOrId(row) << (row.IsDefault ? tr("yes") : QString());
        else
            texts << NameOrId(row);
        auto* item = new QTreeWidgetItem(texts);
        item->setData(0, kRowRole, static_cast<int>(i));
        item->setData(0, kIdRole, row.ItemId);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(kCheckColumn, row.Checked ? Qt::Checked : Qt::Unchecked);
        items << item;
    }
    view->addTopLevelItems(items);
    for (int column = 0; column + 1 < view->columnCount(); ++column)
        view->resizeColumnToContents(column);
}

void TFramePreDefinedStyle::FillCombo(TCombo combo)
{
    QComboBox* box = ComboOf(combo);
    box->clear();
    for (const TPreDefinedStyleModel::TChoice& choice : model_->Choices(combo))
        box->addItem(choice.Value == 0 ? tr("(none)") : Q(choice.Caption), choice.Value);
    box->setCurrentIndex(model_->SelectedIndex(combo));
}

void TFramePreDefinedStyle::RowChecked(TList list, QTreeWidgetItem* item)
{
    if (!TrackChanges || !model_)
        return;
    model_->SetChecked(list, item->data(0, kRowRole).toInt(), item->checkState(kCheckColumn) == Qt::Checked);
    SetModified();
}

void TFramePreDefinedStyle::SetDefault()
{
    QTreeWidgetItem* item = lvLoadItems_->currentItem();
    if (!model_ || !item)
        return;
    const int row = item->data(0, kRowRole).toInt();
    model_->ToggleDefault(row);
    const bool tracking = TrackChanges;
    TrackChanges = false;
    item->setText(2, model_->Rows(TList::Items)[row].IsDefault ? tr("yes") : QString());
    TrackChanges = tracking;
    SetModified();
}

void TFramePreDefinedStyle::ShowPicture()
{
    imgPicture_->clear();
    lblImageInfo_->clear();
    QTreeWidgetItem* item = lvLoadImages_->currentItem();
    if (!model_ || !item || pcStyle_->currentWidget() != tabLoadImages_)
        return;
    const int itemId = model_->Rows(TList::Images)[item->data(0, kRowRole).toInt()].ItemId;
    TTolvexControlClass& context = *GetContext();
    std::ostringstream bytes;
    std::int64_t size = 0;
    std::string mimeType;
    QImage image;
    if (TCommonImages::LoadImageToStream(context.GetCatalogCode(), itemId, bytes, size, mimeType,
                                         context.GetConnection())) {
        const std::string data = bytes.str();
        image.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
    }
    if (image.isNull()) {
        lblImageInfo_->setText(tr("No picture"));
        return;
    }
    lblImageInfo_->setText(tr("%1 x %2 pixels, %3 bytes").arg(image.width()).arg(image.height()).arg(size));
    QPixmap pixmap = QPixmap::fromImage(image);
    const QSize room = imgPicture_->size();
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    imgPicture_->setPixmap(pixmap);
}

void TFramePreDefinedStyle::StoreToObjects(bool /*languageSwitch*/)
{
    // The style's values are the same in every language: a language switch
    // stores them too, so that the reload in the new language keeps them.
    if (model_ && model_->IsModified())
        model_->Store();
}
