#pragma once
// A UI editor (plug-in kind 3): one editor of an item type, shown by the
// item editor's tabbed container. It is created by name, with the parameter
// string of the request, by the UI-module manager from a plug-in library or
// from the built-in registry; the caller owns it.
#include "storage/AbstractPluginClass.h"

class TAbstractUIEditor : public TAbstractPluginClass {
public:
    std::uint8_t GetKind() const override { return pkItemEditor; }
};
