#pragma once
// A table that a record-set document names, as the target database has it:
// its own spelling of the name and its fields with their types. A document
// can only reach tables and fields that exist; names from the document
// never go into a statement, the database's own names do, quoted.
#include "common/Variant.h"

#include <string>
#include <vector>

class TAbstractDBConnection;

class TRecordsetXmlTable {
public:
    // The table of that name (compared without regard to case) in the
    // connection's database; SQLite's own tables do not count. Raises
    // EPublisherTolvexException when there is no such table.
    static TRecordsetXmlTable Open(TAbstractDBConnection& connection, const std::string& name);

    const std::string& Name() const { return name_; }
    // The name quoted for a statement.
    std::string SqlName() const;
    // The index of the field of that name (compared without regard to case);
    // -1 when the table has none.
    int IndexOf(const std::string& fieldName) const;
    const std::string& FieldName(int index) const { return fields_.at(static_cast<std::size_t>(index)).name; }
    TFieldType FieldType(int index) const { return fields_.at(static_cast<std::size_t>(index)).type; }
    std::string SqlFieldName(int index) const;

private:
    struct TField {
        std::string name;
        TFieldType type = TFieldType::Unknown;
    };

    std::string name_;
    std::vector<TField> fields_;
};
