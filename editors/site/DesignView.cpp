#include "editors/site/DesignView.h"

#include "common/CommonGui.h"
#include "editors/site/DesignDocument.h"
#include "editors/site/PageChannel.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>

namespace {

// Design mode, and every edit reported.
const char* const kDesignScript = R"(
document.designMode = "on";
document.addEventListener("input", function () { sink.Edited(); }, true);
)";

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TDesignView::TDesignView(TCommonGui& gui, QWidget* parent) : QWebEngineView(parent), gui_(gui)
{
    QWebEngineSettings* settings = page()->settings();
    // The page's scripts stay inert; the program's own world still runs.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    PageChannel::Install(*page(), QStringLiteral("tolvexDesign"), this, QString::fromUtf8(kDesignScript));
    connect(this, &QWebEngineView::loadFinished, this, [this] {
        // Design mode is switched on by the document-ready script; the
        // channel answers once it is connected.
        Run(QStringLiteral("document.designMode = 'on'; true"), [this](const QVariant&) {
            ready_ = true;
            emit Ready();
        });
    });
}

void TDesignView::LoadDocument(const std::string& document, const QUrl& base)
{
    ready_ = false;
    setHtml(Q(document), base);
}

void TDesignView::Run(const QString& script, std::function<void(const QVariant&)> done)
{
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [done](const QVariant& result) {
        if (done)
            done(result);
    });
}

void TDesignView::ReadBodyHtml(std::function<void(const std::string&)> done)
{
    Run(QStringLiteral("document.body ? document.body.innerHTML : ''"), [done](const QVariant& result) {
        done(TDesignDocument::StoredBody(result.toString().toUtf8().toStdString()));
    });
}

void TDesignView::InsertHtml(const std::string& html, std::function<void(bool)> done)
{
    if (html.find_first_not_of(" \t\r\n") == std::string::npos) {
        if (done)
            done(false);
        return;
    }
    ExecCommand("insertHTML", html, [this, done](bool ok) {
        if (!ok)
            gui_.ShowError("Cannot execute the task");
        if (done)
            done(ok);
    });
}

void TDesignView::ExecCommand(const std::string& command, const std::string& value, std::function<void(bool)> done)
{
    const std::string script = "document.execCommand(" + TDesignDocument::ScriptString(command) + ", false, " +
                               TDesignDocument::ScriptString(value) + ")";
    Run(Q(script), [this, done](const QVariant& result) {
        const bool ok = result.toBool();
        if (ok)
            emit Modified();
        if (done)
            done(ok);
    });
}

void TDesignView::Edited() { emit Modified(); }
