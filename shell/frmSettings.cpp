#include "shell/frmSettings.h"

#include "common/CaptionValue.h"
#include "gui/HelpRequests.h"
#include "common/CommonGui.h"
#include "gui/ControlOperations.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

namespace {

QLineEdit* Edit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* Ellipsis(QWidget* parent, const char* name)
{
    auto* button = new QPushButton("...", parent);
    button->setObjectName(name);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance("....") + 16);
    return button;
}

void FillLanguages(QComboBox* combo, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries)
        ControlOperations::AddComboBoxItem(combo, Q(CaptionValue::CaptionOf(entry)), Q(CaptionValue::ValueOf(entry)));
}

// The font dialog of the platform.
bool PickFont(std::string& name, int& size, bool fixedPitch, QWidget* parent)
{
    bool ok = false;
    const QFontDialog::FontDialogOptions options =
        fixedPitch ? QFontDialog::MonospacedFonts : QFontDialog::FontDialogOptions();
    const QFont font = QFontDialog::getFont(&ok, QFont(Q(name), size), parent, QString(), options);
    if (!ok)
        return false;
    name = S(font.family());
    size = font.pointSize();
    return true;
}

}  // namespace

TfrmSettings::TfrmSettings(TSettingsModel& model, TCommonGui& gui, THelpRequests* help,
                           TChooseFolder chooseFolder, TChooseFont chooseFont, QWidget* parent)
    : QDialog(parent), model_(model), gui_(gui), chooseFolder_(std::move(chooseFolder)),
      chooseFont_(std::move(chooseFont))
{
    setObjectName("frmSettings");
    setWindowTitle(Tr("Program Settings"));
    auto* layout = new QVBoxLayout(this);

    auto* fonts = new QGroupBox(Tr("Fonts"), this);
    auto* fontGrid = new QGridLayout(fonts);
    edtSettingsFontName = Edit(fonts, "edtSettingsFontName");
    edtSettingsFontSize = Edit(fonts, "edtSettingsFontSize");
    btnSettingsFont = Ellipsis(fonts, "btnSettingsFont");
    edtSettingsFontFixedName = Edit(fonts, "edtSettingsFontFixedName");
    edtSettingsFontFixedSize = Edit(fonts, "edtSettingsFontFixedSize");
    btnSettingsFontFixed = Ellipsis(fonts, "btnSettingsFontFixed");
    for (QLineEdit* edit : {edtSettingsFontName, edtSettingsFontSize, edtSettingsFontFixedName, edtSettingsFontFixedSize}) {
        // Changed only through the font dialog; the focus goes on to its button.
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    edtSettingsFontSize->setMaximumWidth(60);
    edtSettingsFontFixedSize->setMaximumWidth(60);
    fontGrid->addWidget(new QLabel(Tr("Font Name"), fonts), 0, 0);
    fontGrid->addWidget(edtSettingsFontName, 0, 1);
    fontGrid->addWidget(new QLabel(Tr("Font Size"), fonts), 0, 2);
    fontGrid->addWidget(edtSettingsFontSize, 0, 3);
    fontGrid->addWidget(btnSettingsFont, 0, 4);
    fontGrid->addWidget(new QLabel(Tr("Fixed-Width Font Name"), fonts), 1, 0);
    fontGrid->addWidget(edtSettingsFontFixedName, 1, 1);
    fontGrid->addWidget(new QLabel(Tr("Font Size"), fonts), 1, 2);
    fontGrid->addWidget(edtSettingsFontFixedSize, 1, 3);
    fontGrid->addWidget(btnSettingsFontFixed, 1, 4);
    fontGrid->setColumnStretch(1, 1);
    layout->addWidget(fonts);

    auto* general = new QGroupBox(Tr("Languages and folders"), this);
    auto* grid = new QGridLayout(general);
    cbSettingsLanguage = new QComboBox(general);
    cbSettingsLanguage->setObjectName("cbSettingsLanguage");
    cbSettingsHelpLanguage = new QComboBox(general);
    cbSettingsHelpLanguage->setObjectName("cbSettingsHelpLanguage");
    edtSettingsDatabasePath = Edit(general, "edtSettingsDatabasePath");
    btnSettingsDatabasePath = Ellipsis(general, "btnSettingsDatabasePath");
    grid->addWidget(new QLabel(Tr("Language of Program"), general), 0, 0);
    grid->addWidget(cbSettingsLanguage, 0, 1, 1, 2);
    grid->addWidget(new QLabel(Tr("Help File Language"), general), 1, 0);
    grid->addWidget(cbSettingsHelpLanguage, 1, 1, 1, 2);
    grid->addWidget(new QLabel(Tr("Path to databases directory"), general), 2, 0);
    grid->addWidget(edtSettingsDatabasePath, 2, 1);
    grid->addWidget(btnSettingsDatabasePath, 2, 2);
    grid->setColumnStretch(1, 1);
    layout->addWidget(general);

    auto* proxy = new QGroupBox(Tr("Proxy Server"), this);
    auto* proxyRow = new QHBoxLayout(proxy);
    edtSettingsProxyName = Edit(proxy, "edtSettingsProxyName");
    edtSettingsProxyPort = Edit(proxy, "edtSettingsProxyPort");
    edtSettingsProxyPort->setMaximumWidth(70);
    proxyRow->addWidget(new QLabel(Tr("Name of Proxy Server"), proxy));
    proxyRow->addWidget(edtSettingsProxyName, 1);
    proxyRow->addWidget(new QLabel(Tr("Port"), proxy));
    proxyRow->addWidget(edtSettingsProxyPort);
    layout->addWidget(proxy);

    auto* backup = new QGroupBox(Tr("Backup"), this);
    auto* backupGrid = new QGridLayout(backup);
    edtSettingsBackupRemind = Edit(backup, "edtSettingsBackupRemind");
    edtSettingsBackupKeep = Edit(backup, "edtSettingsBackupKeep");
    edtSettingsBackupRemind->setMaximumWidth(70);
    edtSettingsBackupKeep->setMaximumWidth(70);
    cbSettingsBackupDontRemind = new QCheckBox(Tr("Don't remind to backup "), backup);
    cbSettingsBackupDontRemind->setObjectName("cbSettingsBackupDontRemind");
    backupGrid->addWidget(new QLabel(Tr("Remind me backup every (days)"), backup), 0, 0);
    backupGrid->addWidget(edtSettingsBackupRemind, 0, 1);
    backupGrid->addWidget(new QLabel(Tr("Don't keep more than previous backups"), backup), 1, 0);
    backupGrid->addWidget(edtSettingsBackupKeep, 1, 1);
    backupGrid->addWidget(cbSettingsBackupDontRemind, 2, 0, 1, 2);
    backupGrid->setColumnStretch(2, 1);
    layout->addWidget(backup);

    cbSettingsAdvancedVersion = new QCheckBox(Tr("Advanced Version"), this);
    cbSettingsAdvancedVersion->setObjectName("cbSettingsAdvancedVersion");
    layout->addWidget(cbSettingsAdvancedVersion);

    auto* buttons = new QDialogButtonBox(this);
    btnOk = buttons->addButton(Tr("Ok"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(Tr("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* helpButton = buttons->addButton(Tr("Help"), QDialogButtonBox::HelpRole);
    btnOk->setEnabled(false);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &TfrmSettings::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [help] {
        if (help)
            help->ShowHelpForAlias("frmSettings");
    });
    layout->addWidget(buttons);

    FillLanguages(cbSettingsLanguage, model_.ProgramLanguages());
    FillLanguages(cbSettingsHelpLanguage, model_.HelpLanguages());
    Load();

    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &TfrmSettings::Modified);
    for (QComboBox* combo : {cbSettingsLanguage, cbSettingsHelpLanguage})
        connect(combo, &QComboBox::currentIndexChanged, this, &TfrmSettings::Modified);
    for (QCheckBox* box : {cbSettingsBackupDontRemind, cbSettingsAdvancedVersion})
        connect(box, &QCheckBox::clicked, this, &TfrmSettings::Modified);
    connect(btnSettingsFont, &QPushButton::clicked, this,
            [this] { ChooseFont(edtSettingsFontName, edtSettingsFontSize, false); });
    connect(btnSettingsFontFixed, &QPushButton::clicked, this,
            [this] { ChooseFont(edtSettingsFontFixedName, edtSettingsFontFixedSize, true); });
    connect(btnSettingsDatabasePath, &QPushButton::clicked, this, [this] {
        if (!chooseFolder_)
            return;
        const std::string folder = chooseFolder_(S(edtSettingsDatabasePath->text()), "SettingsDatabasePath");
        if (!folder.empty())
            edtSettingsDatabasePath->setText(Q(folder));
    });
}

void TfrmSettings::Load()
{
    loading_ = true;
    const TProgramSettingsValues values = model_.Load();
    edtSettingsProxyName->setText(Q(values.ProxyName));
    edtSettingsProxyPort->setText(Q(values.ProxyPort));
    edtSettingsFontFixedName->setText(Q(values.FixedFontName));
    edtSettingsFontFixedSize->setText(Q(values.FixedFontSize));
    edtSettingsFontName->setText(Q(values.FontName));
    edtSettingsFontSize->setText(Q(values.FontSize));
    edtSettingsBackupRemind->setText(Q(values.BackupRemind));
    edtSettingsBackupKeep->setText(Q(values.BackupKeep));
    cbSettingsBackupDontRemind->setChecked(values.DontRemindBackup);
    cbSettingsAdvancedVersion->setChecked(values.AdvancedVersion);
    edtSettingsDatabasePath->setText(Q(values.DatabasePath));
    ControlOperations::SelectComboBoxValue(cbSettingsHelpLanguage, Q(values.HelpLanguage), -1);
    ControlOperations::SelectComboBoxValue(cbSettingsLanguage, Q(values.Language), -1);
    loading_ = false;
}

void TfrmSettings::Modified()
{
    if (loading_ || modified_)
        return;
    modified_ = true;
    btnOk->setEnabled(true);
}

void TfrmSettings::ChooseFont(QLineEdit* name, QLineEdit* size, bool fixedPitch)
{
    std::string fontName = S(name->text());
    bool isNumber = false;
    int fontSize = size->text().trimmed().toInt(&isNumber);
    if (!isNumber)
        fontSize = 9;
    const bool chosen = chooseFont_ ? chooseFont_(fontName, fontSize, fixedPitch)
                                    : PickFont(fontName, fontSize, fixedPitch, this);
    if (!chosen)
        return;
    name->setText(Q(fontName));
    size->setText(QString::number(fontSize));
    Modified();
}

TProgramSettingsValues TfrmSettings::Values() const
{
    TProgramSettingsValues values;
    values.FontName = S(edtSettingsFontName->text());
    values.FontSize = S(edtSettingsFontSize->text());
    values.FixedFontName = S(edtSettingsFontFixedName->text());
    values.FixedFontSize = S(edtSettingsFontFixedSize->text());
    values.Language = S(ControlOperations::GetComboBoxValue(cbSettingsLanguage));
    values.HelpLanguage = S(ControlOperations::GetComboBoxValue(cbSettingsHelpLanguage));
    values.DatabasePath = S(edtSettingsDatabasePath->text());
    values.ProxyName = S(edtSettingsProxyName->text());
    values.ProxyPort = S(edtSettingsProxyPort->text());
    values.BackupRemind = S(edtSettingsBackupRemind->text());
    values.BackupKeep = S(edtSettingsBackupKeep->text());
    values.DontRemindBackup = cbSettingsBackupDontRemind->isChecked();
    values.AdvancedVersion = cbSettingsAdvancedVersion->isChecked();
    return values;
}

void TfrmSettings::accept()
{
    model_.Save(Values());
    gui_.ShowWarning("The change will be active after restart", true, "");
    QDialog::accept();
}
