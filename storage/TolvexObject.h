#pragma once
// TTolvexObject: one object instance of one class in one item, with its
// member values in memory (see TAbstractCObject).
//
// Values are kept per member, language and index:
//  - a member that is not language-dependent keeps all its values under
//    "XXX", whatever language the caller names;
//  - a member that is not multiple keeps one value per language, at index 0,
//    whatever index the caller names;
//  - language codes are kept in upper case (NormalLangCode), whatever case
//    the caller or a stored row uses: they match without regard to case, as
//    in the value tables;
//  - values stay in the order in which they were loaded or added.
// Texts (member types below 100) and numbers (100 and above) live in two
// lists. The values load lazily on first access: from the owner item's
// value caches, or by the object's own queries; a save rewrites every value
// row of the object (binary data excepted, which is written at once).
//
// The implementation is spread over TolvexObject*.cpp: values, loading and
// saving, binary data, value texts and XML output.
#include "storage/AbstractCObject.h"
#include "storage/MemberValue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class TAbstractCItem;
class TAbstractDBConnection;
class TAbstractDBQuery;
class TTolvexObjectContext;

class TTolvexObject : public TAbstractCObject {
public:
    // An object without owner item: LinkedItemId starts equal to ItemId,
    // nothing is loaded and nothing modified.
    TTolvexObject(TTolvexObjectContext& context, int itemId, int classId, int instanceId,
                  const std::string& catalogCode, TAbstractDBConnection& connection);
    // An object held by Item: ItemId, connection, catalog code and the item
    // row's values come from the item. CallerOwned is set (the item clears
    // it for objects it keeps).
    static std::unique_ptr<TTolvexObject> CreateFromItem(TTolvexObjectContext& context, TAbstractCItem& item,
                                                        int classId, int instanceId);
    ~TTolvexObject() override;
    TTolvexObject(const TTolvexObject&) = delete;
    TTolvexObject& operator=(const TTolvexObject&) = delete;

    // ---- TAbstractCObject --------------------------------------------------
    int GetClassId() const override { return classId_; }
    int GetInstanceId() const override { return instanceId_; }
    bool IsDefaultLangValue(const std::string& memberName, const std::string& lang, int index) override;
    bool IsDefaultLangValueById(int memberId, const std::string& lang, int index) override;
    bool HasValue(const std::string& memberName, const std::string& lang) override;
    bool HasValueById(int memberId, const std::string& lang) override;
    std::string GetValueText(const std::string& memberName, const std::string& lang, int index,
                             bool resolveList) override;
    void SetValueText(const std::string& memberName, const std::string& lang, const std::string& text,
                      int index) override;

    std::string GetString(const std::string& memberName, int index) override;
    void SetString(const std::string& memberName, const std::string& value, int index) override;
    std::string GetLangString(const std::string& memberName, const std::string& lang, int index) override;
    void SetLangString(const std::string& memberName, const std::string& lang, const std::string& value,
                       int index) override;
    std::string GetStringById(int memberId, const std::string& lang, int index) override;
    void SetStringById(int memberId, const std::string& lang, const std::string& value, int index) override;

    double GetNumber(const std::string& memberName, int index) override;
    double GetLangNumber(const std::string& memberName, const std::string& lang, int index) override;
    double GetNumberById(int memberId, const std::string& lang, int index) override;
    int GetInteger(const std::string& memberName, int index) override;
    int GetLangInteger(const std::string& memberName, const std::string& lang, int index) override;
    int GetIntegerById(int memberId, const std::string& lang, int index) override;
    void SetNumber(const std::string& memberName, double value, int index) override;
    void SetLangNumber(const std::string& memberName, const std::string& lang, double value, int index) override;
    void SetNumberById(int memberId, const std::string& lang, double value, int index) override;

    bool GetBoolean(const std::string& memberName, int index) override;
    void SetBoolean(const std::string& memberName, bool value, int index) override;
    bool GetLangBoolean(const std::string& memberName, const std::string& lang, int index) override;
    void SetLangBoolean(const std::string& memberName, const std::string& lang, bool value, int index) override;
    bool GetBooleanById(int memberId, const std::string& lang, int index) override;
    void SetBooleanById(int memberId, const std::string& lang, bool value, int index) override;

