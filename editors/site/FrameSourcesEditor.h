#pragma once
// The source editor as a page of an item's editor: the QScintilla editors
// of TSourcesEditorWidget over the value its mode names (the design's top
// and bottom HTML, a member of a class object, or the HTML kept in the
// editor's parameters), chosen from the UI editor's name and parameters.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/site/SourceEditorMode.h"

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
    // The mode the editor works in; the UI editor's name and its "class",
    // "member" and "OnlyTop" parameters choose it.
    virtual TSourceEditorMode ChooseMode();
    // The UI editor's parameter string, split at "&".
    std::vector<std::string> EditorParams() const;

private:
    TSourcesEditorWidget* editor_ = nullptr;
};
