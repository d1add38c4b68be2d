#include "gui/FindReplace.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "gui/TextSearch.h"
#include "gui/UiText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

using UiText::S;
using UiText::Tr;

// ---- the dialog -------------------------------------------------------------------------------

TfrmFindReplace::TfrmFindReplace(TFindReplace& owner, bool replace, bool withOptions, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? Tr("Replace") : Tr("Find"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    find_ = new QLineEdit(this);
    form->addRow(Tr("Find what:"), find_);
    if (replace) {
        replace_ = new QLineEdit(this);
        form->addRow(Tr("Replace with:"), replace_);
    }
    layout->addLayout(form);
    auto* options = new QHBoxLayout;
    matchCase_ = new QCheckBox(Tr("Match case"), this);
    up_ = new QRadioButton(Tr("Up"), this);
    down_ = new QRadioButton(Tr("Down"), this);
    down_->setChecked(true);
    options->addWidget(matchCase_);
    options->addStretch(1);
    options->addWidget(up_);
    options->addWidget(down_);
    layout->addLayout(options);
    for (QWidget* w : {static_cast<QWidget*>(matchCase_), static_cast<QWidget*>(up_), static_cast<QWidget*>(down_)})
        w->setVisible(withOptions);
    if (replace) {
        up_->hide();
        down_->hide();
    }
    auto* buttons = new QDialogButtonBox(this);
    findNext_ = buttons->addButton(Tr("Find Next"), QDialogButtonBox::ActionRole);
    findNext_->setDefault(true);
    connect(findNext_, &QPushButton::clicked, this,
            [this, &owner] { owner.Find(find_->text(), down_->isChecked(), matchCase_->isChecked()); });
    if (replace) {
        replaceButton_ = buttons->addButton(Tr("Replace"), QDialogButtonBox::ActionRole);
        replaceAll_ = buttons->addButton(Tr("Replace All"), QDialogButtonBox::ActionRole);
        connect(replaceButton_, &QPushButton::clicked, this,
                [this, &owner] { owner.ReplaceOne(find_->text(), replace_->text(), matchCase_->isChecked()); });
        connect(replaceAll_, &QPushButton::clicked, this,
                [this, &owner] { owner.ReplaceAll(find_->text(), replace_->text(), matchCase_->isChecked()); });
    }
    buttons->addButton(QDialogButtonBox::Close)->setText(Tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

// ---- the operations ------------------------------------------------------------------------------

namespace {

// The text, selection start and selection length of an edit control.
struct TEditText {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
};

bool ReadEdit(QWidget* target, TEditText& out)
{
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        out.text = line->text();
        out.selStart = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        out.selLength = line->selectedText().size();
        return true;
    }
    if (auto* custom = dynamic_cast<TFindTarget*>(target))
        return custom->CanReplace() && custom->ReadText(out.text, out.selStart, out.selLength);
    QTextCursor cursor;
    if (auto* text = qobject_cast<QTextEdit*>(target)) {
        out.text = text->toPlainText();
        cursor = text->textCursor();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
        out.text = plain->toPlainText();
        cursor = plain->textCursor();
    } else {
        return false;
    }
    out.selStart = cursor.selectionStart();
    out.selLength = cursor.selectionEnd() - cursor.selectionStart();
    return true;
}

void SelectInEdit(QWidget* target, qsizetype start, qsizetype length)
{
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->setSelection(static_cast<int>(start), static_cast<int>(length));
    } else if (auto* custom = dynamic_cast<TFindTarget*>(target)) {
        custom->SelectText(start, length);
    } else {
        QTextCursor cursor;
        if (auto* text = qobject_cast<QTextEdit*>(target))
            cursor = text->textCursor();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
            cursor = plain->textCursor();
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
        if (auto* text = qobject_cast<QTextEdit*>(target)) {
            text->setTextCursor(cursor);
            text->ensureCursorVisible();
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
            plain->setTextCursor(cursor);
            plain->ensureCursorVisible();
        }
    }
    target->setFocus();
}

// Replaces the text of an edit as one undoable change (its change signal fires).
void WriteEdit(QWidget* target, qsizetype start, qsizetype length, const QString& replacement)
{
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        line->setSelection(static_cast<int>(start), static_cast<int>(length));
        line->insert(replacement);
        return;
    }
    if (auto* custom = dynamic_cast<TFindTarget*>(target)) {
        custom->WriteText(start, length, replacement);
        return;
    }
    QTextCursor cursor;
    if (auto* text = qobject_cast<QTextEdit*>(target))
        cursor = text->textCursor();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        cursor = plain->textCursor();
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
}

}  // namespace

namespace {
TFindReplace* mainWindowFindReplace = nullptr;
}

TFindReplace::TFindReplace(TCommonGui& gui, QWidget* window) : gui_(gui), window_(window)
{
    if (window)
        mainWindowFindReplace = this;
}

TFindReplace* TFindReplace::Current() { return mainWindowFindReplace; }

TFindReplace::~TFindReplace()
{
    if (mainWindowFindReplace == this)
        mainWindowFindReplace = nullptr;
    delete findDialog_.data();
    delete replaceDialog_.data();
}

