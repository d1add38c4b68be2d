#include "editors/site/html/HtmlEditorWidget.h"

#include "editors/site/WebScript.h"
#include "gui/FindReplace.h"

#include "editors/site/html/DesignDocument.h"
#include "editors/site/html/DesignView.h"
#include "editors/site/html/frmProperties.h"
#include "common/CommonGui.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "gui/UiText.h"

#include <QAction>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
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

THtmlEditorWidget::THtmlEditorWidget(TCommonGui& gui, THtmlInsertionCommands* commands, QWidget* parent)
    : QWidget(parent), gui_(gui), commands_(commands)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    format_ = new QToolBar(this);
    actions_ = new QToolBar(this);
    borders_ = new QToolBar(this);
    // The text and the borders share a row; the actions have the second.
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(format_);
    row->addWidget(borders_);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(actions_);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    // Each part: its caption over its view.
    const auto part = [this](const char* caption, QLabel*& label) {
        auto* box = new QWidget(splitter_);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 4, 0, 0);
        column->setSpacing(2);
        label = new QLabel(Tr(caption), box);
        label->setContentsMargins(4, 0, 0, 0);
        auto* view = new TDesignView(gui_, box);
        label->setBuddy(view);
        column->addWidget(label);
        column->addWidget(view, 1);
        splitter_->addWidget(box);
        return view;
    };
    top_ = part("Top of page", topLabel_);
    bottom_ = part("Bottom of page", bottomLabel_);
    // The top part comes first among the children, so that it is the part
    // that takes the focus when the editor is focused (the splitter keeps
    // them the other way round).
    top_->parentWidget()->stackUnder(bottom_->parentWidget());
    layout->addWidget(splitter_, 1);
    for (TDesignView* view : {top_, bottom_}) {
        connect(view, &TDesignView::Modified, this, &THtmlEditorWidget::Modified);
        connect(view, &TDesignView::ContextMenuRequested, this, [this, view](const QPoint& where) {
            bottomActive_ = view == bottom_;
            ShowContextMenu(where);
        });
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
    // The toolbars show a short text; the whole caption is the tool tip.
    action->setToolTip(Tr(caption));
    if (shortText)
        action->setIconText(Tr(shortText));
    connect(action, &QAction::triggered, this, [run] { run(); });
    return action;
}

