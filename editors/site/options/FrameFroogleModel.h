#pragma once
// TFrameFroogleModel: the product feed's tab of the catalog options without
// widgets: the feed service's FTP site, user name and password, kept in the
// settings item 1511 (TFroogleSettings).
//
// The settings item may not exist yet: Store hands the whole write (the
// item, when missing, then its settings object) to TSiteDatabaseWrites, so
// that with a frame it happens inside the save's unit and a cancel drops it.
// What was stored and not saved yet is shown again by Load until Forget
// (the item's save or cancel), as the database does not have it yet.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <optional>
#include <string>

class TFrameFroogleModel {
public:
    struct TValues {
        std::string FTPSite;
        std::string UserName;
        std::string Password;
        bool operator==(const TValues&) const = default;
    };

    explicit TFrameFroogleModel(const TSiteModelContext& context);
    // Where the settings are written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    // The values stored in this opening, else the catalog's (the service's
    // default FTP site when none is set).
    void Load();
    const TValues& Values() const { return values_; }
    void SetValues(const TValues& values);
    bool IsModified() const { return modified_; }
    // Only when modified: the settings item created when missing, then the
    // three values written.
    void Store();
    // The stored values were saved or dropped: Load reads the catalog again.
    void Forget() { stored_.reset(); }

private:
    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    TValues values_;
    std::optional<TValues> stored_;
    bool modified_ = false;
};
