#pragma once
// Reading a whole file: its bytes as they are, or nothing when the file
// cannot be opened or read. The counterpart of WriteFileAtomically
// (common/AtomicFile.h). A failed open leaves errno as the system set it.
#include <optional>
#include <string>

std::optional<std::string> ReadFileContent(const std::string& fileName);