void THtmlEditorWidget::BuildToolbars()
{
    TToolbarActions& a = toolbar_;
    const auto command = [this](const char* name) { return [this, name] { ActiveView()->ExecCommand(name); }; };
    a.ChangeFont = AddAction(format_, "Change Font", [this] { ChangeFont(); }, "Font");
    a.Bold = AddAction(format_, "Bold", command("bold"), "B");
    a.Bold->setShortcut(QKeySequence::Bold);
    a.Italic = AddAction(format_, "Italic", command("italic"), "I");
    a.Italic->setShortcut(QKeySequence::Italic);
    a.Underline = AddAction(format_, "Underline", command("underline"), "U");
    a.Underline->setShortcut(QKeySequence::Underline);
    // B, I and U look like what they do.
    for (const auto& [action, style] : {std::pair{a.Bold, 0}, std::pair{a.Italic, 1}, std::pair{a.Underline, 2}}) {
        QWidget* button = format_->widgetForAction(action);
        QFont font = button->font();
        font.setBold(style == 0);
        font.setItalic(style == 1);
        font.setUnderline(style == 2);
        button->setFont(font);
    }
    styles_ = new QMenu(Tr("Select CSS Style"), this);
    a.SelectCssStyle = format_->addAction(Tr("Select CSS Style"));
    a.SelectCssStyle->setIconText(Tr("Style"));
    a.SelectCssStyle->setMenu(styles_);
    a.SelectCssStyle->setEnabled(false);
    if (auto* button = qobject_cast<QToolButton*>(format_->widgetForAction(a.SelectCssStyle)))
        button->setPopupMode(QToolButton::InstantPopup);
    format_->addSeparator();
    a.AlignLeft = AddAction(format_, "Align Left", command("justifyLeft"), "Left");
    a.Center = AddAction(format_, "Center", command("justifyCenter"), "Center");
    a.Justify = AddAction(format_, "Justify", [this] { Justify(); }, "Justify");
    a.AlignRight = AddAction(format_, "Align Right", command("justifyRight"), "Right");
    format_->addSeparator();
    a.UnorderedList = AddAction(format_, "Unordered List", command("insertUnorderedList"), "\u2022 List");
    a.OrderedList = AddAction(format_, "Ordered List", command("insertOrderedList"), "1. 2.");

    const auto insert = [this](std::string (THtmlInsertionCommands::*make)()) {
        return [this, make] {
            if (commands_)
                ActiveView()->InsertHtml((commands_->*make)());
        };
    };
    a.InsertPicture = AddAction(actions_, "Insert Picture", insert(&THtmlInsertionCommands::InsertPicture), "Picture");
    a.InsertTable = AddAction(actions_, "Insert Table", [this] { InsertTable(); }, "Table");
    a.InsertObject = AddAction(actions_, "Insert Object", insert(&THtmlInsertionCommands::InsertObject), "Object");
    a.OpenHtmlFile = AddAction(actions_, "Open HTML File", [this] { ImportHtml(false); }, "Open");
    a.ImportHtmlFromWeb = AddAction(actions_, "Import HTML From Web", [this] { ImportHtml(true); }, "From Web");
    actions_->addSeparator();
    a.HorizontalLine = AddAction(actions_, "Horizontal Line", [this] { ActiveView()->InsertHtml("<HR>"); }, "Line");
    a.InsertLineBreak = AddAction(actions_, "Insert Line Break", [this] { ActiveView()->InsertHtml("<BR>"); }, "Break");
    a.InsertHyperlink = AddAction(actions_, "Insert Hyperlink", [this] { InsertLink(1); }, "Link");
    a.InsertAnchor = AddAction(actions_, "Insert Anchor", [this] { InsertLink(2); }, "Anchor");
    a.InsertLinkToPage = AddAction(actions_, "Insert Link to Page", [this] { InsertLink(0); }, "Page Link");
    a.InsertPopupImage = AddAction(actions_, "Insert Pop-Up Image", [this] { InsertPopupImage(); }, "Pop-Up");
    actions_->addSeparator();
    a.EditSource = AddAction(actions_, "Edit Html Source Code", [this] { emit EditSourceRequested(); }, "Source");
    // The insertions and the imports need the insertion commands.
    for (QAction* action : {a.InsertPicture, a.InsertTable, a.InsertObject, a.OpenHtmlFile, a.ImportHtmlFromWeb,
                            a.InsertHyperlink, a.InsertAnchor, a.InsertLinkToPage, a.InsertPopupImage})
        action->setEnabled(commands_ != nullptr);
    a.ShowBorders = AddAction(borders_, "Show Borders", [] {}, "Borders");
    a.ShowBorders->setCheckable(true);
    connect(a.ShowBorders, &QAction::toggled, this, [this](bool on) {
        SetShowBorders(on);
        emit ShowBordersChanged(on);
    });
    borders_->addSeparator();
    a.Shadow = AddAction(borders_, "Shadow", [this] { ToggleShadow(); }, "Shadow");
    BuildContextMenu();
}

TDesignView* THtmlEditorWidget::ActiveView() const
{
    return bottomActive_ && !bottom_->parentWidget()->isHidden() ? bottom_ : top_;
}

bool THtmlEditorWidget::IsReady() const { return top_->IsReady() && bottom_->IsReady(); }

void THtmlEditorWidget::LoadParts(const std::string& topHtml, const std::string& bottomHtml,
                                  const std::string& pageCss, const std::string& backgroundFile,
                                  const std::string& languageCode)
{
    shown_ = {pageCss, backgroundFile, languageCode, false};
    FillCssClasses(pageCss);
    top_->LoadDocument(TDesignDocument::Document(topHtml, pageCss, true, backgroundFile), PartAddress(true));
    bottom_->LoadDocument(TDesignDocument::Document(bottomHtml, pageCss, false, backgroundFile), PartAddress(false));
}

void THtmlEditorWidget::LoadWholeDocument(const std::string& document, const std::string& languageCode)
{
    shown_ = {"", "", languageCode, true};
    FillCssClasses("");
    top_->LoadDocument(document, PartAddress(true));
    // The bottom part stays empty (and hidden) but is made ready like the top.
    bottom_->LoadDocument(TDesignDocument::Document("", "", false, ""), PartAddress(false));
}

void THtmlEditorWidget::ReadDocument(std::function<void(const std::string&)> done)
{
    top_->RunScriptAfterKeys(WebScript("documentSource.js"),
                             [done](const QVariant& result) { done(result.toString().toUtf8().toStdString()); });
}

