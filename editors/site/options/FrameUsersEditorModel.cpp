#include "editors/site/options/FrameUsersEditorModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"
#include "storage/TolvexObject.h"

#include <algorithm>

using common_detail::LowerCase;
using common_detail::Trim;

namespace {

constexpr int kUserItemType = 602;
constexpr int kUsersParentItemId = 7;
constexpr const char* kUsersClass = "Users";
constexpr const char* kAdministratorRole = "Admin";

bool IsAdministrator(const std::string& role) { return LowerCase(role) == "admin"; }

}  // namespace

const std::vector<std::pair<std::string, std::string>>& TFrameUsersEditorModel::Roles()
{
    static const std::vector<std::pair<std::string, std::string>> roles{
        {"Administrator", "Admin"}, {"Power User", "Power"}, {"Publisher", "Publisher"},
        {"User", "User"},           {"Clerk", "Clerk"},       {"Guest", "Guest"}};
    return roles;
}

std::string TFrameUsersEditorModel::Message(const std::string& text, const std::string& arg) const
{
    return TTranslation::OrEnglish(Translation).Format(text, {arg});
}

void TFrameUsersEditorModel::Load()
{
    entries_.clear();
    removed_.clear();
    modified_ = false;
    std::vector<int> ids;
    {
        TQueryGuard query(context_.Connection);
        query->SetSQL("SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemType = " +
                      std::to_string(kUserItemType) + " ORDER BY ItemId");
        query->SetParam("CatalogCode", context_.CatalogCode);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            ids.push_back(FieldInteger(rows, "ItemId"));
        query->Close();
    }
    for (const int id : ids) {
        TAbstractCObject* user = context_.Objects.GetObject(id, kUsersClass);
        if (!user || user->GetString("UserName", 0).empty())
            continue;
        TEntry entry;
        entry.Row = {id, user->GetString("UserName", 0), user->GetString("Description", 0),
                     user->GetString("Role", 0)};
        entry.StoredPassword = user->GetString("Passwd", 0);
        entries_.push_back(std::move(entry));
    }
    Sort();
}

std::vector<TFrameUsersEditorModel::TUserRow> TFrameUsersEditorModel::Rows() const
{
    std::vector<TUserRow> rows;
    for (const TEntry& entry : entries_)
        rows.push_back(entry.Row);
    return rows;
}

void TFrameUsersEditorModel::Sort()
{
    std::stable_sort(entries_.begin(), entries_.end(), [](const TEntry& a, const TEntry& b) {
        return LowerCase(a.Row.Name) < LowerCase(b.Row.Name);
    });
}

int TFrameUsersEditorModel::AdministratorCount() const
{
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const TEntry& entry) { return IsAdministrator(entry.Row.Role); }));
}

std::string TFrameUsersEditorModel::AddUser(const std::string& name, const std::string& description,
                                            const std::string& role, const std::string& password,
                                            const std::string& passwordCheck, int* row)
{
    std::string error;
    if (Trim(name).empty())
        error = Message("Enter user name");
    if (password != passwordCheck)
        error += (error.empty() ? "" : "\n") + Message("Passwords don\\`t match");
    if (!error.empty())
        return error;
    TEntry entry;
    entry.Row = {0, Trim(name), description, role};
    entry.StoredPassword = TCommonFunctions().ScramblePassword(password);
    entry.Changed = true;
    entries_.push_back(entry);
    Sort();
    if (row)
        for (int i = 0; i < RowCount(); ++i)
            if (entries_[i].Row.ItemId == 0 && entries_[i].Row.Name == entry.Row.Name)
                *row = i;
    modified_ = true;
    return std::string();
}

std::string TFrameUsersEditorModel::Update(int row, const std::string& description, const std::string& role)
{
    if (!IsRow(row))
        return std::string();
    TUserRow& user = entries_[row].Row;
    if (IsAdministrator(user.Role) && !IsAdministrator(role) && AdministratorCount() < 2)
        return Message("Cannot change role for the administrator user");
    if (user.Description == description && user.Role == role)
        return std::string();
    user.Description = description;
    user.Role = role;
    entries_[row].Changed = true;
    modified_ = true;
    return std::string();
}

