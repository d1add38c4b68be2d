#include "editors/business/network/FrameCoCManagement.h"

#include "editors/business/network/CoCManagementModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameCoCManagement::TFrameCoCManagement(TFrameSite& site)
{
    setObjectName("TFrameCoCManagement");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameCoCManagement::InitControls()
{
    cbTemplates_ = new QComboBox(this);
    cbTemplates_->setObjectName("cbTemplates");
    cbTemplates_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* caption = new QLabel(tr("Republish All Members, using &templates:"), this);
    caption->setBuddy(cbTemplates_);
    caption->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(cbTemplates_);
    layout->addStretch();
    for (const TCoCManagementModel::TChoice& choice : TCoCManagementModel(SiteModelContextOf(*this)).Choices())
        cbTemplates_->addItem(Q(choice.Caption), Q(choice.Value));
    cbTemplates_->setCurrentIndex(0);
}

void TFrameCoCManagement::LoadFromObjects(bool /*languageSwitch*/)
{
    // The choice shown is an answer already: Ok may be pressed at once.
    SetModified();
}

bool TFrameCoCManagement::Save()
{
    if (std::vector<std::string>* params = GetContext()->GetParams())
        TCoCManagementModel::Store(*params, S(cbTemplates_->currentData().toString()));
    return TTolvexFrameViewer::Save();
}