void THtmlEditorWidget::ShowTopOnly()
{
    topLabel_->hide();
    bottom_->parentWidget()->hide();
    bottomActive_ = false;
}

void THtmlEditorWidget::ReadEdited(std::function<void(bool)> done)
{
    top_->ReadEdited([this, done](bool top) {
        if (top)
            done(true);
        else
            bottom_->ReadEdited(done);
    });
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
        WebScript("selection.js"), [this, view, kind](const QVariant& value) {
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
        WebScript("selection.js"), [this, view](const QVariant& value) {
            const QVariantMap found = value.toMap();
            std::string caption;
            const std::string address = commands_->PopupImageAddress(caption);
            if (address.empty())
                return;
            if (found.value(QStringLiteral("control")).toBool()) {
                view->ExecCommand("createLink", address, [view](bool) {
                    view->RunScript(WebScript("linkTargetTop.js"));
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
    view->RunScript(WebScript("collapseAfterControl.js"), [view, table](const QVariant&) { view->InsertHtml(table); });
}

QUrl THtmlEditorWidget::PartAddress(bool top) const
{
    return QUrl(QStringLiteral("tolvex://preview/%1/%2")
                    .arg(Q(shown_.LanguageCode), top ? QStringLiteral("dhtmlTop.html") : QStringLiteral("dhtmlBottom.html")));
}

void THtmlEditorWidget::ImportHtml(bool fromWeb)
{
    if (!commands_)
        return;
    const std::string html = commands_->ImportHtml(fromWeb);
    if (html.empty())
        return;
    // The imported page replaces the whole part entered last.
    TDesignView* view = ActiveView();
    const bool top = view == top_;
    view->LoadDocument(shown_.WholeDocument ? html : TDesignDocument::Document(html, shown_.Css, top, shown_.Background),
                       PartAddress(top));
    emit Modified();
}

void THtmlEditorWidget::FillCssClasses(const std::string& pageCss)
{
    styles_->clear();
    for (const std::string& name : TDesignDocument::CssClassNames(pageCss))
        styles_->addAction(Q(name), this, [this, name] { ApplyCssClass(name); });
    toolbar_.SelectCssStyle->setEnabled(!styles_->isEmpty());
}

void THtmlEditorWidget::ApplyCssClass(const std::string& className)
{
    TDesignView* view = ActiveView();
    const QString script = WebScript("applyClass.js") + QStringLiteral("(") +
                           Q(TDesignDocument::ScriptString(className)) + QStringLiteral(")");
    view->RunScript(script, [this](const QVariant& done) {
        if (done.toBool())
            emit Modified();
    });
}

void THtmlEditorWidget::BuildContextMenu()
{
    context_ = new QMenu(this);
    TMenuActions& m = menu_;
    const auto add = [this](QMenu* menu, const char* caption, std::function<void()> run) {
        QAction* action = menu->addAction(Tr(caption));
        connect(action, &QAction::triggered, this, [run] { run(); });
        return action;
    };
    const auto page = [this](QWebEnginePage::WebAction action) {
        return [this, action] { ActiveView()->page()->triggerAction(action); };
    };
    const auto table = [this](TTableCommand command) { return [this, command] { RunTableCommand(command); }; };
    m.Undo = add(context_, "Undo", page(QWebEnginePage::Undo));
    m.Cut = add(context_, "Cut", page(QWebEnginePage::Cut));
    m.Copy = add(context_, "Copy", page(QWebEnginePage::Copy));
    m.Paste = add(context_, "Paste", page(QWebEnginePage::Paste));
    m.SelectAll = add(context_, "Select All", page(QWebEnginePage::SelectAll));
    context_->addSeparator();
    m.Search = add(context_, "Search", [this] {
        if (TFindReplace* find = TFindReplace::Current())
            find->ShowFindDialog(ActiveView());
    });
    context_->addSeparator();
    QMenu* tables = context_->addMenu(Tr("Table"));
    m.Table = tables->menuAction();
    m.InsertNewTable = add(tables, "Insert New Table", [this] { InsertTable(); });
    tables->addSeparator();
    m.MergeCells = add(tables, "Merge Cells", table(TTableCommand::MergeCells));
    m.SplitCell = add(tables, "Split Cell", table(TTableCommand::SplitCell));
    tables->addSeparator();
    m.InsertRow = add(tables, "Insert Row", table(TTableCommand::InsertRow));
    m.InsertColumn = add(tables, "Insert Column", table(TTableCommand::InsertColumn));
    tables->addSeparator();
    m.DeleteRow = add(tables, "Delete Row", table(TTableCommand::DeleteRow));
    m.DeleteColumn = add(tables, "Delete Column", table(TTableCommand::DeleteColumn));
    tables->addSeparator();
    m.CellProperties = add(tables, "Cell Properties", [this] { ShowElementProperties("TD"); });
    m.RowProperties = add(tables, "Row Properties", [this] { ShowElementProperties("TR"); });
    context_->addSeparator();
    m.RemoveHyperlink = add(context_, "Remove Hyperlink", [this] { ActiveView()->ExecCommand("unlink"); });
    m.InsertPopupImage = add(context_, "Insert Pop-Up Image", [this] { InsertPopupImage(); });
    m.SavePhoto = add(context_, "Save Photo", [this] { SavePhoto(); });
    context_->addSeparator();
    m.Properties = add(context_, "Properties", [this] { ShowProperties(); });
    m.EditSource = add(context_, "Edit Html Source Code", [this] { emit EditSourceRequested(); });
    m.InsertNewTable->setEnabled(commands_ != nullptr);
    m.InsertPopupImage->setEnabled(commands_ != nullptr);
    menuState_.InsertNewTable = commands_ != nullptr;
    ApplyMenuState(menuState_);
}

void THtmlEditorWidget::ApplyMenuState(const TDesignMenuState& state)
{
    const auto set = [](QAction* action, bool enabled, bool visible = true) {
        action->setEnabled(enabled);
        action->setVisible(visible);
    };
    const TMenuActions& m = menu_;
    set(m.Undo, state.Undo);
    set(m.Paste, state.Paste);
    set(m.InsertNewTable, state.InsertNewTable && commands_ != nullptr);
    set(m.MergeCells, state.MergeCells);
    set(m.SplitCell, state.SplitCell);
    for (QAction* action : {m.InsertRow, m.InsertColumn, m.DeleteRow, m.DeleteColumn})
        set(action, state.RowColumn);
    set(m.CellProperties, state.CellProperties);
    set(m.RowProperties, state.CellProperties);
    set(m.RemoveHyperlink, state.RemoveHyperlinkVisible, state.RemoveHyperlinkVisible);
    set(m.SavePhoto, state.SavePhotoVisible, state.SavePhotoVisible);
}

void THtmlEditorWidget::ShowContextMenu(const QPoint& where, std::function<void()> shown)
{
    ActiveView()->ReadSelectionStatus([this, where, shown](const TDesignSelectionStatus& status) {
        lastStatus_ = status;
        menuState_ = TDesignMenuState::For(status, menuState_);
        ApplyMenuState(menuState_);
        if (shown) {
            shown();
            return;
        }
        context_->popup(where);
    });
}

void THtmlEditorWidget::RunTableCommand(TTableCommand command)
{
    ActiveView()->RunTableCommand(command, [this](bool changed) {
        if (changed)
            emit Modified();
    });
}

void THtmlEditorWidget::SetShowBorders(bool on)
{
    QAction* action = toolbar_.ShowBorders;
    {
        const QSignalBlocker blocker(action);
        action->setChecked(on);
    }
    top_->SetShowBorders(on);
    bottom_->SetShowBorders(on);
}

void THtmlEditorWidget::ChangeFont()
{
    TDesignView* view = ActiveView();
    QFont font;
    const bool chosen = dialogs_.Font ? dialogs_.Font(font) : [&] {
        bool ok = false;
        font = QFontDialog::getFont(&ok, font, this, Tr("Change Font"));
        return ok;
    }();
    if (!chosen)
        return;
    view->ExecCommand("fontName", S(font.family()));
    if (font.pointSize() > 0)
        view->ExecCommand("fontSize", std::to_string(TDesignDocument::FontSizeStep(font.pointSize())));
    view->setFocus();
}

void THtmlEditorWidget::ToggleShadow()
{
    TDesignView* view = ActiveView();
    view->RunScript(WebScript("selectedImageStyle.js"), [this, view](const QVariant& value) {
        const QVariantMap found = value.toMap();
        if (!found.value(QStringLiteral("image")).toBool()) {
            gui_.ShowError("Select an image.");
            return;
        }
        const std::string style = TDesignDocument::ToggleShadow(S(found.value(QStringLiteral("style")).toString()));
        view->RunScript(WebScript("setSelectedImageStyle.js") + QStringLiteral("(") +
                            Q(TDesignDocument::ScriptString(style)) + QStringLiteral(")"),
                        [this](const QVariant& done) {
                            if (done.toBool())
                                emit Modified();
                        });
    });
}

void THtmlEditorWidget::Justify()
{
    TDesignView* view = ActiveView();
    view->RunScript(WebScript("justify.js"), [this, view](const QVariant& done) {
        if (done.toBool())
            emit Modified();
        view->setFocus();
    });
}

void THtmlEditorWidget::SavePhoto()
{
    ActiveView()->ReadSelectionStatus([this](const TDesignSelectionStatus& status) {
        const std::string name =
            status.Type == "Control" && status.Tag == "IMG" ? TDesignDocument::PhotoFileName(status.Image) : "";
        if (name.empty()) {
            gui_.ShowError("Cannot save the image");
            return;
        }
        const QString filter = Q(TDesignDocument::PhotoFilter(name));
        const QString target = dialogs_.SavePath ? dialogs_.SavePath(Q(name), filter)
                                                 : QFileDialog::getSaveFileName(this, Tr("Save Photo"), Q(name), filter);
        if (target.isEmpty() || !photoSaver_)
            return;
        if (!photoSaver_(name, S(target)))
            gui_.ShowError("Cannot save the image");
    });
}

void THtmlEditorWidget::ShowProperties()
{
    TDesignView* view = ActiveView();
    view->RunScript(WebScript("selection.js"), [this, view](const QVariant& value) {
        const QVariantMap found = value.toMap();
        if (found.value(QStringLiteral("control")).toBool()) {
            ShowElementProperties({});
        } else if (!found.value(QStringLiteral("address")).toString().isEmpty()) {
            InsertLink(1);
        } else {
            ChangeFont();
        }
        view->setFocus();
    });
}

void THtmlEditorWidget::ShowElementProperties(const std::string& tagName)
{
    TDesignView* view = ActiveView();
    const QString script = WebScript("findElement.js") + QStringLiteral("(") +
                           Q(TDesignDocument::ScriptString(tagName)) + QStringLiteral(")");
    view->RunScript(script, [this, view, tagName](const QVariant& value) {
        const QVariantMap found = value.toMap();
        if (!found.value(QStringLiteral("found")).toBool()) {
            const TTranslation& texts = TTranslation::OrEnglish(::Translation);
            if (tagName.empty())
                gui_.ShowError(texts.Format("Cannot show properties for control \"$1\"",
                                            {S(found.value(QStringLiteral("tag")).toString())}));
            else
                gui_.ShowError(texts.Format("Cannot show properties for \"$1\" html element", {tagName}));
            return;
        }
        OpenProperties(view, found);
    });
}

void THtmlEditorWidget::OpenProperties(TDesignView* view, const QVariantMap& found)
{
    std::vector<std::pair<std::string, std::string>> attributes;
    for (const QVariant& pair : found.value(QStringLiteral("attributes")).toList()) {
        const QVariantList both = pair.toList();
        if (both.size() == 2)
            attributes.emplace_back(S(both[0].toString()), S(both[1].toString()));
    }
    TfrmProperties dialog(S(found.value(QStringLiteral("tag")).toString()), attributes, showAllAttributes_, this);
    const bool accepted = dialogs_.Properties ? dialogs_.Properties(dialog) : dialog.exec() == QDialog::Accepted;
    if (dialog.ShowAllChanged()) {
        showAllAttributes_ = dialog.ShowAll();
        emit ShowAllAttributesChanged(showAllAttributes_);
    }
    const auto changes = dialog.Properties().Changes();
    if (!accepted || changes.empty())
        return;
    QString list = QStringLiteral("[");
    for (const auto& [name, value] : changes)
        list += QStringLiteral("[%1, %2],").arg(Q(TDesignDocument::ScriptString(name)), Q(TDesignDocument::ScriptString(value)));
    list += QStringLiteral("]");
    view->RunScript(WebScript("writeAttributes.js") + QStringLiteral("(") + list + QStringLiteral(")"),
                    [this](const QVariant& done) {
                        if (done.toBool())
                            emit Modified();
                    });
}
