#include "shell/frmLogin.h"

#include "common/CaptionValue.h"
#include "gui/HelpRequests.h"
#include "shell/CodeKeyFilter.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"
#include "gui/ElidedLabel.h"
#include "catalog/Singletons.h"
#include "publishing/ui/frmImportWebSite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

namespace {

QLineEdit* PasswordEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QLineEdit* Edit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QLabel* Header(const std::string& text, QWidget* parent)
{
    auto* label = new QLabel(Tr(text), parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    label->setFont(font);
    return label;
}

}  // namespace

TfrmLogin::TfrmLogin(TLoginModel& model, THelpRequests* help, TOpenUrl openUrl, QWidget* parent)
    : QDialog(parent), model_(model), help_(help), openUrl_(std::move(openUrl))
{
    setObjectName("frmLogin");
    // No close button: every page ends with its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_);
    tabLoginWelcome = BuildWelcome();
    tabLoginNew = BuildNew();
    tabLoginOpen = BuildOpen();
    tabNewCatalogFromHost = BuildFromHost();
    tabLoginHostAuth = BuildHostAuth();
    for (QWidget* page : {tabLoginWelcome, tabLoginNew, tabLoginOpen, tabNewCatalogFromHost, tabLoginHostAuth})
        pages_->addWidget(page);
}

QPushButton* TfrmLogin::AddButtons(QWidget* page, const std::string& okText, const char* helpAlias)
{
    auto* buttons = new QDialogButtonBox(page);
    QPushButton* ok = buttons->addButton(Tr(okText), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(Tr("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(Tr("Help"), QDialogButtonBox::HelpRole);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    const std::vector<std::string> aliases{helpAlias, "frmLogin"};
    connect(help, &QPushButton::clicked, this, [this, aliases] {
        if (help_)
            help_->ShowHelpForAliases(aliases);
    });
    static_cast<QBoxLayout*>(page->layout())->addStretch(1);
    page->layout()->addWidget(buttons);
    return ok;
}

QWidget* TfrmLogin::BuildWelcome()
{
    auto* page = new QWidget(this);
    page->setObjectName("tabLoginWelcome");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Header("Welcome to Tolvex", page));
    rbLoginWelcomeNew = new QRadioButton(Tr("Create new catalog"), page);
    rbLoginWelcomeOpen = new QRadioButton(Tr("Open catalog"), page);
    lbLoginWelcomeDatabases = new QListWidget(page);
    lbLoginWelcomeDatabases->setObjectName("lbLoginWelcomeDatabases");
    layout->addWidget(rbLoginWelcomeNew);
    layout->addWidget(rbLoginWelcomeOpen);
    layout->addWidget(lbLoginWelcomeDatabases, 1);
    btnLoginWelcomeOk = AddButtons(page, "Ok", "frmLogin.Welcome");
    connect(rbLoginWelcomeOpen, &QRadioButton::toggled, lbLoginWelcomeDatabases, &QWidget::setEnabled);
    connect(btnLoginWelcomeOk, &QPushButton::clicked, this, &TfrmLogin::PressWelcomeOk);
    connect(lbLoginWelcomeDatabases, &QListWidget::itemDoubleClicked, this, &TfrmLogin::PressWelcomeOk);
    return page;
}

QWidget* TfrmLogin::BuildNew()
{
    auto* page = new QWidget(this);
    page->setObjectName("tabLoginNew");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Header("New Catalog", page));
    auto* form = new QFormLayout;
    cbLoginNewCatalogType = new QComboBox(page);
    cbLoginNewCatalogType->setObjectName("cbLoginNewCatalogType");
    form->addRow(Tr("Catalog Type"), cbLoginNewCatalogType);
    edtLoginNewCatalogCode = Edit(page, "edtLoginNewCatalogCode");
    edtLoginNewCatalogCode->setMaxLength(20);
    TCodeKeyFilter::Install(edtLoginNewCatalogCode);
    form->addRow(Tr("Catalog Code"), edtLoginNewCatalogCode);
    auto* codeHint = new QLabel(Tr("3 to 20 characters: a-z, 0-9, \"-\" and \"_\", without blanks"), page);
    codeHint->setWordWrap(true);
    codeHint->setEnabled(false);
    form->addRow(QString(), codeHint);
    edtLoginNewPassword = PasswordEdit(page, "edtLoginNewPassword");
    auto* passwordLabel = new QLabel(Tr("Password (at least 5 case sensitive characters, no spaces)"), page);
    passwordLabel->setWordWrap(true);
    form->addRow(passwordLabel, edtLoginNewPassword);
    edtLoginNewConfirm = PasswordEdit(page, "edtLoginNewConfirm");
    form->addRow(Tr("Confirm password"), edtLoginNewConfirm);
    cbLoginNewSavePassword = new QCheckBox(Tr("Save password"), page);
    cbLoginNewSavePassword->setObjectName("cbLoginNewSavePassword");
    form->addRow(QString(), cbLoginNewSavePassword);
    edtLoginNewUserName = Edit(page, "edtLoginNewUserName");
    edtLoginNewUserName->setReadOnly(true);
    lblLoginNewUserName = new QLabel(Tr("User Name (advanced option)"), page);
    form->addRow(lblLoginNewUserName, edtLoginNewUserName);
    layout->addLayout(form);
    btnLoginNewRegister = new QPushButton(Tr("Register catalog on-line now? (Recommended)"), page);
    btnLoginNewRegister->setObjectName("btnLoginNewRegister");
    layout->addWidget(btnLoginNewRegister, 0, Qt::AlignLeft);
    // A new catalog may start from an existing web site, imported once it is created.
    btnLoginNewWebSite = new QPushButton(Tr("Start from an existing web site..."), page);
    btnLoginNewWebSite->setObjectName("btnLoginNewWebSite");
    layout->addWidget(btnLoginNewWebSite, 0, Qt::AlignLeft);
    lblLoginNewWebSite = new TElidedLabel(QString(), page);
    lblLoginNewWebSite->setObjectName("lblLoginNewWebSite");
    lblLoginNewWebSite->hide();
    layout->addWidget(lblLoginNewWebSite);
    connect(btnLoginNewWebSite, &QPushButton::clicked, this, [this] {
        TfrmImportWebSite dialog(model_.WebSiteImport().value_or(TWebSiteImportRequest{}), ::Translation, this);
        model_.SetWebSiteImport(dialog.exec() == QDialog::Accepted ? std::optional(dialog.Request()) : std::nullopt);
        const auto& site = model_.WebSiteImport();
        lblLoginNewWebSite->setText(site ? Tr("Imported once the catalog is created: ") + Q(site->StartUrl()) : QString());
        lblLoginNewWebSite->setVisible(site.has_value());
    });
    btnLoginNewContinue = AddButtons(page, "Continue", "frmLogin.NewCatalog");
    connect(btnLoginNewContinue, &QPushButton::clicked, this, &TfrmLogin::NewContinue);
    connect(btnLoginNewRegister, &QPushButton::clicked, this, [this] {
        if (openUrl_)
            openUrl_(model_.RegistrationUrl(S(edtLoginNewCatalogCode->text()),
                                            S(cbLoginNewCatalogType->currentData().toString())));
    });
    return page;
}

QWidget* TfrmLogin::BuildOpen()
{
    auto* page = new QWidget(this);
    page->setObjectName("tabLoginOpen");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Header("Open Catalog", page));
    auto* form = new QFormLayout;
    edtLoginOpenCatalogCode = Edit(page, "edtLoginOpenCatalogCode");
    edtLoginOpenCatalogCode->setEnabled(false);
    form->addRow(Tr("Catalog Code"), edtLoginOpenCatalogCode);
    edtLoginOpenUserName = Edit(page, "edtLoginOpenUserName");
    form->addRow(Tr("User Name (advanced option)"), edtLoginOpenUserName);
    edtLoginOpenPassword = PasswordEdit(page, "edtLoginOpenPassword");
    form->addRow(Tr("Password"), edtLoginOpenPassword);
    cbLoginOpenSave = new QCheckBox(Tr("Save user name and password"), page);
    cbLoginOpenSave->setObjectName("cbLoginOpenSave");
    form->addRow(QString(), cbLoginOpenSave);
    layout->addLayout(form);
    btnLoginOpenOk = AddButtons(page, "Ok", "frmLogin.OpenCatalog");
    connect(btnLoginOpenOk, &QPushButton::clicked, this, &TfrmLogin::OpenOk);
    return page;
}

QWidget* TfrmLogin::BuildFromHost()
{
    auto* page = new QWidget(this);
    page->setObjectName("tabNewCatalogFromHost");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Header("New Catalog From Host", page));
    auto* form = new QFormLayout;
    edtFromHostCatalogCode = Edit(page, "edtFromHostCatalogCode");
    TCodeKeyFilter::Install(edtFromHostCatalogCode);
    form->addRow(Tr("Catalog Code"), edtFromHostCatalogCode);
    edtFromHostUserName = Edit(page, "edtFromHostUserName");
    edtFromHostUserName->setText("Administrator");
    form->addRow(Tr("User Name"), edtFromHostUserName);
    edtFromHostPassword = PasswordEdit(page, "edtFromHostPassword");
    form->addRow(Tr("Password"), edtFromHostPassword);
    layout->addLayout(form);
    btnFromHostOk = AddButtons(page, "Ok", "frmLogin.NewCatalogFromHost");
    connect(btnFromHostOk, &QPushButton::clicked, this, &TfrmLogin::FromHostOk);
    return page;
}

