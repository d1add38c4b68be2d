#pragma once
// How a site model reads and writes what lives outside the item's object
// collection: catalog properties and rows of the Items table.
//
// A model's Store runs not only in the save but also before a preview and
// on a language switch, and a write there would take the catalog's write
// lock while the user works. A frame therefore hands its model the editing
// context's deferred writes: a property set is read back at once, and every
// write is applied inside the next save's unit (dropped by cancel). Without
// them (a model used alone) the writes go straight to the editing connection,
// whose unit the caller commits or rolls back.
//
// A model whose Store runs again before the save (every preview stores the
// controls) writes under a key: the write replaces the one deferred before
// under that key, so the save applies what was stored last, once. Straight
// on the connection a keyed write runs at once like any other.
#include <functional>
#include <string>

class TAbstractDBConnection;
class TTolvexControlClass;
struct TSiteModelContext;

class TSiteDatabaseWrites {
public:
    using TWrite = std::function<void(TAbstractDBConnection&)>;

    // Straight on the model's editing connection.
    static TSiteDatabaseWrites Direct(const TSiteModelContext& context);
    // Through the editing context, written with its save.
    static TSiteDatabaseWrites Deferred(TTolvexControlClass& context);

    std::string GetCatalogOption(int propertyId) const { return get_(propertyId); }
    void SetCatalogOption(int propertyId, const std::string& value) const { set_(propertyId, value); }
    void Write(TWrite write) const { write_(std::string(), std::move(write)); }
    void Write(const std::string& key, TWrite write) const { write_(key, std::move(write)); }

private:
    std::function<std::string(int)> get_;
    std::function<void(int, const std::string&)> set_;
    std::function<void(const std::string&, TWrite)> write_;
};
