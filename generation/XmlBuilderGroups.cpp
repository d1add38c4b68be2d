// The actions of generation rules that write data other than plain lists
// of objects: groups of an item's objects with their maxima, minima and
// sums (GroupData), counts of a member's values (Statistic), class
// descriptions (ClassInfo) and the trade-portal category tree (CategoryInfo).
#include "generation/XmlBuilder.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Log.h"
#include "common/MemberTypes.h"
#include "common/ParamList.h"
#include "common/Translation.h"
#include "generation/GenerationCatalog.h"
#include "generation/XmlBuilderNodes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"

#include <algorithm>
#include <map>
#include <utility>

using namespace xml_builder_nodes;

namespace {

constexpr const char* kCategoryDatabaseName = "zarivuro";

// The working lists of GroupData.
//
// A group key is made of one part per GroupBy member, joined by ";": a
// single member gives its integer value, a multiple member its values
// sorted as texts and joined by ":". Every value is URL-encoded before it
// is joined (and the joined values of a multiple member once more), so a
// value holding ";", ":", "+", "%" or a quote keeps its place in the key
// and reads back unchanged when the key is split and decoded.
struct TGroupWork {
    struct TGroupMember {
        std::string tag;
        bool multiple = false;
    };
    struct TAggregate {
        std::string function;  // "Max", "Min" or "Sum"
        std::string member;
        int memberType = 0;
    };

    std::vector<TGroupMember> members;
    std::vector<TAggregate> aggregates;
    std::vector<std::string> keys;                        // in the order first met
    std::vector<std::map<std::string, double>> results;   // per key: function + member, lower case

    explicit TGroupWork(const TGenerationRule& rule)
    {
        for (const std::string& tag : rule.Values("GroupBy"))
            members.push_back({tag, false});
        for (const std::string& field : rule.Fields()) {
            const std::string name = TParamList::NameOf(field);
            if (name == "Max" || name == "Min" || name == "Sum")
                aggregates.push_back({name, TParamList::ValueOf(field), 0});
        }
    }

    // Member kinds and types come from the class of the first object.
    void ReadMembers(const TAbstractCClassDefinition* definition)
    {
        for (TGroupMember& member : members)
            member.multiple = definition && (definition->GetMemberFlags(definition->GetMemberId(member.tag)) & mfIsMultiple);
        for (TAggregate& aggregate : aggregates)
            aggregate.memberType = definition ? definition->GetMemberType(definition->GetMemberId(aggregate.member)) : 0;
    }

    std::string KeyOf(TAbstractCObject& object) const
    {
        std::string key;
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (i > 0)
                key += ";";
            key += TParamList::UrlEncode(PartOf(object, members[i]));
        }
        return key;
    }

    static std::string PartOf(TAbstractCObject& object, const TGroupMember& member)
    {
        if (!member.multiple)
            return std::to_string(object.GetInteger(member.tag, 0));
        std::vector<std::string> values;
        object.GetValues(member.tag, nullptr, values);
        std::sort(values.begin(), values.end());
        std::string part;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                part += ':';
            part += TParamList::UrlEncode(values[i]);
        }
        return part;
    }

    // The index of the key's group, made when the key is new (keys compare ignoring case).
    std::size_t GroupOf(const std::string& key)
    {
        const auto found = std::find_if(keys.begin(), keys.end(),
                                        [&](const std::string& k) { return common_detail::SameText(k, key); });
        if (found != keys.end())
            return static_cast<std::size_t>(found - keys.begin());
        keys.push_back(key);
        results.emplace_back();
        return keys.size() - 1;
    }

    void Aggregate(TAbstractCObject& object, std::size_t group)
    {
        for (const TAggregate& aggregate : aggregates) {
            const double value = object.GetNumber(aggregate.member, 0);
            const std::string slot = common_detail::LowerCase(aggregate.function + aggregate.member);
            std::map<std::string, double>& slots = results[group];
            const auto found = slots.find(slot);
            if (aggregate.function == "Sum") {
                slots[slot] = (found == slots.end() ? 0 : found->second) + value;
            } else {
                const bool isMax = aggregate.function == "Max";
                const double current = found != slots.end() ? found->second : (isMax ? -2e60 : 2e60);
                if (isMax ? value > current : value < current)
                    slots[slot] = value;
            }
        }
    }

    double Result(std::size_t group, const TAggregate& aggregate) const
    {
        const auto& slots = results[group];
        const auto found = slots.find(common_detail::LowerCase(aggregate.function + aggregate.member));
        return found == slots.end() ? 0 : found->second;
    }
};

