#include "editors/business/products/FrameProductSearchLimits.h"

#include "editors/business/products/ProductSearchLimitsModel.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameProductSearchLimits::TFrameProductSearchLimits(TFrameSite& site)
{
    setObjectName("TFrameProductSearchLimits");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameProductSearchLimits::~TFrameProductSearchLimits() = default;

void TFrameProductSearchLimits::InitControls()
{
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setValidator(new QIntValidator(0, 99999, line));
        line->setMaximumWidth(120);
        connect(line, &QLineEdit::textEdited, this, [this] {
            if (TrackChanges)
                SetModified();
        });
        return line;
    };
    edtThumbnailSize_ = edit("edtThumbnailSize");
    edtProductNameLength_ = edit("edtProductNameLength");
    auto* form = new QFormLayout;
    auto* size = new QLabel(tr("Limit image size at result page to, &pixels:"), this);
    size->setBuddy(edtThumbnailSize_);
    form->addRow(size, edtThumbnailSize_);
    auto* length = new QLabel(tr("Limit product name at result page to, &chars:"), this);
    length->setBuddy(edtProductNameLength_);
    form->addRow(length, edtProductNameLength_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
}

void TFrameProductSearchLimits::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TProductSearchLimitsModel>(SiteModelContextOf(*this));
    model_->Load();
    edtThumbnailSize_->setText(Q(model_->ThumbnailSize()));
    edtProductNameLength_->setText(Q(model_->NameLength()));
    TrackChanges = true;
}

void TFrameProductSearchLimits::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    model_->SetValues(S(edtThumbnailSize_->text()), S(edtProductNameLength_->text()));
    model_->Store();
}
