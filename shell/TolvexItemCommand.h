#pragma once
// The command that a menu or toolbar entry built at run time stands for:
// an action id of the catalog definition or an action string (or a value
// its click handler reads: a catalog type, a report item id, a language
// code), with the name under which later elements place entries below it,
// its condition and its extra text ("IfPossible"). No widgets here: the
// entry classes of the window carry one of these.
#include <string>

struct TTolvexItemCommand {
    int ActionId = 0;
    std::string ActionString;
    std::string Name;
    std::string Condition;
    std::string Extra;
};

// What kind of entry was clicked: a menu item runs its action id, else its
// action string; a toolbar entry or tool button runs the action id it carries.
enum class TClickedEntryKind { MenuItem, ToolbarItem };
