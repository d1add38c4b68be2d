#pragma once
// The values of the dialog that edits one editor entry of an item-type
// definition, read from and written to the dialog's "name=value" list:
// "PluginName", "EditorsType", "Params", "Condition", "OrderNum". The names
// are those of the entry's members (class 802).
#include <string>
#include <vector>

struct TEditorEntryForm {
    std::string PluginName;
    std::string EditorsType;
    std::string Params;
    std::string Condition;
    std::string OrderNum;

    // A value: its name in the list and among the members, and whether it is a number.
    struct TField {
        const char* Name;
        std::string TEditorEntryForm::*Value;
        bool Number;
    };
    static const std::vector<TField>& Fields();

    static TEditorEntryForm FromParams(const std::vector<std::string>& params);
    // The (English) message that refuses the values; empty when they may be saved.
    std::string Check() const;
    // Writes the values into the list, the plug-in name trimmed.
    void ToParams(std::vector<std::string>& params) const;
    bool operator==(const TEditorEntryForm&) const = default;
};
