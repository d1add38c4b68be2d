#include "editors/site/HtmlEditorWidget.h"

#include "editors/site/DesignDocument.h"
#include "editors/site/DesignView.h"
#include "shell/UiText.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QApplication>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>

using UiText::Q;
using UiText::S;
using UiText::Tr;

namespace {

// The selection as the link insertions need it: a control or text, its
// text, and the link that encloses it within two levels (which a text
// selection is then widened to, so that the new link replaces it).
const char* const kSelectionScript = R"((function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0)
        return {control: false, text: "", address: "", title: ""};
    var r = s.getRangeAt(0);
    var picked = r.startContainer === r.endContainer && r.endOffset - r.startOffset === 1 &&
                 r.startContainer.childNodes ? r.startContainer.childNodes[r.startOffset] : null;
    var control = !!(picked && picked.tagName && /^(IMG|TABLE|INPUT|OBJECT|EMBED|HR)$/.test(picked.tagName));
    var element = control ? picked : r.commonAncestorContainer;
    if (element && element.nodeType === 3)
        element = element.parentNode;
    var link = null;
    for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
        if (element.tagName === "A") { link = element; break; }
    var result = {control: control, text: control ? "" : s.toString(), address: "", title: ""};
    if (link) {
        var attribute = link.hasAttribute("href") ? "href" : "name";
        result.address = link.getAttribute(attribute) || "";
        result.title = link.getAttribute("title") || "";
        if (!control) {
            var around = document.createRange();
            around.selectNode(link);
            s.removeAllRanges();
            s.addRange(around);
            result.text = link.textContent;
        }
    }
    return result;
})())";

// The link just made around the selected control opens in the whole window.
const char* const kTopTargetScript = R"((function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return false;
    var element = s.getRangeAt(0).commonAncestorContainer;
    if (element && element.nodeType === 3) element = element.parentNode;
    for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
        if (element.tagName === "A") { element.setAttribute("target", "_top"); return true; }
    return false;
})())";

// A selected picture or table is kept: the caret goes after it.
const char* const kCollapseAfterControl = R"((function () {
    var s = window.getSelection();
    if (s && s.rangeCount > 0 && !s.isCollapsed) {
        var r = s.getRangeAt(0);
        var picked = r.startContainer === r.endContainer && r.endOffset - r.startOffset === 1 &&
                     r.startContainer.childNodes ? r.startContainer.childNodes[r.startOffset] : null;
        if (picked && picked.tagName && /^(IMG|TABLE|INPUT|OBJECT|EMBED|HR)$/.test(picked.tagName))
            s.collapseToEnd();
    }
    return true;
})())";

// Gives the selection a style-sheet class: a selected picture or table gets
// it as its class, selected text is wrapped in a SPAN of that class.
const char* const kApplyClass = R"((function (name) {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return false;
    var r = s.getRangeAt(0);
    var picked = r.startContainer === r.endContainer && r.endOffset - r.startOffset === 1 &&
                 r.startContainer.childNodes ? r.startContainer.childNodes[r.startOffset] : null;
    if (picked && picked.tagName && /^(IMG|TABLE|INPUT|OBJECT|EMBED|HR)$/.test(picked.tagName)) {
        picked.className = name;
        return true;
    }
    if (r.collapsed) return false;
    // Built in the document itself: the engine's own insertion would turn
    // the class into the styles it stands for.
    var span = document.createElement("span");
    span.className = name;
    span.appendChild(r.extractContents());
    r.insertNode(span);
    var around = document.createRange();
    around.selectNodeContents(span);
    s.removeAllRanges();
    s.addRange(around);
    return true;
}))";

}  // namespace

THtmlEditorWidget::THtmlEditorWidget(TCommonGui& gui, THtmlInsertionCommands* commands, QWidget* parent)
    : QWidget(parent), gui_(gui), commands_(commands)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    format_ = new QToolBar(this);
    actions_ = new QToolBar(this);
    layout->addWidget(format_);
    layout->addWidget(actions_);
    splitter_ = new QSplitter(Qt::Vertical, this);
    top_ = new TDesignView(gui_, splitter_);
    bottom_ = new TDesignView(gui_, splitter_);
    splitter_->addWidget(top_);
    splitter_->addWidget(bottom_);
    layout->addWidget(splitter_, 1);
    for (TDesignView* view : {top_, bottom_}) {
        connect(view, &TDesignView::Modified, this, &THtmlEditorWidget::Modified);
        connect(view, &TDesignView::Ready, this, [this] {
            if (IsReady())
                emit Ready();
        });
    }
    // The part entered last receives the commands.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QWidget* widget = now; widget; widget = widget->parentWidget()) {
            if (widget == top_ || widget == bottom_) {
                bottomActive_ = widget == bottom_;
                return;
            }
        }
    });
    BuildToolbars();
}

