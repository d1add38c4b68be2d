#include "editors/media/templates/properties/FrameTemplatePropertiesEditor.h"

#include "common/WellKnownIds.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/templates/properties/TemplatePropertiesModel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kColorStyleSheetType = 504;
constexpr int kFontStyleSheetType = 505;
constexpr int kMostItemsOnPage = 9999;

}  // namespace

TFrameTemplatePropertiesEditor::TFrameTemplatePropertiesEditor(TFrameSite& site)
    : TTemplateFrameBase(site, "TFrameTemplatePropertiesEditor", false)
{
}

void TFrameTemplatePropertiesEditor::InitControls()
{
    InitSharedControls();
    const int itemType = GetContext()->GetItemType();
    pnlItemsOnPage_ = new QGroupBox(tr("Items On Page"), this);
    pnlItemsOnPage_->setObjectName("pnlItemsOnPage");
    chkHasPaging_ = new QCheckBox(tr("The template has paging functionality"), pnlItemsOnPage_);
    chkHasPaging_->setObjectName("chkHasPaging");
    lblItemsOnPage_ = new QLabel(tr("Items per &page:"), pnlItemsOnPage_);
    edtItemsOnPage_ = new QSpinBox(pnlItemsOnPage_);
    edtItemsOnPage_->setObjectName("edtItemsOnPage");
    edtItemsOnPage_->setRange(0, kMostItemsOnPage);
    lblItemsOnPage_->setBuddy(edtItemsOnPage_);
    chkCustomTemplate_ = new QCheckBox(tr("The template uses custom extensions"), pnlItemsOnPage_);
    chkCustomTemplate_->setObjectName("chkCustomTemplate");
    auto* panel = new QVBoxLayout(pnlItemsOnPage_);
    panel->addWidget(chkHasPaging_);
    auto* perPage = new QHBoxLayout;
    perPage->addWidget(lblItemsOnPage_);
    perPage->addWidget(edtItemsOnPage_);
    perPage->addStretch();
    panel->addLayout(perPage);
    panel->addWidget(chkCustomTemplate_);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, pnlItemsOnPage_);
    pnlItemsOnPage_->setVisible(itemType == kBodyTemplateType);
    MakeDefaultButton()->setVisible(itemType != kColorStyleSheetType && itemType != kFontStyleSheetType);

    connect(chkHasPaging_, &QCheckBox::clicked, this, [this] {
        UpdatePagingControls();
        Changed();
    });
    connect(edtItemsOnPage_, &QSpinBox::valueChanged, this, [this] { Changed(); });
    connect(chkCustomTemplate_, &QCheckBox::clicked, this, [this] { Changed(); });
}

void TFrameTemplatePropertiesEditor::UpdatePagingControls()
{
    lblItemsOnPage_->setEnabled(chkHasPaging_->isChecked());
    edtItemsOnPage_->setEnabled(chkHasPaging_->isChecked());
}

void TFrameTemplatePropertiesEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    if (LoadShared()) {
        chkHasPaging_->setChecked(Model().HasPaging);
        edtItemsOnPage_->setValue(std::stoi(Model().ItemsOnPage));
        chkCustomTemplate_->setChecked(Model().NeedCustomTemplate);
    }
    UpdatePagingControls();
    TrackChanges = true;
}

void TFrameTemplatePropertiesEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (!PrepareStore())
        return;
    Model().HasPaging = chkHasPaging_->isChecked();
    Model().ItemsOnPage = std::to_string(edtItemsOnPage_->value());
    Model().NeedCustomTemplate = chkCustomTemplate_->isChecked();
    Model().Store(VersionEditable(), "");
}
