#pragma once
// Where a window sends its help requests: the help aliases it names, the
// most specific first. The program's help system answers them; tests record
// them.
#include <string>
#include <vector>

class THelpRequests {
public:
    virtual ~THelpRequests() = default;
    virtual void ShowHelpForAliases(const std::vector<std::string>& aliases) = 0;
    void ShowHelpForAlias(const std::string& alias) { ShowHelpForAliases({alias}); }
};
