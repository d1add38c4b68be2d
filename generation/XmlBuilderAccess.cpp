// The iteration modes of generation rules (ProcessFor Childs, AllChilds and
// BuildHierarchy), the member and XPath conditions, the access to objects of
// the open catalog or of a member catalog, and the item type filter.
#include "generation/XmlBuilder.h"

#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/MemberTypes.h"
#include "common/XmlPtr.h"
#include "generation/XmlBuilderNodes.h"
#include "storage/AbstractCClassDefinition.h"
#include "storage/AbstractDBQuery.h"
#include "storage/CatalogTables.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectCollection.h"
#include "storage/ObjectFactory.h"
#include "storage/QueryGuard.h"
#include "storage/TolvexObjectContext.h"
#include "storage/TolvexObjectFields.h"

#include <libxml/xpath.h>

#include <algorithm>
#include <memory>

using namespace xml_builder_nodes;

namespace {

constexpr const char* kMemberCatalogCode = "CoCMember";
constexpr const char* kMemberCatalogPrefix = "c#";

bool Contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Keeps the XPath parser's messages for the exception instead of printing them.
void KeepXPathError(void* userData, xmlError* error)
{
    if (error && error->message && static_cast<std::string*>(userData)->empty())
        *static_cast<std::string*>(userData) = error->message;
}

}  // namespace

// ---- member catalog and objects ------------------------------------------------------------------

bool TXmlBuilder::SelectDataCatalog(int itemId, const std::string& ruleCatalogCode)
{
    if (itemId == 0 || ruleCatalogCode != kMemberCatalogCode) {
        dataCatalogCode_ = openCatalogCode_;
        return true;
    }
    TAbstractCObject* member = Collection().GetObject(itemId, kMemberCatalogCode);
    if (!member)
        return true;
    const std::string code = member->GetString("CatalogCode", 0);
    dataCatalogCode_ = kMemberCatalogPrefix + code;
    return !code.empty();
}

TCObjectHandle TXmlBuilder::GetObject(int itemId, const std::string& classXmlTag)
{
    if (!ReadsMemberCatalog())
        return TCObjectHandle(Collection().GetObject(itemId, classXmlTag));
    const int classId = context_.GetClassId(classXmlTag);
    if (itemId == 0 || classId == 0)
        return nullptr;
    TTolvexObjectFactory factory(context_);
    return TCObjectHandle(factory.GetObject(itemId, classId, Connection(), dataCatalogCode_).release());
}

TCObjectHandle TXmlBuilder::GetObjectByInstance(int itemId, int instanceId)
{
    if (!ReadsMemberCatalog())
        return TCObjectHandle(Collection().GetObjectByInstance(itemId, instanceId));
    TTolvexObjectFactory factory(context_);
    return TCObjectHandle(factory.GetObjectByInstance(itemId, instanceId, Connection(), dataCatalogCode_).release());
}

// ---- conditions --------------------------------------------------------------------------------

bool TXmlBuilder::EvaluateCondition(TAbstractCObject& object, const TCondition& condition)
{
    if (condition.Kind == TCondition::ckXPath) {
        std::string expression = condition.Value;
        common_detail::ReplaceAll(expression, "@parentitemid", std::to_string(object.GetParentItemId()));
        common_detail::ReplaceAll(expression, "@treeitemid", std::to_string(object.GetItemId()));
        common_detail::ReplaceAll(expression, "@linkeditemid", std::to_string(object.GetLinkedItemId()));
        return EvaluateXPath(expression);
    }
    if (condition.Kind != TCondition::ckMember)
        return false;
    const TAbstractCClassDefinition* definition = object.GetClassDefinition();
    const int memberId = definition ? definition->GetMemberId(condition.Member) : 0;
    const int memberType = definition ? definition->GetMemberType(memberId) : 0;
    int order = 0;
    if (memberType >= kFirstIntegerMemberType) {
        const double value = object.GetNumber(condition.Member, 0);
        const double wanted = TMemberValueText::ReadFloat(condition.Value);
        order = value < wanted ? -1 : (value > wanted ? 1 : 0);
    } else {
        order = object.GetString(condition.Member, 0).compare(condition.Value);
    }
    switch (condition.Operator) {
    case '=': return order == 0;
    case '>': return order > 0;
    case '<': return order < 0;
    default: return false;
    }
}

