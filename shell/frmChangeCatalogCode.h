#pragma once
// "Change Catalog Code": the old code (disabled) and the new one, typed
// through the code-key filter. "Ok" refuses a code with other characters
// than "-", "0"-"9", "_" and "a"-"z" ("Catalog code contains not allowed
// symbols") and keeps the dialog open with the code selected.
#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;
class TCommonGui;
class THelpRequests;

class TfrmChangeCatalogCode : public QDialog {
    Q_OBJECT
public:
    // Gui shows the refusal; Help (may be null) answers the Help button and must outlive the dialog.
    TfrmChangeCatalogCode(const std::string& oldCode, TCommonGui& gui, THelpRequests* help,
                          QWidget* parent = nullptr);

    std::string NewCode() const;
    void accept() override;

    QLineEdit* edtChangeCatalogCodeOld;
    QLineEdit* edtChangeCatalogCodeNew;
    QPushButton* btnOk;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCommonGui& gui_;
};
