#include "editors/media/templates/reports/FrameReportTemplate.h"

#include "catalog/InternalPluginsManager.h"
#include "common/MemberTypes.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/reports/FrameReportCustomization.h"
#include "editors/media/templates/reports/ReportTemplateModel.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/SiteTabsEditor.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

namespace {

const TFrameClassOf<TFrameReportTemplate> kReportTemplateFrame("", "TFrameReportTemplate");
const TFrameClassOf<TFrameReportCustomization> kReportCustomizationFrame("", "TFrameReportCustomization");

}  // namespace

void RegisterReportEditors(TInternalPluginsManager& registry)
{
    const std::vector<TSiteTabsEditor::TTab> tabs = {
        {"Report Template", "ReportTemplate-basic", &kReportTemplateFrame, {}}};
    registry.RegisterBuiltinClass("TReportTemplateEditor", [tabs](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, tabs, std::set<int>{0, 1, 3, 4}, false));
    });
    // A report form: one tab, the form page.
    const std::vector<TSiteTabsEditor::TTab> form = {
        {"Customize Report", "Report-customize", &kReportCustomizationFrame, {}}};
    registry.RegisterBuiltinClass("TReportCustomizationEditor", [form](const std::string& name,
                                                                       const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, form, std::set<int>{0, 1, 3, 4}, true));
    });
}

TFrameReportTemplate::TFrameReportTemplate(TFrameSite& site)
{
    setObjectName("TFrameReportTemplate");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameReportTemplate::~TFrameReportTemplate() = default;

void TFrameReportTemplate::InitControls()
{
    edtReportTemplateName_ = new QLineEdit(this);
    edtReportTemplateName_->setObjectName("edtReportTemplateName");
    edtReportTemplateName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtReportTemplateName_;
    lblItemId_ = new QLabel(this);
    lblItemId_->setObjectName("lblReportItemId");
    lblItemId_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblVersion_ = new QLabel(tr("(Unknown)"), this);
    lblVersion_->setObjectName("lblReportTemplateVersion");
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* nameLabel = new QLabel(tr("Report &Name:"), this);
    nameLabel->setBuddy(edtReportTemplateName_);
    form->addRow(nameLabel, edtReportTemplateName_);
    form->addRow(tr("Report Item Id:"), lblItemId_);
    form->addRow(tr("Report Template Version:"), lblVersion_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    connect(edtReportTemplateName_, &QLineEdit::textEdited, this, [this] {
        if (TrackChanges)
            SetModified();
    });
}

void TFrameReportTemplate::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TReportTemplateModel>(SiteModelContextOf(*this));
    model_->Load();
    edtReportTemplateName_->setText(Q(model_->Name()));
    lblItemId_->setText(QString::number(model_->ItemId()));
    lblVersion_->setText(Q(model_->Version()));
    TrackChanges = true;
}

void TFrameReportTemplate::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    model_->SetName(S(edtReportTemplateName_->text()));
    if (!model_->Store())
        return;
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", model_->Name());
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetItemId()));
    }
}

void TFrameReportTemplate::SetNameEditText(const std::string& name)
{
    edtReportTemplateName_->setText(Q(name));
}
