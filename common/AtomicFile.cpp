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

// ".name.<tag>-XXXXXX" beside the file, for mkstemp.
std::string HiddenTempName(const std::string& fileName, const char* tag)
{
    const std::size_t slash = fileName.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    return folder + "." + base + "." + tag + "-XXXXXX";
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

// A new file written unnamed in its folder (O_TMPFILE) and given its name
// once whole: one change of the folder instead of creating a temporary name
// and renaming it, which matters when a site's thousands of files go into
// one folder. False, with nothing left behind, when the name is taken or
// the file system cannot do it: the caller then goes the usual way.
bool WriteNewFileUnnamed(const std::string& fileName, const std::string& content, mode_t newFileMode,
                         ino_t* inode, bool durable)
{
#ifdef O_TMPFILE
    const int fd = ::open(FolderOf(fileName).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, newFileMode);
    if (fd < 0)
        return false;
    struct stat written {};
    bool ok = WriteAll(fd, content) && (!durable || ::fsync(fd) == 0) && ::fstat(fd, &written) == 0;
    if (ok) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        ok = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, fileName.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }
    if (::close(fd) != 0 && ok) {
        // The file is named but may not be whole: take the name back.
        ::unlink(fileName.c_str());
        return false;
    }
    if (!ok)
        return false;
    if (durable)
        SyncFolder(FolderOf(fileName));
    if (inode)
        *inode = written.st_ino;
    return true;
#else
    (void)fileName, (void)content, (void)newFileMode, (void)inode, (void)durable;
    return false;
#endif
}

}  // namespace

bool WriteFileAtomically(const std::string& fileName, const std::string& content, mode_t newFileMode,
                         ino_t* inode, TDurability durability, const char* tempTag)
{
    const bool durable = durability == TDurability::Durable;
    // An existing file is replaced through a temporary name at once: written
    // unnamed first, its content would only be thrown away when the name is found taken.
    struct stat existing {};
    if (::lstat(fileName.c_str(), &existing) != 0 &&
        WriteNewFileUnnamed(fileName, content, newFileMode, inode, durable))
        return true;
    std::string tempName = HiddenTempName(fileName, tempTag);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    struct stat old {};
    const mode_t mode = ::stat(fileName.c_str(), &old) == 0 ? (old.st_mode & 07777)
                                                              : (newFileMode & ~CurrentUmask());
    ::fchmod(fd, mode);
    struct stat written {};
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
