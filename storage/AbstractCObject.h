#pragma once
// A catalog object: one object instance of one class in one item, with its
// member values keyed by member, language code and index.
//
// Operations named by member tag turn the tag into a MemberId through the
// class definition and call the "ById" operation. MemberId 0 makes every
// operation do nothing and answer 0, false or the empty text (the two
// operations that delete values by value answer true). The "current
// language" operations (those without a Lang argument) use the open
// catalog's current editing language. Index -1 appends a new value to a
// multiple member.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TAbstractCClassDefinition;
class TBinaryDataInfo;
typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

// Bits of the Flags argument of WriteXml.
enum TObjectXmlFlags : int {
    oxCatalogCode = 1,   // attribute "CatalogCode"
    oxItemType = 2,      // attribute "ItemType"
    oxParentItemId = 4,  // attribute "ParentItemId"
    oxAllItemAttributes = 8,
};

class TAbstractCObject {
public:
    virtual ~TAbstractCObject() = default;

    virtual int GetClassId() const = 0;
    virtual int GetInstanceId() const = 0;
    // Whether the default language's value shows through in Lang.
    virtual bool IsDefaultLangValue(const std::string& memberName, const std::string& lang, int index) = 0;
    virtual bool IsDefaultLangValueById(int memberId, const std::string& lang, int index) = 0;
    // Whether the member has any value in Lang.
    virtual bool HasValue(const std::string& memberName, const std::string& lang) = 0;
    virtual bool HasValueById(int memberId, const std::string& lang) = 0;
    // The text form of a value; with ResolveList the list text of a list code.
    virtual std::string GetValueText(const std::string& memberName, const std::string& lang, int index,
                                     bool resolveList) = 0;
    virtual void SetValueText(const std::string& memberName, const std::string& lang,
                              const std::string& text, int index) = 0;

    virtual std::string GetString(const std::string& memberName, int index) = 0;
    virtual void SetString(const std::string& memberName, const std::string& value, int index) = 0;
    virtual std::string GetLangString(const std::string& memberName, const std::string& lang, int index) = 0;
    virtual void SetLangString(const std::string& memberName, const std::string& lang,
                               const std::string& value, int index) = 0;
    // A text value with its fallbacks (default language, "XXX", InitValue).
    virtual std::string GetStringById(int memberId, const std::string& lang, int index) = 0;
    virtual void SetStringById(int memberId, const std::string& lang, const std::string& value, int index) = 0;

    virtual double GetNumber(const std::string& memberName, int index) = 0;
    virtual double GetLangNumber(const std::string& memberName, const std::string& lang, int index) = 0;
    // A number value with its fallbacks (default language, InitValue).
    virtual double GetNumberById(int memberId, const std::string& lang, int index) = 0;
    // The number truncated toward zero.
    virtual int GetInteger(const std::string& memberName, int index) = 0;
    virtual int GetLangInteger(const std::string& memberName, const std::string& lang, int index) = 0;
    virtual int GetIntegerById(int memberId, const std::string& lang, int index) = 0;
    virtual void SetNumber(const std::string& memberName, double value, int index) = 0;
    virtual void SetLangNumber(const std::string& memberName, const std::string& lang, double value, int index) = 0;
    virtual void SetNumberById(int memberId, const std::string& lang, double value, int index) = 0;

    virtual bool GetBoolean(const std::string& memberName, int index) = 0;
    virtual void SetBoolean(const std::string& memberName, bool value, int index) = 0;
    virtual bool GetLangBoolean(const std::string& memberName, const std::string& lang, int index) = 0;
    virtual void SetLangBoolean(const std::string& memberName, const std::string& lang, bool value, int index) = 0;
    virtual bool GetBooleanById(int memberId, const std::string& lang, int index) = 0;
    virtual void SetBooleanById(int memberId, const std::string& lang, bool value, int index) = 0;

