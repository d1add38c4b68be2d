#include "catalog/ItemCopier.h"

#include "storage/AbstractCatalog.h"
#include "catalog/CatalogItemsSql.h"
#include "common/Translation.h"
#include "common/WellKnownIds.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/CatalogTables.h"
#include "storage/IdRanges.h"
#include "storage/ObjectFactory.h"
#include "storage/TolvexObject.h"
#include "storage/UnitOfWorkScope.h"

#include <utility>
#include <vector>

using namespace catalog_sql;
using std::to_string;

namespace {

// A copy goes this far after the last of its siblings.
constexpr std::int64_t kCopyOrderStep = 10;

// The value tables of an item with the columns a copy takes over besides
// CatalogCode and ItemId.
const std::pair<const char*, const char*> kCopiedTables[] = {
    {"CObjectInstances", "ClassId, InstanceId, ParentInstanceId"},
    {"CBinary", "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, DataBytes, DataCrc, DataMimeType, "
                "DataBlob"},
    {"CDates", "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, DateValue"},
    {"CNumbers", "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, NumberValue"},
    {"CStrings", "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, StringValue"},
    {"CText", "ClassId, InstanceId, MemberId, LangCode, IndexId, MemberType, TextValue"},
};

std::int64_t Int64Of(const TVariant& value)
{
    switch (value.Kind()) {
    case TVariantKind::Integer: return value.AsInteger();
    case TVariantKind::Float: return static_cast<std::int64_t>(value.AsFloat());
    default: return 0;
    }
}

}  // namespace

int TItemCopier::CopyItem(int sourceId, int wantedId, TAbstractDBConnection& connection)
{
    const std::string code = catalog_.GetCatalogCode();
    const std::vector<TVariant> source = FirstRow(
        connection, "SELECT LinkedItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(sourceId),
        code, {"LinkedItemId"});
    if (source.empty())
        return 0;  // nothing to copy: no id is used up
    const int newId = NewItemId(wantedId, connection);
    const std::int64_t orderNum = CopyOrderNum(sourceId, connection);
    const int sourceLinkedId = IntOf(source.front());
    const bool dataItem = sourceLinkedId == sourceId;

    TUnitOfWorkScope unit(connection);
    unit.Enter("Items");
    CopyRows(sourceId, newId, dataItem ? newId : sourceLinkedId, orderNum, connection);
    // A placement shows its data item's name, which is the source's too.
    if (dataItem)
        RenameCopy(newId, connection);
    unit.Commit();
    return newId;
}

int TItemCopier::NewItemId(int wantedId, TAbstractDBConnection& connection)
{
    const std::string code = catalog_.GetCatalogCode();
    if (wantedId > kLastRootItemId &&
        !HasRow(connection,
                "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(wantedId), code))
        return wantedId;
    return LocalIdFromSequence(catalog_.GetConnectionFactory().NextSequenceId(code, kItemsSequence));
}

std::int64_t TItemCopier::CopyOrderNum(int sourceId, TAbstractDBConnection& connection)
{
    const std::int64_t last = Int64Of(FirstField(
        connection,
        "SELECT MAX( OrderNum ) AS MaxOrderNum FROM Items AS a WHERE a.CatalogCode = :CatalogCode AND "
        "a.ParentItemId IN (SELECT b.ParentItemId FROM Items AS b WHERE b.CatalogCode = a.CatalogCode AND "
        "b.ItemId = " + to_string(sourceId) + ")",
        catalog_.GetCatalogCode(), "MaxOrderNum"));
    return last == 0 ? 0 : last + kCopyOrderStep;
}

void TItemCopier::CopyRows(int sourceId, int newId, int linkedId, std::int64_t orderNum,
                           TAbstractDBConnection& connection)
{
    const std::string code = catalog_.GetCatalogCode();
    const std::string fromSource = " WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(sourceId);
    Exec(connection,
         "INSERT INTO Items( CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, DontDelete, DontSort, "
         "NotVisible, IsSynchronized, ExpandedImageCode, CollapsedImageCode, OrderNum, UserPriority, DateModified ) "
         "SELECT CatalogCode, " + to_string(newId) + " AS ItemId, ItemType, ParentItemId, " + to_string(linkedId) +
             " AS LinkedItemId, DontDelete, DontSort, NotVisible, 0 AS IsSynchronized, ExpandedImageCode, "
             "CollapsedImageCode, " + to_string(orderNum) + " AS OrderNum, UserPriority, :CurrentDate FROM Items" +
             fromSource,
         code, {{"CurrentDate", Now()}});
    for (const auto& [table, columns] : kCopiedTables)
        Exec(connection,
             std::string("INSERT INTO ") + table + "( CatalogCode, ItemId, " + columns + " ) SELECT CatalogCode, " +
                 to_string(newId) + " AS ItemId, " + columns + " FROM " + table + fromSource,
             code);
    // A tombstone of a reused id would make the synchronisation delete the copy.
    Exec(connection, "DELETE FROM DeletedItems WHERE CatalogCode = :CatalogCode AND ItemId = " + to_string(newId),
         code);
}

void TItemCopier::RenameCopy(int newId, TAbstractDBConnection& connection)
{
    TTolvexObjectFactory factory(context_);
    const std::unique_ptr<TTolvexObject> names =
        factory.GetObjectTyped(newId, kNamesClassId, connection, catalog_.GetCatalogCode());
    const TTranslation untranslated;
    const auto renamed = [&](const std::string& name) {
        return untranslated.Format("$1 ($2)", {name, newId}, false);
    };
    // The names are read before any is written: a language without a name
    // of its own shows the default language's, which is renamed already.
    // A name under "XXX" serves every language and is renamed as well.
    const std::string defaultLang = catalog_.GetDefaultLangCode();
    std::vector<std::string> languages = catalog_.GetLanguages();
    languages.push_back(kNoLanguageCode);
    std::vector<std::pair<std::string, std::string>> otherNames;
    for (const std::string& lang : languages) {
        if (lang == defaultLang)
            continue;
        std::vector<std::string> values;
        names->GetValuesById(kItemNameMemberId, lang, nullptr, values);
        if (!values.empty() && !values.front().empty())
            otherNames.emplace_back(lang, values.front());
    }
    names->SetStringById(kItemNameMemberId, defaultLang, renamed(names->GetStringById(kItemNameMemberId, defaultLang, 0)),
                         0);
    for (const auto& [lang, name] : otherNames)
        names->SetStringById(kItemNameMemberId, lang, renamed(name), 0);
    names->Save();
}