QAction* THtmlEditorWidget::AddAction(QToolBar* bar, const char* caption, std::function<void()> run,
                                      const char* shortText)
{
    QAction* action = bar->addAction(Tr(caption));
    action->setObjectName(QString::fromUtf8(caption));
    // The toolbars show a short text; the whole caption is the tool tip.
    action->setToolTip(Tr(caption));
    if (shortText)
        action->setIconText(Tr(shortText));
    connect(action, &QAction::triggered, this, [run] { run(); });
    return action;
}

void THtmlEditorWidget::BuildToolbars()
{
    const auto command = [this](const char* name) { return [this, name] { ActiveView()->ExecCommand(name); }; };
    AddAction(format_, "Bold", command("bold"), "B")->setShortcut(QKeySequence::Bold);
    AddAction(format_, "Italic", command("italic"), "I")->setShortcut(QKeySequence::Italic);
    AddAction(format_, "Underline", command("underline"), "U")->setShortcut(QKeySequence::Underline);
    // B, I and U look like what they do.
    for (const auto& [caption, style] : {std::pair{"Bold", 0}, std::pair{"Italic", 1}, std::pair{"Underline", 2}}) {
        QWidget* button = format_->widgetForAction(Action(QString::fromUtf8(caption)));
        QFont font = button->font();
        font.setBold(style == 0);
        font.setItalic(style == 1);
        font.setUnderline(style == 2);
        button->setFont(font);
    }
    styles_ = new QMenu(Tr("Select CSS Style"), this);
    QAction* styles = format_->addAction(Tr("Select CSS Style"));
    styles->setObjectName(QStringLiteral("Select CSS Style"));
    styles->setIconText(Tr("Style"));
    styles->setMenu(styles_);
    styles->setEnabled(false);
    if (auto* button = qobject_cast<QToolButton*>(format_->widgetForAction(styles)))
        button->setPopupMode(QToolButton::InstantPopup);
    format_->addSeparator();
    AddAction(format_, "Align Left", command("justifyLeft"), "Left");
    AddAction(format_, "Center", command("justifyCenter"), "Center");
    AddAction(format_, "Align Right", command("justifyRight"), "Right");
    format_->addSeparator();
    AddAction(format_, "Numbered List", command("insertOrderedList"), "1. 2.");
    AddAction(format_, "Bulleted List", command("insertUnorderedList"), "\u2022 List");
    AddAction(format_, "Decrease Indent", command("outdent"), "\u00ab");
    AddAction(format_, "Increase Indent", command("indent"), "\u00bb");

    const auto insert = [this](std::string (THtmlInsertionCommands::*make)()) {
        return [this, make] {
            if (commands_)
                ActiveView()->InsertHtml((commands_->*make)());
        };
    };
    AddAction(actions_, "Insert Picture", insert(&THtmlInsertionCommands::InsertPicture), "Picture");
    AddAction(actions_, "Insert Table", [this] { InsertTable(); }, "Table");
    AddAction(actions_, "Insert Object", insert(&THtmlInsertionCommands::InsertObject), "Object");
    actions_->addSeparator();
    AddAction(actions_, "Horizontal Line", [this] { ActiveView()->InsertHtml("<HR>"); }, "Line");
    AddAction(actions_, "Insert Line Break", [this] { ActiveView()->InsertHtml("<BR>"); }, "Break");
    AddAction(actions_, "Insert Hyperlink", [this] { InsertLink(1); }, "Link");
    AddAction(actions_, "Insert Anchor", [this] { InsertLink(2); }, "Anchor");
    AddAction(actions_, "Insert Link to Page", [this] { InsertLink(0); }, "Page Link");
    AddAction(actions_, "Insert Pop-Up Image", [this] { InsertPopupImage(); }, "Pop-Up");
    actions_->addSeparator();
    AddAction(actions_, "Edit Html Source Code", [this] { emit EditSourceRequested(); }, "Source");
    for (QAction* action : actions_->actions())
        if (!action->isSeparator() && action->objectName().startsWith(QLatin1String("Insert ")) &&
            action->objectName() != QLatin1String("Insert Line Break"))
            action->setEnabled(commands_ != nullptr);
}

