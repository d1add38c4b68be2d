#include "common/PictureFile.h"

#include "common/Exceptions.h"
#include "common/FileContent.h"
#include "common/PictureCodec.h"

#include <filesystem>
#include <system_error>

namespace {

[[noreturn]] void Refuse(const std::string& text)
{
    throw ECriticalTolvexException(text);
}

std::string TooLarge(std::int64_t bytes)
{
    constexpr std::int64_t megabyte = 1024 * 1024;
    return "The picture file is too large: " + std::to_string((bytes + megabyte - 1) / megabyte) + " MB (at most " +
           std::to_string(TPictureFile::MaxBytes / megabyte) + " MB).";
}

}  // namespace

std::optional<TPictureKind> TPictureFile::KindOfBytes(const std::string& bytes)
{
    auto startsWith = [&bytes](const std::string& magic) { return bytes.compare(0, magic.size(), magic) == 0; };
    if (startsWith("\xFF\xD8\xFF"))
        return TPictureKind::Jpeg;
    if (startsWith("\x89PNG\r\n\x1A\n"))
        return TPictureKind::Png;
    if (startsWith("GIF87a") || startsWith("GIF89a"))
        return TPictureKind::Gif;
    if (startsWith("BM"))
        return TPictureKind::Bitmap;
    if (startsWith(std::string("\0\0\1\0", 4)))
        return TPictureKind::Icon;
    return std::nullopt;
}

TPicture TPictureFile::Load(const std::string& fileName)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error || !std::filesystem::is_regular_file(fileName, error))
        Refuse("The file \"" + fileName + "\" cannot be read.");
    if (size > static_cast<std::uintmax_t>(MaxBytes))
        Refuse(TooLarge(static_cast<std::int64_t>(size)));
    const std::optional<std::string> bytes = ReadFileContent(fileName);
    if (!bytes)
        Refuse("The file \"" + fileName + "\" cannot be read.");
    return Decode(*bytes);
}

TPicture TPictureFile::Decode(const std::string& bytes)
{
    if (static_cast<std::int64_t>(bytes.size()) > MaxBytes)
        Refuse(TooLarge(static_cast<std::int64_t>(bytes.size())));
    const std::optional<TPictureKind> kind = KindOfBytes(bytes);
    if (!kind)
        Refuse("The data is no picture of a known format (JPEG, PNG, GIF, BMP or ICO).");
    return TPictureCodec::ForKind(*kind).Decode(bytes);
}