bool TXmlBuilder::EvaluateRowCondition(int itemId, int linkedItemId, int parentItemId, int itemType,
                                       const TCondition& condition)
{
    if (condition.Kind != TCondition::ckXPath)
        return false;
    std::string expression = condition.Value;
    common_detail::ReplaceAll(expression, "@parentitemid", std::to_string(parentItemId));
    common_detail::ReplaceAll(expression, "@treeitemid", std::to_string(itemId));
    common_detail::ReplaceAll(expression, "@linkeditemid", std::to_string(linkedItemId));
    common_detail::ReplaceAll(expression, "@itemtype", std::to_string(itemType));
    return EvaluateXPath(expression);
}

// True when the expression selects a node of the page document as built so
// far. ECriticalTolvexException when it is no XPath expression.
bool TXmlBuilder::EvaluateXPath(const std::string& expression)
{
    const TXPathContextPtr context(xmlXPathNewContext(document_));
    if (!context)
        throw ECriticalTolvexException("Cannot build the page document");
    std::string error;
    context->error = KeepXPathError;
    context->userData = &error;
    const TXPathObjectPtr result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()));
    if (!result)
        throw ECriticalTolvexException("The condition \"" + expression +
                                       "\" of a generation rule is not a valid XPath expression" +
                                       (error.empty() ? "" : ": " + error));
    return result->type == XPATH_NODESET && result->nodesetval && result->nodesetval->nodeNr > 0;
}

std::string TXmlBuilder::GetItemTypeFilter(const std::vector<int>& itemTypes)
{
    if (itemTypes.empty())
        return {};
    std::string filter = " AND (";
    for (std::size_t i = 0; i < itemTypes.size(); ++i)
        filter += (i == 0 ? "ItemType = " : " OR ItemType = ") + std::to_string(itemTypes[i]);
    return filter + ") ";
}

// ---- ProcessFor ------------------------------------------------------------------------------

// The wrapper element of an iterated row: ItemId is the data item, TreeItemId the row's own item.
xmlNode* TXmlBuilder::IterationElement(xmlNode* target, const TItemRow& row)
{
    xmlNode* element = AddElement(document_, target, running_->processFor.ProcessForTagName);
    SetAttribute(element, "ItemId", row.LinkedItemId);
    SetAttribute(element, "TreeItemId", row.ItemId);
    return element;
}

void TXmlBuilder::ProcessForChilds(xmlNode* target)
{
    const TProcessForData& processFor = running_->processFor;
    const std::string sql = "SELECT ItemId, LinkedItemId, ItemType FROM Items WHERE CatalogCode = :CatalogCode AND "
                            "ParentItemId = :ParentItemId" + GetItemTypeFilter(processFor.ProcessForItemTypes) +
                            " AND (NotVisible IS NULL OR NotVisible = 0) ORDER BY OrderNum";
    for (const TItemRow& row : ReadItemRows(sql, {{"ParentItemId", processFor.ProcessForItemId}})) {
        if (Cancelled())
            return;
        xmlNode* element = processFor.ProcessForTagName.empty() ? target : IterationElement(target, row);
        ApplyAction(element, running_->rule, row.ItemType, row.ItemId, row.LinkedItemId, *running_->fields);
    }
}

// Visited holds the items whose children were iterated, so that a circle
// of parents in a damaged catalog ends.
void TXmlBuilder::ProcessForAllChilds(xmlNode* target, int parentId, std::set<int>& visited)
{
    if (Cancelled() || !visited.insert(parentId).second)
        return;
    const TProcessForData& processFor = running_->processFor;
    const std::string sql =
        "SELECT * FROM ( SELECT a.ItemId, a.ItemType, a.LinkedItemId, a.ParentItemId, a.OrderNum, (SELECT "
        "MAX(b.StringValue) FROM CStrings b WHERE b.CatalogCode = a.CatalogCode AND b.ItemId = a.LinkedItemId AND "
        "b.ClassId = 1 AND MemberId = 1 AND (LangCode = :LangCode OR LangCode = :AllLangCode) ) AS ItemName, "
        "(SELECT COUNT(*) FROM Items c WHERE c.CatalogCode = a.CatalogCode AND c.ParentItemId = a.ItemId) AS "
        "NumChilds FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = :ParentItemId AND "
        "(a.NotVisible IS NULL OR a.NotVisible = 0)) ORDER BY OrderNum, ItemName";
    xmlNode* current = target;
    for (const TItemRow& row :
         ReadItemRows(sql, {{"LangCode", context_.GetDefaultLangCode()}, {"ParentItemId", parentId}})) {
        if (Cancelled())
            return;
        if (Contains(processFor.ProcessForItemTypes, row.ItemType) &&
            (!processFor.Condition.Active ||
             EvaluateRowCondition(row.ItemId, row.LinkedItemId, row.ParentItemId, row.ItemType, processFor.Condition))) {
            if (!processFor.ProcessForTagName.empty()) {
                current = IterationElement(target, row);
                SetAttribute(current, "ParentItemId", row.ParentItemId);
                if (processFor.ProcessForItemTypes.size() > 1)
                    SetAttribute(current, "ItemType", row.ItemType);
            }
            ApplyAction(current, running_->rule, row.ItemType, row.ItemId, row.LinkedItemId, *running_->fields);
        }
        if (row.NumChilds > 0)
            ProcessForAllChilds(current, row.ItemId, visited);
    }
}

