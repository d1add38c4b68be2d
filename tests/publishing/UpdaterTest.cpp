// The updater as a process in a temporary program folder: it applies the
// downloaded files that "doupdate" records, keeps backups and versions,
// refuses names leading out of the folder, removes the record and starts a
// stand-in program again, which leaves a marker file.
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
    TTempFolder program;

    void SetUp() override
    {
        // The updater works on its own folder: a copy goes beside the program.
        fs::copy_file(TestBinaryDir() + "/../tolvex-updater", Updater());
        program.Write("tolvex", "#!/bin/sh\necho restarted > \"$(dirname \"$0\")/marker\"\n");
        fs::permissions(program.File("tolvex"), fs::perms::owner_all, fs::perm_options::add);
    }
    std::string Updater() const { return program.File(TUpdateHandover::kUpdaterFileName); }

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
            if (fs::exists(program.File("marker")))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    std::string Read(const std::string& name) const { return TTempFolder::Read(program.File(name)); }
};

}  // namespace

TEST_F(UpdaterTest, TheHandOverStartsTheUpdaterWhichAppliesTheRecordAndRestarts)
{
    program.Write("tolvex.dll", "old");
    program.Write("update/versions.xml", "<versions><file><name>tolvex.dll</name><version>1.0</version></file></versions>");
    program.Write("update/tolvex.dll.z", "new");
    program.Write("update/plug.so.z", "plugin bytes");
    program.Write("update/doupdate", "tolvex.dll.z=path=&version=1.1&resultName=tolvex.dll\r\n"
                                     "plug.so.z=path=plugins&version=0.9&resultName=plug.so\r\n");
    ASSERT_TRUE(TUpdateHandover::IsUpdatePending(program.Path()));

    ASSERT_TRUE(TUpdateHandover::StartUpdater(program.File("tolvex"), TUpdateHandover::kRestartArguments));
    ASSERT_TRUE(Restarted());
    EXPECT_EQ(Read("marker"), "restarted\n");
    EXPECT_EQ(Read("tolvex.dll"), "new");
    EXPECT_EQ(Read("tolvex.dll.bak"), "old");
    EXPECT_EQ(Read("plugins/plug.so"), "plugin bytes");
    EXPECT_FALSE(TUpdateHandover::IsUpdatePending(program.Path()));
    const std::string versions = Read("update/versions.xml");
    EXPECT_NE(versions.find("<version>1.1</version>"), std::string::npos);
    EXPECT_EQ(versions.find("<version>1.0</version>"), std::string::npos);
    EXPECT_NE(versions.find("<name>plug.so</name>"), std::string::npos);
}

TEST_F(UpdaterTest, NamesThatLeadOutOfTheProgramFolderAreRefused)
{
    program.Write("update/versions.xml", "<versions/>");
    program.Write("update/a.z", "escaping bytes");
    program.Write("update/b.z", "linked bytes");
    program.Write("update/c.z", "good bytes");
    // A folder of the program that is a link to elsewhere.
    fs::create_directory_symlink(outside.Path(), program.File("linked"));
    program.Write("update/doupdate", "a.z=path=..%2f..&version=1&resultName=..%2fescape\r\n"
                                     "b.z=path=linked&version=1&resultName=b.dll\r\n"
                                     "c.z=path=&version=1&resultName=c.dll\r\n");

    EXPECT_EQ(RunUpdater({"restart", "0"}), 1);
    EXPECT_FALSE(fs::exists(fs::path(program.Path()).parent_path() / "escape"));
    EXPECT_TRUE(fs::is_empty(outside.Path()));
    EXPECT_EQ(Read("c.dll"), "good bytes");
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
    EXPECT_TRUE(Restarted());
}

TEST_F(UpdaterTest, ArgumentsDecideWaitingAndRestarting)
{
    // Nothing pending, no restart asked: nothing happens.
    EXPECT_EQ(RunUpdater({"10"}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(program.File("marker")));

    // A wrong argument: the record stays and the program is not started.
    program.Write("update/doupdate", "x.z=path=&version=1&resultName=x.dll\r\n");
    EXPECT_EQ(RunUpdater({"restart", "soon"}), 2);
    EXPECT_TRUE(fs::exists(program.File("update/doupdate")));
    EXPECT_FALSE(fs::exists(program.File("marker")));

    // An unreadable version list: the record is dropped, so the program does
    // not hand over again at every start; installed files stay as they are.
    program.Write("x.dll", "installed");
    program.Write("update/x.z", "new");
    program.Write("update/versions.xml", "<versions");
    EXPECT_EQ(RunUpdater({"restart", "0"}), 1);
    EXPECT_FALSE(fs::exists(program.File("update/doupdate")));
    EXPECT_EQ(Read("x.dll"), "installed");
    EXPECT_TRUE(Restarted());
}
