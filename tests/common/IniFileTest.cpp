#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

size_t FilesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

const char* const kHandWritten =
    "; written by hand\r\n"
    "[Main]\r\n"
    "Name = Shop  \r\n"
    "Quoted=\"  padded  \"\r\n"
    "name=second of a duplicate\r\n"
    "no equals sign here\r\n"
    "\r\n"
    "[main]\r\n"
    "Name=duplicate section\r\n"
    "[Other]\r\n"
    "Key=1\r\n";

}  // namespace

TEST(IniFile, ReadsTheProfileFormatWithoutRegardToCase)
{
    TTempFolder folder;
    TIniFile ini(folder.Write("a.ini", kHandWritten));
    EXPECT_EQ(ini.ReadString("MAIN", "name", "?"), "Shop");           // trimmed, first duplicate
    EXPECT_EQ(ini.ReadString("main", "QUOTED", "?"), "  padded  ");   // quotes removed
    EXPECT_EQ(ini.ReadString("other", "key", "?"), "1");
    EXPECT_EQ(ini.ReadString("Main", "no equals sign here", "?"), "?");
    EXPECT_EQ(ini.ReadString("Missing", "Name", "?"), "?");
    EXPECT_FALSE(ini.ValueExists("Main", "Absent"));
}

TEST(IniFile, RewriteKeepsOrderCommentsLineEndsAndUntouchedLines)
{
    TTempFolder folder;
    std::string path = folder.Write("a.ini", kHandWritten);
    TIniFile ini(path);
    ini.WriteString("main", "QUOTED", "plain");   // existing key, its spelling kept
    ini.WriteString("Main", "Added", "new");      // after the section's last key
    ini.WriteString("Third", "K", "v");           // new section at the end
    ini.DeleteKey("Other", "KEY");
    EXPECT_EQ(TTempFolder::Read(path),
              "; written by hand\r\n"
              "[Main]\r\n"
              "Name = Shop  \r\n"
              "Quoted=plain\r\n"
              "name=second of a duplicate\r\n"
              "Added=new\r\n"
              "no equals sign here\r\n"
              "\r\n"
              "[main]\r\n"
              "Name=duplicate section\r\n"
              "[Other]\r\n"
              "\r\n"
              "[Third]\r\n"
              "K=v\r\n");
}

