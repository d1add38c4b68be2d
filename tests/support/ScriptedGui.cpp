#include "support/ScriptedGui.h"

void TScriptedGui::QueueInput(const std::string& value, bool ok)
{
    inputs_.push_back({value, ok});
}

std::vector<std::string> TScriptedGui::Messages(const std::string& kind) const
{
    std::vector<std::string> result;
    for (const auto& box : shown_)
        if (box.kind == kind)
            result.push_back(box.message);
    return result;
}

bool TScriptedGui::TakeInput(std::string& value)
{
    if (inputs_.empty())
        return false;
    Input in = inputs_.front();
    inputs_.pop_front();
    if (in.ok)
        value = in.value;
    return in.ok;
}

int TScriptedGui::NextAnswer(int flags)
{
    if (answers_.empty())
        return answerer_ && !shown_.empty() ? answerer_(shown_.back()) : DefaultAnswerOfButtons(flags);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void TScriptedGui::ShowError(const std::string& message, bool translate, const std::string& helpTopic)
{
    shown_.push_back({"error", message, "Error", mbOk, "", helpTopic, translate, ""});
}

void TScriptedGui::ShowWarning(const std::string& message, bool translate, const std::string& helpTopic)
{
    shown_.push_back({"warning", message, "Error", mbOk, "", helpTopic, translate, ""});
}

void TScriptedGui::ShowInformation(const std::string& message, bool translate, const std::string& helpTopic)
{
    shown_.push_back({"information", message, "Information", mbOk, "", helpTopic, translate, ""});
}

int TScriptedGui::AskQuestion(const std::string& message, const std::string& caption, bool translate,
                              const std::string& helpTopic, int flags)
{
    int buttons = ((flags & 0x0F) == mbYesNoCancel) ? mbYesNoCancel : mbYesNo;
    shown_.push_back({"question", message, caption.empty() ? "Question" : caption,
                      buttons | (flags & ~0x0F), "", helpTopic, translate, ""});
    return NextAnswer(buttons);
}

int TScriptedGui::AskQuestionWithCheckBox(const std::string& message, const std::string& checkBoxText,
                                          bool& checked, const std::string& caption, bool translate,
                                          const std::string& helpTopic)
{
    shown_.push_back({"question", message, caption.empty() ? "Question" : caption, mbYesNo,
                      checkBoxText, helpTopic, translate, ""});
    checked = false;
    if (!checks_.empty()) {
        checked = checks_.front();
        checks_.pop_front();
    }
    return NextAnswer(mbYesNo);
}

int TScriptedGui::AskYesNoCancel(const std::string& message, const std::string& caption, bool translate,
                                 const std::string& helpTopic)
{
    return AskQuestion(message, caption, translate, helpTopic, mbYesNoCancel);
}

bool TScriptedGui::InputValue(const std::string& caption, const std::string& prompt, std::string& value,
                              bool translate, const std::string& helpTopic)
{
    shown_.push_back({"input", prompt, caption, mbOkCancel, "", helpTopic, translate, ""});
    return TakeInput(value);
}

bool TScriptedGui::InputValueWithCheckBox(const std::string& caption, const std::string& checkBoxText,
                                          const std::string& prompt, std::string& value, bool& checked,
                                          bool translate, const std::string& helpTopic)
{
    bool ok = InputValue(caption, prompt, value, translate, helpTopic);
    shown_.back().checkBoxText = checkBoxText;
    if (ok && !checks_.empty()) {
        checked = checks_.front();
        checks_.pop_front();
    }
    return ok;
}

bool TScriptedGui::SelectItemType(const std::vector<std::string>&, std::string& itemType, int& firstId,
                                  int& lastId, bool, bool)
{
    shown_.push_back({"itemtype", itemType, "", mbOkCancel, "", "", false, ""});
    firstId = lastId = 0;
    return TakeInput(itemType);
}

int TScriptedGui::AskChoice(const std::string& firstText, const std::string& secondText,
                            const std::string& caption)
{
    shown_.push_back({"choice", firstText + "\n" + secondText, caption, mbOkCancel, "", "", false, ""});
    return NextAnswer(mbOkCancel);
}

bool TScriptedGui::ChangePassword(std::string& password)
{
    shown_.push_back({"password", "", "Change Password", mbOkCancel, "", "", false, ""});
    std::string value;
    if (!TakeInput(value) || value == password)
        return false;
    password = value;
    return true;
}

bool TScriptedGui::ProgressStep(int position, const std::string& text)
{
    ++progressSteps_;
    return stopAt_ < 0 || progressSteps_ < stopAt_;
}

bool TScriptedGui::SelectSaveFile(const std::string& title, const std::string& initialDir,
                                  const std::string& proposedName, const std::string& filter,
                                  std::string& fileName)
{
    shown_.push_back({"save", proposedName, title, mbOkCancel, "", "", false, initialDir});
    return TakeInput(fileName);
}

bool TScriptedGui::SelectOpenFile(const std::string& title, const std::string& initialDir,
                                  const std::string& filter, std::string& fileName)
{
    shown_.push_back({"open", filter, title, mbOkCancel, "", "", false, initialDir});
    return TakeInput(fileName);
}
