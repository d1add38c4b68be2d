// The actions of generation rules that select items of the catalog tree and
// write their objects: the item itself, its children or descendants, its
// ancestors, a navigation menu, the items an object refers to, tree data.
#include "generation/XmlBuilder.h"

#include "generation/GenerationCatalog.h"
#include "generation/XmlBuilderNodes.h"
#include "generation/XmlBuilderRunCache.h"
#include "storage/IdRanges.h"
#include "storage/MemberValueText.h"
#include "storage/ObjectCollection.h"
#include "storage/TolvexObjectContext.h"

#include <libxml/tree.h>

#include <algorithm>
#include <functional>

using namespace xml_builder_nodes;

namespace {

bool Contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The name of an item in :LangCode or "XXX", ordering the listings.
std::string NameColumn(const std::string& nameOf, const std::string& alias, const std::string& langParam)
{
    return "(SELECT MAX( " + alias + ".StringValue ) FROM CStrings " + alias + " WHERE " + alias +
           ".CatalogCode = a.CatalogCode AND " + alias + ".ItemId = a." + nameOf + " AND " + alias +
           ".ClassId = 1 AND " + alias + ".MemberId = 1 AND (" + alias + ".LangCode = :" + langParam + " OR " +
           alias + ".LangCode = :AllLangCode)) AS ItemName";
}

}  // namespace

// The objects of ItemId, one per class tag, written into Element.
void TXmlBuilder::WriteObjects(xmlNode* element, int itemId, const std::vector<std::string>& classXmlTags,
                               const std::string& attrName, const std::string& attrValue, int flags)
{
    for (const std::string& tag : classXmlTags)
        if (TCObjectHandle object = GetObject(itemId, tag))
            object->WriteXml(document_, element, attrName, attrValue, flags);
}

// ---- Object, AllObjects ---------------------------------------------------------------------

void TXmlBuilder::WriteObject(xmlNode* target, int id, const std::vector<std::string>& classXmlTags)
{
    if (id == 0 || !LogItem(id))
        return;
    WriteObjects(target, id, classXmlTags, "", "", ReadsMemberCatalog() ? oxCatalogCode : 0);
    if (!addPageItemId_)
        return;
    if (const int pageItemId = catalog_.FindVisibleLinkCopy(id, dataCatalogCode_, Connection()); pageItemId != 0)
        SetAttribute(target, "PageItemId", pageItemId);
}

void TXmlBuilder::WriteAllObjects(xmlNode* target, int id, const std::vector<std::string>& classXmlTags)
{
    if (id == 0 || !LogItem(id))
        return;
    for (const std::string& tag : classXmlTags) {
        std::vector<std::string> instanceIds;
        Collection().GetInstanceIds(id, context_.GetClassId(tag), instanceIds);
        for (const std::string& instanceId : instanceIds) {
            if (Cancelled())
                return;
            if (TCObjectHandle object = GetObjectByInstance(id, TMemberValueText::ReadInteger(instanceId)))
                object->WriteXml(document_, target, "", "", 0);
        }
    }
}

// ---- Childs, AllChilds ------------------------------------------------------------------------

void TXmlBuilder::WriteChilds(xmlNode* target, int id, const std::vector<int>& itemTypes,
                              const std::vector<std::string>& classXmlTags, const std::string& itemTagName)
{
    if (Cancelled())
        return;
    const std::string sql = "SELECT * FROM (SELECT a.OrderNum, a.ItemId, a.LinkedItemId, " +
                            NameColumn("ItemId", "b", "LangCode") +
                            " FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = :ParentItemId" +
                            GetItemTypeFilter(itemTypes) + " AND a.NotVisible = 0) ORDER BY OrderNum, ItemName";
    for (const TItemRow& row : ReadItemRows(sql, {{"LangCode", context_.GetCurrentLangCode()}, {"ParentItemId", id}})) {
        if (!LogItem(row.ItemId))
            return;
        xmlNode* element = itemTagName.empty() ? target : AddElement(document_, target, itemTagName);
        WriteObjects(element, row.ItemId, classXmlTags, "", "", 0);
    }
}

