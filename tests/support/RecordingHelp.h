#pragma once
// A help target that records the aliases of each request, in order.
#include "gui/HelpRequests.h"

#include <string>
#include <vector>

class TRecordingHelp : public THelpRequests {
public:
    void ShowHelpForAliases(const std::vector<std::string>& aliases) override { Requests.push_back(aliases); }
    // The aliases of the last request; empty when none came.
    std::vector<std::string> Last() const { return Requests.empty() ? std::vector<std::string>() : Requests.back(); }

    std::vector<std::vector<std::string>> Requests;
};
