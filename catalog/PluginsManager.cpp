#include "catalog/PluginsManager.h"

#include "catalog/LibrariesManager.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// One field starting at Pos (line breaks already skipped); Pos moves past it
// and its separator.
std::string NextField(const std::string& text, std::size_t& pos, char separator)
{
    const std::size_t n = text.size();
    if (text[pos] == '"') {
        // A field opened by a quote loses both quotes; the next field starts
        // right after the closing quote.
        std::size_t close = text.find('"', pos + 1);
        std::string field = text.substr(pos + 1, close == std::string::npos ? std::string::npos
                                                                           : close - pos - 1);
        pos = close == std::string::npos ? n : close + 1;
        return field;
    }
    std::size_t end = pos;
    while (end < n && text[end] != separator && !IsLineBreak(text[end]) && text[end] != '"')
        ++end;
    if (end < n && text[end] == '"') {
        // A quoted stretch inside a field keeps its quotes and ends the field;
        // the character after the closing quote is its separator.
        std::size_t close = text.find('"', end + 1);
        std::string field = text.substr(pos, close == std::string::npos ? std::string::npos
                                                                       : close + 1 - pos);
        pos = close == std::string::npos ? n : std::min(n, close + 2);
        return field;
    }
    std::string field = text.substr(pos, end - pos);
    pos = end < n ? end + 1 : n;
    return field;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "+" a space, "%%" a per cent sign, "%" and two hexadecimal digits a byte.
std::optional<std::string> UrlDecode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            if (i + 2 >= text.size())
                return std::nullopt;
            int high = HexDigit(text[i + 1]);
            int low = HexDigit(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return out;
}

// Whether an entry named EntryName answers a request for Name: the same
// name, or a name with a "*" whose text before it begins Name.
bool EntryMatches(const std::string& entryName, const std::string& name)
{
    if (entryName == name)
        return true;
    std::size_t star = entryName.find('*');
    return star != std::string::npos && star > 0 && name.size() >= star &&
           name.compare(0, star, entryName, 0, star) == 0;
}

bool HasPluginExtension(const fs::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    return ext == ".tvp";
}

// Unloads a library loaded for the scan of its folder.
struct TScanUnload {
    TLibrariesManager& libraries;
    int id;
    ~TScanUnload() { libraries.UnloadModule(id); }
};

}  // namespace

TPluginsManager::TPluginsManager(const std::string& dir, std::uint8_t kind,
                                 TLibrariesManager& libraries)
    : kind_(kind), libraries_(libraries)
{
    ScanFolder(dir);
}

std::optional<std::vector<std::string>> TPluginsManager::SplitClassList(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsLineBreak(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        std::optional<std::string> piece = UrlDecode(NextField(text, pos, '&'));
        if (!piece)
            return std::nullopt;
        pieces.push_back(std::move(*piece));
    }
    return pieces;
}

void TPluginsManager::ScanFolder(const std::string& dir)
{
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (HasPluginExtension(it->path()) && it->is_regular_file(ec))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        const std::string fileName = dir + "/" + name;
        int id = libraries_.LoadModule(fileName);
        if (id == 0)
            continue;
        // The library is unloaded whatever happens, after the descriptor it
        // made is gone.
        TScanUnload unload{libraries_, id};
        if (std::unique_ptr<TAbstractPluginInfo> info = libraries_.GetPluginInfo(id))
            AddLibraryEntries(fileName, *info);
    }
}

void TPluginsManager::AddLibraryEntries(const std::string& fileName, const TAbstractPluginInfo& info)
{
    std::optional<std::vector<std::string>> pieces = SplitClassList(info.GetName());
    if (!pieces)
        return;  // a class list that cannot be decoded contributes nothing
    for (const std::string& piece : *pieces) {
        std::size_t eq = piece.find('=');
        bool taken = info.GetKind() == pkMixed
                         ? eq != std::string::npos && PluginKindFromWord(piece.substr(eq + 1)) == kind_
                         : info.GetKind() == kind_;
        if (!taken)
            continue;
        auto entry = std::make_unique<TPluginLoader>(&libraries_);
        entry->AssignDescriptor(info);
        entry->SetFileName(fileName);
        entry->SetName(piece.substr(0, eq));
        entry->SetKind(kind_);
        entries_.push_back(std::move(entry));
    }
}

TPluginLoader* TPluginsManager::GetPlugin(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return entries_[static_cast<std::size_t>(index)].get();
}

TPluginLoader* TPluginsManager::FindPlugin(const std::string& name) const
{
    for (const auto& entry : entries_)
        if (entry->GetName() == name)
            return entry.get();
    return nullptr;
}

TPluginLoader* TPluginsManager::FindPluginByProperty(const std::string& propertyName,
                                                     const std::string& value) const
{
    for (const auto& entry : entries_)
        if (entry->ParamEquals(propertyName, value))
            return entry.get();
    return nullptr;
}

void TPluginsManager::AddPlugin(const std::string& name, std::unique_ptr<TPluginLoader> loader)
{
    if (!loader) {
        loader = std::make_unique<TPluginLoader>(&libraries_);
        loader->SetName(name);
    }
    entries_.push_back(std::move(loader));
}

std::unique_ptr<TAbstractPluginClass> TPluginsManager::CreatePluginInstance(const std::string& name,
                                                                            const std::string& params)
{
    for (const auto& entry : entries_)
        if (EntryMatches(entry->GetName(), name))
            return entry->CreatePluginClass(name, params);
    return nullptr;
}
