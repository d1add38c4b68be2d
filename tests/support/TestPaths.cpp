#include "support/TestPaths.h"

#include "storage/ShippedData.h"

// The two absolute folders are defined on this file alone (tests/CMakeLists.txt),
// so that every other test file compiles the same in any clone.
std::string TestSourceDir() { return TOLVEX_TEST_SOURCE_DIR; }
std::string TestBinaryDir() { return TOLVEX_TEST_BINARY_DIR; }
std::string ShippedDataSourceDir() { return TShippedData::BuildTreeDataDir(); }
