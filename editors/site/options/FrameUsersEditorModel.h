#pragma once
// TFrameUsersEditorModel: what the "Users" tab of the catalog options
// decides, without widgets. It lists the catalog's login users (items of
// type 602 under item 7, each with a "Users" object), and adds, changes,
// sets the password of and removes users in memory; Store writes all of it
// on the editing connection, so that the options item's save keeps it and
// its cancel (dropping the model) leaves the catalog as it was.
//
// Passwords are kept and written only in the scrambled form the login
// unscrambles; no operation hands a password back in clear text. The last
// administrator can be neither removed nor given another role.
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

    explicit TFrameUsersEditorModel(const TSiteModelContext& context) : context_(context) {}

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
    // Writes the changes on the editing connection: new user items, changed
    // objects, deleted user items. Empty on success, else the error (a user
    // the catalog refused to delete).
    std::string Store();

private:
    struct TEntry {
        TUserRow Row;
        std::string StoredPassword;  // scrambled (or as another part stored it)
        bool Changed = false;
    };

    bool IsRow(int row) const { return row >= 0 && row < static_cast<int>(entries_.size()); }
    int AdministratorCount() const;
    void Sort();
    std::string Message(const std::string& text, const std::string& arg = std::string()) const;

    TSiteModelContext context_;
    std::vector<TEntry> entries_;
    std::vector<std::pair<int, std::string>> removed_;  // item id, name
    bool modified_ = false;
};
