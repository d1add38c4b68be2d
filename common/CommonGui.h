#pragma once
// The operations through which core code talks to the user: the program's own
// message boxes, questions, input boxes, the hourglass and progress.
// The Qt shell implements it; tests use a scripted implementation.
#include <string>
#include <vector>

// Answers of the message boxes (the window results of their buttons).
enum TMessageAnswer : int {
    mrOk = 1,
    mrCancel = 2,
    mrYes = 6,
    mrNo = 7,
    mrFirstChoice = 101,
    mrSecondChoice = 102,
};

// Button flags of the message boxes.
enum TMessageButtons : int {
    mbOk = 0,
    mbOkCancel = 1,
    mbYesNoCancel = 3,
    mbYesNo = 4,
    mbDefaultButton2 = 0x100,
    mbDefaultButton3 = 0x200,
};

// Icon flags of the message boxes.
enum TMessageIcon : int {
    miNone = 0,
    miError = 16,
    miQuestion = 32,
    miWarning = 48,
    miInformation = 64,
};

// The default answer of a button set: what closing the box with the
// window's close control gives.
int DefaultAnswerOfButtons(int flags);

class TCommonGui {
public:
    virtual ~TCommonGui() = default;

    // Message boxes. With Translate set, message and caption pass through
    // the translation service first.
    virtual void ShowError(const std::string& message, bool translate = true,
                           const std::string& helpTopic = "") = 0;
    virtual void ShowWarning(const std::string& message, bool translate = true,
                             const std::string& helpTopic = "") = 0;
    virtual void ShowInformation(const std::string& message, bool translate = true,
                                 const std::string& helpTopic = "") = 0;
    // Yes/No (or Yes/No/Cancel with flags 3); returns 6, 7 or 2.
    virtual int AskQuestion(const std::string& message, const std::string& caption = "",
                            bool translate = true, const std::string& helpTopic = "",
                            int flags = 0) = 0;
    virtual int AskQuestionWithCheckBox(const std::string& message, const std::string& checkBoxText,
                                        bool& checked, const std::string& caption = "",
                                        bool translate = true,
                                        const std::string& helpTopic = "") = 0;
    virtual int AskYesNoCancel(const std::string& message, const std::string& caption = "",
                               bool translate = true, const std::string& helpTopic = "") = 0;
    // Input boxes: true when the user answered "Ok"; Value is changed only then.
    virtual bool InputValue(const std::string& caption, const std::string& prompt,
                            std::string& value, bool translate = true,
                            const std::string& helpTopic = "") = 0;
    virtual bool InputValueWithCheckBox(const std::string& caption, const std::string& checkBoxText,
                                        const std::string& prompt, std::string& value,
                                        bool& checked, bool translate = true,
                                        const std::string& helpTopic = "") = 0;
    // A choice between two options: 101 first, 102 second, 2 cancelled.
    virtual int AskChoice(const std::string& firstText, const std::string& secondText,
                          const std::string& caption) = 0;
    // True when confirmed with a password different from the old one.
    virtual bool ChangePassword(std::string& password) = 0;

    // File dialogs. Filter is "Caption (*.ext)|*.ext". True when the user
    // chose a file, whose full name is returned then.
    virtual bool SelectSaveFile(const std::string& title, const std::string& initialDir,
                                const std::string& proposedName, const std::string& filter,
                                std::string& fileName) = 0;
    virtual bool SelectOpenFile(const std::string& title, const std::string& initialDir,
                                const std::string& filter, std::string& fileName) = 0;

    // The hourglass cursor while a long step runs.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // Progress of a long step: Start with a caption and the number of steps,
    // Step to advance; Step returns false when the user asked to stop.
    virtual void ProgressStart(const std::string& caption, int total) = 0;
    virtual bool ProgressStep(int position, const std::string& text = "") = 0;
    virtual void ProgressEnd() = 0;

    // Lets the user interface process pending events (a no-op without one).
    virtual void ProcessMessages() = 0;

    // The item-type choice: TypeList holds "Name=Value" lines, shown as
    // captions (names with NamesAsCaptions, else values) that keep the other
    // part; ItemType starts as the value to select. True on "Ok", with the
    // chosen value and, with ShowIdPanel, the ids typed (equal for one id,
    // a range otherwise, 0 for none). Without a user interface: false.
    virtual bool SelectItemType(const std::vector<std::string>& typeList, std::string& itemType, int& firstId,
                                int& lastId, bool namesAsCaptions, bool showIdPanel)
    {
        return false;
    }
};

// Keeps the hourglass shown for the lifetime of the object.
class TWaitCursor {
public:
    explicit TWaitCursor(TCommonGui& gui) : gui_(gui) { gui_.BeginWait(); }
    ~TWaitCursor() { gui_.EndWait(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    TCommonGui& gui_;
};
