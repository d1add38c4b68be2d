#pragma once
// The definition of an object class: its members with their types, flags,
// XML tags, initial values, list values and messages. Catalog objects and
// the page XML builder reach class definitions through this interface.
#include <cstdint>
#include <string>
#include <vector>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

// Member flags.
enum TMemberFlags : std::uint8_t {
    mfIsMultiple = 0x01,        // several values, told apart by IndexId
    mfIsMultiLang = 0x02,       // one value set per language; else stored under "XXX"
    mfIsRequired = 0x04,
    mfIsList = 0x08,            // values are codes of a list of choices
    mfIsOnlyList = 0x10,        // only codes of its list
    mfUseDefLangForNull = 0x20, // an empty value shows the default language's value
    mfIsUniqueInArray = 0x40,   // a multiple member accepts no second equal value
};

class TAbstractCClassDefinition {
public:
    virtual ~TAbstractCClassDefinition() = default;

    virtual int GetClassId() const = 0;
    virtual std::string GetClassXmlTag() const = 0;
    // Appends the class description element to Parent.
    virtual void WriteXml(xmlDoc* doc, xmlNode* parent) = 0;
    virtual bool HasStrings() const = 0;
    virtual bool HasNumbers() const = 0;
    virtual bool HasDates() const = 0;
    virtual bool HasTexts() const = 0;
    virtual bool HasBinary() const = 0;
    // 0 for a member the class lacks.
    virtual int GetMemberType(int memberId) const = 0;
    virtual std::uint8_t GetMemberFlags(int memberId) const = 0;
    // A name that reads as a non-zero integer is the member id itself;
    // otherwise the first member whose tag equals Name exactly; 0 when none.
    virtual int GetMemberId(const std::string& name) const = 0;
    // -1 outside 0 .. count-1.
    virtual int GetMemberIdByIndex(int index) const = 0;
    virtual std::string GetMemberXmlTag(int memberId) const = 0;
    virtual std::string GetMessage(int memberId, int messageType, const std::string& lang) = 0;
    virtual std::string GetAdditionalText(int memberId) const = 0;
    virtual std::string GetInitValue(int memberId) const = 0;
    virtual int GetMemberCount() const = 0;
    // Lines "DataCode=DataValue" of the member's list in a language.
    virtual void FillListChoices(int memberId, const std::string& lang, std::vector<std::string>& list) = 0;
    virtual std::string GetListText(int memberId, const std::string& lang, const std::string& code) = 0;
    virtual const std::vector<std::string>& GetListValues(int memberId) = 0;
    virtual std::string GetAddListText(int memberId, const std::string& lang, const std::string& code) = 0;
    virtual const std::vector<std::string>& GetAddListValues(int memberId) = 0;
};
