#pragma once
// TTolvexItemFactory: the cached items of one catalog on one connection.
// Every item gets one reference when it is made here; items without
// references are trimmed away when the cache grows past 100 items or has
// not been trimmed for ten minutes.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TAbstractDBConnection;
class TTolvexItem;
class TTolvexObjectContext;

class TTolvexItemFactory {
public:
    TTolvexItemFactory(TTolvexObjectContext& context, std::string catalogCode, TAbstractDBConnection& connection);
    ~TTolvexItemFactory();
    TTolvexItemFactory(const TTolvexItemFactory&) = delete;
    TTolvexItemFactory& operator=(const TTolvexItemFactory&) = delete;

    // The cached item (no reference added), or a new one with one
    // reference; null for ItemId 0.
    TTolvexItem* GetItem(int itemId);
    // Saves every item with changes, in cache order, also after a failure;
    // true when all those saves succeeded.
    bool SaveAll();
    // Writes every item with changes and keeps the changes due (see
    // TTolvexItem::WriteKeepingPending); true when all those writes succeeded.
    bool WriteAll();
    // The unit of a WriteAll was committed (TTolvexItem::ForgetWrittenRemovals).
    void ForgetWrittenRemovals();
    // Drops every item with changes.
    void DiscardChanges();
    // Drops every item without references.
    void Trim();
    // Called by an item whose last reference went: the next trim has work.
    void NoteUnreferencedItem() { unreferencedItems_ = true; }

    const std::string& GetCatalogCode() const { return catalogCode_; }
    TTolvexObjectContext& GetContext() const { return context_; }
    TAbstractDBConnection& GetConnection() const { return connection_; }
    std::size_t Count() const { return items_.size(); }

private:
    template <class TPredicate>
    void RemoveItems(TPredicate remove);

    TTolvexObjectContext& context_;
    std::string catalogCode_;
    TAbstractDBConnection& connection_;
    std::vector<std::unique_ptr<TTolvexItem>> items_;
    std::unordered_map<int, TTolvexItem*> byItemId_;
    double lastTrim_ = 0;
    // Whether an item may have lost its last reference since the last trim;
    // the cache is walked only then, as it usually holds only referenced items.
    bool unreferencedItems_ = false;
};
