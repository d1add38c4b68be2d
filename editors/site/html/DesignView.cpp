#include "editors/site/html/DesignView.h"

#include "common/CommonGui.h"
#include "editors/site/WebScript.h"
#include "editors/site/html/DesignDocument.h"
#include "editors/site/html/DesignPage.h"
#include "editors/site/html/PageChannel.h"
#include "generation/ui/PreviewScheme.h"
#include "gui/UiText.h"

#include <QAction>
#include <QChildEvent>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QKeySequence>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEngineProfile>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

using UiText::Q;

namespace {

// How long a read waits for keys the engine has not handled yet.
constexpr int kKeysWaitMs = 2000;
constexpr int kKeysPollMs = 10;

// A key whose text the page receives as a keypress as well.
bool HasKeyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return true;
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// A key press that changes the document when design mode takes it: text,
// the keys that delete or break lines, and the clipboard and undo shortcuts.
bool IsEditingKey(const QKeyEvent& key)
{
    for (QKeySequence::StandardKey edit : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo,
                                           QKeySequence::Redo})
        if (key.matches(edit))
            return true;
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    return HasKeyPress(key);
}

}  // namespace

TDesignView::TDesignView(TCommonGui& gui, QWidget* parent) : QWebEngineView(parent), gui_(gui)
{
    setPage(new TDesignPage(this));
    for (QObject* child : children())
        child->installEventFilter(this);
    QWebEngineSettings* settings = page()->settings();
    // The page's scripts stay inert; the program's own world still runs.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    QWebEngineScript library;
    library.setName(QStringLiteral("tolvexDesignLibrary"));
    library.setWorldId(QWebEngineScript::ApplicationWorld);
    library.setInjectionPoint(QWebEngineScript::DocumentCreation);
    library.setRunsOnSubFrames(false);
    library.setSourceCode(WebScript("designLibrary.js"));
    page()->scripts().insert(library);
    channel_ = new TPageChannel(*page(), QStringLiteral("tolvexDesign"), WebScript("designMode.js"), this);
    connect(channel_, &TPageChannel::Posted, this, &TDesignView::Modified);
    connect(this, &TDesignView::Modified, this, [this] { ReadUndoState(); });
    connect(this, &QWebEngineView::loadFinished, this, [this] {
        // Design mode is switched on by the document-ready script; the
        // channel answers once it is connected.
        SetShowBorders(showBorders_);
        RunScript(QStringLiteral("document.designMode = 'on'; true"), [this](const QVariant&) {
            ready_ = true;
            ReadUndoState();
            emit Ready();
        });
    });
}

void TDesignView::Undo()
{
    // Asked again even when nothing was undone: the state shown was out of date.
    ExecCommand("undo", {}, [this](bool) { ReadUndoState(); });
}

void TDesignView::Redo()
{
    ExecCommand("redo", {}, [this](bool) { ReadUndoState(); });
}

void TDesignView::ReadUndoState()
{
    if (undoStateAsked_) {
        undoStateAgain_ = true;
        return;
    }
    undoStateAsked_ = true;
    RunScriptAfterKeys(QStringLiteral("[document.queryCommandEnabled('undo'), document.queryCommandEnabled('redo')]"),
                       [this](const QVariant& result) {
                           undoStateAsked_ = false;
                           const QVariantList state = result.toList();
                           const bool canUndo = state.size() == 2 && state[0].toBool();
                           const bool canRedo = state.size() == 2 && state[1].toBool();
                           if (canUndo != canUndo_ || canRedo != canRedo_) {
                               canUndo_ = canUndo;
                               canRedo_ = canRedo;
                               UndoStateChanged();
                           }
                           if (undoStateAgain_) {
                               undoStateAgain_ = false;
                               ReadUndoState();
                           }
                       });
}

