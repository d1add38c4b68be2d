#include "generation/ui/frmSelectStyle.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/GlobalSettings.h"
#include "common/IniSettings.h"
#include "common/Translation.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr int kIdRole = Qt::UserRole;

QTreeWidget* MakeList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// A captioned panel of the left pane.
QWidget* Panel(const QString& caption, QWidget* content, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, panel);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    layout->addWidget(label);
    content->setParent(panel);
    layout->addWidget(content, 1);
    return panel;
}

}  // namespace

// Lets the browser show only the style preview: a link inside it is refused.
class TfrmSelectStyle::TPreviewPage : public QWebEnginePage {
public:
    TPreviewPage(TfrmSelectStyle& dialog) : QWebEnginePage(&dialog), dialog_(dialog) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        const QString address = url.toString();
        if (address == QLatin1String("about:blank") || address.contains(QLatin1String("stylepreview.jsp")))
            return true;
        dialog_.gui_.ShowError("Cannot follow the link in style preview mode");
        return false;
    }

private:
    TfrmSelectStyle& dialog_;
};

TfrmSelectStyle::TfrmSelectStyle(TTolvex& root, TCommonGui& gui, const TTranslation* translation, QWidget* parent)
    : QDialog(parent), root_(root), gui_(gui), translation_(translation)
{
    setWindowTitle(Tr("Modify Web Page Template and Style"));
    BuildLayout();
    if (QWidget* main = parent ? parent->window() : nullptr)
        setGeometry(main->geometry());
    else
        resize(980, 640);
    if (TCatalogData* data = root_.GetCatalogData())
        data->GetTransformCache().SetTransformCacheEnabled(false);
    const bool preview = root_.Settings().IniSettings().GetBool(siLoadStylesPreview, true);
    previewButton_->setChecked(preview);
    previewArea_->setVisible(preview);
}

TfrmSelectStyle::~TfrmSelectStyle()
{
    if (TCatalogData* data = root_.GetCatalogData()) {
        data->SetStylePreview(false);
        data->GetTransformCache().SetTransformCacheEnabled(true);
    }
}

