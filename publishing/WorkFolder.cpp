#include "publishing/WorkFolder.h"

#include "common/Exceptions.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string ParentOrTemp(const std::string& parent)
{
    if (!parent.empty())
        return parent;
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    return error ? std::string("/tmp") : temp.string();
}

// Whether Name is a work folder's: the prefix and mkdtemp's six letters or digits.
bool IsWorkFolderName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

int OpenFolder(const std::string& path)
{
    return open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

TWorkFolder::TWorkFolder(const std::string& parent, const std::string& prefix)
{
    const std::string folder = ParentOrTemp(parent);
    std::string pattern = (fs::path(folder) / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw EPublisherTolvexException("Cannot create a work folder in " + folder + ": " + std::strerror(errno));
    path_ = pattern;
    lock_ = OpenFolder(path_);
    if (lock_ < 0 || flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        if (lock_ >= 0)
            close(lock_);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        throw EPublisherTolvexException("Cannot create a work folder in " + folder);
    }
}

TWorkFolder::~TWorkFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    if (lock_ >= 0)
        close(lock_);
}

int TWorkFolder::RemoveAbandoned(const std::string& parent, const std::string& prefix)
{
    int removed = 0;
    std::error_code error;
    const std::time_t now = std::time(nullptr);
    for (fs::directory_iterator it(ParentOrTemp(parent), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!IsWorkFolderName(name, prefix))
            continue;
        const std::string path = it->path().string();
        const int fd = OpenFolder(path);
        if (fd < 0)
            continue;  // not a folder, or not ours to open
        struct stat info {};
        // Held by a running process, or too new to tell: left alone.
        const bool abandoned = fstat(fd, &info) == 0 && info.st_uid == geteuid() &&
                               now - info.st_mtime > kAbandonedAfterSeconds && flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (abandoned) {
            std::error_code ignored;
            if (fs::remove_all(path, ignored) > 0)
                ++removed;
        }
        close(fd);
    }
    return removed;
}
