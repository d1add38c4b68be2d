// tolvex-explore: drives the program's real main window with random actions
// for a while, to find crashes and memory errors; meant for the sanitizer
// build (scripts/asan). It makes a fresh program folder and a catalog, then
// clicks nodes of both trees, switches the editor pane's tabs, triggers menu
// and toolbar entries and tree pop-up entries, shows previews, searches,
// switches the data language, types into the editors and clicks their
// controls, saves and cancels. Every modal window that opens is cancelled
// after a moment; the program is never quit and no file dialog ever opens
// (the scripted GUI answers them as cancelled, and the desktop opener only
// records the address).
//
//   tolvex-explore --seed N [--minutes M] [--steps K] [--catalog-type T]
//                  [--log FILE] [--avoid NAME[,NAME...]]
//
// Each step draws the same number of values from a generator seeded with N,
// so a seed gives the same sequence of choices; each step is logged (to the
// standard output, and to FILE) before it runs, so the last line before a
// crash names the step to replay. --steps stops after K steps, --minutes
// after M minutes (default 1), whichever comes first. --avoid skips known
// paths that would stop every run at the same place:
//   preview-tree   no web tree click while the editor pane shows a preview
//   search-tree    no tree click while the editor pane shows search results
#include "../editors/framework/MainWindowFixture.h"
#include "../editors/site/EditorPaneHelpers.h"

#include "editors/framework/Registration.h"
#include "shell/FrameSearchResult.h"
#include "shell/TolvexApplication.h"
#include "generation/ui/PreviewScheme.h"
#include "catalog/ui/CatalogTreeView.h"
#include "storage/SQLiteModule.h"
#include "support/RecordingOpener.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWebEngineView>
#include <Qsci/qsciscintilla.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TOptions {
    std::uint64_t Seed = 1;
    double Minutes = 1;
    long Steps = -1;  // no limit
    int CatalogType = 1;
    std::string LogFile;
    std::set<std::string> Avoid;
};

// What a step may do, with its weight among the choices.
enum class TKind { WebTree, TemplatesTree, TreePopup, Tab, Menu, Toolbar, Preview, Search, Language, Type, Control, Button, Save, Cancel, Wait };
struct TKindWeight {
    TKind Kind;
    const char* Name;
    unsigned Weight;
};
constexpr TKindWeight kKinds[] = {
    {TKind::WebTree, "web-tree", 18},  {TKind::TemplatesTree, "templates-tree", 8},
    {TKind::TreePopup, "tree-popup", 4}, {TKind::Tab, "tab", 14},
    {TKind::Menu, "menu", 8},          {TKind::Toolbar, "toolbar", 5},
    {TKind::Preview, "preview", 5},    {TKind::Search, "search", 4},
    {TKind::Language, "language", 4}, {TKind::Type, "type", 14},
    {TKind::Control, "control", 6},    {TKind::Button, "button", 3},
    {TKind::Save, "save", 6},          {TKind::Cancel, "cancel", 3},
    {TKind::Wait, "wait", 2},
};

// Menu entries never chosen: quitting, the update check (it goes to the
// network), and closing or deleting the catalog being explored.
const std::set<QString> kNeverTriggered = {"miFileExit", "miHelpSoftwareUpdate", "miFileCloseCatalog",
                                           "miFileDeleteCatalog"};

const char* const kSearchWords[] = {"Services", "Home", "page", "a", "Acme", "%", "'", "zz9", "Products", "ü"};
const char* const kTypedTexts[] = {"Kites", "Wind chimes & bells", "<b>bold</b>", "Ümlaut ß", "'quote\"",
                                   "12.50", " ", "x", "{}[]<>", "%s %n", "-1", "https://acme.test/a?b=c"};

QString Caption(const QString& text) { return QString(text).remove('&'); }

QString Describe(const QWidget* widget)
{
    if (!widget)
        return "(none)";
    QString text = widget->metaObject()->className();
    if (!widget->objectName().isEmpty())
        text += " " + widget->objectName();
    if (!widget->windowTitle().isEmpty() && widget->isWindow())
        text += " \"" + widget->windowTitle() + "\"";
    return text;
}

