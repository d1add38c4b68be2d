#pragma once
// The in-editor web preview: a toolbar ("Back" and "Forward" with their
// history menus, "Save page", "Print page", Help, the latching "Preview"
// and, in the in-house mode, the role) over a web view that shows the
// edited item's page from the preview host. Every page the view is about to
// load passes TWebPreviewModel first: it regenerates, opens another item or
// refuses. The widget keeps no rule of its own.
#include "editors/site/preview/WebPreviewModel.h"

#include <QWidget>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QUrl;
class QWebEngineProfile;
class QWebEngineView;

// The toolbar's commands, for callers that enable or trigger one.
enum class TPreviewAction { Back, Forward, SavePage, PrintPage, Help, Preview, Role, Count };

class TWebPreviewWidget : public QWidget {
    Q_OBJECT
public:
    // Profile: the one the preview scheme is installed on (the default
    // profile when null); it must outlive the widget.
    TWebPreviewWidget(TWebPreviewModel& model, QWebEngineProfile* profile = nullptr, QWidget* parent = nullptr);
    ~TWebPreviewWidget() override;

    // The in-house mode shows the role choice, preset to Role's value.
    void SetInHouse(bool inHouse, const std::string& role);
    // Latches "Preview" (without generating).
    void SetPreviewOn(bool on);
    // Generates the page in Lang and shows it (the tab was shown).
    void ShowPreview(const std::string& lang);

    QWebEngineView* View() const { return view_; }
    QAction* Action(TPreviewAction which) const { return actions_[static_cast<size_t>(which)]; }
    QComboBox* RoleBox() const { return roles_; }
    QMenu* BackMenu() const { return backMenu_; }
    QMenu* ForwardMenu() const { return forwardMenu_; }
    bool IsShowingError() const { return showingError_; }

    // The dialogs of "Save page" and "Print page"; tests answer them.
    std::function<QString(const QString& caption, const QString& filter)> AskFileName;

signals:
    // The user switched the preview or chose a role: the frame keeps the choice.
    void PreviewOnChanged(bool on);
    void RoleChanged(const QString& value);
    void HelpRequested();

private:
    class TPreviewPage;
    void Navigate(const std::string& address);
    // Asks the model about a load of Url (Current: what the view shows) and
    // makes it when allowed.
    void Follow(const QUrl& url, const QUrl& current);
    void UpdateControls();
    void FillHistoryMenu(QMenu* menu, bool back);
    void Save();
    void Print();

    TWebPreviewModel& model_;
    std::string lang_;
    bool showingError_ = false;
    QToolBar* toolbar_;
    QToolButton* back_;
    QToolButton* forward_;
    QMenu* backMenu_;
    QMenu* forwardMenu_;
    std::array<QAction*, static_cast<size_t>(TPreviewAction::Count)> actions_{};
    QAction* roleSeparator_;
    QComboBox* roles_;
    QStackedWidget* stack_;
    QLabel* caption_;
    QWebEngineView* view_;
};
