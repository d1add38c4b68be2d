#include "editors/site/options/FrameOptionsEditor.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonProcedures.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/site/html/dialogs/DialogParams.h"
#include "editors/site/options/FrameOptionsEditorModel.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using UiText::Q;
using UiText::S;

using TModel = TFrameOptionsEditorModel;

bool AdvancedMode() { return RootObject && RootObject->IsAdvancedMode(); }

const char* CartButtonName(TModel::TCart cart)
{
    switch (cart) {
    case TModel::ctNone: return "rbNoCart";
    case TModel::ctPayPal: return "rbPayPal";
    case TModel::ctPayPalBuyItNow: return "rbPayPalBuyItNow";
    case TModel::ctRequestForQuote: return "rbRequestForQuote";
    case TModel::ctCustom: return "rbCustomCart";
    case TModel::ctOther: return "rbOtherCart";
    }
    return "";
}

}  // namespace

TFrameOptionsEditor::TFrameOptionsEditor(TFrameSite& site)
{
    setObjectName("TFrameOptionsEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameOptionsEditor::~TFrameOptionsEditor() = default;

void TFrameOptionsEditor::CreateModel()
{
    model_ = std::make_unique<TModel>(SiteModelContextOf(*this), RootObject ? RootObject->GetUserName() : "",
                                      GetContext()->GetUserRole());
    model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
}

void TFrameOptionsEditor::InitControls()
{
    CreateModel();
    auto edit = [this](const char* name, int maxLength) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMaxLength(maxLength);
        connect(line, &QLineEdit::textEdited, this, [this] { ControlsChanged(); });
        return line;
    };
    edtMainImageSize_ = edit("edtMainImageSize", 9);
    edtThumbnailImageSize_ = edit("edtThumbnailImageSize", 9);
    edtLogoImageSize_ = edit("edtLogoImageSize", 9);
    edtFullImageSize_ = edit("edtFullImageSize", 9);
    chkOriginalSize_ = new QCheckBox(tr("Store full sized images at &original size"), this);
    chkOriginalSize_->setObjectName("chkOriginalSize");
    chkDefaultSize_ = new QCheckBox(tr("Store full sized image at &default size:"), this);
    chkDefaultSize_->setObjectName("chkDefaultSize");
    for (QCheckBox* box : {chkOriginalSize_, chkDefaultSize_})
        connect(box, &QCheckBox::toggled, this, [this] { ControlsChanged(); });

    auto* images = new QGroupBox(tr("Image Sizes (pixels)"), this);
    auto* imageGrid = new QGridLayout(images);
    auto sizeRow = [&](int row, const QString& caption, QLineEdit* line) {
        auto* label = new QLabel(caption, images);
        label->setBuddy(line);
        imageGrid->addWidget(label, row, 0);
        imageGrid->addWidget(line, row, 1);
    };
    sizeRow(0, tr("&Main image:"), edtMainImageSize_);
    sizeRow(1, tr("&Thumbnail:"), edtThumbnailImageSize_);
    sizeRow(2, tr("&Logo:"), edtLogoImageSize_);
    imageGrid->addWidget(chkOriginalSize_, 3, 0, 1, 2);
    imageGrid->addWidget(chkDefaultSize_, 4, 0);
    imageGrid->addWidget(edtFullImageSize_, 4, 1);
    imageGrid->setColumnStretch(2, 1);

    edtDefaultPage_ = new QLineEdit(this);
    edtDefaultPage_->setObjectName("edtDefaultPage");
    edtDefaultPage_->setReadOnly(true);
    btnSelectPage_ = new QToolButton(this);
    btnSelectPage_->setObjectName("btnSelectPage");
    btnSelectPage_->setText("...");
    btnSelectPage_->setToolTip(tr("Choose the home page"));
    connect(btnSelectPage_, &QToolButton::clicked, this, [this] { SelectPage(); });
    auto* pageRow = new QHBoxLayout;
    auto* pageLabel = new QLabel(tr("Default &web page:"), this);
    pageLabel->setBuddy(btnSelectPage_);
    pageRow->addWidget(pageLabel);
    pageRow->addWidget(edtDefaultPage_, 1);
    pageRow->addWidget(btnSelectPage_);

    // Outside the advanced mode only "no cart" and the PayPal cart are offered.
    auto* shopping = new QGroupBox(tr("Shopping Cart"), this);
    auto* cartGrid = new QGridLayout(shopping);
    grpCart_ = new QButtonGroup(this);
    int row = 0;
    for (const auto& [caption, cart] : TModel::CartChoices(AdvancedMode())) {
        auto* radio = new QRadioButton(tr(caption.c_str()), shopping);
        radio->setObjectName(CartButtonName(cart));
        grpCart_->addButton(radio, static_cast<int>(cart));
        cartGrid->addWidget(radio, row++, 0);
    }
    edtOtherCart_ = edit("edtOtherCart", 255);
    edtOtherCart_->setParent(shopping);
    edtOtherCart_->setVisible(AdvancedMode());
    if (AdvancedMode())
        cartGrid->addWidget(edtOtherCart_, row - 1, 1);
    edtPayPalAccount_ = edit("edtPayPalAccount", 255);
    edtPayPalAccount_->setParent(shopping);
    auto* payPalLabel = new QLabel(tr("PayPal &account e-mail:"), shopping);
    payPalLabel->setBuddy(edtPayPalAccount_);
    cartGrid->addWidget(payPalLabel, row, 0);
    cartGrid->addWidget(edtPayPalAccount_, row, 1);
    cartGrid->setColumnStretch(1, 1);
    connect(grpCart_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            ControlsChanged();
    });

    btnChangePassword_ = new QPushButton(Q(model_->PasswordButtonCaption()), this);
    btnChangePassword_->setObjectName("btnChangePassword");
    btnChangePassword_->setEnabled(model_->CanChangePassword());
    connect(btnChangePassword_, &QPushButton::clicked, this, [this] { ChangePassword(); });
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(btnChangePassword_);
    passwordRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(images);
    layout->addLayout(pageRow);
    layout->addWidget(shopping);
    layout->addLayout(passwordRow);
    layout->addStretch();
}

