#pragma once
// "Program Settings": fonts, languages of the program and of the help, the
// databases folder, the proxy server, the backup reminder and the advanced
// version. "Ok" is enabled by the first change and writes everything,
// then says that the change is active after a restart; "Cancel" writes
// nothing.
#include "shell/SettingsModel.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TCommonGui;
class THelpRequests;

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    // Asks for a folder: initial folder and help alias -> the folder chosen, empty when cancelled.
    using TChooseFolder = std::function<std::string(const std::string&, const std::string&)>;
    // Asks for a font: name and size in, false when cancelled.
    using TChooseFont = std::function<bool(std::string& name, int& size, bool fixedPitch)>;

    // Help may be null; it must outlive the dialog.
    TfrmSettings(TSettingsModel& model, TCommonGui& gui, THelpRequests* help,
                 TChooseFolder chooseFolder, TChooseFont chooseFont = {}, QWidget* parent = nullptr);

    // The values the controls show.
    TProgramSettingsValues Values() const;
    bool IsModified() const { return modified_; }
    void accept() override;

    QLineEdit* edtSettingsFontName;
    QLineEdit* edtSettingsFontSize;
    QPushButton* btnSettingsFont;
    QLineEdit* edtSettingsFontFixedName;
    QLineEdit* edtSettingsFontFixedSize;
    QPushButton* btnSettingsFontFixed;
    QComboBox* cbSettingsLanguage;
    QComboBox* cbSettingsHelpLanguage;
    QLineEdit* edtSettingsDatabasePath;
    QPushButton* btnSettingsDatabasePath;
    QLineEdit* edtSettingsProxyName;
    QLineEdit* edtSettingsProxyPort;
    QLineEdit* edtSettingsBackupRemind;
    QLineEdit* edtSettingsBackupKeep;
    QCheckBox* cbSettingsBackupDontRemind;
    QCheckBox* cbSettingsAdvancedVersion;
    QPushButton* btnOk;

private:
    void Load();
    void Modified();
    void ChooseFont(QLineEdit* name, QLineEdit* size, bool fixedPitch);

    TSettingsModel& model_;
    TCommonGui& gui_;
    TChooseFolder chooseFolder_;
    TChooseFont chooseFont_;
    bool modified_ = false;
    bool loading_ = false;
};
