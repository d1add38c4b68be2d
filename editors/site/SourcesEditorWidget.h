#pragma once
// The source editor's window part: "Top of page" and "Bottom of page", each
// a colouring source editor, one above the other with a splitter that halves
// the height until the user moves it; a context menu shared by both; the
// caret's row and column for the status bar. What it edits and how it is
// coloured is decided without widgets (TSourceEditorMode); the frame around
// it loads and stores the texts.
#include "editors/site/html/SourceEditorMode.h"

#include <QPointer>
#include <QWidget>

#include <string>

class QLabel;
class QMenu;
class QSplitter;
class TCommonGui;
class TFindReplace;
class TSourceTextEdit;

class TSourcesEditorWidget : public QWidget {
    Q_OBJECT
public:
    explicit TSourcesEditorWidget(TCommonGui& gui, QWidget* parent = nullptr);

    // Colours both editors for the mode and shows the top part only when it says so.
    void ApplyMode(const TSourceEditorMode& mode);
    const TSourceEditorMode& Mode() const { return mode_; }
    // Hides the label "Top of page", the splitter and the bottom part.
    void ShowTopOnly();
    bool SplitFixed() const { return splitFixed_; }

    // Texts as UTF-8; setting one never reports a modification.
    std::string TopText() const;
    void SetTopText(const std::string& text);
    std::string BottomText() const;
    void SetBottomText(const std::string& text);

    TSourceTextEdit* TopEditor() const { return top_; }
    TSourceTextEdit* BottomEditor() const { return bottom_; }
    QSplitter* Splitter() const { return splitter_; }

    // The shared find and replace dialogs, when the program has them.
    // The find and replace the context menu uses; the main window's when none is set.
    void SetFindReplace(TFindReplace* findReplace) { findReplace_ = findReplace; }

    // The context menu for an editor, its items enabled for the moment.
    QMenu* ContextMenu(TSourceTextEdit* editor);
    // "Validate XML" on an editor's text.
    void ValidateXml(TSourceTextEdit* editor);
    // Moves the caret to the editable region named Name.
    void GoToSection(TSourceTextEdit* editor, const std::string& name);

signals:
    // The user changed a text.
    void Modified();
    // "Row: 1 Col: 1" while an editor is in use; empty when it is left.
    void StatusText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TSourceTextEdit* AddEditor();
    void FillSections(QMenu* sections, TSourceTextEdit* editor);
    void HalveSplit();

    TCommonGui& gui_;
    TFindReplace* findReplace_ = nullptr;
    TSourceEditorMode mode_;
    QLabel* topLabel_;
    QLabel* bottomLabel_;
    QWidget* bottomPart_;
    QSplitter* splitter_;
    TSourceTextEdit* top_;
    TSourceTextEdit* bottom_;
    QMenu* menu_;
    QPointer<QMenu> sections_;
    bool splitFixed_ = false;
    bool tracking_ = true;
};