QAction* THtmlEditorWidget::Action(const QString& caption) const
{
    for (QToolBar* bar : {format_, actions_})
        for (QAction* action : bar->actions())
            if (action->objectName() == caption)
                return action;
    return nullptr;
}

TDesignView* THtmlEditorWidget::ActiveView() const
{
    return bottomActive_ && bottom_->isVisible() ? bottom_ : top_;
}

bool THtmlEditorWidget::IsReady() const { return top_->IsReady() && bottom_->IsReady(); }

void THtmlEditorWidget::LoadParts(const std::string& topHtml, const std::string& bottomHtml,
                                  const std::string& pageCss, const std::string& backgroundFile,
                                  const std::string& languageCode)
{
    FillCssClasses(pageCss);
    const QString folder = QStringLiteral("tolvex://preview/%1/").arg(Q(languageCode));
    top_->LoadDocument(TDesignDocument::Document(topHtml, pageCss, true, backgroundFile),
                       QUrl(folder + QStringLiteral("dhtmlTop.html")));
    bottom_->LoadDocument(TDesignDocument::Document(bottomHtml, pageCss, false, backgroundFile),
                          QUrl(folder + QStringLiteral("dhtmlBottom.html")));
}

void THtmlEditorWidget::ReadParts(std::function<void(const std::string&, const std::string&)> done)
{
    top_->ReadBodyHtml([this, done](const std::string& top) {
        bottom_->ReadBodyHtml([top, done](const std::string& bottom) { done(top, bottom); });
    });
}

void THtmlEditorWidget::InsertLink(int kind)
{
    if (!commands_)
        return;
    TDesignView* view = ActiveView();
    view->RunScript(
        QString::fromUtf8(kSelectionScript), [this, view, kind](const QVariant& value) {
            const QVariantMap found = value.toMap();
            THtmlInsertionCommands::TSelection selection;
            selection.Control = found.value(QStringLiteral("control")).toBool();
            selection.Text = S(found.value(QStringLiteral("text")).toString());
            selection.Address = S(found.value(QStringLiteral("address")).toString());
            selection.Title = S(found.value(QStringLiteral("title")).toString());
            std::string address;
            const std::string markup = commands_->InsertLink(kind, selection, address);
            if (!markup.empty())
                view->InsertHtml(markup);
            else if (selection.Control && !address.empty())
                view->ExecCommand("createLink", address);
            view->setFocus();
        });
}

void THtmlEditorWidget::InsertPopupImage()
{
    if (!commands_)
        return;
    TDesignView* view = ActiveView();
    view->ExecCommand("unlink");
    view->RunScript(
        QString::fromUtf8(kSelectionScript), [this, view](const QVariant& value) {
            const QVariantMap found = value.toMap();
            std::string caption;
            const std::string address = commands_->PopupImageAddress(caption);
            if (address.empty())
                return;
            if (found.value(QStringLiteral("control")).toBool()) {
                view->ExecCommand("createLink", address, [view](bool) {
                    view->RunScript(QString::fromUtf8(kTopTargetScript));
                });
                return;
            }
            const std::string text = S(found.value(QStringLiteral("text")).toString());
            view->InsertHtml(THtmlInsertions::PopupImageLink(address, text.empty() ? caption : text));
        });
}

void THtmlEditorWidget::InsertTable()
{
    if (!commands_)
        return;
    const std::string table = commands_->InsertTable();
    if (table.empty())
        return;
    // A table never takes the place of a selected picture or table.
    TDesignView* view = ActiveView();
    view->RunScript(QString::fromUtf8(kCollapseAfterControl), [view, table](const QVariant&) { view->InsertHtml(table); });
}

void THtmlEditorWidget::FillCssClasses(const std::string& pageCss)
{
    styles_->clear();
    for (const std::string& name : TDesignDocument::CssClassNames(pageCss))
        styles_->addAction(Q(name), this, [this, name] { ApplyCssClass(name); });
    Action(QStringLiteral("Select CSS Style"))->setEnabled(!styles_->isEmpty());
}

void THtmlEditorWidget::ApplyCssClass(const std::string& className)
{
    TDesignView* view = ActiveView();
    const QString script = QString::fromUtf8(kApplyClass) + QStringLiteral("(") +
                           Q(TDesignDocument::ScriptString(className)) + QStringLiteral(")");
    view->RunScript(script, [this](const QVariant& done) {
        if (done.toBool())
            emit Modified();
    });
}
