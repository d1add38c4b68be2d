#include "catalog/codes/CodeDatabase.h"

#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/RecordValues.h"

#include <string_view>

using std::to_string;

namespace {

constexpr const char* kPartColumns[] = {"Segment", "Family", "Class", "Commodity"};
constexpr int kCategoriesClassId = 8001;
constexpr int kCategoryMemberId = 2;

bool IsNumericSystem(TCodeSystem system)
{
    return CodeSystemInfo(system).Numeric;
}

// The start of a query of a category table, up to its WHERE: every column
// and NumChilds, how many categories name the row as their parent.
std::string CategoriesWithChildCount(const std::string& table)
{
    return "SELECT *, (SELECT COUNT(*) FROM " + table +
           " AS b WHERE b.CategoryParentId = a.CategoryId AND b.CategoryId <> a.CategoryId) AS NumChilds FROM " +
           table + " AS a WHERE ";
}

// A category id as text; 0 for a text that is none.
int CategoryId(const std::string& code)
{
    return TMemberValueText::ReadInteger(code);
}

}  // namespace

TCodeDatabase::TCodeDatabase(TCodeSystem system, TAbstractDBConnection& connection)
    : system_(system), connection_(connection)
{
}

TAbstractDBConnection& TCodeDatabase::ShippedConnection(TGlobalDefinition& definition, TCodeSystem system)
{
    switch (system) {
    case TCodeSystem::Unspsc: return definition.GetUnspscDatabase().GetConnection();
    case TCodeSystem::Harmonized: return definition.GetHarmonizedDatabase().GetConnection();
    case TCodeSystem::EBay: return definition.GetEBayDatabase().GetConnection();
    case TCodeSystem::Zarivuro: break;
    }
    return definition.GetZarivuroDatabase().GetConnection();
}

TCodeRow TCodeDatabase::ReadRow(const TAbstractRecordset& rows, bool withChildCount) const
{
    TCodeRow row;
    if (IsNumericSystem(system_)) {
        const int id = FieldInteger(rows, "CategoryId");
        const int parent = FieldInteger(rows, "CategoryParentId");
        row.Code = to_string(id);
        row.Name = FieldText(rows, "CategoryName");
        if (parent != id && parent > 0)
            row.ParentCode = to_string(parent);
        if (withChildCount)
            row.HasChildren = FieldInteger(rows, "NumChilds") > 0;
        return row;
    }
    const int parts = CodeSystemInfo(system_).Levels;
    for (int part = 0; part < parts; ++part)
        row.Code += FieldText(rows, kPartColumns[part]);
    row.Name = FieldText(rows, "DataValue");
    row.IsTolvexCode = FieldInteger(rows, "IsTolvexCode") > 0;
    const int level = CodeLevel(system_, row.Code);
    if (level > 0)
        row.ParentCode = AncestorCode(system_, row.Code, level - 1);
    row.HasChildren = level >= 0 && level < parts - 1;
    return row;
}

std::vector<TCodeRow> TCodeDatabase::Children(const std::string& parentCode, int level)
{
    return IsNumericSystem(system_) ? CategoryChildren(parentCode, level) : PartsChildren(parentCode, level);
}

std::vector<TCodeRow> TCodeDatabase::PartsChildren(const std::string& parentCode, int level)
{
    const TCodeSystemInfo& info = CodeSystemInfo(system_);
    if (level < 0 || level >= info.Levels)
        return {};
    std::string where;
    for (int part = 0; part < info.Levels; ++part) {
        where += part ? " AND " : "";
        where += kPartColumns[part];
        where += part < level ? " = :P" + to_string(part) : part == level ? " <> :Unset" : " = :Unset";
    }
    TQueryGuard query(connection_);
    query->SetSQL(std::string("SELECT * FROM ") + info.Table + " WHERE " + where +
                  " ORDER BY DataValue COLLATE NOCASE, Segment, Family, Class" +
                  (info.Levels > 3 ? ", Commodity" : ""));
    query->SetParam("Unset", UnsetCodePart(system_));
    for (int part = 0; part < level; ++part)
        query->SetParam("P" + to_string(part), CodePart(parentCode, part));
    std::vector<TCodeRow> result;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        result.push_back(ReadRow(rows, false));
    return result;
}

