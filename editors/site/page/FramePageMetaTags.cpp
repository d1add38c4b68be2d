#include "editors/site/page/FramePageMetaTags.h"

#include "common/CaptionValue.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/page/FramePageMetaTagsModel.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/page/TransitionEffects.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"
#include "storage/References.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <map>

using UiText::Q;
using UiText::S;
using UiText::Tr;
using TModel = TFramePageMetaTagsModel;

namespace {

const char* const kGroupCaptions[] = {"Basic", "Document", "Languages", "Search Engine", "Effects", "Other"};

// The reference list of each member chosen from one.
const std::map<std::string, int>& ReferenceLists()
{
    static const std::map<std::string, int> lists{
        {"Class", 1}, {"Rights", 2},        {"CacheControl", 3},    {"Rating", 4},  {"State", 5},   {"Distribution", 6},
        {"Type", 7},  {"Classification", 8}, {"Robot", 9},          {"Dialect", 10}, {"Charset", 11}};
    return lists;
}

// The captions of the fields; other members are captioned by their words.
const std::map<std::string, const char*>& Captions()
{
    static const std::map<std::string, const char*> captions{
        {"MetaDescription", "Description"},
        {"MetaKeywords", "Keywords"},
        {"UseParentKeywords", "Parent's keywords"},
        {"Class", "Document class"},
        {"Rights", "Document rights"},
        {"Type", "Document type"},
        {"State", "Document state"},
        {"CacheControl", "Cache control"},
        {"Robot", "Robot searching"},
        {"Revisit", "Revisit every (days)"},
        {"AtomzAbstract", "Abstract"},
        {"AtomzTarget", "Target"},
        {"LanguageOther", "Other language"},
        {"CharsetOther", "Other charset"},
        {"DialectOther", "Other dialect"},
        {"CharsetWindowTarget", "Window target"},
        {"Enter", "Enter Effect"},
        {"Exit", "Exit Effect"},
        {"EnterTime", "Enter Time"},
        {"ExitTime", "Exit Time"},
        {"Refresh", "Refresh after, seconds"},
        {"RefreshURL", "Refresh URL"},
        {"ReferalURL", "Referral URL"},
        {"ReferalGenerator", "Generator"},
        {"ReferalPragma", "Pragma: no-cache"},
    };
    return captions;
}

// "AuthorEmail" -> "Author Email": the caption of a member without one of its own.
QString Caption(const std::string& member)
{
    if (const auto found = Captions().find(member); found != Captions().end())
        return Tr(found->second);
    QString caption;
    for (std::size_t i = 0; i < member.size(); ++i) {
        const char c = member[i];
        if (i > 0 && c >= 'A' && c <= 'Z' && member[i - 1] >= 'a' && member[i - 1] <= 'z')
            caption += ' ';
        caption += QChar(c);
    }
    return Tr(S(caption));
}

bool IsBoolean(const std::string& member)
{
    return member == "CharsetWindowTarget" || member == "ReferalGenerator" || member == "ReferalPragma";
}

QDateTime ToQt(const TModel::TDateTime& value)
{
    return QDateTime(QDate(value.Year, value.Month, value.Day), QTime(value.Hour, value.Minute, value.Second));
}

TModel::TDateTime FromQt(const QDateTime& value)
{
    const QDate day = value.date();
    const QTime time = value.time();
    return {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()};
}

}  // namespace

TFramePageMetaTags::TFramePageMetaTags(TFrameSite& site)
{
    setObjectName("TFramePageMetaTags");
    TQtFrameSite::PlaceInto(site, this);
}

TFramePageMetaTags::~TFramePageMetaTags() = default;

TFramePageMetaTags::TKind TFramePageMetaTags::KindOf(const std::string& member)
{
    if (member == "MetaKeywords" || member == "MetaDescription" || member == "AtomzAbstract")
        return ckMemo;
    if (IsBoolean(member))
        return ckCheck;
    if (member == "Revisit" || member == "EnterTime" || member == "ExitTime")
        return ckEditableChoice;
    if (ReferenceLists().count(member) || member == "Language" || member == "Enter" || member == "Exit" ||
        member == "UseParentKeywords")
        return ckChoice;
    return ckEdit;
}

void TFramePageMetaTags::InitControls()
{
    TrackChanges = false;
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("pcMetaTags");
    parentBoxes_.assign(TModel::mgGroupCount, nullptr);
    for (int group = 0; group < TModel::mgGroupCount; ++group)
        AddGroupPage(*tabs_, group);
    tabs_->setCurrentIndex(TModel::mgBasic);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    TrackChanges = true;
}

