// The open catalog's item operations: each is passed on unchanged to the
// class that the open catalog's data owns for it.
#include "catalog/CatalogData.h"

// ---- queries -----------------------------------------------------------------------------------

int TCatalogData::GetItemType(int itemId, const std::string& catalogCode, TAbstractDBConnection& connection)
{
    return queries_.GetItemType(itemId, catalogCode, connection);
}

int TCatalogData::FindItemByName(const std::string& name, const std::string& catalogCode,
                                 TAbstractDBConnection& connection)
{
    return queries_.FindItemByName(name, catalogCode, connection);
}

int TCatalogData::FindChildByName(const std::string& name, const std::string& catalogCode,
                                  TAbstractDBConnection& connection, int parentId)
{
    return queries_.FindChildByName(name, catalogCode, connection, parentId);
}

int TCatalogData::FindUserItem(const std::string& userName, TAbstractDBConnection& connection)
{
    return queries_.FindUserItem(userName, connection);
}

int TCatalogData::FindInstanceByValue(int itemId, int classId, int memberId, TAbstractDBConnection& connection,
                                      const std::string& langCode, const std::string& value)
{
    return queries_.FindInstanceByValue(itemId, classId, memberId, connection, langCode, value);
}

int TCatalogData::FindChildOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                                  const std::string& catalogCode)
{
    return queries_.FindChildOfType(parentId, itemType, connection, catalogCode);
}

std::string TCatalogData::ReadStringMember(int itemId, int classId, int memberId, const std::string& langCode,
                                           TAbstractDBConnection& connection)
{
    return queries_.ReadStringMember(itemId, classId, memberId, langCode, connection);
}

std::string TCatalogData::ReadStringMemberOfCatalog(int itemId, int classId, int memberId,
                                                    const std::string& langCode, TAbstractDBConnection& connection,
                                                    const std::string& catalogCode)
{
    return queries_.ReadStringMemberOfCatalog(itemId, classId, memberId, langCode, connection, catalogCode);
}

void TCatalogData::ReadStringMemberList(std::vector<std::string>& list, int itemId, int classId, int memberId,
                                        const std::string& catalogCode, const std::string& langCode,
                                        TAbstractDBConnection& connection)
{
    queries_.ReadStringMemberList(list, itemId, classId, memberId, catalogCode, langCode, connection);
}

void TCatalogData::GetChildIdsOfType(int parentId, int itemType, TAbstractDBConnection& connection,
                                     std::vector<std::string>& list)
{
    queries_.GetChildIdsOfType(parentId, itemType, connection, list);
}

void TCatalogData::GetChildIds(int parentId, std::vector<std::string>& list, TAbstractDBConnection& connection)
{
    queries_.GetChildIds(parentId, list, connection);
}

void TCatalogData::GetItemIdsOfType(int itemType, std::vector<std::string>& list, bool dataItemsOnly,
                                    TAbstractDBConnection& connection, const std::string& catalogCode)
{
    queries_.GetItemIdsOfType(itemType, list, dataItemsOnly, connection, catalogCode);
}

void TCatalogData::ListInstanceIds(int itemId, int classId, TAbstractDBConnection& connection,
                                   const std::string& catalogCode, std::vector<std::string>& list)
{
    queries_.ListInstanceIds(itemId, classId, connection, catalogCode, list);
}

void TCatalogData::GetItemNames(const std::vector<int>& ids, std::vector<std::string>& names,
                                TAbstractDBConnection& connection, const std::string& langCode)
{
    queries_.GetItemNames(ids, names, connection, langCode);
}

void TCatalogData::GetItemNamesInLanguage(const std::vector<int>& ids, std::vector<std::string>& names,
                                          TAbstractDBConnection& connection, const std::string& langCode,
                                          const std::string& catalogCode)
{
    queries_.GetItemNamesInLanguage(ids, names, connection, langCode, catalogCode);
}

void TCatalogData::ListSubtree(int parentId, std::vector<std::string>& list, int depth,
                               TAbstractDBConnection& connection)
{
    queries_.ListSubtree(parentId, list, depth, connection);
}

void TCatalogData::ListChildren(int parentId, std::vector<std::string>& list, int itemType,
                                TAbstractDBConnection& connection, const std::string& langCode,
                                const std::string& catalogCode)
{
    queries_.ListChildren(parentId, list, itemType, connection, langCode, catalogCode);
}

void TCatalogData::ListVisibleChildren(int parentId, std::vector<std::string>& list, int itemType,
                                       const std::string& langCode, TAbstractDBConnection& connection)
{
    queries_.ListVisibleChildren(parentId, list, itemType, langCode, connection);
}