void TDesignView::LoadDocument(const std::string& document, const QUrl& base)
{
    ready_ = false;
    keysSent_ = {};
    // A new document has no history; an answer about the old one counts no more.
    canUndo_ = canRedo_ = false;
    undoStateAsked_ = undoStateAgain_ = false;
    UndoStateChanged();
    documentHook_.Reset();
    if (base.scheme().toLatin1() != PreviewSchemeName() ||
        !page()->profile()->urlSchemeHandler(PreviewSchemeName())) {
        // Nothing serves the preview scheme here: the document is handed
        // over directly (its pictures then do not show).
        setHtml(Q(document), base);
        return;
    }
    static int loads = 0;
    QUrl address = base;
    address.setQuery(QStringLiteral("load=%1").arg(++loads));
    const std::string url = address.toString(QUrl::FullyEncoded).toStdString();
    auto content = std::make_shared<const std::string>(document);
    documentHook_ = TPreviewContentHooks::Global().Install(
        [url, content](const std::string& asked) -> std::optional<std::string> {
            if (asked != url)
                return std::nullopt;
            return *content;
        });
    load(address);
}

void TDesignView::RunScript(const QString& script, std::function<void(const QVariant&)> done)
{
    // The answer arrives inside one of the engine's own tasks, and the engine
    // runs nothing else until that task returns. What Done does (a modal
    // dialog, a message box, a wait for another answer) would then freeze
    // every page of the program, so Done runs from Qt's queue instead.
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [this, alive = alive_, done](const QVariant& result) {
                              if (!*alive || !done)
                                  return;
                              QMetaObject::invokeMethod(
                                  this,
                                  [alive, done, result] {
                                      if (*alive)
                                          done(result);
                                  },
                                  Qt::QueuedConnection);
                          });
}

void TDesignView::ReadEdited(std::function<void(bool)> done)
{
    RunScriptAfterKeys(QStringLiteral("window.tolvexEdited === true"),
                       [done](const QVariant& result) { done(result.toBool()); });
}

void TDesignView::RunScriptAfterKeys(const QString& script, std::function<void(const QVariant&)> done)
{
    WhenKeysHandled(QDeadlineTimer(kKeysWaitMs), [this, script, done] { RunScript(script, done); });
}

void TDesignView::WhenKeysHandled(QDeadlineTimer deadline, std::function<void()> done)
{
    const TKeyCounts sent = keysSent_;
    RunScript(QStringLiteral("window.tolvexKeys ? [window.tolvexKeys.down, window.tolvexKeys.press] : [0, 0]"),
              [this, sent, deadline, done](const QVariant& result) {
                  const QVariantList handled = result.toList();
                  const bool caughtUp = handled.size() == 2 && handled[0].toInt() >= sent.Down &&
                                        handled[1].toInt() >= sent.Press;
                  // A key the engine never passes on to the page must not hold the read up for good.
                  if (caughtUp || deadline.hasExpired()) {
                      done();
                      return;
                  }
                  QTimer::singleShot(kKeysPollMs, this, [this, deadline, done] { WhenKeysHandled(deadline, done); });
              });
}

bool TDesignView::event(QEvent* event)
{
    // The engine's input widget comes and goes with the page: every child
    // of the view has its keys watched.
    if (event->type() == QEvent::ChildAdded)
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    return QWebEngineView::event(event);
}

bool TDesignView::eventFilter(QObject* watched, QEvent* event)
{
    // The page reports an edit only after the engine has handled the key,
    // which may be after the user pressed Save: a key that edits counts at once.
    if (event->type() == QEvent::KeyPress && ready_) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        ++keysSent_.Down;
        if (HasKeyPress(key))
            ++keysSent_.Press;
        if (IsEditingKey(key))
            emit Modified();
    }
    return QWebEngineView::eventFilter(watched, event);
}

void TDesignView::ReadBodyHtml(std::function<void(const std::string&)> done)
{
    RunScriptAfterKeys(QStringLiteral("document.body ? document.body.innerHTML : ''"), [done](const QVariant& result) {
        done(TDesignDocument::StoredBody(result.toString().toUtf8().toStdString()));
    });
}

