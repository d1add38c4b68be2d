#pragma once
// Reading one code system's reference database (TCodeSystem): the nodes of
// its tree level by level, a code's row, keyword search; and, for the
// partner categories, their upkeep. Every value is bound; keywords are
// searched as they were typed (LIKE wildcards in them match themselves).
#include "catalog/codes/CodeSystem.h"

#include <optional>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TAbstractRecordset;
class TGlobalDefinition;

struct TCodeRow {
    std::string Code;
    std::string Name;
    // The parent's code; empty on the first level.
    std::string ParentCode;
    // The reference row marks the code for highlighting (UNSPSC, Harmonized).
    bool IsTolvexCode = false;
    bool HasChildren = false;
};

// A row of the partner category table.
struct TPartnerCategory {
    int Id = 0;
    std::string Name;
    int ParentId = 0;
    int Level = 0;
    bool Leaf = false;
    std::string CatalogCode;
};

enum class TCategoryUpkeep { Done, IdTaken, NotFound, HasChildren, InUse };

class TCodeDatabase {
public:
    // Connection: not owned; its statements commit by themselves.
    TCodeDatabase(TCodeSystem system, TAbstractDBConnection& connection);

    TCodeSystem System() const { return system_; }
    TAbstractDBConnection& Connection() const { return connection_; }
    // The connection of the system's database among the program's databases
    // (raises the fatal error of a database that cannot be opened).
    static TAbstractDBConnection& ShippedConnection(TGlobalDefinition& definition, TCodeSystem system);

    // The rows on Level (0 the first) under the node ParentCode (ignored on
    // level 0), in tree order: by name regardless of letter case, then code.
    std::vector<TCodeRow> Children(const std::string& parentCode, int level);
    // The row of a code; none when the table lacks it or the code is not one
    // of the system's.
    std::optional<TCodeRow> Find(const std::string& code);
    // The rows whose name holds every word of Keywords (words are parted by
    // blanks or ";"), in no particular order; none without words.
    std::vector<TCodeRow> Search(const std::string& keywords);
    // The words Search looks for.
    static std::vector<std::string> Words(const std::string& keywords);
    // A word as a LIKE pattern with "\" as the escape character: "%" and "_"
    // in it match themselves.
    static std::string ContainsPattern(const std::string& word);

    // ---- the partner category table ----------------------------------------------------
    std::optional<TPartnerCategory> ReadCategory(int id);
    int CountChildren(int id);
    // How many values of items of the catalog database Catalog name the category.
    static int CountCategoryUsers(TAbstractDBConnection& catalog, int id);
    // How many values of the catalog's items other than the company and
    // ExceptItem name the category.
    static int CountOtherUsers(TAbstractDBConnection& catalog, const std::string& catalogCode, int exceptItem,
                               int id);
    // Refused (IdTaken) when a category of that id exists.
    TCategoryUpkeep AddCategory(const TPartnerCategory& category);
    // The row that was read as StoredId gets the values. Refused when it is
    // gone (NotFound), and when the id changes to one that exists (IdTaken)
    // or away from one that has children or Users.
    TCategoryUpkeep UpdateCategory(int storedId, const TPartnerCategory& category, int users);
    // Refused when the category has children or Users.
    TCategoryUpkeep DeleteCategory(int id, int users);

private:
    TCodeRow ReadRow(const TAbstractRecordset& rows, bool withChildCount) const;
    std::vector<TCodeRow> PartsChildren(const std::string& parentCode, int level);
    std::vector<TCodeRow> CategoryChildren(const std::string& parentCode, int level);
    void WriteCategory(const std::string& sql, const TPartnerCategory& category, int storedId);

    TCodeSystem system_;
    TAbstractDBConnection& connection_;
};
