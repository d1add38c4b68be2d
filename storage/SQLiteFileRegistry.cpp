#include "storage/SQLiteFileRegistry.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace {

struct TOpenFile {
    int connections = 0;
    TSQLiteDBConnection* holder = nullptr;
    std::thread::id holderThread;
};

std::mutex& RegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, TOpenFile>& OpenFiles()
{
    static std::map<std::string, TOpenFile> files;
    return files;
}

void DropWhenUnused(std::map<std::string, TOpenFile>::iterator it)
{
    if (it->second.connections <= 0 && !it->second.holder)
        OpenFiles().erase(it);
}

}  // namespace

std::string TSQLiteFileRegistry::Key(const std::string& fileName)
{
    std::error_code ec;
    auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(fileName, ec), ec);
    return ec ? std::filesystem::path(fileName).lexically_normal().string() : path.string();
}

void TSQLiteFileRegistry::AddConnection(const std::string& key)
{
    std::lock_guard lock(RegistryMutex());
    ++OpenFiles()[key].connections;
}

void TSQLiteFileRegistry::RemoveConnection(const std::string& key)
{
    std::lock_guard lock(RegistryMutex());
    auto it = OpenFiles().find(key);
    if (it == OpenFiles().end())
        return;
    --it->second.connections;
    DropWhenUnused(it);
}

bool TSQLiteFileRegistry::IsOpen(const std::string& key)
{
    std::lock_guard lock(RegistryMutex());
    auto it = OpenFiles().find(key);
    return it != OpenFiles().end() && it->second.connections > 0;
}

void TSQLiteFileRegistry::SetWriteLockHolder(const std::string& key, TSQLiteDBConnection* connection)
{
    std::lock_guard lock(RegistryMutex());
    TOpenFile& file = OpenFiles()[key];
    file.holder = connection;
    file.holderThread = std::this_thread::get_id();
}

void TSQLiteFileRegistry::ClearWriteLockHolder(const std::string& key, const TSQLiteDBConnection* connection)
{
    std::lock_guard lock(RegistryMutex());
    auto it = OpenFiles().find(key);
    if (it == OpenFiles().end() || it->second.holder != connection)
        return;
    it->second.holder = nullptr;
    DropWhenUnused(it);
}

TSQLiteDBConnection* TSQLiteFileRegistry::WriteLockHolderOfThisThread(const std::string& key)
{
    std::lock_guard lock(RegistryMutex());
    auto it = OpenFiles().find(key);
    if (it == OpenFiles().end() || it->second.holderThread != std::this_thread::get_id())
        return nullptr;
    return it->second.holder;
}
