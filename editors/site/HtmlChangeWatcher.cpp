#include "editors/site/html/HtmlChangeWatcher.h"

#include "editors/site/html/PageChannel.h"

#include <QWebEnginePage>

namespace {

// Listens in the capture phase, so that a page cannot hide an event from it.
const char* const kListener = R"(
function report(event) {
    var element = event.target;
    if (!element || !element.tagName)
        return;
    var type = element.getAttribute ? element.getAttribute("type") : null;
    sink.Post(event.type, element.tagName, type);
}
document.addEventListener("change", report, true);
document.addEventListener("click", report, true);
)";

}  // namespace

THtmlChangeWatcher::THtmlChangeWatcher(QWebEnginePage& page, THtmlEventHandler& handler)
    : QObject(&page), handler_(handler)
{
    auto* channel = new TPageChannel(page, QStringLiteral("tolvexHtmlChanges"), QString::fromUtf8(kListener), this);
    connect(channel, &TPageChannel::Posted, this, &THtmlChangeWatcher::Event);
}

void THtmlChangeWatcher::Event(const QString& type, const QString& tagName, const QVariant& typeAttribute)
{
    std::optional<std::string> attribute;
    if (typeAttribute.isValid() && !typeAttribute.isNull())
        attribute = typeAttribute.toString().toStdString();
    handler_.HandleEvent(type.toStdString(), tagName.toStdString(), attribute);
}