QWidget* TfrmLogin::BuildHostAuth()
{
    auto* page = new QWidget(this);
    page->setObjectName("tabLoginHostAuth");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Header("Account information", page));
    layout->addWidget(new QLabel(Tr("Enter authentification info to login to the catalog"), page));
    auto* form = new QFormLayout;
    edtHostAuthUserName = Edit(page, "edtHostAuthUserName");
    form->addRow(Tr("User Name"), edtHostAuthUserName);
    edtHostAuthPassword = PasswordEdit(page, "edtHostAuthPassword");
    form->addRow(Tr("Password"), edtHostAuthPassword);
    cbHostAuthSave = new QCheckBox(Tr("Save user name and password"), page);
    cbHostAuthSave->setObjectName("cbHostAuthSave");
    form->addRow(QString(), cbHostAuthSave);
    layout->addLayout(form);
    btnHostAuthOk = AddButtons(page, "Ok", "frmLogin.HostAuth");
    connect(btnHostAuthOk, &QPushButton::clicked, this, &QDialog::accept);
    return page;
}

// ---- showing the model's page -------------------------------------------------------------------

void TfrmLogin::ShowPage(QWidget* page, const std::string& caption, int height, int width)
{
    pages_->setCurrentWidget(page);
    for (QWidget* other : {tabLoginWelcome, tabLoginNew, tabLoginOpen, tabNewCatalogFromHost, tabLoginHostAuth})
        other->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWindowTitle(Tr(caption));
    for (QPushButton* ok : page->findChildren<QPushButton*>())
        ok->setDefault(false);
    adjustSize();
    resize(std::max(width, sizeHint().width()), std::max(height, sizeHint().height()));
}

