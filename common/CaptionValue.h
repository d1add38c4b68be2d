#pragma once
// Entries of the lists shown to the user that carry a value: the caption,
// "===" and the value ("English===EN"). Only the caption is shown (and
// translated); the value is what the program keeps. An entry without "==="
// is its own caption and value.
#include <string>

namespace CaptionValue {

inline constexpr const char* kSeparator = "===";

// The text before the first "===" (the whole entry without one).
std::string CaptionOf(const std::string& entry);
// The text after the first "===" (the whole entry without one).
std::string ValueOf(const std::string& entry);
// Whether the entry has a "===" and so a value of its own.
bool HasValue(const std::string& entry);

}  // namespace CaptionValue
