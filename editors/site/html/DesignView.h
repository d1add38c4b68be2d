#pragma once
// The visual editor of one part of a page: a web view in design mode. The
// page's own scripts are switched off, so markup the user types, pastes or
// loads never runs; the program edits the document from its own script
// world (execCommand, the body's HTML). Addresses are resolved against the
// preview host, so the page's style sheets and pictures show. The engine
// keeps the undo history; Edit / Undo and Redo reach it while the view has
// the focus, enabled as the document answers whether it can undo or redo.
#include "editors/site/html/DesignContextMenu.h"
#include "editors/site/html/DesignTable.h"
#include "generation/PreviewContentHooks.h"
#include "gui/FindReplace.h"
#include "gui/UndoTarget.h"

#include <QDeadlineTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <memory>
#include <string>

class TCommonGui;
class TPageChannel;

class TDesignView : public QWebEngineView, public TFindTarget, public TUndoTarget {
    Q_OBJECT
public:
    explicit TDesignView(TCommonGui& gui, QWidget* parent = nullptr);

    // Shows a whole document at the address Base (a preview-host address of
    // the part, "tolvex://preview/EN/dhtmlTop.html"); Ready follows. The
    // preview scheme serves it, so its style sheets and pictures load as
    // the published page's do; the address carries a query of this load
    // of its own, so that two editors never get each other's document.
    void LoadDocument(const std::string& document, const QUrl& base);
    bool IsReady() const { return ready_; }

    // Whether the page saw an edit since it was loaded, handed to Done.
    void ReadEdited(std::function<void(bool)> done);
    // The body's HTML as stored, handed to Done.
    void ReadBodyHtml(std::function<void(const std::string&)> done);
    // Puts HTML at the selection (replacing it); nothing for blank HTML.
    // A failure shows "Cannot execute the task". Done gets the outcome.
    void InsertHtml(const std::string& html, std::function<void(bool)> done = {});
    // An editing command of the document ("bold", "justifyCenter", ...).
    void ExecCommand(const std::string& command, const std::string& value = {},
                     std::function<void(bool)> done = {});

    // A table command at the selection; Done gets whether the table changed.
    void RunTableCommand(TTableCommand command, std::function<void(bool)> done = {});
    // What the selection allows (the context menu's state).
    void ReadSelectionStatus(std::function<void(const TDesignSelectionStatus&)> done);
    // Dotted outlines of tables and cells (also of those without a border);
    // they belong to the view, never to the stored HTML.
    void SetShowBorders(bool on);
    bool ShowBorders() const { return showBorders_; }

    // The shared find dialog's search ("Search" of the context menu): the
    // next occurrence is selected; false when there is none.
    bool FindText(const QString& text, bool down, bool matchCase) override;

    // What the document answered when last asked (after each load, edit,
    // undo and redo); the engine's own undo and redo.
    bool CanUndo() const override { return canUndo_; }
    void Undo() override;
    bool CanRedo() const override { return canRedo_; }
    void Redo() override;

    ~TDesignView() override;

    // Runs Script once the page has handled the keys typed into the view so
    // far (the engine takes them in its own time), so that it sees their text.
    void RunScriptAfterKeys(const QString& script, std::function<void(const QVariant&)> done);

    // Runs a script in the program's own world; Done gets its result from
    // Qt's event queue (so it may open dialogs), and is never called once
    // the view is going.
    void RunScript(const QString& script, std::function<void(const QVariant&)> done = {});

signals:
    void Ready();
    // The user changed the document (or pressed a key that changes it).
    void Modified();
    // The user asked for the context menu at the global position Where.
    void ContextMenuRequested(const QPoint& where);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void WhenKeysHandled(QDeadlineTimer deadline, std::function<void()> done);
    // Asks the document whether it can undo and redo, once the keys typed so far are handled.
    void ReadUndoState();

    TCommonGui& gui_;
    TPageChannel* channel_;
    // Answers the address of the document shown, while it is shown.
    TPreviewContentHooks::THookHandle documentHook_;
    bool ready_ = false;
    // The keys passed to the engine since the document was loaded: all of
    // them, and those with text.
    struct TKeyCounts {
        int Down = 0;
        int Press = 0;
    } keysSent_;
    bool showBorders_ = false;
    bool canUndo_ = false;
    bool canRedo_ = false;
    // A question about the undo state is out; another follows its answer.
    bool undoStateAsked_ = false;
    bool undoStateAgain_ = false;
    QString lastFind_;
    QWebEnginePage::FindFlags lastFindFlags_;
    // False from the start of the destruction: the engine may answer late.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
