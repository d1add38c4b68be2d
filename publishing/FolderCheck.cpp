#include "publishing/FolderCheck.h"

#include "common/Translation.h"

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The kernel's file systems that hold no stored files, by their statfs magic.
constexpr std::array<long, 16> kVirtualMagics{
    PROC_SUPER_MAGIC,  SYSFS_MAGIC,     DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC,
    CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC, TRACEFS_MAGIC,      SECURITYFS_MAGIC,
    PSTOREFS_MAGIC,    BPF_FS_MAGIC,    0x62656570 /* configfs */, EFIVARFS_MAGIC,
    BINFMTFS_MAGIC,    0x19800202 /* mqueue */, NSFS_MAGIC, SELINUX_MAGIC};

// The same by the type names of the mount table; devtmpfs (/dev) has the
// magic of an ordinary tmpfs and is only told apart here.
constexpr std::array<const char*, 19> kVirtualTypes{
    "proc",   "sysfs",      "devtmpfs", "devpts",   "cgroup",      "cgroup2",   "debugfs",
    "tracefs", "securityfs", "pstore",  "bpf",      "configfs",    "efivarfs",  "binfmt_misc",
    "mqueue", "fusectl",    "rpc_pipefs", "nsfs",   "selinuxfs"};

bool IsVirtualType(const std::string& type)
{
    return std::find(kVirtualTypes.begin(), kVirtualTypes.end(), type) != kVirtualTypes.end();
}

// Whether Path is Mount or lies below it.
bool IsBelow(const std::string& path, const std::string& mount)
{
    if (mount == "/")
        return true;
    return path.compare(0, mount.size(), mount) == 0 && (path.size() == mount.size() || path[mount.size()] == '/');
}

// Undoes the octal escapes of the mount table ("\040" for a blank).
std::string Unescape(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            plain += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Whether a mount of a virtual file system holds Path (the mount table of
// this process; a tmpfs mounted below /dev is still a device folder).
bool IsBelowVirtualMount(const std::string& path)
{
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        // "id parent major:minor root mount-point options [optional...] - type source options"
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, word;
        fields >> id >> parent >> device >> root >> mountPoint;
        while (fields >> word && word != "-") {
        }
        std::string type;
        fields >> type;
        if (IsVirtualType(type) && IsBelow(path, Unescape(mountPoint)))
            return true;
    }
    return false;
}

std::string Say(const TTranslation* translation, const std::string& text, const std::string& folder)
{
    if (translation)
        return translation->Format(text, {folder});
    std::string message = text;
    const std::size_t at = message.find("$1");
    if (at != std::string::npos)
        message.replace(at, 2, folder);
    return message;
}

}  // namespace

bool TFolderCheck::IsOnVirtualFileSystem(const std::string& folder)
{
    struct statfs info {};
    if (statfs(folder.c_str(), &info) == 0 &&
        std::find(kVirtualMagics.begin(), kVirtualMagics.end(), static_cast<long>(info.f_type)) != kVirtualMagics.end())
        return true;
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    return !error && IsBelowVirtualMount(canonical.string());
}

std::string TFolderCheck::Problem(const std::string& folder, const TTranslation* translation)
{
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error))
        return Say(translation, "The folder \"$1\" does not exist", folder);
    if (IsOnVirtualFileSystem(folder))
        return Say(translation,
                   "\"$1\" is a folder of the system, which shows the state of the computer and cannot hold "
                   "files. Choose another folder.",
                   folder);
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return Say(translation, "You may not write into the folder \"$1\". Choose another folder.", folder);
    return {};
}
