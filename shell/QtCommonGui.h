#pragma once
// The common GUI operations on Qt: the program's own message box for every
// message, question and input box; the choice, password and item-type
// dialogs; Qt's file dialogs; the busy cursor for the hourglass and a
// progress dialog for long steps.
#include "common/CommonGui.h"
#include "gui/MessageBox.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QProgressDialog;
class THelpRequests;
class QWidget;

class TQtCommonGui : public TCommonGui {
public:
    TQtCommonGui();
    ~TQtCommonGui() override;

    // The window the boxes stand over (the main window once it exists).
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // What the help buttons of the boxes call; null: the boxes show no help. It must outlive its use.
    void SetHelp(THelpRequests* help) { help_ = help; }

    void ShowError(const std::string& message, bool translate, const std::string& helpTopic) override;
    void ShowWarning(const std::string& message, bool translate, const std::string& helpTopic) override;
    void ShowInformation(const std::string& message, bool translate, const std::string& helpTopic) override;
    int AskQuestion(const std::string& message, const std::string& caption, bool translate,
                    const std::string& helpTopic, int flags) override;
    int AskQuestionWithCheckBox(const std::string& message, const std::string& checkBoxText, bool& checked,
                                const std::string& caption, bool translate, const std::string& helpTopic) override;
    int AskYesNoCancel(const std::string& message, const std::string& caption, bool translate,
                       const std::string& helpTopic) override;
    bool InputValue(const std::string& caption, const std::string& prompt, std::string& value, bool translate,
                    const std::string& helpTopic) override;
    bool InputValueWithCheckBox(const std::string& caption, const std::string& checkBoxText,
                                const std::string& prompt, std::string& value, bool& checked, bool translate,
                                const std::string& helpTopic) override;
    int AskChoice(const std::string& firstText, const std::string& secondText, const std::string& caption) override;
    bool ChangePassword(std::string& password) override;
    bool SelectSaveFile(const std::string& title, const std::string& initialDir, const std::string& proposedName,
                        const std::string& filter, std::string& fileName) override;
    bool SelectOpenFile(const std::string& title, const std::string& initialDir, const std::string& filter,
                        std::string& fileName) override;
    void BeginWait() override;
    void EndWait() override;
    void ProgressStart(const std::string& caption, int total) override;
    bool ProgressStep(int position, const std::string& text) override;
    void ProgressEnd() override;
    void ProcessMessages() override;

    // "Create New Item": TypeList holds Name=Value lines; the entries show
    // name===value (names as captions) or value===name. True on "Ok", with
    // the chosen type and the ids (equal for one id, a range otherwise, 0 for none).
    bool SelectItemType(const std::vector<std::string>& typeList, std::string& itemType, int& firstId,
                        int& lastId, bool namesAsCaptions, bool showIdPanel) override;

    // Turns a "Caption (*.ext)|*.ext|..." filter into Qt's form.
    static QString QtFilter(const std::string& filter);

private:
    std::unique_ptr<TfrmMessageBox> NewBox(const std::string& helpTopic, int icon, int buttons);
    static QString QuestionCaption(const std::string& caption, bool translate);

    QPointer<QWidget> parent_;
    THelpRequests* help_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    int waitDepth_ = 0;
};
