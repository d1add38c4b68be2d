#pragma once
// The light-weight data access on a catalog database connection: direct
// INSERT, UPDATE and DELETE statements on the catalog tables, every value
// bound as a parameter and every statement restricted to the catalog being
// written. Creating it makes it the current data access; destroying it makes
// none current.
//
// New ids never meet the ids that the catalog's sequences "Items" and
// "Instance" hand out (a sequence value plus 1000000): a counter starts past
// what its sequence has handed out, and each id it hands out is recorded in
// LocalSequences at once, inside the connection's unit of work.
//
// The conversion makes it on a second connection (with a unit of work), sets
// the catalog code and commits the connection at the end.
#include "common/Variant.h"
#include "storage/LWAbstractDataAccess.h"

#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;

class TConcreteDAL : public TLWAbstractDataAccess {
public:
    // Connection and Definitions are not owned and must outlive the data access.
    TConcreteDAL(TAbstractDBConnection& connection, TLWDefinitionLookup& definitions);
    ~TConcreteDAL() override;

    void CleanItems(const TLWItemCondition& where) override;
    void CleanObjects(const TLWItemCondition& where) override;
    void UpdateItem(const TLWItem& item) override;
    void UpdateObject(const TLWObject& object) override;
    void SetString(const TLWObject& object, int memberId, const std::string& text, int memberType, int index,
                   const std::string& langCode) override;
    void SetNumber(const TLWObject& object, int memberId, double value, int memberType, int index,
                   const std::string& langCode) override;
    void SetBinary(const TLWObject& object, int memberId, std::istream& stream, const std::string& mimeType,
                   int memberType, int index, const std::string& langCode) override;
    void FixLinks(const TLWIdMap& objectIdMap, const TLWIdMap& pageIdMap, const TLWIdMap& imageIdMap) override;
    void SetCatalogProperty(int propertyId, const std::string& value) override;
    bool ItemExists(int itemId) override;
    int NextItemId() override;
    int NextInstanceId() override;

    // Runs a statement with the parameters "Value" and "Value2" bound.
    void Exec(const std::string& sql, const TVariant& value);
    void Exec2(const std::string& sql, const TVariant& value, const TVariant& value2);

    TAbstractDBConnection& Connection() const { return connection_; }

private:
    using TParams = std::vector<std::pair<std::string, TVariant>>;

    // Runs a statement with ":CatalogCode" (the lower-case code), Params and
    // the values of Where bound.
    void Run(const std::string& sql, const TParams& params, const TLWItemCondition* where = nullptr);
    // The number of rows of a "SELECT COUNT(*) AS NumRows ..." statement.
    int CountRows(const std::string& sql, const TParams& params);
    // Inserts a value row of Object's member; Values name the table's value
    // columns with their values.
    void InsertValue(const std::string& table, const TParams& values, const TLWObject& object, int memberId,
                     int memberType, int index, const std::string& langCode);
    int DrawId(const char* sequenceName, int& counter);

    void EnsurePropertyItem(int propertyId);
    void EnsurePropertyInstance(int propertyId);
    void StorePropertyValue(int propertyId, const std::string& value);

    TAbstractDBConnection& connection_;
};
