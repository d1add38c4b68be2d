#include "editors/site/FramePageMetaTags.h"

#include "editors/framework/QtFrameSite.h"
#include "editors/site/FramePageMetaTagsModel.h"
#include "editors/site/SiteFrameContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    TrackChanges = tracking;
}

void TFramePageMetaTags::LoadFromObjects(bool /*languageSwitch*/)
{
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this));
    model_->Load();
    ShowValues();
}

void TFramePageMetaTags::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}