void TfrmSelectStyle::BuildLayout()
{
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    colors_ = MakeList(this);
    fonts_ = MakeList(this);
    backgrounds_ = MakeList(this);

    auto* left = new QSplitter(Qt::Vertical, this);
    left->addWidget(Panel(Tr("Templates"), tree_, left));
    left->addWidget(Panel(Tr("Color Scheme"), colors_, left));
    left->addWidget(Panel(Tr("Font Scheme"), fonts_, left));
    left->addWidget(Panel(Tr("Background"), backgrounds_, left));
    left->setChildrenCollapsible(false);
    left->setSizes({400, 100, 100, 100});
    left->installEventFilter(this);
    leftPane_ = left;

    info_ = new QPlainTextEdit(this);
    info_->setReadOnly(true);
    info_->setMaximumHeight(90);
    info_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabs_ = new QTabBar(this);
    tabs_->setExpanding(false);
    browser_ = new QWebEngineView(this);
    browser_->setPage(new TPreviewPage(*this));
    previewArea_ = new QWidget(this);
    auto* previewLayout = new QVBoxLayout(previewArea_);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->setSpacing(0);
    previewLayout->addWidget(tabs_);
    previewLayout->addWidget(browser_, 1);

    auto* rightPane = new QWidget(this);
    auto* right = new QVBoxLayout(rightPane);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(info_);
    right->addWidget(previewArea_, 1);
    // Keeps the description at the top while the preview area is hidden.
    right->addStretch(0);

    auto* panes = new QSplitter(Qt::Horizontal, this);
    panes->addWidget(left);
    panes->addWidget(rightPane);
    panes->setStretchFactor(1, 1);
    panes->setSizes({260, 700});

    auto* hint = new QLabel(Tr("Click \"Ok\" to save selected webpage style."), this);
    QFont bold = hint->font();
    bold.setBold(true);
    hint->setFont(bold);
    previewButton_ = new QPushButton(Tr("Preview"), this);
    previewButton_->setCheckable(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Tr("Ok"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(Tr("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(Tr("Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmSelectStyle::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmSelectStyle::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (help_)
            help_("frmSelectStyle");
    });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(previewButton_);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panes, 1);
    layout->addLayout(bottom);

    connect(tree_, &QTreeWidget::currentItemChanged, this, &TfrmSelectStyle::StyleChanged);
    for (QTreeWidget* list : {colors_, fonts_, backgrounds_})
        connect(list, &QTreeWidget::currentItemChanged, this, &TfrmSelectStyle::ChoiceChanged);
    connect(previewButton_, &QPushButton::toggled, this, &TfrmSelectStyle::PreviewToggled);
    connect(tabs_, &QTabBar::currentChanged, this, &TfrmSelectStyle::RefreshPreview);
}

bool TfrmSelectStyle::eventFilter(QObject* watched, QEvent* event)
{
    // When the left pane is resized, the three lists get a quarter of its
    // height each (less the splitters) and the style tree the rest.
    if (watched == leftPane_ && event->type() == QEvent::Resize) {
        const int quarter = (leftPane_->height() - 3 * leftPane_->handleWidth()) / 4;
        if (quarter > 0)
            leftPane_->setSizes({leftPane_->height() - 3 * leftPane_->handleWidth() - 3 * quarter, quarter, quarter,
                                 quarter});
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSelectStyle::Setup(int mode, TAbstractDBConnection& definitionConnection, int masterTemplateId,
                            int colorScheme, int fontScheme, int backgroundImageCode)
{
    mode_ = mode;
    allowClose_ = mode != 0;
    if (mode == 0)
        setWindowTitle(Tr("Choose Initial Master Template and Style for your Website"));
    choices_ = std::make_unique<TStyleChoices>(root_, definitionConnection);
    loading_ = true;
    FillPreviewTabs();
    FillTree();
    currentStyleId_ = masterTemplateId;
    currentColor_ = std::to_string(colorScheme);
    currentFont_ = std::to_string(fontScheme);
    currentBackground_ = std::to_string(backgroundImageCode);
    SelectBestStyle(masterTemplateId);
    ShowChoices(colorScheme, fontScheme, backgroundImageCode);
    loading_ = false;
    ShowDescription();
    tree_->setFocus();
    RefreshPreview();
}

void TfrmSelectStyle::FillTree()
{
    tree_->clear();
    const std::function<void(QTreeWidgetItem*, const std::vector<TStyleChoices::TNode>&)> add =
        [&](QTreeWidgetItem* parent, const std::vector<TStyleChoices::TNode>& nodes) {
            for (const TStyleChoices::TNode& node : nodes) {
                auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
                item->setText(0, QString::fromStdString(node.Name));
                item->setData(0, kIdRole, node.ItemId);
                add(item, node.Children);
            }
        };
    add(nullptr, choices_->ReadTree());
    // Top-level nodes with children are expanded.
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        if (tree_->topLevelItem(i)->childCount() > 0)
            tree_->topLevelItem(i)->setExpanded(true);
}

void TfrmSelectStyle::SelectBestStyle(int masterTemplateId)
{
    std::vector<int> ids;
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        ids.push_back((*it)->data(0, kIdRole).toInt());
        items.push_back(*it);
    }
    if (items.empty())
        return;
    const TStyleChoices::TChosen current{std::stoi(currentColor_), std::stoi(currentFont_),
                                         std::stoi(currentBackground_)};
    const int best = choices_->FindBestStyle(ids, masterTemplateId, current);
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (ids[i] == best) {
            tree_->setCurrentItem(items[i]);
            // The style the catalog has now is drawn bold.
            QFont font = items[i]->font(0);
            font.setBold(true);
            items[i]->setFont(0, font);
            currentStyleId_ = best;
            break;
        }
}

std::optional<TStyleChoices::TStyle> TfrmSelectStyle::SelectedStyle()
{
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !choices_)
        return std::nullopt;
    return choices_->ReadStyle(item->data(0, kIdRole).toInt());
}

void TfrmSelectStyle::ShowChoices(int color, int font, int background)
{
    const bool wasLoading = loading_;
    loading_ = true;
    const std::optional<TStyleChoices::TStyle> style = SelectedStyle();
    if (style) {
        FillList(colors_, choices_->Choices(*style, TKind::Color, color), currentColor_);
        FillList(fonts_, choices_->Choices(*style, TKind::Font, font), currentFont_);
        FillList(backgrounds_, choices_->Choices(*style, TKind::Background, background), currentBackground_);
    } else {
        for (QTreeWidget* list : {colors_, fonts_, backgrounds_})
            list->clear();
    }
    loading_ = wasLoading;
}

void TfrmSelectStyle::FillList(QTreeWidget* list, const TStyleChoices::TChoiceList& choices,
                               const std::string& current)
{
    list->clear();
    for (const auto& [id, name] : choices.Entries) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, name == "(none)" && id == 0 ? Tr(name) : QString::fromStdString(name));
        item->setData(0, kIdRole, id);
        if (std::to_string(id) == current) {
            QFont font = item->font(0);
            font.setBold(true);
            item->setFont(0, font);
        }
    }
    if (choices.Selected >= 0) {
        QTreeWidgetItem* selected = list->topLevelItem(choices.Selected);
        list->setCurrentItem(selected);
        list->scrollToItem(selected);
    }
}

