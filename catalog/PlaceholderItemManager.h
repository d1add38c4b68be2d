#pragma once
// Stands in for an item-manager class that is not part of the program yet:
// it is created by the name and parameters of the request like the real
// class and tells which class it stands for.
#include "catalog/AbstractItemManager.h"

#include <string>

class TPlaceholderItemManager : public TAbstractItemManager {
public:
    TPlaceholderItemManager(std::string name, std::string params, std::string standsFor);

    std::string GetName() const override { return name_; }
    std::string GetParams() const override { return params_; }

    // The name of the item-manager class this object stands for, e.g. "THomeItemManager".
    const std::string& StandsFor() const { return standsFor_; }

private:
    std::string name_;
    std::string params_;
    std::string standsFor_;
};
