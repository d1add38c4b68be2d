#pragma once
// The fixed table of the item editors and item managers built into the
// program: 128 rows, each a name, how a requested name matches it, the
// plug-in kind it creates and the class it stands for. The rows are tried
// in table order and the first match wins, so the order is part of the
// rules (e.g. "CommonTreeList" comes before "WebForm").
//
// Also the classes that register themselves at start-up (two UI editor
// classes and the editor frames), as the registry's placeholders need them
// until their editors are part of the program.
#include "storage/AbstractPluginClass.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// How a requested name matches a row's name; case always counts.
enum class TNameRule : std::uint8_t {
    Exact,       // the same name
    Contains,    // the row's name anywhere in the requested name
    BeginsWith,  // the requested name begins with the row's name
};

struct TBuiltinPluginRow {
    std::string_view name;
    TNameRule rule;
    std::uint8_t kind;  // pkItemEditor or pkItemManager
    std::string_view className;

    bool Matches(std::string_view requested) const;
    // The name as the plug-in lists show it: a row that is not exact has a
    // "*" after its name.
    std::string ListedName() const;
};

// A class registered at start-up: a UI editor class (kind 3) or, when
// Frame is set, an editor frame class.
struct TStartupClassRow {
    std::string_view name;
    std::string_view className;
    bool frame;
};

class TBuiltinPluginTable {
public:
    // Every row, in the order they are tried.
    static std::span<const TBuiltinPluginRow> Rows();
    // The first row that matches Name, or null.
    static const TBuiltinPluginRow* FindRow(std::string_view name);
    // Whether some row stands for the class ClassName.
    static bool HasClass(std::string_view className);
    // The item-editor and frame classes registered at start-up.
    static std::span<const TStartupClassRow> StartupClasses();
};
