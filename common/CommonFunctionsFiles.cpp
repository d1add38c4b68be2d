// TCommonFunctions: MIME types, files and file names.
#include "common/CommonFunctions.h"

#include "common/AtomicFile.h"

#include "common/CRC32.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/FileContent.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace common_detail;

namespace {

constexpr const char* PathSeparators = "/\\";

// The last path component.
std::string ExtractFileName(const std::string& path)
{
    const std::size_t sep = path.find_last_of(PathSeparators);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

// The extension of the last path component, with its dot; empty without one.
std::string ExtractFileExt(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string TCommonFunctions::FindProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::string();
}

// ---- MIME types and extensions ---------------------------------------------

std::string TCommonFunctions::GetMimeTypeByFileName(const std::string& fileName)
{
    static const std::map<std::string, std::string> types = {
        {".gif", "image/gif"},
        {".jpeg", "image/jpeg"},
        {".jpg", "image/jpeg"},
        {".html", "text/html"},
        {".htm", "text/html"},
        {".css", "text/css"},
        {".bmp", "image/bmp"},
        // PNG pictures are read and written like the other image kinds.
        {".png", "image/png"},
        {".swf", "application/x-shockwave-flash"},
        {".js", "application/x-javascript"},
        {".pdf", "application/pdf"},
        {".zip", "application/zip"},
        {".ico", "application/x-ico"},
    };
    const auto found = types.find(LowerCase(ExtractFileExt(fileName)));
    return found == types.end() ? "application/octet-stream" : found->second;
}

std::string TCommonFunctions::GetExtensionByMimeType(const std::string& mimeType,
                                                     const std::string& fileName)
{
    if (StartsWith(mimeType, "image/") || StartsWith(mimeType, "text/"))
        return GetMimeSubtype(mimeType);
    if (mimeType == "application/x-shockwave-flash")
        return "swf";
    if (mimeType == "application/x-javascript")
        return "js";
    if (mimeType == "application/x-ico")
        return "ico";
    const std::size_t dot = fileName.find('.');
    return dot == std::string::npos ? fileName : fileName.substr(dot + 1);
}

std::string TCommonFunctions::GetMimeSubtype(const std::string& mimeType)
{
    const std::size_t slash = mimeType.find('/');
    return slash == std::string::npos ? std::string() : mimeType.substr(slash + 1);
}

bool TCommonFunctions::IsWebFileExtension(const std::string& ext)
{
    static const char* const web[] = {"gif", "jpeg", "jpg", "bmp", "png", "xml",
                                      "xsl", "htm", "html", "css", "js"};
    const std::string lower = LowerCase(ext);
    return std::find(std::begin(web), std::end(web), lower) != std::end(web);
}

// ---- files -------------------------------------------------------------------

std::int64_t TCommonFunctions::GetFileSize(const std::string& fileName)
{
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec))
        return 0;
    const auto size = fs::file_size(fileName, ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
}

std::uint32_t TCommonFunctions::GetFileCRC32(const std::string& fileName)
{
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec))
        return 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return 0;
    const std::uint32_t crc = TCRC32().CalcStreamCRC(in);
    return in.bad() ? 0 : crc;  // a read that failed half way gives no CRC
}

std::string TCommonFunctions::WithCrLfLines(const std::string& text)
{
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::string out;
    out.reserve(end + end / 32 + 2);
    std::size_t pos = 0;
    while (pos < end) {
        const std::size_t brk = std::min(text.find_first_of("\r\n", pos), end);
        out.append(text, pos, brk - pos);
        out += "\r\n";
        pos = brk;
        if (pos < end && text[pos] == '\r')
            ++pos;
        if (pos < end && text[pos] == '\n')
            ++pos;
    }
    return out;
}

void TCommonFunctions::SaveStringToFile(const std::string& text, const std::string& fileName)
{
    if (!WriteFileAtomically(fileName, WithCrLfLines(text)))
        throw ECriticalTolvexException("Cannot write the file \"" + fileName + "\"");
}

void TCommonFunctions::SaveWorkFile(const std::string& text, const std::string& fileName)
{
    const std::string content = WithCrLfLines(text);
    // Not truncated to nothing first: on some file systems a file emptied and
    // written again is pushed to the disk when it is closed.
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    bool written = fd >= 0;
    for (std::size_t done = 0; written && done < content.size();) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        if (written)
            done += static_cast<std::size_t>(n);
    }
    written = written && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0;
    if (fd >= 0 && ::close(fd) != 0)
        written = false;
    if (!written)
        throw ECriticalTolvexException("Cannot write the file \"" + fileName + "\"");
}

std::string TCommonFunctions::LoadStringFromFile(const std::string& fileName)
{
    const std::optional<std::string> text = ReadFileContent(fileName);
    if (!text)
        return std::string();
    return WithCrLfLines(*text);
}

void TCommonFunctions::ShellOpen(const std::string& fileOrUrl)
{
    const std::string program = TCommonFunctions::FindProgram("xdg-open");
    if (program.empty())
        return;
    // The opener runs as a grandchild that init adopts, so it leaves no
    // zombie behind and nobody waits for it. Between fork and exec only
    // async-signal-safe calls are made.
    char* const argv[] = {const_cast<char*>(program.c_str()),
                          const_cast<char*>(fileOrUrl.c_str()), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        if (::fork() == 0) {
            ::setsid();
            ::execv(program.c_str(), argv);
        }
        ::_exit(0);
    }
    if (child > 0)
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
}

void TCommonFunctions::ClearDirectory(const std::string& dir)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        entries.push_back(entry);
    for (const auto& entry : entries) {
        if (entry.is_directory(ec) && !entry.is_symlink(ec)) {
            ClearDirectory(entry.path().string());
            if (!fs::remove(entry.path(), ec) || ec)
                throw ECriticalTolvexException("Cannot remove the folder \"" +
                                               entry.path().string() + "\"");
        } else {
            fs::remove(entry.path(), ec);  // a file that cannot go stays
        }
    }
}

// ---- file names ----------------------------------------------------------------

void TCommonFunctions::SplitFileName(const std::string& fileName, std::string& name,
                                     std::string& ext)
{
    const std::size_t dot = fileName.rfind('.');
    name = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    ext = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

std::string TCommonFunctions::ExtractFileNameWithoutExt(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    return name.substr(0, name.rfind('.'));
}

std::string TCommonFunctions::SanitizeFileName(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (std::string_view(".\"'\\/;`:").find(c) != std::string_view::npos)
            c = '_';
    return out;
}

std::string TCommonFunctions::SanitizeRelativePath(const std::string& text)
{
    const std::size_t cut = text.find_last_of("\"';`:");
    std::string path = cut == std::string::npos ? text : text.substr(cut + 1);
    if (StartsWith(path, "."))
        path = text.substr(text.rfind('.') + 1);
    // The rule above still lets "/x" or "a/../../x" through: keep only the
    // plain folder names, so the result stays below the folder it is joined to.
    std::string safe;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t sep = std::min(path.find_first_of(PathSeparators, start), path.size());
        const std::string segment = path.substr(start, sep - start);
        if (!segment.empty() && segment != "." && segment != "..")
            safe += (safe.empty() ? "" : "/") + segment;
        start = sep + 1;
    }
    return safe;
}

std::string TCommonFunctions::GetFileNameFromUrl(const std::string& url)
{
    std::string name = url.substr(0, url.find('?'));
    name = name.substr(0, name.find('#'));
    name = ExtractFileName(name);
    return name.empty() ? "index.html" : name;
}
