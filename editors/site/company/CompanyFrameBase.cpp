#include "editors/site/company/CompanyFrameBase.h"

#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/company/CompanyInfoModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

struct TCompanyFrameBase::TControl {
    TField Field;
    QLineEdit* Line = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QComboBox* Combo = nullptr;
};

TCompanyFrameBase::TCompanyFrameBase(TFrameSite& site, const char* objectName, std::vector<TField> fields)
    : fields_(std::move(fields))
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

TCompanyFrameBase::~TCompanyFrameBase() = default;

void TCompanyFrameBase::InitControls()
{
    model_ = CreateModel(SiteModelContextOf(*this));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    QWidget* previous = nullptr;
    for (const TField& field : fields_) {
        TControl control{field};
        QWidget* widget = nullptr;
        TFieldKind kind = field.Kind;
        if (kind == fkCity && !model_->UsesCityList())
            kind = fkLine;
        if (kind == fkState && !model_->UsesStateList())
            kind = fkLine;
        if (kind == fkLine) {
            control.Line = new QLineEdit(this);
            control.Line->setReadOnly(model_->IsReadOnly());
            connect(control.Line, &QLineEdit::textChanged, this, [this] { Changed(); });
            widget = control.Line;
        } else if (kind == fkMemo) {
            control.Memo = new QPlainTextEdit(this);
            control.Memo->setReadOnly(model_->IsReadOnly());
            control.Memo->setTabChangesFocus(true);
            connect(control.Memo, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
            widget = control.Memo;
        } else {
            control.Combo = new QComboBox(this);
            const std::vector<TCompanyInfoModel::TChoice> choices =
                kind == fkCountry ? TCompanyInfoModel::Countries()
                : kind == fkCity  ? TCompanyInfoModel::CityChoices()
                                  : TCompanyInfoModel::StateChoices();
            for (const TCompanyInfoModel::TChoice& choice : choices)
                control.Combo->addItem(Q(choice.Caption), Q(choice.Code));
            control.Combo->setEnabled(!model_->IsReadOnly());
            connect(control.Combo, &QComboBox::currentIndexChanged, this, [this] { Changed(); });
            widget = control.Combo;
        }
        widget->setObjectName(Q("edt" + field.Member));
        auto* label = new QLabel(tr(field.Caption.c_str()) + ":", this);
        label->setBuddy(widget);
        form->addRow(label, widget);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
        controls_.push_back(control);
    }
    AddExtraRows(*form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
}

void TCompanyFrameBase::Fill(TControl& control)
{
    const std::string& member = control.Field.Member;
    if (control.Line)
        control.Line->setText(Q(model_->Value(member)));
    else if (control.Memo)
        control.Memo->setPlainText(Q(model_->Value(member)));
    else {
        const std::string code = control.Field.Kind == fkCity ? model_->CityCode() : model_->Value(member);
        control.Combo->setCurrentIndex(control.Combo->findData(Q(code)));
    }
}

void TCompanyFrameBase::Read(const TControl& control)
{
    const std::string& member = control.Field.Member;
    if (control.Line)
        model_->SetValue(member, S(control.Line->text()));
    else if (control.Memo)
        model_->SetValue(member, S(control.Memo->toPlainText()));
    else if (control.Field.Kind == fkCity)
        model_->SetCityCode(S(control.Combo->currentData().toString()));
    else
        model_->SetValue(member, S(control.Combo->currentData().toString()));
}

void TCompanyFrameBase::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = CreateModel(SiteModelContextOf(*this));
    model_->Load();
    for (TControl& control : controls_)
        Fill(control);
    LoadExtra();
    TrackChanges = true;
    // A model that set defaults while loading asks for them to be saved.
    if (model_->IsModified())
        SetModified();
}

void TCompanyFrameBase::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    for (const TControl& control : controls_)
        Read(control);
    model_->Store();
}

void TCompanyFrameBase::Changed()
{
    if (TrackChanges)
        SetModified();
}
