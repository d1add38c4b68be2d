#include "editors/media/templates/properties/TemplateFrameBase.h"

#include "common/MemberTypes.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/templates/properties/MakeDefaultTemplate.h"
#include "editors/media/templates/properties/TemplatePropertiesModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TTemplateFrameBase::TTemplateFrameBase(TFrameSite& site, const char* objectName, bool master) : master_(master)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TTemplateFrameBase::~TTemplateFrameBase() = default;

bool TTemplateFrameBase::VersionEditable() const { return GetUIEditor() && GetUIEditor()->GetParams() == "Styles"; }

void TTemplateFrameBase::Changed()
{
    if (TrackChanges)
        SetModified();
}

void TTemplateFrameBase::InitSharedControls()
{
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtTemplateName");
    edtName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtName_;
    edtVersion_ = new QLineEdit(this);
    edtVersion_->setObjectName("edtVersion");
    lblVersion_ = new QLabel(tr("0.1"), this);
    lblVersion_->setObjectName("lblVersion");
    lblVersion_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblItemId_ = new QLabel(this);
    lblItemId_->setObjectName("lblItemId");
    lblItemId_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnMakeDefault_ = new QPushButton(tr("Make Default"), this);
    btnMakeDefault_->setObjectName("btnMakeDefault");
    btnMakeDefault_->setToolTip(tr("Use this template for every page that has no template of its own"));

    const bool editable = VersionEditable();
    edtVersion_->setVisible(editable);
    lblVersion_->setVisible(!editable);

    form_ = new QFormLayout;
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* nameLabel = new QLabel(tr("&Name:"), this);
    nameLabel->setBuddy(edtName_);
    form_->addRow(nameLabel, edtName_);
    auto* version = new QHBoxLayout;
    version->addWidget(edtVersion_);
    version->addWidget(lblVersion_, 1);
    form_->addRow(tr("Version:"), version);
    form_->addRow(tr("Item Id:"), lblItemId_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnMakeDefault_);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    connect(edtName_, &QLineEdit::textEdited, this, [this] {
        nameEdited_ = true;
        Changed();
    });
    connect(edtVersion_, &QLineEdit::textEdited, this, [this] { Changed(); });
    connect(btnMakeDefault_, &QPushButton::clicked, this, [this] {
        MakeDefaultTemplate(*GetContext());
        SetModified();
    });
}

bool TTemplateFrameBase::LoadShared()
{
    model_ = std::make_unique<TTemplatePropertiesModel>(SiteModelContextOf(*this), master_);
    nameEdited_ = false;
    if (!model_->Load())
        return false;
    edtName_->setText(Q(model_->Name));
    edtVersion_->setText(Q(model_->Version));
    lblVersion_->setText(model_->Version.empty() ? tr("Unknown") : Q(model_->Version));
    lblItemId_->setText(QString::number(GetContext()->GetTreeItemId()));
    return true;
}

bool TTemplateFrameBase::PrepareStore()
{
    if (!model_ || !model_->Loaded() || !IsModified() || ContentLangCode().empty())
        return false;
    model_->Name = S(edtName_->text());
    if (VersionEditable())
        model_->Version = S(edtVersion_->text());
    if (nameEdited_) {
        if (std::vector<std::string>* params = GetContext()->GetParams()) {
            editor_params::SetValue(*params, "NameChanged", model_->Name);
            editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetTreeItemId()));
        }
    }
    return true;
}

void TTemplateFrameBase::SetNameEditText(const std::string& name) { edtName_->setText(Q(name)); }
