#pragma once
// TFrameUsersEditorModel: what the "Users" tab of the catalog options
// decides, without widgets. It lists the catalog's login users (items of
// type 602 under item 7, each with a "Users" object), and adds, changes,
// sets the password of and removes users in memory. Store puts the changed
// users' values into their objects and writes the added and removed users'
// items through TSiteDatabaseWrites under one key, so that the options
// item's save writes them and its cancel (dropping the model) leaves the
// catalog as it was. Store runs again before the save (a preview, a language
// switch): the added and removed users stay pending until Saved. A model
// writing straight on the connection (used alone) writes them at each Store,
// so its caller calls Saved after every Store it commits.
//
// Passwords are kept and written only in the scrambled form the login
// unscrambles; no operation hands a password back in clear text. The last
// administrator can be neither removed nor given another role.
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <utility>
#include <vector>

class TFrameUsersEditorModel {
public:
    // One user as the list shows it.
    struct TUserRow {
        int ItemId = 0;  // 0 for a user added since the load
        std::string Name;
        std::string Description;
        std::string Role;  // the stored role word ("Admin", "Power", ...)
    };

    // The roles offered: caption and stored value, in order.
    static const std::vector<std::pair<std::string, std::string>>& Roles();
    // The shortest password Set Password accepts.
    static constexpr int kMinPasswordLength = 5;

    explicit TFrameUsersEditorModel(const TSiteModelContext& context)
        : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
    {
    }
    // Where the users' items are written (straight on the connection by default).
    void UseWrites(const TSiteDatabaseWrites& writes) { writes_ = writes; }

    // Reads the users (those with a non-empty name), sorted by name; drops
    // every unsaved change.
    void Load();
    std::vector<TUserRow> Rows() const;
    int RowCount() const { return static_cast<int>(entries_.size()); }
    // Remove needs more than one row.
    bool CanRemove(int row) const { return IsRow(row) && entries_.size() > 1; }

    // Each operation answers the error to show, empty on success.
    // Adds a user; the error lists every refused field, one per line. Row
    // receives the new row's index (the list stays sorted).
    std::string AddUser(const std::string& name, const std::string& description, const std::string& role,
                        const std::string& password, const std::string& passwordCheck, int* row = nullptr);
    std::string Update(int row, const std::string& description, const std::string& role);
    std::string SetPassword(int row, const std::string& password);
    std::string Remove(int row);

    bool IsModified() const { return modified_; }
    // The error of a save that could not delete a removed user (something
    // came to refer to it); empty when the save may go on.
    std::string CheckRemovals() const;
    // Writes the changes: changed users into their objects, the new user
    // items and the deleted ones through the writes (in place of what an
    // earlier Store deferred). A delete the catalog refuses inside the save
    // fails it with ETolvexException.
    void Store();
    // The save was committed: reads the users again (the new ones with their ids).
    void Saved() { Load(); }

private:
    struct TEntry {
        TUserRow Row;
        std::string StoredPassword;  // scrambled (or as another part stored it)
        bool Changed = false;
    };

    bool IsRow(int row) const { return row >= 0 && row < static_cast<int>(entries_.size()); }
    int AdministratorCount() const;
    bool IsReferenced(int itemId) const;
    void Sort();
    std::string Message(const std::string& text, const std::string& arg = std::string()) const;

    TSiteModelContext context_;
    TSiteDatabaseWrites writes_;
    std::vector<TEntry> entries_;
    std::vector<std::pair<int, std::string>> removed_;  // item id, name
    bool modified_ = false;
};
