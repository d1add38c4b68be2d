// Whole-file writes: new and existing files, their permission bits, the
// inode reported, and nothing left beside them, durable or not.
#include "common/AtomicFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class AtomicFile : public testing::TestWithParam<TDurability> {
protected:
    // The names in the folder, to see that no temporary file stays.
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()));
    }
    std::string Name(const std::string& base) const { return folder_.File(base); }

    TTempFolder folder_;
};

mode_t Mode(const std::string& file)
{
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST_P(AtomicFile, ANewFileGetsItsContentItsModeLessTheUmaskAndReportsItsInode)
{
    const mode_t mask = ::umask(022);
    ino_t inode = 0;
    ASSERT_TRUE(WriteFileAtomically(Name("page.html"), "<p>new</p>", 0666, &inode, GetParam()));
    ::umask(mask);
    EXPECT_EQ(TTempFolder::Read(Name("page.html")), "<p>new</p>");
    EXPECT_EQ(Mode(Name("page.html")), 0644u);
    struct stat info {};
    ASSERT_EQ(::stat(Name("page.html").c_str(), &info), 0);
    EXPECT_EQ(info.st_ino, inode);
    EXPECT_EQ(Entries(), 1u);
}

TEST_P(AtomicFile, AnExistingFileIsReplacedWholeAndKeepsItsMode)
{
    ASSERT_TRUE(WriteFileAtomically(Name("page.html"), std::string(100000, 'o'), 0666, nullptr, GetParam()));
    ASSERT_EQ(::chmod(Name("page.html").c_str(), 0600), 0);
    ASSERT_TRUE(WriteFileAtomically(Name("page.html"), "short", 0666, nullptr, GetParam()));
    EXPECT_EQ(TTempFolder::Read(Name("page.html")), "short");
    EXPECT_EQ(Mode(Name("page.html")), 0600u);
    EXPECT_EQ(Entries(), 1u);
}

TEST_P(AtomicFile, AMissingFolderFailsAndLeavesNothing)
{
    EXPECT_FALSE(WriteFileAtomically(Name("missing/page.html"), "text", 0666, nullptr, GetParam()));
    EXPECT_FALSE(fs::exists(Name("missing")));
    EXPECT_EQ(Entries(), 0u);
}

TEST_P(AtomicFile, AnEmptyContentMakesAnEmptyFile)
{
    ASSERT_TRUE(WriteFileAtomically(Name("empty.txt"), "", 0666, nullptr, GetParam()));
    EXPECT_TRUE(fs::is_regular_file(Name("empty.txt")));
    EXPECT_EQ(fs::file_size(Name("empty.txt")), 0u);
}

INSTANTIATE_TEST_SUITE_P(Durability, AtomicFile, testing::Values(TDurability::Durable, TDurability::Scratch),
                         [](const testing::TestParamInfo<TDurability>& info) {
                             return info.param == TDurability::Durable ? std::string("Durable") : std::string("Scratch");
                         });

}  // namespace
