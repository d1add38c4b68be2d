#pragma once
// The descriptor of a plug-in library, and the two functions such a library
// exports.
//
// A plug-in library is a shared object with the extension "tvp". It exports,
// with C linkage and by these names:
//   TAbstractPluginInfo*  GetPluginInfo();
//   TAbstractPluginClass* GetPluginClass(const char* name);
// GetPluginInfo returns a new descriptor (or null); GetPluginClass returns a
// new plug-in object for the requested name (or null). Both results are
// allocated with new and owned by the host, which deletes them through their
// virtual destructors. A library is therefore built against these headers
// with the host's compiler and C++ runtime (one allocator, one ABI), and
// every object it returns must be deleted before the library is unloaded:
// its code, virtual tables included, lives in the library.
#include <cstdint>
#include <string>
#include <vector>

class TAbstractPluginClass;

class TAbstractPluginInfo {
public:
    virtual ~TAbstractPluginInfo() = default;

    // The class list: names joined by "&" (with kind 1, each name followed by
    // "=" and its kind word); a "*" in a name matches every requested name
    // that begins with the text before it.
    virtual std::string GetName() const = 0;
    // The description given to every entry of the library.
    virtual std::string GetDescription() const = 0;
    // 1 (mixed library) or the kind of every class in the list.
    virtual std::uint8_t GetKind() const = 0;
    // Parameter lines, each a name, "=" and a value.
    virtual std::vector<std::string> GetParams() const = 0;
    // The value of the first parameter line whose name equals Name without
    // regard to case; empty when there is none.
    virtual std::string GetParam(const std::string& name) const = 0;
};

// The exports of a plug-in library.
extern "C" {
using TGetPluginInfoFunc = TAbstractPluginInfo* (*)();
using TGetPluginClassFunc = TAbstractPluginClass* (*)(const char* name);
}
inline constexpr const char* GetPluginInfoExport = "GetPluginInfo";
inline constexpr const char* GetPluginClassExport = "GetPluginClass";