void AddTextElement(xmlDoc* doc, xmlNode* parent, const std::string& name, const std::string& text)
{
    AddText(doc, AddElement(doc, parent, name), text);
}

}  // namespace

// ---- GroupData ---------------------------------------------------------------------------------

void TXmlBuilder::WriteGroupData(xmlNode* target, int id, const std::string& itemTagName,
                                 const std::vector<std::string>& classXmlTags, const TGenerationRule& rule)
{
    if (log_) {
        if (log_->IsCancelled())
            return;
        const char* const line = "Group data item id - $1";
        log_->AddLine(TTranslation::OrEnglish(translation_).Format(line, {id}));
    }
    TGroupWork work(rule);
    std::string classFilter;
    for (std::size_t i = 0; i < classXmlTags.size(); ++i)
        classFilter += (i == 0 ? " AND (ClassId = " : " OR ClassId = ") + std::to_string(context_.GetClassId(classXmlTags[i]));
    if (!classFilter.empty())
        classFilter += ") ";
    std::vector<int> instanceIds;
    {
        TQueryGuard query(Connection());
        query->SetSQL("SELECT * FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ItemId = " +
                      std::to_string(id) + classFilter);
        query->SetParam("CatalogCode", dataCatalogCode_);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            instanceIds.push_back(object_fields::ToInt(rows.Field("InstanceId")));
        query->Close();
    }
    bool first = true;
    for (const int instanceId : instanceIds) {
        if (Cancelled())
            return;
        TCObjectHandle object = GetObjectByInstance(id, instanceId);
        if (!object)
            continue;
        if (std::exchange(first, false))
            work.ReadMembers(object->GetClassDefinition());
        work.Aggregate(*object, work.GroupOf(work.KeyOf(*object)));
    }
    if (work.keys.empty())
        return;
    SetAttribute(target, "ItemId", id);
    for (std::size_t group = 0; group < work.keys.size(); ++group) {
        const std::vector<std::string> parts = TParamList::SplitFields(work.keys[group], ';', true);
        xmlNode* element = itemTagName.empty() ? target : AddElement(document_, target, itemTagName);
        for (std::size_t i = 0; i < work.members.size() && i < parts.size(); ++i) {
            const TGroupWork::TGroupMember& member = work.members[i];
            if (!member.multiple) {
                AddTextElement(document_, element, member.tag, parts[i]);
                continue;
            }
            for (const std::string& value : TParamList::SplitFields(parts[i], ':', true))
                AddTextElement(document_, element, member.tag, value);
        }
        for (const TGroupWork::TAggregate& aggregate : work.aggregates) {
            const double value = work.Result(group, aggregate);
            AddTextElement(document_, element, aggregate.function + aggregate.member,
                           aggregate.memberType == kAmountMemberType ? TMemberValueText::FormatTwoDecimals(value)
                                                                       : TMemberValueText::FormatShort(value));
        }
    }
}

// ---- Statistic ----------------------------------------------------------------------------------

namespace {

// The value column of a value table; empty for no table.
std::string ValueColumn(const std::string& table)
{
    static const std::map<std::string, std::string> columns = {
        {"CStrings", "StringValue"}, {"CText", "TextValue"}, {"CNumbers", "NumberValue"},
        {"CDates", "DateValue"},     {"CBinary", "DataCrc"},
    };
    const auto found = columns.find(table);
    return found == columns.end() ? std::string() : found->second;
}

}  // namespace