void TXmlBuilder::WriteAllChilds(xmlNode* target, int parentId, int level, const TCondition& condition,
                                 const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags,
                                 const std::string& itemTagName)
{
    std::set<int> visited;
    WriteAllChildsOf(target, parentId, level, condition, itemTypes, classXmlTags, itemTagName, visited);
}

// Visited holds the items whose children were listed: an item that comes
// round again in a circle of parents is not descended into twice.
void TXmlBuilder::WriteAllChildsOf(xmlNode* target, int parentId, int level, const TCondition& condition,
                                   const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags,
                                   const std::string& itemTagName, std::set<int>& visited)
{
    if (Cancelled() || !visited.insert(parentId).second)
        return;
    const std::string sql =
        "SELECT * FROM ( SELECT a.ItemId, a.ItemType, a.LinkedItemId, a.ParentItemId, a.OrderNum, " +
        NameColumn("LinkedItemId", "b", "LangCode") +
        ", (SELECT COUNT(*) FROM Items c WHERE c.CatalogCode = a.CatalogCode AND c.ParentItemId = a.ItemId) "
        "AS NumChilds FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = :ParentItemId AND "
        "(a.NotVisible IS NULL OR a.NotVisible = 0)) ORDER BY OrderNum, ItemName";
    for (const TItemRow& row :
         ReadItemRows(sql, {{"LangCode", context_.GetDefaultLangCode()}, {"ParentItemId", parentId}})) {
        if (Cancelled())
            return;
        if (Contains(itemTypes, row.ItemType) &&
            (!condition.Active ||
             EvaluateRowCondition(row.ItemId, row.LinkedItemId, row.ParentItemId, row.ItemType, condition))) {
            if (!LogItem(row.LinkedItemId))
                return;
            xmlNode* element = itemTagName.empty() ? target : AddElement(document_, target, itemTagName);
            WriteObjects(element, row.ItemId, classXmlTags, "Level", std::to_string(level), oxParentItemId);
        }
        if (row.NumChilds > 0)
            WriteAllChildsOf(target, row.ItemId, level + 1, condition, itemTypes, classXmlTags, itemTagName, visited);
    }
}

// ---- Hierarchy ----------------------------------------------------------------------------------

void TXmlBuilder::WriteHierarchy(xmlNode* target, int id, int itemType, const std::vector<std::string>& classXmlTags)
{
    if (id == 0)
        return;
    int counter = 0;
    std::set<int> visited;
    do {
        if (Cancelled() || !visited.insert(id).second)
            return;
        const std::vector<TItemRow> rows =
            ReadItemRows("SELECT ItemId, ParentItemId, ItemType, LinkedItemId FROM Items WHERE CatalogCode = "
                         ":CatalogCode AND ItemId = :ItemId", {{"ItemId", id}});
        if (rows.empty())
            return;
        const TItemRow& row = rows.front();
        if (itemType == 0 || itemType == row.ItemType)
            for (const std::string& tag : classXmlTags)
                if (TCObjectHandle object = GetObject(row.ItemId, tag))
                    object->WriteXml(document_, target, "Level", std::to_string(++counter), 0);
        id = row.ParentItemId;
    } while (!IsRootItemId(id));
}

// ---- HierarchyAndRoot ---------------------------------------------------------------------------

struct TXmlBuilder::TMenu {
    xmlNode* target = nullptr;
    const std::vector<std::string>* classXmlTags = nullptr;
    const std::vector<int>* itemTypes = nullptr;
    int countChildItemType = 0;
    int indent = 0;
};

