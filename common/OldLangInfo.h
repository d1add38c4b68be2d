#pragma once
// The language slots of a catalog of the previous program generation.
#include <array>
#include <string>

class TOldLangInfo {
public:
    // Sets a slot's code; a stored "0" counts as empty, and a slot is in
    // use when its code has at least 2 characters.
    void SetSlot(int index, const std::string& code);

    std::array<bool, 3> SlotUsed{false, false, false};
    std::array<std::string, 3> Codes;
    std::string DefaultLanguageCode;
};
