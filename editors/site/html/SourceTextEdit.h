#pragma once
// One text area of the source editor: QScintilla with a fixed-pitch font,
// no margins, the tab key inserting a tab, the colouring of a source kind,
// the shared find dialog's search, and its own undo history, which Edit /
// Undo and Redo reach while it has the focus.
#include "editors/site/html/SourceEditorMode.h"
#include "gui/FindReplace.h"
#include "gui/UndoTarget.h"

#include <Qsci/qsciscintilla.h>

#include <string>

class TSourceTextEdit : public QsciScintilla, public TFindTarget, public TUndoTarget {
    Q_OBJECT
public:
    explicit TSourceTextEdit(QWidget* parent = nullptr);

    void SetColouring(TSourceColouring colouring);
    TSourceColouring Colouring() const { return colouring_; }

    // The text as UTF-8 bytes; positions of the editor count these bytes.
    std::string Text() const;
    // Replaces the text, which starts a new undo history; line breaks typed
    // later follow the text's own kind.
    void SetText(const std::string& text);
    // Selects Length bytes from byte Position and scrolls them into view.
    void SelectBytes(std::size_t position, std::size_t length);
    // The caret's line and column, counted from 1.
    void CaretRowColumn(int& row, int& column) const;

    bool FindText(const QString& text, bool down, bool matchCase) override;
    // The shared replace dialog works on the text too.
    bool CanReplace() const override { return !isReadOnly(); }
    bool ReadText(QString& text, qsizetype& selStart, qsizetype& selLength) const override;
    void WriteText(qsizetype start, qsizetype length, const QString& replacement) override;
    void SelectText(qsizetype start, qsizetype length) override;

    bool CanUndo() const override;
    void Undo() override { undo(); }
    bool CanRedo() const override;
    void Redo() override { redo(); }

private:
    // The byte position of a position counted in UTF-16 units, and back.
    long BytePosition(const QString& text, qsizetype position) const;
    TSourceColouring colouring_ = TSourceColouring::Html;
};
