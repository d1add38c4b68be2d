#pragma once
// The visual HTML editor as a page of an item's editor: the design views of
// THtmlEditorWidget over the design's top and bottom HTML in the content
// language, shown with the page's style sheets, with the insertion commands
// running the catalog's named dialogs through the editing context. "Show
// Borders" and "Show all possible attributes" are kept in the settings. Reading the views is asynchronous;
// storing waits for it in a local event loop so that Save stores what the
// views show. Views that do not answer in time fail the save with a message:
// the editor stays open and modified, and nothing it shows counts as saved.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/site/html/DesignPageStyle.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class TDialogParams;
class TFrameSite;
class THtmlEditorWidget;
class THtmlInsertionCommands;

class TFrameHtmlEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameHtmlEditor(TFrameSite& site);
    ~TFrameHtmlEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;

    THtmlEditorWidget* Editor() const { return editor_; }
    // How long storing waits for the views to answer (20 s).
    void SetReadTimeout(int milliseconds) { readTimeoutMs_ = milliseconds; }

    // The toolbar offers "Edit Html Source Code".
    bool SourceEditEnabled = true;

protected:
    // The user edited the text shown since it was last loaded. Only then is it
    // stored: after a language switch the frame may show another language's
    // value as a fallback, which must not be copied into the new language.
    bool EditedSinceLoad = false;
    // Storing could not read what the views show: set by StoreToObjects,
    // cleared by Save and StoreViews before they store.
    bool ViewsUnread = false;
    // Stores what the views show; false, with the message shown, when they
    // did not answer in time.
    bool StoreViews();
    // The page's style sheets and background, which every part is shown with.
    TDesignPageStyle PageStyle;
    // "Edit Html Source Code": every language's HTML in the source dialog.
    virtual void EditHtmlSource();
    // Waits (in a local event loop) until the views are ready and runs Read,
    // which calls back once; false when the views did not answer in time.
    bool WaitForRead(const std::function<void(std::function<void()> finished)>& read);
    // Whether the user edited the views since they were loaded: the views'
    // change notice may still be on its way when Save is pressed, so the
    // views are asked when it has not arrived. False when they do not answer;
    // then ViewsUnread is set when the frame was changed.
    bool WasEdited();
    // The views show nothing more than their top part.
    void ShowTopOnly();
    THtmlInsertionCommands& Commands() { return *commands_; }

private:
    // "ImportHtmlData": a page from a file or the web; its body in "HtmlData".
    bool ImportHtmlData(TDialogParams& pairs);

    void ShowViewsUnread();

    std::unique_ptr<THtmlInsertionCommands> commands_;
    THtmlEditorWidget* editor_ = nullptr;
    int readTimeoutMs_ = 20000;
};