void TFrameOptionsEditor::LoadFromObjects(bool languageSwitch)
{
    TrackChanges = false;
    // A language switch keeps the values (and a changed password); only the
    // page's name is shown in the new language.
    if (!languageSwitch || !model_) {
        CreateModel();
        model_->Load();
    } else {
        model_->SetLangCode(SiteModelContextOf(*this).LangCode);
    }
    ShowValues();
    TrackChanges = true;
}

void TFrameOptionsEditor::ShowValues()
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    const TModel::TValues& values = model_->Values();
    edtMainImageSize_->setText(Q(values.MainImageSize));
    edtThumbnailImageSize_->setText(Q(values.ThumbnailImageSize));
    edtLogoImageSize_->setText(Q(values.LogoImageSize));
    edtFullImageSize_->setText(Q(values.FullImageSize));
    edtDefaultPage_->setText(Q(model_->DefaultPageName()));
    if (QAbstractButton* radio = grpCart_->button(static_cast<int>(values.Cart)))
        radio->setChecked(true);
    edtOtherCart_->setText(Q(values.OtherCartName));
    edtPayPalAccount_->setText(Q(values.PayPalAccount));
    TrackChanges = tracking;
    ShowState();
}

void TFrameOptionsEditor::ShowState()
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    chkOriginalSize_->setChecked(model_->Values().StoreOriginalSize);
    chkDefaultSize_->setChecked(model_->Values().StoreDefaultSize);
    edtFullImageSize_->setEnabled(model_->IsFullSizeEnabled());
    edtOtherCart_->setEnabled(model_->IsOtherCartNameEnabled());
    edtPayPalAccount_->setEnabled(model_->IsPayPalAccountEnabled());
    TrackChanges = tracking;
}

void TFrameOptionsEditor::ControlsChanged()
{
    if (!TrackChanges || !model_)
        return;
    TModel::TValues values = model_->Values();
    values.MainImageSize = S(edtMainImageSize_->text());
    values.ThumbnailImageSize = S(edtThumbnailImageSize_->text());
    values.LogoImageSize = S(edtLogoImageSize_->text());
    values.FullImageSize = S(edtFullImageSize_->text());
    values.StoreOriginalSize = chkOriginalSize_->isChecked();
    values.StoreDefaultSize = chkDefaultSize_->isChecked();
    // A cart that is not offered in this mode stays as it was.
    if (grpCart_->checkedId() >= 0)
        values.Cart = static_cast<TModel::TCart>(grpCart_->checkedId());
    values.OtherCartName = S(edtOtherCart_->text());
    values.PayPalAccount = S(edtPayPalAccount_->text());
    model_->SetValues(values);
    // The model unticks the other full-size box; the controls follow.
    ShowState();
    SetModified();
}

void TFrameOptionsEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_ && model_->IsModified())
        model_->Store();
}

void TFrameOptionsEditor::AfterSave()
{
    if (model_)
        model_->AfterSave();
}

void TFrameOptionsEditor::SelectPage()
{
    std::vector<std::string> params;
    if (!GetContext()->RunDialog("SelectPage", params))
        return;
    const int pageId = static_cast<int>(TDialogParams(params).Number("PageId"));
    if (pageId == 0)
        return;
    model_->SelectDefaultPage(pageId);
    ShowValues();
    SetModified();
}

void TFrameOptionsEditor::ChangePassword()
{
    std::string password;
    if (!CommonProcedures->Gui().ChangePassword(password))
        return;
    std::string information;
    const std::string error = model_->ChangePassword(password, information);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    SetModified();
    if (!information.empty())
        CommonProcedures->Gui().ShowInformation(information, false);
}