std::vector<TCodeRow> TCodeDatabase::CategoryChildren(const std::string& parentCode, int level)
{
    std::string sql = CategoriesWithChildCount(CodeSystemInfo(system_).Table);
    sql += level == 0 ? "CategoryLevel = 1" : "CategoryParentId = :Parent AND CategoryLevel = :Level";
    sql += " AND CategoryId >= 1 ORDER BY CategoryName COLLATE NOCASE, CategoryId";
    TQueryGuard query(connection_);
    query->SetSQL(sql);
    if (level > 0) {
        const int parent = CategoryId(parentCode);
        if (parent < 1)
            return {};
        query->SetParam("Parent", parent);
        query->SetParam("Level", level + 1);
    }
    std::vector<TCodeRow> result;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        result.push_back(ReadRow(rows, true));
    return result;
}

std::optional<TCodeRow> TCodeDatabase::Find(const std::string& code)
{
    const TCodeSystemInfo& info = CodeSystemInfo(system_);
    TQueryGuard query(connection_);
    if (info.Numeric) {
        const int id = CategoryId(code);
        if (id < 1)
            return std::nullopt;
        query->SetSQL(CategoriesWithChildCount(info.Table) + "CategoryId = :Id");
        query->SetParam("Id", id);
    } else {
        const int level = WrittenCodeLevel(system_, code);
        if (level < 0)
            return std::nullopt;
        std::string where;
        for (int part = 0; part < info.Levels; ++part)
            where += std::string(part ? " AND " : "") + kPartColumns[part] + " = :P" + to_string(part);
        query->SetSQL(std::string("SELECT * FROM ") + info.Table + " WHERE " + where);
        for (int part = 0; part < info.Levels; ++part)
            query->SetParam("P" + to_string(part), part <= level ? CodePart(code, part) : UnsetCodePart(system_));
    }
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return std::nullopt;
    return ReadRow(rows, info.Numeric);
}

std::vector<std::string> TCodeDatabase::Words(const std::string& keywords)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : keywords + " ") {
        if (c == ' ' || c == ';' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else
            word += c;
    }
    return words;
}

std::string TCodeDatabase::ContainsPattern(const std::string& word)
{
    std::string pattern = "%";
    for (const char c : word) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

std::vector<TCodeRow> TCodeDatabase::Search(const std::string& keywords)
{
    const std::vector<std::string> words = Words(keywords);
    if (words.empty())
        return {};
    const TCodeSystemInfo& info = CodeSystemInfo(system_);
    std::string where;
    for (std::size_t i = 0; i < words.size(); ++i)
        where += std::string(i ? " AND " : "") + info.NameColumn + " LIKE :K" + to_string(i) + "keyword ESCAPE '\\'";
    TQueryGuard query(connection_);
    query->SetSQL(std::string("SELECT * FROM ") + info.Table + " WHERE " + where);
    for (std::size_t i = 0; i < words.size(); ++i)
        query->SetParam("K" + to_string(i) + "keyword", ContainsPattern(words[i]));
    std::vector<TCodeRow> result;
    for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next()) {
        TCodeRow row = ReadRow(rows, false);
        if (!info.Numeric || CategoryId(row.Code) >= 1)
            result.push_back(std::move(row));
    }
    return result;
}

// ---- the partner category table ------------------------------------------------------------

std::optional<TPartnerCategory> TCodeDatabase::ReadCategory(int id)
{
    TQueryGuard query(connection_);
    query->SetSQL("SELECT * FROM ZUDICategories WHERE CategoryId = :CategoryId");
    query->SetParam("CategoryId", id);
    TAbstractRecordset& rows = query->Open(true);
    if (rows.Eof())
        return std::nullopt;
    TPartnerCategory category;
    category.Id = FieldInteger(rows, "CategoryId");
    category.Name = FieldText(rows, "CategoryName");
    category.ParentId = FieldInteger(rows, "CategoryParentId");
    category.Level = FieldInteger(rows, "CategoryLevel");
    category.Leaf = FieldInteger(rows, "LeafCategory") == 1;
    category.CatalogCode = FieldText(rows, "CatalogCode");
    return category;
}

