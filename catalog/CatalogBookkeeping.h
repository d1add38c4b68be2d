#pragma once
// The open catalog's changes to the Items table outside the object model
// (visibility, the published mark, the modification date, the validation
// flags, a new catalog code), its per-catalog settings (LocalSettings), its
// action log (LocalLog) and its object instance ids.
//
// Every table holds rows of several catalogs and is keyed by CatalogCode.
// No operation commits: the caller's unit of work (if any) decides; the
// operations that run several statements (a new catalog code) are one unit
// of work inside it. The open catalog's data keeps one and passes these
// operations on.
#include <string>
#include <vector>

class TAbstractCatalog;
class TAbstractDBConnection;
class TAbstractDBQuery;
class TCommonGui;

class TCatalogBookkeeping {
public:
    // Catalog: the open catalog (its code and main connection), Gui for the
    // hourglass; neither is owned.
    TCatalogBookkeeping(TAbstractCatalog& catalog, TCommonGui& gui) : catalog_(catalog), gui_(gui) {}

    // ---- item state ---------------------------------------------------------------
    // True unless NotVisible is 1; false for id 0 or a missing row.
    bool IsItemVisible(int itemId, TAbstractDBConnection& connection);
    // Shows or hides the data item ItemId and all its placements, marking
    // them unpublished and modified now. Nothing for id 0.
    void SetItemVisible(int itemId, bool visible, TAbstractDBConnection& connection);
    // On the caller's query: the item's modification date becomes now.
    void TouchItem(TAbstractDBQuery& query, int itemId);
    // The validation flags of the item's last save (4 marks an error), on
    // the item and its placements.
    void SetUserPriority(int itemId, int flags, TAbstractDBConnection& connection);
    // Marks for republishing the item, its placements and the placements of
    // SecondId; with WithSubtree also everything below the item.
    void MarkUnsynchronized(int itemId, int secondId, TAbstractDBConnection& connection, bool withSubtree);
    // Marks everything below the item for republishing.
    void MarkChildrenUnsynchronized(int itemId, TAbstractDBConnection& connection);
    // Gives every row of the listed tables ("name" or "name=key" lines, as
    // the global definition lists the catalog tables) the new code.
    void ChangeCatalogCode(const std::string& newCode, TAbstractDBConnection& connection,
                           const std::vector<std::string>& tables);

    // ---- settings, log and ids ----------------------------------------------------------
    // On the main connection; empty when the key is not set.
    std::string GetLocalSetting(const std::string& key);
    void SetLocalSetting(const std::string& key, const std::string& value);
    // The next object InstanceId of the catalog's sequence "Instance" (plus 1000000).
    int NewInstanceId(const std::string& catalogCode);

    // The same for any catalog on any connection (catalog creation uses
    // them before the catalog is open).
    static std::string ReadLocalSetting(TAbstractDBConnection& connection, const std::string& catalogCode,
                                        const std::string& key);
    static void WriteLocalSetting(TAbstractDBConnection& connection, const std::string& catalogCode,
                                  const std::string& key, const std::string& value);
    // Adds an entry to the action log, dated now.
    static void AddLogEntry(TAbstractDBConnection& connection, const std::string& catalogCode,
                            const std::string& userName, const std::string& description, int logLevel = 0);

private:
    std::string Code() const;
    TAbstractDBConnection& MainConnection();

    TAbstractCatalog& catalog_;
    TCommonGui& gui_;
};