void TXmlBuilder::WriteStatistic(xmlNode* target, const TRuleData& ruleData, const std::string& memberXmlTag)
{
    if (ruleData.ClassXmlTags.empty())
        return;
    const int classId = context_.GetClassId(ruleData.ClassXmlTags.front());
    const TAbstractCClassDefinition* definition = classId != 0 ? context_.GetClassDefinition(classId) : nullptr;
    const int memberId = definition ? definition->GetMemberId(memberXmlTag) : 0;
    if (memberId == 0)
        return;
    const std::string table = TCatalogTables::ValueTable(definition->GetMemberType(memberId));
    const std::string column = ValueColumn(table);
    if (column.empty())
        return;
    std::string filter = GetItemTypeFilter(ruleData.ItemTypes);
    if (!filter.empty())
        filter = " AND a.ItemId IN (SELECT b.ItemId FROM Items b WHERE b.CatalogCode = a.CatalogCode AND b.ItemId = "
                 "a.ItemId " + filter + ")";
    std::vector<std::pair<std::string, int>> counts;
    {
        TQueryGuard query(Connection());
        query->SetSQL("SELECT a." + column + " AS FieldValue, COUNT(*) AS NumValues FROM " + table +
                      " a WHERE a.CatalogCode = :CatalogCode AND a.ClassId = " + std::to_string(classId) +
                      " AND a.MemberId = " + std::to_string(memberId) + filter + " GROUP BY a." + column);
        query->SetParam("CatalogCode", dataCatalogCode_);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            counts.emplace_back(object_fields::ToText(rows.Field("FieldValue")),
                                object_fields::ToInt(rows.Field("NumValues")));
        query->Close();
    }
    for (const auto& [value, count] : counts) {
        if (Cancelled())
            return;
        xmlNode* element = AddElement(document_, target, memberXmlTag);
        SetAttribute(element, "NumValues", count);
        AddText(document_, element, value);
    }
}

// ---- ClassInfo, CategoryInfo ----------------------------------------------------------------------

void TXmlBuilder::WriteClassInfo(xmlNode* target, const std::vector<std::string>& classXmlTags)
{
    for (const std::string& tag : classXmlTags) {
        const int classId = context_.GetClassId(tag);
        if (TAbstractCClassDefinition* definition = classId != 0 ? context_.GetClassDefinition(classId) : nullptr)
            definition->WriteXml(document_, target);
    }
}

void TXmlBuilder::WriteCategoryInfo(xmlNode* target, const std::string& categoryName)
{
    if (common_detail::LowerCase(categoryName) != kCategoryDatabaseName)
        return;
    if (TAbstractDBConnection* connection = catalog_.GetCategoryConnection())
        WriteCategoryLevel(*connection, target, 1, 1);
}

// Writes the categories of one level under a parent category and answers
// how many of them are leaves. Each level asks for the next CategoryLevel,
// so the descent ends with the deepest level of the table.
int TXmlBuilder::WriteCategoryLevel(TAbstractDBConnection& connection, xmlNode* parent, int level, int parentCategory)
{
    struct TCategory {
        std::string name, id, level, parent;
        int categoryId = 0;
        bool leaf = false;
    };
    std::vector<TCategory> categories;
    {
        TQueryGuard query(connection);
        query->SetSQL("SELECT * FROM ZUDICategories WHERE CategoryLevel = " + std::to_string(level) +
                      " AND CategoryParentId = " + std::to_string(parentCategory) + " ORDER BY CategoryName");
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            categories.push_back({object_fields::ToText(rows.Field("CategoryName")),
                                  object_fields::ToText(rows.Field("CategoryId")),
                                  object_fields::ToText(rows.Field("CategoryLevel")),
                                  object_fields::ToText(rows.Field("CategoryParentId")),
                                  object_fields::ToInt(rows.Field("CategoryId")),
                                  object_fields::ToInt(rows.Field("LeafCategory")) != 0});
        query->Close();
    }
    int leaves = 0;
    for (const TCategory& category : categories) {
        if (Cancelled())
            break;
        xmlNode* element = AddElement(document_, parent, "Category");
        SetAttribute(element, "Name", category.name);
        SetAttribute(element, "Id", category.id);
        SetAttribute(element, "Level", category.level);
        SetAttribute(element, "Parent", category.parent);
        if (category.leaf)
            ++leaves;
        else
            SetAttribute(element, "NumChilds", WriteCategoryLevel(connection, element, level + 1, category.categoryId));
    }
    return leaves;
}
