#pragma once
// One stored member value of a catalog object, keyed by member, language
// and index. Texts (member types below 100) and numbers (types 100 and
// above: numbers, Booleans as 1 and 0, dates as day numbers) are kept in
// two lists of the object.
#include <string>

class TMemberValue {
public:
    int MemberId = 0;
    // The member's type: from the class definition, or from the stored row
    // when the value was copied from the owner item's value cache.
    int MemberType = 0;
    // Position within a multiple member; 0 otherwise.
    int IndexId = 0;
    // A language code, or "XXX" for a value that belongs to no language.
    std::string LangCode;
};

class TMemberStringValue : public TMemberValue {
public:
    std::string Value;
};

class TMemberNumberValue : public TMemberValue {
public:
    double Value = 0;
};
