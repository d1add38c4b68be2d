#include "editors/site/page/FrameSimplePageMetaTags.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/page/FrameSimplePageMetaTagsModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TFrameSimplePageMetaTags::TFrameSimplePageMetaTags(TFrameSite& site)
{
    setObjectName("TFrameSimplePageMetaTags");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameSimplePageMetaTags::~TFrameSimplePageMetaTags() = default;

void TFrameSimplePageMetaTags::InitControls()
{
    model_ = std::make_unique<TFrameSimplePageMetaTagsModel>(SiteModelContextOf(*this));
    chkUseParent_ = new QCheckBox(Tr("Use parent's properties"), this);
    chkUseParent_->setObjectName("chkUseParent");
    chkUseParent_->setVisible(model_->ShowsParentBox());
    memKeywords_ = new QPlainTextEdit(this);
    memKeywords_->setObjectName("memKeywords");
    memKeywords_->setTabChangesFocus(true);
    cbParentKeywords_ = new QComboBox(this);
    cbParentKeywords_->setObjectName("cbParentKeywords");
    cbParentKeywords_->addItems({Tr("Include parent's keywords"), Tr("Do not include parent's keywords")});
    memDescription_ = new QPlainTextEdit(this);
    memDescription_->setObjectName("memDescription");
    memDescription_->setTabChangesFocus(true);
    edtRefresh_ = new QLineEdit(this);
    edtRefresh_->setObjectName("edtRefresh");
    edtRefresh_->setValidator(new QIntValidator(0, 1000000, edtRefresh_));
    edtRefreshUrl_ = new QLineEdit(this);
    edtRefreshUrl_->setObjectName("edtRefreshUrl");

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto row = [&](const char* caption, QWidget* field, QLayout* fields = nullptr) {
        auto* label = new QLabel(Tr(caption) + ":", this);
        label->setBuddy(field);
        if (fields)
            form->addRow(label, fields);
        else
            form->addRow(label, field);
    };
    form->addRow(QString(), chkUseParent_);
    auto* keywords = new QVBoxLayout;
    keywords->addWidget(memKeywords_);
    keywords->addWidget(cbParentKeywords_);
    row("Keywords (separated by commas)", memKeywords_, keywords);
    row("Description (Used only by search engines)", memDescription_);
    row("Refresh after, seconds", edtRefresh_);
    row("Refresh URL", edtRefreshUrl_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();

    connect(chkUseParent_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!TrackChanges)
            return;
        model_->SetUseParent(checked);
        EnableValues();
        SetModified();
    });
    connect(memKeywords_, &QPlainTextEdit::textChanged, this, [this] { ValuesEdited(); });
    connect(cbParentKeywords_, &QComboBox::currentIndexChanged, this, [this] { ValuesEdited(); });
    connect(memDescription_, &QPlainTextEdit::textChanged, this, [this] { ValuesEdited(); });
    connect(edtRefresh_, &QLineEdit::textEdited, this, [this] { ValuesEdited(); });
    connect(edtRefreshUrl_, &QLineEdit::textEdited, this, [this] { ValuesEdited(); });
}

void TFrameSimplePageMetaTags::ValuesEdited()
{
    if (!TrackChanges)
        return;
    TFrameSimplePageMetaTagsModel::TValues values;
    values.MetaKeywords = S(memKeywords_->toPlainText());
    values.UseParentKeywords = std::to_string(std::max(0, cbParentKeywords_->currentIndex()));
    values.MetaDescription = S(memDescription_->toPlainText());
    values.Refresh = S(edtRefresh_->text());
    values.RefreshURL = S(edtRefreshUrl_->text());
    model_->SetValues(values);
    SetModified();
}

void TFrameSimplePageMetaTags::EnableValues()
{
    const bool own = !model_->UsesParent();
    for (QWidget* control : std::initializer_list<QWidget*>{memKeywords_, cbParentKeywords_, memDescription_,
                                                            edtRefresh_, edtRefreshUrl_})
        control->setEnabled(own);
}

void TFrameSimplePageMetaTags::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TFrameSimplePageMetaTagsModel>(SiteModelContextOf(*this));
    model_->Load();
    const TFrameSimplePageMetaTagsModel::TValues& values = model_->Values();
    chkUseParent_->setChecked(model_->UsesParent());
    memKeywords_->setPlainText(Q(values.MetaKeywords));
    cbParentKeywords_->setCurrentIndex(values.UseParentKeywords == "1" ? 1 : 0);
    memDescription_->setPlainText(Q(values.MetaDescription));
    edtRefresh_->setText(Q(values.Refresh));
    edtRefreshUrl_->setText(Q(values.RefreshURL));
    EnableValues();
    TrackChanges = true;
}

void TFrameSimplePageMetaTags::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}
