#pragma once
// The open catalog as the object model sees it: its code, the connection
// factory of its database (main connection and sequences) and its data
// languages. The catalog object implements it; a catalog is open exactly
// while an object of this interface is handed to the object model.
#include <string>
#include <vector>

class TAbstractDBConnectionFactory;

class TAbstractCatalog {
public:
    virtual ~TAbstractCatalog() = default;

    // The factory whose main connection is the catalog's main connection.
    virtual TAbstractDBConnectionFactory& GetConnectionFactory() = 0;
    // The catalog code, lower case.
    virtual std::string GetCatalogCode() const = 0;
    // The default data language (upper case).
    virtual std::string GetDefaultLangCode() const = 0;
    // The data languages (upper case), in the catalog's order.
    virtual const std::vector<std::string>& GetLanguages() const = 0;
    // True for exactly "XXX" and for every data language (compared without
    // regard to letter case).
    virtual bool HasLanguage(const std::string& langCode) const = 0;
    // The current editing language of the open catalog (trimmed, upper case).
    virtual std::string GetCurrentLangCode() const = 0;
};
