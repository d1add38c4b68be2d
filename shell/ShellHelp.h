#pragma once
// The help requests of the shell's windows, answered by the program's help
// system once the root object has created it; until then they do nothing.
#include "catalog/TolvexHelpSystem.h"
#include "gui/HelpRequests.h"

class TShellHelp : public THelpRequests {
public:
    // Null: requests are dropped again (the help system is gone).
    void SetHelpSystem(TTolvexHelpSystem* help) { help_ = help; }
    void ShowHelpForAliases(const std::vector<std::string>& aliases) override
    {
        if (help_)
            help_->ShowHelpForAliases(aliases);
    }

private:
    TTolvexHelpSystem* help_ = nullptr;
};
