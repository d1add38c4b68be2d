#pragma once
// The InstanceIds of an item's objects: those stored in CObjectInstances
// and those handed out but not yet stored.
//
// Two routes number the objects of an item: the object factory writes the
// instance row of a new object at once, while the item cache numbers a new
// object in memory and writes its row when the object is first saved (and
// deletes a removed object's rows only at the next save). Every route that
// picks a new id looks at the pending ids as well as at the database, so
// that no id is handed out twice for one item. Catalog codes are compared
// without regard to letter case, as the tables do.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

class TAbstractDBConnection;

class TTolvexObjectInstanceIds {
public:
    void Reserve(const std::string& catalogCode, int itemId, int instanceId);
    // Gives back one reservation of the id (a no-op when there is none).
    void Release(const std::string& catalogCode, int itemId, int instanceId);
    bool IsReserved(const std::string& catalogCode, int itemId, int instanceId) const;
    // The highest reserved id of the item; 0 when none is reserved.
    int Highest(const std::string& catalogCode, int itemId) const;

    // The highest InstanceId stored for the item; 0 when it has none.
    static int HighestStored(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId);
    // Whether the item has a CObjectInstances row with that InstanceId.
    static bool IsStored(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                         int instanceId);
    // One above the highest id stored, pending or Known for the item.
    int NextAfterHighest(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                         int known = 0) const;
    // The first id made by Draw (a sequence number turned into an id) that
    // the item neither stores nor holds pending; raises
    // ECriticalTolvexException after many taken ones.
    int DrawFree(const std::function<int()>& draw, TAbstractDBConnection& connection,
                 const std::string& catalogCode, int itemId) const;

private:
    using TKey = std::pair<std::string, int>;
    static TKey Key(const std::string& catalogCode, int itemId);

    std::map<TKey, std::multiset<int>> reserved_;
};
