#pragma once
// The main window's private messages: numbered from the user message base
// (1024). Whoever wants work done after the current event posts one to the
// main window; the Qt window turns each into an event of type
// QEvent::User + the same offset.
#include <cstdint>

inline constexpr int kUserMessageBase = 1024;

enum TMainWindowMessage : int {
    WM_START_PROCESS = kUserMessageBase + 11,         // open a catalog through the login
    WM_EDIT_ITEM = kUserMessageBase + 12,             // WParam tree item id, LParam item id
    WM_EXECUTE_ACTION_ID = kUserMessageBase + 13,     // WParam action id
    WM_RUN_QUEUED_ACTION = kUserMessageBase + 14,     // WParam queue number
    WM_REOPEN_CATALOG = kUserMessageBase + 15,
    WM_FREE_PROCESS_WINDOWS = kUserMessageBase + 16,
    WM_OBJECT_CHANGED = kUserMessageBase + 17,        // WParam changed id, LParam kind of change
    WM_DELETE_CATALOG = kUserMessageBase + 18,        // only with WParam 1042
    WM_RESTART_FOR_UPDATE = kUserMessageBase + 19,
    WM_FLUSH_EDITOR = kUserMessageBase + 20,          // sent, not posted
    WM_FOCUS_EDITOR = kUserMessageBase + 21,
};

// The offset of a message from the user message base.
inline constexpr int MessageOffset(int message) { return message - kUserMessageBase; }

// One message with its two arguments.
struct TMainWindowPost {
    int Message = 0;
    std::int64_t WParam = 0;
    std::int64_t LParam = 0;
};
