#pragma once
// What the editor-pane tests of the site frames share: a control of the
// main window's editor pane found by name, an edit's text typed over, Save
// and Cancel pressed, and a picture of the main window when
// TOLVEX_SCREENSHOT_DIR is set.
#include "../framework/MainWindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

namespace pane {

template <class T>
T* Find(TMainWindowFixture& f, const char* name)
{
    return f.Window().pnlMainEditor->findChild<T*>(name);
}

inline void TypeOver(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline void Save(TMainWindowFixture& f) { QTest::mouseClick(f.Window().btnMainEditorSave, Qt::LeftButton); }
inline void Cancel(TMainWindowFixture& f) { QTest::mouseClick(f.Window().btnMainEditorCancel, Qt::LeftButton); }

inline void Shoot(TMainWindowFixture& f, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR")) {
        f.Window().resize(1100, 720);
        QCoreApplication::processEvents();
        f.Window().grab().save(QString("%1/%2.png").arg(dir, name));
    }
}

}  // namespace pane