// Files edited by hand mix their line ends; a write changes its own line
// and leaves every other byte of the file as it was, however often it runs.
TEST(IniFile, AWriteLeavesEveryOtherLineByteForByte)
{
    struct TCase {
        const char* why;
        std::string before;
        std::string section, key, value;
        std::string after;
    };
    const TCase cases[] = {
        {"CR LF lines in a file of LF lines",
         "[A]\nx=1\r\ny=2\r\r\nz=3\n[B]\r\nk=old\n", "B", "k", "new",
         "[A]\nx=1\r\ny=2\r\r\nz=3\n[B]\r\nk=new\n"},
        {"LF lines in a file of CR LF lines, stray CRs inside lines",
         "; c\r\n[A]\nx=1\r\r\nnote\rmore\n", "A", "x", "2",
         "; c\r\n[A]\nx=2\r\nnote\rmore\n"},
        {"a changed line keeps its own line end", "[A]\nx=1\r\ny=1\n", "A", "x", "2", "[A]\nx=2\r\ny=1\n"},
        {"a last line without a line end keeps none", "[A]\r\nx=1\r\n[B]\r\ny=1\r", "A", "x", "2",
         "[A]\r\nx=2\r\n[B]\r\ny=1\r"},
        {"a last line without a line end gets one when a line follows", "[A]\nx=1", "A", "y", "2",
         "[A]\nx=1\ny=2\n"},
        {"a new section after a last line without a line end", "[A]\r\nx=1", "B", "y", "2",
         "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
    };
    for (const TCase& c : cases) {
        TTempFolder folder;
        const std::string path = folder.Write("a.ini", c.before);
        TIniFile ini(path);
        ini.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(TTempFolder::Read(path), c.after) << c.why;
        for (const std::string& value : {std::string("other"), c.value})
            ini.WriteString(c.section, c.key, value);
        EXPECT_EQ(TTempFolder::Read(path), c.after) << "rewritten again: " << c.why;
        EXPECT_EQ(ini.ReadString(c.section, c.key, "none"), c.value) << c.why;
    }
}

TEST(IniFile, EveryValueWithoutLineBreakReadsBackExactly)
{
    TTempFolder folder;
    std::string path = folder.File("a.ini");
    const std::string values[] = {
        "", " leading", "trailing\t", "\"quoted\"", "'single'", "\"", "a=b=c", "x\"",
        "[not a section]", "; not a comment", "Grüße €", "\"\"",
    };
    {
        TIniFile writer(path);
        for (size_t i = 0; i < std::size(values); ++i)
            writer.WriteString("S", "k" + std::to_string(i), values[i]);
    }
    TIniFile reader(path);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(reader.ReadString("S", "k" + std::to_string(i), "?"), values[i]) << i;
}

TEST(IniFile, FileIsCreatedByTheFirstChangeAndNoTemporaryFileStays)
{
    TTempFolder folder;
    std::string path = folder.File("new.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "K", "def"), "def");
    ini.DeleteKey("S", "K");
    EXPECT_FALSE(fs::exists(path));
    ini.WriteString("S", "K", "v");
    EXPECT_EQ(TTempFolder::Read(path), "[S]\nK=v\n");
    ini.WriteString("S", "K", "w");
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

TEST(IniFile, ExistingFileKeepsItsPermissions)
{
    TTempFolder folder;
    std::string path = folder.Write("a.ini", "[S]\nK=1\n");
    ::chmod(path.c_str(), 0640);
    TIniFile(path).WriteString("S", "K", "2");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFile, ChangesByOthersAreSeenAtOnce)
{
    TTempFolder folder;
    std::string path = folder.File("a.ini");
    TIniFile first(path);
    TIniFile second(path);
    EXPECT_EQ(second.ReadString("S", "K", "none"), "none");
    // Values of the same length, written in quick succession.
    for (const char* value : {"1", "2", "3"}) {
        first.WriteString("S", "K", value);
        EXPECT_EQ(second.ReadString("S", "K", ""), value);
    }
    // A write by the second object does not drop the first one's keys.
    first.WriteString("S", "A", "a");
    second.WriteString("S", "B", "b");
    EXPECT_EQ(first.ReadString("S", "A", ""), "a");
    EXPECT_EQ(first.ReadString("S", "B", ""), "b");
    // Replaced and removed by another program.
    folder.Write("a.ini", "[S]\nK=edited\n");
    EXPECT_EQ(first.ReadString("S", "K", ""), "edited");
    fs::remove(path);
    EXPECT_EQ(first.ReadString("S", "K", "gone"), "gone");
}

TEST(IniFile, RefusesUnsafeNamesAndValues)
{
    TTempFolder folder;
    std::string path = folder.Write("a.ini", "[S]\nK=1\n");
    TIniFile ini(path);
    struct Case {
        std::string section, key, value;
    };
    const Case developerErrors[] = {
        {"", "K", "v"}, {"S]", "K", "v"}, {"S\n[T", "K", "v"}, {" S", "K", "v"},
        {"S", "", "v"}, {"S", "a=b", "v"}, {"S", "K\nX", "v"}, {"S", "[K", "v"}, {"S", ";K", "v"},
    };
    for (const Case& c : developerErrors)
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EDeveloperTolvexException)
            << c.section << "/" << c.key;
    EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), ECriticalTolvexException);
    EXPECT_THROW(ini.WriteString("S", "K", "cr\ronly"), ECriticalTolvexException);
    EXPECT_EQ(TTempFolder::Read(path), "[S]\nK=1\n");
}

TEST(IniFile, UnwritableFileRaisesAndLeavesNoPhantomValue)
{
    TTempFolder folder;
    TIniFile ini(folder.File("missing-folder/a.ini"));
    EXPECT_THROW(ini.WriteString("S", "K", "v"), ECriticalTolvexException);
    EXPECT_EQ(ini.ReadString("S", "K", "none"), "none");
}