int TCodeDatabase::CountChildren(int id)
{
    TQueryGuard query(connection_);
    query->SetSQL("SELECT COUNT(*) AS NumChilds FROM ZUDICategories WHERE CategoryParentId = :Id AND CategoryId <> :Id");
    query->SetParam("Id", id);
    return FieldInteger(query->Open(true), "NumChilds");
}

int TCodeDatabase::CountCategoryUsers(TAbstractDBConnection& catalog, int id)
{
    TQueryGuard query(catalog);
    query->SetSQL("SELECT COUNT(*) AS NumValues FROM CNumbers WHERE ClassId = " + to_string(kCategoriesClassId) +
                  " AND MemberId = " + to_string(kCategoryMemberId) + " AND NumberValue = :Id");
    query->SetParam("Id", id);
    return FieldInteger(query->Open(true), "NumValues");
}

int TCodeDatabase::CountOtherUsers(TAbstractDBConnection& catalog, const std::string& catalogCode, int exceptItem,
                                   int id)
{
    TQueryGuard query(catalog);
    query->SetSQL("SELECT COUNT(*) AS NumValues FROM CNumbers WHERE CatalogCode = :CatalogCode AND ClassId = " +
                  to_string(kCategoriesClassId) + " AND MemberId = " + to_string(kCategoryMemberId) +
                  " AND ItemId <> " + to_string(kCompanyItemId) + " AND ItemId <> :ItemId AND NumberValue = :Id");
    query->SetParam("CatalogCode", catalogCode);
    query->SetParam("ItemId", exceptItem);
    query->SetParam("Id", id);
    return FieldInteger(query->Open(true), "NumValues");
}

void TCodeDatabase::WriteCategory(const std::string& sql, const TPartnerCategory& category, int storedId)
{
    TQueryGuard query(connection_);
    query->SetSQL(sql);
    query->SetParam("CatalogCode", category.CatalogCode);
    query->SetParam("CategoryLevel", category.Level);
    query->SetParam("CategoryName", category.Name);
    query->SetParam("CategoryParentId", category.ParentId);
    query->SetParam("LeafCategory", category.Leaf ? 1 : 0);
    query->SetParam("CategoryId", category.Id);
    if (storedId != 0)
        query->SetParam("StoredId", storedId);
    query->ExecSQL();
}

TCategoryUpkeep TCodeDatabase::AddCategory(const TPartnerCategory& category)
{
    if (ReadCategory(category.Id))
        return TCategoryUpkeep::IdTaken;
    WriteCategory("INSERT INTO ZUDICategories (CatalogCode, CategoryLevel, CategoryName, CategoryParentId, "
                  "LeafCategory, CategoryId) VALUES (:CatalogCode, :CategoryLevel, :CategoryName, "
                  ":CategoryParentId, :LeafCategory, :CategoryId)",
                  category, 0);
    return TCategoryUpkeep::Done;
}

TCategoryUpkeep TCodeDatabase::UpdateCategory(int storedId, const TPartnerCategory& category, int users)
{
    if (!ReadCategory(storedId))
        return TCategoryUpkeep::NotFound;
    if (category.Id != storedId) {
        if (ReadCategory(category.Id))
            return TCategoryUpkeep::IdTaken;
        if (CountChildren(storedId) > 0)
            return TCategoryUpkeep::HasChildren;
        if (users > 0)
            return TCategoryUpkeep::InUse;
    }
    WriteCategory("UPDATE ZUDICategories SET CatalogCode = :CatalogCode, CategoryLevel = :CategoryLevel, "
                  "CategoryName = :CategoryName, CategoryParentId = :CategoryParentId, LeafCategory = :LeafCategory, "
                  "CategoryId = :CategoryId WHERE CategoryId = :StoredId",
                  category, storedId);
    return TCategoryUpkeep::Done;
}

TCategoryUpkeep TCodeDatabase::DeleteCategory(int id, int users)
{
    if (!ReadCategory(id))
        return TCategoryUpkeep::NotFound;
    if (CountChildren(id) > 0)
        return TCategoryUpkeep::HasChildren;
    if (users > 0)
        return TCategoryUpkeep::InUse;
    TQueryGuard query(connection_);
    query->SetSQL("DELETE FROM ZUDICategories WHERE CategoryId = :CategoryId");
    query->SetParam("CategoryId", id);
    query->ExecSQL();
    return TCategoryUpkeep::Done;
}
