#pragma once
// The program's own message box: a message that wraps at two thirds of the
// screen, a system icon, up to three answer buttons and a help button, an
// optional check box and an optional input field. Closing it with the
// window's close control (or Escape) gives the default answer of its
// buttons: 2 for Yes/No/Cancel and Ok/Cancel, 7 for Yes/No, 1 for Ok alone.
#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TfrmMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMessageBox(QWidget* parent = nullptr);

    // Shows help for a list of aliases; the help button calls it.
    using THelpHandler = std::function<void(const std::vector<std::string>&)>;
    void SetHelpHandler(THelpHandler handler) { helpHandler_ = std::move(handler); }

    // A help alias: the "Help" button shows, and never closes the box.
    void SetHelpTopic(const std::string& alias);
    // 16 error, 32 question, 48 warning, 64 information; no icon otherwise.
    void SetIcon(int iconFlags);
    // The button set of the low bits (3, 4, 1, other) and the default
    // button (0x100 the second, 0x200 the third).
    void SetButtons(int flags);
    void SetMessage(const QString& message, const QString& caption);
    void SetCheckBoxText(const QString& text, bool checked);
    // Shows the input field with the value (an empty one too).
    void SetInputValue(const QString& value);

    // Lays the box out, shows it modally and returns the answer.
    int ShowBox();

    int DefaultAnswer() const { return defaultAnswer_; }
    bool IsChecked() const;
    QString InputValue() const;
    // The answer buttons in order (tests click them).
    const std::vector<QPushButton*>& AnswerButtons() const { return answerButtons_; }
    QPushButton* HelpButton() const { return helpButton_; }
    QLabel* MessageLabel() const { return message_; }

    void reject() override;

private:
    void AddButton(const char* caption, int answer);

    QLabel* icon_ = nullptr;
    QLabel* message_ = nullptr;
    QScrollArea* messageArea_ = nullptr;
    QCheckBox* checkBox_ = nullptr;
    QLineEdit* input_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    std::vector<QPushButton*> answerButtons_;
    int defaultAnswer_ = 1;
    int defaultIndex_ = 0;
    std::string helpTopic_;
    THelpHandler helpHandler_;
};
