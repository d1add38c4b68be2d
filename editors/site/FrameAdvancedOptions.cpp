#include "editors/site/options/FrameAdvancedOptions.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/options/FrameAdvancedOptionsModel.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/page/TransitionEffects.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

QComboBox* EffectCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto& [caption, value] : TTransitionEffects::Effects())
        combo->addItem(UiText::Tr(caption), value);
    return combo;
}

// Offers the time words, translated as the model reads them back; any number
// of seconds may be typed.
QComboBox* TimeCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& word : TTransitionEffects::TimeWords())
        combo->addItem(UiText::Tr(word));
    return combo;
}

void SelectEffect(QComboBox* combo, int value)
{
    combo->setCurrentIndex(std::max(0, combo->findData(value)));
}

}  // namespace

TFrameAdvancedOptions::TFrameAdvancedOptions(TFrameSite& site)
{
    setObjectName("TFrameAdvancedOptions");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameAdvancedOptions::~TFrameAdvancedOptions() = default;

void TFrameAdvancedOptions::InitControls()
{
    cbChat_ = new QComboBox(this);
    cbChat_->setObjectName("cbChat");
    cbChat_->addItem(tr("None"));
    cbChat_->addItem("BoldChat");
    edtChatId_ = new QLineEdit(this);
    edtChatId_->setObjectName("edtChatId");
    cbEnterEffect_ = EffectCombo(this, "cbEnterEffect");
    cbEnterTime_ = TimeCombo(this, "cbEnterTime");
    cbExitEffect_ = EffectCombo(this, "cbExitEffect");
    cbExitTime_ = TimeCombo(this, "cbExitTime");

    auto* chat = new QGroupBox(tr("Live Chat"), this);
    auto* chatForm = new QFormLayout(chat);
    chatForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    chatForm->addRow(tr("&Service:"), cbChat_);
    chatForm->addRow(tr("Chat &ID:"), edtChatId_);
    auto* effects = new QGroupBox(tr("Page Transition Effects"), this);
    auto* effectsForm = new QFormLayout(effects);
    effectsForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    effectsForm->addRow(tr("&Entering a page:"), cbEnterEffect_);
    effectsForm->addRow(tr("Enter &time:"), cbEnterTime_);
    effectsForm->addRow(tr("&Leaving a page:"), cbExitEffect_);
    effectsForm->addRow(tr("E&xit time:"), cbExitTime_);
    for (QFormLayout* form : {chatForm, effectsForm})
        for (int row = 0; row < form->rowCount(); ++row)
            if (auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget()))
                label->setBuddy(form->itemAt(row, QFormLayout::FieldRole)->widget());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chat);
    layout->addWidget(effects);
    layout->addStretch();

    connect(cbChat_, &QComboBox::currentIndexChanged, this, [this] { ControlsChanged(); });
    connect(edtChatId_, &QLineEdit::textEdited, this, [this] { ControlsChanged(); });
    for (QComboBox* combo : {cbEnterEffect_, cbExitEffect_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { ControlsChanged(); });
    for (QComboBox* combo : {cbEnterTime_, cbExitTime_})
        connect(combo, &QComboBox::currentTextChanged, this, [this] { ControlsChanged(); });
}

void TFrameAdvancedOptions::LoadFromObjects(bool languageSwitch)
{
    if (languageSwitch && model_)
        return;
    TrackChanges = false;
    model_ = std::make_unique<TFrameAdvancedOptionsModel>(SiteModelContextOf(*this));
    model_->Load();
    const TFrameAdvancedOptionsModel::TValues& values = model_->Values();
    cbChat_->setCurrentIndex(values.BoldChat ? 1 : 0);
    edtChatId_->setText(Q(values.ChatId));
    edtChatId_->setEnabled(model_->IsChatIdEnabled());
    SelectEffect(cbEnterEffect_, values.Enter);
    SelectEffect(cbExitEffect_, values.Exit);
    cbEnterTime_->setCurrentText(Q(values.EnterTime));
    cbExitTime_->setCurrentText(Q(values.ExitTime));
    TrackChanges = true;
}

void TFrameAdvancedOptions::ControlsChanged()
{
    if (!TrackChanges || !model_)
        return;
    TFrameAdvancedOptionsModel::TValues values;
    values.BoldChat = cbChat_->currentIndex() == 1;
    values.ChatId = S(edtChatId_->text());
    values.Enter = cbEnterEffect_->currentData().toInt();
    values.Exit = cbExitEffect_->currentData().toInt();
    values.EnterTime = S(cbEnterTime_->currentText());
    values.ExitTime = S(cbExitTime_->currentText());
    model_->SetValues(values);
    edtChatId_->setEnabled(model_->IsChatIdEnabled());
    if (!model_->IsChatIdEnabled() && !edtChatId_->text().isEmpty()) {
        TrackChanges = false;
        edtChatId_->clear();
        TrackChanges = true;
    }
    SetModified();
}

void TFrameAdvancedOptions::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified())
        model_->Store();
}