int TCatalogData::GetSiblingId(int itemId, const std::string& catalogCode, bool forward,
                               TAbstractDBConnection& connection, bool sameTypeOnly)
{
    return queries_.GetSiblingId(itemId, catalogCode, forward, connection, sameTypeOnly);
}

std::vector<int> TCatalogData::GetParentChain(int itemId, TAbstractDBConnection& connection)
{
    return queries_.GetParentChain(itemId, connection);
}

bool TCatalogData::MemberValueExistsIn(int itemType, int parentId, TAbstractDBConnection& connection, int itemId,
                                       const std::string& value, const std::string& memberName,
                                       const std::string& classTag)
{
    return queries_.MemberValueExistsIn(itemType, parentId, connection, itemId, value, memberName, classTag);
}

bool TCatalogData::MemberValueExists(TAbstractDBConnection& connection, int itemId, const std::string& value,
                                     const std::string& memberName, const std::string& classTag)
{
    return queries_.MemberValueExists(connection, itemId, value, memberName, classTag);
}

// ---- item state and bookkeeping --------------------------------------------------------------------

bool TCatalogData::IsItemVisible(int itemId, TAbstractDBConnection& connection)
{
    return bookkeeping_.IsItemVisible(itemId, connection);
}

void TCatalogData::SetItemVisible(int itemId, bool visible, TAbstractDBConnection& connection)
{
    bookkeeping_.SetItemVisible(itemId, visible, connection);
}

void TCatalogData::TouchItem(TAbstractDBQuery& query, int itemId)
{
    bookkeeping_.TouchItem(query, itemId);
}

void TCatalogData::SetUserPriority(int itemId, int flags, TAbstractDBConnection& connection)
{
    bookkeeping_.SetUserPriority(itemId, flags, connection);
}

void TCatalogData::MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection, bool withSubtree)
{
    bookkeeping_.MarkUnsynchronized(itemId, secondId, connection, withSubtree);
}

void TCatalogData::MarkChildrenUnsynchronized(int itemId, TAbstractDBConnection& connection)
{
    bookkeeping_.MarkChildrenUnsynchronized(itemId, connection);
}

void TCatalogData::ChangeCatalogCode(const std::string& newCode, TAbstractDBConnection& connection,
                                     const std::vector<std::string>& tables)
{
    bookkeeping_.ChangeCatalogCode(newCode, connection, tables);
}

std::string TCatalogData::GetLocalSetting(const std::string& key)
{
    return bookkeeping_.GetLocalSetting(key);
}

void TCatalogData::SetLocalSetting(const std::string& key, const std::string& value)
{
    bookkeeping_.SetLocalSetting(key, value);
}

int TCatalogData::NewInstanceId(const std::string& catalogCode)
{
    return bookkeeping_.NewInstanceId(catalogCode);
}

// ---- renumbering and copying -------------------------------------------------------------------------

void TCatalogData::RenumberNewItems(int startId, TAbstractDBConnection& connection,
                                    const TItemRenumbering::TProgress& progress, const bool& cancel)
{
    renumbering_.RenumberNewItems(startId, connection, progress, cancel);
}

int TCatalogData::CopyItem(int sourceId, int wantedId, TAbstractDBConnection& connection)
{
    return copier_.CopyItem(sourceId, wantedId, connection);
}

// ---- folder, name and image items ----------------------------------------------------------------------

int TCatalogData::FindOrCreateFolder(int parentId, const std::string& name, bool create,
                                     TAbstractDBConnection& connection, const std::string& langCode)
{
    return folders_.FindOrCreateFolder(parentId, name, create, connection, langCode);
}

std::string TCatalogData::SetItemName(int itemId, const TCatalogFolders::TNewItemCaption& newItemCaption,
                                      const std::string& text, TAbstractDBConnection& connection,
                                      TAbstractObjectCollection* collection)
{
    return folders_.SetItemName(itemId, newItemCaption, text, connection, collection);
}

std::string TCatalogData::MakeUniqueItemName(const std::string& baseName, TAbstractDBConnection& connection)
{
    return folders_.MakeUniqueItemName(baseName, connection);
}

int TCatalogData::ImportImageFromFile(const std::string& folder, const std::string& fileName,
                                      const std::string& subfolder, TAbstractDBConnection& connection)
{
    return folders_.ImportImageFromFile(folder, fileName, subfolder, connection);
}

int TCatalogData::ImportImageFromUrl(const std::string& url, const TCatalogFolders::THttpGet& httpGet,
                                     const std::string& subfolder, TAbstractDBConnection& connection)
{
    return folders_.ImportImageFromUrl(url, httpGet, subfolder, connection);
}

std::string TCatalogData::GetImageFileUrl(int itemId, TAbstractDBConnection& connection)
{
    return folders_.GetImageFileUrl(itemId, connection);
}
