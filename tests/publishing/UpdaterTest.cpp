// The updater as a process in a folder laid out as the program's is: the
// updater and a stand-in program side by side, the program folder "home"
// beside them or elsewhere (--home). The updater applies the downloaded files
// that "doupdate" of that program folder records, keeps backups and versions,
// refuses names leading out of the folder, removes the record and starts the
// program again with the arguments it had; the stand-in leaves a marker
// file with them.
#include "catalog/UpdateHandover.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

class UpdaterTest : public testing::Test {
protected:
    TTempFolder outside;
    // The program's files: the program, the updater beside it, and "home".
    TTempFolder bin;

    void SetUp() override
    {
        fs::copy_file(TestBinaryDir() + "/../tolvex-updater", Updater());
        bin.Write("tolvex", "#!/bin/sh\nprintf '%s\\n' restarted \"$@\" > \"$(dirname \"$0\")/marker.tmp\"\n"
                            "mv \"$(dirname \"$0\")/marker.tmp\" \"$(dirname \"$0\")/marker\"\n");
        fs::permissions(bin.File("tolvex"), fs::perms::owner_all, fs::perm_options::add);
    }
    std::string Updater() const { return bin.File(TUpdateHandover::kUpdaterFileName); }
    std::string Home() const { return TUpdateHandover::DefaultProgramFolder(bin.File("tolvex")); }
    // Writes a file of the default program folder.
    void Write(const std::string& name, const std::string& content) const { bin.Write("home/" + name, content); }
    std::string Read(const std::string& name) const { return TTempFolder::Read(Home() + "/" + name); }

    // Runs the updater with Arguments and returns its exit code.
    int RunUpdater(std::vector<std::string> arguments) const
    {
        std::string path = Updater();
        std::vector<char*> argv{path.data()};
        for (std::string& word : arguments)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
            return -1;
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Whether the stand-in program wrote its marker within a few seconds.
    bool Restarted() const
    {
        for (int i = 0; i < 250; ++i) {
            if (fs::exists(bin.File("marker")))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    std::string Marker() const { return TTempFolder::Read(bin.File("marker")); }
};

}  // namespace

// As the program hands over when it closes: its program folder given with
// --home, and the restart with the arguments the program had.
TEST_F(UpdaterTest, TheHandOverAppliesTheUpdateOfTheProgramFolderAndRestartsWithTheSameArguments)
{
    TTempFolder home;
    home.Write("tolvex.dll", "old");
    home.Write("update/versions.xml", "<versions><file><name>tolvex.dll</name><version>1.0</version></file></versions>");
    home.Write("update/tolvex.dll.z", "new");
    home.Write("update/plug.so.z", "plugin bytes");
    home.Write("update/doupdate", "tolvex.dll.z=path=&version=1.1&resultName=tolvex.dll\r\n"
                                  "plug.so.z=path=plugins&version=0.9&resultName=plug.so\r\n");
    ASSERT_TRUE(TUpdateHandover::IsUpdatePending(home.Path()));

    ASSERT_TRUE(TUpdateHandover::StartUpdater(bin.File("tolvex"), TUpdateHandover::kRestartArguments, home.Path(),
                                              {"--home", home.Path(), "two words"}));
    ASSERT_TRUE(Restarted());
    EXPECT_EQ(Marker(), "restarted\n--home\n" + home.Path() + "\ntwo words\n");
    EXPECT_EQ(TTempFolder::Read(home.File("tolvex.dll")), "new");
    EXPECT_EQ(TTempFolder::Read(home.File("tolvex.dll.bak")), "old");
    EXPECT_EQ(TTempFolder::Read(home.File("plugins/plug.so")), "plugin bytes");
    EXPECT_FALSE(TUpdateHandover::IsUpdatePending(home.Path()));
    const std::string versions = TTempFolder::Read(home.File("update/versions.xml"));
    EXPECT_NE(versions.find("<version>1.1</version>"), std::string::npos);
    EXPECT_EQ(versions.find("<version>1.0</version>"), std::string::npos);
    EXPECT_NE(versions.find("<name>plug.so</name>"), std::string::npos);
    EXPECT_FALSE(fs::exists(bin.File("tolvex.dll"))) << "nothing lands beside the updater";
}

// Without --home the program folder is "home" beside the program, as the
// program's own default.
TEST_F(UpdaterTest, WithoutAFolderTheDefaultProgramFolderIsUpdated)
{
    Write("notes.txt", "old notes");
    Write("update/versions.xml", "<versions/>");
    Write("update/notes.txt.z", "new notes");
    Write("update/doupdate", "notes.txt.z=path=&version=2&resultName=notes.txt\r\n");
    ASSERT_TRUE(TUpdateHandover::StartUpdater(bin.File("tolvex"), "restart 0"));
    ASSERT_TRUE(Restarted());
    EXPECT_EQ(Marker(), "restarted\n");
    EXPECT_EQ(Read("notes.txt"), "new notes");
    EXPECT_FALSE(TUpdateHandover::IsUpdatePending(Home()));
}

TEST_F(UpdaterTest, NamesThatLeadOutOfTheProgramFolderAreRefused)
{
    Write("update/versions.xml", "<versions/>");
    Write("update/a.z", "escaping bytes");
    Write("update/b.z", "linked bytes");
    Write("update/c.z", "good bytes");
    // A folder of the program that is a link to elsewhere.
    fs::create_directory_symlink(outside.Path(), Home() + "/linked");
    Write("update/doupdate", "a.z=path=..%2f..&version=1&resultName=..%2fescape\r\n"
                             "b.z=path=linked&version=1&resultName=b.dll\r\n"
                             "c.z=path=&version=1&resultName=c.dll\r\n");

    EXPECT_EQ(RunUpdater({"restart", "0"}), 1);
    EXPECT_FALSE(fs::exists(fs::path(bin.Path()).parent_path() / "escape"));
    EXPECT_FALSE(fs::exists(bin.File("escape")));
    EXPECT_TRUE(fs::is_empty(outside.Path()));
    EXPECT_EQ(Read("c.dll"), "good bytes");
    EXPECT_FALSE(fs::exists(Home() + "/update/doupdate"));
    EXPECT_TRUE(Restarted());
}

TEST_F(UpdaterTest, ArgumentsDecideWaitingAndRestarting)
{
    // Nothing pending, no restart asked: nothing happens.
    EXPECT_EQ(RunUpdater({"10"}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(bin.File("marker")));

    // A wrong argument: the record stays and the program is not started.
    Write("update/doupdate", "x.z=path=&version=1&resultName=x.dll\r\n");
    EXPECT_EQ(RunUpdater({"restart", "soon"}), 2);
    EXPECT_EQ(RunUpdater({"restart", "--home"}), 2);
    EXPECT_TRUE(fs::exists(Home() + "/update/doupdate"));
    EXPECT_FALSE(fs::exists(bin.File("marker")));

    // An unreadable version list: the record is dropped, so the program does
    // not hand over again at every start; installed files stay as they are.
    Write("x.dll", "installed");
    Write("update/x.z", "new");
    Write("update/versions.xml", "<versions");
    EXPECT_EQ(RunUpdater({"--home", Home(), "restart", "0", "--", "--paths"}), 1);
    EXPECT_FALSE(fs::exists(Home() + "/update/doupdate"));
    EXPECT_EQ(Read("x.dll"), "installed");
    EXPECT_TRUE(Restarted());
    EXPECT_EQ(Marker(), "restarted\n--paths\n");
}
