#pragma once
// What the editor-pane tests of the site frames share: a control of the
// main window's editor pane found by name, an edit's text typed over, Save
// and Cancel pressed, a modal editor window answered, and a picture of the main window when
// TOLVEX_SCREENSHOT_DIR is set.
#include "../framework/MainWindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

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

// Runs Act on the next modal editor window once it shows; a window the
// answer left open is cancelled and fails the test instead of hanging it.
inline void WhenShown(const std::function<void(TfrmFrameContainer&)>& act)
{
    QTimer::singleShot(0, [act] {
        TfrmFrameContainer* window = nullptr;
        QTest::qWaitFor([&] { return (window = qobject_cast<TfrmFrameContainer*>(QApplication::activeModalWidget())); },
                        10000);
        if (!window) {
            ADD_FAILURE() << "no editor window showed";
            return;
        }
        QPointer<TfrmFrameContainer> shown(window);
        act(*window);
        QTimer::singleShot(3000, [shown] {
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "the editor window stayed open";
                shown->btnContainerCancel->click();
            }
        });
    });
}

}  // namespace pane
