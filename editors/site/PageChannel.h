#pragma once
// A web channel between a page and the program in the program's own script
// world: the page's scripts cannot reach it, and it works also when they are
// switched off. Script runs when the document is ready, with the registered
// object as "sink".
#include <QString>

class QObject;
class QWebEnginePage;

namespace PageChannel {

// Registers Object under Name on a new channel of the page (one channel a
// page) and injects Script, which sees the object as the variable "sink".
void Install(QWebEnginePage& page, const QString& name, QObject* object, const QString& script);

}  // namespace PageChannel