void TfrmLogin::ShowModelPage()
{
    switch (model_.Page()) {
    case TLoginPage::Welcome:
        FillWelcome();
        ShowPage(tabLoginWelcome, "Login", 310, 320);
        btnLoginWelcomeOk->setDefault(true);
        break;
    case TLoginPage::NewCatalog:
        FillNew();
        ShowPage(tabLoginNew, "Create Catalog", model_.ShowsUserName() ? 390 : 330, 420);
        btnLoginNewContinue->setDefault(true);
        break;
    case TLoginPage::OpenCatalog:
        FillOpen();
        ShowPage(tabLoginOpen, "Login", 310, 320);
        btnLoginOpenOk->setDefault(true);
        break;
    case TLoginPage::NewCatalogFromHost:
        ShowPage(tabNewCatalogFromHost, "New Catalog From Host", 330, 320);
        btnFromHostOk->setDefault(true);
        break;
    case TLoginPage::HostAccount:
        ShowPage(tabLoginHostAuth, "Login", 280, 320);
        btnHostAuthOk->setDefault(true);
        break;
    }
    if (isVisible())
        FocusForPage();
}

void TfrmLogin::FillWelcome()
{
    lbLoginWelcomeDatabases->clear();
    for (const std::string& caption : model_.EntryCaptions())
        lbLoginWelcomeDatabases->addItem(Q(caption));
    lbLoginWelcomeDatabases->setCurrentRow(model_.SelectedEntry());
    rbLoginWelcomeOpen->setChecked(true);
    lbLoginWelcomeDatabases->setEnabled(true);
}

