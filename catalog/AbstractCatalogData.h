#pragma once
// The open catalog as the catalog object drives it: the catalog bound to its
// database, its opening with login and checks, its start action and the
// user interface built for it. The catalog object creates one through its
// host for every opening; a catalog is open exactly while one exists.
#include <cstdint>
#include <string>

class TAbstractDBConnection;
class TTolvexCatalog;

class TAbstractCatalogData {
public:
    virtual ~TAbstractCatalogData() = default;

    // The open catalog itself (its code, type, connection and languages).
    virtual TTolvexCatalog& GetCatalog() = 0;
    // Connects to the database, checks its structure and the user, reads the
    // catalog information and loads the type's definition and the
    // languages. Error stays empty on success; otherwise it holds the
    // message, or "reopen" when the catalog must be opened again.
    virtual void Open(const std::string& dbPath, const std::string& dbType, const std::string& dbParams,
                      const std::string& catalogCode, const std::string& userName, const std::string& password,
                      std::uint8_t flags, std::string& error) = 0;
    // The start action of the loaded definition; 0 when it has none.
    virtual int GetStartActionId() = 0;
    // Puts the open catalog into the main window: item editor, web tree and
    // templates tree.
    virtual void BuildUI() = 0;
    // Selects the item in the web tree, which opens it in the editor.
    virtual void SelectWebTreeItem(int itemId) = 0;
    // The item's name in a data language.
    virtual std::string GetItemName(int itemId, TAbstractDBConnection& connection, const std::string& langCode) = 0;
};
