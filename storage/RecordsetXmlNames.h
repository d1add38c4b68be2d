#pragma once
// Names shared by the record-set XML writer and reader: the primary-key
// lists of GlobalTables and SQL identifiers.
#include "common/CommonFunctionsDetail.h"

#include "storage/SqlIdentifier.h"

#include <algorithm>
#include <string>
#include <vector>

namespace recordset_xml {

inline constexpr const char* kCatalogCodeField = "CatalogCode";

// The field names of a PrimaryKeyInfo text, lower case: split at ",", blanks
// and double quotes around a name removed, empty names dropped.
inline std::vector<std::string> ParsePrimaryKeyInfo(const std::string& info)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= info.size()) {
        std::size_t end = std::min(info.find(',', start), info.size());
        std::string name = common_detail::Trim(info.substr(start, end - start));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        if (!name.empty())
            names.push_back(common_detail::LowerCase(name));
        start = end + 1;
    }
    return names;
}

inline bool IsKeyField(const std::vector<std::string>& keys, const std::string& fieldName)
{
    return std::find(keys.begin(), keys.end(), common_detail::LowerCase(fieldName)) != keys.end();
}

// An identifier for an SQL statement.
inline std::string QuoteIdentifier(const std::string& name) { return QuoteSqlIdentifier(name); }

}  // namespace recordset_xml