void TfrmLogin::FillNew()
{
    cbLoginNewCatalogType->clear();
    for (const std::string& line : model_.CatalogTypes())
        cbLoginNewCatalogType->addItem(Q(CaptionValue::CaptionOf(line)), Q(CaptionValue::ValueOf(line)));
    cbLoginNewCatalogType->setCurrentIndex(model_.SelectedType());
    const TNewCatalogFields& fields = model_.NewFields();
    edtLoginNewCatalogCode->setText(Q(fields.Code));
    edtLoginNewUserName->setText(Q(fields.UserName));
    edtLoginNewUserName->setVisible(model_.ShowsUserName());
    lblLoginNewUserName->setVisible(model_.ShowsUserName());
    btnLoginNewRegister->setEnabled(model_.RegisterEnabled());
}

void TfrmLogin::FillOpen()
{
    edtLoginOpenCatalogCode->setText(Q(model_.Request().CatalogCode));
    edtLoginOpenUserName->setText(Q(model_.OpenUserName()));
    edtLoginOpenPassword->setText(Q(model_.Request().Password));
    cbLoginOpenSave->setChecked(model_.OpenSavePassword());
}

void TfrmLogin::FocusForPage()
{
    QWidget* page = pages_->currentWidget();
    if (page == tabLoginWelcome) {
        lbLoginWelcomeDatabases->setFocus();
    } else if (page == tabLoginNew) {
        if (edtLoginNewCatalogCode->text().isEmpty())
            edtLoginNewCatalogCode->setFocus();
        else
            edtLoginNewPassword->setFocus();
    } else if (page == tabLoginOpen) {
        if (model_.Request().UserName.empty()) {
            edtLoginOpenUserName->setFocus();
        } else {
            edtLoginOpenPassword->setFocus();
            edtLoginOpenPassword->selectAll();
        }
    } else if (page == tabNewCatalogFromHost) {
        edtFromHostCatalogCode->setFocus();
    } else if (page == tabLoginHostAuth) {
        if (edtHostAuthUserName->text().isEmpty() || edtHostAuthUserName->text() == "Administrator")
            edtHostAuthUserName->setFocus();
        else
            edtHostAuthPassword->setFocus();
    }
}

void TfrmLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FocusForPage();
}

// ---- the confirming buttons ---------------------------------------------------------------------------

void TfrmLogin::PressWelcomeOk()
{
    model_.WelcomeOk(rbLoginWelcomeNew->isChecked(), lbLoginWelcomeDatabases->currentRow());
    ShowModelPage();
}

void TfrmLogin::NewContinue()
{
    TNewCatalogFields fields;
    fields.TypeSelected = cbLoginNewCatalogType->currentIndex() >= 0;
    fields.TypeValue = S(cbLoginNewCatalogType->currentData().toString());
    fields.Code = S(edtLoginNewCatalogCode->text());
    fields.UserName = S(edtLoginNewUserName->text());
    fields.Password = S(edtLoginNewPassword->text());
    fields.Confirmation = S(edtLoginNewConfirm->text());
    fields.SavePassword = cbLoginNewSavePassword->isChecked();
    if (model_.ConfirmNewCatalog(fields))
        accept();
}

void TfrmLogin::OpenOk()
{
    model_.ConfirmOpenCatalog(S(edtLoginOpenUserName->text()), S(edtLoginOpenPassword->text()),
                              cbLoginOpenSave->isChecked());
    accept();
}

void TfrmLogin::FromHostOk()
{
    if (model_.ConfirmNewCatalogFromHost(S(edtFromHostCatalogCode->text()), S(edtFromHostUserName->text()),
                                         S(edtFromHostPassword->text())))
        accept();
}

void TfrmLogin::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == edtLoginOpenPassword) {
        if (!edtLoginOpenUserName->text().isEmpty())
            btnLoginOpenOk->click();
        return;
    }
    if (ControlOperations::HandleFormKeyPress(this, event, {}))
        return;
    QDialog::keyPressEvent(event);
}
