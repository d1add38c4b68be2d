#include "common/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// ".name.tmp-XXXXXX" beside the file, for mkstemp.
std::string HiddenTempName(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    return folder + "." + base + ".tmp-XXXXXX";
}

bool WriteAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

bool WriteFileAtomically(const std::string& fileName, const std::string& content, mode_t newFileMode,
                         ino_t* inode, TDurability durability)
{
    std::string tempName = HiddenTempName(fileName);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    struct stat old {};
    const mode_t mode = ::stat(fileName.c_str(), &old) == 0 ? (old.st_mode & 07777)
                                                              : (newFileMode & ~CurrentUmask());
    ::fchmod(fd, mode);
    struct stat written {};
    const bool durable = durability == TDurability::Durable;
    bool ok = WriteAll(fd, content) && (!durable || ::fsync(fd) == 0) && ::fstat(fd, &written) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(tempName.c_str(), fileName.c_str()) != 0) {
        ::unlink(tempName.c_str());
        return false;
    }
    if (durable)
        SyncFolder(FolderOf(fileName));
    if (inode)
        *inode = written.st_ino;
    return true;
}
