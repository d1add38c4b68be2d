#pragma once
// The help window: the program's help pages in a browser with Back,
// Forward and Contents. One window, reused by every help request.
#include <QMainWindow>

class QTextBrowser;

class THelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    // Shows a page file (with an optional "#anchor"); Home is the contents page.
    void ShowPage(const QString& file, const QString& anchor, const QString& home);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QString home_;
};
