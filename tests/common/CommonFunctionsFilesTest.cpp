// Files and file names.
#include "common/CRC32.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using F = TCommonFunctions;

TEST(CommonFunctionsFiles, SizeAndCrc)
{
    TTempFolder temp;
    const std::string data(30000, 'q');
    const std::string file = temp.Write("data.bin", data);
    EXPECT_EQ(F::GetFileSize(file), 30000);
    EXPECT_EQ(F::GetFileCRC32(file), TCRC32::CalcStringCRC(data));
    EXPECT_EQ(F::GetFileSize(temp.File("missing")), 0);
    EXPECT_EQ(F::GetFileCRC32(temp.File("missing")), 0u);
    EXPECT_EQ(F::GetFileSize(temp.Path()), 0);     // a folder is no file
    EXPECT_EQ(F::GetFileCRC32(temp.Path()), 0u);
}

TEST(CommonFunctionsFiles, SaveAndLoadWriteCrLfLines)
{
    TTempFolder temp;
    struct Case { std::string text; std::string saved; const char* why; };
    const Case cases[] = {
        {"", "", "an empty text gives an empty file"},
        {"one", "one\r\n", "the last line ends with CR LF too"},
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n", "every kind of line break"},
        {"a\r\n", "a\r\n", "a closing line break opens no further line"},
        {"a\n\nb", "a\r\n\r\nb\r\n", "empty lines stay"},
        {std::string("ab\0cd", 5), "ab\r\n", "a NUL ends the text"},
    };
    const std::string file = temp.File("out.txt");
    for (const Case& c : cases) {
        F::SaveStringToFile(c.text, file);
        EXPECT_EQ(TTempFolder::Read(file), c.saved) << c.why;
    }
    temp.Write("in.txt", "x\ny\rz");
    EXPECT_EQ(F::LoadStringFromFile(temp.File("in.txt")), "x\r\ny\r\nz\r\n");
    EXPECT_EQ(F::LoadStringFromFile(temp.File("missing.txt")), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
    EXPECT_THROW(F::SaveStringToFile("x", temp.File("no/such/folder/file.txt")),
                 ECriticalTolvexException);
}

TEST(CommonFunctionsFiles, AWorkFileIsOverwrittenInPlaceWithCrLfLines)
{
    TTempFolder temp;
    const std::string file = temp.File("out.xml");
    F::SaveWorkFile("a long first text\nwith two lines", file);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    F::SaveWorkFile("short", file);
    EXPECT_EQ(TTempFolder::Read(file), "short\r\n") << "nothing of the longer text is left";
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, not a renamed copy";
    F::SaveWorkFile("", file);
    EXPECT_EQ(TTempFolder::Read(file), "");
    EXPECT_EQ(F::WithCrLfLines(std::string("x\ry\n\0z", 6)), "x\r\ny\r\n");
    EXPECT_THROW(F::SaveWorkFile("x", temp.File("no/such/folder/out.xml")), ECriticalTolvexException);
}

TEST(CommonFunctionsFiles, ClearDirectoryKeepsTheFolderAndFollowsNoLinks)
{
    TTempFolder temp;
    temp.Write("dir/a.txt", "a");
    temp.Write("dir/sub/b.txt", "b");
    temp.Write("dir/sub/deeper/c.txt", "c");
    temp.Write("outside/keep.txt", "keep");
    fs::create_directory_symlink(temp.File("outside"), temp.File("dir/link"));

    F::ClearDirectory(temp.File("dir"));
    EXPECT_TRUE(fs::is_directory(temp.File("dir")));
    EXPECT_TRUE(fs::is_empty(temp.File("dir")));
    EXPECT_EQ(TTempFolder::Read(temp.File("outside/keep.txt")), "keep");
    EXPECT_NO_THROW(F::ClearDirectory(temp.File("missing")));
}

TEST(CommonFunctionsFiles, ClearDirectoryRaisesForASubfolderThatStays)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold for root";
    TTempFolder temp;
    temp.Write("dir/sub/locked.txt", "x");
    ::chmod(temp.File("dir/sub").c_str(), 0555);  // its file cannot be deleted
    EXPECT_THROW(F::ClearDirectory(temp.File("dir")), ECriticalTolvexException);
    ::chmod(temp.File("dir/sub").c_str(), 0755);
}

TEST(CommonFunctionsFiles, Names)
{
    std::string name, ext;
    F::SplitFileName("archive.tar.gz", name, ext);
    EXPECT_EQ(name, "archive.tar");
    EXPECT_EQ(ext, "gz");
    F::SplitFileName("README", name, ext);
    EXPECT_EQ(name, "README");
    EXPECT_EQ(ext, "");

    EXPECT_EQ(F::ExtractFileNameWithoutExt("/a.b/c/file.name.txt"), "file.name");
    EXPECT_EQ(F::ExtractFileNameWithoutExt("c:\\dir\\file.htm"), "file");
    EXPECT_EQ(F::ExtractFileNameWithoutExt("noext"), "noext");

    EXPECT_EQ(F::SanitizeFileName("a.b\"c'd\\e/f;g`h:i j"), "a_b_c_d_e_f_g_h_i j");

    EXPECT_EQ(F::GetFileNameFromUrl(""), "index.html");
    EXPECT_EQ(F::GetFileNameFromUrl("http://host/dir/"), "index.html");
    EXPECT_EQ(F::GetFileNameFromUrl("http://host/dir/page.htm?x=a/b#frag"), "page.htm");
    EXPECT_EQ(F::GetFileNameFromUrl("http://host/dir/page.htm#a?b"), "page.htm");
    EXPECT_EQ(F::GetFileNameFromUrl("c:\\pages\\p.html"), "p.html");
}

TEST(CommonFunctionsFiles, SanitizeRelativePath)
{
    struct Case { const char* text; const char* result; const char* why; };
    const Case cases[] = {
        {"databases", "databases", "a plain folder"},
        {"Help/en", "Help/en", "nested folders"},
        {"Help\\en\\", "Help/en", "backslashes become the separator"},
        {"", "", "the program folder itself"},
        {"c:\\windows\\system", "windows/system", "cut after the last colon"},
        {"x'y;z", "z", "cut after the last semicolon"},
        {".hidden/dir", "hidden/dir", "a leading dot: the text after the last dot"},
        {"../../etc/passwd", "etc/passwd", "never above the program folder"},
        {"/etc/cron.d", "etc/cron.d", "never absolute"},
        {"a/../../../b", "a/b", "no parent steps inside"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(F::SanitizeRelativePath(c.text), c.result) << c.why;
}

TEST(CommonFunctionsFiles, ShellOpenStartsTheOpenerWithoutAShell)
{
    TTempFolder temp;
    const std::string marker = temp.File("opened.txt");
    const std::string opener = temp.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" +
                                                              marker + ".tmp' && /bin/mv '" + marker +
                                                              ".tmp' '" + marker + "'\n");
    ::chmod(opener.c_str(), 0755);
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    const std::string argument = "http://host/a b?x=1;touch " + temp.File("injected");

    ::setenv("PATH", temp.File("bin").c_str(), 1);
    F::ShellOpen(argument);
    ::setenv("PATH", (temp.File("empty") + ":" + temp.File("none")).c_str(), 1);
    F::ShellOpen("ignored");  // no opener: nothing happens
    ::setenv("PATH", savedPath.c_str(), 1);

    for (int i = 0; i < 500 && !fs::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(TTempFolder::Read(marker), argument);
    EXPECT_FALSE(fs::exists(temp.File("injected")));
}
