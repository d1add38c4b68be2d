#pragma once
// Rows of an object of another catalog that lives only on the hosting
// service (catalog code, item id, class id), fetched from the table-data
// address and stored in the local database under that catalog's cached
// code ("c#" + code), then the editor pane is reloaded. An import that
// closes its runner window by itself when it succeeds.
//
// The answer may hold only the value tables and object instances, and only
// rows of the catalog asked for: rows of the open catalog's own code, or of
// any other, are refused and nothing is stored.
//
// Parameters: "catalogcode", "itemid", "classid", then the remapping lines
// of the record-set reader ("fromcatalog", "tocatalog", ...); "fromcatalog"
// is the catalog code when the caller gives none.
//
// The stored object's item gets an Items row of its own under the cached
// code when it has none (the host sends only the object's rows), so that
// the object factory finds the object there.
#include "publishing/TolvexImport.h"

#include <functional>

class TCacheDataFromHost : public TTolvexImport {
public:
    TCacheDataFromHost(std::vector<std::string>& params, TAbstractDBConnection& connection,
                       const TPublisherEnvironment& environment);

    void Execute() override;
    bool AutoClose() const override { return true; }

    // Queues an action string (the editor pane's reload); the action processor's by default.
    std::function<void(const std::string& action)> QueueAction;
    // The time limit of the request in seconds.
    void SetRequestTimeout(long seconds);
    // Commits the connection's unit of work once the rows are stored: for a
    // run on a connection of its own, so that the fetched rows are kept
    // whatever happens to the item being edited.
    bool CommitWhenStored = false;
};
