#pragma once
// The light-weight data access: writes the rows of items, object instances and
// member values of one catalog directly, without the object model, for the
// conversion of catalogs of the previous program generation. One data access
// is current at a time; the writers (TLWItem, TLWObject) always use it.
//
// New item ids and instance ids come from two counters that start at 1000500
// and are incremented before each id is handed out. Rows written with fixed
// ids (symbolic names) do not move the counters.
#include "storage/LWIdMap.h"

#include <istream>
#include <string>

class TLWDefinitionLookup;
class TLWItem;
class TLWItemCondition;
class TLWObject;

class TLWAbstractDataAccess {
public:
    static constexpr int kFirstCounterValue = 1000500;

    // Definitions are not owned and must outlive the data access.
    explicit TLWAbstractDataAccess(TLWDefinitionLookup& definitions) : definitions_(definitions) {}
    virtual ~TLWAbstractDataAccess() = default;
    TLWAbstractDataAccess(const TLWAbstractDataAccess&) = delete;
    TLWAbstractDataAccess& operator=(const TLWAbstractDataAccess&) = delete;

    // Removes the Items rows of the catalog that meet the condition.
    virtual void CleanItems(const TLWItemCondition& where) = 0;
    // Removes the value rows and object instances of the catalog's items that
    // meet the condition (call before CleanItems with the same condition).
    virtual void CleanObjects(const TLWItemCondition& where) = 0;
    virtual void UpdateItem(const TLWItem& item) = 0;
    virtual void UpdateObject(const TLWObject& object) = 0;
    // A text value: member types 1-49 go to CStrings, 50-99 to CText. An
    // empty or blank LangCode is written as "XXX".
    virtual void SetString(const TLWObject& object, int memberId, const std::string& text, int memberType,
                           int index, const std::string& langCode) = 0;
    // A number value: member types 100-199 go to CNumbers, 200-249 to CDates
    // (the number read as a date-time).
    virtual void SetNumber(const TLWObject& object, int memberId, double value, int memberType, int index,
                           const std::string& langCode) = 0;
    // A binary value (member types 250-299): the whole content of Stream.
    virtual void SetBinary(const TLWObject& object, int memberId, std::istream& stream, const std::string& mimeType,
                           int memberType, int index, const std::string& langCode) = 0;
    // Rewrites the links in the catalog's page texts (see TLWLinkRewriter).
    virtual void FixLinks(const TLWIdMap& objectIdMap, const TLWIdMap& pageIdMap, const TLWIdMap& imageIdMap) = 0;
    // Makes catalog property PropertyId hold Value.
    virtual void SetCatalogProperty(int propertyId, const std::string& value) = 0;
    // True when the catalog has an Items row of that id.
    virtual bool ItemExists(int itemId) = 0;

    virtual int NextItemId() { return ++itemCounter_; }
    virtual int NextInstanceId() { return ++instanceCounter_; }

    // The process-wide current data access; null when none.
    static TLWAbstractDataAccess* GetCurrent() { return current_; }
    // Makes DataAccess current and returns the previous one.
    static TLWAbstractDataAccess* SetCurrent(TLWAbstractDataAccess* dataAccess);
    // The current data access; raises EDeveloperTolvexException when none.
    static TLWAbstractDataAccess& Current();

    // The code of the catalog being written; rows hold it in lower case.
    const std::string& GetCatalogCode() const { return catalogCode_; }
    void SetCatalogCode(const std::string& code) { catalogCode_ = code; }
    std::string LowerCatalogCode() const;

    TLWDefinitionLookup& Definitions() const { return definitions_; }

protected:
    int& ItemCounter() { return itemCounter_; }
    int& InstanceCounter() { return instanceCounter_; }

private:
    static inline TLWAbstractDataAccess* current_ = nullptr;

    int itemCounter_ = kFirstCounterValue;
    int instanceCounter_ = kFirstCounterValue;
    std::string catalogCode_;
    TLWDefinitionLookup& definitions_;
};