void TXmlBuilder::WriteHierarchyAndRoot(xmlNode* target, int rootId, int itemId, int treeItemId,
                                        const std::vector<int>& itemTypes,
                                        const std::vector<std::string>& classXmlTags, int countChildItemType)
{
    if (rootId == 0 || itemId == 0)
        return;
    const std::vector<int> path = catalog_.GetItemPath(treeItemId, itemTypes, dataCatalogCode_, Connection());
    int selected = treeItemId;
    TMenu menu{target, &classXmlTags, &itemTypes, countChildItemType, 0};
    for (const int child : MenuRows(rootId, itemTypes)) {
        if (Cancelled())
            return;
        menu.indent = 0;
        WriteMenuItem(menu, child);
        const auto found = std::find(path.begin(), path.end(), child);
        if (found == path.end())
            continue;
        selected = path.front();
        const std::size_t position = static_cast<std::size_t>(found - path.begin());
        if (position == 0)
            WriteMenuChildren(menu, ReadMenuChildren(selected, itemTypes));
        else
            WriteMenuPath(menu, path, position, selected);
    }
    SetAttribute(target, "SelectedItemId", selected);
}

// The path below a child of the root: the path's items down to the
// selected one, which is written among its siblings, followed by its children.
void TXmlBuilder::WriteMenuPath(TMenu& menu, const std::vector<int>& path, std::size_t position, int& selected)
{
    for (std::size_t i = position; i-- > 0;) {
        if (Cancelled())
            return;
        ++menu.indent;
        if (i > 0) {
            WriteMenuItem(menu, path[i]);
            continue;
        }
        const std::vector<int> siblings = MenuRows(path[1], *menu.itemTypes);
        std::vector<int> children;
        if (std::find(siblings.begin(), siblings.end(), selected) != siblings.end())
            children = ReadMenuChildren(selected, *menu.itemTypes);
        if (children.empty()) {
            WriteMenuSiblings(menu, path[1], siblings);
            continue;
        }
        for (const int sibling : siblings) {
            WriteMenuItem(menu, sibling);
            if (sibling == selected)
                WriteMenuChildren(menu, children);
        }
    }
}

// The entries of the selected page and its siblings when nothing is written
// between them: the same on every page below Parent (a story among a
// hundred in its section), so with the run cache they are written once and
// then copied as one run of elements.
void TXmlBuilder::WriteMenuSiblings(TMenu& menu, int parentId, const std::vector<int>& siblings)
{
    const auto writeAll = [&] {
        for (const int sibling : siblings) {
            if (Cancelled())
                return false;
            WriteMenuItem(menu, sibling);
        }
        return true;
    };
    if (!runCache_)
        writeAll();
    else
        WriteKeptOnce(menu, MenuEntryKey("siblings", parentId, menu), writeAll);
}

// What Write appends to the menu, kept under Key the first time in a run
// and copied on the pages that follow; nothing is kept when Write answers
// false (cancelled halfway).
void TXmlBuilder::WriteKeptOnce(TMenu& menu, const std::string& key, const std::function<bool()>& write)
{
    if (runCache_->CopyElements(key, document_, menu.target))
        return;
    xmlNode* last = menu.target->last;
    if (write())
        runCache_->RememberElements(key, last ? last->next : menu.target->children);
}

// The key of a menu's rows or entry in the run cache: what the result depends on.
std::string TXmlBuilder::MenuKey(const std::string& what, int itemId, const std::vector<int>& itemTypes) const
{
    std::string key = what + '\0' + dataCatalogCode_ + '\0' + std::to_string(itemId) + '\0' +
                      context_.GetCurrentLangCode() + '\0' + context_.GetDefaultLangCode();
    for (const int type : itemTypes)
        key += ',' + std::to_string(type);
    return key;
}

// The key of what a menu writes for ItemId (an entry, or the entries below
// it) in the run cache: the menu's item types, level and objects count too.
std::string TXmlBuilder::MenuEntryKey(const std::string& what, int itemId, const TMenu& menu) const
{
    std::vector<int> shape = *menu.itemTypes;
    shape.push_back(-1);
    shape.push_back(menu.countChildItemType);
    shape.push_back(menu.indent);
    std::string key = MenuKey(what, itemId, shape);
    for (const std::string& tag : *menu.classXmlTags)
        key += '\0' + tag;
    return key;
}

