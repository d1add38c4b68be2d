#include "editors/business/network/FrameLinkToCatalog.h"

#include "editors/business/network/LinkToCatalogModel.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameLinkToCatalog::TFrameLinkToCatalog(TFrameSite& site)
{
    setObjectName("TFrameLinkToCatalog");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameLinkToCatalog::~TFrameLinkToCatalog() = default;

void TFrameLinkToCatalog::InitControls()
{
    edtCatalogCode_ = new QLineEdit(this);
    edtCatalogCode_->setObjectName("edtLinkCatalogCode");
    edtCatalogCode_->setMaximumWidth(260);
    auto* refresh = new QPushButton(tr("Refresh catalog information from host database"), this);
    refresh->setObjectName("btnLinkRefresh");
    refresh->setEnabled(false);
    auto* form = new QFormLayout;
    auto* caption = new QLabel(tr("Catalog &Code:"), this);
    caption->setBuddy(edtCatalogCode_);
    form->addRow(caption, edtCatalogCode_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch();
    connect(edtCatalogCode_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!model_)
            return;
        model_->SetText(S(text));
        if (TrackChanges)
            SetModified();
    });
}

void TFrameLinkToCatalog::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    model_ = std::make_unique<TLinkToCatalogModel>(SiteModelContextOf(*this), GetContext()->GetParams());
    model_->Load();
    edtCatalogCode_->setText(Q(model_->Text()));
    TrackChanges = true;
}

void TFrameLinkToCatalog::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !IsModified())
        return;
    edtCatalogCode_->setText(Q(model_->Store()));
}

bool TFrameLinkToCatalog::NameChanged(int itemId, const std::string& newName)
{
    if (!model_ || !model_->NameChanged(itemId, newName))
        return false;
    edtCatalogCode_->setText(Q(model_->Text()));
    SetModified();
    return true;
}
