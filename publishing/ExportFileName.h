#pragma once
// The file name an export writes for the name chosen in a save dialog: a
// name whose file part has no "." gets the export's extension (".txt"),
// anything else stays as chosen.
#include <string>

std::string ExportFileName(const std::string& chosen, const std::string& extension);
