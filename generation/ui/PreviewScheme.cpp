#include "generation/ui/PreviewScheme.h"

#include <QWebEngineUrlScheme>

QByteArray PreviewSchemeName()
{
    return QByteArrayLiteral("tolvex");
}

void RegisterPreviewScheme()
{
    if (QWebEngineUrlScheme::schemeByName(PreviewSchemeName()).name() == PreviewSchemeName())
        return;
    QWebEngineUrlScheme scheme(PreviewSchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Pages of the preview hosts load each other's style sheets, scripts and
    // images, and may be shown from local folders' pages too.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}
