#include "editors/business/network/FrameVendorInfo.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "editors/business/network/VendorInfoModel.h"
#include "editors/framework/EditorShell.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

TFrameVendorInfo::TFrameVendorInfo(TFrameSite& site)
{
    setObjectName("TFrameVendorInfo");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameVendorInfo::~TFrameVendorInfo() = default;

void TFrameVendorInfo::InitControls()
{
    edtCatalogCode_ = new QLineEdit(this);
    edtCatalogCode_->setObjectName("edtCatalogCode");
    edtCatalogCode_->setMaximumWidth(260);
    NameEdit = edtCatalogCode_;
    lblCatalogType_ = new QLabel(this);
    lblCatalogType_->setObjectName("lblCatalogType");
    lblWebSite_ = new QLabel(this);
    lblWebSite_->setObjectName("lblWebSite");
    lblWebSite_->setOpenExternalLinks(true);
    lblWebSite_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    cbRegenerate_ = new QCheckBox(tr("Regenerate the page on host if catalog data changed"), this);
    cbRegenerate_->setObjectName("cbRegenerateIfChanged");
    btnRefresh_ = new QPushButton(tr("Refresh catalog information from host database"), this);
    btnRefresh_->setObjectName("btnRefreshFromHost");

    auto* form = new QFormLayout;
    auto* codeCaption = new QLabel(tr("Catalog &Code:"), this);
    codeCaption->setBuddy(edtCatalogCode_);
    form->addRow(codeCaption, edtCatalogCode_);
    form->addRow(new QLabel(tr("Catalog Type:"), this), lblCatalogType_);
    lblWebSiteCaption_ = new QLabel(tr("Catalog Web Site:"), this);
    lblWebSiteCaption_->setObjectName("lblWebSiteCaption");
    form->addRow(lblWebSiteCaption_, lblWebSite_);
    form->addRow(cbRegenerate_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnRefresh_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(edtCatalogCode_, &QLineEdit::textEdited, this, [this](const QString& text) { CodeEdited(text); });
    connect(cbRegenerate_, &QCheckBox::toggled, this, [this](bool checked) {
        if (model_ && model_->SetRegenerate(checked) && TrackChanges)
            SetModified();
    });
    connect(btnRefresh_, &QPushButton::clicked, this, [this] { RefreshFromHost(); });
}

void TFrameVendorInfo::CodeEdited(const QString& text)
{
    if (!model_)
        return;
    const bool changed = model_->SetCode(S(text));
    const QString shown = Q(model_->Code());
    if (shown != text) {
        // A key or a pasted text that is no code character is dropped where it was typed.
        const int cursor = edtCatalogCode_->cursorPosition();
        const int kept = static_cast<int>(catalog_network::CodeCharacters(S(text.left(cursor)), false).size());
        edtCatalogCode_->setText(shown);
        edtCatalogCode_->setCursorPosition(kept);
    }
    if (changed && TrackChanges)
        SetModified();
    ShowDerived();
}

void TFrameVendorInfo::ShowDerived()
{
    const std::string type = model_->CatalogTypeName();
    lblCatalogType_->setText(type.empty() ? tr("(unknown)") : Q(type));
    const QString site = Q(model_->SiteAddress());
    lblWebSite_->setText(site.isEmpty() ? QString() : QString("<a href=\"%1\">%1</a>").arg(site.toHtmlEscaped()));
    lblWebSite_->setVisible(!site.isEmpty());
    lblWebSiteCaption_->setVisible(!site.isEmpty());
}

void TFrameVendorInfo::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    const bool edited = model_ && model_->CodeEdited();
    const std::string code = model_ ? model_->Code() : std::string();
    model_ = std::make_unique<TVendorInfoModel>(SiteModelContextOf(*this), *RootObject);
    model_->Load();
    if (edited && model_->Code() == code)
        model_->MarkCodeEdited();
    edtCatalogCode_->setText(Q(model_->Code()));
    cbRegenerate_->setChecked(model_->Regenerate());
    ShowDerived();
    TrackChanges = true;
}

void TFrameVendorInfo::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && IsModified())
        model_->Store();
}

bool TFrameVendorInfo::Save()
{
    const std::string error = model_ ? model_->SaveError() : std::string();
    if (!error.empty()) {
        ShowFrameError(error);
        GetUIEditor()->SetInvalidControl(edtCatalogCode_);
        return false;
    }
    return TTolvexFrameEditor::Save();
}

void TFrameVendorInfo::RefreshFromHost()
{
    if (!model_)
        return;
    const std::string refusal = model_->RefreshRefusal();
    if (!refusal.empty()) {
        ShowFrameError(refusal);
        edtCatalogCode_->setFocus();
        return;
    }
    TTolvexControlClass& context = *GetContext();
    if (context.Services().Gui.AskQuestion("Please, connect to internet and press \"Yes\" button to continue.") !=
        mrYes)
        return;
    TEditorShell* shell = context.Services().Shell;
    const std::string error = model_->Refresh([shell](const std::string& code, const catalog_network::TFetch& fetch) {
        return shell && shell->FetchFromHost(code, fetch.ItemId, fetch.ClassId, fetch.ExtraLines);
    });
    // The refresh stored the tab and took the member's type: the item has changed.
    SetModified();
    GetUIEditor()->Reload();
    ShowFrameError(error);
}
