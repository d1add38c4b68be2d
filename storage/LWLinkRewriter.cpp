#include "storage/LWLinkRewriter.h"

#include "common/Exceptions.h"
#include "common/RegexPattern.h"

// One compiled expression; the map is chosen by the expression that matched,
// so that a link written in capitals ("../IMAGES/") still reaches its own map.
struct TLWLinkRewriter::TPattern {
    explicit TPattern(const char* pattern) : expression(pattern, roCaseless | roDotAll) {}

    std::string ReplaceAll(const std::string& text, const TLWIdMap& map) const;

    TRegexPattern expression;
};

namespace {

// The new id of a code as text, or the code itself when the map has none.
std::string MappedCode(const std::string& code, const TLWIdMap& map)
{
    const int id = map ? map(code) : 0;
    return (id == 0 || id == -1) ? code : std::to_string(id);
}

}  // namespace

std::string TLWLinkRewriter::TPattern::ReplaceAll(const std::string& text, const TLWIdMap& map) const
{
    std::string result;
    std::size_t copied = 0;  // text before this offset is in result
    // Every expression matches at least one character.
    const int rc = expression.ForEachMatch(text, [&](const TRegexMatch& match) {
        result.append(text, copied, match.Start(1) - copied);
        result += MappedCode(match.Group(text, 1), map);
        copied = match.End(1);
    });
    if (rc < 0)
        throw ECriticalTolvexException("The links of a page text cannot be searched");
    result.append(text, copied, std::string::npos);
    return result;
}

TLWLinkRewriter::TLWLinkRewriter(TLWIdMap objectIdMap, TLWIdMap pageIdMap, TLWIdMap imageIdMap)
    : objectIdMap_(std::move(objectIdMap)),
      pageIdMap_(std::move(pageIdMap)),
      imageIdMap_(std::move(imageIdMap)),
      images_(std::make_unique<TPattern>(R"(\.\.[/\\]images[/\\](.+?)\.)")),
      pages_(std::make_unique<TPattern>(R"(["/](\d+?)\.html)")),
      objects_(std::make_unique<TPattern>(R"(\.\.[/\\]objects[/\\](.+?)\.)"))
{
}

TLWLinkRewriter::~TLWLinkRewriter() = default;

std::string TLWLinkRewriter::Rewrite(const std::string& text) const
{
    std::string result = images_->ReplaceAll(text, imageIdMap_);
    result = pages_->ReplaceAll(result, pageIdMap_);
    return objects_->ReplaceAll(result, objectIdMap_);
}