void TDesignView::InsertHtml(const std::string& html, std::function<void(bool)> done)
{
    if (html.find_first_not_of(" \t\r\n") == std::string::npos) {
        if (done)
            done(false);
        return;
    }
    RunScript(Q(TDesignTable::InsertHtmlScript(html)), [this, done](const QVariant& result) {
        const bool ok = result.toBool();
        if (ok)
            emit Modified();
        else
            gui_.ShowError("Cannot execute the task");
        if (done)
            done(ok);
    });
}

void TDesignView::ExecCommand(const std::string& command, const std::string& value, std::function<void(bool)> done)
{
    const std::string script = "document.execCommand(" + TDesignDocument::ScriptString(command) + ", false, " +
                               TDesignDocument::ScriptString(value) + ")";
    RunScript(Q(script), [this, done](const QVariant& result) {
        const bool ok = result.toBool();
        if (ok)
            emit Modified();
        if (done)
            done(ok);
    });
}

void TDesignView::RunTableCommand(TTableCommand command, std::function<void(bool)> done)
{
    RunScript(Q(TDesignTable::CommandScript(command)), [this, done](const QVariant& result) {
        const bool changed = result.toBool();
        if (changed)
            emit Modified();
        if (done)
            done(changed);
    });
}

void TDesignView::ReadSelectionStatus(std::function<void(const TDesignSelectionStatus&)> done)
{
    RunScript(Q(TDesignTable::StatusScript()), [this, done](const QVariant& result) {
        const QVariantMap found = result.toMap();
        TDesignSelectionStatus status;
        status.Type = found.value(QStringLiteral("type"), QStringLiteral("None")).toString().toStdString();
        status.Tag = found.value(QStringLiteral("tag")).toString().toStdString();
        status.Image = found.value(QStringLiteral("image")).toString().toStdString();
        status.InCell = found.value(QStringLiteral("inCell")).toBool();
        status.CanMerge = found.value(QStringLiteral("canMerge")).toBool();
        status.Link = found.value(QStringLiteral("link")).toBool();
        status.CanUndo = CanUndo();
        status.CanPaste = page()->action(QWebEnginePage::Paste)->isEnabled();
        done(status);
    });
}

void TDesignView::SetShowBorders(bool on)
{
    showBorders_ = on;
    RunScript(WebScript("showBorders.js") + (on ? QStringLiteral("(true)") : QStringLiteral("(false)")));
}

bool TDesignView::FindText(const QString& text, bool down, bool matchCase)
{
    QWebEnginePage::FindFlags flags;
    if (!down)
        flags |= QWebEnginePage::FindBackward;
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    // A new search (other text or options) starts afresh; the same one goes
    // on to the next occurrence.
    if (text != lastFind_ || flags != lastFindFlags_)
        page()->findText(QString());
    lastFind_ = text;
    lastFindFlags_ = flags;
    // The engine answers soon; the answer may also come after the wait.
    struct TAnswer {
        bool done = false;
        bool found = false;
        QEventLoop loop;
    };
    auto answer = std::make_shared<TAnswer>();
    page()->findText(text, flags, [answer](const QWebEngineFindTextResult& result) {
        answer->found = result.numberOfMatches() > 0;
        answer->done = true;
        answer->loop.quit();
    });
    if (!answer->done) {
        QTimer::singleShot(3000, &answer->loop, &QEventLoop::quit);
        answer->loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return answer->found;
}

void TDesignView::contextMenuEvent(QContextMenuEvent* event)
{
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

TDesignView::~TDesignView()
{
    // Nothing of this view is reached while the page goes: no late answers,
    // no late load signal, and the channel leaves first.
    *alive_ = false;
    disconnect(this, &QWebEngineView::loadFinished, this, nullptr);
    delete channel_;
}