class TExplorer {
public:
    TExplorer(TMainWindowFixture& fixture, const TOptions& options, const TRecordingOpener& opener, std::FILE* log)
        : f_(fixture), options_(options), random_(options.Seed), log_(log), opener_(opener)
    {
        QObject::connect(&modalWatch_, &QTimer::timeout, [this] { WatchModals(); });
        modalWatch_.setInterval(20);
        f_.Boxes().SetAnswerer([this](const TShownBox& box) { return Answer(box); });
    }
    ~TExplorer() { f_.Boxes().SetAnswerer({}); }
    TExplorer(const TExplorer&) = delete;
    TExplorer& operator=(const TExplorer&) = delete;

    void Log(const std::string& line)
    {
        for (std::FILE* out : {stdout, log_})
            if (out) {
                std::fprintf(out, "%s\n", line.c_str());
                std::fflush(out);
            }
    }
    void Log(const QString& line) { Log(line.toStdString()); }
    void Log(const char* line) { Log(std::string(line)); }

    // Runs steps until the time or the number of steps is up; the number of steps run.
    long Run()
    {
        modalWatch_.start();
        CheckTreeModels();
        QElapsedTimer clock;
        clock.start();
        const qint64 limit = static_cast<qint64>(options_.Minutes * 60000);
        long step = 0;
        while ((options_.Steps < 0 || step < options_.Steps) && clock.elapsed() < limit) {
            ++step;
            // The same number of draws every step, whatever the step does with them.
            std::array<std::uint32_t, 4> r;
            for (auto& value : r)
                value = static_cast<std::uint32_t>(random_());
            answerSeed_ = r[2];
            answersGiven_ = 0;
            const TKindWeight& kind = PickKind(r[0]);
            Log(QString("step %1 [%2 s] %3").arg(step).arg(clock.elapsed() / 1000).arg(kind.Name));
            Perform(kind.Kind, r);
            Settle(r[3] % 4 == 0 ? 600 : 150);
            LogBoxes();
            KeepCatalogOpen();
            CheckTreeModels();
        }
        modalWatch_.stop();
        return step;
    }

private:
    static const TKindWeight& PickKind(std::uint32_t value)
    {
        unsigned total = 0;
        for (const TKindWeight& k : kKinds)
            total += k.Weight;
        unsigned at = value % total;
        for (const TKindWeight& k : kKinds) {
            if (at < k.Weight)
                return k;
            at -= k.Weight;
        }
        return kKinds[0];
    }

    void Perform(TKind kind, const std::array<std::uint32_t, 4>& r)
    {
        switch (kind) {
        case TKind::WebTree:
            ClickTree(f_.Shell().CatalogUI() ? f_.Shell().CatalogUI()->WebTreeView() : nullptr, r, true);
            break;
        case TKind::TemplatesTree:
            ClickTree(f_.Shell().CatalogUI() ? f_.Shell().CatalogUI()->TemplatesTreeView() : nullptr, r, false);
            break;
        case TKind::TreePopup:
            TreePopup(r);
            break;
        case TKind::Tab:
            SwitchTab(r);
            break;
        case TKind::Menu:
            TriggerFrom(MenuEntries(), r[1], "menu");
            break;
        case TKind::Toolbar:
            TriggerFrom(ToolbarEntries(), r[1], "toolbar");
            break;
        case TKind::Preview:
            ShowPreview(r);
            break;
        case TKind::Search:
            Search(r);
            break;
        case TKind::Language:
            SwitchLanguage(r);
            break;
        case TKind::Type:
            TypeInto(r);
            break;
        case TKind::Control:
            UseControl(r);
            break;
        case TKind::Button:
            ClickPaneButton(r);
            break;
        case TKind::Save:
            Press(f_.SaveButton(), "Save");
            break;
        case TKind::Cancel:
            Press(f_.CancelButton(), "Cancel");
            break;
        case TKind::Wait:
            Log(QString("  wait %1 ms").arg(500 + r[1] % 1500));
            QTest::qWait(500 + static_cast<int>(r[1] % 1500));
            break;
        }
    }

