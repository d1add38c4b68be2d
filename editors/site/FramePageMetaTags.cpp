#include "editors/site/FramePageMetaTags.h"

#include "editors/framework/QtFrameSite.h"
#include "editors/site/FramePageMetaTagsModel.h"
#include "editors/site/SiteFrameContext.h"

#include <QCheckBox>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

using TModel = TFramePageMetaTagsModel;
const char* const kGroupCaptions[] = {"Basic", "Document", "Languages", "Search Engine", "Effects", "Other"};

QString Q(const std::string& text) { return QString::fromUtf8(text.c_str()); }

// "MetaDescription" -> "Meta Description": the caption of a member's field.
QString Caption(const std::string& member)
{
    QString caption;
    for (std::size_t i = 0; i < member.size(); ++i) {
        const char c = member[i];
        if (i > 0 && c >= 'A' && c <= 'Z' && member[i - 1] >= 'a' && member[i - 1] <= 'z')
            caption += ' ';
        caption += QChar(c);
    }
    return caption;
}

constexpr const char* kKeywordChoiceMember = "UseParentKeywords";

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
    if (TQtFrameSite* page = TQtFrameSite::Of(site))
        page->Place(this);
}

TFramePageMetaTags::~TFramePageMetaTags() = default;

void TFramePageMetaTags::InitControls()
{
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    auto* inner = new QWidget;
    auto* column = new QVBoxLayout(inner);
    parentBoxes_.assign(TModel::mgGroupCount, nullptr);
    for (int group = 0; group < TModel::mgGroupCount; ++group) {
        auto* box = new QGroupBox(tr(kGroupCaptions[group]), inner);
        auto* form = new QFormLayout(box);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        if (model_->ShowsParentBoxes()) {
            auto* parent = new QCheckBox(tr("Use parent's properties"), box);
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
            if (member == kKeywordChoiceMember) {
                auto* choice = new QComboBox(box);
                choice->setObjectName(Q("cmb" + member));
                choice->addItems({tr("Include the parent's keywords"), tr("Do not include the parent's keywords")});
                auto* label = new QLabel(tr("Parent's keywords:"), box);
                label->setBuddy(choice);
                form->addRow(label, choice);
                edits_.push_back({group, member, nullptr, choice});
                connect(choice, &QComboBox::currentIndexChanged, this, [this, group, member](int index) {
                    if (!TrackChanges || index < 0)
                        return;
                    model_->SetValue(static_cast<TModel::TGroup>(group), member, std::to_string(index));
                    SetModified();
                });
                continue;
            }
            auto* edit = new QLineEdit(box);
            edit->setObjectName(Q("edt" + member));
            auto* label = new QLabel(Caption(member) + ":", box);
            label->setBuddy(edit);
            form->addRow(label, edit);
            edits_.push_back({group, member, edit, nullptr});
            connect(edit, &QLineEdit::textEdited, this, [this, group, member](const QString& text) {
                model_->SetValue(static_cast<TModel::TGroup>(group), member, text.toUtf8().toStdString());
                SetModified();
            });
        }
        if (group == TModel::mgOther)
            AddExpiryRows(*box, *form);
        column->addWidget(box);
    }
    column->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(inner);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void TFramePageMetaTags::AddExpiryRows(QWidget& box, QFormLayout& form)
{
    chkExpires_ = new QCheckBox(tr("Expires"), &box);
    chkExpires_->setObjectName("chkExpires");
    rbAbsolute_ = new QRadioButton(tr("Absolute date/time"), &box);
    rbAbsolute_->setObjectName("rbExpiresAbsolute");
    rbRfc850_ = new QRadioButton(tr("RFC850 format"), &box);
    rbRfc850_->setObjectName("rbExpiresRfc850");
    auto* choices = new QButtonGroup(&box);
    choices->addButton(rbAbsolute_);
    choices->addButton(rbRfc850_);
    rbAbsolute_->setChecked(true);
    // The picker starts at the current date and time.
    dtExpires_ = new QDateTimeEdit(QDateTime::currentDateTime(), &box);
    dtExpires_->setObjectName("dtExpires");
    dtExpires_->setDisplayFormat("dd/MM/yyyy HH:mm:ss");
    dtExpires_->setCalendarPopup(true);
    edtExpires_ = new QLineEdit(&box);
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
        model_->SetExpiryText(text.toUtf8().toStdString());
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

void TFramePageMetaTags::ShowValues()
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    for (int group = 0; group < TModel::mgGroupCount; ++group)
        if (parentBoxes_[group])
            parentBoxes_[group]->setChecked(model_->UsesParent(static_cast<TModel::TGroup>(group)));
    for (const TValueEdit& value : edits_) {
        const auto group = static_cast<TModel::TGroup>(value.Group);
        const std::string text = model_->Value(group, value.Member);
        QWidget* control = value.Edit;
        if (value.Choice) {
            value.Choice->setCurrentIndex(text == "1" ? 1 : 0);
            control = value.Choice;
        } else {
            value.Edit->setText(Q(text));
        }
        control->setEnabled(model_->IsEditable(group));
    }
    ShowExpiry();
    TrackChanges = tracking;
}

void TFramePageMetaTags::LoadFromObjects(bool /*languageSwitch*/)
{
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    if (dtExpires_)
        model_->StartExpiryAt(FromQt(dtExpires_->dateTime()));
    model_->Load();
    ShowValues();
}

void TFramePageMetaTags::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}
