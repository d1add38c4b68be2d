#pragma once
// A member catalog of a catalog network as the stand-in host keeps it: its
// company record (item 2001, class 3: the company name and the logo's item),
// its catalog-type item (604) and its logo picture's object (class 5).
#include "support/HostStandIn.h"

#include <string>

inline void PutMemberCatalogOnHost(THostStandIn& host, const std::string& code, const std::string& companyName,
                                   int catalogType, int logoItemId)
{
    const std::string c = "'" + code + "'";
    host.Exec("INSERT INTO CObjectInstances VALUES (" + c + ", 2001, 3, 0, 1)");
    host.Exec("INSERT INTO CStrings VALUES (" + c + ", 2001, 3, 1, 1, 'XXX', 0, 1, '" + companyName + "')");
    host.Exec("INSERT INTO CNumbers VALUES (" + c + ", 2001, 3, 1, 3, 'XXX', 0, 106, " + std::to_string(logoItemId) +
              ")");
    host.Exec("INSERT INTO CObjectInstances VALUES (" + c + ", 604, 604, 0, 1)");
    host.Exec("INSERT INTO CNumbers VALUES (" + c + ", 604, 604, 1, 1, 'XXX', 0, 101, " + std::to_string(catalogType) +
              ")");
    if (logoItemId != 0) {
        host.Exec("INSERT INTO CObjectInstances VALUES (" + c + ", " + std::to_string(logoItemId) + ", 5, 0, 1)");
        host.Exec("INSERT INTO CNumbers VALUES (" + c + ", " + std::to_string(logoItemId) +
                  ", 5, 1, 1, 'XXX', 0, 101, 120)");
    }
}
