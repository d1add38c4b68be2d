#pragma once
// A TCommonGui for tests: records every box that was shown and gives the
// answers the test queued. A box without a queued answer gets the default
// answer of its buttons, as if the user closed it with the close control.
#include "common/CommonGui.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct TShownBox {
    std::string kind;     // "error", "warning", "information", "question", "input", "choice", "password", "save", "open", "itemtype"
    std::string message;  // message, prompt of an input box, or filter of an open-file dialog
    std::string caption;
    int flags = 0;
    std::string checkBoxText;
    std::string helpTopic;
    bool translate = false;
    std::string initialDir; // file dialogs
};

class TScriptedGui : public TCommonGui {
public:
    // Queued answers, taken in order by the questions and input boxes.
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    void QueueInput(const std::string& value, bool ok = true);
    void QueueCheckBox(bool checked) { checks_.push_back(checked); }
    // Answers the questions and choices no answer was queued for, given the
    // box just shown; without one they get their buttons' default answer.
    void SetAnswerer(std::function<int(const TShownBox&)> answerer) { answerer_ = std::move(answerer); }

    const std::vector<TShownBox>& Shown() const { return shown_; }
    // The messages of the shown boxes of one kind, in order.
    std::vector<std::string> Messages(const std::string& kind) const;
    void Clear() { shown_.clear(); }

    int WaitDepth() const { return waitDepth_; }
    int ProgressSteps() const { return progressSteps_; }
    // Makes ProgressStep answer false (the user asked to stop) from step N on.
    void StopProgressAt(int step) { stopAt_ = step; }

    void ShowError(const std::string& message, bool translate, const std::string& helpTopic) override;
    void ShowWarning(const std::string& message, bool translate, const std::string& helpTopic) override;
    void ShowInformation(const std::string& message, bool translate, const std::string& helpTopic) override;
    int AskQuestion(const std::string& message, const std::string& caption, bool translate,
                    const std::string& helpTopic, int flags) override;
    int AskQuestionWithCheckBox(const std::string& message, const std::string& checkBoxText,
                                bool& checked, const std::string& caption, bool translate,
                                const std::string& helpTopic) override;
    int AskYesNoCancel(const std::string& message, const std::string& caption, bool translate,
                       const std::string& helpTopic) override;
    bool InputValue(const std::string& caption, const std::string& prompt, std::string& value,
                    bool translate, const std::string& helpTopic) override;
    bool InputValueWithCheckBox(const std::string& caption, const std::string& checkBoxText,
                                const std::string& prompt, std::string& value, bool& checked,
                                bool translate, const std::string& helpTopic) override;
    int AskChoice(const std::string& firstText, const std::string& secondText,
                  const std::string& caption) override;
    bool ChangePassword(std::string& password) override;
    // File dialogs take the queued inputs too (ok false: cancelled).
    bool SelectSaveFile(const std::string& title, const std::string& initialDir,
                        const std::string& proposedName, const std::string& filter,
                        std::string& fileName) override;
    bool SelectOpenFile(const std::string& title, const std::string& initialDir,
                        const std::string& filter, std::string& fileName) override;
    void BeginWait() override { ++waitDepth_; }
    void EndWait() override { --waitDepth_; }
    void ProgressStart(const std::string& caption, int total) override { progressSteps_ = 0; }
    bool ProgressStep(int position, const std::string& text) override;
    void ProgressEnd() override {}
    void ProcessMessages() override {}
    // The item-type choice takes the next queued input as the chosen value
    // (ok false: cancelled); it is recorded as "itemtype" with the value it
    // started from as its message.
    bool SelectItemType(const std::vector<std::string>& typeList, std::string& itemType, int& firstId,
                        int& lastId, bool namesAsCaptions, bool showIdPanel) override;

private:
    int NextAnswer(int flags);
    // The next queued input: true and Value set when it was "Ok".
    bool TakeInput(std::string& value);
    struct Input { std::string value; bool ok; };

    std::vector<TShownBox> shown_;
    std::deque<int> answers_;
    std::deque<Input> inputs_;
    std::deque<bool> checks_;
    int waitDepth_ = 0;
    int progressSteps_ = 0;
    int stopAt_ = -1;
    std::function<int(const TShownBox&)> answerer_;
};
