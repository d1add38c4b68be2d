#pragma once
// Tells an editor when the user changes a field of an HTML form shown in a
// browser view, so that its Save becomes available. The view reports its
// "change" and "click" events here (THtmlChangeWatcher does it for a web
// page); the first event that changes a field marks the editor modified
// through OnModified and sets Fired. Later events do nothing until the
// owner clears Fired.
#include <functional>
#include <optional>
#include <string>

class THtmlEventHandler {
public:
    explicit THtmlEventHandler(std::function<void()> onModified) : onModified_(std::move(onModified)) {}

    // An event of the type ("change", "click") from an element with the tag
    // name and, when it has one, the "type" attribute. A change always
    // qualifies; a click on an INPUT or SELECT whose type attribute is
    // present and neither "text" nor "password" (check boxes, radio
    // buttons, buttons, lists) too. True when this event fired.
    bool HandleEvent(const std::string& eventType, const std::string& tagName,
                     const std::optional<std::string>& typeAttribute);

    bool Fired() const { return fired_; }
    void ClearFired() { fired_ = false; }

    static bool Qualifies(const std::string& eventType, const std::string& tagName,
                          const std::optional<std::string>& typeAttribute);

private:
    std::function<void()> onModified_;
    bool fired_ = false;
};
