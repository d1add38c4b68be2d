#pragma once
// Identifiers (table and column names) in SQL statements.
#include <string>

// An identifier in double quotes, a quote inside it doubled.
inline std::string QuoteSqlIdentifier(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    quoted += '"';
    return quoted;
}
