#pragma once
// TParamsItemManagerModel: the captions of an item manager configured by the
// catalog definition's values under its plug-in name: "ItemCaption" ("$1" the
// item's name), "NoNameItemCaption" and "NewItemName".
#include <functional>
#include <optional>
#include <string>

class TParamsItemManagerModel {
public:
    using TLookup = std::function<std::string(const std::string& key)>;

    explicit TParamsItemManagerModel(TLookup value) : value_(std::move(value)) {}

    // ItemName: the "ItemName" of the item's names object, nothing without
    // the object (the template is then the caption as read).
    std::string GetCaption(const std::optional<std::string>& itemName) const;
    std::string GetNewItemCaption() const;

private:
    TLookup value_;
};
