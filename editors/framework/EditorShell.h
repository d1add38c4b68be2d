#pragma once
// What the editing framework asks of the program around it: the action
// processor, the main window's private messages, help, the language combo,
// editor windows and the "Value for all languages" dialog. The Qt shell
// implements it; headless tests record the calls.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEditorWindow;
class TTolvexControlClass;

class TEditorShell {
public:
    virtual ~TEditorShell() = default;

    // The action processor: at once, or later through the main window.
    virtual void ExecuteAction(const std::string& action, bool check) = 0;
    virtual void QueueAction(const std::string& action, bool check) = 0;
    // Posts a private message to the main window (MainWindowMessages.h).
    virtual void PostMessage(int message, std::int64_t wParam, std::int64_t lParam) = 0;
    virtual void ShowHelpForAlias(const std::string& alias) = 0;
    // The catalog's languages were read again: the language combo refills.
    virtual void LanguagesReloaded() = 0;
    // A new editor window for a dialog-mode context; null when the program
    // has no windows.
    virtual std::unique_ptr<TEditorWindow> CreateEditorWindow() = 0;
    // The "Value for all languages" dialog over the member of the object of
    // ClassXmlTag of ItemId; Value holds the text of the current language
    // and receives its new text. True when closed with Ok.
    virtual bool EditValueInAllLanguages(TTolvexControlClass& context, int itemId, const std::string& classXmlTag,
                                         const std::string& memberXmlTag, std::string& value) = 0;
    // Fetches the rows of an object of a catalog that lives on the hosting
    // service into the local database (under "c#" and its code) in a runner
    // window, committed on a connection of their own, and waits until the
    // window is gone. True when the rows were stored; false without a program.
    virtual bool FetchFromHost(const std::string& /*catalogCode*/, int /*itemId*/, int /*classId*/,
                               const std::vector<std::string>& /*extraLines*/)
    {
        return false;
    }
};
