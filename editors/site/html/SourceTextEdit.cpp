#include "editors/site/html/SourceTextEdit.h"

#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qscilexerxml.h>

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>

namespace {

QFont SourceFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    return font;
}

QsciLexer* MakeLexer(TSourceColouring colouring, QObject* parent)
{
    switch (colouring) {
    case TSourceColouring::Xml:
        return new QsciLexerXML(parent);
    case TSourceColouring::Css:
        return new QsciLexerCSS(parent);
    case TSourceColouring::JavaScript: {
        auto* lexer = new QsciLexerJavaScript(parent);
        // Comments grey; numbers and strings in the highlight colour.
        const QColor grey(128, 128, 128);
        for (int style : {QsciLexerJavaScript::Comment, QsciLexerJavaScript::CommentLine,
                          QsciLexerJavaScript::CommentDoc, QsciLexerJavaScript::CommentLineDoc})
            lexer->setColor(grey, style);
        const QColor highlight = QApplication::palette().color(QPalette::Highlight);
        for (int style : {QsciLexerJavaScript::Number, QsciLexerJavaScript::DoubleQuotedString,
                          QsciLexerJavaScript::SingleQuotedString, QsciLexerJavaScript::UnclosedString})
            lexer->setColor(highlight, style);
        return lexer;
    }
    case TSourceColouring::Php:
    case TSourceColouring::Html:
        // The HTML colourer also colours the PHP between "<?php" and "?>".
        return new QsciLexerHTML(parent);
    }
    return nullptr;
}

}  // namespace

TSourceTextEdit::TSourceTextEdit(QWidget* parent) : QsciScintilla(parent)
{
    for (int margin = 0; margin < 3; ++margin)
        setMarginWidth(margin, 0);
    setIndentationsUseTabs(true);
    setTabIndents(false);
    setTabWidth(4);
    setUtf8(true);
    setFont(SourceFont());
    setWrapMode(WrapNone);
    // A little room between the border and the text; the horizontal scroll
    // bar only for lines wider than the window.
    SendScintilla(SCI_SETMARGINLEFT, 0, 4L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1L);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
    setBraceMatching(NoBraceMatch);
    SetColouring(TSourceColouring::Html);
    // Every change of the text (an undo and a redo too) may change what can be undone.
    connect(this, &QsciScintilla::textChanged, this, [this] { UndoStateChanged(); });
}

bool TSourceTextEdit::CanUndo() const { return !isReadOnly() && isUndoAvailable(); }

bool TSourceTextEdit::CanRedo() const { return !isReadOnly() && isRedoAvailable(); }

void TSourceTextEdit::SetColouring(TSourceColouring colouring)
{
    colouring_ = colouring;
    QsciLexer* old = lexer();
    QsciLexer* lexer = MakeLexer(colouring, this);
    lexer->setDefaultFont(SourceFont());
    lexer->setFont(SourceFont());
    setLexer(lexer);
    delete old;
}

std::string TSourceTextEdit::Text() const { return text().toUtf8().toStdString(); }

void TSourceTextEdit::SetText(const std::string& value)
{
    setEolMode(value.find("\r\n") != std::string::npos ? EolWindows : EolUnix);
    setText(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    // QScintilla starts a new history with the text.
    UndoStateChanged();
}

void TSourceTextEdit::SelectBytes(std::size_t position, std::size_t length)
{
    const long start = static_cast<long>(position);
    const long end = static_cast<long>(position + length);
    SendScintilla(SCI_SETSEL, start, end);
    SendScintilla(SCI_SCROLLCARET);
}

void TSourceTextEdit::CaretRowColumn(int& row, int& column) const
{
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    row = line + 1;
    column = index + 1;
}

bool TSourceTextEdit::FindText(const QString& text, bool down, bool matchCase)
{
    // Searching upwards starts before the selection, downwards after it.
    int lineFrom = -1, indexFrom = -1, lineTo = -1, indexTo = -1;
    getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    if (lineFrom < 0)
        getCursorPosition(&lineFrom, &indexFrom);
    return findFirst(text, false, matchCase, false, false, down, down ? -1 : lineFrom, down ? -1 : indexFrom);
}

long TSourceTextEdit::BytePosition(const QString& text, qsizetype position) const
{
    return static_cast<long>(QStringView(text).left(position).toUtf8().size());
}

bool TSourceTextEdit::ReadText(QString& out, qsizetype& selStart, qsizetype& selLength) const
{
    out = text();
    const QByteArray bytes = out.toUtf8();
    auto* self = const_cast<TSourceTextEdit*>(this);
    const long start = self->SendScintilla(SCI_GETSELECTIONSTART);
    const long end = self->SendScintilla(SCI_GETSELECTIONEND);
    selStart = QString::fromUtf8(bytes.left(start)).size();
    selLength = QString::fromUtf8(bytes.mid(start, end - start)).size();
    return true;
}

void TSourceTextEdit::WriteText(qsizetype start, qsizetype length, const QString& replacement)
{
    // One undoable change, whatever its size.
    const QString current = text();
    beginUndoAction();
    SendScintilla(SCI_SETTARGETSTART, BytePosition(current, start));
    SendScintilla(SCI_SETTARGETEND, BytePosition(current, start + length));
    const QByteArray bytes = replacement.toUtf8();
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    endUndoAction();
}

void TSourceTextEdit::SelectText(qsizetype start, qsizetype length)
{
    const QString current = text();
    SelectBytes(static_cast<std::size_t>(BytePosition(current, start)),
                static_cast<std::size_t>(BytePosition(current, start + length) - BytePosition(current, start)));
    setFocus();
}
