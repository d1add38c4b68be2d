#include "editors/site/html/PageChannel.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

QString ChannelLibrary()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

TPageChannel::TPageChannel(QWebEnginePage& page, const QString& name, const QString& script, QObject* parent)
    : QObject(parent), page_(&page), channel_(new QWebChannel)
{
    channel_->registerObject(name, this);
    page.setWebChannel(channel_, QWebEngineScript::ApplicationWorld);
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

TPageChannel::~TPageChannel()
{
    // The page lets go of the channel before it goes.
    if (page_ && page_->webChannel() == channel_)
        page_->setWebChannel(nullptr, QWebEngineScript::ApplicationWorld);
    channel_->deregisterObject(this);
    delete channel_;
}

void TPageChannel::Post(const QString& kind, const QString& text, const QVariant& value) { emit Posted(kind, text, value); }
