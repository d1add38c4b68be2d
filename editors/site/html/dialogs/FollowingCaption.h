#pragma once
// A link caption that follows another text (the address typed, the page
// selected) until the user types a caption of their own.
#include <string>

namespace FollowingCaption {

// Caption becomes Text unless the user edited it; true when it changed.
inline bool Follow(std::string& caption, bool edited, const std::string& text)
{
    if (edited || caption == text)
        return false;
    caption = text;
    return true;
}

}  // namespace FollowingCaption
