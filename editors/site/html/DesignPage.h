#pragma once
// The page of a design view: it goes nowhere but where the view loads it. A
// refresh or redirect the edited markup asks for, a link or a form is
// refused, so the document being edited (and its edits) stays.
#include <QWebEnginePage>

class TDesignPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit TDesignPage(QObject* parent = nullptr) : QWebEnginePage(parent) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};
