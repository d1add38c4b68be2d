#include "publishing/ui/PublishDialogParts.h"

#include "common/CaptionValue.h"
#include "common/Translation.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

using UiText::Q;
using UiText::S;

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace PublishDialogParts {

void FillChoices(QComboBox* combo, const std::vector<std::string>& lines, const std::string& value)
{
    for (const std::string& line : lines)
        ControlOperations::AddComboBoxItem(combo, Q(CaptionValue::CaptionOf(line)), Q(CaptionValue::ValueOf(line)));
    ControlOperations::SelectComboBoxValue(combo, Q(value), 0);
}

std::string ChosenValue(const QComboBox* combo)
{
    return S(ControlOperations::GetComboBoxValue(combo));
}

QString Tr(const TTranslation* translation, const char* text)
{
    return Q(translation ? translation->Translate(text) : std::string(text));
}

}  // namespace PublishDialogParts

TPublishPageField::TPublishPageField(TChooser chooser, const TTranslation* translation, QWidget* parent)
    : QWidget(parent), chooser_(std::move(chooser))
{
    name_ = new QLineEdit(PublishDialogParts::Tr(translation, "(All Pages)"), this);
    name_->setReadOnly(true);
    name_->setObjectName("edtPublishPage");
    choose_ = new QPushButton("...", this);
    choose_->setObjectName("btnSelectPage");
    choose_->setFixedWidth(choose_->fontMetrics().horizontalAdvance("...") + 24);
    connect(choose_, &QPushButton::clicked, this, &TPublishPageField::Choose);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(name_, 1);
    layout->addWidget(choose_);
    setFocusProxy(choose_);
}

void TPublishPageField::Choose()
{
    int pageId = 0;
    std::string pageName;
    if (!chooser_ || !chooser_(pageId, pageName) || pageId == 0)
        return;
    pageId_ = pageId;
    name_->setText(Q(pageName));
}