std::vector<int> TXmlBuilder::MenuRows(int parentId, const std::vector<int>& itemTypes)
{
    if (!runCache_)
        return ReadMenuRows(parentId, itemTypes);
    return runCache_->Ids(MenuKey("rows", parentId, itemTypes), [&] { return ReadMenuRows(parentId, itemTypes); });
}

std::vector<int> TXmlBuilder::ReadMenuRows(int parentId, const std::vector<int>& itemTypes)
{
    const std::string sql = "SELECT * FROM (SELECT a.ItemId, a.OrderNum, " + NameColumn("ItemId", "b", "DefLangCode") +
                            " FROM Items a WHERE a.CatalogCode = :CatalogCode AND a.ParentItemId = :ParentItemId" +
                            GetItemTypeFilter(itemTypes) + " AND a.NotVisible = 0) ORDER BY OrderNum, ItemName";
    std::vector<int> ids;
    for (const TItemRow& row :
         ReadItemRows(sql, {{"DefLangCode", context_.GetDefaultLangCode()}, {"ParentItemId", parentId}}))
        ids.push_back(row.ItemId);
    return ids;
}

// A menu entry is the same on every page of a run: its elements are
// written once and copied afterwards.
void TXmlBuilder::WriteMenuItem(TMenu& menu, int itemId)
{
    if (!runCache_) {
        WriteMenuItemObjects(menu, itemId);
        return;
    }
    WriteKeptOnce(menu, MenuEntryKey("entry", itemId, menu), [&] {
        WriteMenuItemObjects(menu, itemId);
        return true;
    });
}

void TXmlBuilder::WriteMenuItemObjects(TMenu& menu, int itemId)
{
    for (const std::string& tag : *menu.classXmlTags) {
        TCObjectHandle object = GetObject(itemId, tag);
        if (!object)
            continue;
        xmlNode* element = object->WriteXml(document_, menu.target, "indent", std::to_string(menu.indent), 0);
        if (!element || menu.countChildItemType == 0)
            continue;
        const int count = catalog_.CountItemsOfType(itemId, menu.countChildItemType, dataCatalogCode_, Connection());
        if (count > 0)
            SetAttribute(element, "NumChilds", count);
    }
}

// The visible children of the selected page, written below its entry.
std::vector<int> TXmlBuilder::ReadMenuChildren(int itemId, const std::vector<int>& itemTypes)
{
    const std::string sql = "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ParentItemId = "
                            ":ParentItemId" + GetItemTypeFilter(itemTypes) +
                            " AND (NotVisible IS NULL OR NotVisible = 0) ORDER BY OrderNum";
    std::vector<int> ids;
    for (const TItemRow& row : ReadItemRows(sql, {{"ParentItemId", itemId}}))
        ids.push_back(row.ItemId);
    return ids;
}

void TXmlBuilder::WriteMenuChildren(TMenu& menu, const std::vector<int>& children)
{
    ++menu.indent;
    for (const int child : children) {
        if (Cancelled())
            break;
        WriteMenuItem(menu, child);
    }
    --menu.indent;
}

// ---- ObjectAndParents, ObjectOrParents ----------------------------------------------------------

void TXmlBuilder::WriteObjectAndParents(xmlNode* target, int id, const TCondition& condition,
                                        const std::vector<int>& itemTypes, const std::vector<std::string>& classXmlTags)
{
    std::vector<int> path;
    WriteObjectAndParentsOf(target, id, condition, itemTypes, classXmlTags, path);
}

