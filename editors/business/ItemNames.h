#pragma once
// The names of catalog items as an editing session sees them: through the
// session's object collection, so that a name changed and not saved yet
// counts, in every language of the catalog. The price schedules and the
// custom field definitions keep their names unique this way.
#include <set>
#include <string>

class TAbstractObjectCollection;
struct TSiteModelContext;

class TItemNames {
public:
    // "ItemName" of the item's "CommonNames" in the language (the default
    // language's showing through); empty without one.
    static std::string NameOf(TAbstractObjectCollection& objects, int itemId, const std::string& langCode);
    // Writes the name into the session's objects (saved with the item).
    static void SetName(TAbstractObjectCollection& objects, int itemId, const std::string& langCode,
                        const std::string& name);
    // Whether an item of the type other than ExceptId, and not among Leaving
    // (items deleted with the next save), has Name in a language of the
    // catalog. Letters compare without regard to case, as the database does.
    static bool IsTaken(const TSiteModelContext& context, int itemType, const std::string& name, int exceptId,
                        const std::set<int>& leaving = {});
};
