#pragma once
// Folders of the source tree that tests read fixtures and shipped data from.
#include <string>

// The tests/ folder of the source tree.
std::string TestSourceDir();
// The tests/ folder of the build tree.
std::string TestBinaryDir();
// The data/ folder of the source tree (the shipped data's sources).
std::string ShippedDataSourceDir();
