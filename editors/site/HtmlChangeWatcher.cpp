#include "editors/site/HtmlChangeWatcher.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// Listens in the capture phase, so that a page cannot hide an event from it.
const char* const kListener = R"(
new QWebChannel(qt.webChannelTransport, function (channel) {
    var sink = channel.objects.tolvexHtmlChanges;
    function report(event) {
        var element = event.target;
        if (!element || !element.tagName)
            return;
        var type = element.getAttribute ? element.getAttribute("type") : null;
        sink.Event(event.type, element.tagName, type);
    }
    document.addEventListener("change", report, true);
    document.addEventListener("click", report, true);
});
)";

QString ChannelScript()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

THtmlChangeWatcher::THtmlChangeWatcher(QWebEnginePage& page, THtmlEventHandler& handler)
    : QObject(&page), handler_(handler), channel_(new QWebChannel(this))
{
    channel_->registerObject(QStringLiteral("tolvexHtmlChanges"), this);
    page.setWebChannel(channel_, QWebEngineScript::ApplicationWorld);
    QWebEngineScript script;
    script.setName(QStringLiteral("tolvex-html-changes"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(ChannelScript() + QString::fromUtf8(kListener));
    page.scripts().insert(script);
}

void THtmlChangeWatcher::Event(const QString& type, const QString& tagName, const QVariant& typeAttribute)
{
    std::optional<std::string> attribute;
    if (typeAttribute.isValid() && !typeAttribute.isNull())
        attribute = typeAttribute.toString().toStdString();
    handler_.HandleEvent(type.toStdString(), tagName.toStdString(), attribute);
}
