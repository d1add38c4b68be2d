#pragma once
// A GUI that shows nothing and asks nothing: every question is answered
// Cancel, every input and file dialog is refused, progress never stops.
// For work that runs where nobody can answer (publishing workers,
// benchmarks).
#include "common/CommonGui.h"

#include <string>

class TQuietGui : public TCommonGui {
public:
    void ShowError(const std::string&, bool, const std::string&) override {}
    void ShowWarning(const std::string&, bool, const std::string&) override {}
    void ShowInformation(const std::string&, bool, const std::string&) override {}
    int AskQuestion(const std::string&, const std::string&, bool, const std::string&, int) override { return mrCancel; }
    int AskQuestionWithCheckBox(const std::string&, const std::string&, bool&, const std::string&, bool,
                                const std::string&) override
    {
        return mrCancel;
    }
    int AskYesNoCancel(const std::string&, const std::string&, bool, const std::string&) override { return mrCancel; }
    bool InputValue(const std::string&, const std::string&, std::string&, bool, const std::string&) override
    {
        return false;
    }
    bool InputValueWithCheckBox(const std::string&, const std::string&, const std::string&, std::string&, bool&, bool,
                                const std::string&) override
    {
        return false;
    }
    int AskChoice(const std::string&, const std::string&, const std::string&) override { return mrCancel; }
    bool ChangePassword(std::string&) override { return false; }
    bool SelectSaveFile(const std::string&, const std::string&, const std::string&, const std::string&,
                        std::string&) override
    {
        return false;
    }
    bool SelectOpenFile(const std::string&, const std::string&, const std::string&, std::string&) override
    {
        return false;
    }
    void BeginWait() override {}
    void EndWait() override {}
    void ProgressStart(const std::string&, int) override {}
    bool ProgressStep(int, const std::string&) override { return true; }
    void ProgressEnd() override {}
    void ProcessMessages() override {}
};
