#include "editors/business/fields/FrameAdditionalFieldsEdit.h"

#include "editors/business/BusinessIds.h"
#include "editors/business/TypedCellDelegate.h"
#include "editors/business/fields/AdditionalFieldsEditModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameAdditionalFieldsEdit::TFrameAdditionalFieldsEdit(TFrameSite& site)
{
    setObjectName("TFrameAdditionalFieldsEdit");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameAdditionalFieldsEdit::~TFrameAdditionalFieldsEdit() = default;

void TFrameAdditionalFieldsEdit::InitControls()
{
    sgFields_ = new QTableWidget(this);
    sgFields_->setObjectName("sgFields");
    sgFields_->setColumnCount(2);
    sgFields_->setHorizontalHeaderLabels({tr("Caption"), tr("Value")});
    sgFields_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgFields_->verticalHeader()->hide();
    sgFields_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgFields_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgFields_->setItemDelegateForColumn(1, new TTypedCellDelegate(sgFields_));
    lblNoFields_ = new QLabel(this);
    lblNoFields_->setObjectName("lblNoFields");
    lblNoFields_->setText(QString("<a href=\"fields\">%1</a>")
                              .arg(tr("You have not created any custom fields.<br>To do so go to \"Edit, Program "
                                      "Settings\" or click here.")));
    lblNoFields_->setAlignment(Qt::AlignCenter);
    lblNoFields_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgFields_);
    layout->addWidget(lblNoFields_);

    connect(lblNoFields_, &QLabel::linkActivated, this, [this] {
        GetContext()->QueueAction("Action=MainPageEditor&ItemType=" + std::to_string(business_ids::kFieldsRoot), true);
    });
    // The caption column takes no cursor: the value beside it does.
    connect(sgFields_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!filling_ && row >= 0 && column == 0)
            sgFields_->setCurrentCell(row, 1);
    });
    connect(sgFields_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || !model_ || item->column() != 1)
            return;
        model_->SetValue(item->row(), S(item->text()));
        if (TrackChanges)
            SetModified();
    });
}

void TFrameAdditionalFieldsEdit::LoadFromObjects(bool /*languageSwitch*/)
{
    filling_ = true;
    model_ = std::make_unique<TAdditionalFieldsEditModel>(SiteModelContextOf(*this));
    model_->Load();
    const auto& rows = model_->Rows();
    sgFields_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        auto* caption = new QTableWidgetItem(Q(rows[static_cast<std::size_t>(row)].Caption));
        caption->setFlags(Qt::ItemIsEnabled);
        sgFields_->setItem(row, 0, caption);
        sgFields_->setItem(row, 1, new QTableWidgetItem(Q(rows[static_cast<std::size_t>(row)].Value)));
    }
    if (!rows.empty())
        sgFields_->setCurrentCell(0, 1);
    sgFields_->setVisible(model_->HasDefinitions());
    lblNoFields_->setVisible(!model_->HasDefinitions());
    filling_ = false;
}

void TFrameAdditionalFieldsEdit::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified())
        model_->Store();
}
