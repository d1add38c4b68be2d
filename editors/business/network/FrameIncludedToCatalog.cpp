#include "editors/business/network/FrameIncludedToCatalog.h"

#include "editors/business/ItemWrites.h"
#include "editors/business/network/IncludedToCatalogsModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "publishing/CatalogNetwork.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameIncludedToCatalog::TFrameIncludedToCatalog(TFrameSite& site)
{
    setObjectName("TFrameIncludedToCatalog");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameIncludedToCatalog::~TFrameIncludedToCatalog() = default;

void TFrameIncludedToCatalog::InitControls()
{
    const bool intermediate = GetUIEditor()->GetName() == "IncludedToCatalogsIntermediate";
    lblCaption_ = new QLabel(intermediate ? tr("List of intermediate catalogs")
                                          : tr("List of catalogs to which this catalog belongs"),
                             this);
    lblCaption_->setObjectName("lblIncludedCaption");
    lvCodes_ = new QTreeWidget(this);
    lvCodes_->setObjectName("lvCatalogCodes");
    lvCodes_->setHeaderLabels({tr("Catalog Code")});
    lvCodes_->setRootIsDecorated(false);
    lvCodes_->setSortingEnabled(true);
    lvCodes_->sortByColumn(0, Qt::AscendingOrder);
    lvCodes_->setMaximumWidth(420);
    edtNewCode_ = new QLineEdit(this);
    edtNewCode_->setObjectName("edtNewCatalogCode");
    edtNewCode_->setPlaceholderText(tr("New catalog code"));
    btnAdd_ = new QPushButton(tr("&Add"), this);
    btnAdd_->setObjectName("btnAddCatalog");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteCatalog");

    auto* entry = new QHBoxLayout;
    entry->addWidget(edtNewCode_, 1);
    entry->addWidget(btnAdd_);
    entry->addWidget(btnDelete_);
    auto* column = new QVBoxLayout;
    column->addWidget(lblCaption_);
    column->addWidget(lvCodes_, 1);
    column->addLayout(entry);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 0);
    layout->addStretch(1);

    model_ = std::make_unique<TIncludedToCatalogsModel>(SiteModelContextOf(*this), TItemWrites::Through(*GetContext()),
                                                        intermediate);
    connect(edtNewCode_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString code = Q(catalog_network::CodeCharacters(S(text), true));
        if (code != text) {
            const int kept =
                static_cast<int>(catalog_network::CodeCharacters(S(text.left(edtNewCode_->cursorPosition())), true).size());
            edtNewCode_->setText(code);
            edtNewCode_->setCursorPosition(kept);
        }
        UpdateButtons();
    });
    connect(edtNewCode_, &QLineEdit::returnPressed, this, [this] { Add(); });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { Add(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(lvCodes_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
}

void TFrameIncludedToCatalog::LoadFromObjects(bool languageSwitch)
{
    if (languageSwitch)
        return;
    model_ = std::make_unique<TIncludedToCatalogsModel>(SiteModelContextOf(*this), TItemWrites::Through(*GetContext()),
                                                        model_->Intermediate());
    model_->Load();
    ShowCodes("");
}

void TFrameIncludedToCatalog::ShowCodes(const std::string& select)
{
    lvCodes_->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const std::string& code : model_->Codes()) {
        auto* entry = new QTreeWidgetItem(lvCodes_, {Q(code)});
        if (code == select)
            selected = entry;
    }
    if (!selected && lvCodes_->topLevelItemCount() > 0)
        selected = lvCodes_->topLevelItem(0);
    if (selected)
        lvCodes_->setCurrentItem(selected);
    UpdateButtons();
}

void TFrameIncludedToCatalog::UpdateButtons()
{
    btnAdd_->setEnabled(!edtNewCode_->text().isEmpty());
    btnDelete_->setEnabled(lvCodes_->currentItem() != nullptr && !lvCodes_->selectedItems().isEmpty());
}

void TFrameIncludedToCatalog::Add()
{
    std::string added;
    const std::string error = model_->Add(S(edtNewCode_->text()), added);
    if (!error.empty()) {
        ShowFrameError(error);
        edtNewCode_->setFocus();
        return;
    }
    if (added.empty())
        return;
    edtNewCode_->clear();
    ShowCodes(added);
    SetModified();
}

void TFrameIncludedToCatalog::DeleteSelected()
{
    QTreeWidgetItem* selected = lvCodes_->currentItem();
    if (!selected || !model_->Delete(S(selected->text(0))))
        return;
    ShowCodes("");
    SetModified();
}