    // A left click that survives the widget going away on the press.
    static void Click(QWidget* widget, QPoint at = {})
    {
        QPointer<QWidget> alive = widget;
        if (!alive)
            return;
        if (at.isNull())
            at = alive->rect().center();
        QTest::mousePress(alive, Qt::LeftButton, {}, at);
        if (alive)
            QTest::mouseRelease(alive, Qt::LeftButton, {}, at);
    }

    // Lets the window and the web engine catch up with a step.
    void Settle(int ms) { QTest::qWait(ms); }

    // ---- trees --------------------------------------------------------------------------------

    // The rows a user can see: children of expanded rows only.
    static void VisibleRows(QTreeView& view, const QModelIndex& parent, QModelIndexList& rows)
    {
        QAbstractItemModel* model = view.model();
        for (int i = 0; i < model->rowCount(parent); ++i) {
            const QModelIndex index = model->index(i, 0, parent);
            rows.push_back(index);
            if (view.isExpanded(index))
                VisibleRows(view, index, rows);
        }
    }

    static QString PathOf(const QModelIndex& index)
    {
        QString path = index.data().toString();
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            path = up.data().toString() + "/" + path;
        return path;
    }

    bool Avoiding(const char* name, const QString& why)
    {
        if (!options_.Avoid.count(name))
            return false;
        Log("  avoided (" + QString(name) + "): " + why);
        return true;
    }

    bool ShowsPreview() const
    {
        for (QTabWidget* tabs : f_.EditorPane()->findChildren<QTabWidget*>())
            if (tabs->isVisible() && tabs->currentIndex() >= 0 && Caption(tabs->tabText(tabs->currentIndex())).contains("Preview"))
                return true;
        return false;
    }

    void ClickTree(TCatalogTreeView* view, const std::array<std::uint32_t, 4>& r, bool web)
    {
        if (!view || !view->isVisible()) {
            Log("  no tree");
            return;
        }
        QModelIndexList rows;
        VisibleRows(*view, {}, rows);
        if (rows.isEmpty()) {
            Log("  empty tree");
            return;
        }
        const QModelIndex index = rows[static_cast<int>(r[1] % rows.size())];
        const QString path = PathOf(index);
        if (web && ShowsPreview() && Avoiding("preview-tree", path))
            return;
        if (f_.Shell().Search().SearchResult() && Avoiding("search-tree", path))
            return;
        view->scrollTo(index);
        if (r[2] % 4 == 0 && view->model()->hasChildren(index)) {
            const bool expand = !view->isExpanded(index);
            Log(QString("  %1 %2").arg(expand ? "expand" : "collapse", path));
            view->setExpanded(index, expand);
            return;
        }
        Log("  click " + path);
        Click(view->viewport(), view->visualRect(index).center());
    }

    // The pop-up of a tree node: the step's value picks its entry when it shows.
    void TreePopup(const std::array<std::uint32_t, 4>& r)
    {
        TCatalogWindowUI* ui = f_.Shell().CatalogUI();
        TCatalogTreeView* view = !ui ? nullptr : r[1] % 3 == 0 ? ui->TemplatesTreeView() : ui->WebTreeView();
        if (!view || !view->isVisible() || !view->currentIndex().isValid()) {
            Log("  no selected node");
            return;
        }
        Log("  pop-up of " + PathOf(view->currentIndex()));
        popupChoice_ = r[2];
        emit view->customContextMenuRequested(view->visualRect(view->currentIndex()).center());
        // A pop-up shown without waiting is answered here.
        QCoreApplication::processEvents();
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            ChoosePopupEntry(*menu);
        popupChoice_.reset();
    }

    // ---- the editor pane --------------------------------------------------------------------

    template <class T>
    std::vector<T*> InPane() const
    {
        std::vector<T*> found;
        for (T* widget : f_.EditorPane()->findChildren<T*>())
            if (widget->isVisible() && widget->isEnabled())
                found.push_back(widget);
        return found;
    }

