#include "editors/business/services/FrameCustomTemplate.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/CommonProcedures.h"
#include "editors/business/services/CustomTemplatesModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/html/SourceTextEdit.h"
#include "generation/Templates.h"
#include "gui/UiText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;

TFrameCustomTemplate::TFrameCustomTemplate(TFrameSite& site)
{
    setObjectName("TFrameCustomTemplate");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameCustomTemplate::~TFrameCustomTemplate() = default;

void TFrameCustomTemplate::InitControls()
{
    lvTypes_ = new QListWidget(this);
    lvTypes_->setObjectName("lvTypes");
    lvTypes_->setMaximumWidth(220);
    edtTemplate_ = new TSourceTextEdit(this);
    edtTemplate_->setObjectName("edtTemplate");
    edtTemplate_->SetColouring(TSourceColouring::Xml);
    btnValidate_ = new QPushButton(tr("&Validate XML"), this);
    btnValidate_->setObjectName("btnValidateXml");
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("Template Type"), this));
    left->addWidget(lvTypes_, 1);
    left->addWidget(btnValidate_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(edtTemplate_, 1);
    connect(lvTypes_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!TrackChanges)
            return;
        KeepShown();
        TrackChanges = false;
        ShowRow(row);
        TrackChanges = true;
    });
    connect(lvTypes_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!TrackChanges || !model_)
            return;
        model_->SetUsed(static_cast<std::size_t>(lvTypes_->row(item)), item->checkState() == Qt::Checked);
        SetModified();
    });
    connect(edtTemplate_, &QsciScintilla::textChanged, this, [this] {
        if (TrackChanges)
            SetModified();
    });
    auto validate = [this] {
        if (ValidateShown())
            CommonProcedures->Gui().ShowInformation("XML correctly formatted", true);
    };
    connect(btnValidate_, &QPushButton::clicked, this, validate);
    // The editor's own menu (cut, copy, paste, delete, select all) with the check added.
    edtTemplate_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edtTemplate_, &QWidget::customContextMenuRequested, this, [this, validate](const QPoint& at) {
        std::unique_ptr<QMenu> menu(edtTemplate_->createStandardContextMenu());
        if (!menu)
            return;
        menu->addSeparator();
        QAction* check = menu->addAction(tr("Validate XML"));
        if (menu->exec(edtTemplate_->mapToGlobal(at)) == check)
            validate();
    });
}

void TFrameCustomTemplate::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TCustomTemplatesModel>(SiteModelContextOf(*this));
    model_->Load();
    const int current = lvTypes_->currentRow();
    lvTypes_->clear();
    for (const TCustomTemplatesModel::TRow& row : model_->Rows()) {
        auto* item = new QListWidgetItem(Q(row.Caption), lvTypes_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.Used ? Qt::Checked : Qt::Unchecked);
    }
    const int row = current >= 0 && current < lvTypes_->count() ? current : (lvTypes_->count() ? 0 : -1);
    lvTypes_->setCurrentRow(row);
    ShowRow(row);
    TrackChanges = true;
}

void TFrameCustomTemplate::ShowRow(int row)
{
    shownRow_ = row;
    if (model_ && row >= 0 && row < static_cast<int>(model_->Rows().size()))
        edtTemplate_->SetText(model_->Rows()[static_cast<std::size_t>(row)].Text);
    else
        edtTemplate_->SetText(TTemplates::GetDefaultCustomXsl());
}

void TFrameCustomTemplate::KeepShown()
{
    if (model_ && shownRow_ >= 0)
        model_->SetText(static_cast<std::size_t>(shownRow_), edtTemplate_->Text());
}

void TFrameCustomTemplate::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    KeepShown();
    model_->Store();
}

bool TFrameCustomTemplate::ValidateShown()
{
    const TCustomTemplatesModel::TXmlFault fault = TCustomTemplatesModel::Check(edtTemplate_->Text());
    if (!fault.Found)
        return true;
    edtTemplate_->SelectBytes(static_cast<std::size_t>(fault.Offset), 0);
    edtTemplate_->setFocus();
    ShowFrameError(GetContext()->TranslateFmt("Line $1: $2", {std::to_string(fault.Line), fault.Reason}));
    return false;
}

bool TFrameCustomTemplate::Save()
{
    if (model_ && IsModified()) {
        KeepShown();
        TCustomTemplatesModel::TXmlFault fault;
        const int row = model_->FirstFault(fault);
        if (row >= 0) {
            TrackChanges = false;
            lvTypes_->setCurrentRow(row);
            ShowRow(row);
            TrackChanges = true;
            ValidateShown();
            GetUIEditor()->SetInvalidControl(edtTemplate_);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}
