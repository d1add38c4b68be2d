#pragma once
// TDefinitionRecordModel: the values of one simple record of a catalog
// type's definition (a key value, an action, an error message, the
// catalog-type description), without widgets. A record is a handful of
// members of one or two objects of the item, each shown as one text; a
// member may also be written to a second place (the error message's key and
// the catalog type's name are also the item's name).
//
// Store writes the members whose text changed since the load, numbers
// parsed as decimal integers (a text that is no number gives 0), so that a
// member the user left alone keeps its stored value.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TAbstractCObject;

class TDefinitionRecordModel {
public:
    struct TField {
        TField(std::string classTag, std::string member, bool number = false, std::string alsoClassTag = {},
               std::string alsoMember = {})
            : ClassTag(std::move(classTag)), Member(std::move(member)), Number(number),
              AlsoClassTag(std::move(alsoClassTag)), AlsoMember(std::move(alsoMember))
        {
        }
        std::string ClassTag;
        std::string Member;
        bool Number = false;
        // Where the value is also written ("" for nowhere).
        std::string AlsoClassTag;
        std::string AlsoMember;
    };

    // Required: the classes whose objects the record needs; without one of
    // them nothing is shown or stored.
    TDefinitionRecordModel(const TSiteModelContext& context, std::vector<TField> fields,
                           std::vector<std::string> required);

    void Load();
    bool HasObjects() const { return hasObjects_; }
    // The texts of the fields, in the order given.
    const std::vector<std::string>& Values() const { return values_; }
    void SetValue(std::size_t field, const std::string& text);
    bool IsModified() const { return values_ != loaded_; }
    // Writes the changed members. NewName receives the item's new name when
    // a field that is or is written to "CommonNames"."ItemName" changed.
    void Store(std::string* newName = nullptr);

    // Writes an item's name into its names object under "XXX" (where the
    // definitions keep their names) and in the content language, so that
    // every language finds the new name.
    static void WriteItemName(TAbstractCObject& names, const std::string& langCode, const std::string& name);

private:
    TAbstractCObject* Object(const std::string& classTag) const;
    void Write(const std::string& classTag, const std::string& member, bool number, const std::string& text,
               std::string* newName);

    TSiteModelContext context_;
    std::vector<TField> fields_;
    std::vector<std::string> required_;
    bool hasObjects_ = false;
    std::vector<std::string> values_;
    std::vector<std::string> loaded_;
};
