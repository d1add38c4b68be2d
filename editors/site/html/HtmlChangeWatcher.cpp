#include "editors/site/html/HtmlChangeWatcher.h"

#include "editors/site/WebScript.h"
#include "editors/site/html/PageChannel.h"

#include <QWebEnginePage>

THtmlChangeWatcher::THtmlChangeWatcher(QWebEnginePage& page, THtmlEventHandler& handler)
    : QObject(&page), handler_(handler)
{
    auto* channel = new TPageChannel(page, QStringLiteral("tolvexHtmlChanges"), WebScript("changeWatcher.js"), this);
    connect(channel, &TPageChannel::Posted, this, &THtmlChangeWatcher::Event);
}

void THtmlChangeWatcher::Event(const QString& type, const QString& tagName, const QVariant& typeAttribute)
{
    std::optional<std::string> attribute;
    if (typeAttribute.isValid() && !typeAttribute.isNull())
        attribute = typeAttribute.toString().toStdString();
    handler_.HandleEvent(type.toStdString(), tagName.toStdString(), attribute);
}
