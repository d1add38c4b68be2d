#include "QtTestApplication.h"

#include "generation/ui/PreviewScheme.h"
#include "support/ExitWatchdog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

void EnsureQtApplication()
{
    if (QApplication::instance())
        return;
    ArmExitWatchdogAfterTests();
    // The browser's processes need these flags when the tests run as root or
    // without a GPU; ctest does not always pass them on.
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterPreviewScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    static int argc = 1;
    static char name[] = "tests_editors";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends: Qt WebEngine cannot be started twice.
    new QApplication(argc, argv);
}

QString SaveWidgetPicture(QWidget& widget, const QString& name)
{
    const QString folder = QDir::tempPath() + QStringLiteral("/tolvex-ui-pictures");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    widget.grab().save(path);
    return path;
}
