#include "editors/site/preview/WebPreviewWidget.h"

#include "common/CommonFunctions.h"
#include "editors/site/WebScript.h"
#include "gui/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

using UiText::Q;
using UiText::S;
using UiText::Tr;

// Every main-frame load asks the model first. The failure page the widget
// puts in itself is the one load that does not.
class TWebPreviewWidget::TPreviewPage : public QWebEnginePage {
public:
    TPreviewPage(QWebEngineProfile* profile, TWebPreviewWidget& owner) : QWebEnginePage(profile, &owner), owner_(owner)
    {
        // The refused load ends in a task of the engine: the model is asked
        // after it, from a timer. Not from a posted event: while one is
        // handled, Qt holds back the events posted meanwhile, the engine's
        // own work among them, and a wait for a design view would last
        // until it gives up.
        connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
            if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                QTimer::singleShot(kAskAfterMs, this, [this, url = info.url()] { Ask(url); });
        });
    }
    bool ownLoad = false;
    // The address the model has allowed: its load goes ahead unasked.
    QUrl approved;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return true;
        if (ownLoad && url.scheme() == QLatin1String("data")) {
            ownLoad = false;
            return true;
        }
        if (!approved.isEmpty() && url == approved) {
            approved.clear();
            return true;
        }
        approved.clear();
        // The page's own navigation (a link, a script, a form) is refused
        // for now and asked about once the engine has given it up: the model
        // may make the page again, which reads the item's design views
        // through the same engine, or show a message while the editor goes,
        // and neither may run while the engine waits for it. The view loads
        // the address again when the model allows it. Should the engine
        // report nothing, the model is asked a moment later.
        waiting_ = url;
        waitingFrom_ = QWebEnginePage::url();
        QTimer::singleShot(kAskAnywayMs, this, [this, url] { Ask(url); });
        return false;
    }
    // A link into a new window opens in the preview itself, past the same checks.
    QWebEnginePage* createWindow(WebWindowType) override { return this; }

private:
    static constexpr int kAskAfterMs = 1;
    static constexpr int kAskAnywayMs = 1000;

    void Ask(const QUrl& url)
    {
        if (waiting_.isEmpty() || url != waiting_)
            return;
        waiting_.clear();
        owner_.Follow(url, waitingFrom_);
    }

    TWebPreviewWidget& owner_;
    QUrl waiting_;
    QUrl waitingFrom_;
};

TWebPreviewWidget::TWebPreviewWidget(TWebPreviewModel& model, QWebEngineProfile* profile, QWidget* parent)
    : QWidget(parent), model_(model)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolbar_ = new QToolBar(Tr("Preview"), this);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolbar_);

    const auto historyButton = [this](const char* caption, QMenu*& menu, bool back, TPreviewAction which) {
        auto* button = new QToolButton(toolbar_);
        button->setText(Tr(caption));
        button->setObjectName(QString::fromUtf8(caption));
        button->setToolTip(Tr(caption));
        button->setPopupMode(QToolButton::MenuButtonPopup);
        menu = new QMenu(button);
        button->setMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, back] { FillHistoryMenu(menu, back); });
        connect(button, &QToolButton::clicked, this, [this, back] { Navigate(model_.Move(back ? -1 : 1, true)); });
        QAction* action = toolbar_->addWidget(button);
        action->setObjectName(QString::fromUtf8(caption));
        actions_[static_cast<size_t>(which)] = action;
        return button;
    };
    back_ = historyButton("Back", backMenu_, true, TPreviewAction::Back);
    forward_ = historyButton("Forward", forwardMenu_, false, TPreviewAction::Forward);
    const auto add = [this](const char* caption, TPreviewAction which, std::function<void()> run) {
        QAction* action = toolbar_->addAction(Tr(caption));
        action->setObjectName(QString::fromUtf8(caption));
        actions_[static_cast<size_t>(which)] = action;
        connect(action, &QAction::triggered, this, [run] { run(); });
        return action;
    };
    toolbar_->addSeparator();
    add("Save page", TPreviewAction::SavePage, [this] { Save(); });
    add("Print page", TPreviewAction::PrintPage, [this] { Print(); });
    add("Help", TPreviewAction::Help, [this] { emit HelpRequested(); })->setShortcut(QKeySequence::HelpContents);
    toolbar_->addSeparator();
    QAction* preview = add("Preview", TPreviewAction::Preview, [] {});
    preview->setCheckable(true);
    preview->setChecked(true);
    connect(preview, &QAction::toggled, this, [this](bool on) {
        model_.SetPreviewOn(on);
        emit PreviewOnChanged(on);
        if (on) {
            ShowPreview(lang_);
        } else {
            Navigate("about:blank");
            UpdateControls();
        }
    });
    roleSeparator_ = toolbar_->addSeparator();
    roles_ = new QComboBox(toolbar_);
    roles_->setObjectName(QStringLiteral("PreviewRole"));
    // Narrow enough to stay on the toolbar of a narrow pane; the list shows the whole captions.
    roles_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    roles_->setMinimumContentsLength(16);
    for (const auto& [caption, value] : TWebPreviewModel::Roles())
        roles_->addItem(Tr(caption), Q(value));
    QAction* roleAction = toolbar_->addWidget(roles_);
    roleAction->setObjectName(QStringLiteral("PreviewRole"));
    actions_[static_cast<size_t>(TPreviewAction::Role)] = roleAction;
    connect(roles_, &QComboBox::activated, this, [this] {
        const QString value = roles_->currentData().toString();
        model_.SetRole(S(value), true);
        emit RoleChanged(value);
        ShowPreview(lang_);
    });

    stack_ = new QStackedWidget(this);
    caption_ = new QLabel(Tr("Click \"Preview\" button to turn preview mode on."), stack_);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setWordWrap(true);
    view_ = new QWebEngineView(stack_);
    auto* page = new TPreviewPage(profile ? profile : QWebEngineProfile::defaultProfile(), *this);
    // The page runs as it will on the site, but opens nothing on its own.
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // A form the page posts is sent as a query: the preview host makes
    // pages from addresses, and never sees a request's body.
    QWebEngineScript forms;
    forms.setName(QStringLiteral("tolvexPreviewForms"));
    forms.setWorldId(QWebEngineScript::ApplicationWorld);
    forms.setInjectionPoint(QWebEngineScript::DocumentReady);
    forms.setRunsOnSubFrames(false);
    forms.setSourceCode(WebScript("previewForms.js"));
    page->scripts().insert(forms);
    view_->setPage(page);
    stack_->addWidget(caption_);
    stack_->addWidget(view_);
    layout->addWidget(stack_, 1);
    connect(view_, &QWebEngineView::loadFinished, this, [this] { UpdateControls(); });
    SetInHouse(false, {});
    UpdateControls();
}