    void SwitchTab(const std::array<std::uint32_t, 4>& r)
    {
        std::vector<QTabBar*> bars = InPane<QTabBar>();
        if (bars.empty()) {
            Log("  no tabs");
            return;
        }
        QTabBar* bar = bars[r[1] % bars.size()];
        const int index = static_cast<int>(r[2] % static_cast<std::uint32_t>(bar->count()));
        Log(QString("  tab %1 of %2 (%3)").arg(Caption(bar->tabText(index))).arg(bars.size()).arg(Describe(bar->parentWidget())));
        ClickTab(*bar, index);
    }

    static void ClickTab(QTabBar& bar, int index)
    {
        const QRect rect = bar.tabRect(index);
        if (bar.rect().contains(rect.center()))
            Click(&bar, rect.center());
        else
            bar.setCurrentIndex(index);
    }

    void ShowPreview(const std::array<std::uint32_t, 4>& r)
    {
        for (QTabBar* bar : InPane<QTabBar>())
            for (int i = 0; i < bar->count(); ++i)
                if (Caption(bar->tabText(i)).contains("Preview")) {
                    Log("  tab " + Caption(bar->tabText(i)));
                    ClickTab(*bar, i);
                    // A preview is generated and loaded in its own time.
                    QTest::qWait(400 + static_cast<int>(r[1] % 800));
                    return;
                }
        // No preview tab: the local site's preview from the Web menu.
        std::vector<std::pair<QString, QAction*>> previews;
        for (const auto& entry : MenuEntries())
            if (entry.first.contains("Preview"))
                previews.push_back(entry);
        TriggerFrom(previews, r[1], "menu");
    }

    void TypeInto(const std::array<std::uint32_t, 4>& r)
    {
        std::vector<QWidget*> targets;
        for (QWidget* w : InPane<QWidget>()) {
            auto* line = qobject_cast<QLineEdit*>(w);
            if ((line && !line->isReadOnly()) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
                qobject_cast<QsciScintilla*>(w) || qobject_cast<QWebEngineView*>(w) || qobject_cast<QAbstractSpinBox*>(w))
                targets.push_back(w);
        }
        if (targets.empty()) {
            Log("  nothing to type into");
            return;
        }
        // The target, and a web view's input widget, may go away while keys are handled.
        QPointer<QWidget> target = targets[r[1] % targets.size()];
        auto input = [&target]() -> QWidget* {
            return !target ? nullptr : target->focusProxy() ? target->focusProxy() : target.data();
        };
        const QString text = QString::fromUtf8(kTypedTexts[r[2] % std::size(kTypedTexts)]);
        Log(QString("  type \"%1\" into %2").arg(text, Describe(target)));
        if (qobject_cast<QWebEngineView*>(target)) {
            target->window()->activateWindow();
            Click(input(), QPoint(20 + static_cast<int>(r[3] % 200), 20));
            QTest::qWait(100);
        } else {
            input()->setFocus();
            if (r[3] % 2 == 0)
                QTest::keyClick(input(), Qt::Key_A, Qt::ControlModifier);  // over what was there
        }
        for (const QChar c : text) {
            if (!input()) {
                Log("  the target went away");
                return;
            }
            QTest::keyClicks(input(), QString(c));
        }
        if (r[3] % 5 == 0 && input())
            QTest::keyClick(input(), Qt::Key_Return);
    }

