#pragma once
// Files that many tests start from and none changes where it lies: made
// once for the build tree (the first test process that needs one makes it,
// under a lock, the others wait and take it) and copied by file into each
// test's own folder, where the test may change its copy.
//
// The cache lives below the tests' build folder, in a folder named after
// the test program and stamped with what the files are made of (the data
// sources' names, sizes and times, the program's size and time): a rebuilt
// program or changed data makes them anew, and the older ones of that
// program are removed. With TOLVEX_NO_SHARED_TEST_DATA set in the
// environment nothing is shared: each test makes its files itself.
#include <functional>
#include <string>

namespace SharedTestData {

// False when TOLVEX_NO_SHARED_TEST_DATA is set.
bool Enabled();

// Copies the shipped databases, as the program's start builds them from the
// build tree's data sources, into ProgramFolder's "databases" folder, so that
// the start finds every one and builds none. Any failure of the cache leaves
// the folder to the start, which then builds what is missing.
void InstallShippedDatabases(const std::string& programFolder);

// True while the shipped databases that InstallShippedDatabases copied into
// ProgramFolder are as they were copied (same names, sizes and times): a
// file made from them, such as a new catalog, is then the cached one. False
// when nothing was copied there or a test changed one of them (a style or a
// catalog-type definition edited), so that what depends on them is made anew.
bool ShippedDatabasesUnchanged(const std::string& programFolder);

// Puts the file that Key names at Target: a copy of the cached one, or, the
// first time, the one Make writes at Target (Make's answer false: nothing is
// kept, and the next call makes it again). Key must name everything Make's
// result depends on besides the shipped data. Returns Make's answer, or true
// for a copy.
bool InstallFile(const std::string& key, const std::string& target, const std::function<bool()>& make);

}  // namespace SharedTestData
