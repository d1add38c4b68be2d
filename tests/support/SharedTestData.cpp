#include "support/SharedTestData.h"

#include "storage/ConfiguredDatabase.h"
#include "storage/ShippedData.h"
#include "support/TestPaths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// "name size time" of a file, its time in the file system's own ticks.
std::string Signature(const fs::path& file, const fs::path& base)
{
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    const auto time = fs::last_write_time(file, ec).time_since_epoch().count();
    return fs::relative(file, base, ec).string() + " " + std::to_string(size) + " " + std::to_string(time) + "\n";
}

// The folder of this program's cache: below the tests' build folder, named
// after the program and stamped with the data sources and the program file.
const fs::path& CacheFolder()
{
    static const fs::path folder = [] {
        const fs::path program = fs::read_symlink("/proc/self/exe");
        const fs::path data = TShippedData::BuildTreeDataDir();
        std::vector<std::string> lines;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data))
            if (entry.is_regular_file())
                lines.push_back(Signature(entry.path(), data));
        std::sort(lines.begin(), lines.end());
        std::string made = Signature(program, program.parent_path());
        for (const std::string& line : lines)
            made += line;
        char stamp[17];
        std::snprintf(stamp, sizeof stamp, "%016zx", std::hash<std::string>{}(made));
        return fs::path(TestBinaryDir()) / "shared-data" / (program.filename().string() + "-" + stamp);
    }();
    return folder;
}

// Holds the lock of every program's cache while it lives: one process at a
// time makes a cached file or removes an old cache.
class TCacheLock {
public:
    TCacheLock()
    {
        const fs::path root = CacheFolder().parent_path();
        fs::create_directories(root);
        fd_ = ::open((root / "lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~TCacheLock()
    {
        if (fd_ >= 0)
            ::close(fd_);  // releases the lock
    }
    TCacheLock(const TCacheLock&) = delete;
    TCacheLock& operator=(const TCacheLock&) = delete;

private:
    int fd_ = -1;
};

// Under the lock: makes this program's cache folder when it is missing, and
// removes the caches of the program's earlier builds.
void EnsureCacheFolder()
{
    const fs::path& folder = CacheFolder();
    if (fs::exists(folder))
        return;
    const std::string prefix = folder.filename().string().substr(0, folder.filename().string().rfind('-') + 1);
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.parent_path()))
        if (entry.is_directory() && entry.path().filename().string().starts_with(prefix))
            fs::remove_all(entry.path(), ec);
    fs::create_directories(folder);
}

// Copies the cached Source to a test's Target, making Target's folder.
void CopyOut(const fs::path& source, const fs::path& target)
{
    fs::create_directories(target.parent_path());
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
}

// Copies Source to Target through a file beside Target, renamed into place.
void CopyInto(const fs::path& source, const fs::path& target)
{
    const fs::path partial = target.string() + ".partial";
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing);
    fs::rename(partial, target);
}

// TOLVEX_NO_SHARED_TEST_DATA set: every test makes its own files (to compare
// the suite's times, or to rule the cache out when a test fails).
bool Disabled()
{
    static const bool disabled = std::getenv("TOLVEX_NO_SHARED_TEST_DATA") != nullptr;
    return disabled;
}

// Names, sizes and modification times of Names in Folder, as one text.
std::string Stamp(const fs::path& folder, const std::vector<std::string>& names)
{
    std::string stamp;
    for (const std::string& name : names)
        stamp += Signature(folder / name, folder);
    return stamp;
}

// The shipped databases copied into each program folder, and their stamp just after the copy.
struct TInstalled {
    std::vector<std::string> names;
    std::string stamp;
};
std::map<std::string, TInstalled>& Installed()
{
    static std::map<std::string, TInstalled> installed;
    return installed;
}

}  // namespace

namespace SharedTestData {

bool Enabled()
{
    return !Disabled();
}

void InstallShippedDatabases(const std::string& programFolder)
{
    if (Disabled())
        return;
    try {
        const fs::path cached = CacheFolder() / "databases";
        if (!fs::exists(cached)) {
            TCacheLock lock;
            EnsureCacheFolder();
            if (!fs::exists(cached)) {
                const fs::path building = CacheFolder() / "databases.building";
                fs::remove_all(building);
                TShippedData(TShippedData::BuildTreeDataDir()).Build(building.string());
                fs::rename(building, cached);
            }
        }
        const fs::path target = DatabasesFolder(programFolder);
        fs::create_directories(target);
        TInstalled installed;
        for (const fs::directory_entry& entry : fs::directory_iterator(cached)) {
            fs::copy_file(entry.path(), target / entry.path().filename(), fs::copy_options::skip_existing);
            installed.names.push_back(entry.path().filename().string());
        }
        installed.stamp = Stamp(target, installed.names);
        Installed()[programFolder] = std::move(installed);
    } catch (const std::exception&) {
        // The program's start builds whatever did not arrive.
    }
}

bool ShippedDatabasesUnchanged(const std::string& programFolder)
{
    const auto found = Installed().find(programFolder);
    return found != Installed().end() &&
           Stamp(DatabasesFolder(programFolder), found->second.names) == found->second.stamp;
}

bool InstallFile(const std::string& key, const std::string& target, const std::function<bool()>& make)
{
    if (Disabled())
        return make();
    const fs::path cached = CacheFolder() / key;
    std::error_code ec;
    if (fs::exists(cached, ec)) {
        CopyOut(cached, target);
        return true;
    }
    TCacheLock lock;
    EnsureCacheFolder();
    if (fs::exists(cached)) {
        CopyOut(cached, target);
        return true;
    }
    if (!make())
        return false;
    if (fs::exists(target))
        CopyInto(target, cached);
    return true;
}

}  // namespace SharedTestData
