#include "editors/site/page/FrameItemProperties.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/MemberTypes.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/page/FrameItemPropertiesModel.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/GlobalDefinition.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

}  // namespace

TFrameItemProperties::TFrameItemProperties(TFrameSite& site)
{
    setObjectName("TFrameItemProperties");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameItemProperties::~TFrameItemProperties() = default;

void TFrameItemProperties::InitControls()
{
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        connect(line, &QLineEdit::textEdited, this, [this] { Changed(); });
        return line;
    };
    edtItemPropertiesName_ = edit("edtItemPropertiesName");
    edtItemPropertiesName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtItemPropertiesName_;
    edtItemPropertiesId_ = edit("edtItemPropertiesId");
    edtItemPropertiesId_->setReadOnly(true);
    edtItemPropertiesAltFileName_ = edit("edtItemPropertiesAltFileName");
    edtItemPropertiesVersion_ = edit("edtItemPropertiesVersion");
    lblItemPropertiesType_ = new QLabel(this);
    lblItemPropertiesType_->setObjectName("lblItemPropertiesType");
    lblItemPropertiesType_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    edtItemPropertiesImageCode_ = edit("edtItemPropertiesImageCode");

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
        return label;
    };
    lblName_ = row(tr("&Name:"), edtItemPropertiesName_);
    row(tr("Item &ID:"), edtItemPropertiesId_);
    lblAltFileName_ = row(tr("&Alternative File Name:"), edtItemPropertiesAltFileName_);
    row(tr("&Version:"), edtItemPropertiesVersion_);
    form->addRow(tr("Item Type:"), lblItemPropertiesType_);
    row(tr("Image &Code:"), edtItemPropertiesImageCode_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    setTabOrder(edtItemPropertiesName_, edtItemPropertiesId_);
    setTabOrder(edtItemPropertiesId_, edtItemPropertiesAltFileName_);
    setTabOrder(edtItemPropertiesAltFileName_, edtItemPropertiesVersion_);
    setTabOrder(edtItemPropertiesVersion_, edtItemPropertiesImageCode_);
}

void TFrameItemProperties::LoadFromObjects(bool languageSwitch)
{
    TrackChanges = false;
    // The tree row is written with the save: a language switch keeps the code typed.
    const bool keepImageCode = languageSwitch && model_;
    const QString imageCode = edtItemPropertiesImageCode_->text();
    model_ = std::make_unique<TFrameItemPropertiesModel>(SiteModelContextOf(*this));
    model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    model_->Load();
    edtItemPropertiesImageCode_->setText(keepImageCode ? imageCode : Q(model_->ImageCode()));
    lblItemPropertiesType_->setText(Q(RootObject->GlobalDefinition().GetItemTypeDescription(model_->ItemType())));
    edtItemPropertiesId_->setText(QString::number(model_->ItemId()));
    // Only an item with a names and a version object has these three.
    for (QLineEdit* line : {edtItemPropertiesName_, edtItemPropertiesAltFileName_, edtItemPropertiesVersion_})
        line->setEnabled(model_->HasNames());
    edtItemPropertiesName_->setText(Q(model_->Name()));
    edtItemPropertiesAltFileName_->setText(Q(model_->AltFileName()));
    edtItemPropertiesVersion_->setText(Q(model_->Version()));
    ShowMemberTexts("ItemName", lblName_, edtItemPropertiesName_, tr("&Name:"));
    ShowMemberTexts("AltFileName", lblAltFileName_, edtItemPropertiesAltFileName_, tr("&Alternative File Name:"));
    TrackChanges = true;
}

void TFrameItemProperties::ShowMemberTexts(const std::string& member, QLabel* label, QLineEdit* edit,
                                           const QString& caption)
{
    const TFrameItemPropertiesModel::TMemberTexts texts = model_->MemberTexts(member);
    label->setText(texts.Caption.empty() ? caption : "&" + Q(texts.Caption) + ":");
    label->setToolTip(Q(texts.Hint));
    edit->setToolTip(Q(texts.Hint));
}

void TFrameItemProperties::Changed()
{
    if (!TrackChanges || !model_)
        return;
    QObject* source = sender();
    if (source == edtItemPropertiesName_)
        model_->SetName(S(edtItemPropertiesName_->text()));
    else if (source == edtItemPropertiesAltFileName_)
        model_->SetAltFileName(S(edtItemPropertiesAltFileName_->text()));
    else if (source == edtItemPropertiesVersion_)
        model_->SetVersion(S(edtItemPropertiesVersion_->text()));
    else if (source == edtItemPropertiesImageCode_)
        model_->SetImageCode(S(edtItemPropertiesImageCode_->text()));
    SetModified();
}

void TFrameItemProperties::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !model_->IsModified())
        return;
    std::string newName;
    model_->Store(&newName);
    // The stored file name holds only the characters a file name may have.
    if (edtItemPropertiesAltFileName_->text() != Q(model_->AltFileName())) {
        const bool tracking = TrackChanges;
        TrackChanges = false;
        edtItemPropertiesAltFileName_->setText(Q(model_->AltFileName()));
        TrackChanges = tracking;
    }
    if (newName.empty())
        return;
    if (std::vector<std::string>* params = GetContext()->GetParams()) {
        editor_params::SetValue(*params, "NameChanged", newName);
        editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetItemId()));
    }
}

void TFrameItemProperties::SetNameEditText(const std::string& name)
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    edtItemPropertiesName_->setText(Q(name));
    if (model_)
        model_->NameChanged(GetContext()->GetItemId(), name);
    TrackChanges = tracking;
}
