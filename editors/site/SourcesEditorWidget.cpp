#include "editors/site/html/SourcesEditorWidget.h"

#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "editors/site/html/SourceTextEdit.h"
#include "editors/site/html/XmlSourceCheck.h"
#include "gui/FindReplace.h"
#include "gui/UiText.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QVBoxLayout>

using UiText::Q;
using UiText::Tr;

namespace {

// A part: its caption above its editor.
QWidget* Part(QLabel* label, QWidget* editor, QWidget* parent)
{
    auto* part = new QWidget(parent);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    label->setContentsMargins(2, 2, 2, 0);
    layout->addWidget(label);
    layout->addWidget(editor, 1);
    return part;
}

}  // namespace

TSourcesEditorWidget::TSourcesEditorWidget(TCommonGui& gui, QWidget* parent) : QWidget(parent), gui_(gui)
{
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    top_ = AddEditor();
    bottom_ = AddEditor();
    topLabel_ = new QLabel(Tr("Top of page"));
    bottomLabel_ = new QLabel(Tr("Bottom of page"));
    splitter_->addWidget(Part(topLabel_, top_, splitter_));
    bottomPart_ = Part(bottomLabel_, bottom_, splitter_);
    splitter_->addWidget(bottomPart_);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { splitFixed_ = true; });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    menu_ = new QMenu(this);
}

TSourceTextEdit* TSourcesEditorWidget::AddEditor()
{
    auto* editor = new TSourceTextEdit(this);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this, [this, editor](const QPoint& at) {
        ContextMenu(editor)->popup(editor->mapToGlobal(at));
    });
    connect(editor, &QsciScintilla::textChanged, this, [this] {
        if (tracking_)
            emit Modified();
    });
    editor->installEventFilter(this);
    return editor;
}

void TSourcesEditorWidget::ApplyMode(const TSourceEditorMode& mode)
{
    mode_ = mode;
    top_->SetColouring(mode.Colouring);
    bottom_->SetColouring(mode.Colouring);
    if (mode.TopOnly)
        ShowTopOnly();
}

void TSourcesEditorWidget::ShowTopOnly()
{
    topLabel_->hide();
    bottomPart_->hide();
    splitFixed_ = true;
}

std::string TSourcesEditorWidget::TopText() const { return top_->Text(); }
std::string TSourcesEditorWidget::BottomText() const { return bottom_->Text(); }

void TSourcesEditorWidget::SetTopText(const std::string& text)
{
    tracking_ = false;
    top_->SetText(text);
    tracking_ = true;
}

void TSourcesEditorWidget::SetBottomText(const std::string& text)
{
    tracking_ = false;
    bottom_->SetText(text);
    tracking_ = true;
}

void TSourcesEditorWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!splitFixed_ && !bottomPart_->isHidden())
        HalveSplit();
}

void TSourcesEditorWidget::HalveSplit()
{
    const int half = height() / 2;
    splitter_->setSizes({half, height() - half});
}

bool TSourcesEditorWidget::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<TSourceTextEdit*>(watched);
    if (editor && (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)) {
        int row = 0;
        int column = 0;
        editor->CaretRowColumn(row, column);
        emit StatusText(Q(TTranslation::OrEnglish(::Translation).Format("Row: $1 Col: $2", {row, column})));
    } else if (editor && event->type() == QEvent::FocusOut) {
        emit StatusText(QString());
    }
    return QWidget::eventFilter(watched, event);
}

QMenu* TSourcesEditorWidget::ContextMenu(TSourceTextEdit* editor)
{
    delete sections_;
    menu_->clear();
    const bool selection = editor->hasSelectedText();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const auto add = [&](const char* caption, const QKeySequence& keys, bool enabled, auto slot) {
        QAction* action = menu_->addAction(Tr(caption), this, slot);
        action->setShortcut(keys);
        action->setEnabled(enabled);
        return action;
    };
    add("Cut", QKeySequence::Cut, selection, [editor] { editor->cut(); });
    add("Copy", QKeySequence::Copy, selection, [editor] { editor->copy(); });
    add("Paste", QKeySequence::Paste, clipboard && clipboard->hasText(), [editor] { editor->paste(); });
    add("Delete", QKeySequence::Delete, selection, [editor] { editor->removeSelectedText(); });
    add("Select All", QKeySequence::SelectAll, true, [editor] { editor->selectAll(); });
    menu_->addSeparator();
    TFindReplace* find = findReplace_ ? findReplace_ : TFindReplace::Current();
    add("Find", QKeySequence::Find, find != nullptr, [find, editor] { find->ShowFindDialog(editor); });
    add("Find Next", QKeySequence::FindNext, find && find->HasFindText(), [find, editor] {
        editor->setFocus();
        find->FindNext();
    });
    add("Replace", QKeySequence::Replace, find != nullptr, [find, editor] { find->ShowReplaceDialog(editor); });
    if (mode_.XmlTools) {
        menu_->addSeparator();
        add("Validate XML", QKeySequence(), true, [this, editor] { ValidateXml(editor); });
        sections_ = menu_->addMenu(Tr("Sections"));
        FillSections(sections_, editor);
    }
    return menu_;
}

void TSourcesEditorWidget::FillSections(QMenu* sections, TSourceTextEdit* editor)
{
    sections->addAction(Tr("Available Sections"))->setEnabled(false);
    sections->addSeparator();
    for (const std::string& name : TSourceEditorMode::SectionNames(editor->Text()))
        sections->addAction(Q(name), this, [this, editor, name] { GoToSection(editor, name); });
}

void TSourcesEditorWidget::ValidateXml(TSourceTextEdit* editor)
{
    const TXmlSourceCheck check = TXmlSourceCheck::Check(editor->Text());
    if (check.WellFormed) {
        gui_.ShowInformation("XML correctly formatted");
        return;
    }
    editor->setFocus();
    editor->SelectBytes(check.Position, 0);
    gui_.ShowError(check.Reason, false);
}

void TSourcesEditorWidget::GoToSection(TSourceTextEdit* editor, const std::string& name)
{
    const long long at = TSourceEditorMode::FindSection(editor->Text(), name);
    if (at < 0)
        return;
    editor->setFocus();
    editor->SelectBytes(static_cast<std::size_t>(at), 0);
}