std::string TFrameUsersEditorModel::SetPassword(int row, const std::string& password)
{
    if (!IsRow(row))
        return std::string();
    if (static_cast<int>(password.size()) < kMinPasswordLength)
        return Message("Password must be at least $1 chars", std::to_string(kMinPasswordLength));
    entries_[row].StoredPassword = TCommonFunctions().ScramblePassword(password);
    entries_[row].Changed = true;
    modified_ = true;
    return std::string();
}

bool TFrameUsersEditorModel::IsReferenced(int itemId) const
{
    // Children or number members naming the user.
    return context_.Catalog.GetItemReferences(itemId, 1 | 4, context_.CatalogCode, context_.Connection) & 5;
}

std::string TFrameUsersEditorModel::Remove(int row)
{
    if (!CanRemove(row))
        return std::string();
    const TUserRow& user = entries_[row].Row;
    if (IsAdministrator(user.Role) && AdministratorCount() < 2)
        return Message("Cannot remove the administrator user");
    // A user something refers to could not be deleted by the save: refuse
    // now, while the user can still see why.
    if (user.ItemId != 0 && IsReferenced(user.ItemId))
        return Message("Cannot delete user \"$1\"", user.Name);
    if (user.ItemId != 0)
        removed_.emplace_back(user.ItemId, user.Name);
    entries_.erase(entries_.begin() + row);
    modified_ = true;
    return std::string();
}

std::string TFrameUsersEditorModel::CheckRemovals() const
{
    for (const auto& [itemId, name] : removed_)
        if (IsReferenced(itemId))
            return Message("Cannot delete user \"$1\"", name);
    return std::string();
}

void TFrameUsersEditorModel::Store()
{
    if (!modified_)
        return;
    // Users read from the catalog change in their objects, which the save writes.
    struct TNewUser {
        std::string Name, Description, Role, Password;
    };
    std::vector<TNewUser> added;
    for (TEntry& entry : entries_) {
        if (!entry.Changed)
            continue;
        if (entry.Row.ItemId == 0) {
            added.push_back({entry.Row.Name, entry.Row.Description, entry.Row.Role, entry.StoredPassword});
            continue;
        }
        if (TAbstractCObject* user = context_.Objects.GetObject(entry.Row.ItemId, kUsersClass)) {
            user->SetString("Description", entry.Row.Description, 0);
            user->SetString("Role", entry.Row.Role, 0);
            user->SetString("Passwd", entry.StoredPassword, 0);
        }
        entry.Changed = false;
    }
    // New and removed users are items: made and deleted only inside the save.
    // The write replaces the one an earlier Store deferred, and its state
    // stays here until Saved, so a preview's rollback or a refused save
    // loses none of it.
    TCatalog* catalog = &context_.Catalog;
    const std::string code = context_.CatalogCode;
    std::vector<std::pair<int, std::string>> removed;  // item id, the error should the delete be refused
    for (const auto& [itemId, name] : removed_)
        removed.emplace_back(itemId, Message("Cannot delete user \"$1\"", name));
    writes_.Write("Users", [catalog, code, removed, added](TAbstractDBConnection& connection) {
        for (const auto& [itemId, refused] : removed)
            if (!catalog->DeleteItem(itemId, code, connection, true, true, TDeleteChildren::Refuse))
                throw ETolvexException(refused);
        for (const TNewUser& user : added) {
            const int itemId = catalog->CreateItem(kUserItemType, kUsersParentItemId, 0, code, connection, 0);
            std::unique_ptr<TTolvexObject> object =
                catalog->GetObjectFactory().CreateObjectTyped(itemId, kUserClassId, 0, connection, code);
            object->SetString("UserName", user.Name, 0);
            object->SetString("Description", user.Description, 0);
            object->SetString("Role", user.Role, 0);
            object->SetString("Passwd", user.Password, 0);
            object->Save();
        }
    });
    modified_ = false;
}
