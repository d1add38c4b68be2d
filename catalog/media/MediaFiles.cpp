#include "catalog/media/MediaFiles.h"

#include "common/CommonBinary.h"
#include "common/Exceptions.h"
#include "storage/QueryGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

class TFd {
public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

std::string TMediaFiles::ReadObjectFile(const std::string& fileName, std::int64_t maxBytes)
{
    const TFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        throw ECriticalTolvexException("The file \"" + fileName + "\" cannot be read: " + std::strerror(errno));
    struct stat before {};
    if (::fstat(fd.Get(), &before) != 0 || !S_ISREG(before.st_mode))
        throw ECriticalTolvexException("\"" + fileName + "\" is not a file that can be stored.");
    if (before.st_size > maxBytes)
        throw ECriticalTolvexException("The file \"" + fileName + "\" is too large to be stored (" +
                                       std::to_string(before.st_size) + " bytes; at most " +
                                       std::to_string(maxBytes) + ").");
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(before.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw ECriticalTolvexException("The file \"" + fileName + "\" cannot be read: " + std::strerror(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (static_cast<std::int64_t>(bytes.size()) > before.st_size)
            break;  // it grows: refused below
    }
    struct stat after {};
    struct stat named {};
    const bool unchanged = ::fstat(fd.Get(), &after) == 0 && SameFile(before, after) &&
                           ::stat(fileName.c_str(), &named) == 0 && SameFile(before, named) &&
                           static_cast<std::int64_t>(bytes.size()) == before.st_size;
    if (!unchanged)
        throw ECriticalTolvexException("The file \"" + fileName +
                                       "\" changed while it was read. Try again when it is complete.");
    return bytes;
}

std::string TMediaFiles::ExportFileName(const std::string& name, const std::string& fallback,
                                        const std::string& extension)
{
    const auto plain = [](const std::string& text) {
        std::string base = text.substr(text.find_last_of("/\\") == std::string::npos ? 0 : text.find_last_of("/\\") + 1);
        std::string kept;
        for (const char c : base)
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != ':')
                kept += c;
        const std::size_t first = kept.find_first_not_of(". ");
        kept = first == std::string::npos ? std::string() : kept.substr(first);
        while (!kept.empty() && (kept.back() == ' ' || kept.back() == '.'))
            kept.pop_back();
        return kept.substr(0, 200);
    };
    std::string result = plain(name);
    if (result.empty())
        result = plain(fallback);
    if (result.empty())
        result = "export";
    const std::string ext = plain(extension);
    return ext.empty() ? result : result + "." + ext;
}

std::string TMediaFiles::MimeSubtype(const std::string& mimeType)
{
    const std::size_t slash = mimeType.find('/');
    return slash == std::string::npos ? std::string() : mimeType.substr(slash + 1);
}

bool TMediaFiles::ExportStored(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                               const std::string& fileName)
{
    TQueryGuard query(connection);
    query->SetSQL("SELECT DataBlob FROM CBinary WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId AND DataBlob "
                  "IS NOT NULL ORDER BY ClassId, InstanceId, MemberId, IndexId LIMIT 1");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", itemId);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return false;
    TCommonBinary::SaveBlobToFile(fileName, rows.Field("DataBlob"));
    return true;
}
