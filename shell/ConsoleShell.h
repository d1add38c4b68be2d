#pragma once
// The program without a window (the --paths and --version reports):
// messages go to the terminal, questions get the answer of closing their
// box, and the root object goes without GUI parts.
#include "catalog/CatalogDataUI.h"
#include "catalog/TolvexGuiControl.h"
#include "catalog/TolvexHelpSystem.h"
#include "catalog/TolvexShell.h"
#include "common/QuietGui.h"
#include "generation/StyleDialog.h"
#include "generation/StyleOperation.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TTolvexException;

// Messages go to the terminal; questions get the answer of closing the box.
// Everything else is refused or ignored, as by the quiet GUI.
class TConsoleGui : public TQuietGui {
public:
    void ShowError(const std::string& message, bool, const std::string&) override { Print("Error", message); }
    void ShowWarning(const std::string& message, bool, const std::string&) override { Print("Warning", message); }
    void ShowInformation(const std::string& message, bool, const std::string&) override { Print("", message); }
    int AskQuestion(const std::string& message, const std::string&, bool, const std::string&, int flags) override
    {
        Print("Question", message);
        return DefaultAnswerOfButtons(flags == 0 ? mbYesNo : flags);
    }
    int AskQuestionWithCheckBox(const std::string& message, const std::string&, bool&, const std::string&, bool,
                                const std::string&) override
    {
        Print("Question", message);
        return DefaultAnswerOfButtons(mbYesNo);
    }
    int AskYesNoCancel(const std::string& message, const std::string&, bool, const std::string&) override
    {
        Print("Question", message);
        return mrCancel;
    }

private:
    static void Print(const char* kind, const std::string& message)
    {
        std::fprintf(stderr, "tolvex: %s%s%s\n", kind, *kind ? ": " : "", message.c_str());
    }
};

// A program without a main window: no GUI parts, nothing to post.
class TConsoleShell : public TTolvexShell {
public:
    void SetExceptionHandler(TTolvexException* handler) override { handler_ = handler; }
    void Terminate() override {}
    void PostCloseRequest() override {}
    void PostReopenCatalog() override {}
    void SetMainCaption(const std::string&) override {}
    std::unique_ptr<TTolvexGuiControl> CreateGuiControl(TTolvex&) override { return nullptr; }
    std::unique_ptr<TStyleDialog> CreateStyleDialog() override { return nullptr; }
    std::unique_ptr<TTolvexHelpSystem> CreateHelpSystem(TTolvex&) override { return nullptr; }
    std::unique_ptr<TCatalogDataUI> CreateCatalogUI(TCatalogData&) override { return nullptr; }
    void LoginShowWelcome(const std::string&, bool) override {}
    void LoginOpenCatalog(const std::string&, const std::string&, const std::string&) override {}
    void LoginNewCatalog() override {}
    void LoginNewCatalogFromHost() override {}
    std::string GetActionString(int) override { return {}; }
    void ExecuteActionById(int, bool) override {}
    void PostActionById(int, bool) override {}
    void ExecuteAction(const std::string&, bool) override {}
    void QueueAction(const std::string&, bool) override {}
    bool AskNewCatalogCode(const std::string&, std::string&) override { return false; }
    bool RunSoftwareUpdate(const std::vector<std::string>&, bool) override { return false; }
    bool RunWebSiteImport(std::vector<std::string>&, TAbstractDBConnection&) override { return false; }
    void StartStyleOperation(std::unique_ptr<TStyleOperation>) override {}

    TTolvexException* Handler() const { return handler_; }

private:
    TTolvexException* handler_ = nullptr;
};
