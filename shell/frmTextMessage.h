#pragma once
// "Information": a label, a read-only text filling the window, "Ok", and a
// check box below (hidden unless a caption is given). The environment
// check shows its lines in it: as "System Information" before the program
// starts, with "Continue anyway", and from the about box without it.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class TEnvironmentCheck;

class TfrmTextMessage : public QDialog {
    Q_OBJECT
public:
    // CheckBoxText empty: no check box. Translate: the window's own captions
    // pass through the translation service.
    TfrmTextMessage(const QString& label, const QString& text, const QString& checkBoxText, bool translate,
                    QWidget* parent = nullptr);

    QLabel* lblTextMessage;
    QPlainTextEdit* memoTextMessage;
    QCheckBox* cbTextMessageDontShowAgain;

    // The check's lines before the program starts (not translated: the
    // translation is not loaded yet); true when "Continue anyway" was ticked.
    static bool ShowContinueDialog(const TEnvironmentCheck& check, QWidget* parent = nullptr);
    // The check's lines, from the about box.
    static void ShowInformation(const TEnvironmentCheck& check, QWidget* parent = nullptr);
};
