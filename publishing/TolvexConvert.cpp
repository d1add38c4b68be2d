#include "publishing/TolvexConvert.h"

std::string TTolvexConvert::GetText(int kind) const
{
    switch (kind) {
    case 1: return "Do you want to cancel convert process?";
    case 2: return "Start convertation";
    case 3: return "Successfully converted.";
    case 5: return "Converted and $1 error(s) occur";
    case 7: return "Errors occurred during the convertation operation";
    default: return TTolvexPublisher::GetText(kind);
    }
}
