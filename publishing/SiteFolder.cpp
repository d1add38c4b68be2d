#include "publishing/SiteFolder.h"

#include "common/AtomicFile.h"
#include "common/CommonFunctions.h"
#include "common/Exceptions.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool TSiteFolder::IsPlainName(const std::string& name)
{
    if (name.empty() || name.front() == '.' || name.size() > 255)
        return false;
    for (unsigned char c : name)
        if (!(std::isalnum(c) && c < 128) && c != '-' && c != '_' && c != '.' && c != '+')
            return false;
    return true;
}

bool TSiteFolder::IsSafeName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > 255 || IsTemporaryName(name))
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\')
            return false;
    return true;
}

bool TSiteFolder::IsTemporaryName(const std::string& name)
{
    // mkstemp's six characters replace the X's.
    const std::string middle = std::string(".") + kTempTag + "-";
    constexpr std::size_t kRandom = 6;
    if (name.size() < 2 + middle.size() + kRandom || name.front() != '.')
        return false;
    const std::size_t at = name.size() - kRandom - middle.size();
    if (name.compare(at, middle.size(), middle) != 0)
        return false;
    for (std::size_t i = name.size() - kRandom; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

int TSiteFolder::RemoveLeftovers() const
{
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code error;
    const auto sweep = [&removed](const fs::path& folder) {
        std::error_code ignored;
        for (fs::directory_iterator it(folder, ignored), end; !ignored && it != end; it.increment(ignored)) {
            if (IsTemporaryName(it->path().filename().string()) && it->is_regular_file(ignored) &&
                !it->is_symlink(ignored) && fs::remove(it->path(), ignored))
                ++removed;
        }
    };
    sweep(path_);
    for (fs::directory_iterator it(path_, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->is_directory(ignored))
            sweep(it->path());
    }
    return removed;
}

void TSiteFolder::EnsureFolder(const std::string& folder) const
{
    const std::string full = FullName(folder);
    if (mkdir(full.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat info {};
        if (stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return;
    }
    throw EPublisherTolvexException("Cannot create folder " + full + ": " + std::strerror(errno));
}

void TSiteFolder::WriteFile(const std::string& relative, const std::string& content) const
{
    const std::string full = FullName(relative);
    if (!WriteFileAtomically(full, content, 0666, nullptr, TDurability::Scratch, kTempTag))
        throw EPublisherTolvexException("Cannot write file " + full);
}

void TSiteFolder::WriteTextFile(const std::string& relative, const std::string& text) const
{
    WriteFile(relative, TCommonFunctions::WithCrLfLines(text));
}

TSiteFolder::~TSiteFolder()
{
    if (started_.joinable())
        started_.join();
}

bool TSiteFolder::SyncFileSystem(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && syncfs(fd) == 0;
    if (fd >= 0)
        close(fd);
    return synced;
}

void TSiteFolder::StartSync()
{
    if (started_.joinable())
        return;
    try {
        started_ = std::thread([this] { startedSynced_ = SyncFileSystem(path_); });
    } catch (...) {
        // No thread: Sync pushes everything at the end.
        startedSynced_ = true;
    }
}

void TSiteFolder::Sync()
{
    bool synced = true;
    if (started_.joinable()) {
        started_.join();
        synced = startedSynced_;
    }
    // What was written since (the log, the work files) is little to push.
    if (!SyncFileSystem(path_) || !synced)
        throw EPublisherTolvexException("Cannot write the site folder " + path_ + " to the disk");
}
