#pragma once
// The one QApplication of a Qt test executable, made on first use with the
// preview scheme registered before it (Qt WebEngine refuses schemes later).
#include <QString>

class QWidget;

void EnsureQtApplication();

// Saves a picture of the widget into the test binary folder (for looking at
// the windows); the file's path.
QString SaveWidgetPicture(QWidget& widget, const QString& name);
