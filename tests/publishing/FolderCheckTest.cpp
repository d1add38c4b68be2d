// Which folders files may be written into: the kernel's virtual file
// systems and folders without write access are refused with a message that
// names the folder; ordinary folders pass.
#include "publishing/FolderCheck.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The problem as the user and group Uid see it (a child process that gives up root).
std::string ProblemAs(uid_t uid, const std::string& folder)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string problem =
            setgid(uid) == 0 && setuid(uid) == 0 ? TFolderCheck::Problem(folder, nullptr) : "no setuid";
        const ssize_t written = write(pipeEnds[1], problem.data(), problem.size());
        _exit(written < 0 ? 1 : 0);
    }
    close(pipeEnds[1]);
    std::string problem;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        problem.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return problem;
}

}  // namespace

TEST(FolderCheck, SystemFoldersAndMissingFoldersAreRefused)
{
    TTempFolder temp;
    temp.Write("file", "x");
    struct TCase {
        std::string folder;
        const char* says;  // a part of the message; empty: accepted
    };
    const TCase cases[] = {
        {temp.Path(), ""},
        {"/proc", "is a folder of the system"},
        {"/proc/self", "is a folder of the system"},
        {"/sys", "is a folder of the system"},
        {"/dev", "is a folder of the system"},     // devtmpfs: a tmpfs by its magic
        {"/dev/shm", "is a folder of the system"}, // mounted below /dev
        {temp.File("missing"), "does not exist"},
        {temp.File("file"), "does not exist"},
        {"", "does not exist"},
    };
    for (const TCase& c : cases) {
        if (!c.folder.empty() && !fs::exists(c.folder) && c.folder.rfind(temp.Path(), 0) != 0)
            continue;  // not on this machine
        const std::string problem = TFolderCheck::Problem(c.folder, nullptr);
        if (*c.says == '\0') {
            EXPECT_EQ(problem, "") << c.folder;
        } else {
            EXPECT_NE(problem.find(c.says), std::string::npos) << c.folder << ": " << problem;
            EXPECT_NE(problem.find("\"" + c.folder + "\""), std::string::npos) << problem;
        }
    }
    EXPECT_TRUE(TFolderCheck::IsOnVirtualFileSystem("/proc/self/fd"));
    EXPECT_FALSE(TFolderCheck::IsOnVirtualFileSystem(temp.Path()));
}

TEST(FolderCheck, AFolderWithoutWriteAccessIsRefused)
{
    TTempFolder temp;
    fs::permissions(temp.Path(), fs::perms::others_exec, fs::perm_options::add);
    const std::string locked = temp.File("locked");
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    // Root may write anywhere: the check is made as another user.
    const std::string problem = geteuid() == 0 ? ProblemAs(65534, locked) : TFolderCheck::Problem(locked, nullptr);
    EXPECT_EQ(problem, "You may not write into the folder \"" + locked + "\". Choose another folder.");
    fs::permissions(locked, fs::perms::owner_all);
}
