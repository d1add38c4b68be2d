#pragma once
// The help system as the root object owns it: the shell implements it over
// the help pages of the program's Help folder.
#include <string>
#include <vector>

class TTolvexHelpSystem {
public:
    virtual ~TTolvexHelpSystem() = default;

    // Called once, right after the root object created it.
    virtual void Initialize() = 0;
    // Shows the topic of the first alias that has one (general aliases
    // follow the specific ones); the default topic when none has.
    virtual void ShowHelpForAliases(const std::vector<std::string>& aliases) = 0;
};