    // Binary data (member types 250 to 299), read and written at once.
    // Info may be null.
    virtual bool GetBinaryInfo(const std::string& memberName, const std::string& lang, int index,
                               TBinaryDataInfo* info) = 0;
    virtual bool GetBinaryInfoById(int memberId, const std::string& lang, int index, TBinaryDataInfo* info) = 0;
    virtual bool GetBinaryData(const std::string& memberName, const std::string& lang, std::ostream& stream,
                               int index, TBinaryDataInfo* info) = 0;
    virtual bool GetBinaryDataById(int memberId, const std::string& lang, std::ostream& stream, int index,
                                   TBinaryDataInfo* info) = 0;
    virtual void SetBinaryData(const std::string& memberName, const std::string& lang,
                               const std::string& mimeType, std::istream& stream, int index,
                               TBinaryDataInfo* info) = 0;
    virtual void SetBinaryDataById(int memberId, const std::string& lang, const std::string& mimeType,
                                   std::istream& stream, int index, TBinaryDataInfo* info) = 0;
    virtual void DeleteBinaryData(const std::string& memberName, const std::string& lang, int index) = 0;
    virtual void DeleteBinaryDataById(int memberId, const std::string& lang, int index) = 0;

    // All values of a member in a language as texts, with their IndexIds
    // (Indexes may be null).
    virtual void GetValues(const std::string& memberName, std::vector<std::string>* indexes,
                           std::vector<std::string>& values) = 0;
    virtual void GetLangValues(const std::string& memberName, const std::string& lang,
                               std::vector<std::string>* indexes, std::vector<std::string>& values) = 0;
    virtual void GetValuesById(int memberId, const std::string& lang, std::vector<std::string>* indexes,
                               std::vector<std::string>& values) = 0;
    // Lines "code=text" of the member's list of choices.
    virtual void GetListChoices(const std::string& memberName, const std::string& lang,
                                std::vector<std::string>& list) = 0;
    virtual void GetListChoicesById(int memberId, const std::string& lang, std::vector<std::string>& list) = 0;

    virtual void DeleteValueById(int memberId, const std::string& lang, int index) = 0;
    virtual bool DeleteStringValue(const std::string& memberName, const std::string& lang,
                                   const std::string& value, int index) = 0;
    virtual bool DeleteStringValueById(int memberId, const std::string& lang, const std::string& value,
                                       int index) = 0;
    virtual bool DeleteNumberValue(const std::string& memberName, const std::string& lang, double value,
                                   int index) = 0;
    // False when a referenced sub-object could not be deleted.
    virtual bool DeleteNumberValueById(int memberId, const std::string& lang, double value, int index) = 0;
    virtual void ClearAll() = 0;
    virtual void ClearMember(const std::string& memberName, const std::string& lang) = 0;
    // Lang empty: every language.
    virtual void ClearMemberById(int memberId, const std::string& lang) = 0;
    virtual int GetValueCountById(int memberId, const std::string& lang) = 0;

    virtual void Load() = 0;
    virtual bool Save() = 0;
    virtual bool IsLoaded() const = 0;
    virtual bool IsEmpty() = 0;
    virtual bool IsModified() const = 0;
    virtual std::string GetClassXmlTag() = 0;
    virtual int GetObjectInstanceId() const = 0;
    virtual int GetItemId() const = 0;
    virtual int GetItemType() = 0;
    virtual int GetParentItemId() = 0;
    virtual int GetLinkedItemId() = 0;
    virtual void SetParentInstanceId(int parentInstanceId) = 0;
    // Appends the object's element to ParentElement and returns it; null
    // when nothing was written (hidden item, no open catalog, no class tag).
    virtual xmlNode* WriteXml(xmlDoc* doc, xmlNode* parentElement, const std::string& attrName,
                              const std::string& attrValue, int flags) = 0;
    // Creates a sub-object referred to by a member of type 105; null when
    // none was made. Free it (see TCObjectHandle) when CanBeFreed is true.
    virtual TAbstractCObject* AddSubObject(const std::string& memberName, const std::string& classXmlTag,
                                           const std::string& lang) = 0;
    virtual int GetUseCount() const = 0;
    virtual void IncUseCount() = 0;
    virtual TAbstractCClassDefinition* GetClassDefinition() const = 0;
    virtual void ExchangeIndexes(const std::string& memberName, int index1, int index2) = 0;
    virtual void ExchangeIndexesById(int memberId, int index1, int index2) = 0;
    // True when whoever obtained the object frees it.
    virtual bool CanBeFreed() const = 0;
    virtual void SetCanBeFreed(bool value) = 0;
};

// Frees an object only when it is the caller's to free (CanBeFreed);
// objects held by an item or a collection stay with their holder.
struct TCObjectReleaser {
    void operator()(TAbstractCObject* object) const
    {
        if (object && object->CanBeFreed())
            delete object;
    }
};
using TCObjectHandle = std::unique_ptr<TAbstractCObject, TCObjectReleaser>;
