#include "editors/site/html/ElementProperties.h"

#include "common/CommonFunctionsDetail.h"

#include <algorithm>
#include <map>

namespace {

// Attributes every element may have, then those of the tags the editor's
// users meet most.
const char* const kCommon[] = {"class", "id", "style", "title", "lang", "dir"};

const std::map<std::string, std::vector<const char*>>& ByTag()
{
    static const std::map<std::string, std::vector<const char*>> tags = {
        {"A", {"href", "name", "target", "rel"}},
        {"IMG", {"src", "alt", "width", "height", "border", "align", "hspace", "vspace", "usemap"}},
        {"TABLE", {"width", "height", "border", "cellpadding", "cellspacing", "align", "bgcolor", "background",
                   "frame", "rules", "summary"}},
        {"TR", {"align", "valign", "bgcolor", "height"}},
        {"TD", {"width", "height", "align", "valign", "bgcolor", "background", "colspan", "rowspan", "nowrap"}},
        {"TH", {"width", "height", "align", "valign", "bgcolor", "background", "colspan", "rowspan", "nowrap"}},
        {"P", {"align"}},
        {"DIV", {"align"}},
        {"HR", {"width", "size", "align", "noshade", "color"}},
        {"FONT", {"face", "size", "color"}},
        {"INPUT", {"type", "name", "value", "size", "maxlength", "checked"}},
        {"OBJECT", {"data", "type", "width", "height", "classid", "codebase"}},
        {"EMBED", {"src", "type", "width", "height"}},
    };
    return tags;
}

}  // namespace

std::vector<std::string> TElementProperties::PossibleAttributes(const std::string& tag)
{
    std::vector<std::string> names(std::begin(kCommon), std::end(kCommon));
    const auto found = ByTag().find(common_detail::UpperCase(tag));
    if (found != ByTag().end())
        names.insert(names.end(), found->second.begin(), found->second.end());
    return names;
}

bool TElementProperties::Fill(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& specified,
                              bool showAll)
{
    tag_ = common_detail::UpperCase(tag);
    rows_.clear();
    const auto hidden = [](const std::string& name) {
        return common_detail::UpperCase(name).find("DESIGNTIME") != std::string::npos;
    };
    for (const auto& [name, value] : specified)
        if (!hidden(name))
            rows_.push_back({name, value, value});
    if (showAll) {
        for (const std::string& name : PossibleAttributes(tag_)) {
            const bool listed = std::any_of(rows_.begin(), rows_.end(), [&](const TRow& row) {
                return common_detail::LowerCase(row.Name) == name;
            });
            if (!listed)
                rows_.push_back({name, "", ""});
        }
    }
    std::sort(rows_.begin(), rows_.end(), [](const TRow& a, const TRow& b) {
        return common_detail::LowerCase(a.Name) < common_detail::LowerCase(b.Name);
    });
    // Every element may carry the common attributes: only a missing element fails.
    return !tag_.empty();
}

void TElementProperties::SetValue(std::size_t row, const std::string& value)
{
    if (row < rows_.size())
        rows_[row].Value = value;
}

std::vector<std::pair<std::string, std::string>> TElementProperties::Changes() const
{
    std::vector<std::pair<std::string, std::string>> changes;
    for (const TRow& row : rows_)
        if (row.Value != row.Read)
            changes.emplace_back(row.Name, row.Value);
    return changes;
}
