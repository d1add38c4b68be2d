#include "editors/site/options/FrameInitEditor.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/options/FrameInitEditorModel.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

constexpr int kReloadLanguages = 1;

QComboBox* ChoiceCombo(QWidget* parent, const char* name, const TFrameInitEditorModel::TChoices& choices)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    // The small window is not widened by the longest country name.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    combo->setPlaceholderText(QObject::tr("(not chosen)"));
    for (const auto& [caption, code] : choices)
        combo->addItem(Q(caption), Q(code));
    return combo;
}

// A code that is not listed shows an empty choice (and is kept as it is).
void Select(QComboBox* combo, const std::string& code)
{
    combo->setCurrentIndex(combo->findData(Q(code), Qt::UserRole, Qt::MatchFixedString));
}

}  // namespace

TFrameInitEditor::TFrameInitEditor(TFrameSite& site)
{
    setObjectName("TFrameInitEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameInitEditor::~TFrameInitEditor() = default;

void TFrameInitEditor::InitControls()
{
    edtInitCompanyName_ = new QLineEdit(this);
    edtInitCompanyName_->setObjectName("edtInitCompanyName");
    cbInitCountry_ = ChoiceCombo(this, "cbInitCountry", TFrameInitEditorModel::CountryChoices());
    cbInitDefaultCurrency_ =
        ChoiceCombo(this, "cbInitDefaultCurrency", TFrameInitEditorModel::CurrencyChoices());
    cbInitCatalogLanguage_ =
        ChoiceCombo(this, "cbInitCatalogLanguage", TFrameInitEditorModel::LanguageChoices());

    auto* intro = new QLabel(tr("Tell us a few things about your business to start the catalog."), this);
    intro->setWordWrap(true);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto row = [&](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(tr("Company &Name:"), edtInitCompanyName_);
    row(tr("C&ountry:"), cbInitCountry_);
    row(tr("Default &Currency:"), cbInitDefaultCurrency_);
    row(tr("Catalog &Language:"), cbInitCatalogLanguage_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addStretch();
    setTabOrder(edtInitCompanyName_, cbInitCountry_);
    setTabOrder(cbInitCountry_, cbInitDefaultCurrency_);
    setTabOrder(cbInitDefaultCurrency_, cbInitCatalogLanguage_);

    connect(edtInitCompanyName_, &QLineEdit::textEdited, this, [this] { ControlsChanged(); });
    for (QComboBox* combo : {cbInitCountry_, cbInitDefaultCurrency_, cbInitCatalogLanguage_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { ControlsChanged(); });

    // OK is the only way out, and it saves what is shown.
    GetContext()->SetCancelVisible(false);
}

void TFrameInitEditor::LoadFromObjects(bool languageSwitch)
{
    if (languageSwitch && model_)
        return;
    TrackChanges = false;
    model_ = std::make_unique<TFrameInitEditorModel>(SiteModelContextOf(*this));
    model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    model_->Load();
    languagesStored_ = false;
    edtInitCompanyName_->setText(Q(model_->CompanyName()));
    Select(cbInitCountry_, model_->Country());
    Select(cbInitDefaultCurrency_, model_->Currency());
    Select(cbInitCatalogLanguage_, model_->Language());
    TrackChanges = true;
    // The shown values are saved even when nothing is touched.
    SetModified();
}

void TFrameInitEditor::ControlsChanged()
{
    if (!TrackChanges || !model_)
        return;
    model_->SetCompanyName(S(edtInitCompanyName_->text()));
    model_->SetCountry(S(cbInitCountry_->currentData().toString()));
    model_->SetCurrency(S(cbInitDefaultCurrency_->currentData().toString()));
    model_->SetLanguage(S(cbInitCatalogLanguage_->currentData().toString()));
    SetModified();
}

void TFrameInitEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->Store())
        languagesStored_ = true;
}

bool TFrameInitEditor::Save()
{
    const bool saved = TTolvexFrameEditor::Save();
    if (saved && languagesStored_)
        GetContext()->AddRefreshFlag(kReloadLanguages);
    return saved;
}
