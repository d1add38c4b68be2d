#pragma once
// The values of the code-row dialog of the classification codes ("Edit
// Codes"), read from and written to the dialog's "name=value" list:
// "CodesType" ("ebay" or "zarivuro": a category of those trees), "Id",
// "Level", "ParentId", "Name", "Leaf" ("yes"/"no"), and the answer
// "reedit" that asks the caller to show the dialog again with what was
// typed. Only categories of the eBay and Zarivuro trees are edited here.
#include <functional>
#include <string>
#include <vector>

struct TEditCodesForm {
    std::string CodesType;
    std::string Id;
    std::string Level;
    std::string ParentId;
    std::string Name;
    bool Leaf = false;

    static TEditCodesForm FromParams(const std::vector<std::string>& params);
    // Whether the codes type is one whose categories the dialog edits.
    bool EditsCategories() const;
    // The window caption (English): "Zarivuro Codes" or "eBay Codes".
    std::string Caption() const;
    // The refusal, translated by Translate: "Enter valid category code" when
    // the id is not a whole number other than 0, followed directly by "Enter
    // name of the category" when the name is blank; empty when the values
    // may be saved.
    std::string Check(const std::function<std::string(const std::string&)>& translate) const;
    // Writes the values into the list ("Leaf" as "yes" or "no").
    void ToParams(std::vector<std::string>& params) const;
};
