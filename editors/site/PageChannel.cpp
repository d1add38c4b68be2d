#include "editors/site/PageChannel.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace PageChannel {

namespace {

QString ChannelLibrary()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

void Install(QWebEnginePage& page, const QString& name, QObject* object, const QString& script)
{
    auto* channel = new QWebChannel(object);
    channel->registerObject(name, object);
    page.setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    QWebEngineScript injected;
    injected.setName(name);
    injected.setWorldId(QWebEngineScript::ApplicationWorld);
    injected.setInjectionPoint(QWebEngineScript::DocumentReady);
    injected.setRunsOnSubFrames(false);
    injected.setSourceCode(ChannelLibrary() +
                           QStringLiteral("\nnew QWebChannel(qt.webChannelTransport, function (channel) {\n"
                                          "var sink = channel.objects.%1;\n%2\n});\n")
                               .arg(name, script));
    page.scripts().insert(injected);
}

}  // namespace PageChannel
