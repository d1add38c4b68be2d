#include "common/CaptionValue.h"

namespace CaptionValue {

namespace {

constexpr std::size_t kSeparatorLength = 3;

}  // namespace

std::string CaptionOf(const std::string& entry)
{
    const std::size_t at = entry.find(kSeparator);
    return at == std::string::npos ? entry : entry.substr(0, at);
}

std::string ValueOf(const std::string& entry)
{
    const std::size_t at = entry.find(kSeparator);
    return at == std::string::npos ? entry : entry.substr(at + kSeparatorLength);
}

bool HasValue(const std::string& entry)
{
    return entry.find(kSeparator) != std::string::npos;
}

}  // namespace CaptionValue
