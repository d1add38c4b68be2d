// The shipped data is written by generators from its sources (data/README.md):
// running every generator again on a copy of the sources must give back the
// committed files byte for byte, so that a source edited without running its
// generator, or a generated file edited by hand, is found.
#include "common/FileContent.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The generators, in the order their outputs feed each other, relative to
// the repository root.
const char* const kGenerators[] = {
    "data/catalogsxml/source/make_catalogsxml.py",
    "data/references/make_references.py",
    "data/catalogtypes/source/make_icons.py",
    "data/catalogtypes/source/make_catalogtypes.py",
};

// Folders the generators write into, relative to the repository root.
const char* const kGeneratedFolders[] = {"data", "tests/storage/fixtures"};

std::string SourcePath(const std::string& relative)
{
    return (fs::path(TestSourceDir()).parent_path() / relative).string();
}

// The files below Folder, relative to it, without Python's byte-code caches.
std::vector<std::string> FilesBelow(const fs::path& folder)
{
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && it->path().filename() == "__pycache__") {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file())
            files.push_back(fs::relative(it->path(), folder).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(ShippedDataSources, TheGeneratorsWriteBackTheCommittedFiles)
{
    if (std::system("command -v python3 > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    TTempFolder copy;
    for (const char* folder : kGeneratedFolders) {
        fs::create_directories(fs::path(copy.File(folder)).parent_path());
        fs::copy(SourcePath(folder), copy.File(folder), fs::copy_options::recursive);
    }

    for (const char* generator : kGenerators) {
        const std::string log = copy.File("generator.log");
        const std::string command = "cd '" + copy.Path() + "' && PYTHONDONTWRITEBYTECODE=1 python3 '" + generator +
                                    "' > '" + log + "' 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << generator << ":\n" << TTempFolder::Read(log);
    }

    for (const char* folder : kGeneratedFolders) {
        const std::vector<std::string> committed = FilesBelow(SourcePath(folder));
        EXPECT_EQ(FilesBelow(copy.File(folder)), committed) << "the generators write other files in " << folder;
        for (const std::string& file : committed) {
            const std::string relative = std::string(folder) + "/" + file;
            EXPECT_TRUE(ReadFileContent(copy.File(relative)) == ReadFileContent(SourcePath(relative)))
                << relative << " differs from what its generator writes";
        }
    }
}
