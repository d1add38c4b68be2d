#include "editors/business/options/OptionCombinations.h"

#include "catalog/CatalogData.h"
#include "editors/business/ItemNames.h"
#include "editors/site/SiteModelContext.h"

#include <algorithm>
#include <cstdlib>

std::string TOptionCombinations::KeyOf(std::vector<int> ids)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    std::string key;
    for (int id : ids) {
        if (!key.empty())
            key += ';';
        key += std::to_string(id);
    }
    return key;
}

std::vector<int> TOptionCombinations::IdsOf(const std::string& key)
{
    std::vector<int> ids;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find(';', start);
        if (end == std::string::npos)
            end = key.size();
        const std::string part = key.substr(start, end - start);
        char* rest = nullptr;
        const long id = std::strtol(part.c_str(), &rest, 10);
        if (!part.empty() && rest && *rest == '\0')
            ids.push_back(static_cast<int>(id));
        start = end + 1;
    }
    return ids;
}

std::vector<TOptionCombinations::TOption> TOptionCombinations::Read(const TSiteModelContext& context,
                                                                     const std::vector<int>& optionIds)
{
    std::vector<TOption> options;
    for (int optionId : optionIds) {
        TOption option;
        option.OptionId = optionId;
        option.Name = TItemNames::NameOf(context.Objects, optionId, context.LangCode);
        if (option.Name.empty())
            option.Name = context.Data.GetItemName(optionId, context.Connection, context.LangCode);
        std::vector<std::string> lines;
        context.Data.GetQueries().ListVisibleChildren(optionId, lines, 0, context.LangCode, context.Connection);
        for (const std::string& line : lines) {
            const std::size_t equals = line.find('=');
            option.ValueIds.push_back(std::atoi(line.substr(0, equals).c_str()));
            option.ValueNames.push_back(equals == std::string::npos ? std::string() : line.substr(equals + 1));
        }
        options.push_back(std::move(option));
    }
    return options;
}

void TOptionCombinations::Set(std::vector<TOption> options)
{
    options_ = std::move(options);
    blocks_.assign(options_.size(), 1);
    valueIndex_.clear();
    count_ = options_.empty() ? 0 : 1;
    for (std::size_t o = options_.size(); o-- > 0;) {
        blocks_[o] = count_;
        count_ *= options_[o].ValueIds.size();
        for (std::size_t v = 0; v < options_[o].ValueIds.size(); ++v)
            valueIndex_.emplace(options_[o].ValueIds[v], std::make_pair(o, v));
    }
}

std::string TOptionCombinations::Key(std::size_t row) const
{
    std::vector<int> ids;
    ids.reserve(options_.size());
    for (std::size_t o = 0; o < options_.size(); ++o)
        ids.push_back(ValueId(row, o));
    return KeyOf(std::move(ids));
}

long TOptionCombinations::RowOf(const std::string& key) const
{
    const std::vector<int> ids = IdsOf(key);
    if (count_ == 0 || ids.size() != options_.size())
        return -1;
    std::vector<bool> seen(options_.size(), false);
    std::size_t row = 0;
    for (int id : ids) {
        const auto found = valueIndex_.find(id);
        if (found == valueIndex_.end() || seen[found->second.first])
            return -1;
        seen[found->second.first] = true;
        row += found->second.second * blocks_[found->second.first];
    }
    return static_cast<long>(row);
}

std::vector<std::string> TOptionCombinations::AllKeys() const
{
    std::vector<std::string> keys;
    keys.reserve(count_);
    for (std::size_t row = 0; row < count_; ++row)
        keys.push_back(Key(row));
    return keys;
}

int TOptionCombinations::OptionOfValue(int valueId) const
{
    const auto found = valueIndex_.find(valueId);
    return found == valueIndex_.end() ? -1 : static_cast<int>(found->second.first);
}

std::string TOptionCombinations::ValueNameOf(int valueId) const
{
    const auto found = valueIndex_.find(valueId);
    return found == valueIndex_.end() ? std::string()
                                      : options_[found->second.first].ValueNames[found->second.second];
}