void TFramePageMetaTags::AddGroupPage(QTabWidget& tabs, int group)
{
    auto* page = new QWidget(&tabs);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    if (model_->ShowsParentBoxes()) {
        auto* parent = new QCheckBox(Tr("Use parent's properties"), page);
        parent->setObjectName(QString("chkUseParent%1").arg(group));
        form->addRow(QString(), parent);
        parentBoxes_[group] = parent;
        connect(parent, &QCheckBox::toggled, this, [this, group](bool checked) {
            if (!TrackChanges)
                return;
            model_->SetUseParent(static_cast<TModel::TGroup>(group), checked);
            ShowValues();
            SetModified();
        });
    }
    for (const std::string& member : TModel::Members(static_cast<TModel::TGroup>(group))) {
        const TKind kind = KindOf(member);
        QWidget* control = MakeControl(*page, group, member, kind);
        if (kind == ckCheck) {
            form->addRow(QString(), control);
            continue;
        }
        auto* label = new QLabel(Caption(member) + ":", page);
        label->setBuddy(control);
        form->addRow(label, control);
    }
    if (group == TModel::mgOther)
        AddExpiryRows(*page, *form);
    auto* column = new QVBoxLayout(page);
    column->addLayout(form);
    column->addStretch();
    tabs.addTab(page, Tr(kGroupCaptions[group]));
}

QWidget* TFramePageMetaTags::MakeControl(QWidget& page, int group, const std::string& member, TKind kind)
{
    QWidget* control = nullptr;
    switch (kind) {
    case ckMemo: {
        auto* memo = new QPlainTextEdit(&page);
        memo->setTabChangesFocus(true);
        memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 5);
        connect(memo, &QPlainTextEdit::textChanged, this,
                [this, group, member, memo] { ValueChanged(group, member, S(memo->toPlainText())); });
        control = memo;
        break;
    }
    case ckChoice:
    case ckEditableChoice: {
        auto* combo = new QComboBox(&page);
        combo->setEditable(kind == ckEditableChoice);
        FillChoices(*combo, member);
        if (kind == ckChoice)
            connect(combo, &QComboBox::currentIndexChanged, this, [this, group, member, combo] {
                ValueChanged(group, member, S(ControlOperations::GetComboBoxValue(combo)));
            });
        else
            connect(combo, &QComboBox::currentTextChanged, this,
                    [this, group, member](const QString& text) { ValueChanged(group, member, S(text)); });
        control = combo;
        break;
    }
    case ckCheck: {
        auto* box = new QCheckBox(Caption(member), &page);
        connect(box, &QCheckBox::toggled, this,
                [this, group, member](bool checked) { ValueChanged(group, member, checked ? "1" : "0"); });
        control = box;
        break;
    }
    case ckEdit: {
        auto* edit = new QLineEdit(&page);
        connect(edit, &QLineEdit::textEdited, this,
                [this, group, member](const QString& text) { ValueChanged(group, member, S(text)); });
        control = edit;
        break;
    }
    }
    control->setObjectName(Q((kind == ckCheck ? "chk" : kind == ckEdit ? "edt" : kind == ckMemo ? "mem" : "cmb") +
                             member));
    values_.push_back({group, member, kind, control});
    return control;
}

void TFramePageMetaTags::FillChoices(QComboBox& combo, const std::string& member)
{
    std::vector<std::string> entries;
    if (const auto list = ReferenceLists().find(member); list != ReferenceLists().end())
        GetContext()->GetReferences().FillReferenceList(list->second, entries, true, "EN");
    else if (member == "Language")
        GetContext()->GetReferences().FillLanguages(entries);
    else if (member == "Enter" || member == "Exit")
        for (const auto& [caption, number] : TTransitionEffects::Effects())
            entries.push_back(caption + "===" + std::to_string(number));
    else if (member == "UseParentKeywords")
        entries = {"Include the parent's keywords===0", "Do not include the parent's keywords===1"};
    else if (member == "Revisit")
        for (const char* days : {"1", "3", "5", "7", "15", "30", "60", "90", "180"})
            combo.addItem(days);
    else
        for (const std::string& word : TTransitionEffects::TimeWords())
            combo.addItem(Tr(word));
    for (const std::string& entry : entries)
        ControlOperations::AddComboBoxItem(&combo, Tr(CaptionValue::CaptionOf(entry)),
                                           Q(CaptionValue::ValueOf(entry)));
}

void TFramePageMetaTags::ValueChanged(int group, const std::string& member, const std::string& text)
{
    if (!TrackChanges)
        return;
    model_->SetValue(static_cast<TModel::TGroup>(group), member, text);
    // A choice may have emptied its "Other" text, or the other way round.
    ShowValues();
    SetModified();
}

std::string TFramePageMetaTags::TextOf(const TValueControl& value) const
{
    return model_->Value(static_cast<TModel::TGroup>(value.Group), value.Member);
}

