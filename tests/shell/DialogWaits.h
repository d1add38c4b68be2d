#pragma once
// Waiting helpers of the shell tests that drive runner windows and modal
// dialogs: processing events until a condition holds, answering the next
// modal dialog of a class once it shows, and saving a picture of a widget.
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

// Processes events until the condition holds or about thirty seconds passed.
template <typename TCondition>
bool WaitFor(TCondition condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// Runs Act on the next modal dialog of class T once it shows.
template <typename T>
void WhenShown(std::function<void(T&)> act)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, poll] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            act(*dialog);
            *poll = nullptr;  // breaks the cycle
        } else {
            QTimer::singleShot(10, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

// Saves a picture of the widget when TOLVEX_SCREENSHOT_DIR names a folder.
inline void Screenshot(QWidget& widget, const char* name)
{
    if (const char* dir = std::getenv("TOLVEX_SCREENSHOT_DIR"))
        widget.grab().save(QString("%1/%2.png").arg(dir, name));
}