void TfrmSelectStyle::FillPreviewTabs()
{
    const QSignalBlocker block(tabs_);
    while (tabs_->count() > 0)
        tabs_->removeTab(0);
    previewTabs_ = choices_->ReadPreviewTabs();
    for (const TStyleChoices::TPreviewTab& tab : previewTabs_)
        tabs_->addTab(QString::fromStdString(tab.Caption));
    tabs_->setMinimumHeight(tabs_->count() > 0 ? tabs_->sizeHint().height() : 0);
    if (previewTabs_.empty())
        previewArea_->hide();
}

int TfrmSelectStyle::SelectedId(QTreeWidget* list)
{
    QTreeWidgetItem* item = list->currentItem();
    return item ? item->data(0, kIdRole).toInt() : -1;
}

void TfrmSelectStyle::ShowDescription()
{
    const std::optional<TStyleChoices::TStyle> style = SelectedStyle();
    info_->setPlainText(style ? QStringLiteral("\n") + QString::fromStdString(style->ShortComment) : QString());
}

void TfrmSelectStyle::StyleChanged()
{
    if (loading_ || !choices_)
        return;
    ShowDescription();
    // A choice survives a change of style when the new style offers it.
    ShowChoices(std::max(SelectedId(colors_), 0), std::max(SelectedId(fonts_), 0),
                std::max(SelectedId(backgrounds_), 0));
    RefreshPreview();
}

void TfrmSelectStyle::ChoiceChanged()
{
    if (loading_)
        return;
    QTreeWidgetItem* style = tree_->currentItem();
    const int styleId = style ? style->data(0, kIdRole).toInt() : 0;
    if (styleId != lastPreviewStyle_ || SelectedId(colors_) != lastPreviewColor_ ||
        SelectedId(fonts_) != lastPreviewFont_ || SelectedId(backgrounds_) != lastPreviewBackground_)
        RefreshPreview();
}

void TfrmSelectStyle::PreviewToggled(bool down)
{
    root_.Settings().IniSettings().SetBool(siLoadStylesPreview, down);
    previewArea_->setVisible(down && !previewTabs_.empty());
    RefreshPreview();
}

void TfrmSelectStyle::RefreshPreview()
{
    if (!previewButton_->isChecked() || closing_ || loading_ || !choices_)
        return;
    if (TCatalogData* data = root_.GetCatalogData())
        data->SetStylePreview(false);
    const std::optional<TStyleChoices::TStyle> style = SelectedStyle();
    if (!style)
        return;
    info_->setPlainText(QStringLiteral("\n") + QString::fromStdString(style->ShortComment));
    const int tab = tabs_->currentIndex();
    if (tab < 0 || tab >= static_cast<int>(previewTabs_.size())) {
        browser_->hide();
        return;
    }
    lastPreviewStyle_ = style->ItemId;
    lastPreviewColor_ = SelectedId(colors_);
    lastPreviewFont_ = SelectedId(fonts_);
    lastPreviewBackground_ = SelectedId(backgrounds_);
    const TStyleChoices::TChosen chosen{std::max(lastPreviewColor_, 0), std::max(lastPreviewFont_, 0),
                                        std::max(lastPreviewBackground_, 0)};
    const std::string address = choices_->GeneratePreview(*style, chosen, previewTabs_[tab], mode_);
    ++previewCount_;
    browser_->setVisible(!address.empty());
    if (address.empty())
        return;
    const QUrl url(QString::fromStdString(address));
    // The same address may carry a new page (another style with the same sheets).
    if (browser_->url() == url)
        browser_->reload();
    else
        browser_->load(url);
}

bool TfrmSelectStyle::Execute()
{
    return exec() == QDialog::Accepted;
}

void TfrmSelectStyle::CollectSelection(std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                                       std::vector<std::string>& params)
{
    itemIds.clear();
    defaultTemplateIds.clear();
    params.clear();
    const std::optional<TStyleChoices::TStyle> style = SelectedStyle();
    if (!style)
        return;
    choices_->CollectSelection(*style, SelectedId(colors_), SelectedId(fonts_), SelectedId(backgrounds_), itemIds,
                               defaultTemplateIds, params);
}

void TfrmSelectStyle::accept()
{
    allowClose_ = true;
    closing_ = true;
    QDialog::accept();
}

void TfrmSelectStyle::reject()
{
    if (MayClose()) {
        closing_ = true;
        QDialog::reject();
    }
}

void TfrmSelectStyle::closeEvent(QCloseEvent* event)
{
    if (closing_ || MayClose()) {
        closing_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool TfrmSelectStyle::MayClose()
{
    if (allowClose_)
        return true;
    return gui_.AskQuestion("You cannot continue without applying style. Do you want to close the catalog?", "",
                            true, "", mbYesNo) == mrYes;
}

QString TfrmSelectStyle::Tr(const std::string& text) const
{
    return QString::fromStdString(translation_ ? translation_->Translate(text) : text);
}
