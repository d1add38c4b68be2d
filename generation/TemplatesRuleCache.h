#pragma once
// The generation rules of template texts, read once per distinct text.
//
// A rule is a "tolvex:xml-generation-rule" element of a template; its rule
// text is TGenerationRule::TextOfElement: its child nodes in document order,
// each written as the node's name, "=", its text as it stands and "&". A
// value is not trimmed: a line break inside it ends the value when the rule
// text is split, and what follows becomes a field of its own.
#include <cstddef>
#include <list>
#include <string>
#include <vector>

class TTemplatesRuleCache {
public:
    // Rules := the rule texts of the XSL text Text, in document order,
    // selected by "//tolvex:xml-generation-rule" + Predicate. False (and
    // Rules empty) when Text does not load as XML.
    bool GetRules(const std::string& text, const std::string& predicate, std::vector<std::string>& rules);

    // The same without keeping anything.
    static bool ReadRules(const std::string& text, const std::string& predicate, std::vector<std::string>& rules);

private:
    struct TEntry {
        std::string predicate;
        std::string text;
        bool loaded = false;
        std::vector<std::string> rules;
    };
    static constexpr std::size_t Capacity = 16;
    // Most recently used first.
    std::list<TEntry> entries_;
};
