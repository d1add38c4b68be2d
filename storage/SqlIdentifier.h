#pragma once
// Identifiers (table and column names) in SQL statements, and texts that a
// LIKE pattern matches literally.
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

// The escape clause that goes after a LIKE pattern built with LikeLiteral.
inline constexpr const char* kLikeEscapeClause = " ESCAPE '\\'";

// Text that a LIKE pattern matches as it is: the wildcards "%" and "_" and
// the escape character "\" are escaped. The pattern goes in as a bound
// parameter, followed by kLikeEscapeClause:
//   "... LIKE :Pattern" + kLikeEscapeClause, Pattern = "%" + LikeLiteral(name) + "%"
inline std::string LikeLiteral(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}
