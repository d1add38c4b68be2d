#include "publishing/ExportFileName.h"

std::string ExportFileName(const std::string& chosen, const std::string& extension)
{
    const std::size_t slash = chosen.find_last_of('/');
    const std::string filePart = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    return filePart.find('.') == std::string::npos ? chosen + extension : chosen;
}