// Path holds the items of the walk up to this one: a circle of parents ends
// where the walk would come back to an item of it.
void TXmlBuilder::WriteObjectAndParentsOf(xmlNode* target, int id, const TCondition& condition,
                                          const std::vector<int>& itemTypes,
                                          const std::vector<std::string>& classXmlTags, std::vector<int>& path)
{
    if (id == 0 || Cancelled() || Contains(path, id))
        return;
    path.push_back(id);
    for (const std::string& tag : classXmlTags) {
        TCObjectHandle object = GetObject(id, tag);
        if (!object)
            continue;
        int parentId = object->GetParentItemId();
        if ((itemTypes.empty() || Contains(itemTypes, object->GetItemType())) && !object->IsEmpty())
            object->WriteXml(document_, target, "", "", 0);
        if (condition.Active && EvaluateCondition(*object, condition)) {
            if (parentId == 0)
                parentId = catalog_.GetParentItemId(id, dataCatalogCode_, Connection());
            if (!IsRootItemId(parentId))
                WriteObjectAndParentsOf(target, parentId, condition, itemTypes, classXmlTags, path);
        }
    }
    path.pop_back();
}

void TXmlBuilder::WriteObjectOrParents(xmlNode* target, int id, const TCondition& condition,
                                       const std::vector<std::string>& classXmlTags)
{
    std::vector<int> path;
    WriteObjectOrParentsOf(target, id, condition, classXmlTags, path);
}

void TXmlBuilder::WriteObjectOrParentsOf(xmlNode* target, int id, const TCondition& condition,
                                         const std::vector<std::string>& classXmlTags, std::vector<int>& path)
{
    if (id == 0 || Cancelled() || Contains(path, id))
        return;
    path.push_back(id);
    for (const std::string& tag : classXmlTags) {
        TCObjectHandle object = GetObject(id, tag);
        if (!object)
            continue;
        int parentId = object->GetParentItemId();
        if (condition.Active && EvaluateCondition(*object, condition)) {
            object->WriteXml(document_, target, "", "", 0);
            continue;
        }
        if (parentId == 0)
            parentId = catalog_.GetParentItemId(id, dataCatalogCode_, Connection());
        if (!IsRootItemId(parentId))
            WriteObjectOrParentsOf(target, parentId, condition, classXmlTags, path);
    }
    path.pop_back();
}

// ---- MemberObjectAndChilds, TreeInfo -------------------------------------------------------------

void TXmlBuilder::WriteMemberObjectAndChilds(xmlNode* target, int id, const std::string& itemTagName,
                                             const std::vector<std::string>& classXmlTags,
                                             const std::vector<int>& itemTypes, const std::string& includeClassXmlTag,
                                             const std::string& memberXmlTag)
{
    if (itemTagName.empty())
        return;
    const std::vector<std::string> included{includeClassXmlTag};
    for (const std::string& tag : classXmlTags) {
        TCObjectHandle object = GetObject(id, tag);
        if (!object)
            continue;
        std::vector<std::string> values;
        object->GetValues(memberXmlTag, nullptr, values);
        for (const std::string& value : values) {
            if (Cancelled())
                return;
            // A value that names no item refers to nothing.
            const int referenced = TMemberValueText::ReadInteger(value);
            if (referenced == 0)
                continue;
            xmlNode* wrapper = AddElement(document_, target, itemTagName);
            WriteObject(wrapper, referenced, included);
            xmlNode* childs = AddElement(document_, wrapper, "Childs");
            SetAttribute(childs, "ParentItemId", referenced);
            WriteChilds(childs, referenced, itemTypes, included, "");
        }
    }
}

void TXmlBuilder::WriteTreeInfo(xmlNode* target, int id)
{
    if (id == 0)
        return;
    const TItemDescription item = catalog_.GetItemDescription(id, dataCatalogCode_, Connection());
    xmlNode* element = AddElement(document_, target, "TreeInfo");
    SetAttribute(element, "TreeItemId", item.ItemId);
    SetAttribute(element, "LinkedItemId", item.LinkedItemId);
    SetAttribute(element, "ItemType", item.ItemType);
    SetAttribute(element, "ParentItemId", item.ParentItemId);
    SetAttribute(element, "Visible", item.Visible ? "1" : "0");
}
