#pragma once
// The attribute list of the element properties dialog: each row keeps the
// attribute's name, its value and the value it had when the list was
// filled; "show all" adds the attributes an element of that tag may have.
// What "Ok" writes back is every row whose value changed. No widgets.
#include <string>
#include <utility>
#include <vector>

class TElementProperties {
public:
    struct TRow {
        std::string Name;
        std::string Value;
        std::string Read;
    };

    // Fills the list from the element's specified attributes (name, value).
    // Names holding "DESIGNTIME" never show. False without an element (no tag).
    bool Fill(const std::string& tag, const std::vector<std::pair<std::string, std::string>>& specified,
              bool showAll);
    const std::string& Tag() const { return tag_; }
    const std::vector<TRow>& Rows() const { return rows_; }
    void SetValue(std::size_t row, const std::string& value);
    // The rows to write back, in list order.
    std::vector<std::pair<std::string, std::string>> Changes() const;
    // The attributes an element of Tag may have (upper-case tag, lower-case names).
    static std::vector<std::string> PossibleAttributes(const std::string& tag);

private:
    std::string tag_;
    std::vector<TRow> rows_;
};