    bool GetBinaryInfo(const std::string& memberName, const std::string& lang, int index,
                       TBinaryDataInfo* info) override;
    bool GetBinaryInfoById(int memberId, const std::string& lang, int index, TBinaryDataInfo* info) override;
    bool GetBinaryData(const std::string& memberName, const std::string& lang, std::ostream& stream, int index,
                       TBinaryDataInfo* info) override;
    bool GetBinaryDataById(int memberId, const std::string& lang, std::ostream& stream, int index,
                           TBinaryDataInfo* info) override;
    void SetBinaryData(const std::string& memberName, const std::string& lang, const std::string& mimeType,
                       std::istream& stream, int index, TBinaryDataInfo* info) override;
    void SetBinaryDataById(int memberId, const std::string& lang, const std::string& mimeType,
                           std::istream& stream, int index, TBinaryDataInfo* info) override;
    void DeleteBinaryData(const std::string& memberName, const std::string& lang, int index) override;
    void DeleteBinaryDataById(int memberId, const std::string& lang, int index) override;

    void GetValues(const std::string& memberName, std::vector<std::string>* indexes,
                   std::vector<std::string>& values) override;
    void GetLangValues(const std::string& memberName, const std::string& lang, std::vector<std::string>* indexes,
                       std::vector<std::string>& values) override;
    void GetValuesById(int memberId, const std::string& lang, std::vector<std::string>* indexes,
                       std::vector<std::string>& values) override;
    void GetListChoices(const std::string& memberName, const std::string& lang,
                        std::vector<std::string>& list) override;
    void GetListChoicesById(int memberId, const std::string& lang, std::vector<std::string>& list) override;

    void DeleteValueById(int memberId, const std::string& lang, int index) override;
    bool DeleteStringValue(const std::string& memberName, const std::string& lang, const std::string& value,
                           int index) override;
    bool DeleteStringValueById(int memberId, const std::string& lang, const std::string& value, int index) override;
    bool DeleteNumberValue(const std::string& memberName, const std::string& lang, double value, int index) override;
    bool DeleteNumberValueById(int memberId, const std::string& lang, double value, int index) override;
    void ClearAll() override;
    void ClearMember(const std::string& memberName, const std::string& lang) override;
    void ClearMemberById(int memberId, const std::string& lang) override;
    int GetValueCountById(int memberId, const std::string& lang) override;

    void Load() override;
    bool Save() override;
    bool IsLoaded() const override { return loaded_; }
    bool IsEmpty() override;
    bool IsModified() const override { return modified_; }
    std::string GetClassXmlTag() override;
    int GetObjectInstanceId() const override { return instanceId_; }
    int GetItemId() const override { return itemId_; }
    int GetItemType() override;
    int GetParentItemId() override;
    int GetLinkedItemId() override;
    void SetParentInstanceId(int parentInstanceId) override;
    xmlNode* WriteXml(xmlDoc* doc, xmlNode* parentElement, const std::string& attrName,
                      const std::string& attrValue, int flags) override;
    TAbstractCObject* AddSubObject(const std::string& memberName, const std::string& classXmlTag,
                                   const std::string& lang) override;
    int GetUseCount() const override { return useCount_; }
    void IncUseCount() override { ++useCount_; }
    TAbstractCClassDefinition* GetClassDefinition() const override { return classDefinition_; }
    void ExchangeIndexes(const std::string& memberName, int index1, int index2) override;
    void ExchangeIndexesById(int memberId, int index1, int index2) override;
    bool CanBeFreed() const override { return ownerItem_ == nullptr || callerOwned_; }
    void SetCanBeFreed(bool value) override { callerOwned_ = value; }

    // ---- loading, saving and ids --------------------------------------------
    // Gives the object an InstanceId from the catalog's sequence "Instance"
    // (plus 1000000) when it has none.
    void EnsureInstanceId();
    // Writes the CObjectInstances row when it is due.
    void SaveInstanceRow();
    // Whether SaveInstanceRow has a row to look for or write.
    bool IsInstanceRowDue() const { return linkedItemId_ != 0 && (instanceRowDirty_ || instanceId_ == 0); }
    // The instance row may be missing (a unit that wrote it was undone): the
    // next save looks for it and writes it when it is not there.
    void MarkInstanceRowDirty() { instanceRowDirty_ = true; }
    // Sets Loaded (for new, empty objects).
    void MarkLoaded() { loaded_ = true; }
    // Deletes the rows of a sub-object that a type-105 value referred to;
    // false when the sub-object has sub-objects or is referred to elsewhere.
    bool DeleteSubObject(int instanceId);
    // Marks the item and its further placements changed: not synchronised,
    // modified now.
    static void MarkItemChanged(TAbstractDBConnection& connection, const std::string& catalogCode, int itemId,
                                int linkedItemId);
    // Reserves the InstanceId while its CObjectInstances row is not written
    // (objects numbered by the item cache); released when the object dies.
    void HoldPendingInstanceId();

