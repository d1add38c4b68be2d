#pragma once
// A catalog-type definition as shipped: the text file that describes the
// definition catalog "t#N" of one catalog type (data/catalogtypes/catalog_<N>.xml,
// format in data/catalogtypes/README.md), and its conversion into the
// definition database that the catalog definition opens.
//
// The file lists items; each item carries its object instances and each
// object its member values, with the value kind (and so the value table)
// written out: String -> CStrings, Text -> CText, Number -> CNumbers,
// Date -> CDates, Binary -> CBinary. Binary values, and Text values that
// carry the attribute file, take their bytes from that file, named relative
// to the definition's folder (the shipped templates are read from
// data/templates and data/styles that way, not copied into every
// definition). Reading checks the whole file before anything is written; a
// file that breaks a rule raises ECriticalTolvexException naming the file and
// the line.
#include <string>
#include <utility>
#include <vector>

class TAbstractDBConnection;

// One member value of an object, as it goes into its value table.
struct TCatalogTypeValue {
    std::string table;             // "CStrings", "CText", "CNumbers", "CDates" or "CBinary"
    int memberId = 0;
    int memberType = 0;
    std::string langCode = "XXX";
    int indexId = 0;
    std::string text;              // CStrings and CText: the text; CBinary: the bytes
    double number = 0.0;           // CNumbers: the number; CDates: the day number
    std::string mimeType;          // CBinary
};

// One object instance of an item with its values.
struct TCatalogTypeObject {
    int classId = 0;
    int instanceId = 0;
    int parentInstanceId = 0;
    std::vector<TCatalogTypeValue> values;
};

// One row of the Items table with the objects of the item.
struct TCatalogTypeItem {
    int itemId = 0;
    int itemType = 0;
    int parentItemId = 0;
    int linkedItemId = 0;
    int orderNum = 0;
    bool notVisible = false;
    bool dontDelete = false;
    bool dontSort = false;
    std::string expandedImageCode;
    std::string collapsedImageCode;
    std::vector<TCatalogTypeObject> objects;
};

class TCatalogTypeData {
public:
    TCatalogTypeData(int catalogType, std::string catalogCode, std::vector<TCatalogTypeItem> items)
        : catalogType_(catalogType), catalogCode_(std::move(catalogCode)), items_(std::move(items))
    {
    }

    // Reads and checks a definition file. Raises ECriticalTolvexException
    // "<file>, line <n>: <what is wrong>" when the file cannot be read, is no
    // well-formed XML or breaks a rule of the format.
    static TCatalogTypeData ReadFile(const std::string& xmlFile);

    int CatalogType() const { return catalogType_; }
    // The code of the definition catalog, "t#" and the type number.
    const std::string& CatalogCode() const { return catalogCode_; }
    const std::vector<TCatalogTypeItem>& Items() const { return items_; }

    // Inserts the rows of every item into the catalog tables of the
    // connection's database (which must exist), every value bound as a
    // parameter, and the catalog's structure version into LocalSettings, so
    // that the definition catalog opens like any catalog. DateModified of
    // the items is the current time.
    void WriteRows(TAbstractDBConnection& connection) const;

private:
    int catalogType_ = 0;
    std::string catalogCode_;
    std::vector<TCatalogTypeItem> items_;
};

// Builds the definition database TargetSqliteFile (a path ending in
// ".sqlite") from XmlFile: the catalog tables are created and the rows
// written into a new database under a temporary name, which then replaces
// the target. A malformed file raises before anything is created; any
// failure leaves an existing target unchanged.
void BuildCatalogTypeDatabase(const std::string& xmlFile, const std::string& targetSqliteFile);
