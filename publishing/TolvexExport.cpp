#include "publishing/TolvexExport.h"

std::string TTolvexExport::GetText(int kind) const
{
    switch (kind) {
    case 1: return "Do you want to cancel export process?";
    case 2: return "Start export";
    case 3: return "Successfully exported.";
    case 5: return "Exported and $1 error(s) occur";
    case 7: return "Errors occurred during the export operation";
    default: return TTolvexPublisher::GetText(kind);
    }
}