    // Checks a box, picks a radio button or a combo box entry.
    void UseControl(const std::array<std::uint32_t, 4>& r)
    {
        std::vector<QWidget*> controls;
        for (QWidget* w : InPane<QWidget>())
            if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ||
                (qobject_cast<QComboBox*>(w) && static_cast<QComboBox*>(w)->count() > 0))
                controls.push_back(w);
        if (controls.empty()) {
            Log("  no control");
            return;
        }
        QWidget* control = controls[r[1] % controls.size()];
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int index = static_cast<int>(r[2] % static_cast<std::uint32_t>(combo->count()));
            Log(QString("  choose \"%1\" in %2").arg(combo->itemText(index), Describe(combo)));
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            return;
        }
        auto* button = static_cast<QAbstractButton*>(control);
        Log(QString("  click \"%1\" %2").arg(Caption(button->text()), Describe(button)));
        Click(button);
    }

    void ClickPaneButton(const std::array<std::uint32_t, 4>& r)
    {
        std::vector<QAbstractButton*> buttons;
        for (QAbstractButton* b : InPane<QAbstractButton>())
            if (qobject_cast<QPushButton*>(b) || qobject_cast<QToolButton*>(b))
                buttons.push_back(b);
        if (buttons.empty()) {
            Log("  no button");
            return;
        }
        QAbstractButton* button = buttons[r[1] % buttons.size()];
        Log(QString("  click \"%1\" %2").arg(Caption(button->text().isEmpty() ? button->toolTip() : button->text()),
                                              Describe(button)));
        Click(button);
    }

    void Press(QPushButton* button, const char* name)
    {
        if (!button || !button->isVisible() || !button->isEnabled()) {
            Log(QString("  %1 not available").arg(name));
            return;
        }
        Log(QString("  press %1").arg(name));
        Click(button);
    }

    // ---- menus, toolbars, search, language ---------------------------------------------------

    static void CollectEntries(const QList<QAction*>& actions, const QString& path,
                               std::vector<std::pair<QString, QAction*>>& entries)
    {
        for (QAction* action : actions) {
            if (action->isSeparator() || !action->isVisible() || !action->isEnabled())
                continue;
            const QString caption = path + Caption(action->text());
            if (action->menu()) {
                CollectEntries(action->menu()->actions(), caption + "/", entries);
                continue;
            }
            if (kNeverTriggered.count(action->objectName()) || action->text().isEmpty())
                continue;
            entries.emplace_back(caption, action);
        }
    }

    std::vector<std::pair<QString, QAction*>> MenuEntries() const
    {
        std::vector<std::pair<QString, QAction*>> entries;
        CollectEntries(f_.Window().menuBar()->actions(), "", entries);
        return entries;
    }

    std::vector<std::pair<QString, QAction*>> ToolbarEntries() const
    {
        std::vector<std::pair<QString, QAction*>> entries;
        TfrmMain& w = f_.Window();
        for (TMainToolbar which : {TMainToolbar::CatalogActions, TMainToolbar::WebTree, TMainToolbar::WebTreeCustom,
                                   TMainToolbar::Templates, TMainToolbar::TemplatesCustom})
            if (QToolBar* bar = w.Toolbar(which); bar && bar->isVisible()) {
                QList<QAction*> shown;
                for (QAction* a : bar->actions())
                    if (bar->widgetForAction(a) && bar->widgetForAction(a)->isVisible())
                        shown.push_back(a);
                CollectEntries(shown, bar->objectName() + ":", entries);
            }
        return entries;
    }

    void TriggerFrom(const std::vector<std::pair<QString, QAction*>>& entries, std::uint32_t value, const char* what)
    {
        if (entries.empty()) {
            Log(QString("  no %1 entry").arg(what));
            return;
        }
        const auto& [caption, action] = entries[value % entries.size()];
        Log(QString("  %1 %2 (%3)").arg(what, caption, action->objectName()));
        action->trigger();
    }

    void Search(const std::array<std::uint32_t, 4>& r)
    {
        TfrmMain& w = f_.Window();
        if (!w.SearchBox()->isVisible()) {
            Log("  no search box");
            return;
        }
        QList<QAction*> kinds;
        for (QAction* kind : w.Menu(TMainMenu::SearchKinds)->actions())
            if (!kind->isSeparator() && kind->isEnabled())
                kinds.push_back(kind);
        QString kindName = "(as it is)";
        if (!kinds.isEmpty()) {
            QAction* kind = kinds[static_cast<int>(r[1] % kinds.size())];
            kindName = Caption(kind->text());
            kind->trigger();
        }
        const QString word = QString::fromUtf8(kSearchWords[r[2] % std::size(kSearchWords)]);
        Log(QString("  search \"%1\" in %2").arg(word, kindName));
        w.SearchBox()->setFocus();
        w.SearchBox()->setEditText(word);
        QTest::keyClick(w.SearchBox()->lineEdit(), Qt::Key_Return);
    }

    void SwitchLanguage(const std::array<std::uint32_t, 4>& r)
    {
        QComboBox* combo = f_.Window().LanguageCombo();
        if (!combo->isVisible() || !combo->isEnabled() || combo->count() == 0) {
            Log("  no language box");
            return;
        }
        const int index = static_cast<int>(r[1] % static_cast<std::uint32_t>(combo->count()));
        Log(QString("  language %1").arg(combo->itemData(index).toString()));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // ---- what opens on its own -------------------------------------------------------------------

    // Pop-ups get the step's entry (or are closed), modal windows are
    // cancelled once they have shown for a moment.
    void WatchModals()
    {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (popupChoice_)
                ChoosePopupEntry(*menu);
            else {
                Log("  pop-up closed: " + Describe(menu));
                menu->close();
            }
            return;
        }
        if (QWidget* popup = QApplication::activePopupWidget()) {
            Log("  pop-up closed: " + Describe(popup));
            popup->close();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            modal_.clear();
            return;
        }
        if (modal != modal_) {
            modal_ = modal;
            modalShown_.restart();
            Log("  modal window: " + Describe(modal));
            return;
        }
        if (modalShown_.elapsed() < 300)
            return;
        Log("  modal window cancelled: " + Describe(modal));
        modal_.clear();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    void ChoosePopupEntry(QMenu& menu)
    {
        std::vector<QAction*> entries;
        for (QAction* a : menu.actions())
            if (!a->isSeparator() && a->isVisible() && a->isEnabled() && !a->menu())
                entries.push_back(a);
        const std::uint32_t choice = popupChoice_.value_or(0);
        popupChoice_.reset();
        if (entries.empty()) {
            Log("  pop-up has no entry");
            menu.close();
            return;
        }
        QAction* entry = entries[choice % entries.size()];
        Log("  pop-up entry " + Caption(entry->text()));
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(entry).center());
        if (menu.isVisible())
            menu.close();
    }

    // A question or choice gets one of its own answers, picked by the step's value.
    int Answer(const TShownBox& box)
    {
        std::vector<std::pair<int, const char*>> answers;
        if (box.kind == "choice")
            answers = {{mrFirstChoice, "first"}, {mrSecondChoice, "second"}, {mrCancel, "Cancel"}};
        else
            switch (box.flags & 0x0F) {
            case mbOkCancel: answers = {{mrOk, "Ok"}, {mrCancel, "Cancel"}}; break;
            case mbYesNoCancel: answers = {{mrYes, "Yes"}, {mrNo, "No"}, {mrCancel, "Cancel"}}; break;
            case mbYesNo: answers = {{mrYes, "Yes"}, {mrNo, "No"}}; break;
            default: answers = {{mrOk, "Ok"}}; break;
            }
        const auto& [answer, name] = answers[(answerSeed_ + answersGiven_++) % answers.size()];
        answerNames_.push_back(name);
        return answer;
    }

    void LogBoxes()
    {
        size_t answered = 0;
        for (const TShownBox& box : f_.Boxes().Shown()) {
            std::string line = "  " + box.kind + ": " + box.message;
            if ((box.kind == "question" || box.kind == "choice") && answered < answerNames_.size())
                line += " -> " + answerNames_[answered++];
            Log(line);
        }
        answerNames_.clear();
        f_.Boxes().Clear();
        const std::string opened = TTempFolder::Read(opener_.Record());
        if (!opened.empty()) {
            Log("  opened on the desktop: " + opened);
            std::filesystem::remove(opener_.Record());
        }
    }

    // Every tree model the run meets is checked by Qt's model tester from
    // then on: a row notification that does not match the rows stops the run
    // where it happens rather than where a view trips over it later.
    void CheckTreeModels()
    {
        TCatalogWindowUI* ui = f_.Shell().CatalogUI();
        if (!ui)
            return;
        for (TCatalogTreeView* view : {ui->WebTreeView(), ui->TemplatesTreeView()})
            if (view && !view->model()->property("explore-tested").toBool()) {
                view->model()->setProperty("explore-tested", true);
                new QAbstractItemModelTester(view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal,
                                             view->model());
            }
    }

    // The exploration goes on in a catalog: a closed one is opened again.
    void KeepCatalogOpen()
    {
        if (f_.Root().Catalog().IsOpen())
            return;
        Log("  the catalog closed: opening it again");
        modalWatch_.stop();
        std::string error;
        f_.Root().OpenCatalog("", SQLiteModuleName, "", CatalogCode, "admin", "secret", 0, error);
        QCoreApplication::processEvents();
        modalWatch_.start();
        if (!error.empty())
            Log("  opening failed: " + error);
    }

