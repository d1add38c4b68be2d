#include "editors/business/products/FrameMultiColorEditor.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/products/MultiColorModel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameMultiColorEditor::TFrameMultiColorEditor(TFrameSite& site)
{
    setObjectName("TFrameMultiColorEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameMultiColorEditor::~TFrameMultiColorEditor() = default;

QString TFrameMultiColorEditor::Hex(const QColor& color)
{
    return QString::asprintf("%02X%02X%02X", color.red(), color.green(), color.blue());
}

QColor TFrameMultiColorEditor::FromHex(const QString& hex)
{
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (hex.size() != 6 || !ok)
        return {};
    return QColor(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>(value & 0xFF));
}

void TFrameMultiColorEditor::InitControls()
{
    lvColors_ = new QTreeWidget(this);
    lvColors_->setObjectName("lvColors");
    lvColors_->setRootIsDecorated(false);
    lvColors_->setColumnCount(2);
    lvColors_->setHeaderLabels({QString(), tr("RGB Value")});
    lvColors_->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    lvColors_->setColumnWidth(0, 25);
    connect(lvColors_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(lvColors_, &QTreeWidget::itemDoubleClicked, this, [this] { EditColor(); });

    btnAdd_ = new QPushButton(tr("&Add..."), this);
    btnAdd_->setObjectName("btnAddColor");
    btnEdit_ = new QPushButton(tr("&Edit..."), this);
    btnEdit_->setObjectName("btnEditColor");
    btnDelete_ = new QPushButton(tr("&Delete"), this);
    btnDelete_->setObjectName("btnDeleteColor");
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddColor(); });
    connect(btnEdit_, &QPushButton::clicked, this, [this] { EditColor(); });
    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteColor(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnEdit_);
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvColors_);
    layout->addLayout(buttons);
}

void TFrameMultiColorEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    model_ = std::make_unique<TMultiColorModel>(SiteModelContextOf(*this));
    model_->Load();
    Fill(0);
}

void TFrameMultiColorEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_)
        model_->Store();
}

void TFrameMultiColorEditor::Fill(int selectRow)
{
    lvColors_->clear();
    for (const std::string& color : model_->Colors()) {
        auto* row = new QTreeWidgetItem(lvColors_);
        QPixmap swatch(16, 16);
        const QColor value = FromHex(Q(color));
        swatch.fill(value.isValid() ? value : QColor(Qt::transparent));
        row->setIcon(0, QIcon(swatch));
        row->setText(1, Q(color));
    }
    if (selectRow >= 0 && selectRow < lvColors_->topLevelItemCount())
        lvColors_->setCurrentItem(lvColors_->topLevelItem(selectRow));
    UpdateButtons();
}

int TFrameMultiColorEditor::SelectedRow() const
{
    QTreeWidgetItem* current = lvColors_->currentItem();
    return current && current->isSelected() ? lvColors_->indexOfTopLevelItem(current) : -1;
}

void TFrameMultiColorEditor::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    btnEdit_->setEnabled(selected);
    btnDelete_->setEnabled(selected);
}

void TFrameMultiColorEditor::AddColor()
{
    const QColor chosen = QColorDialog::getColor(Qt::black, this, tr("Add Color"));
    if (!chosen.isValid())
        return;
    Fill(model_->Add(S(Hex(chosen))));
    SetModified();
}

void TFrameMultiColorEditor::EditColor()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const QColor start = FromHex(Q(model_->Colors()[static_cast<std::size_t>(row)]));
    const QColor chosen = QColorDialog::getColor(start.isValid() ? start : QColor(Qt::black), this, tr("Edit Color"));
    if (!chosen.isValid())
        return;
    model_->Change(row, S(Hex(chosen)));
    Fill(row);
    SetModified();
}

void TFrameMultiColorEditor::DeleteColor()
{
    const int row = SelectedRow();
    if (row < 0 || !CommonProcedures)
        return;
    if (CommonProcedures->Gui().AskQuestion("Do you really want to delete the color from the list?", "", true) != mrYes)
        return;
    model_->Remove(row);
    Fill(std::min(row, static_cast<int>(model_->Colors().size()) - 1));
    SetModified();
}
