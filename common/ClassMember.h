#pragma once
// The definition of one member of an object class, filled by the classes list.
#include <cstdint>
#include <string>
#include <vector>

class TClassMember {
public:
    // Value lists, built on first use by the class definition: lines of a
    // code, "-", a language code, "=" and a text.
    std::vector<std::string> ListValues;
    std::vector<std::string> AddListValues;
    bool ListsBuilt = false;

    int ClassId = 0;
    int MemberId = 0;
    int MemberType = 0;
    int Additional = 0;
    std::uint8_t Flags = 0;
    std::string MemberXmlTag;
    std::string Description;
    std::string InitValue;
    std::string AdditionalText;
    std::string SqlText;
};
