#pragma once
// Rebuilds the content of a catalog of the previous program generation in a
// new catalog: the vendor row with its languages, pictures, binary objects,
// company, settings, administrator, price schedules, options, additional
// fields, products (or member catalogs), stories and web tree.
//
// It reads the old tables on OldConnection and writes through the current
// light-weight data access (a TConcreteDAL on the new catalog, inside the
// caller's unit of work); it never commits. Every value from the old file is
// bound as a statement parameter. A cancel stops the work between units.
#include "common/OldLangInfo.h"
#include "storage/LWIdMap.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractRecordset;
class TConversionProgress;
class TConcreteDAL;
class TLWItem;
class TLWObject;

class TProductCatalogConverter {
public:
    // None is owned; all must outlive the converter.
    TProductCatalogConverter(TAbstractDBConnection& oldConnection, TConcreteDAL& dataAccess,
                             TConversionProgress& progress);
    ~TProductCatalogConverter();

    // Converts the vendor VendorCode (any case). False when the old file has
    // no such vendor. ScrambledPassword is stored as the administrator's.
    bool ConvertCatalog(const std::string& vendorCode, const std::string& scrambledPassword);

    bool Cancelled() const { return cancelled_; }
    // 1 a product catalog, 2 a catalog of catalogs (after ConvertCatalog).
    int CatalogType() const { return catalogType_; }
    // An old key's new item id by kind ("image", "page", ...): 0 when none.
    int NewId(const std::string& kind, const std::string& oldKey) const;

    // The value of an old setting: its trimmed value, translated through Map
    // ("code=name&code=name", codes compared ignoring case; a code missing
    // from it gives ""), Default when the result is empty or there is no row.
    std::string ReadOldSetting(const std::string& key, const std::string& defaultValue,
                               const std::string& map = "") const;

    // The deepest nesting of the web tree that is converted; deeper pages
    // are placed under the deepest converted one.
    static constexpr int kMaxWebTreeDepth = 64;

private:
    using TMap = std::map<std::string, int>;

    bool StopHere();
    void RemoveRebuiltParts();
    void ConvertVendor(const TAbstractRecordset& vendor);
    void ConvertLanguages(const TAbstractRecordset& vendor);
    void ConvertBinaryObjects();
    void ConvertAllImages(const TAbstractRecordset& vendor);
    void ConvertImages(const std::string& sql, const std::string& extraName, const std::string& extraValue,
                       const TLWItem& parent, const std::string& folderName);
    void ConvertCompany(const TAbstractRecordset& vendor);
    void ConvertSettings(const TAbstractRecordset& vendor);
    void ConvertUser();
    void ConvertCatalogInfo();
    void ConvertPriceSchedules();
    void ConvertOptions();
    void ConvertAdditionalFields(const TAbstractRecordset& vendor);
    void ConvertProducts();
    void ConvertPrices(const std::string& productCode, const TLWItem& product);
    void ConvertCoCMembers();
    void ConvertStories();
    void ConvertWebTree(const std::string& xml);
    void EnsureHomePage();
    void ConvertPageTree(const void* element, const TLWItem& parent, int orderNum, int depth);
    std::unique_ptr<TLWItem> ConvertPage(const void* element, const TLWItem& parent, int orderNum);

    // Removes an item of a symbolic id with its values and writes it anew
    // under the parent it had (or under FallbackParent).
    std::unique_ptr<TLWItem> ReplaceItem(const std::string& idName, const std::string& typeName,
                                         const std::string& fallbackParent);
    void RemoveItem(int itemId);
    bool NameFromField(const TLWItem& item, const TAbstractRecordset& rows, const std::string& column);
    void NameFromText(const TLWItem& item, const std::string& text);
    void ApplyDesignAndMeta(const TLWItem& item, const TAbstractRecordset& rows);
    bool FromField(TLWObject& object, const TAbstractRecordset& rows, const std::string& column,
                   const std::string& member, int index = 0);
    // The codes that member 1 of the class holds in the new catalog.
    std::set<std::string> CodesInNewCatalog(const std::string& classTag);
    static int Lookup(const TMap& map, const std::string& key);
    TLWIdMap IdMap(const TMap& map) const;

    TAbstractDBConnection& old_;
    TConcreteDAL& dal_;
    TConversionProgress& progress_;
    TOldLangInfo languages_;
    std::string vendorCode_;
    std::string password_;
    int catalogType_ = 1;
    bool cancelled_ = false;
    TMap imageMap_, pageMap_, productMap_, storyMap_, objectMap_, priceScheduleMap_, optionMap_, optionValueMap_,
        additionalFieldMap_;
    // The new option items of each old product code, in the old file's order.
    std::map<std::string, std::vector<int>> productOptions_;
};
