#include "editors/site/options/FrameUsersEditor.h"

#include "catalog/Singletons.h"
#include "common/CommonProcedures.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/options/FrameUsersEditorModel.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/options/frmAddNewUser.h"
#include "gui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using UiText::Q;

TFrameUsersEditor::TFrameUsersEditor(TFrameSite& site)
{
    setObjectName("TFrameUsersEditor");
    lvUsers_ = new QTreeWidget(this);
    lvUsers_->setObjectName("lvUsers");
    lvUsers_->setHeaderLabels({tr("Login Name"), tr("Description"), tr("Role")});
    lvUsers_->setRootIsDecorated(false);
    lvUsers_->setAllColumnsShowFocus(true);
    lvUsers_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    edtDescription_ = new QLineEdit(this);
    edtDescription_->setObjectName("edtDescription");
    cbRole_ = new QComboBox(this);
    cbRole_->setObjectName("cbRole");
    for (const auto& [caption, value] : TFrameUsersEditorModel::Roles())
        cbRole_->addItem(tr(caption.c_str()), Q(value));
    btnUpdate_ = new QPushButton(tr("&Update"), this);
    btnUpdate_->setObjectName("btnUpdate");
    btnSetPassword_ = new QPushButton(tr("Set &Password..."), this);
    btnSetPassword_->setObjectName("btnSetPassword");
    btnRemove_ = new QPushButton(tr("&Remove"), this);
    btnRemove_->setObjectName("btnRemove");
    btnAddUser_ = new QPushButton(tr("&Add User..."), this);
    btnAddUser_->setObjectName("btnAddUser");

    auto* lblDescription = new QLabel(tr("&Description:"), this);
    lblDescription->setBuddy(edtDescription_);
    auto* lblRole = new QLabel(tr("R&ole:"), this);
    lblRole->setBuddy(cbRole_);
    auto* details = new QGridLayout;
    details->addWidget(lblDescription, 0, 0);
    details->addWidget(edtDescription_, 0, 1);
    details->addWidget(lblRole, 1, 0);
    details->addWidget(cbRole_, 1, 1);
    details->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnUpdate_, btnSetPassword_, btnRemove_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btnAddUser_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvUsers_, 1);
    layout->addLayout(details);
    layout->addLayout(buttons);
    setTabOrder(lvUsers_, edtDescription_);
    setTabOrder(edtDescription_, cbRole_);
    setTabOrder(cbRole_, btnUpdate_);
    setTabOrder(btnUpdate_, btnSetPassword_);
    setTabOrder(btnSetPassword_, btnRemove_);
    setTabOrder(btnRemove_, btnAddUser_);

    connect(lvUsers_, &QTreeWidget::itemSelectionChanged, this, [this] { RowSelected(); });
    connect(btnAddUser_, &QPushButton::clicked, this, [this] { AddUser(); });
    connect(btnUpdate_, &QPushButton::clicked, this, [this] { UpdateUser(); });
    connect(btnSetPassword_, &QPushButton::clicked, this, [this] { SetPassword(); });
    connect(btnRemove_, &QPushButton::clicked, this, [this] { RemoveUser(); });
    TQtFrameSite::PlaceInto(site, this);
}

TFrameUsersEditor::~TFrameUsersEditor() = default;

void TFrameUsersEditor::LoadFromObjects(bool languageSwitch)
{
    if (languageSwitch && model_)
        return;
    TrackChanges = false;
    model_ = std::make_unique<TFrameUsersEditorModel>(SiteModelContextOf(*this));
    model_->UseWrites(TSiteDatabaseWrites::Deferred(*GetContext()));
    model_->Load();
    FillList(0);
    TrackChanges = true;
}

void TFrameUsersEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (model_)
        model_->Store();
}

bool TFrameUsersEditor::Save()
{
    if (model_) {
        const std::string error = model_->CheckRemovals();
        if (!error.empty()) {
            ShowFrameError(error);
            GetUIEditor()->SetInvalidControl(lvUsers_);
            return false;
        }
    }
    return TTolvexFrameEditor::Save();
}

void TFrameUsersEditor::AfterSave()
{
    if (!model_)
        return;
    // The added users come back with their item ids.
    const int row = SelectedRow();
    model_->Saved();
    FillList(std::max(0, row));
}

void TFrameUsersEditor::FillList(int selectRow)
{
    lvUsers_->clear();
    for (const TFrameUsersEditorModel::TUserRow& row : model_->Rows()) {
        QString role = Q(row.Role);
        for (const auto& [caption, value] : TFrameUsersEditorModel::Roles())
            if (value == row.Role)
                role = tr(caption.c_str());
        lvUsers_->addTopLevelItem(new QTreeWidgetItem({Q(row.Name), Q(row.Description), role}));
    }
    for (int column = 0; column < 3; ++column)
        lvUsers_->resizeColumnToContents(column);
    if (selectRow >= 0 && selectRow < lvUsers_->topLevelItemCount())
        lvUsers_->setCurrentItem(lvUsers_->topLevelItem(selectRow));
    RowSelected();
}

int TFrameUsersEditor::SelectedRow() const
{
    QTreeWidgetItem* item = lvUsers_->currentItem();
    return item && item->isSelected() ? lvUsers_->indexOfTopLevelItem(item) : -1;
}

void TFrameUsersEditor::RowSelected()
{
    const int row = SelectedRow();
    if (row >= 0 && model_) {
        const TFrameUsersEditorModel::TUserRow user = model_->Rows()[row];
        edtDescription_->setText(Q(user.Description));
        cbRole_->setCurrentIndex(std::max(0, cbRole_->findData(Q(user.Role), Qt::UserRole, Qt::MatchFixedString)));
    } else {
        edtDescription_->clear();
        cbRole_->setCurrentIndex(0);
    }
    UpdateButtons();
}

void TFrameUsersEditor::UpdateButtons()
{
    const int row = SelectedRow();
    btnUpdate_->setEnabled(row >= 0);
    btnSetPassword_->setEnabled(row >= 0);
    btnRemove_->setEnabled(model_ && model_->CanRemove(row));
}

void TFrameUsersEditor::Changed()
{
    if (TrackChanges)
        SetModified();
}

void TFrameUsersEditor::AddUser()
{
    TfrmAddNewUser dialog(this);
    while (dialog.exec() == QDialog::Accepted) {
        int row = -1;
        const std::string error = model_->AddUser(dialog.UserName(), dialog.Description(), dialog.Role(),
                                                  dialog.Password(), dialog.PasswordCheck(), &row);
        if (error.empty()) {
            FillList(row);
            Changed();
            return;
        }
        ShowFrameError(error);
    }
}

void TFrameUsersEditor::UpdateUser()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const std::string error = model_->Update(row, edtDescription_->text().toUtf8().toStdString(),
                                             cbRole_->currentData().toString().toStdString());
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    if (model_->IsModified()) {
        FillList(row);
        Changed();
    }
}

void TFrameUsersEditor::SetPassword()
{
    const int row = SelectedRow();
    std::string password;
    if (row < 0 || !CommonProcedures->Gui().ChangePassword(password))
        return;
    const std::string error = model_->SetPassword(row, password);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    Changed();
}

void TFrameUsersEditor::RemoveUser()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const std::string error = model_->Remove(row);
    if (!error.empty()) {
        ShowFrameError(error);
        return;
    }
    FillList(std::min(row, model_->RowCount() - 1));
    Changed();
}
