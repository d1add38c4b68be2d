#include "shell/HelpWindow.h"

#include "gui/UiText.h"

#include <QAction>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

using UiText::Tr;

THelpWindow::THelpWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmHelp");
    setWindowTitle(Tr("Tolvex Help"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    QToolBar* bar = addToolBar(Tr("Navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QIcon::fromTheme("go-previous", style()->standardIcon(QStyle::SP_ArrowBack)), Tr("Back"));
    back->setShortcut(QKeySequence::Back);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(QIcon::fromTheme("go-next", style()->standardIcon(QStyle::SP_ArrowForward)), Tr("Forward"));
    forward->setShortcut(QKeySequence::Forward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* home = bar->addAction(QIcon::fromTheme("go-home", style()->standardIcon(QStyle::SP_DirHomeIcon)), Tr("Contents"));
    connect(home, &QAction::triggered, this, [this] { browser_->setSource(QUrl::fromLocalFile(home_)); });
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(Tr("Tolvex Help") + " - " + browser_->documentTitle()); });
    resize(720, 560);
}

void THelpWindow::ShowPage(const QString& file, const QString& anchor, const QString& home)
{
    home_ = home;
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}
