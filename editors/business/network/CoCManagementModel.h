#pragma once
// What the republishing dialog offers, without widgets: whose templates
// the host uses when it publishes every member again: the catalog's own
// ("0") or those of one member catalog (its item id), each member listed
// once (link copies left out) by its name in the catalog's default
// language. The choice goes into the parameter list as "memberid".
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TCoCManagementModel {
public:
    struct TChoice {
        std::string Caption;
        std::string Value;
    };

    explicit TCoCManagementModel(const TSiteModelContext& context);

    // The own templates first, then the members by name.
    std::vector<TChoice> Choices() const;
    // Sets "memberid" in the list.
    static void Store(std::vector<std::string>& params, const std::string& value);

private:
    TSiteModelContext context_;
};
