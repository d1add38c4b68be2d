#include "common/OldLangInfo.h"

void TOldLangInfo::SetSlot(int index, const std::string& code)
{
    if (index < 0 || index > 2)
        return;
    Codes[index] = (code == "0") ? std::string() : code;
    SlotUsed[index] = Codes[index].size() >= 2;
}
