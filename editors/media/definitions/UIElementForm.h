#pragma once
// The values of the dialog that edits one UI element of an item-type
// definition (a menu item, toolbar button, "Select Tree" entry or search
// kind), read from and written to the dialog's "name=value" list. The names
// are those of the element's members (class 809).
#include <string>
#include <vector>

struct TUIElementForm {
    // "ElementType": 1 to 4; the first when the list has none.
    std::string ElementType;
    std::string ActionId;
    std::string Caption;
    std::string Hint;
    std::string Location;
    std::string ImageCode;
    std::string Condition;
    std::string Greyed;
    std::string OrderNum;

    // A value: its name in the list and among the members, and whether it is a number.
    struct TField {
        const char* Name;
        std::string TUIElementForm::*Value;
        bool Number;
    };
    static const std::vector<TField>& Fields();
    // The element types as "caption===value" entries.
    static const std::vector<std::string>& ElementTypes();

    static TUIElementForm FromParams(const std::vector<std::string>& params);
    void ToParams(std::vector<std::string>& params) const;
    bool operator==(const TUIElementForm&) const = default;
};