TWebPreviewWidget::~TWebPreviewWidget()
{
    // No question reaches the model while the page goes.
    disconnect(view_, nullptr, this, nullptr);
}

void TWebPreviewWidget::SetInHouse(bool inHouse, const std::string& role)
{
    roleSeparator_->setVisible(inHouse);
    Action(TPreviewAction::Role)->setVisible(inHouse);
    const int index = roles_->findData(Q(role));
    roles_->setCurrentIndex(index >= 0 ? index : 0);
    model_.SetRole(S(roles_->currentData().toString()), inHouse);
}

void TWebPreviewWidget::SetPreviewOn(bool on)
{
    QAction* preview = Action(TPreviewAction::Preview);
    const QSignalBlocker blocker(preview);
    preview->setChecked(on);
    model_.SetPreviewOn(on);
    UpdateControls();
}

void TWebPreviewWidget::ShowPreview(const std::string& lang)
{
    lang_ = lang;
    std::string address;
    const bool ok = model_.GeneratePreview(lang, address);
    UpdateControls();
    if (address.empty())
        return;
    if (!ok) {
        // The failure text as a page of its own, shown as text.
        showingError_ = true;
        auto* page = static_cast<TPreviewPage*>(view_->page());
        page->ownLoad = true;
        page->setHtml(QStringLiteral("<html><body><pre style=\"white-space: pre-wrap\">") +
                          Q(TCommonFunctions::EncodeXmlText(model_.LastError())) +
                          QStringLiteral("</pre></body></html>"),
                      QUrl(Q(model_.ErrorAddress())));
        return;
    }
    Navigate(address);
}

void TWebPreviewWidget::Navigate(const std::string& address)
{
    if (!address.empty())
        Follow(QUrl(Q(address)), view_->url());
}

void TWebPreviewWidget::Follow(const QUrl& url, const QUrl& current)
{
    showingError_ = false;
    const QPointer<TWebPreviewWidget> alive(this);
    const bool allowed =
        model_.BeforeNavigate(S(url.toString(QUrl::FullyEncoded)), S(current.toString(QUrl::FullyEncoded)));
    // A message the model showed may have let the editor, and this preview, go.
    if (!alive)
        return;
    UpdateControls();
    if (!allowed)
        return;
    static_cast<TPreviewPage*>(view_->page())->approved = url;
    view_->load(url);
}

void TWebPreviewWidget::UpdateControls()
{
    const bool on = model_.PreviewOn();
    stack_->setCurrentWidget(on ? static_cast<QWidget*>(view_) : caption_);
    Action(TPreviewAction::SavePage)->setEnabled(on);
    Action(TPreviewAction::PrintPage)->setEnabled(on);
    Action(TPreviewAction::Back)->setEnabled(model_.CanGoBack());
    Action(TPreviewAction::Forward)->setEnabled(model_.CanGoForward());
}

void TWebPreviewWidget::FillHistoryMenu(QMenu* menu, bool back)
{
    menu->clear();
    for (const auto& [position, caption] : back ? model_.BackList() : model_.ForwardList()) {
        const int to = position;
        menu->addAction(Q(caption), this, [this, to] { Navigate(model_.Move(to, false)); });
    }
}

void TWebPreviewWidget::Save()
{
    const QString target = AskFileName ? AskFileName(Tr("Save page"), QStringLiteral("HTML (*.html *.htm)"))
                                       : QFileDialog::getSaveFileName(this, Tr("Save page"), QString(),
                                                                      QStringLiteral("HTML (*.html *.htm)"));
    if (!target.isEmpty())
        view_->page()->save(target, QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

void TWebPreviewWidget::Print()
{
    // Printed to a PDF file, which the system's viewer prints.
    const QString target = AskFileName ? AskFileName(Tr("Print page"), QStringLiteral("PDF (*.pdf)"))
                                       : QFileDialog::getSaveFileName(this, Tr("Print page"), QString(),
                                                                      QStringLiteral("PDF (*.pdf)"));
    if (!target.isEmpty())
        view_->page()->printToPdf(target);
}
