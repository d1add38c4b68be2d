#include "editors/site/page/PagePropertiesFrameBase.h"

#include "common/MemberTypes.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ItemEditorContainer.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/page/PagePropertiesModel.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TPagePropertiesFrameBase::TPagePropertiesFrameBase(TFrameSite& site, const char* objectName, const QString& nameCaption)
    : nameCaption_(nameCaption)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TPagePropertiesFrameBase::~TPagePropertiesFrameBase() = default;

std::unique_ptr<TPagePropertiesModel> TPagePropertiesFrameBase::NewModel()
{
    std::unique_ptr<TPagePropertiesModel> model = CreateModel(SiteModelContextOf(*this));
    model->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    return model;
}

void TPagePropertiesFrameBase::InitControls()
{
    model_ = NewModel();
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName("edtName");
    edtName_->setMaxLength(kMaxShortTextLength);
    NameEdit = edtName_;
    edtAltFileName_ = new QLineEdit(this);
    edtAltFileName_->setObjectName("edtAltFileName");
    lblPageUrl_ = new QLabel(this);
    lblPageUrl_->setObjectName("lblPageUrl");
    lblPageUrl_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chkVisible_ = new QCheckBox(tr("&Visible Page"), this);
    chkVisible_->setObjectName("chkVisible");
    chkVisible_->setVisible(model_->ShowsVisibleBox());

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(widget);
        form->addRow(label, widget);
    };
    row(nameCaption_, edtName_);
    row(tr("&Alternative Page File Name:"), edtAltFileName_);
    form->addRow(tr("Page URL:"), lblPageUrl_);
    form->addRow(QString(), chkVisible_);
    AddRows(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    setTabOrder(edtName_, edtAltFileName_);
    setTabOrder(edtAltFileName_, chkVisible_);

    connect(edtName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_->SetName(S(text));
        ShowNameInCaption();
        Changed();
    });
    connect(edtAltFileName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_->SetAltFileName(S(text));
        // The model keeps only what a file name may hold; the edit shows it.
        if (Q(model_->AltFileName()) != text) {
            const int cursor = edtAltFileName_->cursorPosition();
            edtAltFileName_->setText(Q(model_->AltFileName()));
            edtAltFileName_->setCursorPosition(std::min<int>(cursor, edtAltFileName_->text().size()));
        }
        Changed();
    });
    connect(chkVisible_, &QCheckBox::toggled, this, [this](bool visible) {
        if (!TrackChanges)
            return;
        model_->SetVisible(visible);
        Changed();
    });
}

void TPagePropertiesFrameBase::LoadFromObjects(bool languageSwitch)
{
    TrackChanges = false;
    std::unique_ptr<TPagePropertiesModel> earlier = std::move(model_);
    model_ = NewModel();
    model_->Load();
    if (languageSwitch && earlier)
        model_->KeepPendingVisibility(*earlier);
    edtName_->setText(Q(model_->Name()));
    edtAltFileName_->setText(Q(model_->AltFileName()));
    chkVisible_->setChecked(model_->IsVisible());
    ShowUrl();
    LoadRows();
    TrackChanges = true;
}

void TPagePropertiesFrameBase::ShowUrl()
{
    lblPageUrl_->setText(model_->PageUrl().empty() ? tr("(not published)") : Q(model_->PageUrl()));
}

void TPagePropertiesFrameBase::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    StoreRows();
    std::string newName;
    model_->Store(&newName);
    if (!newName.empty()) {
        if (std::vector<std::string>* params = GetContext()->GetParams()) {
            editor_params::SetValue(*params, "NameChanged", newName);
            editor_params::SetValue(*params, "NameChangedItemId", std::to_string(RenamedItemId()));
        }
    }
    ShowUrl();
}

bool TPagePropertiesFrameBase::Save()
{
    // A new page is checked even untouched: it may have come without a name.
    if (model_ && (IsModified() || GetContext()->IsNewItem())) {
        TPagePropertiesModel::TInvalid invalid = TPagePropertiesModel::ivNone;
        const std::string error = model_->Validate(&invalid);
        if (!error.empty()) {
            ShowFrameError(error);
            if (invalid == TPagePropertiesModel::ivName)
                GetUIEditor()->SetInvalidControl(edtName_);
            else if (invalid == TPagePropertiesModel::ivAltFileName)
                GetUIEditor()->SetInvalidControl(edtAltFileName_);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}

void TPagePropertiesFrameBase::AfterSave()
{
    if (model_)
        model_->Saved();
}

void TPagePropertiesFrameBase::SetNameEditText(const std::string& name)
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    edtName_->setText(Q(name));
    if (model_) {
        model_->NameChanged(GetContext()->GetItemId(), name);
        model_->ApplyNameToObjects();
    }
    TrackChanges = tracking;
}

void TPagePropertiesFrameBase::ShowNameInCaption()
{
    model_->ApplyNameToObjects();
    if (TTolvexUIEditor* editor = GetUIEditor())
        if (TItemEditorContainer* container = editor->GetContainer())
            container->RefreshCaption();
}

void TPagePropertiesFrameBase::Changed()
{
    if (TrackChanges)
        SetModified();
}
