#pragma once
// The URL scheme of the program's browser views. Its addresses name one of
// the preview hosts ("tolvex://preview/EN/5.html") and are answered inside
// the process by TPreviewSchemeHandler; nothing is fetched from the network.
//
// Qt WebEngine accepts custom schemes only before the application object
// exists, so the program's main calls RegisterPreviewScheme first of all:
//
//   int main(int argc, char** argv) {
//       RegisterPreviewScheme();
//       QApplication app(argc, argv);
//       ...
//       TPreviewSchemeHandler handler(resolver);
//       handler.Install(QWebEngineProfile::defaultProfile());
#include <QByteArray>

// "tolvex": the scheme of the preview hosts.
QByteArray PreviewSchemeName();

// Registers the scheme with host syntax (tolvex://HOST/PATH). Call once,
// before the QApplication is created; later calls do nothing.
void RegisterPreviewScheme();
