#include "QtTestApplication.h"

#include "generation/ui/PreviewScheme.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

void EnsureQtApplication()
{
    if (QApplication::instance())
        return;
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
