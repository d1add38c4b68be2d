#pragma once
// The one QApplication of the shell tests (offscreen), created before the
// first test runs; and a helper that acts on the next modal window.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs Act on the modal window that the next call opens, once the event
// loop shows it.
inline void OnNextModal(std::function<void(QWidget*)> act)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            *poll = nullptr;  // ends the cycle of owners (this call runs on the timer's copy)
        } else
            QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}
