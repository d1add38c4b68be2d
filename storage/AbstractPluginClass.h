#pragma once
// The abstract base of every plug-in class: database modules (connection
// factories), item editors and item managers. A plug-in is created by name,
// either from the built-in registry or from a plug-in library.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Plug-in kinds.
enum TPluginKind : std::uint8_t {
    pkNone = 0,
    pkMixed = 1,        // a library whose class list names each class's own kind
    pkDatabase = 2,     // database module (connection factory)
    pkItemEditor = 3,   // item editor (UI editor)
    pkItemManager = 4,  // item manager
};

// The kind that a kind word of a mixed library's class list stands for:
// "Database", "ItemEditor", "ItemManager"; any other word is pkNone.
inline TPluginKind PluginKindFromWord(const std::string& word)
{
    if (word == "Database")
        return pkDatabase;
    if (word == "ItemEditor")
        return pkItemEditor;
    if (word == "ItemManager")
        return pkItemManager;
    return pkNone;
}

class TAbstractPluginClass {
public:
    virtual ~TAbstractPluginClass() = default;

    // The kind of this instance.
    virtual std::uint8_t GetKind() const = 0;
    // The name under which the instance was requested.
    virtual std::string GetName() const = 0;
    // The parameter string (name=value pairs joined by "&") of the request.
    virtual std::string GetParams() const = 0;
};

// Creates a new instance of a built-in plug-in class for the requested name
// and parameter string (the plug-in's virtual constructor); null when it
// cannot. The caller owns the result.
using TPluginCreator = std::function<std::unique_ptr<TAbstractPluginClass>(
    const std::string& name, const std::string& params)>;