void TXmlBuilder::ProcessForBuildHierarchy(xmlNode* target, bool checkAll, int maxLevel, int level, int parentId,
                                           std::set<int>& visited)
{
    if (Cancelled() || !visited.insert(parentId).second)
        return;
    const TProcessForData& processFor = running_->processFor;
    const std::string filter = checkAll ? std::string() : GetItemTypeFilter(processFor.ProcessForItemTypes);
    const std::string sql =
        "SELECT * FROM ( SELECT a.ItemId, a.ItemType, a.LinkedItemId, a.ParentItemId, a.OrderNum, (SELECT COUNT(*) "
        "FROM Items b WHERE b.CatalogCode = a.CatalogCode AND b.ParentItemId = a.ItemId) AS NumChilds, (SELECT MAX( "
        "c.StringValue ) FROM CStrings c WHERE c.CatalogCode = a.CatalogCode AND c.ItemId = a.ItemId AND c.ClassId = "
        "1 AND c.MemberId = 1 AND (c.LangCode = :LangCode OR c.LangCode = :AllLangCode)) AS ItemName FROM Items a "
        "WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = :ParentItemId" + filter +
        " AND (NotVisible IS NULL OR NotVisible = 0) ) ORDER BY OrderNum, ItemName";
    xmlNode* current = target;
    for (const TItemRow& row :
         ReadItemRows(sql, {{"LangCode", context_.GetDefaultLangCode()}, {"ParentItemId", parentId}})) {
        if (Cancelled())
            return;
        if (!processFor.Condition.Active ||
            EvaluateRowCondition(row.ItemId, row.LinkedItemId, row.ParentItemId, row.ItemType, processFor.Condition)) {
            if (!processFor.ProcessForTagName.empty()) {
                current = IterationElement(target, row);
                SetAttribute(current, "ParentItemId", row.ParentItemId);
                SetAttribute(current, "Level", level);
                if (processFor.ProcessForAddItemType)
                    SetAttribute(current, "ItemType", row.ItemType);
            }
            const bool listed = processFor.ProcessForItemTypes.empty() ||
                                Contains(processFor.ProcessForItemTypes, row.ItemType);
            if (!checkAll || listed)
                ApplyAction(current, running_->rule, row.ItemType, row.ItemId, row.LinkedItemId, *running_->fields);
        }
        if (row.NumChilds > 0 && (maxLevel == 0 || level < maxLevel))
            ProcessForBuildHierarchy(current, checkAll, maxLevel, level + 1, row.ItemId, visited);
    }
}

// ---- rows -------------------------------------------------------------------------------------

// Every row of a listing of Items, read before any of them is worked on (the
// work runs further statements on the same connection). :CatalogCode is
// DataCatalogCode and :AllLangCode "XXX"; Params binds the rest.
std::vector<TXmlBuilder::TItemRow> TXmlBuilder::ReadItemRows(const std::string& sql, const TParams& params)
{
    TQueryGuard query(Connection());
    query->SetSQL(sql);
    query->SetParam("CatalogCode", dataCatalogCode_);
    if (sql.find(":AllLangCode") != std::string::npos)
        query->SetParam("AllLangCode", kNoLanguageCode);
    for (const auto& [name, value] : params)
        query->SetParam(name, value);
    std::vector<TItemRow> rows;
    TAbstractRecordset& records = query->Open(true);
    const auto read = [&](const char* field) {
        return records.HasField(field) ? object_fields::ToInt(records.Field(field)) : 0;
    };
    for (; !records.Eof(); records.Next())
        rows.push_back({read("ItemId"), read("ItemType"), read("LinkedItemId"), read("ParentItemId"), read("NumChilds")});
    query->Close();
    return rows;
}
