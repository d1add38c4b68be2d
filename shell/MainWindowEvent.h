#pragma once
// A private message of the main window as a Qt event: type QEvent::User
// plus the message's offset from the user message base, with its two
// arguments.
#include "gui/MainWindowMessages.h"

#include <QEvent>

class TMainWindowEvent : public QEvent {
public:
    TMainWindowEvent(int message, std::int64_t wParam, std::int64_t lParam)
        : QEvent(EventType(message)), Post{message, wParam, lParam}
    {
    }
    static QEvent::Type EventType(int message) { return static_cast<QEvent::Type>(QEvent::User + MessageOffset(message)); }
    // The message of an event type; 0 when it is none of the private messages.
    static int MessageOf(QEvent::Type type)
    {
        const int message = type - QEvent::User + kUserMessageBase;
        return message >= WM_START_PROCESS && message <= WM_FOCUS_EDITOR ? message : 0;
    }
    TMainWindowPost Post;
};
