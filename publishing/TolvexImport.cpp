#include "publishing/TolvexImport.h"

std::string TTolvexImport::GetText(int kind) const
{
    switch (kind) {
    case 1: return "Do you want to cancel import process?";
    case 2: return "Start import";
    case 3: return "Successfully imported.";
    case 5: return "Imported and $1 error(s) occur";
    case 7: return "Errors occurred during the import operation";
    default: return TTolvexPublisher::GetText(kind);
    }
}
