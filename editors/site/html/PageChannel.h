#pragma once
// A web channel between a page and the program in the program's own script
// world: the page's scripts cannot reach it, and it works also when they are
// switched off. The injected script runs when the document is ready and
// reports with sink.Post(kind, text, value), which arrives as Posted. Only
// this small object is published to the page, never a widget.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QWebChannel;
class QWebEnginePage;

class TPageChannel : public QObject {
    Q_OBJECT
public:
    // Script sees this object as the variable "sink".
    TPageChannel(QWebEnginePage& page, const QString& name, const QString& script, QObject* parent);
    ~TPageChannel() override;

    Q_INVOKABLE void Post(const QString& kind, const QString& text, const QVariant& value);

signals:
    void Posted(const QString& kind, const QString& text, const QVariant& value);

private:
    QPointer<QWebEnginePage> page_;
    QWebChannel* channel_;
};