bool TFindReplace::IsSearchable(QWidget* target)
{
    return qobject_cast<QLineEdit*>(target) || qobject_cast<QTextEdit*>(target) ||
           qobject_cast<QPlainTextEdit*>(target) || qobject_cast<QTreeView*>(target) ||
           dynamic_cast<TFindTarget*>(target);
}

QWidget* TFindReplace::SearchableFor(QWidget* focus)
{
    // A web view or a composite editor keeps the focus on an inner child (the
    // engine's focus proxy, a viewport): the control that searches is the
    // nearest searchable widget up the parent chain.
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if (IsSearchable(widget))
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

void TFindReplace::ShowFindDialog(QWidget* target)
{
    target = SearchableFor(target);
    if (!target)
        return;
    target_ = target;
    if (!findDialog_) {
        // The first target decides, for the run, whether the options show.
        const bool tree = qobject_cast<QTreeView*>(target) != nullptr;
        findDialog_ = new TfrmFindReplace(*this, false, !tree, window_);
    }
    findDialog_->FindEdit()->setText(replaceDialog_ ? replaceDialog_->FindEdit()->text() : lastFind_);
    findDialog_->Down()->setChecked(searchDown_);
    findDialog_->MatchCase()->setChecked(matchCase_);
    findDialog_->show();
    findDialog_->raise();
    findDialog_->FindEdit()->setFocus();
    findDialog_->FindEdit()->selectAll();
}

void TFindReplace::ShowReplaceDialog(QWidget* target)
{
    target = SearchableFor(target);
    const bool edit = qobject_cast<QLineEdit*>(target) || qobject_cast<QTextEdit*>(target) ||
                      qobject_cast<QPlainTextEdit*>(target);
    auto* custom = dynamic_cast<TFindTarget*>(target);
    if (!edit && !(custom && custom->CanReplace()))
        return;
    target_ = target;
    if (!replaceDialog_)
        replaceDialog_ = new TfrmFindReplace(*this, true, true, window_);
    replaceDialog_->FindEdit()->setText(findDialog_ ? findDialog_->FindEdit()->text() : lastFind_);
    replaceDialog_->MatchCase()->setChecked(matchCase_);
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->FindEdit()->setFocus();
}

void TFindReplace::FindNext()
{
    if (!findDialog_ && !replaceDialog_)
        return;
    Find(lastFind_, searchDown_, matchCase_);
}

void TFindReplace::Remember(const QString& text, bool down, bool matchCase)
{
    lastFind_ = text;
    searchDown_ = down;
    matchCase_ = matchCase;
    if (replaceDialog_)
        replaceDialog_->FindEdit()->setText(text);
    if (findDialog_)
        findDialog_->FindEdit()->setText(text);
}

void TFindReplace::NotFound(const QString& text)
{
    const std::string message = ::Translation ? ::Translation->Format("Could not find \"$1\"", {S(text)})
                                              : "Could not find \"" + S(text) + "\"";
    gui_.ShowWarning(message, false, "");
}

void TFindReplace::Find(const QString& text, bool down, bool matchCase)
{
    Remember(text, down, matchCase);
    QWidget* target = target_;
    if (!target || text.isEmpty())
        return;
    if (auto* custom = dynamic_cast<TFindTarget*>(target)) {
        if (!custom->FindText(text, down, matchCase))
            NotFound(text);
        return;
    }
    TEditText edit;
    if (!ReadEdit(target, edit))
        return;  // a tree without a search of its own (the catalog trees search themselves)
    const qsizetype from = down ? edit.selStart + edit.selLength : edit.selStart;
    const qsizetype at = TextSearch::Find(edit.text, text, from, down, matchCase);
    if (at < 0) {
        NotFound(text);
        return;
    }
    SelectInEdit(target, at, text.size());
}

void TFindReplace::ReplaceOne(const QString& text, const QString& replacement, bool matchCase)
{
    Remember(text, true, matchCase);
    QWidget* target = target_;
    TEditText edit;
    if (!target || text.isEmpty() || !ReadEdit(target, edit))
        return;
    // The selection itself when it is an occurrence, else the next one
    // after it (never inside a replacement made before).
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool selectionMatches = edit.selLength == text.size() &&
                                  QStringView(edit.text).mid(edit.selStart, edit.selLength).compare(text, cs) == 0;
    const qsizetype at = selectionMatches ? edit.selStart
                                          : TextSearch::Find(edit.text, text, edit.selStart + edit.selLength, true,
                                                             matchCase);
    if (at < 0) {
        NotFound(text);
        return;
    }
    WriteEdit(target, at, text.size(), replacement);
    SelectInEdit(target, at, replacement.size());
}

void TFindReplace::ReplaceAll(const QString& text, const QString& replacement, bool matchCase)
{
    Remember(text, true, matchCase);
    QWidget* target = target_;
    TEditText edit;
    if (!target || text.isEmpty() || !ReadEdit(target, edit))
        return;
    QString changed = edit.text;
    if (TextSearch::ReplaceAll(changed, text, replacement, matchCase) == 0) {
        NotFound(text);
        return;
    }
    WriteEdit(target, 0, edit.text.size(), changed);
    target->setFocus();
}
