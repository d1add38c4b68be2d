#pragma once
// The modal dialog "Create/Update Catalog for" of FTP publishing: host name
// and port, default directory on the host, web site address, login name,
// password and whether to save it, language, default index file, update
// method, "Make server-side scripts" and the page to publish. It is filled from and read back into TFtpPublishParameters;
// "Start" closes it only when TFtpPublishParameters::Problem has nothing to
// say, otherwise the error is shown and the dialog stays. An address typed
// as the host is split into its fields (TFtpPublishParameters::Normalised).
#include "publishing/FtpPublishParameters.h"
#include "publishing/ui/PublishDialogParts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TCommonGui;
class TTranslation;

class TfrmFtpPublishParameters : public QDialog {
    Q_OBJECT
public:
    TfrmFtpPublishParameters(const TFtpPublishParameters& answers, TPublishPageField::TChooser chooser,
                             TCommonGui& gui, const TTranslation* translation, QWidget* parent = nullptr);

    // The answers as they stand in the dialog.
    TFtpPublishParameters Answers() const;

    QComboBox* LanguageBox() const { return language_; }
    QLineEdit* IndexEdit() const { return index_; }
    QComboBox* MethodBox() const { return method_; }
    QLineEdit* HostEdit() const { return host_; }
    QSpinBox* PortBox() const { return port_; }
    QLineEdit* LoginEdit() const { return login_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QCheckBox* SavePasswordBox() const { return savePassword_; }
    QLineEdit* DirectoryEdit() const { return directory_; }
    QLineEdit* UrlEdit() const { return url_; }
    QCheckBox* ScriptsBox() const { return scripts_; }
    TPublishPageField* PageField() const { return page_; }
    QPushButton* StartButton() const { return start_; }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Shows an address typed as the host split into host, port, login name and folder.
    void SplitAddress();

    TFtpPublishParameters answers_;
    TCommonGui& gui_;
    QComboBox* language_ = nullptr;
    QLineEdit* index_ = nullptr;
    QComboBox* method_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* login_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* savePassword_ = nullptr;
    QLineEdit* directory_ = nullptr;
    QLineEdit* url_ = nullptr;
    QCheckBox* scripts_ = nullptr;
    TPublishPageField* page_ = nullptr;
    QPushButton* start_ = nullptr;
};