    // ---- value texts and XML --------------------------------------------------
    // The text with every member tag ("<item/class/member>" or
    // "<class/member>") replaced by the member's value text; other tags vanish.
    std::string ReplaceMemberTags(const std::string& text, const std::string& lang);
    // The IndexIds (decimal) of the member's values in Lang, in list order.
    void GetValueIndexes(int memberId, const std::string& lang, std::vector<std::string>& list);
    // The objects being written around this one (nested output of member
    // types 105 to 107), by LinkedItemId, ClassId and InstanceId.
    using TXmlChain = std::vector<std::tuple<int, int, int>>;
    xmlNode* WriteXmlNested(xmlDoc* doc, xmlNode* parentElement, const std::string& attrName,
                            const std::string& attrValue, int flags, TXmlChain& chain);

    // ---- accessors for the item cache and the XML output ----------------------
    TTolvexObjectContext& GetContext() const { return context_; }
    TAbstractDBConnection& GetConnection() const { return *connection_; }
    const std::string& GetCatalogCode() const { return catalogCode_; }
    TAbstractCItem* GetOwnerItem() const { return ownerItem_; }
    bool IsNotVisible() const { return notVisible_; }
    int GetParentInstanceId() const { return parentInstanceId_; }
    // Reads the item row (LinkedItemId, ParentItemId, ItemType, NotVisible)
    // when it has not been read.
    void LoadItemRow();
    // Member types and flags of the class (0 without a class definition).
    int MemberType(int memberId) const;
    std::uint8_t MemberFlags(int memberId) const;
    int MemberIdOf(const std::string& memberName) const;

private:
    // Lang and Index as the member keeps them.
    struct TKey {
        std::string lang;
        int index = 0;
    };
    TKey Normalise(int memberId, const std::string& lang, int index) const;
    std::string NormaliseLang(int memberId, const std::string& lang) const;
    void LoadIfNeeded();

    TMemberStringValue* FindString(int memberId, const std::string& lang, int index);
    TMemberNumberValue* FindNumber(int memberId, const std::string& lang, int index);
    std::string LookupString(int memberId, const std::string& lang, int index);
    std::string StringWithInitValue(int memberId, const std::string& result);
    void UpdateExistingString(TMemberStringValue& value, int memberId, const TKey& key, const std::string& text);
    void MirrorDefaultLanguage(int memberId, const TKey& key, const std::string& text);
    void ClearForeignLanguages(int memberId, int index);
    int NextIndex(int memberId, const std::string& lang, bool numbers) const;
    std::string NumberText(const TMemberNumberValue& value) const;

    void CopyFromValueCaches();
    void LoadValueTable(const std::string& table, const std::string& valueColumn, bool numbers);
    void WriteRows();
    void WriteTextRows();
    void WriteNumberRows();
    void DeleteValueRows(const std::string& table);
    bool InstanceRowExists(int instanceId) const;
    int DrawFreeInstanceId();
    // Binds the key of one binary value of the member (its row in CBinary).
    void BindBinaryKey(TAbstractDBQuery& query, int memberId, const std::string& lang, int index) const;
    bool IsBinaryMember(int memberId) const;
    std::string MemberTagValue(const std::string& tag, const std::string& lang);

    TTolvexObjectContext& context_;
    TAbstractCItem* ownerItem_ = nullptr;
    bool callerOwned_ = false;
    bool modified_ = false;
    int classId_ = 0;
    int parentInstanceId_ = 0;
    int itemId_ = 0;
    int linkedItemId_ = 0;
    int parentItemId_ = 0;
    int itemType_ = 0;
    int instanceId_ = 0;
    TAbstractCClassDefinition* classDefinition_ = nullptr;
    std::vector<TMemberNumberValue> numberValues_;
    std::vector<TMemberStringValue> stringValues_;
    TAbstractDBConnection* connection_;
    std::string classXmlTag_;
    bool classXmlTagRead_ = false;
    bool loaded_ = false;
    int useCount_ = 0;
    std::string catalogCode_;
    bool notVisible_ = false;
    bool itemRowLoaded_ = false;
    bool instanceRowDirty_ = false;
    // The InstanceId reserved while its row is pending (0 when none), with its item.
    int pendingInstanceId_ = 0;
    int pendingItemId_ = 0;
};
