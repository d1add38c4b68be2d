#include "shell/frmChangeCatalogCode.h"

#include "gui/HelpRequests.h"
#include "catalog/CatalogDefinition.h"
#include "common/CommonGui.h"
#include "shell/CodeKeyFilter.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

TfrmChangeCatalogCode::TfrmChangeCatalogCode(const std::string& oldCode, TCommonGui& gui,
                                             THelpRequests* help, QWidget* parent)
    : QDialog(parent), gui_(gui)
{
    setObjectName("frmChangeCatalogCode");
    setWindowTitle(Tr("Change Catalog Code"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    edtChangeCatalogCodeOld = new QLineEdit(Q(oldCode), this);
    edtChangeCatalogCodeOld->setObjectName("edtChangeCatalogCodeOld");
    edtChangeCatalogCodeOld->setEnabled(false);
    edtChangeCatalogCodeNew = new QLineEdit(this);
    edtChangeCatalogCodeNew->setObjectName("edtChangeCatalogCodeNew");
    TCodeKeyFilter::Install(edtChangeCatalogCodeNew);
    form->addRow(Tr("Old Catalog Code"), edtChangeCatalogCodeOld);
    form->addRow(Tr("New Catalog Code"), edtChangeCatalogCodeNew);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    btnOk = buttons->addButton(Tr("Ok"), QDialogButtonBox::AcceptRole);
    btnOk->setDefault(true);
    QPushButton* cancel = buttons->addButton(Tr("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* helpButton = buttons->addButton(Tr("Help"), QDialogButtonBox::HelpRole);
    connect(btnOk, &QPushButton::clicked, this, &TfrmChangeCatalogCode::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [help] {
        if (help)
            help->ShowHelpForAlias("ChangeCatalogCode");
    });
    layout->addWidget(buttons);
    setMinimumWidth(340);
    edtChangeCatalogCodeNew->setFocus();
}

std::string TfrmChangeCatalogCode::NewCode() const
{
    return S(edtChangeCatalogCodeNew->text());
}

void TfrmChangeCatalogCode::accept()
{
    // An empty code passes here: the renaming refuses it.
    const std::string code = NewCode();
    if (!code.empty() && !TCatalogDefinition::IsValidCatalogCode(code)) {
        gui_.ShowError("Catalog code contains not allowed symbols", true, "");
        edtChangeCatalogCodeNew->setFocus();
        edtChangeCatalogCodeNew->selectAll();
        return;
    }
    QDialog::accept();
}

void TfrmChangeCatalogCode::keyPressEvent(QKeyEvent* event)
{
    if (ControlOperations::HandleFormKeyPress(this, event, {}))
        return;
    QDialog::keyPressEvent(event);
}