public:
    static constexpr const char* CatalogCode = "explore";

private:
    TMainWindowFixture& f_;
    const TOptions& options_;
    std::mt19937_64 random_;
    std::FILE* log_;
    QTimer modalWatch_;
    QPointer<QWidget> modal_;
    QElapsedTimer modalShown_;
    std::optional<std::uint32_t> popupChoice_;
    std::uint32_t answerSeed_ = 0;
    std::uint32_t answersGiven_ = 0;
    std::vector<std::string> answerNames_;
    const TRecordingOpener& opener_;
};

void Usage()
{
    std::fprintf(stderr, "usage: tolvex-explore --seed N [--minutes M] [--steps K] [--catalog-type T] [--log FILE]\n"
                         "                      [--avoid preview-tree,search-tree]\n");
}

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    bool seeded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            Usage();
            return false;
        }
        const char* value = argv[++i];
        if (name == "--seed") {
            options.Seed = std::strtoull(value, nullptr, 10);
            seeded = true;
        } else if (name == "--minutes")
            options.Minutes = std::atof(value);
        else if (name == "--steps")
            options.Steps = std::atol(value);
        else if (name == "--catalog-type")
            options.CatalogType = std::atoi(value);
        else if (name == "--log")
            options.LogFile = value;
        else if (name == "--avoid") {
            std::stringstream list(value);
            for (std::string item; std::getline(list, item, ',');)
                options.Avoid.insert(item);
        } else {
            Usage();
            return false;
        }
    }
    if (!seeded)
        Usage();
    return seeded;
}

}  // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    std::FILE* log = options.LogFile.empty() ? nullptr : std::fopen(options.LogFile.c_str(), "w");
    // File dialogs and the web engine's profile stay inside a folder of the run's own.
    TTempFolder desk;
    ::setenv("HOME", desk.Path().c_str(), 1);
    std::filesystem::current_path(desk.Path());
    RegisterPreviewScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    int qtArgc = 1;
    TTolvexApplication app(qtArgc, argv);

    long steps = 0;
    {
        // Whatever the program asks the desktop to open is only recorded.
        TRecordingOpener opener;
        TMainWindowFixture f(RegisterFrameworkClasses, true);
        f.Window().resize(1200, 800);
        TExplorer explorer(f, options, opener, log);
        explorer.Log(QString("seed %1, catalog type %2, program folder %3")
                         .arg(options.Seed)
                         .arg(options.CatalogType)
                         .arg(QString::fromStdString(f.Home().Path())));
        const std::string error = f.CreateAndOpen(TExplorer::CatalogCode, options.CatalogType);
        if (!error.empty()) {
            explorer.Log("the catalog did not open: " + error);
            return 1;
        }
        // Two more data languages for the language box.
        AddDataLanguage(f, "DE");
        AddDataLanguage(f, "FR");
        f.Gui().FillLanguageCombo();
        steps = explorer.Run();
        explorer.Log(QString("done: %1 steps").arg(steps));
    }
    if (log)
        std::fclose(log);
    return 0;
}
