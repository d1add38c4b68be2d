#pragma once
// Watches an HTML form shown in a web page for the user's changes: a script
// in the program's own script world (out of reach of the page's scripts,
// and running also when the page's own scripts are switched off) reports
// every "change" and "click" with the element's tag name and type attribute
// to the THtmlEventHandler, which decides whether the editor is modified.
#include "editors/site/html/HtmlEventHandler.h"

#include <QObject>

class QWebEnginePage;

class THtmlChangeWatcher : public QObject {
    Q_OBJECT
public:
    // Attaches to Page for its life; Handler is borrowed.
    THtmlChangeWatcher(QWebEnginePage& page, THtmlEventHandler& handler);

private:
    void Event(const QString& type, const QString& tagName, const QVariant& typeAttribute);

    THtmlEventHandler& handler_;
};
