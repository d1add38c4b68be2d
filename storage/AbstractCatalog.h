#pragma once
// A catalog bound to its database: its code and type, the connection
// factory of its database (main connection and sequences), its data
// languages, its properties and default templates, the deletion of its
// items and the upgrade of its style data. The open catalog is one (the
// object model sees a catalog as open exactly while one is handed to it);
// the style loader binds further ones to catalogs it opens by file.
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractDBConnectionFactory;

// What deleting an item does with the items below it (children of the item
// or of any of its link copies).
enum class TDeleteChildren {
    Refuse,   // an item with children is not deleted
    Cascade,  // the whole subtree is deleted with the item
};

class TAbstractCatalog {
public:
    virtual ~TAbstractCatalog() = default;

    // Clears the language list and closes the database.
    virtual void Close() = 0;
    // The factory whose main connection is the catalog's main connection.
    virtual TAbstractDBConnectionFactory& GetConnectionFactory() = 0;
    // The catalog code, lower case.
    virtual std::string GetCatalogCode() const = 0;
    virtual int GetCatalogType() const = 0;

    // Brings the catalog's style data up to the definition version of its
    // catalog type, from the type's definition catalog on Source.
    virtual void UpgradeStyles(TAbstractDBConnection& target, TAbstractDBConnection& source) = 0;
    // Copies the items that the predefined style ItemId of the definition
    // catalog includes; false when it includes none.
    virtual bool ApplyIncludedStyles(int itemId, TAbstractDBConnection& target, TAbstractDBConnection& source,
                                     const std::string& params) = 0;

    // Catalog property PropertyId; empty when it is not set.
    virtual std::string GetCatalogProperty(int propertyId, TAbstractDBConnection& connection) = 0;
    virtual void SetCatalogProperty(int propertyId, const std::string& value, TAbstractDBConnection& connection) = 0;

    // The default template of a template folder; 0 when it has none.
    virtual int GetDefaultTemplateId(int folderItemId, TAbstractDBConnection& connection) = 0;
    // Every folder's default template (decimal), List cleared first.
    virtual void ListDefaultTemplateIds(std::vector<std::string>& list, TAbstractDBConnection& connection) = 0;
    // Makes the template the default of its folder.
    virtual void MakeDefaultTemplate(int templateItemId, TAbstractDBConnection& connection) = 0;

    // Deletes the item with its link copies and values (see TCatalog::DeleteItem).
    virtual bool DeleteItem(int itemId, TAbstractDBConnection& connection, bool checkReferences,
                            bool writeTombstones, TDeleteChildren children) = 0;

    // Reads the data languages from the catalog.
    virtual void LoadLanguages(TAbstractDBConnection& connection) = 0;
    // The default data language (upper case).
    virtual std::string GetDefaultLangCode() const = 0;
    // The data languages (upper case), in the catalog's order.
    virtual const std::vector<std::string>& GetLanguages() const = 0;
    // More than one data language.
    virtual bool IsMultilingual() const = 0;
    // True for exactly "XXX" and for every data language (compared without
    // regard to letter case).
    virtual bool HasLanguage(const std::string& langCode) const = 0;
    // The current editing language (trimmed, upper case); the default
    // language of a catalog that nobody edits.
    virtual std::string GetCurrentLangCode() const = 0;
};
