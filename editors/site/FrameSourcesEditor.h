#pragma once
// The source editor as a page of an item's editor: the QScintilla editors
// of TSourcesEditorWidget over the value its mode names (the design's top
// and bottom HTML, a member of a class object, or the HTML kept in the
// editor's parameters), chosen from the UI editor's name and parameters.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/site/html/SourceEditorMode.h"

#include <QWidget>

class TFrameSite;
class TSourcesEditorWidget;

class TFrameSourcesEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameSourcesEditor(TFrameSite& site);

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    TSourcesEditorWidget* Editor() const { return editor_; }

protected:
    // The user edited the text shown since it was last loaded. Only then is it
    // stored: after a language switch the frame may show another language's
    // value as a fallback, which must not be copied into the new language.
    bool EditedSinceLoad = false;
    // The mode the editor works in; the UI editor's name and its "class",
    // "member" and "OnlyTop" parameters choose it.
    virtual TSourceEditorMode ChooseMode();
    // The UI editor's parameter string, split at "&".
    std::vector<std::string> EditorParams() const;

private:
    TSourcesEditorWidget* editor_ = nullptr;
};
