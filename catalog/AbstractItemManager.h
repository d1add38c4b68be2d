#pragma once
// An item manager (plug-in kind 4): the behaviour shared by every item of an
// item type. One instance per name is created on first request and shared;
// the UI-module manager owns it and finds it again by its name.
#include "storage/AbstractPluginClass.h"

class TAbstractItemManager : public TAbstractPluginClass {
public:
    std::uint8_t GetKind() const override { return pkItemManager; }
};