void TFramePageMetaTags::ShowValue(const TValueControl& value)
{
    const QString text = Q(TextOf(value));
    switch (value.Kind) {
    case ckEdit:
        if (auto* edit = static_cast<QLineEdit*>(value.Control); edit->text() != text)
            edit->setText(text);
        break;
    case ckMemo:
        if (auto* memo = static_cast<QPlainTextEdit*>(value.Control); memo->toPlainText() != text)
            memo->setPlainText(text);
        break;
    case ckChoice: {
        auto* combo = static_cast<QComboBox*>(value.Control);
        // A page with no keyword choice includes the parent's keywords.
        const QString shown = text.isEmpty() && value.Member == "UseParentKeywords" ? QString("0") : text;
        ControlOperations::SelectComboBoxValue(combo, shown, -1);
        break;
    }
    case ckEditableChoice:
        if (auto* combo = static_cast<QComboBox*>(value.Control); combo->currentText() != text)
            combo->setCurrentText(text);
        break;
    case ckCheck:
        static_cast<QCheckBox*>(value.Control)->setChecked(text == "1");
        break;
    }
}

void TFramePageMetaTags::ShowValues()
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    for (int group = 0; group < TModel::mgGroupCount; ++group)
        if (parentBoxes_[group])
            parentBoxes_[group]->setChecked(model_->UsesParent(static_cast<TModel::TGroup>(group)));
    for (const TValueControl& value : values_) {
        ShowValue(value);
        const auto group = static_cast<TModel::TGroup>(value.Group);
        bool enabled = model_->IsEditable(group);
        if (value.Member == "Charset" || value.Member == "CharsetOther")
            enabled = model_->IsCharsetEnabled();
        value.Control->setEnabled(enabled);
    }
    ShowExpiry();
    TrackChanges = tracking;
}

void TFramePageMetaTags::AddExpiryRows(QWidget& page, QFormLayout& form)
{
    chkExpires_ = new QCheckBox(Tr("Expires"), &page);
    chkExpires_->setObjectName("chkExpires");
    rbAbsolute_ = new QRadioButton(Tr("Absolute date/time"), &page);
    rbAbsolute_->setObjectName("rbExpiresAbsolute");
    rbRfc850_ = new QRadioButton(Tr("RFC850 format"), &page);
    rbRfc850_->setObjectName("rbExpiresRfc850");
    auto* choices = new QButtonGroup(&page);
    choices->addButton(rbAbsolute_);
    choices->addButton(rbRfc850_);
    rbAbsolute_->setChecked(true);
    // The picker starts at the current date and time.
    dtExpires_ = new QDateTimeEdit(QDateTime::currentDateTime(), &page);
    dtExpires_->setObjectName("dtExpires");
    dtExpires_->setDisplayFormat("dd/MM/yyyy HH:mm:ss");
    dtExpires_->setCalendarPopup(true);
    edtExpires_ = new QLineEdit(&page);
    edtExpires_->setObjectName("edtExpiresRfc850");
    edtExpires_->setPlaceholderText("Saturday, 01-Jan-00 10:30:00 GMT");
    form.addRow(QString(), chkExpires_);
    form.addRow(rbAbsolute_, dtExpires_);
    form.addRow(rbRfc850_, edtExpires_);

    connect(chkExpires_, &QCheckBox::toggled, this, [this] { ExpiryChosen(); });
    connect(rbAbsolute_, &QRadioButton::toggled, this, [this] { ExpiryChosen(); });
    connect(dtExpires_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        if (!TrackChanges)
            return;
        model_->SetExpiryDate(FromQt(value));
        SetModified();
    });
    connect(edtExpires_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_->SetExpiryText(S(text));
        SetModified();
    });
}

void TFramePageMetaTags::ExpiryChosen()
{
    if (!TrackChanges)
        return;
    if (!chkExpires_->isChecked())
        model_->SetExpiry(TModel::exNone);
    else
        model_->SetExpiry(rbRfc850_->isChecked() ? TModel::exRfc850 : TModel::exAbsolute);
    ShowExpiry();
    SetModified();
}

void TFramePageMetaTags::ShowExpiry()
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    const TModel::TExpiry expiry = model_->Expiry();
    chkExpires_->setChecked(expiry != TModel::exNone);
    if (expiry != TModel::exNone)
        (expiry == TModel::exRfc850 ? rbRfc850_ : rbAbsolute_)->setChecked(true);
    dtExpires_->setDateTime(ToQt(model_->ExpiryDate()));
    edtExpires_->setText(Q(model_->ExpiryText()));
    const bool open = model_->IsEditable(TModel::mgOther);
    const bool expires = open && expiry != TModel::exNone;
    chkExpires_->setEnabled(open);
    rbAbsolute_->setEnabled(expires);
    rbRfc850_->setEnabled(expires);
    dtExpires_->setEnabled(expires && rbAbsolute_->isChecked());
    edtExpires_->setEnabled(expires && rbRfc850_->isChecked());
    TrackChanges = tracking;
}

void TFramePageMetaTags::LoadFromObjects(bool /*languageSwitch*/)
{
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    model_->StartExpiryAt(FromQt(dtExpires_->dateTime()));
    model_->Load();
    ShowValues();
}

void TFramePageMetaTags::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}
